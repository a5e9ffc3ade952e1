// In-process dragging of controls: BeginDrag takes the mouse; moving it asks the control
// under the pointer through OnDragOver whether it accepts the source; releasing the
// button over an accepting control calls its OnDragDrop. Positions come from the events,
// never from the cursor's current place, so synthetic events drive it.
#include "platform/ui/Controls.h"
#include "platform/ui/QtPeer.h"

#include <QApplication>
#include <QMouseEvent>

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

void StartControlDrag(TControl* source) {
    TDrag& d = Drag();
    if (d.Source) return;
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
    (void)target;
}

bool DragMouseEvent(QWidget* widget, TControl* control, QMouseEvent* e) {
    TDrag& d = Drag();
    if (!d.Source || control != d.Source) return false;
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
