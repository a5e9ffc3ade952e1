// The main of the test programs whose windows and drawing need Qt: the offscreen platform,
// chosen before the application starts, without high-DPI scaling and with the repository's
// pinned fonts (unless FONTCONFIG_FILE names others). ROVE_SCREENSHOTS (a folder) keeps
// the display the caller chose, so that the screenshot tests can run on a real X server.
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
