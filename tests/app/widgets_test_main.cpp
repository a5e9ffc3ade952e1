// The widget tests run headless: the offscreen platform, set before the window system starts.
#include "app/widgets/FlatButton.h"
#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    Application->Initialize(argc, argv);
    RegisterUiClasses();
    RegisterClinicWidgets();
    return RUN_ALL_TESTS();
}
