// The drawing tests run without a display on Qt's offscreen platform, with the
// repository's font configuration.
#include "platform/graphics/Graphics.h"

#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 0);
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    RegisterGraphicsClasses();
    return RUN_ALL_TESTS();
}
