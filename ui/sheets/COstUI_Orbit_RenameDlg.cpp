#include "COstUI_Orbit_RenameDlg.h"

#include "CColorStatic.h"
#include "OstLanguageSelector.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Longest file name (in bytes of the file system's encoding) Linux file systems take.
constexpr qsizetype kMaxFileNameBytes = 255;
} // namespace

COstUI_Orbit_RenameDlg::COstUI_Orbit_RenameDlg(const QString& baseName, const QString& folder,
                                               QWidget* parent)
    : QDialog(parent), folder_(folder) {
    setObjectName(QStringLiteral("130"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("1201"));
    edit_ = new QLineEdit(baseName, this);
    edit_->setObjectName(QStringLiteral("1200"));
    label_->setBuddy(edit_);
    refusal_ = new CColorStatic(this);
    refusal_->setObjectName(QStringLiteral("1202"));
    refusal_->setWordWrap(true);
    refusal_->SetTextColor(QColor(0xFF, 0x00, 0x00));
    refusal_->SetTransparent(true);
    // Keeps its place while hidden, so showing it does not make the dialog jump.
    QSizePolicy keep = refusal_->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    refusal_->setSizePolicy(keep);
    refusal_->hide();

    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("2"));
    connect(ok_, &QPushButton::clicked, this, &COstUI_Orbit_RenameDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &COstUI_Orbit_RenameDlg::reject);
    connect(edit_, &QLineEdit::textChanged, refusal_, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addWidget(refusal_);
    layout->addLayout(buttons);
    ApplyTexts();
    setMinimumWidth(340);
    edit_->selectAll();
}

COstUI_Orbit_RenameDlg::~COstUI_Orbit_RenameDlg() = default;

QString COstUI_Orbit_RenameDlg::GetNewName() const {
    return edit_->text();
}

bool COstUI_Orbit_RenameDlg::IsAcceptable(const QString& name) const {
    const QString fileName = name + QStringLiteral(".jpg");
    if (name.isEmpty() || name.contains(u'/') || name.contains(QChar(0)) ||
        QFile::encodeName(fileName).size() > kMaxFileNameBytes)
        return false;
    return !QFileInfo::exists(QDir(folder_).filePath(fileName));
}

void COstUI_Orbit_RenameDlg::ApplyTexts() {
    const auto& selector = OstLanguageSelector::GetInstance();
    setWindowTitle(selector.GetString(353));
    refusal_->setText(selector.GetString(354));
    label_->setText(selector.GetString(355));
    ok_->setText(selector.GetString(450));
    cancel_->setText(selector.GetString(451));
}

void COstUI_Orbit_RenameDlg::accept() {
    if (!IsAcceptable(edit_->text())) {
        refusal_->show();
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}
