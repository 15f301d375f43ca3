#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests run with a Qt application object so that timers, queued calls and D-Bus work.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
