// The clinic's windows as the start-up sees them: the order they are created in, and the
// registry through which each window module offers its class. A window module adds itself
// with ROVE_CLINIC_FORM in its .cpp; the start-up creates every registered window at its
// place in the order, so a window joins the program by being built into it.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

class TApplication;
class TComponent;
class TCustomForm;

// Every window class in creation order; the first becomes the main form. The candidate
// window of the charging window is not here: it is created when it is needed.
std::span<const std::string_view> ClinicFormOrder();

using TClinicFormCreator = TComponent* (*)(TApplication& App);
// Offers a window class to the start-up (ROVE_CLINIC_FORM calls it before main runs);
// a null Create takes the offer back.
void RegisterClinicForm(std::string_view ClassName, TClinicFormCreator Create);
bool ClinicFormRegistered(std::string_view ClassName);

// Creates every registered window in creation order into its global instance and returns
// the class names created, in order. A registered class that has no place in the order
// raises EComponentError before anything is created; an exception of a window's own
// creation goes to the caller.
std::vector<std::string> CreateClinicForms(TApplication& App);

// Frees the windows CreateClinicForms made, the last made first (the end of the program
// or of a test).
void DestroyClinicForms();

// The window of a class that the application created, or null when that window is not
// part of this program (yet) or was freed.
TComponent* FindClinicForm(std::string_view ClassName);
TCustomForm* FindClinicWindow(std::string_view ClassName);

#define ROVE_CLINIC_FORM(Class, Instance)                                                 \
    namespace {                                                                           \
    const bool rove_clinic_form_registered_##Class = (RegisterClinicForm(#Class,         \
        [](TApplication& App) -> TComponent* {                                            \
            App.CreateForm(Instance);                                                     \
            return Instance;                                                              \
        }), true);                                                                        \
    }
