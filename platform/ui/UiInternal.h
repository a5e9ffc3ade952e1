// Internal to the window layer: the services the modules share without exposing Qt.
#pragma once

#include "platform/ui/DialogService.h"

#include <exception>
#include <functional>
#include <string>

// The title message boxes without a caption show (the application's Title).
std::string CurrentApplicationTitle();

// Shows a dialog through the installed service, with the open dialog counted so that the
// layer knows a modal dialog is up.
TDialogAnswer RunDialog(const TDialogRequest& request);

// The exception boundary: runs fn; an exception that leaves it goes to
// Application->HandleException and never further (no exception may cross into Qt).
void GuardedCall(const std::function<void()>& fn);
void HandleCurrentException(std::exception_ptr e);

// Modal loops and termination (decision: ShowModal runs a nested loop; Terminate ends
// every loop and Run, also before Run starts).
bool ApplicationTerminated();

class TCustomForm;
// For the test harness: clears Terminate's flag, and ends a modal form at once (without
// its close events).
void ResetApplicationTerminated();
void ForceEndModal(TCustomForm& Form, int Result);
// The test harness's hook: called inside the nested loop of every ShowModal, each time
// the loop starts (again, after OnCloseQuery refused).
using TModalHook = std::function<void(TCustomForm& Form)>;
void SetModalHook(TModalHook hook);
// The screen size the test harness gives (0, 0: the real screen).
void SetScreenSizeOverride(int Width, int Height);
bool ScreenSizeOverridden();
// Message boxes and dialogs being shown at the moment.
int OpenDialogCount();

class TPopupMenu;
struct TPoint;
// The test harness's hook for pop-up menus: called instead of showing the menu.
using TPopupHook = std::function<void(TPopupMenu& Menu, TPoint Where)>;
void SetPopupHook(TPopupHook hook);

class TControl;
// A drag that starts once the mouse has moved Threshold pixels with the left button
// held (BeginDrag(false)); a release before that leaves the press to the control.
void PendControlDrag(TControl* Source, int Threshold);
// The control is going away: no drag, pending or running, refers to it any more.
void ForgetControlDrag(const TControl* Source);

// The test harness's clock for TTimer (SetManualTimers(true) by each harness made,
// false by each harness freed): while manual, timers never fire on their own; the
// harness moves a virtual clock on and the timers due on the way fire, earliest first.
// An idle wait (Application->HandleMessage) on the virtual clock lets time jump to the next
// timer instead of blocking.
void SetManualTimers(bool Manual);
bool ManualTimers();
// While held (a count), no TTimer fires: what an operation lets through while it waits
// (Application->ProcessPaintMessages) must not start other work in the middle of it.
void HoldTimers(bool Hold);
int ElapseManualTimers(int Milliseconds);
bool ElapseToNextManualTimer();
