#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

// Points the user's folders into home, so that a test's settings, pictures and trash stay
// there; called before anything reads them.
inline void UseTestHome(const QString& home) {
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + QStringLiteral("/.config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + QStringLiteral("/.local/share")));
    qputenv("XDG_PICTURES_DIR", QFile::encodeName(home + QStringLiteral("/Pictures")));
}
