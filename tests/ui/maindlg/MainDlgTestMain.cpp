#include "OstLanguageSelector.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Deleting rows sends photos to the desktop's trash and the language is stored: both stay
// inside a home of the test's own.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + u"/.config"_qs));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + u"/.local/share"_qs));
    QApplication app(argc, argv);
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
