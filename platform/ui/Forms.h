// Forms, the application and the screen.
//
// A window class derives from TForm, declares its controls as pointer fields, publishes
// its handler methods and reads its form resource at the end of its constructor:
//
//   class TLoginForm : public TForm {
//       ROVE_CLASS(TLoginForm, TForm)
//   public:
//       TEdit* Edit1 = nullptr;                     // filled from the resource by name
//       explicit TLoginForm(TComponent* AOwner) : TForm(AOwner) { InitForm(); }
//       void Edit1KeyPress(TObject* Sender, char32_t& Key);
//       static void DeclareProperties(TPropertyDecl<TLoginForm>& d) {
//           d.Method("Edit1KeyPress", &TLoginForm::Edit1KeyPress);
//       }
//   };
//
//       void BindFields() override { Bind(Edit1, "Edit1"); }
//
// InitForm reads the resources registered for the class and its ancestors
// (RegisterFormResource), lets BindFields point the fields at the components of the same
// name, then fires OnCreate (and shows the form when the resource says Visible = True).
//
// Modality: ShowModal disables the windows that exist at that moment, runs a nested
// event loop until ModalResult is set, then re-enables them; windows opened from inside
// stay usable. Qt's own window modality is not used for forms. Application->Terminate
// ends Run and every nested loop, also when called before Run.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Dialogs.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMainMenu;
class TActionList;
class TTimer;

ROVE_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
          poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
ROVE_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
ROVE_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
ROVE_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
ROVE_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
ROVE_SET(TBorderIcons, TBorderIcon)

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
ROVE_EVENT_TYPE(TCloseEvent)
using TShortCutEvent = TEvent<void(TShortCut Key, bool& Handled)>;
ROVE_EVENT_TYPE(TShortCutEvent)

class TCustomForm : public TWinControl {
    ROVE_CLASS(TCustomForm, TWinControl)
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // Reads the form resources of the class and its ancestors, then fires OnCreate
    // (an exception there is shown and the form goes on). Call at the end of the
    // constructor of each window class.
    void InitForm();

    // --- Showing ---------------------------------------------------------------------
    void Show();
    void Hide() { SetVisible(false); }
    void SetVisible(bool Value) override;
    // Raises EInvalidOperation "Cannot make a visible window modal" when the form is
    // already visible, disabled or modal.
    int ShowModal();
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int Value);
    bool Modal() const { return FModal; }
    // Close: a modal form gets mrCancel; otherwise OnCloseQuery may refuse, OnClose picks
    // the action (caHide by default); the main form ends the application.
    void Close();
    bool CloseQuery();
    // Frees the form once the event that called it is over.
    void Release();
    void BringToFront();
    void SetFocus() override;
    bool Active() const;

    // --- Focus -----------------------------------------------------------------------
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    bool SetFocusedControl(TWinControl* Control);   // focus moved: OnExit, OnEnter
    void ControlRemoved(TWinControl* Control);

    // --- Appearance ------------------------------------------------------------------
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // The window manager keeps this window above Owner's (a transient window of it), and
    // the windows that come up over Owner's later above this one; null: a window of its own.
    void SetPopupParent(TCustomForm* Owner) { KeepAbove(Owner); }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    int PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
    int TextHeight() const { return FTextHeight; }
    void SetTextHeight(int Value) { FTextHeight = Value; }
    bool OldCreateOrder() const { return FOldCreateOrder; }
    void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }

    // Client area: Width and Height include the frame, caption and menu bar.
    TRect ClientRect() const override;
    void SetClientWidth(int Value) override;
    void SetClientHeight(int Value) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void ScaleBy(int M, int D) override;
    bool Showing() const override;
    void ApplyBounds() override;
    void ApplyVisible() override;
    void ApplyEnabled() override;
    void ApplyColor() override;
    bool TakesFocus() const override { return false; }
    bool AcceptsControls() const override { return true; }
    void SetText(const std::string& Value) override;

    // The canvas of the form during OnPaint.
    TCanvas* Canvas() const { return FCanvas.get(); }

    // --- Keyboard: shortcuts and dialog keys --------------------------------------------
    // Menu items and actions of the form whose ShortCut matches; true when one ran.
    virtual bool IsShortCut(TShortCut Key);
    // Enter clicks the focused or the default button, Esc the cancel button.
    bool DialogKey(uint16_t Key, TWinControl* Focused);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    // Once the user has finished moving or sizing the window: the window system's moves and
    // sizes have come to rest for MoveSizeRestMs (one event for a whole drag, none for
    // bounds the program sets).
    TNotifyEvent OnMovedOrSized;
    static constexpr int MoveSizeRestMs = 250;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    static void DeclareProperties(TPropertyDecl<TCustomForm>& d);

    // --- The layer's own ----------------------------------------------------------------
    void FrameResized(int ClientW, int ClientH);
    void FrameMoved(int X, int Y);
    // The window system changed the window's state (a window manager's maximise or
    // restore): WindowState takes it without applying it again.
    void FrameStateChanged(TWindowState Value);
    void Activated();
    void Deactivated();
    void CloseRequested(bool& Accept);
    // Frame thickness and caption height of the border style (the platform's metrics).
    int FrameWidth() const;
    int CaptionHeight() const;
    int MenuHeight() const;
    // Disabled by another form's ShowModal (not the Enabled property).
    void SetModalDisabled(bool Value);
    bool ModalDisabled() const { return FModalDisabled; }
    // Gives the keyboard focus to the active control when the platform's focus is elsewhere
    // (after the window was disabled, or got its activation back).
    void RestoreFocus();
    void LayoutFrame();
    void ApplyWindowFlags();   // the window system's frame follows style and icons
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // Points the form's fields at the components the resource created (Bind).
    virtual void BindFields() {}
    // Field := the owned component Name; raises EComponentError when there is none or it
    // is of another class.
    template <class T> void Bind(T*& Field, std::string_view Name) const {
        TComponent* c = FindComponent(Name);
        T* typed = dynamic_cast<T*>(c);
        if (!typed) BindError(Name, c != nullptr);
        Field = typed;
    }
    [[noreturn]] void BindError(std::string_view Name, bool WrongClass) const;
    void DoShow();
    void DoHide();
    void DoClose(TCloseAction& Action);
    void CloseModal();
    TCustomForm* ModalOwner(TCustomForm* Previous, const std::vector<TCustomForm*>& Disabled) const;
    void KeepAbove(TCustomForm* Owner);
    void ApplyWindowState();
    // True for a border the user cannot resize by (not maximized); the window's minimum and
    // maximum size are then Width by Height, else free.
    bool FixedSize() const;
    void ApplySizeLimits(int Width, int Height);
    void ChangeScale(int M, int D) override;
    TColor DefaultColor() const override { return clBtnFace; }

    int FClientWidth = 0;
    int FClientHeight = 0;
    int FModalResult = mrNone;
    bool FModal = false;
    bool FModalDisabled = false;
    bool FShown = false;
    bool FInitialized = false;
    bool FInCreate = false;
    TSize FDesignClient;
    TRect FRestoreBounds;
    TWinControl* FActiveControl = nullptr;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TFormStyle FFormStyle = fsNormal;
    bool FKeyPreview = false;
    TMainMenu* FMenu = nullptr;
    bool FScaled = true;
    int FPixelsPerInch = 96;
    int FTextHeight = 13;
    bool FOldCreateOrder = false;
    bool FInFrameResize = false;
    bool FModalForced = false;
    // Restarted by every move or size of the window system's; fires OnMovedOrSized.
    std::unique_ptr<TTimer> FMoveSizeTimer;
    void MovedOrSizedByUser();
    std::unique_ptr<TCanvas> FCanvas;
    friend void ForceEndModal(TCustomForm& Form, int Result);
    void* FModalLoop = nullptr;
};

class TForm : public TCustomForm {
    ROVE_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner);
};

// --- TScreen -----------------------------------------------------------------------------
class TScreen : public TComponent {
    ROVE_CLASS(TScreen, TComponent)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;
    // The screen in pixels (the test harness may set its own size).
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return 96; }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    TWinControl* ActiveControl() const;
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const;
    int DataModuleCount() const { return static_cast<int>(FDataModules.size()); }
    TDataModule* DataModules(int Index) const;
    // The cursor shown over every window (crDefault: each control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The program's own cursors by number: a picture and its hot spot; the pixels of a
    // transparent bitmap's transparent colour are left out.
    void SetCursorImage(TCursor Index, const TBitmap& Image, int HotX, int HotY);
    bool HasCursor(TCursor Index) const;
    std::vector<std::string> Fonts() const;

    // The layer's own bookkeeping.
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void AddDataModule(TDataModule* Module);
    void RemoveDataModule(TDataModule* Module);
    void SetActiveForm(TCustomForm* Form);
    bool HasForm(const TCustomForm* Form) const;

protected:
    // A data module freed by its owner leaves the list.
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::vector<TCustomForm*> FForms;
    std::vector<TDataModule*> FDataModules;
    TCustomForm* FActiveForm = nullptr;
    TCursor FCursor = crDefault;
};

// --- TApplication ------------------------------------------------------------------------
using TExceptionEvent = TEvent<void(TObject* Sender, const Exception& E)>;
ROVE_EVENT_TYPE(TExceptionEvent)

class TApplication : public TComponent {
    ROVE_CLASS(TApplication, TComponent)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Starts the window system (a Qt application when none exists yet).
    void Initialize(int& argc, char** argv);
    void Initialize();
    bool Initialized() const;
    // Frees what the application owns (the forms) and the Qt application it started.
    void Finalize();

    // Creates a form (or data module) owned by the application into Reference; the
    // first form created becomes the main form.
    template <class T> void CreateForm(T*& Reference) {
        Reference = nullptr;
        T* instance = new T(this);
        Reference = instance;
        FormCreated(instance);
    }
    TCustomForm* MainForm() const { return FMainForm; }
    void SetMainForm(TCustomForm* Form) { FMainForm = Form; }

    // Shows the main form and runs the event loop until Terminate; returns at once
    // when Terminate came first.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    // What a long operation lets through while it waits (for a database lock): the
    // windows repaint and take the window system's other events, while typed keys and
    // clicks stay queued for later and no TTimer fires.
    void ProcessPaintMessages();
    // Waits for and handles one batch of events.
    void HandleMessage();

    // The exception boundary's end: OnException when assigned, else ShowException.
    // EAbort is silent.
    void HandleException(TObject* Sender);
    void HandleException(TObject* Sender, std::exception_ptr E);
    // The message box with the text (a full stop added) and the title as caption.
    void ShowException(const Exception& E);
    // A message box that needs no window (also before the main form exists).
    int MessageBox(const std::string& Text, const std::string& Caption, int Flags = MB_OK);

    // The title of message boxes; the executable's name until set.
    const std::string& Title() const;
    void SetTitle(const std::string& Value) { FTitle = Value; }
    std::string ExeName() const;
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value) { FShowHint = Value; }
    bool Active() const;
    void Minimize();
    void Restore();
    void BringToFront();
    // The number of modal loops running (ShowModal nesting).
    int ModalLevel() const { return FModalLevel; }

    TExceptionEvent OnException;
    TNotifyEvent OnHint;
    TNotifyEvent OnIdle;

    // The layer's own: nested loops register here so Terminate ends them.
    void EnterModalLoop(void* Loop);
    void LeaveModalLoop(void* Loop);

private:
    friend void ResetApplicationTerminated();
    void FormCreated(TComponent* Instance);
    mutable std::string FTitle;
    std::string FHint;
    bool FShowHint = true;
    bool FTerminated = false;
    bool FRunning = false;
    TCustomForm* FMainForm = nullptr;
    int FModalLevel = 0;
    std::vector<void*> FLoops;
    bool FOwnsQtApp = false;
};

// The global instances (created on first use, as the program's units expect them to be).
template <class T>
class TGlobalInstance {
public:
    using Factory = T* (*)();
    explicit constexpr TGlobalInstance(Factory f) : FFactory(f) {}
    T* operator->() const { return FFactory(); }
    operator T*() const { return FFactory(); }
    T& operator*() const { return *FFactory(); }

private:
    Factory FFactory;
};
TApplication* ApplicationInstance();
TScreen* ScreenInstance();
inline constexpr TGlobalInstance<TApplication> Application{&ApplicationInstance};
inline constexpr TGlobalInstance<TScreen> Screen{&ScreenInstance};

// The form a control is on.
TCustomForm* GetParentForm(TControl* Control);

// Esc as the Cancel of a window whose Cancel is no push button (a tool button, which the
// dialog keys do not reach), for its key handler with the key preview on: the modal result
// becomes Cancel and the key is spent, unless the control holding the focus wants the key.
// True when it did.
bool CancelOnEscape(TCustomForm& Form, uint16_t& Key, TShiftState Shift);

// Registers every class of the window layer by name for form resources; call once at
// start-up (repeated calls do nothing).
void RegisterUiClasses();
