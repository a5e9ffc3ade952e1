// Start-up and shutdown of the standard classes, and the link from scripts to the
// automation servers.
#include "script/stdclasses/StdClasses.h"

#include "platform/automation/Automation.h"
#include "script/Script.h"

void fsUnregisterGeneralClasses();
void fsUnregisterGraphicsClasses();
void fsUnregisterFormsClasses();
void fsUnregisterDialogsClasses();

namespace {
bool gAutomationRegistered = false;
}

void fsRegisterAutomation() {
    if (gAutomationRegistered) return;
    gAutomationRegistered = true;
    SetCreateOleObjectHandler([](const std::string& progId) { return CreateOleObject(progId); });
}

void fsRegisterStandardClasses() {
    fsRegisterGeneralClasses();
    fsRegisterGraphicsClasses();
    fsRegisterFormsClasses();
    fsRegisterDialogsClasses();
    fsRegisterAutomation();
}

void fsUnregisterStandardClasses() {
    if (gAutomationRegistered) {
        SetCreateOleObjectHandler(nullptr);
        gAutomationRegistered = false;
    }
    fsUnregisterDialogsClasses();
    fsUnregisterFormsClasses();
    fsUnregisterGraphicsClasses();
    fsUnregisterGeneralClasses();
}
