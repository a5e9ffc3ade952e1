// The memo view: data, expressions, display formats, styles, measuring, splitting and
// drawing through the text layout.
#include "report/MemoView.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <type_traits>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "report/DataSet.h"
#include "report/Report.h"
#include "report/Resources.h"
#include "report/Styles.h"
#include "report/XMLDocument.h"
#include "report/Utils.h"

ROVE_IMPLEMENT_CLASS(TfrxCustomMemoView)
ROVE_IMPLEMENT_CLASS(TfrxMemoView)
ROVE_IMPLEMENT_CLASS(TfrxSysMemoView)

namespace {

int rnd(double x) { return frxRoundInt(x); }

void DiffItem(std::string& s, const char* key, const std::string& value) {
    s += ' ';
    s += key;
    s += "=\"";
    s += value;
    s += '"';
}

const char* BoolText(bool b) { return b ? "True" : "False"; }

// A value other than text that equals 0 (HideZeros).
bool IsZeroValue(const Variant& v) {
    if (v.IsString() || v.IsNull() || v.IsEmpty() || v.IsArray()) return false;
    try {
        return VarEquals(v, Variant(0));
    } catch (const std::exception&) {
        return false;
    }
}

// The decimal separator of a numeric format in force while the value is formatted.
class TDecimalSeparatorScope {
public:
    explicit TDecimalSeparatorScope(const std::string& Separator) : FSaved(FormatSettings.DecimalSeparator) {
        if (Separator.size() == 1) FormatSettings.DecimalSeparator = Separator[0];
    }
    ~TDecimalSeparatorScope() { FormatSettings.DecimalSeparator = FSaved; }
    TDecimalSeparatorScope(const TDecimalSeparatorScope&) = delete;
    TDecimalSeparatorScope& operator=(const TDecimalSeparatorScope&) = delete;

private:
    char FSaved;
};

constexpr int kLargeRect = 10000;

// Equal texts, compared in place (delimiters: a few bytes, compared on every row).
bool SameBytes(const std::string& A, const std::string& B) {
    if (A.size() != B.size()) return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (A[i] != B[i]) return false;
    return true;
}

bool LinesHoldBreaks(const TStringList& Lines) {
    for (int i = 0; i < Lines.Count(); ++i)
        if (Lines[i].find_first_of("\r\n") != std::string::npos) return true;
    return false;
}

// Whether a line holds "[TOTALPAGES#]", in any case of its letters: the memo's text is
// then joined and the page count put in when it is drawn. The tag holds no line break,
// so a line of its own holds it whenever the joined text does.
bool HoldsTotalPages(const TStringList& Lines) {
    static constexpr std::string_view tag = "[TOTALPAGES#]";
    for (int i = 0; i < Lines.Count(); ++i) {
        const std::string& line = Lines[i];
        for (size_t p = line.find('['); p != std::string::npos && line.size() - p >= tag.size();
             p = line.find('[', p + 1)) {
            size_t k = 1;
            while (k < tag.size()) {
                const char c = line[p + k];
                if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c) != tag[k]) break;
                ++k;
            }
            if (k == tag.size()) return true;
        }
    }
    return false;
}

}  // namespace

// --- Creation ------------------------------------------------------------------------------

TfrxCustomMemoView::TfrxCustomMemoView(TComponent* AOwner) : TfrxStretcheable(AOwner) { Init(); }

TfrxCustomMemoView::TfrxCustomMemoView(TComponent* AOwner, uint16_t Flags) : TfrxStretcheable(AOwner, Flags) {
    Init();
}

void TfrxCustomMemoView::Init() {
    FDisplayFormat = std::make_unique<TfrxFormat>();
    FHighlight = std::make_unique<TfrxHighlight>();
    FMemo = std::make_unique<TStringList>();
    StoreInFull = false;
}

TfrxCustomMemoView::~TfrxCustomMemoView() = default;

void TfrxCustomMemoView::SetFlowTo(TfrxCustomMemoView* Value) {
    if (Value == this) Value = nullptr;
    FFlowTo = Value;
    if (Value) Value->FreeNotification(this);
}

void TfrxCustomMemoView::Notification(TComponent* AComponent, TOperation Operation) {
    TfrxStretcheable::Notification(AComponent, Operation);
    if (Operation == opRemove && FFlowTo && AComponent == static_cast<TComponent*>(FFlowTo)) FFlowTo = nullptr;
}

void TfrxCustomMemoView::SetRotation(int Value) { FRotation = ((Value % 360) + 360) % 360; }

void TfrxCustomMemoView::SetStyle(const std::string& Value) {
    FStyle = Value;
    TfrxReport* r = Report();
    if (!r) return;
    TfrxStyleItem* item = r->Styles()->Find(Value);
    if (!item) return;
    SetColor(item->Color());
    SetFont(item->Font());
    Frame()->Assign(item->Frame());
}

bool TfrxCustomMemoView::IsHighlightStored() const { return !Trim(FHighlight->Condition).empty(); }

// --- Printing ------------------------------------------------------------------------------

// The template text is kept once: while the lines keep the stamp they had when it was
// taken (or put back), it is still their text. Lines holding line breaks of their own
// come back split, so their text is taken anew each time.
void TfrxCustomMemoView::BeforePrint() {
    TfrxStretcheable::BeforePrint();
    if (IsDataField()) return;
    if (!FSavedValid || FMemo->ChangeStamp() != FSavedStamp) {
        FSavedText = FMemo->Text();
        ++FSavedVersion;
        FSavedStamp = FMemo->ChangeStamp();
        FSavedValid = !LinesHoldBreaks(*FMemo);
        FTemplateHeld = false;
    }
}

void TfrxCustomMemoView::AfterPrint() {
    if (!IsDataField() && (!FSavedValid || FMemo->ChangeStamp() != FSavedStamp)) {
        if (FTemplateHeld) FMemo->TakeLines(*FTemplateLines);
        else FMemo->SetText(FSavedText);
        FSavedStamp = FMemo->ChangeStamp();
    }
    FTemplateHeld = false;
    TfrxStretcheable::AfterPrint();
}

std::string TfrxCustomMemoView::FormatData(const Variant& Value, const TfrxFormat* Format) const {
    if (!Format) Format = FDisplayFormat.get();
    if (Value.IsNull() || Value.IsEmpty()) return {};
    try {
        switch (Format->Kind) {
            case fkText:
                return VarToStr(Value);
            case fkNumeric: {
                // A text value is read with the program's own separator, before the
                // format's separator takes its place.
                const double number = Value.AsDouble();
                TDecimalSeparatorScope separator(Format->DecimalSeparator);
                if (!Format->FormatStr.empty() && Format->FormatStr[0] == '#')
                    return FormatFloat(Format->FormatStr, number);
                return ::Format(Format->FormatStr, {number});
            }
            case fkDateTime:
                return FormatDateTime(Format->FormatStr, Value.AsDateTime());
            case fkBoolean: {
                const std::string& s = Format->FormatStr;
                const size_t comma = s.find(',');
                const std::string yes = s.substr(0, comma);
                const std::string no = comma == std::string::npos ? std::string() : s.substr(comma + 1);
                return VarEquals(Value, Variant(true)) ? yes : no;
            }
        }
    } catch (const std::exception&) {
    }
    return VarToStr(Value);
}

// One expression: an optional " #" suffix gives its own format (N numeric, D/T date and
// time, B boolean, else text) for this expression only.
TfrxCustomMemoView::TExpressionPiece TfrxCustomMemoView::ParseExpression(const std::string& Expr) {
    TExpressionPiece piece;
    piece.Expr = Expr;
    const size_t mark = Expr.find(" #");
    if (mark != std::string::npos) {
        piece.Expr = Expr.substr(0, mark);
        piece.Format = std::make_unique<TfrxFormat>();
        TfrxFormat& local = *piece.Format;
        const std::string spec = Expr.substr(mark + 2);
        if (!spec.empty()) {
            switch (spec[0]) {
                case 'N': case 'n': local.Kind = fkNumeric; break;
                case 'D': case 'd': case 'T': case 't': local.Kind = fkDateTime; break;
                case 'B': case 'b': local.Kind = fkBoolean; break;
                default: local.Kind = fkText; break;
            }
            size_t next = 0;
            NextCodePoint(spec, next);
            local.FormatStr = spec.substr(next);
        }
        if (local.Kind == fkNumeric)
            for (char& c : local.FormatStr)
                if (c == ',' || c == '-' || c == '.') {
                    local.DecimalSeparator = std::string(1, c);
                    c = '.';
                }
    }
    // The page count is known only after the last pass: the prepared pages put it in.
    piece.PageCountMark = SameText(piece.Expr, "TOTALPAGES#");
    return piece;
}

void TfrxCustomMemoView::AppendValue(TExpressionPiece& Piece, std::string& Out) {
    if (Piece.PageCountMark) FValue = Variant("[TotalPages#]");
    else FValue = Calc(Piece.Expr, Piece.Handle);
    if (HideZeros && IsZeroValue(FValue)) return;
    AppendFormatted(FValue, Piece.Format ? Piece.Format.get() : FDisplayFormat.get(), Out);
}

void TfrxCustomMemoView::AppendFormatted(const Variant& Value, const TfrxFormat* Format, std::string& Out) const {
    if (Format->Kind == fkText) {
        if (Value.IsString()) {
            Out += Value.StrValue();
            return;
        }
        if (Value.IsInteger()) {
            char digits[24];
            const auto [end, error] = std::to_chars(digits, digits + sizeof digits, Value.IntValue());
            Out.append(digits, end);
            return;
        }
        if (Value.Kind() == varDouble) {
            Out += FloatToStr(Value.DoubleValue());
            return;
        }
    }
    Out += FormatData(Value, Format);
}

void TfrxCustomMemoView::SplitExpressions(const std::string& Text) {
    if (!FSplit) FSplit = std::make_unique<TSplitText>();
    TSplitText& split = *FSplit;
    split.Text = Text;
    split.SavedVersion = 0;
    split.Delimiters = ExpressionDelimiters;
    split.Literals.clear();
    split.Expressions.clear();
    split.Pieces.clear();
    const size_t comma = ExpressionDelimiters.find(',');
    const std::string open = comma == std::string::npos ? std::string() : ExpressionDelimiters.substr(0, comma);
    const std::string close = comma == std::string::npos ? ExpressionDelimiters : ExpressionDelimiters.substr(comma + 1);
    // An empty opening delimiter would stand everywhere: such a memo has no expressions.
    if (open.empty() || Text.find(open) == std::string::npos) {
        split.Literals.push_back(Text);
        return;
    }
    size_t from = 0, i = 0;
    while (true) {
        while (i < Text.size() && Text.compare(i, open.size(), open) != 0) NextCodePoint(Text, i);
        if (i >= Text.size()) break;
        size_t end = i;
        std::string expr;
        if (!frxGetBrackedVariable(Text, open, close, i, end, expr)) break;
        split.Literals.push_back(Text.substr(from, i - from));
        split.Pieces.push_back(ParseExpression(expr));
        split.Expressions.push_back(std::move(expr));
        from = i = end;
    }
    split.Literals.push_back(Text.substr(from));
}

bool TfrxCustomMemoView::SplitHolds(const std::string& Text) const {
    return FSplit && FSplit->Text == Text && FSplit->Delimiters == ExpressionDelimiters;
}

const std::vector<std::string>& TfrxCustomMemoView::Expressions() {
    const std::string text = FMemo->Text();
    if (!SplitHolds(text)) SplitExpressions(text);
    return FSplit->Expressions;
}

// Each expression is replaced by its value; scanning goes on after the expression, so a
// value holding delimiters is not evaluated again.
void TfrxCustomMemoView::ExpandSplit(std::string& Out) {
    // The split is taken out while the expressions run: one of them may expand another
    // text of this memo (through the script). It comes back when all went well.
    std::unique_ptr<TSplitText> split = std::move(FSplit);
    Out += split->Literals[0];
    for (size_t k = 0; k < split->Pieces.size(); ++k) {
        AppendValue(split->Pieces[k], Out);
        if (!split->Literals[k + 1].empty()) Out += split->Literals[k + 1];
    }
    FSplit = std::move(split);
}

std::string TfrxCustomMemoView::ExpandExpressions(const std::string& Text) {
    if (!SplitHolds(Text)) SplitExpressions(Text);
    if (FSplit->Expressions.empty()) return Text;
    std::string s;
    ExpandSplit(s);
    return s;
}

void TfrxCustomMemoView::GetData() {
    TfrxStretcheable::GetData();
    if (IsDataField()) {
        TfrxDataSet* ds = DataSet();
        if (ds->IsBlobField(DataField)) {
            TMemoryStream blob;
            ds->AssignBlobTo(DataField, &blob);
            const std::string text(blob.Memory(), static_cast<size_t>(blob.Size()));
            FMemo->SetText(IsValidUtf8(text) ? text : DecodeLegacyText(text));
        } else {
            FValue = ds->GetValue(DataField);
            if (FDisplayFormat->Kind == fkText) FMemo->SetText(ds->GetDisplayText(DataField));
            else FMemo->SetText(FormatData(FValue));
            if (HideZeros && IsZeroValue(FValue)) FMemo->SetText({});
        }
    } else if (AllowExpressions) {
        // The text is the template kept by BeforePrint unless something changed it since.
        const bool saved = FSavedValid && FMemo->ChangeStamp() == FSavedStamp;
        const std::string text = saved ? std::string() : FMemo->Text();
        const std::string& current = saved ? FSavedText : text;
        if (!saved) {
            if (!SplitHolds(current)) SplitExpressions(current);
        } else if (!FSplit || FSplit->SavedVersion != FSavedVersion || !SameBytes(FSplit->Delimiters, ExpressionDelimiters)) {
            SplitExpressions(current);
            FSplit->SavedVersion = FSavedVersion;
        }
        // Setting a text without expressions again would change nothing (unless its lines
        // hold breaks of their own, which setting the text splits).
        if (!FSplit->Expressions.empty() || !saved) {
            std::string expanded;
            if (FSplit->Expressions.empty()) expanded = current;
            else ExpandSplit(expanded);
            // The template's lines are kept aside for AfterPrint.
            if (saved && !FTemplateHeld) {
                FTemplateLines->TakeLines(*FMemo);
                FTemplateHeld = true;
            }
            FMemo->SetText(expanded);
        }
    }

    FHighlight->Active = false;
    if (!FHighlight->Condition.empty()) {
        // The condition sees the memo's value as "Value".
        if (TfrxReport* r = Report()) r->SetLocalValue(FValue);
        const Variant v = Calc(FHighlight->Condition);
        FHighlight->Active = !v.IsNull() && !v.IsEmpty() && v.AsBoolean();
    }

    if (SuppressRepeated) {
        const std::string text = FMemo->Text();
        if (FLastValue.IsString() && FLastValue.StrValue() == text) FMemo->Clear();
        else FLastValue = Variant(text);
    }

    if (FFlowTo) {
        InitPart();
        DrawPart();
        FFlowTo->FMemo->SetText(FPartMemo);
        FFlowTo->AllowExpressions = false;
    }
}

std::string TfrxCustomMemoView::GetComponentText() {
    std::string s = FMemo->Text();
    if (!AllowExpressions) return s;
    const size_t p = UpperCase(s).find("[TOTALPAGES]");
    if (p != std::string::npos) s.replace(p, 12, IntToStr(TotalPages));
    return s;
}

// --- Measuring and drawing -----------------------------------------------------------------

TfrxDrawText& TfrxCustomMemoView::LayoutObject() const {
    if (TfrxReport* r = Report(); r && r->DrawText()) return *r->DrawText();
    return frxDrawText();
}

double TfrxCustomMemoView::HorizontalGaps() const {
    const TfrxFrame& f = *Frame();
    double gaps = 2 * GapX;
    if (f.Typ.Contains(ftLeft)) gaps += (f.Width - 1) / 2;
    if (f.Typ.Contains(ftRight)) gaps += f.Width / 2;
    if (f.DropShadow) gaps += f.ShadowWidth;
    return gaps;
}

double TfrxCustomMemoView::VerticalGaps() const {
    const TfrxFrame& f = *Frame();
    double gaps = 2 * GapY;
    if (f.Typ.Contains(ftTop)) gaps += (f.Width - 1) / 2;
    if (f.Typ.Contains(ftBottom)) gaps += f.Width / 2;
    if (f.DropShadow) gaps += f.ShadowWidth;
    return gaps;
}

// The text rectangle: inside the frame lines and the gaps, right and bottom inclusive.
void TfrxCustomMemoView::BeginDraw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    TfrxStretcheable::BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    const TfrxFrame& f = *Frame();
    int bx = FX, by = FY, bx1 = FX1, by1 = FY1;
    if (f.Typ.Contains(ftLeft)) bx += rnd((f.Width * ScaleX - 1) / 2);
    if (f.Typ.Contains(ftRight)) bx1 -= rnd(f.Width * ScaleX / 2);
    if (f.Typ.Contains(ftTop)) by += rnd((f.Width * ScaleY - 1) / 2);
    if (f.Typ.Contains(ftBottom)) by1 -= rnd(f.Width * ScaleY / 2);
    const int gx = rnd(GapX * ScaleX);
    const int gy = rnd(GapY * ScaleY);
    FTextRect = Rect(bx + gx, by + gy, bx1 - gx + 1, by1 - gy + 1);
}

void TfrxCustomMemoView::SetFontAndOptions(TfrxDrawText& DT) {
    if (FHighlight->Active) {
        DT.SetFont(*FHighlight->Font());
        if (!FColorSaved) {
            FSavedColor = Color();
            FColorSaved = true;
        }
        SetColor(FHighlight->Color);
    } else {
        DT.SetFont(*Font());
    }
    DT.SetOptions(WordWrap, AllowHTMLTags, RTLReading, WordBreak, FRotation);
    DT.SetGaps(ParagraphGap, CharSpacing, LineSpacing);
}

void TfrxCustomMemoView::SetDrawParams(TfrxDrawText& DT, TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX,
                                       double OffsetY) {
    SetFontAndOptions(DT);
    if (AutoWidth) {
        const TRect large = Rect(0, 0, kLargeRect, kLargeRect);
        DT.SetDimensions(large, large, 1, 1);
        DT.SetText(*FMemo);
        const double oldWidth = Width();
        SetWidth(DT.CalcWidth() + HorizontalGaps());
        // The right edge (haRight) or the centre (haCenter) stays where it was.
        if (HAlign == haRight) SetLeft(Left() + oldWidth - Width());
        else if (HAlign == haCenter) SetLeft(Left() + (oldWidth - Width()) / 2);
    }
    BeginDraw(Canvas, 1, 1, 0, 0);
    const TRect unscaled = FTextRect;
    BeginDraw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    DT.SetDimensions(unscaled, FTextRect, ScaleX, ScaleY);
    DT.SetText(*FMemo);
}

namespace {
// Puts the fill colour back when a highlight replaced it, also on the way out of an error.
struct TColorRestore {
    std::function<void()> Restore;
    ~TColorRestore() { Restore(); }
};
}  // namespace

void TfrxCustomMemoView::Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) {
    if (!IsDesigning() && HoldsTotalPages(*FMemo)) {
        std::string text = FMemo->Text();
        const size_t p = UpperCase(text).find("[TOTALPAGES#]");
        if (p != std::string::npos) {
            text.replace(p, 13, IntToStr(TotalPages));
            FMemo->SetText(text);
        }
    }
    TfrxDrawText& dt = LayoutObject();
    TfrxDrawTextLock lock(dt);
    TColorRestore restore{[this] {
        if (FColorSaved) SetColor(FSavedColor);
        FColorSaved = false;
    }};
    SetDrawParams(dt, Canvas, ScaleX, ScaleY, OffsetX, OffsetY);
    DrawBackground();
    DrawFrame();
    if (Underlines && FRotation == 0) {
        TPen* pen = Canvas->Pen();
        pen->SetColor(Frame()->Color);
        pen->SetWidth(FFrameWidth);
        pen->SetStyle(psSolid);
        pen->SetMode(pmCopy);
        const double step = dt.LineHeight() * ScaleY;
        for (int k = 1;; ++k) {
            const int y = FY + rnd(k * step);
            if (y >= FY1) break;
            Canvas->MoveTo(FX, y);
            Canvas->LineTo(FX1, y);
        }
    }
    dt.DrawText(Canvas, HAlign, VAlign);
}

double TfrxCustomMemoView::CalcHeight() {
    TfrxDrawText& dt = LayoutObject();
    TfrxDrawTextLock lock(dt);
    TColorRestore restore{[this] {
        if (FColorSaved) SetColor(FSavedColor);
        FColorSaved = false;
    }};
    SetFontAndOptions(dt);
    if (AutoWidth) {
        const TRect large = Rect(0, 0, kLargeRect, kLargeRect);
        dt.SetDimensions(large, large, 1, 1);
    } else {
        BeginDraw(nullptr, 1, 1, 0, 0);
        dt.SetDimensions(FTextRect, FTextRect, 1, 1);
    }
    dt.SetText(*FMemo);
    return rnd(dt.CalcHeight() + VerticalGaps());
}

double TfrxCustomMemoView::CalcWidth() {
    TfrxDrawText& dt = LayoutObject();
    TfrxDrawTextLock lock(dt);
    TColorRestore restore{[this] {
        if (FColorSaved) SetColor(FSavedColor);
        FColorSaved = false;
    }};
    SetFontAndOptions(dt);
    const TRect large = Rect(0, 0, kLargeRect, kLargeRect);
    dt.SetDimensions(large, large, 1, 1);
    dt.SetText(*FMemo);
    return rnd(dt.CalcWidth() + HorizontalGaps());
}

void TfrxCustomMemoView::InitPart() { FPartMemo = FMemo->Text(); }

double TfrxCustomMemoView::DrawPart() {
    FMemo->SetText(FPartMemo);
    TfrxDrawText& dt = LayoutObject();
    TfrxDrawTextLock lock(dt);
    TColorRestore restore{[this] {
        if (FColorSaved) SetColor(FSavedColor);
        FColorSaved = false;
    }};
    SetDrawParams(dt, nullptr, 1, 1, 0, 0);
    FPartMemo = dt.GetOutBoundsText();
    FMemo->SetText(dt.GetInBoundsText());
    const double remaining = dt.RemainingHeight();
    return remaining == 0 ? Height() : remaining;
}

// --- Differences ---------------------------------------------------------------------------

// The stretchable view writes the view's items (it has no DiffTo of its own): with a memo
// to compare with, they are written here without asking its class a second time.
static_assert(std::is_same_v<decltype(&TfrxStretcheable::DiffTo), void (TfrxView::*)(TfrxComponent*, std::string&)>);

void TfrxCustomMemoView::DiffTo(TfrxComponent* AComponent, std::string& s) {
    auto* o = frxAs<TfrxCustomMemoView>(AComponent);
    if (!o) return TfrxStretcheable::DiffTo(AComponent, s);
    ComponentDiff(o, s);
    ViewDiff(*o, s);
    if (AutoWidth != o->AutoWidth) DiffItem(s, "AutoWidth", BoolText(AutoWidth));
    if (frxFloatsDiffer(CharSpacing, o->CharSpacing)) DiffItem(s, "CharSpacing", frxDiffFloat(CharSpacing));
    if (frxFloatsDiffer(GapX, o->GapX)) DiffItem(s, "GapX", frxDiffFloat(GapX));
    if (frxFloatsDiffer(GapY, o->GapY)) DiffItem(s, "GapY", frxDiffFloat(GapY));
    if (HAlign != o->HAlign) DiffItem(s, "HAlign", IntToStr(HAlign));
    if (FHighlight->Active != o->FHighlight->Active) DiffItem(s, "Highlight.Active", BoolText(FHighlight->Active));
    if (frxFloatsDiffer(LineSpacing, o->LineSpacing)) DiffItem(s, "LineSpacing", frxDiffFloat(LineSpacing));
    // The lines joined by line breaks, escaped in place.
    s += " x=\"";
    const int lines = FMemo->Count();
    for (int i = 0; i < lines; ++i) {
        if (i > 0) s += "&#13;&#10;";
        frxAddStrToXML(s, (*FMemo)[i]);
    }
    s += '"';
    if (frxFloatsDiffer(ParagraphGap, o->ParagraphGap)) DiffItem(s, "ParagraphGap", frxDiffFloat(ParagraphGap));
    if (FRotation != o->FRotation) DiffItem(s, "Rotation", IntToStr(FRotation));
    if (RTLReading != o->RTLReading) DiffItem(s, "RTLReading", BoolText(RTLReading));
    if (Underlines != o->Underlines) DiffItem(s, "Underlines", BoolText(Underlines));
    if (VAlign != o->VAlign) DiffItem(s, "VAlign", IntToStr(VAlign));
    if (WordWrap != o->WordWrap) DiffItem(s, "WordWrap", BoolText(WordWrap));
}

// --- The published classes -----------------------------------------------------------------

std::string TfrxMemoView::GetDescription() const { return frxResources().Get("obText"); }

void TfrxMemoView::DeclareProperties(TPropertyDecl<TfrxMemoView>& d) {
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align", "AutoWidth", "AllowExpressions", "AllowHTMLTags", "BrushStyle", "CharSpacing", "Color",
                "Cursor", "DataField", "DataSet", "DataSetName", "DisplayFormat", "ExpressionDelimiters", "FlowTo",
                "Frame", "GapX", "GapY", "HAlign", "HideZeros", "Highlight", "LineSpacing", "Memo", "ParagraphGap",
                "Printable", "Rotation", "RTLReading", "ShiftMode", "StretchMode", "Style", "SuppressRepeated",
                "TagStr", "Underlines", "URL", "WordBreak", "WordWrap", "VAlign", "OnAfterData", "OnAfterPrint",
                "OnBeforePrint", "OnPreviewClick"});
}

std::string TfrxSysMemoView::GetDescription() const { return frxResources().Get("obSysText"); }

void TfrxSysMemoView::DeclareProperties(TPropertyDecl<TfrxSysMemoView>& d) {
    TfrxComponent::DeclareCommon(d, TfrxComponent::pubAll);
    Publish(d, {"Align", "AutoWidth", "BrushStyle", "CharSpacing", "Color", "Cursor", "DisplayFormat", "Frame", "GapX",
                "GapY", "HAlign", "HideZeros", "Highlight", "Memo", "Printable", "Rotation", "RTLReading", "ShiftMode",
                "StretchMode", "Style", "SuppressRepeated", "TagStr", "URL", "VAlign", "OnAfterData", "OnAfterPrint",
                "OnBeforePrint", "OnPreviewClick"});
}
