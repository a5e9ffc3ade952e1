// The main of the clinic's window tests: Qt's offscreen platform unless another one is
// asked for (QT_QPA_PLATFORM=xcb under Xvfb to watch or photograph the windows), the
// program's classes registered as the program registers them. Tests that end the program
// run in a child process (death-test style "threadsafe": the child starts this program
// afresh and runs only that test).
#include "app/forms/Startup.h"
#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The program's own command line (gtest has taken its flags out): no parameters.
    SetCommandLine(1, argv);
    Application->Initialize(argc, argv);
    RegisterClinicClasses();
    return RUN_ALL_TESTS();
}
