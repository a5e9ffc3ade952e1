// Internal to the window layer: the Qt widget behind each control, and the private widget
// classes whose event methods hand Qt's events to the control (key translation, the
// OnKeyPress path, mouse, focus, painting), always inside the exception boundary.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/QtText.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QPaintEvent>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

// The widgets of one control: Widget carries the geometry; Client is where the child
// controls' widgets go (the same widget for most controls).
struct TControlPeer {
    QPointer<QWidget> Widget;
    QPointer<QWidget> Client;
    // What TControl::ApplyFont last gave the widget: the font, the font's colour and the
    // system palette its disabled colours came from. Giving the same again changes
    // nothing in the widget, so it is skipped.
    struct TAppliedFont {
        QFont Font;
        QColor Color;
        qint64 SystemPalette = 0;
    };
    std::optional<TAppliedFont> AppliedFont;
    explicit TControlPeer(QWidget* widget, QWidget* client = nullptr)
        : Widget(widget), Client(client ? client : widget) {}
    virtual ~TControlPeer();
};

// Implemented by every private widget class: which control the widget stands for.
class TEventSink {
public:
    virtual ~TEventSink() = default;
    TControl* Control = nullptr;
    // Painted controls draw through the control's Paint after the widget's own drawing.
    bool PaintsControl = false;
    // An inner widget (the edit field of a combo box) hands the keys it leaves to the
    // control's outer widget; true when it did.
    virtual bool ForwardKey(QEvent*) { return false; }
};

// The control a widget (or one of its parents) stands for; null for foreign widgets.
TControl* ControlOfWidget(const QWidget* widget);
QWidget* WidgetOf(const TControl* control);
QWidget* ClientWidgetOf(const TControl* control);
// The control's widget when it is a W, else null (for code that serves several widget kinds).
template <class W> W* WidgetAs(const TControl* control) { return dynamic_cast<W*>(WidgetOf(control)); }
// Raises EInvalidCast naming the control's class, its widget's class and the class asked for.
[[noreturn]] void RaiseWidgetClassError(const TControl* control, const QWidget* widget, const char* wanted);
// The control's widget as the W it must be (null when it has none): a widget of another
// class is a programming error and raises instead of being used as a W.
template <class W> W* TypedWidget(const TControl* control) {
    QWidget* widget = WidgetOf(control);
    if (!widget) return nullptr;
    if (auto* typed = dynamic_cast<W*>(widget)) return typed;
    RaiseWidgetClassError(control, widget, W::staticMetaObject.className());
}

// Whether the layer is handling this key or input-method event now, for an outer widget
// that hands it on to an inner one (a combo box to its field): the inner widget's own
// handling is all that is left to do, the handlers have seen the key.
bool LayerIsHandling(const QEvent* e);

// The next press of this Qt key that reaches a control is dropped (its release still comes):
// the key did its work already where the platform took it early (Enter in an open list).
void DropNextKeyPress(int QtKey);

using TBaseEvent = std::function<bool(QEvent*)>;
// The layer's handling of one Qt event for control; base runs the widget's own handling.
bool DispatchWidgetEvent(QWidget* widget, TControl* control, QEvent* event, const TBaseEvent& base);
// Draws a painted control (TGraphicControl, TCustomControl) on its widget.
void PaintControl(TControl* control, QWidget* widget, QPaintEvent* event);
// What a painted control tells an input method (its caret); invalid for anything else.
QVariant PaintedInputMethodQuery(const TControl* control, Qt::InputMethodQuery query);

template <class W>
class THost : public W, public TEventSink {
public:
    template <class... A>
    explicit THost(TControl* control, A&&... args) : W(std::forward<A>(args)...) {
        Control = control;
    }
    bool BaseEvent(QEvent* e) { return W::event(e); }

protected:
    bool event(QEvent* e) override {
        if (!Control) return W::event(e);
        return DispatchWidgetEvent(this, Control, e, [this](QEvent* ev) { return W::event(ev); });
    }
    void paintEvent(QPaintEvent* e) override {
        W::paintEvent(e);
        if (PaintsControl && Control) PaintControl(Control, this, e);
    }
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override {
        if (PaintsControl && Control) {
            QVariant v = PaintedInputMethodQuery(Control, query);
            if (v.isValid()) return v;
        }
        return W::inputMethodQuery(query);
    }
};

// A host over a scroll area (memos, lists, grids): the mouse events of the viewport reach
// the control as well.
template <class W>
class TScrollHost : public THost<W> {
public:
    using THost<W>::THost;

protected:
    bool viewportEvent(QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::ContextMenu:
            if (this->Control) {
                DispatchWidgetEvent(this->viewport(), this->Control, e,
                                    [this](QEvent* ev) { return W::viewportEvent(ev); });
                // The scroll area itself must not see the event a second time.
                e->accept();
                return true;
            }
            break;
        default: break;
        }
        return W::viewportEvent(e);
    }
};

// Access to the protected parts of controls for the dispatch code.
struct TControlAccess {
    static bool& Pressed(TControl* c) { return c->FPressed; }
    static bool& WheelHandled(TControl* c) { return c->FWheelHandled; }
    static bool& MouseInside(TControl* c) { return c->FMouseInside; }
    static void SetBoundsFromWidget(TControl* c, int l, int t, int w, int h);
    static TActionLink* Link(TControl* c) { return c->FActionLink.get(); }
};

// Text helpers shared by the widget code.
QString ToQtMnemonic(const std::string& caption);   // "&File" stays, "&&" stays

// The cursor of a Screen->Cursors number (positive numbers: the program's own cursors).
#include <QCursor>
QCursor ScreenCursor(TCursor cursor);

// In-process dragging of controls (BeginDrag): the source follows the mouse until the
// button is released over a control whose OnDragOver accepts it.
void StartControlDrag(TControl* source);
void FinishControlDrag(TControl* source, bool drop);
bool ControlDragActive();
class QMouseEvent;
// Mouse events while a drag runs; true when the drag took the event.
bool DragMouseEvent(QWidget* widget, TControl* control, QMouseEvent* event);

class QMenuBar;
class TMainMenu;
QMenuBar* MenuBarOf(TMainMenu* menu);

class QAction;
class QMenu;
// The Qt side of a menu item: its action, and its menu when it has sub-items.
struct TMenuPeer {
    QPointer<QAction> Action;
    QPointer<QMenu> SubMenu;
};
