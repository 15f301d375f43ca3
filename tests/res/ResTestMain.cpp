#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The language value lives in the user's settings; every QSettings of this binary is sent to a
// throw-away folder before the first one is opened, so the user's own value is never touched.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir settingsDir;
    if (!settingsDir.isValid())
        return 2;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
