#include "COrbitApp.h"
#include "OstLanguageSelector.h"
#include "TestHome.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The program's settings, pictures and trash stay inside a home of the test's own, and the
// simulated camera stands in for the device.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    UseTestHome(home.path());
    qputenv("ORBIT_SIMULATED_CAMERA", "always");
    QApplication app(argc, argv);
    COrbitApp::SetUpApplication();
    OstLanguageSelector::GetInstance().SetLanguage(OstLanguageSelector::English);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
