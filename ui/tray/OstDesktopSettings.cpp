#include "OstDesktopSettings.h"

#include "OstMessages.h"

#include <QProcess>
#include <QStandardPaths>

namespace OstDesktopSettings {

std::optional<Command> FindSoundInputSettings(const QStringList& searchPaths) {
    // Tab 4 of the volume control is its input devices; the others open on their sound page,
    // which holds the input choice as well.
    static const struct {
        const char* program;
        QStringList arguments;
    } kCandidates[] = {
        {"pavucontrol", {QStringLiteral("--tab=4")}},
        {"gnome-control-center", {QStringLiteral("sound")}},
        {"kcmshell6", {QStringLiteral("kcm_pulseaudio")}},
        {"kcmshell5", {QStringLiteral("kcm_pulseaudio")}},
        {"systemsettings", {QStringLiteral("kcm_pulseaudio")}},
    };
    for (const auto& candidate : kCandidates) {
        const QString path =
            QStandardPaths::findExecutable(QString::fromLatin1(candidate.program), searchPaths);
        if (!path.isEmpty())
            return Command{path, candidate.arguments};
    }
    return std::nullopt;
}

bool OpenSoundInputSettings(QWidget* parent, const QStringList& searchPaths) {
    const std::optional<Command> command = FindSoundInputSettings(searchPaths);
    if (command && QProcess::startDetached(command->program, command->arguments))
        return true;
    OstMessages::Instance().Tell(481, parent);
    return false;
}

} // namespace OstDesktopSettings
