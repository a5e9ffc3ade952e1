#include "designer/trees/ToolWindow.h"

#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxToolWindow)

TfrxToolWindow::TfrxToolWindow(TComponent* AOwner) : TPanel(AOwner) {
    SetBevelOuter(bvNone);
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
    TPanel::SetText("");
    if (FTitle) FTitle->SetText(" " + Value);
}

void TfrxToolWindow::Localize() { frxResources().LocalizeForm(this); }
