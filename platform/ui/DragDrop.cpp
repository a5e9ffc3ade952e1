// In-process dragging of controls: BeginDrag takes the mouse; moving it asks the control
// under the pointer through OnDragOver whether it accepts the source; releasing the
// button over an accepting control calls its OnDragDrop. Positions come from the events,
// never from the cursor's current place, so synthetic events drive it.
//
// A drag that is not immediate (automatic drag mode, BeginDrag(false)) waits until the
// mouse has moved past the threshold with the button held: until then the control keeps
// its own handling of the press, so a click on a tree node still selects it.
#include "platform/ui/Controls.h"
#include "platform/ui/QtPeer.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace {

struct TDrag {
    TControl* Source = nullptr;
    TControl* Target = nullptr;
    bool Accepted = false;
};

TDrag& Drag() {
    static TDrag drag;
    return drag;
}

// A drag asked for but not started: it starts once the mouse has moved Threshold pixels
// (in either direction) from where the button went down.
struct TPendingDrag {
    TControl* Source = nullptr;
    QPoint Start;
    int Threshold = 5;
};

TPendingDrag& Pending() {
    static TPendingDrag pending;
    return pending;
}

// Where the left button last went down (screen), recorded before the control's own
// mouse-down handling runs, so that BeginDrag knows where the drag starts.
QPoint& LastPress() {
    static QPoint p;
    return p;
}

void AskTarget(TControl* target, TPoint screen, TDragState state) {
    TDrag& d = Drag();
    d.Accepted = false;
    if (!target) return;
    const TPoint p = target->ScreenToClient(screen);
    bool accept = false;
    SafeCall([&] { target->OnDragOver(target, d.Source, p.X, p.Y, state, accept); });
    d.Accepted = accept && target->OnDragOver.Assigned();
}

}  // namespace

bool ControlDragActive() { return Drag().Source != nullptr; }

bool TControl::Dragging() const { return Drag().Source == this; }

void PendControlDrag(TControl* source, int threshold) {
    if (Drag().Source) return;
    Pending() = TPendingDrag{source, LastPress(), std::max(0, threshold)};
}

void ForgetControlDrag(const TControl* source) {
    if (Pending().Source == source) Pending() = TPendingDrag{};
    if (Drag().Source == source) {
        if (QWidget* w = WidgetOf(source)) w->releaseMouse();
        QApplication::restoreOverrideCursor();
        Drag() = TDrag{};
    }
}

void StartControlDrag(TControl* source) {
    TDrag& d = Drag();
    if (d.Source) return;
    Pending() = TPendingDrag{};
    d.Source = source;
    d.Target = nullptr;
    d.Accepted = false;
    if (QWidget* w = WidgetOf(source)) {
        w->grabMouse();
        QApplication::setOverrideCursor(QCursor(Qt::DragMoveCursor));
    }
}

void FinishControlDrag(TControl* source, bool drop) {
    TDrag& d = Drag();
    if (d.Source != source || !source) return;
    if (QWidget* w = WidgetOf(source)) w->releaseMouse();
    QApplication::restoreOverrideCursor();
    TControl* target = d.Target;
    const bool accepted = d.Accepted;
    d = TDrag{};
    if (!drop || !target || !accepted) return;
    SafeCall([&] { target->OnDragDrop(target, source, 0, 0); });
}

bool DragMouseEvent(QWidget* widget, TControl* control, QMouseEvent* e) {
    TDrag& d = Drag();
    if (!d.Source) {
        const QPoint g = widget->mapToGlobal(e->position().toPoint());
        if (e->type() == QEvent::MouseButtonPress && e->button() == Qt::LeftButton) {
            // The same press passed on to a parent (the child did not take it) keeps the
            // drag the child armed: a ruler inside the designer's tab control.
            const TPendingDrag& armed = Pending();
            if (armed.Source && LastPress() == g)
                if (QWidget* from = WidgetOf(armed.Source); from && widget->isAncestorOf(from)) return false;
            LastPress() = g;
            Pending() = TPendingDrag{};
            return false;
        }
        TPendingDrag& p = Pending();
        if (!p.Source || control != p.Source) return false;
        if (e->type() != QEvent::MouseMove || !(e->buttons() & Qt::LeftButton)) {
            // Released (or the button let go elsewhere) before the threshold: no drag.
            Pending() = TPendingDrag{};
            return false;
        }
        if (std::abs(g.x() - p.Start.x()) < p.Threshold && std::abs(g.y() - p.Start.y()) < p.Threshold)
            return false;
        StartControlDrag(control);
        if (Drag().Source != control) return false;
    }
    if (control != d.Source) return false;
    const QPoint g = widget->mapToGlobal(e->position().toPoint());
    const TPoint screen{g.x(), g.y()};
    QWidget* under = QApplication::widgetAt(g);
    TControl* target = under ? ControlOfWidget(under) : nullptr;
    switch (e->type()) {
    case QEvent::MouseMove: {
        if (target != d.Target) {
            if (d.Target) AskTarget(d.Target, screen, dsDragLeave);
            d.Target = target;
            AskTarget(target, screen, dsDragEnter);
        } else {
            AskTarget(target, screen, dsDragMove);
        }
        QApplication::changeOverrideCursor(QCursor(d.Accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (target != d.Target) {
            if (d.Target) AskTarget(d.Target, screen, dsDragLeave);
            d.Target = target;
            AskTarget(target, screen, dsDragMove);
        }
        TControl* dropTarget = d.Accepted ? d.Target : nullptr;
        TControl* source = d.Source;
        FinishControlDrag(source, false);
        if (dropTarget) {
            const TPoint p = dropTarget->ScreenToClient(screen);
            SafeCall([&] { dropTarget->OnDragDrop(dropTarget, source, p.X, p.Y); });
        }
        return true;
    }
    default: return true;
    }
}
