#include "COstUI_Orbit_StartupDlg.h"

#include "OstLanguageSelector.h"

#include <QHBoxLayout>
#include <QLabel>

namespace {
constexpr int kStartingUpText = 453;
}

COstUI_Orbit_StartupDlg::COstUI_Orbit_StartupDlg(QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("139"));
    text_ = new QLabel(this);
    text_->setObjectName(QString::number(kTextId));
    text_->setAlignment(Qt::AlignCenter);
    text_->setMinimumWidth(220);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->addWidget(text_);
    setStyleSheet(QStringLiteral("QDialog { background: #F4F4F4; border: 1px solid #B3B3B3; }"));
    ApplyTexts();
}

void COstUI_Orbit_StartupDlg::ApplyTexts() {
    text_->setText(OstLanguageSelector::GetInstance().GetString(kStartingUpText));
    setWindowTitle(text_->text());
}

QString COstUI_Orbit_StartupDlg::Text() const { return text_->text(); }
