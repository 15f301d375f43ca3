#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The desktop's own settings programs that Orbit opens on the user's behalf.
namespace OstDesktopSettings {

struct Command {
    QString program; // absolute path
    QStringList arguments;
};

// The program that shows the sound input settings: the PulseAudio volume control on its
// input tab, else GNOME's sound panel, else KDE's audio module. searchPaths empty means PATH.
std::optional<Command> FindSoundInputSettings(const QStringList& searchPaths = {});

// Starts it detached; when none is installed or it cannot start, tells the user so
// (string 481) in a message box over parent. Returns whether a program was started.
bool OpenSoundInputSettings(QWidget* parent, const QStringList& searchPaths = {});

} // namespace OstDesktopSettings
