#include <QApplication>
#include <gtest/gtest.h>

// The controls are widgets: they need a widget application (offscreen under CTest).
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
