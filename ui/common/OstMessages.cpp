#include "OstMessages.h"

#include "OstLanguageSelector.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace {
constexpr int kOkText = 450;
constexpr int kYesText = 476;
constexpr int kNoText = 477;
} // namespace

OstMessages& OstMessages::Instance() {
    static OstMessages messages;
    return messages;
}

void OstMessages::Tell(int stringId, QWidget* parent) {
    Show(OstLanguageSelector::GetInstance().GetString(stringId), QString::number(stringId), false,
         parent);
}

void OstMessages::TellText(const QString& text, QWidget* parent) {
    Show(text, QString(), false, parent);
}

bool OstMessages::Ask(int stringId, QWidget* parent) {
    return Show(OstLanguageSelector::GetInstance().GetString(stringId), QString::number(stringId),
                true, parent) == QMessageBox::Yes;
}

int OstMessages::Show(const QString& text, const QString& name, bool question, QWidget* parent) {
    emit shown(text);
    const auto& selector = OstLanguageSelector::GetInstance();
    QMessageBox box(question ? QMessageBox::Question : QMessageBox::NoIcon,
                    QStringLiteral("Orbit"), text,
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setObjectName(name);
    const auto word = [&](QMessageBox::StandardButton button, int number) {
        const QString translated = selector.GetString(number);
        if (QAbstractButton* b = box.button(button); b && !translated.isEmpty())
            b->setText(translated);
    };
    if (question) {
        box.setDefaultButton(QMessageBox::No);
        word(QMessageBox::Yes, kYesText);
        word(QMessageBox::No, kNoText);
    } else {
        word(QMessageBox::Ok, kOkText);
    }
    return box.exec();
}
