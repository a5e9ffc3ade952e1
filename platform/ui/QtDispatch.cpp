// The way Qt's events reach controls: the key path of the class library (shortcuts, then
// the dialog keys Tab, arrows, Enter and Esc, then OnKeyDown with the form's preview,
// then OnKeyPress with a key the handler may change or swallow), typed text from input
// methods through the same OnKeyPress, mouse events with Windows buttons and shift bits,
// clicks, focus changes with OnEnter/OnExit, and the window events of forms. Nothing
// thrown by a handler passes into Qt.
#include "platform/rtl/StrUtils.h"
#include "platform/ui/ActnList.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/QtKeys.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

bool IsModifierKey(uint16_t vk) { return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == 0; }

bool IsArrow(uint16_t vk) { return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN; }

// Mouse position in the control's client coordinates.
TPoint ClientPos(QWidget* widget, TControl* control, const QPointF& pos) {
    QPoint p = pos.toPoint();
    QWidget* client = ClientWidgetOf(control);
    if (client && client != widget) p = client->mapFromGlobal(widget->mapToGlobal(p));
    return {p.x(), p.y()};
}

// Offers an accelerator to every visible, enabled control of the form, depth first.
bool DialogCharOf(TWinControl* parent, char32_t c) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* child = parent->Controls(i);
        if (!child->Visible() || !child->Enabled()) continue;
        if (child->DialogChar(c)) return true;
        if (auto* w = dynamic_cast<TWinControl*>(child); w && DialogCharOf(w, c)) return true;
    }
    return false;
}

int QtKeyOfChar(char32_t k) {
    switch (k) {
    case 8: return Qt::Key_Backspace;
    case 9: return Qt::Key_Tab;
    case 13: return Qt::Key_Return;
    case 27: return Qt::Key_Escape;
    default: return 0;
    }
}

bool HandleKeyPress(QWidget* widget, TControl* control, QKeyEvent* e, const TBaseEvent& base) {
    auto* wc = dynamic_cast<TWinControl*>(control);
    if (!wc) return base(e);
    const uint16_t vk = VirtualKeyOf(*e);
    const TShiftState shift = ShiftOf(e->modifiers());
    TCustomForm* form = wc->ParentForm();

    // Shortcuts of the form's menu and action lists come first.
    if (form && !IsModifierKey(vk)) {
        bool handled = false;
        SafeCall([&] { handled = form->IsShortCut(ShortCut(vk, shift)); });
        if (handled) return true;
    }
    // Accelerators: Alt+letter, or a plain letter where the focus is on a button.
    if (form && !(shift & ssCtrl) && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) &&
        ((shift & ssAlt) || dynamic_cast<TButtonControl*>(wc))) {
        bool handled = false;
        SafeCall([&] { handled = DialogCharOf(form, char32_t(vk)); });
        if (handled) return true;
    }
    // Dialog keys the control does not want itself.
    if (form && !(shift & (ssCtrl | ssAlt))) {
        if (vk == VK_TAB && !wc->WantsKey(VK_TAB, shift)) {
            form->SelectNext(wc, !(shift & ssShift), true);
            return true;
        }
        if (IsArrow(vk) && !wc->WantsKey(vk, shift)) {
            if (wc->Parent()) {
                SafeCall([&] {
                    wc->Parent()->SelectNext(wc, vk == VK_RIGHT || vk == VK_DOWN, false);
                    // A radio button reached by the arrow keys is checked (and clicks), as a
                    // desktop's radio buttons are: the arrows move the choice, not only the focus.
                    if (auto* radio = dynamic_cast<TRadioButton*>(form->ActiveControl());
                        radio && radio != wc && !radio->Checked())
                        radio->SetChecked(true);
                });
            }
            return true;
        }
        if ((vk == VK_RETURN || vk == VK_ESCAPE) && !wc->WantsKey(vk, shift)) {
            bool handled = false;
            SafeCall([&] { handled = form->DialogKey(vk, wc); });
            if (handled) return true;
        }
    }
    if (vk != 0) {
        uint16_t key = vk;
        if (!SafeCall([&] { wc->DoKeyDown(key, shift); })) return true;
        if (key == 0) return true;
    }
    const char32_t ch = KeyCharOf(*e);
    if (ch != 0) {
        char32_t k = ch;
        if (!SafeCall([&] { wc->DoKeyPress(k); })) return true;
        if (k == 0) return true;
        if (k != ch) {
            if (k >= 32) {
                SafeCall([&] { wc->InsertTypedText(CodePointToUtf8(k)); });
                return true;
            }
            const int qk = QtKeyOfChar(k);
            if (qk == 0) return true;
            QKeyEvent changed(QEvent::KeyPress, qk, Qt::NoModifier, QString(QChar(char16_t(k))));
            return base(&changed);
        }
    }
    if (e->matches(QKeySequence::Paste)) {
        bool handled = false;
        SafeCall([&] { handled = wc->PasteText(); });
        if (handled) return true;
    }
    return base(e);
}

bool HandleKeyRelease(TControl* control, QKeyEvent* e, const TBaseEvent& base) {
    auto* wc = dynamic_cast<TWinControl*>(control);
    if (!wc) return base(e);
    uint16_t key = VirtualKeyOf(*e);
    if (key == 0) return base(e);
    if (!SafeCall([&] { wc->DoKeyUp(key, ShiftOf(e->modifiers())); })) return true;
    if (key == 0) return true;
    return base(e);
}

// Text committed by an input method passes through OnKeyPress like typed keys. A control
// that paints itself has no editor underneath: KeyPress, character by character, is how
// it receives the text.
bool HandleInputMethod(QWidget* widget, TControl* control, QInputMethodEvent* e, const TBaseEvent& base) {
    auto* wc = dynamic_cast<TWinControl*>(control);
    if (wc && widget == WidgetOf(control))
        if (auto* sink = dynamic_cast<TEventSink*>(widget); sink && sink->PaintsControl) {
            const std::string commit = StdStr(e->commitString());
            if (!commit.empty()) SafeCall([&] { wc->FilterTypedText(commit); });
            e->accept();
            return true;
        }
    if (!wc || e->commitString().isEmpty()) return base(e);
    const std::string commit = StdStr(e->commitString());
    const std::string kept = wc->FilterTypedText(commit);
    if (kept == commit) return base(e);
    QInputMethodEvent filtered(e->preeditString(), e->attributes());
    filtered.setCommitString(QStr(kept), e->replacementStart(), e->replacementLength());
    return base(&filtered);
}

// The widget the left button last went up on. The platform makes a double click of two
// presses close in time and place in one window, whichever controls they hit, and gives
// the second one as the double click alone; the system counts it only when both went to
// the same control, so on a control the first click did not reach it is a press.
QPointer<QWidget>& LastReleased() {
    static QPointer<QWidget> w;
    return w;
}

// A release a control leaves goes on to its parents: the control it reached first stays
// the one noted.
void NoteRelease(QWidget* Widget, QPoint Global) {
    QWidget* last = LastReleased();
    const bool passedOn = last && last != Widget && Widget && Widget->isAncestorOf(last) &&
                          last->rect().contains(last->mapFromGlobal(Global));
    if (!passedOn) LastReleased() = Widget;
}

bool HandleMouse(QWidget* widget, TControl* control, QMouseEvent* e, const TBaseEvent& base) {
    const TPoint p = ClientPos(widget, control, e->position());
    const TShiftState shift = ShiftOf(e->modifiers(), e->buttons());
    const TMouseButton button = MouseButtonOf(e->button());
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        TControlAccess::Pressed(control) = e->button() == Qt::LeftButton;
        SafeCall([&] { control->MouseDown(button, shift | (button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle), p.X, p.Y); });
        return base(e);
    }
    case QEvent::MouseButtonRelease: {
        const bool r = base(e);
        const bool wasPressed = TControlAccess::Pressed(control);
        TControlAccess::Pressed(control) = false;
        if (e->button() == Qt::LeftButton) NoteRelease(WidgetOf(control), e->globalPosition().toPoint());
        if (ControlDragActive()) return r;
        if (wasPressed && e->button() == Qt::LeftButton && control->ClicksFromMouse() &&
            widget->rect().contains(e->position().toPoint()))
            SafeCall([&] { control->Click(); });
        SafeCall([&] { control->MouseUp(button, shift, p.X, p.Y); });
        return r;
    }
    case QEvent::MouseButtonDblClick: {
        if (e->button() == Qt::LeftButton && LastReleased() != WidgetOf(control)) {
            QMouseEvent press(QEvent::MouseButtonPress, e->position(), e->scenePosition(), e->globalPosition(),
                              e->button(), e->buttons(), e->modifiers(), e->pointingDevice());
            return HandleMouse(widget, control, &press, base);
        }
        SafeCall([&] { control->DblClick(); });
        SafeCall([&] { control->MouseDown(button, shift | ssDouble, p.X, p.Y); });
        return base(e);
    }
    case QEvent::MouseMove: {
        SafeCall([&] { control->MouseMove(shift, p.X, p.Y); });
        return base(e);
    }
    default: return base(e);
    }
}

bool HandleFormEvent(QWidget* widget, TCustomForm* form, QEvent* e, const TBaseEvent& base, bool& handled) {
    handled = true;
    switch (e->type()) {
    case QEvent::Resize: {
        const bool r = base(e);
        // The window's size, not the event's: when the window manager's size (a maximised
        // window's) arrives while the window's own first size is still on its way, Qt hands
        // on the older size in the event although the window already has the new one, and
        // sends no resize after it.
        form->FrameResized(widget->width(), widget->height());
        return r;
    }
    case QEvent::Move: {
        const bool r = base(e);
        form->FrameMoved(widget->x(), widget->y());
        return r;
    }
    case QEvent::WindowStateChange: {
        const bool r = base(e);
        // The window manager maximised, restored or minimised the window (its title bar,
        // a double click on it, a key of its own): the form's state follows.
        const Qt::WindowStates st = widget->windowState();
        form->FrameStateChanged(st & Qt::WindowMinimized   ? wsMinimized
                                : st & Qt::WindowMaximized ? wsMaximized
                                                           : wsNormal);
        return r;
    }
    case QEvent::Close: {
        bool accept = false;
        SafeCall([&] { form->CloseRequested(accept); });
        e->setAccepted(accept);
        return true;
    }
    case QEvent::WindowActivate: {
        const bool r = base(e);
        if (!form->ModalDisabled()) {
            form->Activated();
            form->RestoreFocus();
        }
        return r;
    }
    case QEvent::WindowDeactivate: {
        const bool r = base(e);
        form->Deactivated();
        return r;
    }
    default: handled = false; return false;
    }
}

// Where a key goes that arrives at a window which takes no input now: a window hidden a
// moment ago (the candidate list after the pick) or one disabled under a modal window
// that the window system has not activated yet. The window system hands the keyboard to
// the next window only after a round trip, and keys typed meanwhile arrive at the old
// one; they belong to the window the program activated, to its active control, as typed
// keys on the class library's desktop reach the control focused by the time they are
// read. Null: the key stays where it arrived.
TCustomForm* FormOfControl(TControl* control) {
    if (auto* form = dynamic_cast<TCustomForm*>(control)) return form;
    auto* wc = dynamic_cast<TWinControl*>(control);
    return wc ? wc->ParentForm() : nullptr;
}

// A modal window whose result is set takes no more keys: those already queued are the
// next window's, once the modal loop has ended.
bool ClosingModal(const TCustomForm* form) { return form && form->Modal() && form->ModalResult() != mrNone; }

QWidget* TypeAheadTarget(TControl* control) {
    TCustomForm* form = FormOfControl(control);
    if (!form || (form->Showing() && !form->ModalDisabled() && form->Enabled())) return nullptr;
    TCustomForm* active = Screen->ActiveForm();
    if (!active || active == form || !active->Showing() || active->ModalDisabled() || !active->Enabled())
        return nullptr;
    TWinControl* focused = active->ActiveControl();
    QWidget* target = focused && focused->CanFocus() ? WidgetOf(focused) : WidgetOf(active);
    if (target && target->focusProxy()) target = target->focusProxy();
    return target;
}

}  // namespace

namespace {
bool Dispatch(QWidget* widget, TControl* control, QEvent* e, const TBaseEvent& base);

// The key and input-method events the layer is handling now, innermost last.
thread_local std::vector<const QEvent*> gHandling;

struct THandlingScope {
    explicit THandlingScope(const QEvent* e) { gHandling.push_back(e); }
    ~THandlingScope() { gHandling.pop_back(); }
    THandlingScope(const THandlingScope&) = delete;
    THandlingScope& operator=(const THandlingScope&) = delete;
};
}  // namespace

namespace {
int gDroppedKey = 0;
}  // namespace

void DropNextKeyPress(int QtKey) {
    gDroppedKey = QtKey;
    // Only the press that follows at once: the window system delivers it in the same turn.
    QTimer::singleShot(0, QCoreApplication::instance(), [] { gDroppedKey = 0; });
}

bool LayerIsHandling(const QEvent* e) { return std::find(gHandling.begin(), gHandling.end(), e) != gHandling.end(); }

// The last line of the exception boundary: whatever the layer's own code throws while it
// handles an event is shown and the event counts as handled.
bool DispatchWidgetEvent(QWidget* widget, TControl* control, QEvent* e, const TBaseEvent& base) {
    try {
        return Dispatch(widget, control, e, base);
    } catch (...) {
        HandleCurrentException(std::current_exception());
        return true;
    }
}

namespace {
bool Dispatch(QWidget* widget, TControl* control, QEvent* e, const TBaseEvent& base) {
    if (auto* form = dynamic_cast<TCustomForm*>(control); form && widget == WidgetOf(form)) {
        bool handled = false;
        const bool r = HandleFormEvent(widget, form, e, base, handled);
        if (handled) return r;
    }
    switch (e->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
        if (ClosingModal(FormOfControl(control))) {
            QCoreApplication::postEvent(widget, e->clone());
            return true;
        }
        if (QWidget* target = TypeAheadTarget(control); target && target != widget) {
            QApplication::sendEvent(target, e);
            return true;
        }
        break;
    default: break;
    }
    std::optional<THandlingScope> handling;
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease || e->type() == QEvent::InputMethod)
        handling.emplace(e);
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (gDroppedKey != 0 && ke->key() == gDroppedKey) {
            gDroppedKey = 0;
            ke->accept();
            return true;
        }
        const bool r = HandleKeyPress(widget, control, ke, base);
        if (!ke->isAccepted()) {
            // Keys the widget leaves go to the control's outer widget, never to the
            // parent control (the class library does not pass keys up).
            if (auto* sink = dynamic_cast<TEventSink*>(widget); sink && sink->ForwardKey(e)) return true;
            ke->accept();
        }
        return r || true;
    }
    case QEvent::KeyRelease: {
        const bool r = HandleKeyRelease(control, static_cast<QKeyEvent*>(e), base);
        e->accept();
        return r || true;
    }
    case QEvent::InputMethod: return HandleInputMethod(widget, control, static_cast<QInputMethodEvent*>(e), base);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (DragMouseEvent(widget, control, static_cast<QMouseEvent*>(e))) return true;
        if (!control->PassesMouseToParent()) {
            HandleMouse(widget, control, static_cast<QMouseEvent*>(e), base);
            e->accept();
            return true;
        }
        return HandleMouse(widget, control, static_cast<QMouseEvent*>(e), base);
    case QEvent::FocusIn: {
        const bool r = base(e);
        auto reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            if (auto* wc = dynamic_cast<TWinControl*>(control))
                if (TCustomForm* form = wc->ParentForm(); form && form != wc) form->SetFocusedControl(wc);
        return r;
    }
    case QEvent::Enter: {
        const bool r = base(e);
        TControlAccess::MouseInside(control) = true;
        // The long hint (after "|") of the control under the mouse is the application's.
        const std::string& hint = control->Hint();
        const size_t bar = hint.find('|');
        SafeCall([&] { Application->SetHint(bar == std::string::npos ? hint : hint.substr(bar + 1)); });
        SafeCall([&] { control->MouseEnter(); });
        return r;
    }
    case QEvent::Leave: {
        const bool r = base(e);
        TControlAccess::MouseInside(control) = false;
        SafeCall([&] { control->MouseLeave(); });
        return r;
    }
    case QEvent::Wheel: {
        auto* we = static_cast<QWheelEvent*>(e);
        const int delta = we->angleDelta().y();
        if (delta != 0) {
            QPoint g = we->globalPosition().toPoint();
            TControlAccess::WheelHandled(control) = false;
            SafeCall([&] { control->DoMouseWheel(ShiftOf(we->modifiers(), we->buttons()), delta, {g.x(), g.y()}); });
            // A handler that took the turn keeps the widget from scrolling as well.
            if (TControlAccess::WheelHandled(control)) {
                e->accept();
                return true;
            }
        }
        return base(e);
    }
    case QEvent::ContextMenu: {
        if (TPopupMenu* menu = control->PopupMenu()) {
            auto* ce = static_cast<QContextMenuEvent*>(e);
            SafeCall([&] { menu->SetPopupComponent(control); menu->Popup(ce->globalPos().x(), ce->globalPos().y()); });
            return true;
        }
        return base(e);
    }
    default: return base(e);
    }
}
}  // namespace

// A painted control that takes text has no editor for the input method to ask: the
// control says where its caret is, and the candidate window opens beside it.
QVariant PaintedInputMethodQuery(const TControl* control, Qt::InputMethodQuery query) {
    const auto* wc = dynamic_cast<const TWinControl*>(control);
    if (!wc) return {};
    const TRect r = wc->InputCaretRect();
    if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
    switch (query) {
    case Qt::ImEnabled: return true;
    case Qt::ImCursorRectangle:
    case Qt::ImAnchorRectangle: return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    default: return {};
    }
}

void TWinControl::UpdateInputCaret() {
    QWidget* w = WidgetOf(this);
    if (w && w->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
}
