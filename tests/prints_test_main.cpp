// Test runner of the print tests: a QGuiApplication (offscreen platform) gives
// the font database that the real text metrics need.
#include <gtest/gtest.h>

#include <QtGui/QGuiApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
