#include "OstLanguageSelector.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The list's tests delete photos into the desktop's trash and switch the stored language, so
// they get a home of their own: nothing reaches the user's trash or settings.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + u"/.config"_qs));
    const QString dataHome = home.path() + u"/.local/share"_qs;
    QDir().mkpath(dataHome);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
    QApplication app(argc, argv);
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
