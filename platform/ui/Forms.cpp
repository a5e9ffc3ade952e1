// TCustomForm, TScreen, TApplication: top-level windows over Qt, the modal loop with the
// disabling of the windows that exist when it starts, closing with OnCloseQuery/OnClose,
// focus tracking with OnEnter/OnExit, and the application's loops and exception boundary.
#include "platform/ui/Forms.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/QtStyle.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

ROVE_IMPLEMENT_CLASS(TCustomForm)
ROVE_IMPLEMENT_CLASS(TForm)
ROVE_IMPLEMENT_CLASS(TScreen)
ROVE_IMPLEMENT_CLASS(TApplication)

namespace {

bool IsLoading(const TComponent* c) { return c->ComponentState().Contains(csLoading); }

TSize gScreenOverride{0, 0};
TModalHook gModalHook;
int gDialogDepth = 0;

QEventLoop* LoopOf(void* p) { return static_cast<QEventLoop*>(p); }

// Every form counts its focus changes so that a handler that moves the focus itself
// (an OnExit that puts the focus back) stops the enter/exit walk.
int gFocusCount = 0;

}  // namespace

// --- Internal services -------------------------------------------------------------------

void SetScreenSizeOverride(int Width, int Height) { gScreenOverride = {Width, Height}; }
bool ScreenSizeOverridden() { return gScreenOverride.cx > 0 && gScreenOverride.cy > 0; }
void SetModalHook(TModalHook hook) { gModalHook = std::move(hook); }
int OpenDialogCount() { return gDialogDepth; }

std::string CurrentApplicationTitle() { return Application->Title(); }

// When the box goes, the window system may hand the activation to any window (a disabled
// one under a modal form among them); the form that was active gets it back, with the
// keyboard in its active control.
TDialogAnswer RunDialog(const TDialogRequest& request) {
    ++gDialogDepth;
    TCustomForm* active = Screen->ActiveForm();
    struct TGuard {
        TCustomForm* Active;
        ~TGuard() {
            --gDialogDepth;
            if (!Active || !Screen->HasForm(Active) || !Active->Showing() || Active->ModalDisabled() ||
                !Active->Enabled())
                return;
            if (QWidget* w = WidgetOf(Active)) w->activateWindow();
            Active->RestoreFocus();
        }
    } guard{active};
    return DialogService().Show(request);
}

void HandleCurrentException(std::exception_ptr e) { Application->HandleException(nullptr, e); }

bool ApplicationTerminated() { return Application->Terminated(); }

void ResetApplicationTerminated() { Application->FTerminated = false; }

void ForceEndModal(TCustomForm& Form, int Result) {
    Form.FModalForced = true;
    Form.SetModalResult(Result);
}

// =========================================================================================
// TCustomForm
// =========================================================================================

// The window system's frame for a border style and its icons: a dialog frame has no minimise
// or maximise button, a tool window only its close button, the others the buttons the icons
// name (minimise and maximise only with the system menu, as the system menu carries them).
namespace {
Qt::WindowFlags FrameFlags(TFormBorderStyle Style, TBorderIcons Icons, TFormStyle FormStyle) {
    if (Style == bsNone) return Qt::Window | Qt::FramelessWindowHint;
    const bool system = Icons.Contains(biSystemMenu);
    Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    switch (Style) {
    case bsToolWindow:
    case bsSizeToolWin: f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint; break;
    case bsDialog: f |= Qt::Dialog; break;
    default:
        if (system && Icons.Contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (system && Icons.Contains(biMaximize)) f |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (system) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (FormStyle == fsStayOnTop) f |= Qt::WindowStaysOnTopHint;
    return f;
}
}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {
    Application->Initialize();
    FVisible = false;
    FParentFont = false;
    FParentColor = false;
    FColor = clBtnFace;
    auto* frame = new THost<QWidget>(this, nullptr, FrameFlags(FBorderStyle, FBorderIcons, FFormStyle));
    frame->setAttribute(Qt::WA_QuitOnClose, false);
    frame->setAutoFillBackground(true);
    auto* client = new THost<QWidget>(this, frame);
    client->setAutoFillBackground(true);
    client->PaintsControl = true;   // OnPaint draws on the client area
    SetPeer(std::make_unique<TControlPeer>(frame, client));
    FClientWidth = 312;
    FClientHeight = 213;
    FWidth = FClientWidth + 2 * FrameWidth();
    FHeight = FClientHeight + 2 * FrameWidth() + CaptionHeight();
    ApplyFont();
    ApplyColor();
    ApplyBounds();
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
    SafeCall([&] { OnDestroy(this); });
    SetComponentStateFlag(csDestroying, true);
    if (Application->MainForm() == this) Application->SetMainForm(nullptr);
    Screen->RemoveForm(this);
    if (QWidget* w = WidgetOf(this)) w->hide();
    FActiveControl = nullptr;
    // Owned components (controls, menus, datasets) go while the form is still whole.
    DestroyComponents();
}

void TCustomForm::InitForm() {
    if (FInitialized) return;
    FInitialized = true;
    FInCreate = true;
    InitInheritedComponent(this);
    BindFields();
    SafeCall([&] { OnCreate(this); });
    FInCreate = false;
    if (FVisible && !FShown) {
        FVisible = false;
        Show();
    }
}

void TCustomForm::BindError(std::string_view Name, bool WrongClass) const {
    throw EComponentError(std::string(WrongClass ? "Component " : "Field ") + std::string(Name) +
                          (WrongClass ? " is of another class" : " not found") + " in " + ClassName());
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
}

int TCustomForm::FrameWidth() const {
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsSizeable:
    case bsSizeToolWin: return 4;
    default: return 3;
    }
}

int TCustomForm::CaptionHeight() const {
    switch (FBorderStyle) {
    case bsNone: return 0;
    case bsToolWindow:
    case bsSizeToolWin: return 16;
    default: return 19;
    }
}

int TCustomForm::MenuHeight() const { return FMenu ? 19 : 0; }

TRect TCustomForm::ClientRect() const { return Rect(0, 0, FClientWidth, FClientHeight); }

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FClientWidth = std::max(0, AWidth - 2 * FrameWidth());
    FClientHeight = std::max(0, AHeight - 2 * FrameWidth() - CaptionHeight() - MenuHeight());
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (IsLoading(this)) FDesignClient = {FClientWidth, FClientHeight};
}

void TCustomForm::SetClientWidth(int Value) { SetBounds(FLeft, FTop, Value + 2 * FrameWidth(), FHeight); }

void TCustomForm::SetClientHeight(int Value) {
    SetBounds(FLeft, FTop, FWidth, Value + 2 * FrameWidth() + CaptionHeight() + MenuHeight());
}

void TCustomForm::ApplyBounds() { LayoutFrame(); }

void TCustomForm::LayoutFrame() {
    QWidget* frame = WidgetOf(this);
    QWidget* client = ClientWidgetOf(this);
    if (!frame || !client) return;
    FInFrameResize = true;
    QMenuBar* bar = FMenu ? MenuBarOf(FMenu) : nullptr;
    const int mh = bar ? std::max(bar->sizeHint().height(), MenuHeight()) : 0;
    if (bar) bar->setGeometry(0, 0, FClientWidth, mh);
    client->setGeometry(0, mh, FClientWidth, FClientHeight);
    if (frame->pos() != QPoint(FLeft, FTop)) frame->move(FLeft, FTop);
    const QSize size(FClientWidth, FClientHeight + mh);
    ApplySizeLimits(size.width(), size.height());
    if (frame->size() != size) frame->resize(size);
    FInFrameResize = false;
}

// A window of a fixed border (bsSingle, bsDialog, bsToolWindow) cannot be resized by the
// user: its window asks the window manager for exactly its size, minimum and maximum. A
// window manager offers a window without such a limit its resize handle, a strip below the
// client area (the dialogs showed one under their buttons). The program still sizes the
// window as it likes, through the form's bounds; a maximized window has no limit.
bool TCustomForm::FixedSize() const {
    switch (FBorderStyle) {
    case bsSingle:
    case bsDialog:
    case bsToolWindow: return FWindowState != wsMaximized;
    default: return false;
    }
}

void TCustomForm::ApplySizeLimits(int Width, int Height) {
    QWidget* frame = WidgetOf(this);
    if (!frame || !frame->isWindow()) return;
    const QSize least = FixedSize() ? QSize(Width, Height) : QSize(0, 0);
    const QSize most = FixedSize() ? QSize(Width, Height) : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (frame->minimumSize() != least) frame->setMinimumSize(least);
    if (frame->maximumSize() != most) frame->setMaximumSize(most);
}

void TCustomForm::FrameResized(int ClientW, int ClientH) {
    if (FInFrameResize) return;
    ApplySizeLimits(ClientW, ClientH);
    QMenuBar* bar = FMenu ? MenuBarOf(FMenu) : nullptr;
    const int mh = bar ? std::max(bar->sizeHint().height(), MenuHeight()) : 0;
    const int ch = std::max(0, ClientH - mh);
    if (ClientW == FClientWidth && ch == FClientHeight) return;
    FClientWidth = ClientW;
    FClientHeight = ch;
    FWidth = FClientWidth + 2 * FrameWidth();
    FHeight = FClientHeight + 2 * FrameWidth() + CaptionHeight() + MenuHeight();
    FInFrameResize = true;
    if (bar) bar->setGeometry(0, 0, FClientWidth, mh);
    if (QWidget* client = ClientWidgetOf(this)) client->setGeometry(0, mh, FClientWidth, FClientHeight);
    FInFrameResize = false;
    Realign();
    SafeCall([&] { Resize(); });
    MovedOrSizedByUser();
}

void TCustomForm::FrameStateChanged(TWindowState Value) {
    // A maximised window of a test's own screen size is the form's bounds, not a state of
    // the window system's: nothing comes from there to follow.
    if (ScreenSizeOverridden() || !FShown) return;
    FWindowState = Value;
}

void TCustomForm::FrameMoved(int X, int Y) {
    if (FInFrameResize) return;
    if (X == FLeft && Y == FTop) return;
    FLeft = X;
    FTop = Y;
    MovedOrSizedByUser();
}

void TCustomForm::MovedOrSizedByUser() {
    if (!OnMovedOrSized) return;
    if (!FMoveSizeTimer) {
        FMoveSizeTimer = std::make_unique<TTimer>(nullptr);
        FMoveSizeTimer->SetInterval(MoveSizeRestMs);
        FMoveSizeTimer->OnTimer = [this](TObject*) {
            FMoveSizeTimer->SetEnabled(false);
            if (OnMovedOrSized) OnMovedOrSized(this);
        };
    }
    // Every further step of the drag starts the wait anew.
    FMoveSizeTimer->SetEnabled(false);
    FMoveSizeTimer->SetEnabled(true);
}

void TCustomForm::ScaleBy(int M, int D) { TWinControl::ScaleBy(M, D); }

// A form keeps its place and scales its client area and font.
void TCustomForm::ChangeScale(int M, int D) {
    if (M == D) return;
    const int cw = MulDiv(FClientWidth, M, D);
    const int ch = MulDiv(FClientHeight, M, D);
    SetBounds(FLeft, FTop, cw + 2 * FrameWidth(), ch + 2 * FrameWidth() + CaptionHeight() + MenuHeight());
    if (!FParentFont) FFont->SetSize(MulDiv(FFont->Size(), M, D));
}


void TCustomForm::ApplyWindowFlags() {
    QWidget* frame = WidgetOf(this);
    const Qt::WindowFlags flags = FrameFlags(FBorderStyle, FBorderIcons, FFormStyle);
    if (!frame || frame->windowFlags() == flags) return;
    const bool visible = frame->isVisible();
    // The window the form stays above is kept when the native window is made again.
    QPointer<QWindow> owner = frame->windowHandle() ? frame->windowHandle()->transientParent() : nullptr;
    frame->setWindowFlags(flags);
    if (owner) {
        frame->winId();
        if (QWindow* window = frame->windowHandle()) window->setTransientParent(owner);
    }
    LayoutFrame();
    if (visible) frame->show();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    FWidth = FClientWidth + 2 * FrameWidth();
    FHeight = FClientHeight + 2 * FrameWidth() + CaptionHeight() + MenuHeight();
    ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    FBorderIcons = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    ApplyWindowFlags();
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (Showing()) ApplyWindowState();
}

void TCustomForm::ApplyWindowState() {
    QWidget* frame = WidgetOf(this);
    if (!frame) return;
    // Free while the state changes: the new size comes back through the bounds or as the
    // window system's resize (FrameResized), which limits the window to it again.
    if (FWindowState != wsMinimized) {
        frame->setMinimumSize(0, 0);
        frame->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    switch (FWindowState) {
    case wsMaximized:
        if (ScreenSizeOverridden()) {
            FRestoreBounds = BoundsRect();
            const TRect work = Screen->WorkAreaRect();
            const int fw = FrameWidth();
            SetBounds(work.Left - fw, work.Top - fw, work.Width() + 2 * fw, work.Height() + 2 * fw);
        } else {
            frame->showMaximized();
        }
        break;
    case wsMinimized: frame->showMinimized(); break;
    case wsNormal:
        if (ScreenSizeOverridden() && !FRestoreBounds.IsEmpty()) SetBoundsRect(FRestoreBounds);
        else if (frame->isVisible()) frame->showNormal();
        break;
    }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (FMenu == Value) return;
    const int oldMenuHeight = MenuHeight();
    if (FMenu) FMenu->DetachFromForm(this);
    FMenu = Value;
    if (Value) {
        Value->FreeNotification(this);
        Value->AttachToForm(this);
    }
    FHeight += MenuHeight() - oldMenuHeight;
    LayoutFrame();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FMenu) {
        FMenu = nullptr;
        LayoutFrame();
    }
    if (AComponent == FActiveControl) FActiveControl = nullptr;
}

void TCustomForm::SetText(const std::string& Value) {
    FText = Value;
    if (QWidget* frame = WidgetOf(this)) frame->setWindowTitle(QStr(Value));
}

void TCustomForm::ApplyColor() {
    const QColor c = ToQColor(FColor);
    for (QWidget* w : {WidgetOf(this), ClientWidgetOf(this)}) {
        if (!w) continue;
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, c);
        w->setPalette(pal);
    }
}

void TCustomForm::ApplyEnabled() {
    QWidget* frame = WidgetOf(this);
    if (!frame) return;
    const bool enable = FEnabled && !FModalDisabled;
    const bool was = frame->isEnabled();
    frame->setEnabled(enable);
    // The platform drops the keyboard focus of a disabled window, and focus given to a
    // control meanwhile is not taken; the active control gets it back.
    if (enable && !was) RestoreFocus();
}

void TCustomForm::SetModalDisabled(bool Value) {
    FModalDisabled = Value;
    ApplyEnabled();
}

void TCustomForm::RestoreFocus() {
    if (!Showing() || !FActiveControl || FActiveControl == this || !FActiveControl->CanFocus()) return;
    QWidget* w = WidgetOf(FActiveControl);
    if (!w) return;
    QWidget* target = w->focusProxy() ? w->focusProxy() : w;
    if (target->focusPolicy() == Qt::NoFocus) target = w;
    if (QWidget* frame = WidgetOf(this); frame && frame->focusWidget() == target) return;
    target->setFocus(Qt::OtherFocusReason);
}

bool TCustomForm::Showing() const { return FVisible && FShown; }

void TCustomForm::SetVisible(bool Value) {
    if (FVisible == Value && (!Value || FShown || IsLoading(this) || FInCreate)) return;
    FVisible = Value;
    ApplyVisible();
}

void TCustomForm::ApplyVisible() {
    if (IsLoading(this) || FInCreate) return;
    QWidget* frame = WidgetOf(this);
    if (!frame) return;
    if (FVisible) {
        if (FShown) return;
        // A form placed inside another window keeps its place there: the screen and the
        // main form are no measure for it.
        if (!Parent()) switch (FPosition) {
        case poScreenCenter:
        case poDesktopCenter:
        case poMainFormCenter:
        case poOwnerFormCenter: {
            TCustomForm* main = Application->MainForm();
            if ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && main && main != this &&
                main->Showing()) {
                SetBounds(main->Left() + (main->Width() - FWidth) / 2, main->Top() + (main->Height() - FHeight) / 2,
                          FWidth, FHeight);
            } else {
                SetBounds((Screen->Width() - FWidth) / 2, (Screen->Height() - FHeight) / 2, FWidth, FHeight);
            }
            break;
        }
        default: break;
        }
        DoShow();
        if (!FVisible) return;   // OnShow hid the form again
        FShown = true;
        LayoutFrame();
        if (FWindowState == wsMaximized) ApplyWindowState();
        // The platform's own placement while the window appears is not the form's: the
        // form keeps the bounds it was given.
        FInFrameResize = true;
        if (FWindowState == wsMaximized && !ScreenSizeOverridden()) {
            frame->showMaximized();
        } else if (FWindowState == wsMinimized) {
            frame->showMinimized();
        } else {
            frame->show();
        }
        FInFrameResize = false;
        if (FWindowState != wsMaximized || ScreenSizeOverridden()) LayoutFrame();
        frame->raise();
        frame->activateWindow();
        Activated();
        // The first activation focuses the active control or the first one in tab order.
        if (FActiveControl && FActiveControl->CanFocus()) {
            FocusControl(FActiveControl);
        } else if (TWinControl* first = FindNextControl(nullptr, true, true, false)) {
            FocusControl(first);
        }
    } else {
        if (!FShown) return;
        FShown = false;
        frame->hide();
        DoHide();
        if (Screen->ActiveForm() == this) {
            Deactivated();
            Screen->SetActiveForm(nullptr);
            // The most recent visible form becomes the active one again.
            for (int i = Screen->FormCount() - 1; i >= 0; --i) {
                TCustomForm* f = Screen->Forms(i);
                if (f != this && f->Showing() && !f->ModalDisabled()) {
                    if (QWidget* w = WidgetOf(f)) w->activateWindow();
                    f->Activated();
                    break;
                }
            }
        }
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::BringToFront() {
    if (QWidget* frame = WidgetOf(this); frame && FShown) {
        frame->raise();
        frame->activateWindow();
    }
}

bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

void TCustomForm::SetFocus() {
    if (!FVisible || !FEnabled) throw EInvalidOperation("Cannot focus a disabled or invisible window");
    BringToFront();
    Activated();
}

void TCustomForm::DoShow() { SafeCall([&] { OnShow(this); }); }
void TCustomForm::DoHide() { SafeCall([&] { OnHide(this); }); }

void TCustomForm::Activated() {
    if (Screen->ActiveForm() == this) return;
    if (TCustomForm* old = Screen->ActiveForm()) old->Deactivated();
    Screen->SetActiveForm(this);
    SafeCall([&] { OnActivate(this); });
}

void TCustomForm::Deactivated() {
    if (Screen->ActiveForm() != this) return;
    SafeCall([&] { OnDeactivate(this); });
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (Control == FActiveControl) return;
    if (IsLoading(this) || !Showing()) {
        FActiveControl = Control;
        return;
    }
    if (Control && !Control->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FocusControl(Control);
}

void TCustomForm::FocusControl(TWinControl* Control) {
    if (!Control) return;
    // A window disabled by a modal form only records its active control: it is not the
    // active window, and it gives the focus to the control when it is enabled again.
    if (Showing() && !FModalDisabled) Activated();
    SetFocusedControl(Control);
    if (QWidget* w = WidgetOf(Control)) {
        QWidget* target = w->focusProxy() ? w->focusProxy() : w;
        if (target->focusPolicy() == Qt::NoFocus) target = w;
        target->setFocus(Qt::OtherFocusReason);
    }
}

// Moves the focus record to Control: OnExit of the controls left (the old one and its
// containers that do not hold the new one), then OnEnter of the containers entered and
// the control, outermost first. A handler that moves the focus ends the walk.
bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    if (!Control || Control == FActiveControl) return true;
    const int count = ++gFocusCount;
    TWinControl* focused = Control;
    TWinControl* active = FActiveControl;
    while (active && active != this && !active->ContainsControl(focused)) {
        TWinControl* leaving = active;
        FActiveControl = active->Parent();
        SafeCall([&] { leaving->DoExit(); });
        if (gFocusCount != count) return false;
        active = FActiveControl;
    }
    if (!active) active = this;
    while (active != focused) {
        TWinControl* temp = focused;
        while (temp->Parent() && temp->Parent() != active) temp = temp->Parent();
        if (temp->Parent() != active && temp != focused) break;
        active = temp;
        FActiveControl = temp;
        SafeCall([&] { temp->DoEnter(); });
        if (gFocusCount != count) return false;
    }
    FActiveControl = focused;
    return true;
}

void TCustomForm::ControlRemoved(TWinControl* Control) {
    for (TControl* c = FActiveControl; c; c = c->Parent())
        if (c == Control) {
            FActiveControl = nullptr;
            return;
        }
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (!SafeCall([&] { OnCloseQuery(this, canClose); })) return false;
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (!SafeCall([&] { OnClose(this, Action); })) Action = caNone;
}

void TCustomForm::Close() {
    if (FModal) {
        SetModalResult(mrCancel);
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    case caNone: break;
    }
}

void TCustomForm::CloseRequested(bool& Accept) {
    Accept = false;
    Close();
}

void TCustomForm::CloseModal() {
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    switch (action) {
    case caNone: FModalResult = mrNone; break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release() {
    Hide();
    TCustomForm* self = this;
    QTimer::singleShot(0, QCoreApplication::instance(), [self] {
        if (Screen->HasForm(self)) delete self;
    });
}

void TCustomForm::SetModalResult(int Value) {
    FModalResult = Value;
    if (FModal && Value != mrNone && FModalLoop) LoopOf(FModalLoop)->quit();
}

// The window a modal form belongs to: the form that was active when it came up, else the
// main form, else the last window it disabled.
TCustomForm* TCustomForm::ModalOwner(TCustomForm* Previous, const std::vector<TCustomForm*>& Disabled) const {
    auto usable = [this](TCustomForm* f) { return f && f != this && !f->Parent() && Screen->HasForm(f) && f->Showing(); };
    if (usable(Previous)) return Previous;
    if (Application && usable(Application->MainForm())) return Application->MainForm();
    for (auto it = Disabled.rbegin(); it != Disabled.rend(); ++it)
        if (usable(*it)) return *it;
    return nullptr;
}

// Tells the window manager that this window belongs to Owner's (a transient window), so it
// stays above it: a click on the disabled owner raises the owner, and without the link the
// window manager put the owner over its modal form, which then could not be seen.
void TCustomForm::KeepAbove(TCustomForm* Owner) {
    QWidget* w = WidgetOf(this);
    if (!w || Parent()) return;
    QWidget* ownerWidget = Owner ? WidgetOf(Owner) : nullptr;
    w->winId();   // the native window, which the link is given to before it is shown
    if (ownerWidget) ownerWidget->winId();
    if (QWindow* window = w->windowHandle())
        window->setTransientParent(ownerWidget ? ownerWidget->windowHandle() : nullptr);
}

int TCustomForm::ShowModal() {
    if (FVisible || !FEnabled || FModal) throw EInvalidOperation("Cannot make a visible window modal");
    FModal = true;
    std::vector<TCustomForm*> disabled;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* f = Screen->Forms(i);
        // A form placed inside a control is a part of that control's window, not a window
        // of its own: it is disabled with that window, and inside this form it stays usable.
        if (f->Parent()) continue;
        if (f != this && f->Showing() && !f->FModalDisabled) {
            f->SetModalDisabled(true);
            disabled.push_back(f);
        }
    }
    TCustomForm* previous = Screen->ActiveForm();
    QEventLoop loop;
    FModalLoop = &loop;
    Application->EnterModalLoop(&loop);
    struct TRestore {
        TCustomForm* Form;
        QEventLoop* Loop;
        std::vector<TCustomForm*>& Disabled;
        TCustomForm* Previous;
        ~TRestore() {
            Application->LeaveModalLoop(Loop);
            Form->FModalLoop = nullptr;
            for (TCustomForm* f : Disabled)
                if (Screen->HasForm(f)) f->SetModalDisabled(false);
            Form->FModal = false;
            if (Previous && Previous != Form && Screen->HasForm(Previous) && Previous->Showing()) {
                if (QWidget* w = WidgetOf(Previous)) w->activateWindow();
                Previous->Activated();
            }
        }
    } restore{this, &loop, disabled, previous};
    KeepAbove(ModalOwner(previous, disabled));
    Show();
    FModalResult = mrNone;
    FModalForced = false;
    do {
        // The test harness drives the form each time its loop starts.
        if (gModalHook && !Application->Terminated()) {
            TCustomForm* self = this;
            QTimer::singleShot(0, &loop, [self] {
                if (self->FModal && self->FModalResult == mrNone) gModalHook(*self);
            });
        }
        if (!Application->Terminated() && FModalResult == mrNone) loop.exec();
        if (Application->Terminated()) FModalResult = mrCancel;
        else if (FModalForced) break;
        else if (FModalResult != mrNone) CloseModal();
    } while (FModalResult == mrNone);
    const int result = FModalResult;
    Hide();
    return result;
}

bool TCustomForm::IsShortCut(TShortCut Key) {
    bool handled = false;
    SafeCall([&] { OnShortCut(Key, handled); });
    if (handled) return true;
    if (FMenu && FMenu->IsShortCut(Key)) return true;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* list = dynamic_cast<TCustomActionList*>(Components(i)))
            if (list->IsShortCut(Key)) return true;
    return false;
}

namespace {

void CollectButtons(TWinControl* parent, std::vector<TButton*>& out) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c)) out.push_back(b);
        if (auto* w = dynamic_cast<TWinControl*>(c)) CollectButtons(w, out);
    }
}

}  // namespace

bool CancelOnEscape(TCustomForm& Form, uint16_t& Key, TShiftState Shift) {
    if (Key != VK_ESCAPE) return false;
    if (TWinControl* c = Form.ActiveControl(); c && c->WantsKey(Key, Shift)) return false;
    Key = 0;
    Form.SetModalResult(mrCancel);
    return true;
}

bool TCustomForm::DialogKey(uint16_t Key, TWinControl* Focused) {
    if (Key != VK_RETURN && Key != VK_ESCAPE) return false;
    if (Key == VK_RETURN)
        if (auto* b = dynamic_cast<TButton*>(Focused)) {
            SafeCall([&] { b->Click(); });
            return true;
        }
    std::vector<TButton*> buttons;
    CollectButtons(this, buttons);
    for (TButton* b : buttons) {
        const bool match = Key == VK_RETURN ? b->Default() : b->Cancel();
        if (match && b->Showing() && b->Enabled()) {
            SafeCall([&] { b->Click(); });
            return true;
        }
    }
    return false;
}

void TCustomForm::DeclareProperties(TPropertyDecl<TCustomForm>& d) {
    d.Property("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    d.Property("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
        .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Mask());
    d.Property("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
    d.Property("Caption", &TControl::Caption, &TControl::SetCaption);
    d.Property("ClientHeight", &TControl::ClientHeight, &TCustomForm::SetClientHeight).NoDefault();
    d.Property("ClientWidth", &TControl::ClientWidth, &TCustomForm::SetClientWidth).NoDefault();
    d.Property("Color", ColorTypeInfo(), &TControl::Color, &TControl::SetColor).Default(clBtnFace);
    d.Property("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
    d.Property("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
    d.Property("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
    d.Property("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder).Default(false);
    d.Property("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch).Default(96);
    d.Property("Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDesigned);
    d.Property("Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled).Default(true);
    d.Property("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight).Default(13);
    d.Property("Visible", &TControl::Visible, &TCustomForm::SetVisible).Default(false);
    d.Property("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
    d.Property("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).Default(false);
    d.Event("OnActivate", &TCustomForm::OnActivate);
    d.Event("OnClose", &TCustomForm::OnClose);
    d.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
    d.Event("OnCreate", &TCustomForm::OnCreate);
    d.Event("OnDeactivate", &TCustomForm::OnDeactivate);
    d.Event("OnDestroy", &TCustomForm::OnDestroy);
    d.Event("OnHide", &TCustomForm::OnHide);
    d.Event("OnPaint", &TCustomForm::OnPaint);
    d.Event("OnShortCut", &TCustomForm::OnShortCut);
    d.Event("OnShow", &TCustomForm::OnShow);
}

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}

TCustomForm* GetParentForm(TControl* Control) { return Control ? Control->ParentForm() : nullptr; }

// =========================================================================================
// TScreen
// =========================================================================================

namespace {
// The program's own cursors: the picture (transparent where the bitmap is) and the hot
// spot; the cursor itself is made when first used, so that cursors can be installed
// before the window system is up.
struct TCursorEntry {
    QImage Image;
    int HotX = 0;
    int HotY = 0;
    std::optional<QCursor> Cursor;
};
std::map<TCursor, TCursorEntry>& CursorTable() {
    static std::map<TCursor, TCursorEntry> table;
    return table;
}
}  // namespace

QCursor ScreenCursor(TCursor cursor) {
    auto it = CursorTable().find(cursor);
    if (it == CursorTable().end()) return QCursor(Qt::ArrowCursor);
    TCursorEntry& e = it->second;
    if (!e.Cursor) e.Cursor = QCursor(QPixmap::fromImage(e.Image), e.HotX, e.HotY);
    return *e.Cursor;
}

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}
TScreen::~TScreen() = default;

int TScreen::Width() const {
    if (ScreenSizeOverridden()) return gScreenOverride.cx;
    if (QGuiApplication::instance())
        if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().width();
    return 1024;
}

int TScreen::Height() const {
    if (ScreenSizeOverridden()) return gScreenOverride.cy;
    if (QGuiApplication::instance())
        if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().height();
    return 768;
}

TRect TScreen::WorkAreaRect() const {
    if (!ScreenSizeOverridden() && QGuiApplication::instance())
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            QRect r = s->availableGeometry();
            return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
        }
    return Rect(0, 0, Width(), Height());
}

TWinControl* TScreen::ActiveControl() const { return FActiveForm ? FActiveForm->ActiveControl() : nullptr; }

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FForms[Index];
}

TDataModule* TScreen::DataModules(int Index) const {
    if (Index < 0 || Index >= DataModuleCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FDataModules[Index];
}

void TScreen::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    if (FCursor != crDefault && QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
    FCursor = Value;
    if (Value != crDefault && QGuiApplication::instance())
        QGuiApplication::setOverrideCursor(Value > 0 ? ScreenCursor(Value) : QCursor(Qt::WaitCursor));
}

void TScreen::SetCursorImage(TCursor Index, const TBitmap& Image, int HotX, int HotY) {
    QImage image = BitmapImage(Image).convertToFormat(QImage::Format_ARGB32);
    if (Image.Transparent()) {
        const QRgb key = ToQColor(Image.TransparentColor()).rgb() & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
        }
    }
    CursorTable()[Index] = TCursorEntry{std::move(image), HotX, HotY, std::nullopt};
}

bool TScreen::HasCursor(TCursor Index) const { return CursorTable().count(Index) != 0; }

std::vector<std::string> TScreen::Fonts() const {
    std::vector<std::string> out;
    for (const QString& f : QFontDatabase::families()) out.push_back(StdStr(f));
    return out;
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form) FActiveForm = nullptr;
}

void TScreen::AddDataModule(TDataModule* Module) {
    if (std::find(FDataModules.begin(), FDataModules.end(), Module) != FDataModules.end()) return;
    FDataModules.push_back(Module);
    Module->FreeNotification(this);
}

void TScreen::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    // Sent while the module is being destroyed, when it is only a TComponent any more:
    // match by address.
    if (Operation != opRemove) return;
    std::erase_if(FDataModules, [&](TDataModule* m) { return static_cast<TComponent*>(m) == AComponent; });
}

void TScreen::RemoveDataModule(TDataModule* Module) {
    FDataModules.erase(std::remove(FDataModules.begin(), FDataModules.end(), Module), FDataModules.end());
}

void TScreen::SetActiveForm(TCustomForm* Form) { FActiveForm = Form; }

bool TScreen::HasForm(const TCustomForm* Form) const {
    return std::find(FForms.begin(), FForms.end(), Form) != FForms.end();
}

// =========================================================================================
// TApplication
// =========================================================================================

TApplication* ApplicationInstance() {
    static TApplication* instance = new TApplication(nullptr);
    return instance;
}

TScreen* ScreenInstance() {
    static TScreen* instance = new TScreen(nullptr);
    return instance;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

namespace {
// Screen geometry is 96-dpi pixels: Qt's scaling stays off, and one style draws the same
// controls on every desktop.
void PrepareQt() {
    if (!std::getenv("QT_ENABLE_HIGHDPI_SCALING")) setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
}
// The platform's own texts (standard dialogs, edit menus) in Chinese, as the system's
// are, when the platform's translations are installed.
void TranslateQt() {
    static QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}
void StyleQt() {
    static bool done = false;
    if (done) return;
    done = true;
    QApplication::setStyle(NewPlatformStyle());
    TranslateQt();
}
}  // namespace

void TApplication::Initialize(int& argc, char** argv) {
    if (!QCoreApplication::instance()) {
        PrepareQt();
        new QApplication(argc, argv);
        FOwnsQtApp = true;
    }
    Initialize();
}

void TApplication::Initialize() {
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "rove";
        static char* argv[] = {name, nullptr};
        PrepareQt();
        new QApplication(argc, argv);
        FOwnsQtApp = true;
    }
    StyleQt();
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        app->setQuitOnLastWindowClosed(false);
    RegisterUiClasses();
}

bool TApplication::Initialized() const { return QCoreApplication::instance() != nullptr; }

void TApplication::Finalize() {
    DestroyComponents();
    if (FOwnsQtApp) {
        delete QCoreApplication::instance();
        FOwnsQtApp = false;
    }
}

void TApplication::FormCreated(TComponent* Instance) {
    if (auto* form = dynamic_cast<TCustomForm*>(Instance)) {
        if (!FMainForm) FMainForm = form;
    } else if (auto* module = dynamic_cast<TDataModule*>(Instance)) {
        Screen->AddDataModule(module);
    }
}

void TApplication::Run() {
    if (FTerminated) return;
    FRunning = true;
    if (FMainForm) SafeCall([&] { FMainForm->Show(); });
    QEventLoop loop;
    EnterModalLoop(&loop);
    while (!FTerminated) {
        // Under the test harness time is virtual: an idle loop moves it to the next timer.
        if (ManualTimers())
            HandleMessage();
        else
            loop.exec();
    }
    LeaveModalLoop(&loop);
    FRunning = false;
}

void TApplication::Terminate() {
    FTerminated = true;
    for (void* l : FLoops) LoopOf(l)->quit();
}

void TApplication::ProcessMessages() {
    if (!QCoreApplication::instance()) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::ProcessPaintMessages() {
    if (!QCoreApplication::instance()) return;
    HoldTimers(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    HoldTimers(false);
}

void TApplication::HandleMessage() {
    if (!QCoreApplication::instance()) return;
    if (ManualTimers()) {
        ProcessMessages();
        if (ElapseToNextManualTimer()) return;
        // No timer to move to: wait for a real event, but not for long, so that a caller
        // whose condition changed while the messages above ran gets to look at it again.
        QTimer::singleShot(10, QCoreApplication::instance(), [] {});
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::EnterModalLoop(void* Loop) {
    FLoops.push_back(Loop);
    ++FModalLevel;
}

void TApplication::LeaveModalLoop(void* Loop) {
    FLoops.erase(std::remove(FLoops.begin(), FLoops.end(), Loop), FLoops.end());
    --FModalLevel;
}

void TApplication::HandleException(TObject* Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject* Sender, std::exception_ptr E) {
    if (!E) return;
    try {
        std::rethrow_exception(E);
    } catch (const EAbort&) {
        // EAbort leaves a handler silently.
    } catch (const Exception& ex) {
        if (OnException.Assigned()) {
            try {
                OnException(Sender, ex);
            } catch (const Exception& inner) {
                ShowException(inner);
            } catch (...) {
            }
        } else {
            ShowException(ex);
        }
    } catch (const std::exception& ex) {
        Exception wrapped(ex.what());
        if (OnException.Assigned()) {
            try {
                OnException(Sender, wrapped);
            } catch (...) {
            }
        } else {
            ShowException(wrapped);
        }
    } catch (...) {
        ShowException(Exception("Unknown exception"));
    }
}

// The text with a full stop when it does not end in one (as the class library shows it).
void TApplication::ShowException(const Exception& E) {
    std::string msg = E.Message();
    if (!msg.empty()) {
        size_t pos = 0, last = 0;
        char32_t lastChar = 0;
        while (pos < msg.size()) {
            last = pos;
            lastChar = NextCodePoint(msg, pos);
        }
        (void)last;
        if (lastChar > U'.') msg += '.';
    }
    MessageBox(msg, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, int Flags) {
    TDialogRequest r;
    r.Kind = TDialogKind::MessageBox;
    r.Text = Text;
    r.Caption = Caption.empty() ? std::string("错误") : Caption;
    r.Flags = Flags;
    return RunDialog(r).Result;
}

std::string TApplication::ExeName() const {
    if (!QCoreApplication::instance()) return {};
    return StdStr(QCoreApplication::applicationFilePath());
}

const std::string& TApplication::Title() const {
    if (FTitle.empty() && QCoreApplication::instance()) {
        FTitle = StdStr(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    }
    return FTitle;
}

void TApplication::SetHint(const std::string& Value) {
    if (FHint == Value) return;
    FHint = Value;
    SafeCall([&] { OnHint(this); });
}

bool TApplication::Active() const { return QGuiApplication::instance() && QGuiApplication::applicationState() == Qt::ApplicationActive; }

void TApplication::Minimize() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (QWidget* w = WidgetOf(Screen->Forms(i)); w && w->isVisible()) w->showMinimized();
}

void TApplication::Restore() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (QWidget* w = WidgetOf(Screen->Forms(i)); w && w->isMinimized()) w->showNormal();
}

void TApplication::BringToFront() {
    if (TCustomForm* f = Screen->ActiveForm() ? Screen->ActiveForm() : FMainForm) f->BringToFront();
}
