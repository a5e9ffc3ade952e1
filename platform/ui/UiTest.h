// The test harness of the window layer. While a TUiTestHarness lives:
//   - message boxes and standard dialogs are answered from a queue (or by a function)
//     and recorded with their kind, caption and text; nothing modal blocks;
//   - every ShowModal runs the next queued driver inside its nested loop; the driver acts
//     on the form (types, clicks, sets ModalResult); a modal form nobody drives, or one a
//     driver leaves open, is cancelled and noted in Errors();
//   - pop-up menus call the queued popup handler instead of showing;
//   - beeps are counted, shell opens recorded, the screen has the size the test gives;
//   - input arrives as the window system delivers it: a mouse event goes to the top-level
//     window at a position and Qt gives it to the widget under that point (focusing it by
//     its focus policy; an open pop-up or drop-down list takes it first); a key goes to
//     the widget that holds the keyboard focus of the active window. Nothing is focused
//     for the test. A click the control cannot take where the test puts it (hidden,
//     covered, outside its window, window not shown), or a key typed while another
//     control holds the focus, fails the test with an EUiTestFailure that says why.
// Tests run with QT_QPA_PLATFORM=offscreen, set in the test's main before QApplication.
#pragma once

#include "platform/ui/DialogService.h"
#include "platform/ui/Keys.h"
#include "platform/graphics/GraphicsTypes.h"

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TBitmap;
class QObject;

// Input the test asked for that a user could not give: the control is not where the click
// lands, or the keyboard focus is not where the test expects it.
class EUiTestFailure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TUiTestHarness final : public TDialogService {
public:
    TUiTestHarness();
    ~TUiTestHarness() override;
    TUiTestHarness(const TUiTestHarness&) = delete;
    TUiTestHarness& operator=(const TUiTestHarness&) = delete;

    // --- Dialog answers (in the order the dialogs come) ----------------------------------
    // The next message box or MessageDlg answers Result (IDYES, mrOk, ...).
    void AnswerMessage(int Result);
    // The next InputBox/InputQuery gets Text; nullopt cancels.
    void AnswerInput(std::optional<std::string> Text);
    // The next open or save dialog picks FileName (nullopt cancels).
    void AnswerFile(std::optional<std::string> FileName, int FilterIndex = 1);
    void AnswerDirectory(std::optional<std::string> Directory);
    void AnswerColor(std::optional<int32_t> Color);
    void AnswerFont(std::optional<TFontChoice> Font);
    // Any kind: the function builds the answer from the request.
    void Answer(std::function<TDialogAnswer(const TDialogRequest&)> Fn);
    // Message boxes with a single OK button are answered without a queued answer
    // (on by default); they are still recorded.
    void SetAutoAnswerOk(bool Value) { FAutoOk = Value; }

    // What was shown, in order.
    const std::vector<TDialogRequest>& Dialogs() const { return FDialogs; }
    std::vector<std::string> DialogTexts() const;
    std::vector<std::string> DialogCaptions() const;
    void ClearDialogs() { FDialogs.clear(); }

    // --- Modal forms -------------------------------------------------------------------
    // The next ShowModal (of a form of ClassName, when given) runs Driver inside its loop.
    void OnModal(std::function<void(TCustomForm& Form)> Driver);
    void OnModal(std::string ClassName, std::function<void(TCustomForm& Form)> Driver);
    // The next pop-up menu calls Handler instead of showing.
    void OnPopup(std::function<void(TPopupMenu& Menu, TPoint Where)> Handler);
    // The next menu that one of Qt's own widgets runs in a loop of its own (the month menu
    // of a calendar, a tool button's menu, an edit's context menu) calls Handler inside that
    // loop with the texts of the commands it offers (shown, enabled, no separators); the
    // user then clicks the command at the index Handler returns, or presses Escape for -1.
    // Such a menu with no handler is closed with Escape and noted in Errors().
    void OnOwnMenu(std::function<int(const std::vector<std::string>& Commands)> Handler);
    int PendingOwnMenus() const { return static_cast<int>(FOwnMenus.size()); }

    // Problems seen: dialogs nobody answered, modal forms nobody drove or left open,
    // answers left over at the end (checked by the test).
    const std::vector<std::string>& Errors() const { return FErrors; }
    int PendingAnswers() const { return static_cast<int>(FAnswers.size()); }
    int PendingDrivers() const { return static_cast<int>(FDrivers.size()); }

    // --- The environment ------------------------------------------------------------------
    void SetScreenSize(int Width, int Height);
    // The clock of Now/Date/Time (the runtime's seam).
    void SetClock(std::function<double()> Clock);
    int Beeps() const { return FBeeps; }
    const std::vector<std::string>& ShellOpened() const { return FShellOpened; }
    void SetShellOpenResult(bool Value) { FShellResult = Value; }

    // --- Input as the window system delivers it ---------------------------------------
    // Keys go to the widget holding the keyboard focus of the active window, through the
    // window system's key path (shortcut override, shortcuts, then the focused widget).
    // Control is where the test expects the focus: the control itself or one of its
    // children holds it, else the test fails. The forms without Control type into
    // whatever holds the focus.
    static void TypeKey(TWinControl* Control, uint16_t Key, TShiftState Shift = 0);
    static void TypeKey(uint16_t Key, TShiftState Shift = 0);
    // Types each character as a key of its own (Chinese text too).
    static void TypeText(TWinControl* Control, const std::string& Text);
    static void TypeText(const std::string& Text);
    // Puts Text on the clipboard and presses Ctrl+V.
    static void Paste(TWinControl* Control, const std::string& Text);
    static void Paste(const std::string& Text);
    // Text committed by an input method, to the focused widget.
    static void CommitText(TWinControl* Control, const std::string& Text);
    static void CommitText(const std::string& Text);
    // Queues the key down and up with the window system, as typed into the window that has
    // the keyboard now (or into Control's window: the window the keyboard was in when the
    // key was typed, which may be going away): they are read when the program next lets the
    // windows answer (typed during a long operation, or while a window hands the keyboard
    // on). Input the harness gives meanwhile does not wait for them: a key posted before
    // the click or key that starts a long operation arrives while it runs.
    static void PostKey(uint16_t Key, TShiftState Shift = 0);
    static void PostKey(TWinControl* Control, uint16_t Key, TShiftState Shift = 0);

    // Mouse input at Pos, in Control's client coordinates (default the centre, or the
    // indicator of a check box or radio button): the event goes to Control's top-level
    // window at that point, which the window system activates first as a window manager
    // does on a click. Control must show there (the widget under the point is its own).
    // Press and release of the left (or another) button; the right button also opens the
    // control's context menu.
    static void Click(TControl* Control, std::optional<TPoint> Pos = std::nullopt, TMouseButton Button = mbLeft,
                      TShiftState Shift = 0);
    static void DblClick(TControl* Control, std::optional<TPoint> Pos = std::nullopt, TShiftState Shift = 0);
    // The pointer moves to Pos. The buttons held are those pressed with MouseDown (Shift
    // may name them, and must then agree); while one is held, the window that took the
    // press keeps the mouse, so Pos may lie outside Control (a drag).
    static void MouseMove(TControl* Control, TPoint Pos, TShiftState Shift = 0);
    static void MouseDown(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft, TShiftState Shift = 0);
    static void MouseUp(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft, TShiftState Shift = 0);
    // One turn of the wheel over Control at Pos (client coordinates; default the centre):
    // Delta 120 is one notch forward, -120 one backward. A widget that ignores the turn
    // passes it to its parents, as with a real wheel.
    static void Wheel(TControl* Control, int Delta, std::optional<TPoint> Pos = std::nullopt, TShiftState Shift = 0);
    // A click on item Index of the drop-down list that ComboBox has open (fails when none
    // is open).
    static void ClickDropDownItem(TControl* ComboBox, int Index);
    // A click on the middle of a tab (a visible tab index) of a page control or tab control.
    static void ClickTab(TControl* Tabs, int TabIndex);

    // --- Direct delivery ------------------------------------------------------------------
    // The event goes straight to the control's widget, which is focused first: no window
    // picks the receiver and no focus rule applies. Only for a test that says at the call
    // why it cannot go through the window system.
    static void SendDirectKey(TWinControl* Control, uint16_t Key, TShiftState Shift = 0);
    static void SendDirectText(TWinControl* Control, const std::string& Text);
    static void SendDirectClick(TControl* Control, std::optional<TPoint> Pos = std::nullopt,
                                TMouseButton Button = mbLeft, TShiftState Shift = 0);

    // Triggers the menu item's Qt action (as a click on it does).
    static void ClickMenuItem(TMenuItem* Item);
    // Fires the timer's OnTimer now.
    static void FireTimer(TTimer* Timer);
    // While a harness exists, timers run on a virtual clock that only this moves on: every
    // enabled timer that falls due within Milliseconds fires (earliest first, a repeating
    // timer once per interval), then posted events are processed. Returns the ticks fired.
    // The pointer rests meanwhile: after a MouseMove without buttons, resting for the
    // style's delay (700 ms) over a control shows its tool tip, as on a desktop.
    static int ElapseTime(int Milliseconds);
    static void ProcessMessages();
    // The control that holds the keyboard focus of the active window (where a key typed
    // now goes), or nullptr.
    static TWinControl* FocusedControl();
    // The window of the form, drawn offscreen, saved as a PNG; false when it cannot be.
    static bool SaveScreenshot(TControl* Control, const std::string& FileName);
    // The whole screen as a PNG, every window and pop-up on it (on a real or virtual
    // display; false offscreen or when it cannot be saved).
    static bool SaveScreen(const std::string& FileName);
    // The tooltip the control shows (its short hint when hints are on, else empty).
    static std::string ToolTipOf(TControl* Control);
    // The text of the tool tip on the screen, or empty when none shows.
    static std::string ShownToolTip();
    // The colour of one pixel of the control's drawing (client coordinates).
    static int32_t PixelAt(TControl* Control, TPoint Pos);
    // The control's drawing as a bitmap (client coordinates); false when it cannot be.
    static bool Grab(TControl* Control, TBitmap& Bitmap);
    // The control as its window shows it now: what was last painted of it into the
    // window's picture (a part the program left unpainted keeps what it showed before);
    // false when the window has no picture of its own.
    static bool Shown(TControl* Control, TBitmap& Bitmap);

    // TDialogService
    TDialogAnswer Show(const TDialogRequest& Request) override;

private:
    friend struct THarnessAccess;
    void RunModal(TCustomForm& Form);
    struct TDriver {
        std::string ClassName;
        std::function<void(TCustomForm&)> Fn;
    };
    std::deque<std::function<TDialogAnswer(const TDialogRequest&)>> FAnswers;
    std::deque<TDriver> FDrivers;
    std::deque<std::function<void(TPopupMenu&, TPoint)>> FPopups;
    std::deque<std::function<int(const std::vector<std::string>&)>> FOwnMenus;
    QObject* FMenuWatch = nullptr;
    std::vector<TDialogRequest> FDialogs;
    std::vector<std::string> FErrors;
    std::vector<std::string> FShellOpened;
    bool FAutoOk = true;
    bool FShellResult = true;
    int FBeeps = 0;
    TDialogServiceScope* FScope = nullptr;
    // A failure met where it could not be thrown to the test (inside a modal driver or a
    // pop-up handler): the harness call that the test made throws it once control is back.
    std::optional<std::string> FPendingFailure;
};
