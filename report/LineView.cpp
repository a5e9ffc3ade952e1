// The line view.
#include "report/LineView.h"

#include <cmath>

#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxCustomLineView)
ROVE_IMPLEMENT_CLASS(TfrxLineView)

TfrxCustomLineView::TfrxCustomLineView(TComponent* AOwner) : TfrxStretcheable(AOwner) {}

TfrxCustomLineView::TfrxCustomLineView(TComponent* AOwner, uint16_t Flags)
    : TfrxStretcheable(AOwner, Flags), Diagonal(Flags != 0) {}

std::string TfrxCustomLineView::GetDescription() const { return frxResources().Get("obLine"); }

void TfrxCustomLineView::Straighten() {
    if (Diagonal) return;
    // Sizes may be negative (a line dragged up or to the left): the larger extent
    // decides, whatever its sign.
    if (std::fabs(Height()) >= std::fabs(Width())) {
        SetWidth(0);
        Frame()->Typ = TfrxFrameTypes{ftLeft};
    } else {
        SetHeight(0);
        Frame()->Typ = TfrxFrameTypes{ftTop};
    }
}

void TfrxCustomLineView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    Straighten();
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    if (!Diagonal) {
        DrawFrame();
        return;
    }
    const TfrxFrame& f = *Frame();
    if (f.Color == clNone || f.Width == 0) return;
    if (Color() == clNone) {
        Canvas->Brush()->SetStyle(bsClear);
    } else {
        Canvas->Brush()->SetColor(Color());
        Canvas->Brush()->SetStyle(bsSolid);
    }
    TPen* pen = Canvas->Pen();
    pen->SetColor(f.Color);
    pen->SetWidth(1);
    pen->SetMode(pmCopy);
    switch (f.Style) {
        case fsDash: pen->SetStyle(psDash); break;
        case fsDot: pen->SetStyle(psDot); break;
        case fsDashDot: pen->SetStyle(psDashDot); break;
        case fsDashDotDot: pen->SetStyle(psDashDotDot); break;
        case fsSolid:
        case fsDouble: pen->SetStyle(psSolid); break;
    }
    frxDrawLine(Canvas, FX, FY, FX1, FY1, FFrameWidth);
}

void TfrxLineView::DeclareProperties(TPropertyDecl<TfrxLineView>& d) {
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align", "Cursor", "Frame", "Printable", "ShiftMode", "StretchMode", "TagStr", "URL", "OnAfterData",
                "OnAfterPrint", "OnBeforePrint", "OnPreviewClick"});
    d.Property("Diagonal", &TfrxLineView::Diagonal, &TfrxLineView::Diagonal).Default(false);
}
