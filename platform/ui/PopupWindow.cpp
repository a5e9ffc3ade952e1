// The popup window: a frameless tool-tip window shown without activation.
#include "platform/ui/PopupWindow.h"

#include "platform/ui/QtPeer.h"

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
