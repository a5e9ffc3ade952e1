// The non-visual report component.
#include "report/DialogComponent.h"

#include "platform/classes/Filer.h"
#include "platform/rtl/Format.h"
#include "platform/ui/ImgList.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxDialogComponent)

TfrxDialogComponent::TfrxDialogComponent(TComponent* AOwner)
    : TfrxReportComponent(AOwner), FBitmap(std::make_unique<TBitmap>()) {
    FBitmap->SetSize(22, 22);
    FBitmap->Canvas()->Brush()->SetColor(clBtnFace);
    FBitmap->Canvas()->FillRect(TRect{0, 0, 22, 22});
    SetWidth(28);
    SetHeight(28);
}

TfrxDialogComponent::~TfrxDialogComponent() = default;

void TfrxDialogComponent::DropIcon() { FBitmap.reset(); }

void TfrxDialogComponent::DefineProperties(TFiler& Filer) {
    TfrxReportComponent::DefineProperties(Filer);
    Filer.DefineProperty(
        "pLeft", [this](TReader& r) { SetLeft(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(Round(Left())); }, true);
    Filer.DefineProperty(
        "pTop", [this](TReader& r) { SetTop(r.ReadInteger()); },
        [this](TWriter& w) { w.WriteInteger(Round(Top())); }, true);
}

void TfrxDialogComponent::Draw(TCanvas* Canvas, double, double, double, double) {
    SetWidth(28);
    SetHeight(28);
    const int x = static_cast<int>(Round(Left())), y = static_cast<int>(Round(Top()));
    const TRect r = Bounds(x, y, 28, 28);
    Canvas->Brush()->SetColor(clBtnFace);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->FillRect(r);
    // Raised edge: light top and left, shadow bottom and right.
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(clBtnHighlight);
    Canvas->MoveTo(r.Left, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Top);
    Canvas->LineTo(r.Right - 1, r.Top);
    Canvas->Pen()->SetColor(clBtnShadow);
    Canvas->LineTo(r.Right - 1, r.Bottom - 1);
    Canvas->LineTo(r.Left, r.Bottom - 1);
    if (FBitmap) {
        if (FImageIndex != -1) frxResources().ObjectImages()->Draw(FBitmap->Canvas(), 0, 0, FImageIndex);
        Canvas->Draw(x + 3, y + 3, FBitmap.get());
    }
    Canvas->Font()->SetName("Tahoma");
    Canvas->Font()->SetSize(8);
    Canvas->Font()->SetColor(clBlack);
    Canvas->Font()->SetStyle(TFontStyles{});
    Canvas->Brush()->SetStyle(bsClear);
    const int w = Canvas->TextWidth(Name());
    Canvas->TextOut(x - (w - 28) / 2, y + 28 + 4, Name());
}
