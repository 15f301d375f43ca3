#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The language and the simulated camera's saved values live in the user's settings; this
// binary keeps its own in a throw-away folder.
int main(int argc, char** argv) {
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", settingsDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
