// The test harness: scripted dialog answers with a record, modal drivers, and input given
// to Qt as the window system gives it (QWindowSystemInterface, the entry the platform
// plugins and QTest use), so that Qt itself picks the widget under the mouse, moves the
// focus by the widgets' focus policies and hands keys to the focused widget.
#include "platform/ui/UiTest.h"

#include "platform/graphics/QtBridge.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/ComCtrls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtKeys.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/Shell.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/UiInternal.h"

#include <QAbstractScrollArea>
#include <QBackingStore>
#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QAbstractItemView>
#include <QComboBox>
#include <QRadioButton>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QStyleHints>
#include <QToolTip>
#include <QHelpEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <qpa/qwindowsysteminterface.h>
#include <qpa/qwindowsysteminterface_p.h>
#include <QtWidgets/private/qmenu_p.h>

namespace {

TUiTestHarness* gHarness = nullptr;

int DefaultMessageAnswer(const TDialogRequest& r) {
    if (r.Kind == TDialogKind::MessageBox) {
        switch (r.Flags & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
        case MB_RETRYCANCEL: return IDCANCEL;
        case MB_YESNO: return IDNO;
        case MB_ABORTRETRYIGNORE: return IDABORT;
        default: return IDOK;
        }
    }
    if (r.Flags & (1 << mbCancel)) return mrCancel;
    if (r.Flags & (1 << mbNo)) return mrNo;
    return mrOk;
}

bool SingleOkButton(const TDialogRequest& r) {
    if (r.Kind == TDialogKind::MessageBox) return (r.Flags & MB_TYPEMASK) == MB_OK;
    if (r.Kind == TDialogKind::MessageDlg) return r.Flags == 0 || r.Flags == (1 << mbOK);
    return false;
}

QString KeyText(uint16_t vk, TShiftState shift) {
    if (shift & (ssCtrl | ssAlt)) {
        if ((shift & ssCtrl) && vk >= 'A' && vk <= 'Z') return QString(QChar(char16_t(vk - 'A' + 1)));
        return {};
    }
    if (vk >= 'A' && vk <= 'Z') return QString(QChar(char16_t((shift & ssShift) ? vk : vk + 32)));
    if (vk >= '0' && vk <= '9' && !(shift & ssShift)) return QString(QChar(char16_t(vk)));
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return QString(QChar(char16_t('0' + vk - VK_NUMPAD0)));
    switch (vk) {
    case VK_SPACE: return QStringLiteral(" ");
    case VK_RETURN: return QStringLiteral("\r");
    case VK_BACK: return QStringLiteral("\b");
    case VK_TAB: return QStringLiteral("\t");
    case VK_ESCAPE: return QString(QChar(char16_t(27)));
    case VK_OEM_PERIOD: return QStringLiteral(".");
    case VK_DECIMAL: return QStringLiteral(".");
    case VK_OEM_MINUS: return (shift & ssShift) ? QStringLiteral("_") : QStringLiteral("-");
    case VK_SUBTRACT: return QStringLiteral("-");
    case VK_OEM_COMMA: return QStringLiteral(",");
    default: return {};
    }
}

int QtKeyOfCodePoint(char32_t c) {
    if (c >= 'a' && c <= 'z') return Qt::Key_A + int(c - 'a');
    if (c >= 'A' && c <= 'Z') return Qt::Key_A + int(c - 'A');
    if (c >= '0' && c <= '9') return Qt::Key_0 + int(c - '0');
    if (c == ' ') return Qt::Key_Space;
    if (c < 128) return int(c);   // Qt's keys of printable ASCII are their codes
    return Qt::Key_unknown;
}

Qt::MouseButton QtButton(TMouseButton button) {
    return button == mbRight ? Qt::RightButton : button == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

// --- Naming what the test pointed at (for the failure messages) --------------------------

std::string Describe(const TControl* c) {
    if (!c) return "no control";
    std::string s = c->Name().empty() ? "a " + c->ClassName() : c->Name() + " (" + c->ClassName() + ")";
    const TControl* top = c;
    while (top->Parent()) top = top->Parent();
    if (top != c && dynamic_cast<const TCustomForm*>(top))
        s += " on " + (top->Name().empty() ? "a " + top->ClassName() : top->Name());
    return s;
}

std::string DescribeWidget(const QWidget* w) {
    if (!w) return "nothing";
    if (TControl* c = ControlOfWidget(w)) return Describe(c);
    return std::string("a ") + w->metaObject()->className() + " of no control";
}

std::string Call(const char* action, const TControl* c) { return std::string(action) + "(" + Describe(c) + ")"; }

// Harness calls into the program under way: input being delivered, a modal driver or a
// pop-up handler running, timers firing.
int gInside = 0;
struct TInside {
    TInside() { ++gInside; }
    ~TInside() { --gInside; }
    TInside(const TInside&) = delete;
    TInside& operator=(const TInside&) = delete;
};

void PendFailure(const std::string& message);

// A failure met inside the program (in a handler, a driver, a timer) may be caught by the
// program's exception boundary on its way out: it is recorded first, and the program's
// loops end, so that the test fails where it is instead of waiting for ever.
[[noreturn]] void Fail(const std::string& message) {
    const std::string text = "input: " + message;
    if (gInside > 0) PendFailure(text);
    throw EUiTestFailure(text);
}

// --- The window manager -------------------------------------------------------------------

// What a window manager grants: the offscreen platform activates every window it shows,
// while a desktop's window manager focuses no pop-up (drop-down lists, menus: Qt's popup
// mode gives them the keys), no tool tip, no window that takes no focus, and no window
// shown without activation (a tool window beside a field that keeps the keyboard).
class TWindowManager final : public QWindowSystemEventHandler {
public:
    bool sendEvent(QWindowSystemInterfacePrivate::WindowSystemEvent* e) override {
        if (e->type == QWindowSystemInterfacePrivate::ActivatedWindow) {
            auto* a = static_cast<QWindowSystemInterfacePrivate::ActivatedWindowEvent*>(e);
            if (QWindow* w = a->activated; w && !Activates(w)) return true;
        }
        return QWindowSystemEventHandler::sendEvent(e);
    }
    static bool Activates(const QWindow* w) {
        const Qt::WindowType type = w->type();
        if (type == Qt::Popup || type == Qt::ToolTip) return false;
        if (w->flags() & Qt::WindowDoesNotAcceptFocus) return false;
        return !w->property("_q_showWithoutActivating").toBool();
    }
};

// --- The state of the input devices -------------------------------------------------------

struct TPointer {
    // The window system's clock of input events, in milliseconds: separate clicks lie
    // further apart than a double click, so that only DblClick makes one.
    ulong Time = 1000;
    Qt::MouseButtons Held;
    QPointer<QWindow> Grab;    // took the press of the held buttons: it keeps the mouse
    QPointer<QWindow> Under;   // the window the pointer is in
    QPointF Last;              // where it is on the screen
    // Buttons let go while a modal form or pop-up menu that their press opened was
    // handled: the test's own MouseUp of them comes after and has nothing left to do.
    Qt::MouseButtons LetGo;
    // A move without buttons arms the tool tip of the widget under the pointer; it shows
    // once the pointer has rested there long enough (virtual milliseconds since the move).
    bool TipArmed = false;
    int Rested = 0;
};
TPointer gPointer;
TWindowManager gWindowManager;

ulong Tick() { return ++gPointer.Time; }
void ClickGap() { gPointer.Time += ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval()) + 100; }

// Tests run offscreen; with screenshots asked for they run on a real display, where the
// window manager answers over the wire: the harness waits for that answer (a second or
// two at most), as a user waits for a window to come up.
bool Offscreen() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void WaitForDisplay(const std::function<bool()>& Done) {
    if (Offscreen() || Done()) return;
    QElapsedTimer waited;
    waited.start();
    while (!Done() && waited.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window system catches up before input arrives: windows shown meanwhile are mapped and
// activated, as they are before a user can reach them. Keys queued by PostKey stay queued:
// they come when the program next lets the window answer.
void CatchUp() {
    TInside inside;
    QWindowSystemInterface::flushWindowSystemEvents(QEventLoop::ExcludeUserInputEvents);
}

TShiftState HeldBits() {
    TShiftState s = 0;
    if (gPointer.Held & Qt::LeftButton) s |= ssLeft;
    if (gPointer.Held & Qt::RightButton) s |= ssRight;
    if (gPointer.Held & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

Qt::KeyboardModifiers KeyModifiers(TShiftState shift) { return ModifiersOf(shift & (ssShift | ssCtrl | ssAlt)); }

// A point of the screen as the window system reports it to one window.
struct TWindowPoint {
    QPointer<QWindow> Window;
    QPointF Local;
    QPointF Global;
};

TWindowPoint InWindow(QWindow* window, QPoint global) {
    return {window, QPointF(window->mapFromGlobal(global)), QPointF(global)};
}

// Where Pos of Control (client coordinates) lies on the screen, and its top-level window.
// With MustShow, the click must reach Control there: Control shows, the point lies in its
// window, and the widget under the point is Control's own.
TWindowPoint Locate(const char* action, TControl* control, TPoint pos, bool mustShow) {
    if (!control) Fail(std::string(action) + ": no control given");
    QWidget* w = WidgetOf(control);
    if (!w) Fail(Call(action, control) + ": the control has no window of its own");
    QWidget* client = ClientWidgetOf(control);
    if (!client) client = w;
    QWidget* top = w->window();
    QWindow* window = top->windowHandle();
    WaitForDisplay([&] { return !window || !window->isVisible() || window->isExposed(); });
    if (!top->isVisible() || !window || !window->isVisible())
        Fail(Call(action, control) + ": its window, " + DescribeWidget(top) + ", is not shown" +
             (top->isVisible() ? " (the window system has not mapped it)" : ""));
    // Through the widgets' own geometry up to the top-level window: a form placed inside
    // another window keeps a native window of its own, whose position the window system
    // gives relative to its parent.
    const QPoint inTop = client == top ? QPoint(pos.X, pos.Y) : client->mapTo(top, QPoint(pos.X, pos.Y));
    const QPoint global = top->mapToGlobal(inTop);
    if (mustShow) {
        const std::string at = " at (" + std::to_string(pos.X) + ", " + std::to_string(pos.Y) + ")";
        if (!w->isVisible()) {
            const QWidget* hidden = w;
            while (hidden->parentWidget() && !hidden->isHidden()) hidden = hidden->parentWidget();
            Fail(Call(action, control) + ": the control is hidden" +
                 (hidden == w ? std::string() : " (" + DescribeWidget(hidden) + " is hidden)"));
        }
        const QPoint local = inTop;
        if (!top->rect().contains(local))
            Fail(Call(action, control) + at + ": the point lies outside its window (" + std::to_string(local.x()) +
                 ", " + std::to_string(local.y()) + " of " + std::to_string(top->width()) + " x " +
                 std::to_string(top->height()) + ")");
        QWidget* under = top->childAt(local);
        if (!under) under = top;
        if (ControlOfWidget(under) != control)
            Fail(Call(action, control) + at + ": " + DescribeWidget(under) + " lies there");
    }
    return InWindow(window, global);
}

void SendMouse(const TWindowPoint& at, QEvent::Type type, Qt::MouseButton button, TShiftState shift) {
    if (!at.Window) return;
    gPointer.Last = at.Global;
    gPointer.TipArmed = type == QEvent::MouseMove && !gPointer.Held;
    gPointer.Rested = 0;
    TInside inside;
    QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::SynchronousDelivery>(
        at.Window, Tick(), at.Local, at.Global, gPointer.Held, button, type, KeyModifiers(shift));
}

// The pointer enters the window of a move or press (none while a button is held: the window
// that took the press keeps the mouse).
void PointerTo(const TWindowPoint& at) {
    if (gPointer.Held || gPointer.Under == at.Window) return;
    TInside inside;
    if (gPointer.Under) QWindowSystemInterface::handleLeaveEvent<QWindowSystemInterface::SynchronousDelivery>(gPointer.Under);
    if (at.Window)
        QWindowSystemInterface::handleEnterEvent<QWindowSystemInterface::SynchronousDelivery>(at.Window, at.Local,
                                                                                              at.Global);
    gPointer.Under = at.Window;
}

// The pointer goes to a press: it enters the window and moves there first, as a hand on a
// mouse takes it.
void MoveTo(const TWindowPoint& at, TShiftState shift) {
    const bool moved = gPointer.Under != at.Window || gPointer.Last != at.Global;
    PointerTo(at);
    if (moved) SendMouse(at, QEvent::MouseMove, Qt::NoButton, shift);
}

// A click on a window that is not active activates it, as a window manager does; not while
// a pop-up is open (it holds the mouse, and the click goes to it first).
void ActivateOnClick(QWindow* window) {
    if (!window || QApplication::activePopupWidget() || QGuiApplication::focusWindow() == window) return;
    if (!TWindowManager::Activates(window)) return;
    TInside inside;
    if (!Offscreen()) {
        // A real window manager activates the window it is asked to.
        window->requestActivate();
        WaitForDisplay([window] { return QGuiApplication::focusWindow() == window; });
        return;
    }
    QWindowSystemInterface::handleWindowActivated<QWindowSystemInterface::SynchronousDelivery>(
        window, Qt::ActiveWindowFocusReason);
}

void Press(const TWindowPoint& at, Qt::MouseButton button, TShiftState shift) {
    gPointer.LetGo &= ~Qt::MouseButtons(button);
    ActivateOnClick(at.Window);
    if (!gPointer.Held) gPointer.Grab = at.Window;
    gPointer.Held |= button;
    SendMouse(at, QEvent::MouseButtonPress, button, shift);
}

// The release goes to the window that took the press (when it is still there). A button
// let go already (see ReleaseHeld) is not released twice.
void Release(QPoint global, Qt::MouseButton button, TShiftState shift) {
    if (!(gPointer.Held & button)) return;
    QPointer<QWindow> grab = gPointer.Grab;
    gPointer.Held &= ~Qt::MouseButtons(button);
    if (!gPointer.Held) gPointer.Grab = nullptr;
    if (grab) SendMouse(InWindow(grab, global), QEvent::MouseButtonRelease, button, shift);
}

// A press that opened a modal form or a pop-up menu: the user lets go of the button before
// acting in it, where the pointer is.
void ReleaseHeld() {
    if (!gPointer.Held) return;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (gPointer.Held & b) {
            Release(gPointer.Last.toPoint(), b, 0);
            gPointer.LetGo |= b;
        }
    ClickGap();
}

// Where keys go: the focus window of the window system.
QWindow* KeyWindow(const std::string& call) {
    WaitForDisplay([] { return QGuiApplication::focusWindow() != nullptr; });
    QWindow* window = QGuiApplication::focusWindow();
    if (!window) Fail(call + ": no window is active");
    return window;
}

// Control must hold the keyboard focus, or contain the widget that holds it.
void ExpectFocus(const char* action, TWinControl* control) {
    if (!control) Fail(std::string(action) + ": no control given");
    KeyWindow(Call(action, control));
    const auto holderNow = [] {
        QWidget* focus = QApplication::focusWidget();
        return focus ? ControlOfWidget(focus) : ControlOfWidget(QApplication::activeWindow());
    };
    WaitForDisplay([&] {
        const TControl* h = holderNow();
        return h == control || (h && control->ContainsControl(h));
    });
    const TControl* holder = holderNow();
    if (holder == control || (holder && control->ContainsControl(holder))) return;
    QWidget* focus = QApplication::focusWidget();
    Fail(Call(action, control) + ": the keyboard focus is on " +
         (focus ? DescribeWidget(focus) : "no control (of " + DescribeWidget(QApplication::activeWindow()) + ")"));
}

void DeliverKey(const std::string& call, int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QPointer<QWindow> window = KeyWindow(call);
    TInside inside;
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
        window, Tick(), QEvent::KeyPress, qtKey, mods, text);
    // The release goes to the window that has the focus now (the key may have opened or
    // closed one).
    if (QWindow* now = QGuiApplication::focusWindow())
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            now, Tick(), QEvent::KeyRelease, qtKey, mods, text);
}

void DeliverVirtualKey(const std::string& call, uint16_t key, TShiftState shift) {
    DeliverKey(call, QtKeyOfVirtual(key), ModifiersOf(shift), KeyText(key, shift));
}

void DeliverText(const std::string& call, const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextCodePoint(text, pos);
        const Qt::KeyboardModifiers mods = (c >= 'A' && c <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        DeliverKey(call, QtKeyOfCodePoint(c), mods, QString::fromUcs4(&c, 1));
    }
}

// An input method commits its text to the focus object of the focus window.
void DeliverCommit(const std::string& call, const std::string& text) {
    KeyWindow(call);
    QObject* target = QGuiApplication::focusObject();
    if (!target) Fail(call + ": nothing takes the text");
    QInputMethodEvent e;
    e.setCommitString(QStr(text));
    TInside inside;
    QCoreApplication::sendEvent(target, &e);
}

// Where a click lands by default: the centre, or the indicator of check boxes and radio
// buttons (their text may not reach the middle).
TPoint Centre(TControl* c) {
    QWidget* w = WidgetOf(c);
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) return {6, c->ClientHeight() / 2};
    return {c->ClientWidth() / 2, c->ClientHeight() / 2};
}

// --- Direct delivery: straight to the control's widget, focused by force ------------------

QWidget* DirectKeyTarget(TWinControl* control) {
    QWidget* w = WidgetOf(control);
    if (!w) return nullptr;
    // An editor open inside the control (a tree node's label being edited) takes the keys.
    if (QWidget* f = QApplication::focusWidget(); f && f != w && w->isAncestorOf(f) && ControlOfWidget(f) == control)
        return f;
    if (auto* combo = qobject_cast<QComboBox*>(w); combo && combo->lineEdit()) return combo->lineEdit();
    return w;
}

void DirectFocus(TWinControl* control) {
    if (!control->CanFocus()) return;
    if (!control->Focused()) SafeCall([&] { control->SetFocus(); });
}

void DirectKey(QWidget* target, int qtKey, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
    QApplication::sendEvent(target, &release);
}

void DirectMouse(TControl* control, QEvent::Type type, TPoint pos, TMouseButton button, TShiftState shift) {
    QWidget* target = WidgetOf(control);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(target)) target = area->viewport();
    else if (auto* form = dynamic_cast<TCustomForm*>(control)) target = ClientWidgetOf(form);
    if (!target) return;
    QWidget* client = ClientWidgetOf(control);
    QPoint local(pos.X, pos.Y);
    if (client && client != target) local = target->mapFromGlobal(client->mapToGlobal(local));
    const Qt::MouseButton b = QtButton(button);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
    QMouseEvent e(type, QPointF(local), QPointF(target->mapToGlobal(local)), b, held, ModifiersOf(shift));
    QApplication::sendEvent(target, &e);
}

}  // namespace

// Failures met where they cannot be thrown to the test wait in the harness until the test's
// next harness call returns.
struct THarnessAccess {
    static void Pend(const std::string& message) {
        if (!gHarness) return;
        if (gHarness->FPendingFailure == message) return;
        gHarness->FErrors.push_back(message);
        if (!gHarness->FPendingFailure) gHarness->FPendingFailure = message;
        // The test cannot go on: the program's loops end (a main loop waiting for the user
        // would wait for ever), and the test's next harness call throws.
        Application->Terminate();
    }
    static void DriveOwnMenu(QMenu& Menu);
    static void ThrowPending() {
        if (!gHarness || !gHarness->FPendingFailure) return;
        const std::string message = *gHarness->FPendingFailure;
        gHarness->FPendingFailure.reset();
        throw EUiTestFailure(message);
    }
};

namespace {
void PendFailure(const std::string& message) { THarnessAccess::Pend(message); }

void Done() {
    CatchUp();
    THarnessAccess::ThrowPending();
}
}  // namespace

namespace {
// The pointer rests: once it has rested over a widget for the style's wake-up delay (a
// short one while a tip already shows), in a window that is active, the widget is asked
// for its tool tip as the application asks it, and shows it. The application's own
// wake-up timer runs on the real clock, which a test does not wait for; the virtual clock
// stands in for it.
void RestPointer(int Milliseconds) {
    if (!gPointer.TipArmed || gPointer.Held || !gPointer.Under) return;
    gPointer.Rested += Milliseconds;
    QWidget* top = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == gPointer.Under) top = w;
    if (!top || !top->isVisible()) return;
    const QPoint global = gPointer.Last.toPoint();
    QWidget* under = top->childAt(top->mapFromGlobal(global));
    if (!under) under = top;
    const int delay = QToolTip::isVisible()
                          ? 20
                          : under->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, under, nullptr);
    if (gPointer.Rested < delay) return;
    gPointer.TipArmed = false;
    bool active = top->testAttribute(Qt::WA_AlwaysShowToolTips);
    for (QWidget* w = top; w && !active; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        active = w->isActiveWindow();
    if (!active) return;
    QHelpEvent help(QEvent::ToolTip, under->mapFromGlobal(global), global);
    TInside inside;
    QCoreApplication::sendEvent(under, &help);
}

// Tool tips the test left on the screen go at once (the tip's own fade runs on the real
// clock).
void HideToolTips() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel")) w->hide();
    gPointer.TipArmed = false;
}
}  // namespace

namespace {
// The commands a Qt menu offers a user: shown, enabled, no separators.
std::vector<QAction*> OfferedActions(QMenu& menu) {
    std::vector<QAction*> out;
    for (QAction* a : menu.actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !menu.actionGeometry(a).isEmpty())
            out.push_back(a);
    return out;
}

// A menu Qt runs in a loop of its own (QMenu::exec): input from the test cannot reach it
// from outside, so the harness acts in it from inside that loop, where its show posted the
// call. A menu that only pops up (a menu bar's) takes the test's clicks as they come.
class TMenuWatch final : public QObject {
public:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (Event->type() == QEvent::Show)
            if (auto* menu = qobject_cast<QMenu*>(Watched)) {
                QPointer<QMenu> m = menu;
                QMetaObject::invokeMethod(
                    menu,
                    [m] {
                        if (m && m->isVisible() && QMenuPrivate::get(m)->eventLoop && gHarness)
                            THarnessAccess::DriveOwnMenu(*m);
                    },
                    Qt::QueuedConnection);
            }
        return false;
    }
};
}  // namespace

void THarnessAccess::DriveOwnMenu(QMenu& Menu) {
    TUiTestHarness& h = *gHarness;
    QPointer<QMenu> menu = &Menu;
    TInside inside;
    // The user lets go of the button whose press opened the menu before choosing in it.
    ReleaseHeld();
    int choice = -1;
    std::vector<QAction*> actions = OfferedActions(Menu);
    if (h.FOwnMenus.empty()) {
        h.FErrors.push_back("menu " + DescribeWidget(&Menu) + " of Qt's own shown with no handler");
    } else {
        auto fn = std::move(h.FOwnMenus.front());
        h.FOwnMenus.pop_front();
        std::vector<std::string> texts;
        for (QAction* a : actions) texts.push_back(a->text().remove(QLatin1Char('&')).toStdString());
        try {
            choice = fn(texts);
        } catch (const EUiTestFailure& e) {
            Pend(e.what());
        }
    }
    if (!menu || !menu->isVisible()) return;
    QWindow* window = menu->windowHandle();
    if (choice >= 0 && choice < int(actions.size()) && window) {
        const QPoint global = menu->mapToGlobal(menu->actionGeometry(actions[size_t(choice)]).center());
        const TWindowPoint at = InWindow(window, global);
        MoveTo(at, 0);
        Press(at, Qt::LeftButton, 0);
        Release(global, Qt::LeftButton, 0);
        ClickGap();
    }
    if (menu && menu->isVisible() && window)
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::SynchronousDelivery>(
            window, Tick(), QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString());
    // A menu that took neither (it has no window) ends as closed.
    if (menu && menu->isVisible()) menu->close();
}

TUiTestHarness::TUiTestHarness() {
    Application->Initialize();
    ResetApplicationTerminated();
    SetManualTimers(true);
    gHarness = this;
    FScope = new TDialogServiceScope(*this);
    SetModalHook([this](TCustomForm& form) { RunModal(form); });
    SetPopupHook([this](TPopupMenu& menu, TPoint where) {
        if (FPopups.empty()) {
            FErrors.push_back("pop-up menu " + menu.Name() + " shown with no handler");
            return;
        }
        auto fn = std::move(FPopups.front());
        FPopups.pop_front();
        ReleaseHeld();
        TInside inside;
        try {
            fn(menu, where);
        } catch (const EUiTestFailure& e) {
            THarnessAccess::Pend(e.what());
        }
    });
    SetBeepHook([](unsigned) {
        if (gHarness) ++gHarness->FBeeps;
    });
    SetShellOpenHook([this](const std::string& target) {
        FShellOpened.push_back(target);
        return FShellResult;
    });
    SetScreenSize(1024, 768);
    // The harness is the window manager while it lives.
    QWindowSystemInterfacePrivate::installWindowSystemEventHandler(&gWindowManager);
    gPointer.Held = Qt::NoButton;
    gPointer.LetGo = Qt::NoButton;
    gPointer.Grab = nullptr;
    FMenuWatch = new TMenuWatch();
    qApp->installEventFilter(FMenuWatch);
}

TUiTestHarness::~TUiTestHarness() {
    qApp->removeEventFilter(FMenuWatch);
    delete FMenuWatch;
    ResetApplicationTerminated();
    SetModalHook(nullptr);
    SetPopupHook(nullptr);
    SetBeepHook(nullptr);
    SetShellOpenHook(nullptr);
    SetScreenSizeOverride(0, 0);
    ::SetClock(nullptr);
    SetManualTimers(false);
    // A button the test left down is let go where it was pressed.
    ReleaseHeld();
    HideToolTips();
    gPointer.Held = Qt::NoButton;
    gPointer.LetGo = Qt::NoButton;
    gPointer.Grab = nullptr;
    QWindowSystemInterface::flushWindowSystemEvents();
    QWindowSystemInterfacePrivate::removeWindowSystemEventhandler(&gWindowManager);
    if (FPendingFailure) std::fprintf(stderr, "%s\n", FPendingFailure->c_str());
    delete FScope;
    gHarness = nullptr;
}

void TUiTestHarness::AnswerMessage(int Result) {
    FAnswers.push_back([Result](const TDialogRequest&) {
        TDialogAnswer a;
        a.Result = Result;
        return a;
    });
}

void TUiTestHarness::AnswerInput(std::optional<std::string> Text) {
    FAnswers.push_back([Text](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Text ? 1 : 0;
        a.Value = Text ? *Text : r.Value;
        return a;
    });
}

void TUiTestHarness::AnswerFile(std::optional<std::string> FileName, int FilterIndex) {
    FAnswers.push_back([FileName, FilterIndex](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = FileName ? 1 : 0;
        a.Value = FileName ? *FileName : r.Value;
        if (FileName) a.Files.push_back(*FileName);
        a.FilterIndex = FilterIndex;
        return a;
    });
}

void TUiTestHarness::AnswerDirectory(std::optional<std::string> Directory) { AnswerInput(std::move(Directory)); }

void TUiTestHarness::AnswerColor(std::optional<int32_t> Color) {
    FAnswers.push_back([Color](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Color ? 1 : 0;
        a.Color = Color ? *Color : r.Color;
        return a;
    });
}

void TUiTestHarness::AnswerFont(std::optional<TFontChoice> Font) {
    FAnswers.push_back([Font](const TDialogRequest& r) {
        TDialogAnswer a;
        a.Result = Font ? 1 : 0;
        a.Font = Font ? *Font : r.Font;
        return a;
    });
}

void TUiTestHarness::Answer(std::function<TDialogAnswer(const TDialogRequest&)> Fn) { FAnswers.push_back(std::move(Fn)); }

std::vector<std::string> TUiTestHarness::DialogTexts() const {
    std::vector<std::string> out;
    for (const TDialogRequest& r : FDialogs) out.push_back(r.Text);
    return out;
}

std::vector<std::string> TUiTestHarness::DialogCaptions() const {
    std::vector<std::string> out;
    for (const TDialogRequest& r : FDialogs) out.push_back(r.Caption);
    return out;
}

TDialogAnswer TUiTestHarness::Show(const TDialogRequest& Request) {
    FDialogs.push_back(Request);
    if (!FAnswers.empty()) {
        auto fn = std::move(FAnswers.front());
        FAnswers.pop_front();
        return fn(Request);
    }
    TDialogAnswer a;
    if (Request.Kind == TDialogKind::MessageBox || Request.Kind == TDialogKind::MessageDlg) {
        a.Result = DefaultMessageAnswer(Request);
        if (FAutoOk && SingleOkButton(Request)) return a;
    } else {
        a.Value = Request.Value;
    }
    FErrors.push_back(std::string("unanswered ") + DialogKindName(Request.Kind) + ": " + Request.Caption + " / " +
                      Request.Text);
    return a;
}

void TUiTestHarness::OnModal(std::function<void(TCustomForm&)> Driver) { FDrivers.push_back({std::string(), std::move(Driver)}); }

void TUiTestHarness::OnModal(std::string ClassName, std::function<void(TCustomForm&)> Driver) {
    FDrivers.push_back({std::move(ClassName), std::move(Driver)});
}

void TUiTestHarness::OnPopup(std::function<void(TPopupMenu&, TPoint)> Handler) { FPopups.push_back(std::move(Handler)); }

void TUiTestHarness::OnOwnMenu(std::function<int(const std::vector<std::string>&)> Handler) {
    FOwnMenus.push_back(std::move(Handler));
}

void TUiTestHarness::RunModal(TCustomForm& Form) {
    TInside inside;
    // Input the user gave before the form came up (keys typed ahead, the release of the
    // button whose press opened it) is read first; it may already end the form.
    ReleaseHeld();
    QWindowSystemInterface::flushWindowSystemEvents();
    if (!Screen->HasForm(&Form) || !Form.Modal() || Form.ModalResult() != mrNone || Application->Terminated()) return;
    if (FDrivers.empty()) {
        FErrors.push_back("ShowModal of " + Form.ClassName() + " with no driver (or left open)");
        ForceEndModal(Form, mrCancel);
        return;
    }
    TDriver d = std::move(FDrivers.front());
    FDrivers.pop_front();
    if (!d.ClassName.empty() && d.ClassName != Form.ClassName()) {
        FErrors.push_back("ShowModal of " + Form.ClassName() + " where the driver expected " + d.ClassName);
        ForceEndModal(Form, mrCancel);
        return;
    }
    try {
        d.Fn(Form);
    } catch (const EUiTestFailure& e) {
        THarnessAccess::Pend(e.what());
    } catch (...) {
        HandleCurrentException(std::current_exception());
    }
    if (Screen->HasForm(&Form) && Form.Modal() && Form.ModalResult() == mrNone && !Application->Terminated()) {
        FErrors.push_back("the driver left " + Form.ClassName() + " open");
        ForceEndModal(Form, mrCancel);
    }
}

void TUiTestHarness::SetScreenSize(int Width, int Height) { SetScreenSizeOverride(Width, Height); }

void TUiTestHarness::SetClock(std::function<double()> Clock) { ::SetClock(std::move(Clock)); }

void TUiTestHarness::TypeKey(TWinControl* Control, uint16_t Key, TShiftState Shift) {
    CatchUp();
    ExpectFocus("TypeKey", Control);
    DeliverVirtualKey(Call("TypeKey", Control), Key, Shift);
    Done();
}

void TUiTestHarness::TypeKey(uint16_t Key, TShiftState Shift) {
    CatchUp();
    DeliverVirtualKey("TypeKey", Key, Shift);
    Done();
}

void TUiTestHarness::TypeText(TWinControl* Control, const std::string& Text) {
    CatchUp();
    ExpectFocus("TypeText", Control);
    DeliverText(Call("TypeText", Control), Text);
    Done();
}

void TUiTestHarness::TypeText(const std::string& Text) {
    CatchUp();
    DeliverText("TypeText", Text);
    Done();
}

void TUiTestHarness::Paste(TWinControl* Control, const std::string& Text) {
    CatchUp();
    ExpectFocus("Paste", Control);
    Clipboard()->SetAsText(Text);
    DeliverVirtualKey(Call("Paste", Control), 'V', ssCtrl);
    Done();
}

void TUiTestHarness::Paste(const std::string& Text) {
    CatchUp();
    Clipboard()->SetAsText(Text);
    DeliverVirtualKey("Paste", 'V', ssCtrl);
    Done();
}

void TUiTestHarness::CommitText(TWinControl* Control, const std::string& Text) {
    CatchUp();
    ExpectFocus("CommitText", Control);
    DeliverCommit(Call("CommitText", Control), Text);
    Done();
}

void TUiTestHarness::CommitText(const std::string& Text) {
    CatchUp();
    DeliverCommit("CommitText", Text);
    Done();
}

namespace {
// A key typed into a window goes to that window, whenever it is read (the window system
// sends a key to the window that had the keyboard when it was pressed). The harness's own
// input is given synchronously, so it comes before keys still queued.
void QueueKey(QWindow* window, uint16_t key, TShiftState shift) {
    const int qtKey = QtKeyOfVirtual(key);
    const QString text = KeyText(key, shift);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, Tick(), QEvent::KeyPress, qtKey, ModifiersOf(shift), text);
    QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
        window, Tick(), QEvent::KeyRelease, qtKey, ModifiersOf(shift), text);
}
}  // namespace

void TUiTestHarness::PostKey(uint16_t Key, TShiftState Shift) {
    CatchUp();
    QueueKey(KeyWindow("PostKey"), Key, Shift);
}

void TUiTestHarness::PostKey(TWinControl* Control, uint16_t Key, TShiftState Shift) {
    CatchUp();
    QWidget* w = Control ? WidgetOf(Control) : nullptr;
    QWindow* window = w ? w->window()->windowHandle() : nullptr;
    if (!window) Fail(Call("PostKey", Control) + ": the control's window was never shown");
    QueueKey(window, Key, Shift);
}

void TUiTestHarness::Click(TControl* Control, std::optional<TPoint> Pos, TMouseButton Button, TShiftState Shift) {
    CatchUp();
    const TWindowPoint at = Locate("Click", Control, Pos ? *Pos : Centre(Control), true);
    if (gPointer.Held) Fail(Call("Click", Control) + ": a mouse button is still down (MouseUp first)");
    const QPoint global = at.Global.toPoint();
    const Qt::MouseButton b = QtButton(Button);
    MoveTo(at, Shift);
    Press(at, b, Shift);
    Release(global, b, Shift);
    ClickGap();
    Done();
}

void TUiTestHarness::DblClick(TControl* Control, std::optional<TPoint> Pos, TShiftState Shift) {
    CatchUp();
    const TWindowPoint at = Locate("DblClick", Control, Pos ? *Pos : Centre(Control), true);
    if (gPointer.Held) Fail(Call("DblClick", Control) + ": a mouse button is still down (MouseUp first)");
    const QPoint global = at.Global.toPoint();
    MoveTo(at, Shift);
    // Two clicks within the double-click time: the window system makes the second press a
    // double click.
    Press(at, Qt::LeftButton, Shift);
    Release(global, Qt::LeftButton, Shift);
    if (at.Window) {
        Press(InWindow(at.Window, global), Qt::LeftButton, Shift);
        Release(global, Qt::LeftButton, Shift);
    }
    ClickGap();
    Done();
}

void TUiTestHarness::MouseMove(TControl* Control, TPoint Pos, TShiftState Shift) {
    CatchUp();
    const TShiftState named = Shift & (ssLeft | ssRight | ssMiddle);
    if (named && named != HeldBits())
        Fail(Call("MouseMove", Control) + ": the buttons named are not the ones held down (MouseDown first)");
    if (gPointer.Held) {
        // The window that took the press keeps the mouse wherever it goes.
        const TWindowPoint at = Locate("MouseMove", Control, Pos, false);
        if (gPointer.Grab) SendMouse(InWindow(gPointer.Grab, at.Global.toPoint()), QEvent::MouseMove, Qt::NoButton, Shift);
    } else {
        const TWindowPoint at = Locate("MouseMove", Control, Pos, true);
        PointerTo(at);
        SendMouse(at, QEvent::MouseMove, Qt::NoButton, Shift);
    }
    Done();
}

void TUiTestHarness::MouseDown(TControl* Control, TPoint Pos, TMouseButton Button, TShiftState Shift) {
    CatchUp();
    const Qt::MouseButton b = QtButton(Button);
    if (gPointer.Held & b) Fail(Call("MouseDown", Control) + ": the button is already down");
    if (gPointer.Held && gPointer.Grab) {
        // Another button is down: its window keeps the mouse.
        const TWindowPoint at = Locate("MouseDown", Control, Pos, false);
        Press(InWindow(gPointer.Grab, at.Global.toPoint()), b, Shift);
    } else {
        const TWindowPoint at = Locate("MouseDown", Control, Pos, true);
        MoveTo(at, Shift);
        Press(at, b, Shift);
    }
    Done();
}

void TUiTestHarness::MouseUp(TControl* Control, TPoint Pos, TMouseButton Button, TShiftState Shift) {
    CatchUp();
    const Qt::MouseButton b = QtButton(Button);
    if (gPointer.LetGo & b) {
        gPointer.LetGo &= ~Qt::MouseButtons(b);
        Done();
        return;
    }
    if (!(gPointer.Held & b)) Fail(Call("MouseUp", Control) + ": the button is not down (MouseDown first)");
    const TWindowPoint at = Locate("MouseUp", Control, Pos, false);
    Release(at.Global.toPoint(), b, Shift);
    if (!gPointer.Held) ClickGap();
    Done();
}

void TUiTestHarness::Wheel(TControl* Control, int Delta, std::optional<TPoint> Pos, TShiftState Shift) {
    CatchUp();
    const TWindowPoint at = Locate("Wheel", Control, Pos ? *Pos : Centre(Control), !gPointer.Held);
    PointerTo(at);
    QWindow* window = gPointer.Held && gPointer.Grab ? gPointer.Grab.data() : at.Window.data();
    const TWindowPoint in = InWindow(window, at.Global.toPoint());
    // The wheel has no synchronous entry of its own: the window system delivers at once
    // for this one event.
    TInside inside;
    QWindowSystemInterface::setSynchronousWindowSystemEvents(true);
    QWindowSystemInterface::handleWheelEvent(window, Tick(), in.Local, in.Global, QPoint(), QPoint(0, Delta),
                                             KeyModifiers(Shift));
    QWindowSystemInterface::setSynchronousWindowSystemEvents(false);
    Done();
}

void TUiTestHarness::ClickDropDownItem(TControl* ComboBox, int Index) {
    CatchUp();
    const std::string call = Call("ClickDropDownItem", ComboBox);
    auto* combo = qobject_cast<QComboBox*>(WidgetOf(ComboBox));
    if (!combo) Fail(call + ": the control is no combo box");
    QAbstractItemView* view = combo->view();
    if (!view || !view->isVisible()) Fail(call + ": no drop-down list is open");
    if (Index < 0 || Index >= combo->count())
        Fail(call + ": there is no item " + std::to_string(Index) + " of " + std::to_string(combo->count()));
    if (gPointer.Held) Fail(call + ": a mouse button is still down (MouseUp first)");
    // The user scrolls the list to the item, moves the pointer onto it and clicks.
    const QModelIndex item = combo->model()->index(Index, combo->modelColumn(), combo->rootModelIndex());
    view->scrollTo(item);
    const QPoint global = view->viewport()->mapToGlobal(view->visualRect(item).center());
    QWindow* window = view->window()->windowHandle();
    if (!window) Fail(call + ": the drop-down list has no window");
    const TWindowPoint at = InWindow(window, global);
    MoveTo(at, 0);
    Press(at, Qt::LeftButton, 0);
    Release(global, Qt::LeftButton, 0);
    ClickGap();
    Done();
}

void TUiTestHarness::ClickTab(TControl* Tabs, int TabIndex) {
    TRect r;
    if (auto* pages = dynamic_cast<TPageControl*>(Tabs)) r = pages->TabRect(TabIndex);
    else if (auto* tabs = dynamic_cast<TTabControl*>(Tabs)) r = tabs->TabRect(TabIndex);
    else Fail(Call("ClickTab", Tabs) + ": the control has no tabs");
    if (r.IsEmpty()) Fail(Call("ClickTab", Tabs) + ": there is no tab " + std::to_string(TabIndex));
    Click(Tabs, TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
}

void TUiTestHarness::SendDirectKey(TWinControl* Control, uint16_t Key, TShiftState Shift) {
    DirectFocus(Control);
    if (QWidget* target = DirectKeyTarget(Control))
        DirectKey(target, QtKeyOfVirtual(Key), ModifiersOf(Shift), KeyText(Key, Shift));
}

void TUiTestHarness::SendDirectText(TWinControl* Control, const std::string& Text) {
    DirectFocus(Control);
    size_t pos = 0;
    while (pos < Text.size()) {
        const char32_t c = NextCodePoint(Text, pos);
        QWidget* target = DirectKeyTarget(Control);
        if (!target) return;
        const Qt::KeyboardModifiers mods = (c >= 'A' && c <= 'Z') ? Qt::ShiftModifier : Qt::NoModifier;
        DirectKey(target, QtKeyOfCodePoint(c), mods, QString::fromUcs4(&c, 1));
    }
}

void TUiTestHarness::SendDirectClick(TControl* Control, std::optional<TPoint> Pos, TMouseButton Button,
                                     TShiftState Shift) {
    const TPoint p = Pos ? *Pos : Centre(Control);
    if (auto* wc = dynamic_cast<TWinControl*>(Control); wc && Button == mbLeft) DirectFocus(wc);
    DirectMouse(Control, QEvent::MouseButtonPress, p, Button, Shift);
    DirectMouse(Control, QEvent::MouseButtonRelease, p, Button, Shift);
}

void TUiTestHarness::ClickMenuItem(TMenuItem* Item) {
    if (TMenu* menu = Item->GetParentMenu()) menu->Rebuild();
    if (Item->Peer() && Item->Peer()->Action) {
        if (Item->Peer()->SubMenu) emit Item->Peer()->SubMenu->aboutToShow();
        else Item->Peer()->Action->trigger();
    }
}

void TUiTestHarness::FireTimer(TTimer* Timer) {
    {
        TInside inside;
        Timer->Tick();
    }
    THarnessAccess::ThrowPending();
}


int TUiTestHarness::ElapseTime(int Milliseconds) {
    int fired = 0;
    {
        TInside inside;
        fired = ElapseManualTimers(Milliseconds);
    }
    RestPointer(Milliseconds);
    ProcessMessages();
    return fired;
}

std::string TUiTestHarness::ShownToolTip() {
    ProcessMessages();
    return QToolTip::isVisible() ? StdStr(QToolTip::text()) : std::string();
}

void TUiTestHarness::ProcessMessages() {
    {
        TInside inside;
        Application->ProcessMessages();
    }
    THarnessAccess::ThrowPending();
}

TWinControl* TUiTestHarness::FocusedControl() {
    ProcessMessages();
    QWidget* w = QApplication::focusWidget();
    return w ? dynamic_cast<TWinControl*>(ControlOfWidget(w)) : nullptr;
}

bool TUiTestHarness::SaveScreenshot(TControl* Control, const std::string& FileName) {
    QWidget* w = WidgetOf(Control);
    if (!w) return false;
    ProcessMessages();
    return w->grab().save(QStr(FileName), "PNG");
}

bool TUiTestHarness::SaveScreen(const std::string& FileName) {
    ProcessMessages();
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return false;
    const QPixmap shot = screen->grabWindow(0);
    return !shot.isNull() && shot.save(QStr(FileName), "PNG");
}

std::string TUiTestHarness::ToolTipOf(TControl* Control) {
    QWidget* w = WidgetOf(Control);
    return w ? StdStr(w->toolTip()) : std::string();
}

bool TUiTestHarness::Grab(TControl* Control, TBitmap& Bitmap) {
    QWidget* w = ClientWidgetOf(Control);
    if (!w) return false;
    ProcessMessages();
    SetBitmapImage(Bitmap, w->grab().toImage());
    return true;
}

bool TUiTestHarness::Shown(TControl* Control, TBitmap& Bitmap) {
    QWidget* w = ClientWidgetOf(Control);
    if (!w) return false;
    ProcessMessages();
    QWidget* top = w->window();
    QBackingStore* store = top ? top->backingStore() : nullptr;
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) return false;
    const QImage& all = *static_cast<QImage*>(device);
    SetBitmapImage(Bitmap, all.copy(QRect(w->mapTo(top, QPoint(0, 0)), w->size())));
    return true;
}

int32_t TUiTestHarness::PixelAt(TControl* Control, TPoint Pos) {
    QWidget* w = ClientWidgetOf(Control);
    if (!w) return clNone;
    ProcessMessages();
    QImage image = w->grab().toImage();
    if (!image.rect().contains(Pos.X, Pos.Y)) return clNone;
    return FromQColor(image.pixelColor(Pos.X, Pos.Y));
}
