#include "designer/trees/ToolWindow.h"

#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxToolWindow)

TfrxToolWindow::TfrxToolWindow(TComponent* AOwner) : TForm(AOwner) {
    SetBorderStyle(bsNone);
    SetParentFont(true);
    FTitle = new TPanel(this);
    FTitle->SetParent(this);
    FTitle->SetAlign(alTop);
    FTitle->SetHeight(16);
    FTitle->SetBevelOuter(bvNone);
    FTitle->SetAlignment(taLeftJustify);
    FTitle->SetColor(clBtnShadow);
    FTitle->Font()->SetColor(clWhite);
}

void TfrxToolWindow::SetText(const std::string& Value) {
    TForm::SetText(Value);
    if (FTitle) FTitle->SetText(" " + Value);
}

void TfrxToolWindow::SetParent(TWinControl* AParent) {
    TForm::SetParent(AParent);
    if (AParent && !Visible()) Show();
}

void TfrxToolWindow::Localize() { frxResources().LocalizeForm(this); }
