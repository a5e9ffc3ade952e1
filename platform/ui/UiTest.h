// The test harness of the window layer. While a TUiTestHarness lives:
//   - message boxes and standard dialogs are answered from a queue (or by a function)
//     and recorded with their kind, caption and text; nothing modal blocks;
//   - every ShowModal runs the next queued driver inside its nested loop; the driver acts
//     on the form (types, clicks, sets ModalResult); a modal form nobody drives, or one a
//     driver leaves open, is cancelled and noted in Errors();
//   - pop-up menus call the queued popup handler instead of showing;
//   - beeps are counted, shell opens recorded, the screen has the size the test gives;
//   - keys, text, pastes, input-method text and mouse clicks go to controls as Qt events
//     through the same path real input takes.
// Tests run with QT_QPA_PLATFORM=offscreen, set in the test's main before QApplication.
#pragma once

#include "platform/ui/DialogService.h"
#include "platform/ui/Keys.h"
#include "platform/graphics/GraphicsTypes.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TControl;
class TWinControl;
class TCustomForm;
class TMenuItem;
class TPopupMenu;
class TTimer;
class TBitmap;

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

    // --- Input through Qt's event path ---------------------------------------------------
    // Focuses the control (when it can take the focus) and sends the key down and up.
    static void TypeKey(TWinControl* Control, uint16_t Key, TShiftState Shift = 0);
    // Posts the key down and up to the control: they arrive when the event loop next runs
    // (inside a long operation that lets the window answer).
    static void PostKey(TWinControl* Control, uint16_t Key, TShiftState Shift = 0);
    // Types each character as a key of its own (Chinese text too).
    static void TypeText(TWinControl* Control, const std::string& Text);
    // Puts Text on the clipboard and presses Ctrl+V in the control.
    static void Paste(TWinControl* Control, const std::string& Text);
    // Text committed by an input method.
    static void CommitText(TWinControl* Control, const std::string& Text);
    // Press and release of the left (or another) button at Pos (client coordinates;
    // default the centre).
    static void Click(TControl* Control, std::optional<TPoint> Pos = std::nullopt, TMouseButton Button = mbLeft,
                      TShiftState Shift = 0);
    static void DblClick(TControl* Control, std::optional<TPoint> Pos = std::nullopt);
    static void MouseMove(TControl* Control, TPoint Pos, TShiftState Shift = 0);
    static void MouseDown(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft);
    static void MouseUp(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft);
    // One turn of the wheel over Control at Pos (client coordinates; default the centre):
    // Delta 120 is one notch forward, -120 one backward.
    static void Wheel(TControl* Control, int Delta, std::optional<TPoint> Pos = std::nullopt, TShiftState Shift = 0);
    // Triggers the menu item's Qt action (as a click on it does).
    static void ClickMenuItem(TMenuItem* Item);
    // Fires the timer's OnTimer now.
    static void FireTimer(TTimer* Timer);
    // While a harness exists, timers run on a virtual clock that only this moves on: every
    // enabled timer that falls due within Milliseconds fires (earliest first, a repeating
    // timer once per interval), then posted events are processed. Returns the ticks fired.
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
    // The colour of one pixel of the control's drawing (client coordinates).
    static int32_t PixelAt(TControl* Control, TPoint Pos);
    // The control's drawing as a bitmap (client coordinates); false when it cannot be.
    static bool Grab(TControl* Control, TBitmap& Bitmap);

    // TDialogService
    TDialogAnswer Show(const TDialogRequest& Request) override;

private:
    void RunModal(TCustomForm& Form);
    struct TDriver {
        std::string ClassName;
        std::function<void(TCustomForm&)> Fn;
    };
    std::deque<std::function<TDialogAnswer(const TDialogRequest&)>> FAnswers;
    std::deque<TDriver> FDrivers;
    std::deque<std::function<void(TPopupMenu&, TPoint)>> FPopups;
    std::vector<TDialogRequest> FDialogs;
    std::vector<std::string> FErrors;
    std::vector<std::string> FShellOpened;
    bool FAutoOk = true;
    bool FShellResult = true;
    int FBeeps = 0;
    TDialogServiceScope* FScope = nullptr;
};
