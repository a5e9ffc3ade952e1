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
// shows once the owner has shown. The window manager keeps a tool window above its owner
// only when the owner was its window already when the tool window came: mapped first, or
// in the same moment (from the owner's show event, which comes before the owner is given
// to the window system), it stays an unrelated window that a click on the owner covers (a
// floating tool bar restored while its window is made). So it is shown when the events
// of the owner's showing are done.
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
            QTimer::singleShot(0, FPopup, [Self = QPointer<TOwnerWatch>(this), Popup = FPopup, Owner = FOwner] {
                // Still meant to show (it may have been hidden meanwhile); an owner hidden
                // again takes it along when it shows next.
                if (!Self || !Popup || !Owner) return;
                if (!Owner->isVisible()) {
                    Self->Pending = true;
                    return;
                }
                if (TControl* c = ControlOfWidget(Popup); c && c->Visible()) {
                    KeepAboveOwner(Popup, Owner);
                    Popup->show();
                }
            });
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
