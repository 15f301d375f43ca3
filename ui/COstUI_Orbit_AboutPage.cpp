#include "COstUI_Orbit_AboutPage.h"

#include "OstLanguageSelector.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QVBoxLayout>

COstUI_Orbit_AboutPage::COstUI_Orbit_AboutPage(QWidget* parent)
    : COstUI_PropertyPage(kTitle, QSize(), parent) {}

COstUI_Orbit_AboutPage::~COstUI_Orbit_AboutPage() = default;

bool COstUI_Orbit_AboutPage::OnInitDialog() {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("5000"));
    picture_->setAlignment(Qt::AlignCenter);
    // A missing picture leaves the place empty at the size it would have had.
    const QPixmap pixmap(QStringLiteral(":/JPG/%1").arg(kPictureId));
    if (!pixmap.isNull())
        picture_->setPixmap(pixmap);
    picture_->setMinimumSize(360, 150);

    link_ = new QLabel(this);
    link_->setObjectName(QStringLiteral("5001"));
    link_->setAlignment(Qt::AlignCenter);
    link_->setCursor(Qt::PointingHandCursor);
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link_->setFocusPolicy(Qt::StrongFocus);
    connect(link_, &QLabel::linkActivated, this, &COstUI_Orbit_AboutPage::OpenLink);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(picture_);
    layout->addSpacing(16);
    layout->addWidget(link_);
    layout->addStretch(1);
    ApplyTexts();
    return true;
}

void COstUI_Orbit_AboutPage::ApplyTexts() {
    target_ = OstLanguageSelector::GetInstance().GetString(449);
    if (link_ == nullptr)
        return;
    // Blue and underlined, as links read on the web.
    link_->setText(QStringLiteral("<a href=\"%1\" style=\"color:#0000ff\">%1</a>")
                       .arg(target_.toHtmlEscaped()));
    update();
}

void COstUI_Orbit_AboutPage::OpenLink() {
    const QUrl url(target_, QUrl::StrictMode);
    // Only web addresses: the text comes from a table that translators edit.
    if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return;
    emit linkOpened(url.toString());
    QDesktopServices::openUrl(url);
}
