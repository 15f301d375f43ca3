#include "COstUI_Orbit_AboutPage.h"

#include "COstUI_StaticPicture.h"
#include "CXHyperLink.h"
#include "OstLanguageSelector.h"

#include <QVBoxLayout>

COstUI_Orbit_AboutPage::COstUI_Orbit_AboutPage(QWidget* parent)
    : COstUI_PropertyPage(kTitle, QSize(), parent) {}

COstUI_Orbit_AboutPage::~COstUI_Orbit_AboutPage() = default;

bool COstUI_Orbit_AboutPage::OnInitDialog() {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    picture_ = new COstUI_StaticPicture(this);
    picture_->setObjectName(QStringLiteral("5000"));
    picture_->setAlignment(Qt::AlignCenter);
    picture_->SetBkColor(Qt::white);
    // The place keeps the picture's size when the picture is missing.
    picture_->setMinimumSize(360, 150);
    picture_->LoadFromResource(kPictureId, QStringLiteral("JPG"));

    link_ = new CXHyperLink(this);
    link_->setObjectName(QStringLiteral("5001"));
    link_->setAlignment(Qt::AlignCenter);
    link_->SetColours(QColor(0x00, 0x00, 0xFF), QColor(0x80, 0x00, 0x80), QColor(0xFF, 0x00, 0x00));
    link_->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(picture_, 0, Qt::AlignHCenter);
    layout->addSpacing(16);
    layout->addWidget(link_, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    ApplyTexts();
    return true;
}

void COstUI_Orbit_AboutPage::ApplyTexts() {
    if (link_ == nullptr)
        return;
    const QString address = OstLanguageSelector::GetInstance().GetString(449);
    link_->setText(address);
    link_->SetURL(address);
    update();
}
