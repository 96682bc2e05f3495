// Test runner of the print tests: a QApplication (offscreen platform) gives
// the font database that the real text metrics need.
#include <gtest/gtest.h>

#include <QtWidgets/QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
