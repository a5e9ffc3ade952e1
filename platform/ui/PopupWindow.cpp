// The popup window: a frameless tool-tip window shown without activation.
#include "platform/ui/PopupWindow.h"

#include "platform/ui/QtPeer.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

ROVE_IMPLEMENT_CLASS(TPopupWindow)

namespace {

// A tool window stays above its owner only when the window system knows the owner: a window
// made while its owner had no window of its own yet has none, so it is named before showing.
void KeepAboveOwner(QWidget* Popup, QWidget* Owner) {
    if (!Popup || !Owner) return;
    Owner->winId();
    Popup->winId();
    if (QWindow* h = Popup->windowHandle(); h && Owner->windowHandle() && h->transientParent() != Owner->windowHandle())
        h->setTransientParent(Owner->windowHandle());
}

// Follows the owner window of a tool window: a tool window shown while its owner is hidden
// shows when the owner does (mapped before its owner, the window manager stacks it below
// the owner: a floating tool bar restored while its window is made would stand behind it).
class TOwnerWatch final : public QObject {
public:
    TOwnerWatch(QWidget* Owner, QWidget* Popup) : QObject(Popup), FOwner(Owner), FPopup(Popup) {
        Owner->installEventFilter(this);
    }
    ~TOwnerWatch() override {
        if (FOwner) FOwner->removeEventFilter(this);
    }
    QWidget* Owner() const { return FOwner; }
    bool Pending = false;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        if (!FPopup) return false;
        if (Watched != FOwner) return false;
        if (Event->type() == QEvent::Show && Pending) {
            Pending = false;
            // Still meant to show (it may have been hidden meanwhile).
            if (TControl* c = ControlOfWidget(FPopup); c && c->Visible()) {
                KeepAboveOwner(FPopup, FOwner);
                FPopup->show();
            }
        }
        return false;
    }

private:
    QPointer<QWidget> FOwner;
    QPointer<QWidget> FPopup;
};

TOwnerWatch* WatchOf(QWidget* Popup) {
    for (QObject* o : Popup->children())
        if (auto* w = dynamic_cast<TOwnerWatch*>(o)) return w;
    return nullptr;
}

}  // namespace

TPopupWindow::TPopupWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    CreatePaintedPeer();
    FVisible = false;
    if (QWidget* w = WidgetOf(this)) {
        w->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setFocusPolicy(Qt::NoFocus);
        w->hide();
    }
}

TPopupWindow::~TPopupWindow() = default;

void TPopupWindow::ApplyVisible() {
    QWidget* w = WidgetOf(this);
    if (!w) return;
    QWidget* owner = w->isWindow() && w->parentWidget() ? w->parentWidget()->window() : nullptr;
    if (owner) {
        TOwnerWatch* watch = WatchOf(w);
        if (watch && watch->Owner() != owner) {
            delete watch;
            watch = nullptr;
        }
        if (!watch) watch = new TOwnerWatch(owner, w);
        watch->Pending = FVisible && !owner->isVisible();
        if (watch->Pending) return;
        if (FVisible) KeepAboveOwner(w, owner);
    }
    w->setVisible(FVisible);
}

void TPopupWindow::SetOwnerForm(TWinControl* Form) {
    QWidget* w = WidgetOf(this);
    QWidget* owner = Form ? WidgetOf(Form) : nullptr;
    if (!w) return;
    const bool visible = w->isVisible();
    w->setParent(owner, owner ? Qt::Tool | Qt::FramelessWindowHint : Qt::ToolTip | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setGeometry(FLeft, FTop, FWidth, FHeight);
    if (visible) w->show();
}

void TPopupWindow::Release() {
    Hide();
    QPointer<QWidget> w = WidgetOf(this);
    QTimer::singleShot(0, QCoreApplication::instance(), [w] {
        if (!w) return;
        if (TControl* c = ControlOfWidget(w)) delete c;
    });
}
