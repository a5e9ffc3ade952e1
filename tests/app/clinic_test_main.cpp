// The clinic tests run headless: the offscreen platform, set before the window system
// starts. Tests that end the program run in a child process (death-test style
// "threadsafe": the child starts this program afresh and runs only that test).
#include "app/forms/Startup.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The program's own command line (gtest has taken its flags out): no parameters.
    SetCommandLine(1, argv);
    Application->Initialize(argc, argv);
    RegisterClinicClasses();
    return RUN_ALL_TESTS();
}
