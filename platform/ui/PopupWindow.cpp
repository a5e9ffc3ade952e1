// The popup window: a frameless tool-tip window shown without activation.
#include "platform/ui/PopupWindow.h"

#include "platform/ui/QtPeer.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

ROVE_IMPLEMENT_CLASS(TPopupWindow)

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
    if (QWidget* w = WidgetOf(this)) w->setVisible(FVisible);
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
