#include "OstPresenterChoices.h"

#include "OstPrivateSettings.h"

#include <QSettings>

namespace {
const QString kScreenKey = QStringLiteral("Presenter/Screen");
const QString kRotationKey = QStringLiteral("Presenter/Rotation");
} // namespace

OstPresenterChoices OstPresenterChoices::Load() {
    const QSettings settings(QStringLiteral("Ostrel"), QStringLiteral("Orbit"));
    OstPresenterChoices choices;
    choices.screen = settings.value(kScreenKey).toString();
    bool number = false;
    const int rotation = settings.value(kRotationKey).toInt(&number);
    // A hand-edited value outside the four turns counts as none.
    choices.rotation = number && rotation >= 0 && rotation <= 3 ? rotation : 0;
    return choices;
}

bool OstPresenterChoices::Save() const {
    // The file also holds the remote monitor's password: it stays readable by its user alone.
    if (!OstPrivateSettings::Protect(true))
        return false;
    QSettings settings(QStringLiteral("Ostrel"), QStringLiteral("Orbit"));
    settings.setValue(kScreenKey, screen);
    settings.setValue(kRotationKey, rotation);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

int OstPresenterChoices::ChooseScreen(const QStringList& screens, const QString& dialogScreen,
                                      const QString& remembered) {
    if (screens.isEmpty())
        return -1;
    if (!remembered.isEmpty()) {
        const qsizetype at = screens.indexOf(remembered);
        if (at >= 0)
            return int(at);
    }
    for (qsizetype i = 0; i < screens.size(); ++i)
        if (screens[i] != dialogScreen)
            return int(i);
    return 0;
}
