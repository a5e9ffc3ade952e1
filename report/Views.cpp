// Views: the device rectangle, background, frame and shadow drawing, the data binding,
// bracketed expressions in TagStr and URL, and the shape view.
#include "report/Views.h"

#include <algorithm>
#include <cstdlib>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/ui/Controls.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/XMLDocument.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxHighlight)
ROVE_IMPLEMENT_CLASS(TfrxFormat)
ROVE_IMPLEMENT_CLASS(TfrxView)
ROVE_IMPLEMENT_CLASS(TfrxStretcheable)
ROVE_IMPLEMENT_CLASS(TfrxShapeView)

namespace {

// x to the nearest integer, a half to the even neighbour.
int rnd(double x) { return frxRoundInt(x); }

// The pen style of a frame style; a double frame draws its lines solid.
TPenStyle PenStyleOf(TfrxFrameStyle Style) {
    switch (Style) {
        case fsSolid: return psSolid;
        case fsDash: return psDash;
        case fsDot: return psDot;
        case fsDashDot: return psDashDot;
        case fsDashDotDot: return psDashDotDot;
        case fsDouble: return psSolid;
    }
    return psSolid;
}

}  // namespace

const TTypeInfo* frxCursorTypeInfo() { return CursorTypeInfo(); }

// --- TfrxHighlight, TfrxFormat -------------------------------------------------------------

TfrxHighlight::TfrxHighlight() : FFont(std::make_unique<TFont>()) {
    FFont->SetName("Arial");
    FFont->SetSize(10);
    FFont->SetColor(clRed);
    FFont->SetCharset(DEFAULT_CHARSET);
}

TfrxHighlight::~TfrxHighlight() = default;

void TfrxHighlight::DeclareProperties(TPropertyDecl<TfrxHighlight>& d) {
    using T = TfrxHighlight;
    d.Property("Active", &T::Active, &T::Active).Default(false);
    d.Property("Color", ColorTypeInfo(), &T::Color, &T::Color).Default(clNone);
    d.Property("Condition", &T::Condition, &T::Condition);
    d.Property("Font", &T::Font, &T::SetFont);
}

void TfrxHighlight::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxHighlight*>(Source);
    if (!s) return TPersistent::Assign(Source);
    FFont->Assign(s->FFont.get());
    Color = s->Color;
    Condition = s->Condition;
}

void TfrxFormat::DeclareProperties(TPropertyDecl<TfrxFormat>& d) {
    using T = TfrxFormat;
    d.Property("DecimalSeparator", &T::DecimalSeparator, &T::DecimalSeparator);
    d.Property("FormatStr", &T::FormatStr, &T::FormatStr);
    d.Property("Kind", &T::Kind, &T::Kind).Default(fkText);
}

void TfrxFormat::Assign(TPersistent* Source) {
    auto* s = dynamic_cast<TfrxFormat*>(Source);
    if (!s) return TPersistent::Assign(Source);
    DecimalSeparator = s->DecimalSeparator;
    FormatStr = s->FormatStr;
    Kind = s->Kind;
}

// --- Free routines -------------------------------------------------------------------------

void frxDrawLine(TCanvas* Canvas, int X, int Y, int X1, int Y1, int W) {
    if (W == 0) W = 1;
    const int half = W / 2;
    const int last = (W % 2 == 0) ? half - 1 : half;
    const bool horizontal = std::abs(X1 - X) > std::abs(Y1 - Y);
    for (int i = -half; i <= last; ++i) {
        if (horizontal) {
            Canvas->MoveTo(X, Y + i);
            Canvas->LineTo(X1, Y1 + i);
        } else {
            Canvas->MoveTo(X + i, Y);
            Canvas->LineTo(X1 + i, Y1);
        }
    }
}

bool frxGetBrackedVariable(std::string_view Text, std::string_view Open, std::string_view Close, size_t& Start,
                           size_t& End, std::string& Expr) {
    if (Open.empty() || Start >= Text.size() || Text.compare(Start, Open.size(), Open) != 0) return false;
    int depth = 0;
    bool inDouble = false, inSingle = false;
    size_t j = Start;
    while (j < Text.size()) {
        if (!inDouble && !inSingle) {
            if (Text.compare(j, Open.size(), Open) == 0) {
                ++depth;
                j += Open.size();
                continue;
            }
            if (!Close.empty() && Text.compare(j, Close.size(), Close) == 0) {
                if (--depth == 0) {
                    Expr.assign(Text.substr(Start + Open.size(), j - Start - Open.size()));
                    End = j + Close.size();
                    return true;
                }
                j += Close.size();
                continue;
            }
        }
        if (Text[j] == '"' && !inSingle) inDouble = !inDouble;
        else if (Text[j] == '\'' && !inDouble) inSingle = !inSingle;
        NextCodePoint(Text, j);
    }
    // No matching closing delimiter: the rest of the text is the expression.
    Expr.assign(Text.substr(Start + Open.size()));
    End = Text.size();
    return true;
}

// --- TfrxView ------------------------------------------------------------------------------

TfrxView::TfrxView(TComponent* AOwner) : TfrxReportComponent(AOwner) { Init(); }

TfrxView::TfrxView(TComponent* AOwner, uint16_t Flags) : TfrxReportComponent(AOwner, Flags) { Init(); }

void TfrxView::Init() { FFrame = std::make_unique<TfrxFrame>(); }

TfrxView::~TfrxView() = default;

void TfrxView::SetDataSet(TfrxDataSet* Value) {
    FDataSet = Value;
    FDataSetComponent = Value;
    if (Value) Value->FreeNotification(this);
    FDataSetName = Value ? Value->UserName() : std::string();
}

std::string TfrxView::DataSetName() const { return FDataSet ? FDataSet->UserName() : FDataSetName; }

void TfrxView::SetDataSetName(const std::string& Value) {
    FDataSetName = Value;
    TfrxDataSet* ds = frxFindDataSet(FDataSet, Value, Report());
    FDataSet = ds;
    FDataSetComponent = ds;
    if (ds) ds->FreeNotification(this);
}

bool TfrxView::IsDataField() const { return FDataSet && !DataField.empty(); }

void TfrxView::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxReportComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDataSetComponent) {
        FDataSet = nullptr;
        FDataSetComponent = nullptr;
    }
}

void TfrxView::BeforePrint() {
    TfrxReportComponent::BeforePrint();
    FSavedTagStr = FTagStr;
    FSavedURL = FURL;
}

void TfrxView::AfterPrint() {
    TfrxReportComponent::AfterPrint();
    FTagStr = FSavedTagStr;
    FURL = FSavedURL;
}

TfrxReport* TfrxView::CalcReport() {
    const uint64_t stamp = frxComponentTreeStamp();
    if (FCalcReportStamp != stamp) {
        FCalcReport = Report();
        FCalcReportStamp = stamp;
    }
    return FCalcReport;
}

Variant TfrxView::Calc(const std::string& Expr) {
    TfrxReport* r = CalcReport();
    return r ? r->Calc(Expr) : Variant::Null();
}

Variant TfrxView::Calc(const std::string& Expr, TfrxCalcHandle& Handle) {
    TfrxReport* r = CalcReport();
    return r ? r->Calc(Expr, Handle) : Variant::Null();
}

// Each bracketed expression is replaced by its value; scanning goes on after the value,
// so a value holding brackets is not evaluated again.
std::string TfrxView::ExpandBrackets(const std::string& Text) {
    std::string s = Text;
    size_t i = 0;
    while (true) {
        while (i < s.size() && s[i] != '[') NextCodePoint(s, i);
        if (i >= s.size()) break;
        size_t end = i;
        std::string expr;
        if (!frxGetBrackedVariable(s, "[", "]", i, end, expr)) break;
        const std::string value = VarToStr(Calc(expr));
        s.replace(i, end - i, value);
        i += value.size();
    }
    return s;
}

void TfrxView::GetData() {
    TfrxReportComponent::GetData();
    if (FTagStr.find('[') != std::string::npos) FTagStr = ExpandBrackets(FTagStr);
    if (FURL.find('[') != std::string::npos) FURL = ExpandBrackets(FURL);
}

void TfrxView::BeginDraw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    FCanvas = Canvas;
    FScaleX = ScaleX;
    FScaleY = ScaleY;
    FOffsetX = OffsetX;
    FOffsetY = OffsetY;
    FX = rnd(AbsLeft() * ScaleX + OffsetX);
    FY = rnd(AbsTop() * ScaleY + OffsetY);
    FX1 = rnd((AbsLeft() + Width()) * ScaleX + OffsetX);
    FY1 = rnd((AbsTop() + Height()) * ScaleY + OffsetY);
    if (FFrame->DropShadow) {
        FX1 -= rnd(FFrame->ShadowWidth * ScaleX);
        FY1 -= rnd(FFrame->ShadowWidth * ScaleY);
    }
    FDX = FX1 - FX;
    FDY = FY1 - FY;
    FFrameWidth = rnd(FFrame->Width * ScaleX);
}

void TfrxView::DrawBackground() {
    if (FColor != clNone) {
        FCanvas->Brush()->SetColor(FColor);
        FCanvas->Brush()->SetStyle(bsSolid);
        FCanvas->FillRect(Rect(FX, FY, FX1, FY1));
    }
    if (FBrushStyle != bsSolid) {
        FCanvas->Brush()->SetColor(FFrame->Color);
        FCanvas->Brush()->SetStyle(FBrushStyle);
        FCanvas->Pen()->SetColor(FColor == clNone ? clWhite : FColor);
        FCanvas->Pen()->SetStyle(psSolid);
        FCanvas->Pen()->SetWidth(1);
        FCanvas->Pen()->SetMode(pmCopy);
        FCanvas->Rectangle(FX, FY, FX1 + 1, FY1 + 1);
        FCanvas->Brush()->SetStyle(bsSolid);
    }
}

void TfrxView::SetFramePen() {
    TPen* pen = FCanvas->Pen();
    pen->SetColor(FFrame->Color);
    pen->SetMode(pmCopy);
    if (FFrame->Style == fsSolid || FFrame->Style == fsDouble) {
        pen->SetStyle(psSolid);
        pen->SetWidth(FFrameWidth);
    } else {
        pen->SetStyle(PenStyleOf(FFrame->Style));
        pen->SetWidth(1);
    }
    // The gaps between dashes take the fill colour, or stay clear without one.
    if (FColor != clNone) {
        FCanvas->Brush()->SetColor(FColor);
        FCanvas->Brush()->SetStyle(bsSolid);
    } else {
        FCanvas->Brush()->SetStyle(bsClear);
    }
}

// A double side is two lines at the frame width's distance from the nominal line. Where
// an adjoining side is present, the outer line reaches past the corner and the inner one
// stops short of it, so that the corners are mitred.
void TfrxView::DrawFrameSide(int X, int Y, int X1, int Y1, bool Vertical, bool Outer, bool Gap1, bool Gap2) {
    const int fw = FFrameWidth;
    switch (FFrame->Style) {
        case fsSolid:
            FCanvas->MoveTo(X, Y);
            FCanvas->LineTo(X1, Y1);
            return;
        case fsDash:
        case fsDot:
        case fsDashDot:
        case fsDashDotDot:
            frxDrawLine(FCanvas, X, Y, X1, Y1, fw);
            return;
        case fsDouble:
            break;
    }
    const int g1 = Gap1 ? fw : 0;
    const int g2 = Gap2 ? fw : 0;
    auto line = [&](int offset, int change) {
        if (Vertical) {
            FCanvas->MoveTo(X + offset, Y - change * g1);
            FCanvas->LineTo(X1 + offset, Y1 + change * g2);
        } else {
            FCanvas->MoveTo(X - change * g1, Y + offset);
            FCanvas->LineTo(X1 + change * g2, Y1 + offset);
        }
    };
    // The line at -fw is the outer one of the left and top sides, the inner one of the
    // right and bottom sides.
    const int first = Outer ? 1 : -1;
    line(-fw, first);
    if (FColor != clNone) {
        FCanvas->Pen()->SetColor(FColor);
        FCanvas->MoveTo(X, Y);
        FCanvas->LineTo(X1, Y1);
        FCanvas->Pen()->SetColor(FFrame->Color);
    }
    line(fw, -first);
}

void TfrxView::DrawFrame() {
    const TfrxFrame& f = *FFrame;
    if (f.DropShadow) {
        FCanvas->Pen()->SetStyle(psSolid);
        FCanvas->Pen()->SetWidth(1);
        FCanvas->Pen()->SetMode(pmCopy);
        FCanvas->Pen()->SetColor(f.ShadowColor);
        int w = rnd(f.ShadowWidth * FScaleX);
        frxDrawLine(FCanvas, FX1 + w / 2, FY + w, FX1 + w / 2, FY1, w);
        w = rnd(f.ShadowWidth * FScaleY);
        frxDrawLine(FCanvas, FX + w, FY1 + w / 2, FX1 + w, FY1 + w / 2, w);
    }
    if (f.Typ.Empty() || f.Color == clNone || f.Width == 0) return;
    SetFramePen();
    const bool l = f.Typ.Contains(ftLeft), r = f.Typ.Contains(ftRight);
    const bool t = f.Typ.Contains(ftTop), b = f.Typ.Contains(ftBottom);
    if (l) DrawFrameSide(FX, FY, FX, FY1, true, true, t, b);
    if (r) DrawFrameSide(FX1, FY, FX1, FY1, true, false, t, b);
    if (t) DrawFrameSide(FX, FY, FX1, FY, false, true, l, r);
    if (b) DrawFrameSide(FX, FY1, FX1, FY1, false, false, l, r);
}

void TfrxView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    DrawBackground();
    DrawFrame();
}

// --- TfrxStretcheable ----------------------------------------------------------------------

TfrxStretcheable::TfrxStretcheable(TComponent* AOwner) : TfrxView(AOwner) {}
TfrxStretcheable::TfrxStretcheable(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) {}

double TfrxStretcheable::CalcHeight() { return Height(); }
double TfrxStretcheable::DrawPart() { return 0; }

// --- TfrxShapeView -------------------------------------------------------------------------

TfrxShapeView::TfrxShapeView(TComponent* AOwner) : TfrxView(AOwner) { StoreInFull = false; }

TfrxShapeView::TfrxShapeView(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) {
    StoreInFull = false;
    if (Flags <= skDiagonal2) Shape = static_cast<TfrxShapeKind>(Flags);
}

void TfrxShapeView::DeclareProperties(TPropertyDecl<TfrxShapeView>& d) {
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align", "BrushStyle", "Color", "Cursor", "Frame", "Printable", "ShiftMode", "TagStr", "URL",
                "OnAfterData", "OnAfterPrint", "OnBeforePrint", "OnPreviewClick"});
    d.Property("Shape", &TfrxShapeView::Shape, &TfrxShapeView::Shape).Default(skRectangle);
}

std::string TfrxShapeView::GetDescription() const { return frxResources().Get("obShape"); }

void TfrxShapeView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    TPen* pen = Canvas->Pen();
    pen->SetColor(Frame()->Color);
    pen->SetWidth(FFrameWidth);
    pen->SetStyle(PenStyleOf(Frame()->Style));
    pen->SetMode(pmCopy);
    TBrush* brush = Canvas->Brush();
    const int x = FX, y = FY, x1 = FX1, y1 = FY1, dx = FDX, dy = FDY;
    auto draw = [&] {
        switch (Shape) {
            case skRectangle: Canvas->Rectangle(x, y, x1 + 1, y1 + 1); break;
            case skRoundRectangle: {
                const int corner = std::min(dx, dy) / 4;
                Canvas->RoundRect(x, y, x1 + 1, y1 + 1, corner, corner);
                break;
            }
            case skEllipse: Canvas->Ellipse(x, y, x1 + 1, y1 + 1); break;
            case skTriangle: Canvas->Polygon({Point(x1, y1), Point(x, y1), Point(x + dx / 2, y)}); break;
            case skDiamond:
                Canvas->Polygon({Point(x + dx / 2, y), Point(x1, y + dy / 2), Point(x + dx / 2, y1), Point(x, y + dy / 2)});
                break;
            case skDiagonal1: frxDrawLine(Canvas, x, y1, x1, y, FFrameWidth); break;
            case skDiagonal2: frxDrawLine(Canvas, x, y, x1, y1, FFrameWidth); break;
        }
    };
    if (BrushStyle() == bsSolid) {
        if (Color() == clNone) {
            brush->SetStyle(bsClear);
        } else {
            brush->SetColor(Color());
            brush->SetStyle(bsSolid);
        }
        draw();
        return;
    }
    if (Color() != clNone) {
        brush->SetColor(Color());
        brush->SetStyle(bsSolid);
        draw();
    }
    brush->SetColor(Frame()->Color);
    brush->SetStyle(BrushStyle());
    draw();
}

void TfrxShapeView::DiffTo(TfrxComponent* AComponent, std::string& Out) {
    TfrxView::DiffTo(AComponent, Out);
    if (auto* o = frxAs<TfrxShapeView>(AComponent); o && o->Shape != Shape) frxDiffIntItem(Out, "Shape", Shape);
}
