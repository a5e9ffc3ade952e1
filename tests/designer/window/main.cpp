// The designer window tests run with a QApplication, offscreen, like every designer test
// (on the display given when screenshots are asked for).
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", std::getenv("ROVE_SCREENSHOTS") ? 0 : 1);
    setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    if (!std::getenv("FONTCONFIG_FILE")) setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
