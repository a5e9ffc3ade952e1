// The standard-class tests run headless: the offscreen platform and the pinned fonts are
// chosen before the window system starts; the classes are registered as the program's
// start-up registers them.
#include "platform/ui/Forms.h"
#include "script/stdclasses/StdClasses.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("FONTCONFIG_FILE")) setenv("FONTCONFIG_FILE", ROVE_FONTS_CONF, 1);
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize(argc, argv);
    RegisterUiClasses();
    fsRegisterStandardClasses();
    const int result = RUN_ALL_TESTS();
    fsUnregisterStandardClasses();
    return result;
}
