// The dot-matrix page, memo, line and command.
#include "report/DotMatrix.h"

#include <cmath>

#include "platform/graphics/Graphics.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "report/DesignRegistries.h"
#include "report/Frame.h"
#include "report/Resources.h"

ROVE_IMPLEMENT_CLASS(TfrxDMPPage)
ROVE_IMPLEMENT_CLASS(TfrxDMPMemoView)
ROVE_IMPLEMENT_CLASS(TfrxDMPLineView)
ROVE_IMPLEMENT_CLASS(TfrxDMPCommand)

namespace {

int rnd(double x) { return static_cast<int>(Round(x)); }

// To the nearest whole number of steps (a half to the even neighbour), or down to one.
double SnapRound(double Value, double Step) { return static_cast<double>(Round(Value / Step)) * Step; }
double SnapTrunc(double Value, double Step) { return static_cast<double>(Trunc(Value / Step)) * Step; }

TfrxDMPFontStyles PageStyleOf(const TfrxComponent* Obj) {
    auto* page = dynamic_cast<const TfrxDMPPage*>(Obj->Page());
    return page ? page->FontStyle() : TfrxDMPFontStyles{};
}

void StyleDiff(std::string& Out, TfrxDMPFontStyles Mine, const TfrxComponent* Other,
               TfrxDMPFontStyles (*Get)(const TfrxComponent*)) {
    if (!Other || Mine == Get(Other)) return;
    frxDiffIntItem(Out, "FontStyle", static_cast<int64_t>(Mine.Mask()));
}

}  // namespace

bool frxIsOnDotMatrixPage(const TfrxComponent* Obj) { return Obj && dynamic_cast<const TfrxDMPPage*>(Obj->Page()); }

// --- TfrxDMPPage -------------------------------------------------------------------------------

TfrxDMPPage::TfrxDMPPage(TComponent* AOwner) : TfrxReportPage(AOwner) {}

void TfrxDMPPage::DeclareProperties(TPropertyDecl<TfrxDMPPage>& d) {
    d.Property("FontStyle", &TfrxDMPPage::FontStyle, &TfrxDMPPage::SetFontStyle)
        .Stored(&TfrxDMPPage::IsFontStyleStored);
}

void TfrxDMPPage::SetFontStyle(TfrxDMPFontStyles Value) {
    FFontStyle = Value;
    for (TfrxComponent* c : AllObjects())
        if (c->ParentFont()) c->SetParentFont(true);
}

void TfrxDMPPage::SnapPaper(bool Truncate) {
    auto snap = [Truncate](double mm, double step) {
        const double px = mm * frxMmToPixels;
        return (Truncate ? SnapTrunc(px, step) : SnapRound(px, step)) / frxMmToPixels;
    };
    StorePaper(snap(PaperWidth(), frxCharWidth), snap(PaperHeight(), frxCharHeight));
    UpdateDimensions();
}

void TfrxDMPPage::SetDefaults() {
    TfrxReportPage::SetDefaults();
    // One cell of margin on every side.
    LeftMargin = RightMargin = 2.5399983595843927;
    TopMargin = BottomMargin = 4.497913761764029;
    SnapPaper(true);
}

void TfrxDMPPage::SetPaperWidth(double Value) {
    TfrxReportPage::SetPaperWidth(Value);
    StorePaper(SnapRound(PaperWidth() * frxMmToPixels, frxCharWidth) / frxMmToPixels, PaperHeight());
    UpdateDimensions();
}

void TfrxDMPPage::SetPaperHeight(double Value) {
    TfrxReportPage::SetPaperHeight(Value);
    StorePaper(PaperWidth(), SnapRound(PaperHeight() * frxMmToPixels, frxCharHeight) / frxMmToPixels);
    UpdateDimensions();
}

void TfrxDMPPage::SetPaperSize(int Value) {
    TfrxReportPage::SetPaperSize(Value);
    SnapPaper(false);
}

// --- TfrxDMPMemoView ---------------------------------------------------------------------------

TfrxDMPMemoView::TfrxDMPMemoView(TComponent* AOwner) : TfrxCustomMemoView(AOwner) { Init(); }
TfrxDMPMemoView::TfrxDMPMemoView(TComponent* AOwner, uint16_t Flags) : TfrxCustomMemoView(AOwner, Flags) { Init(); }

void TfrxDMPMemoView::Init() { ResetFont(); }

void TfrxDMPMemoView::DeclareProperties(TPropertyDecl<TfrxDMPMemoView>& d) {
    using T = TfrxDMPMemoView;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll & ~TfrxComponent::pubFont);
    Publish(d, {"AutoWidth", "AllowExpressions", "DataField", "DataSet", "DataSetName", "DisplayFormat",
                "ExpressionDelimiters"});
    d.Property("FontStyle", &T::FontStyle, &T::SetFontStyle).Stored(&T::IsFontStyleStored);
    Publish(d, {"Frame", "HAlign", "HideZeros", "Memo", "RTLReading", "SuppressRepeated", "WordWrap", "VAlign",
                "OnAfterData", "OnAfterPrint", "OnBeforePrint"});
}

void TfrxDMPMemoView::ResetFont() {
    // The font is the printer's, whatever the parent's: keep the flag as it is.
    const bool parentFont = ParentFont();
    TFont f;
    f.Assign(*Font());
    f.SetName("Courier New");
    f.SetSize(12);
    TFontStyles st;
    const TfrxDMPFontStyles style = FontStyle();
    if (style.Contains(fsxBold)) st.Include(fsBold);
    if (style.Contains(fsxItalic)) st.Include(fsItalic);
    if (style.Contains(fsxUnderline)) st.Include(fsUnderline);
    f.SetStyle(st);
    Font()->Assign(f);
    SetParentFontFlag(parentFont);
    CharSpacing = 0;
    GapX = 0;
    GapY = 0;
    LineSpacing = 1;
}

void TfrxDMPMemoView::SetFontStyle(TfrxDMPFontStyles Value) {
    FFontStyle = Value;
    SetParentFontFlag(false);
    ResetFont();
}

TfrxDMPFontStyles TfrxDMPMemoView::FontStyle() const {
    return ParentFont() && frxIsOnDotMatrixPage(this) ? PageStyleOf(this) : FFontStyle;
}

// Leaving the parent font keeps the style the object had (its page's).
void TfrxDMPMemoView::SetParentFont(bool Value) {
    const TfrxDMPFontStyles had = FontStyle();
    TfrxCustomMemoView::SetParentFont(Value);
    FFontStyle = Value && frxIsOnDotMatrixPage(this) ? PageStyleOf(this) : had;
    ResetFont();
}

void TfrxDMPMemoView::SetLeft(double Value) {
    TfrxCustomMemoView::SetLeft(Align() == baRight ? SnapTrunc(Value, frxCharWidth) : SnapRound(Value, frxCharWidth));
}
void TfrxDMPMemoView::SetTop(double Value) { TfrxCustomMemoView::SetTop(SnapRound(Value, frxCharHeight)); }
void TfrxDMPMemoView::SetWidth(double Value) { TfrxCustomMemoView::SetWidth(SnapRound(Value, frxCharWidth)); }
void TfrxDMPMemoView::SetHeight(double Value) { TfrxCustomMemoView::SetHeight(SnapRound(Value, frxCharHeight)); }

void TfrxDMPMemoView::GetData() {
    ResetFont();
    TfrxCustomMemoView::GetData();
}

double TfrxDMPMemoView::CalcHeight() {
    ResetFont();
    return SnapRound(TfrxCustomMemoView::CalcHeight(), frxCharHeight);
}

double TfrxDMPMemoView::CalcWidth() {
    ResetFont();
    return SnapRound(TfrxCustomMemoView::CalcWidth(), frxCharWidth);
}

void TfrxDMPMemoView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    ResetFont();
    TfrxCustomMemoView::Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
}

void TfrxDMPMemoView::DrawFrame() {
    const int x = FX, y = FY, x1 = FX1, y1 = FY1;
    FX = rnd((AbsLeft() - frxCharWidth / 2) * FScaleX + FOffsetX);
    FY = rnd((AbsTop() - frxCharHeight / 2) * FScaleY + FOffsetY);
    FX1 = rnd((AbsLeft() + Width() + frxCharWidth / 2) * FScaleX + FOffsetX);
    FY1 = rnd((AbsTop() + Height() + frxCharHeight / 2) * FScaleY + FOffsetY);
    FDX = FX1 - FX;
    FDY = FY1 - FY;
    TfrxCustomMemoView::DrawFrame();
    // The text that follows keeps the memo's own rectangle.
    FX = x;
    FY = y;
    FX1 = x1;
    FY1 = y1;
    FDX = FX1 - FX;
    FDY = FY1 - FY;
}

void TfrxDMPMemoView::DiffTo(TfrxComponent* AComponent, std::string& Out) {
    TfrxCustomMemoView::DiffTo(AComponent, Out);
    StyleDiff(Out, FontStyle(), dynamic_cast<TfrxDMPMemoView*>(AComponent), [](const TfrxComponent* c) {
        return static_cast<const TfrxDMPMemoView*>(c)->FontStyle();
    });
}

std::string TfrxDMPMemoView::GetDescription() const { return frxResources().Get("obDMPText"); }

// --- TfrxDMPLineView ---------------------------------------------------------------------------

TfrxDMPLineView::TfrxDMPLineView(TComponent* AOwner) : TfrxCustomLineView(AOwner) {}
TfrxDMPLineView::TfrxDMPLineView(TComponent* AOwner, uint16_t Flags) : TfrxCustomLineView(AOwner, Flags) {}

void TfrxDMPLineView::DeclareProperties(TPropertyDecl<TfrxDMPLineView>& d) {
    using T = TfrxDMPLineView;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll & ~TfrxComponent::pubFont);
    d.Property("FontStyle", &T::FontStyle, &T::SetFontStyle).Stored(&T::IsFontStyleStored);
    Publish(d, {"Frame", "StretchMode", "OnAfterPrint", "OnBeforePrint"});
}

void TfrxDMPLineView::SetFontStyle(TfrxDMPFontStyles Value) {
    FFontStyle = Value;
    SetParentFontFlag(false);
}

TfrxDMPFontStyles TfrxDMPLineView::FontStyle() const {
    return ParentFont() && frxIsOnDotMatrixPage(this) ? PageStyleOf(this) : FFontStyle;
}

void TfrxDMPLineView::SetParentFont(bool Value) {
    const TfrxDMPFontStyles had = FontStyle();
    TfrxCustomLineView::SetParentFont(Value);
    FFontStyle = Value && frxIsOnDotMatrixPage(this) ? PageStyleOf(this) : had;
}

void TfrxDMPLineView::SetLeft(double Value) {
    TfrxCustomLineView::SetLeft(SnapTrunc(Value, frxCharWidth) + frxCharWidth / 2);
}
void TfrxDMPLineView::SetTop(double Value) {
    TfrxCustomLineView::SetTop(SnapTrunc(Value, frxCharHeight) + frxCharHeight / 2);
}

void TfrxDMPLineView::DiffTo(TfrxComponent* AComponent, std::string& Out) {
    TfrxCustomLineView::DiffTo(AComponent, Out);
    StyleDiff(Out, FontStyle(), dynamic_cast<TfrxDMPLineView*>(AComponent), [](const TfrxComponent* c) {
        return static_cast<const TfrxDMPLineView*>(c)->FontStyle();
    });
}

std::string TfrxDMPLineView::GetDescription() const { return frxResources().Get("obDMPLine"); }

// --- TfrxDMPCommand ----------------------------------------------------------------------------

TfrxDMPCommand::TfrxDMPCommand(TComponent* AOwner) : TfrxView(AOwner) { Init(); }
TfrxDMPCommand::TfrxDMPCommand(TComponent* AOwner, uint16_t Flags) : TfrxView(AOwner, Flags) { Init(); }

void TfrxDMPCommand::Init() {
    SetBounds(Left(), Top(), frxCharWidth, frxCharHeight);
    SetPrintable(false);
}

void TfrxDMPCommand::DeclareProperties(TPropertyDecl<TfrxDMPCommand>& d) {
    using T = TfrxDMPCommand;
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubBounds | TfrxComponent::pubRestrictions |
                                        TfrxComponent::pubVisible);
    d.Property("Command", &T::Command, &T::Command);
    Publish(d, {"OnAfterPrint", "OnBeforePrint"});
}

std::string TfrxDMPCommand::CommandBytes() const {
    std::string out;
    const std::string& s = Command;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '#') {
            out += s[i];
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == '#') {
            out += '#';
            ++i;
            continue;
        }
        size_t j = i + 1;
        int code = 0;
        while (j < s.size() && j < i + 4 && s[j] >= '0' && s[j] <= '9') code = code * 10 + (s[j++] - '0');
        if (j == i + 1 || code > 255) {
            out += '#';
            continue;
        }
        out += static_cast<char>(code);
        i = j - 1;
    }
    return out;
}

void TfrxDMPCommand::SetLeft(double Value) { TfrxView::SetLeft(SnapRound(Value, frxCharWidth)); }
void TfrxDMPCommand::SetTop(double Value) { TfrxView::SetTop(SnapRound(Value, frxCharHeight)); }

void TfrxDMPCommand::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    Canvas->Brush()->SetColor(static_cast<TColor>(0xE0E0E0));
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(clGray);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Rectangle(FX, FY, FX1, FY1);
    TFont f;
    f.SetName("Tahoma");
    f.SetHeight(-std::max(1, static_cast<int>(rnd(8 * ScaleY))));
    Canvas->SetFont(f);
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->TextOut(FX + 1, FY + 1, Command.empty() ? std::string("ESC") : Command);
}

std::string TfrxDMPCommand::GetDescription() const { return frxResources().Get("obDMPCmd"); }

// --- Registration ------------------------------------------------------------------------------

void frxRegisterDotMatrixClasses() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    RegisterClass(TfrxDMPPage::StaticClass());
    frxObjects().RegisterObject(TfrxDMPMemoView::StaticClass(), nullptr, {}, {}, 0, 2);
    frxObjects().RegisterObject(TfrxDMPLineView::StaticClass(), nullptr, {}, {}, 0, 5);
    frxObjects().RegisterObject(TfrxDMPCommand::StaticClass(), nullptr, {}, {}, 0, 2);
}
