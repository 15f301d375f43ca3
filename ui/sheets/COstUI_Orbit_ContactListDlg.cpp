#include "COstUI_Orbit_ContactListDlg.h"

#include "OstLanguageSelector.h"

#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr int kTitleText = 352;
}

COstUI_Orbit_ContactListDlg::COstUI_Orbit_ContactListDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("129"));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QString::number(kProgressId));
    progress_->setTextVisible(false);
    progress_->setRange(0, 0);
    progress_->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addWidget(progress_);
    ApplyTexts();
}

void COstUI_Orbit_ContactListDlg::ApplyTexts() {
    const QString title = OstLanguageSelector::GetInstance().GetString(kTitleText);
    // The window's own title stays English when the table lacks the text.
    setWindowTitle(title.isEmpty() ? QStringLiteral("Getting Contact List") : title);
    progress_->setAccessibleName(windowTitle());
}

void COstUI_Orbit_ContactListDlg::SetRange(int low, int high) {
    // A range of one contact (0..0) would make the bar "busy"; show it as one step instead.
    progress_->setRange(low, high > low ? high : low + 1);
}

void COstUI_Orbit_ContactListDlg::SetPos(int position) { progress_->setValue(position); }

int COstUI_Orbit_ContactListDlg::Pos() const { return progress_->value(); }

int COstUI_Orbit_ContactListDlg::Maximum() const { return progress_->maximum(); }

void COstUI_Orbit_ContactListDlg::Begin(int count) {
    SetRange(0, count - 1);
    show();
    raise();
}

void COstUI_Orbit_ContactListDlg::End() {
    hide();
    SetPos(0);
}
