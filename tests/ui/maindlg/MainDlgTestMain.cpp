#include "OstLanguageSelector.h"
#include "TestHome.h"

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
    UseTestHome(home.path());
    QApplication app(argc, argv);
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
