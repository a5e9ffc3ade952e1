// The memo: the text object of a report (labels, field values, totals, page numbers).
// Its text is a list of lines that may hold bracketed expressions. Each printing fetches
// its data (a dataset field, or its expressions evaluated by the report), formats values
// by a display format, applies a conditional highlight, hides zeros or repeated values,
// and is measured, split over pages and drawn through the report's text layout
// (TfrxDrawText; outside a report the process-wide one).
//
// TfrxCustomMemoView holds all of it; TfrxMemoView publishes it; TfrxSysMemoView is the
// same object with fewer published properties (system texts: page numbers, dates,
// totals).
//
// Per printing: BeforePrint (the template text is kept), GetData (the text is replaced),
// CalcHeight / DrawPart / Draw, AfterPrint (the template text comes back).
#pragma once

#include <memory>
#include <string>

#include "platform/rtl/StringList.h"
#include "report/DrawText.h"
#include "report/Views.h"

class TfrxCustomMemoView : public TfrxStretcheable {
    ROVE_CLASS(TfrxCustomMemoView, TfrxStretcheable)
public:
    explicit TfrxCustomMemoView(TComponent* AOwner);
    TfrxCustomMemoView(TComponent* AOwner, uint16_t Flags);
    ~TfrxCustomMemoView() override;

    // --- Properties -------------------------------------------------------------------
    bool AllowExpressions = true;
    // Inline tags (<b>, <font color=...>) in the text.
    bool AllowHTMLTags = false;
    bool AutoWidth = false;
    // Pixels added after every character.
    double CharSpacing = 0;
    TfrxFormat* DisplayFormat() const { return FDisplayFormat.get(); }
    void SetDisplayFormat(TfrxFormat* Value) { FDisplayFormat->Assign(Value); }
    // The opening delimiter, a comma, the closing delimiter.
    std::string ExpressionDelimiters = "[,]";
    // The memo that receives the text that does not fit (forgotten when it goes away).
    TfrxCustomMemoView* FlowTo() const { return FFlowTo; }
    void SetFlowTo(TfrxCustomMemoView* Value);
    double GapX = 2;
    double GapY = 1;
    TfrxHAlign HAlign = haLeft;
    bool HideZeros = false;
    TfrxHighlight* Highlight() const { return FHighlight.get(); }
    void SetHighlight(TfrxHighlight* Value) { FHighlight->Assign(Value); }
    // Pixels between lines.
    double LineSpacing = 2;
    TStringList* Memo() const { return FMemo.get(); }
    void SetMemo(TStringList* Value) { FMemo->Assign(*Value); }
    // The indent of the first line of each paragraph.
    double ParagraphGap = 0;
    int Rotation() const { return FRotation; }
    // Degrees, taken into 0..359.
    void SetRotation(int Value);
    bool RTLReading = false;
    const std::string& Style() const { return FStyle; }
    // Stores the name; inside a report the report's style of that name gives its colour,
    // font (ParentFont becomes False) and frame. An unknown name only is stored.
    void SetStyle(const std::string& Value);
    bool SuppressRepeated = false;
    bool Underlines = false;
    TfrxVAlign VAlign = vaTop;
    bool WordBreak = false;
    bool WordWrap = true;

    // The text: the lines joined by CR LF (each line ends with one).
    std::string Text() const { return FMemo->Text(); }
    void SetText(const std::string& Value) { FMemo->SetText(Value); }
    // The page count, set by the prepared pages before a page is drawn.
    int TotalPages = 0;
    // The value fetched or computed last.
    const Variant& Value() const { return FValue; }
    // Objects made during a run with their value already known (cross-tab cells).
    void SetValue(const Variant& V) { FValue = V; }
    // Forgets the last printed text of SuppressRepeated (a new group or data run).
    void ResetSuppress() { FLastValue = Variant::Null(); }

    // --- Printing ---------------------------------------------------------------------
    void BeforePrint() override;
    void AfterPrint() override;
    // The view's TagStr and URL, then the text: a bound memo takes the field's text or
    // formatted value, an unbound one has its expressions expanded; then the highlight,
    // SuppressRepeated and FlowTo.
    void GetData() override;
    void BeforeStartReport() override { ResetSuppress(); }
    // The text with the first "[TOTALPAGES]" replaced by the page count (with
    // AllowExpressions).
    std::string GetComponentText() override;

    // The text of a value by a display format (DisplayFormat when Format is null): Null
    // gives ""; a value the format cannot take gives its plain text.
    std::string FormatData(const Variant& Value, const TfrxFormat* Format = nullptr) const;
    // The memo text with every expression replaced by its formatted value.
    std::string ExpandExpressions(const std::string& Text);
    // The expressions of the text as GetData evaluates them (between the current
    // delimiters, format suffixes included).
    const std::vector<std::string>& Expressions();

    // --- Measuring and drawing --------------------------------------------------------
    void BeginDraw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // The height the text needs with the gaps (rounded).
    double CalcHeight() override;
    // The width of the widest line with the gaps (rounded).
    virtual double CalcWidth();
    void InitPart() override;
    // Keeps the lines that fit into Height as the text and the rest as the part still to
    // print; the height left below the last line, Height when no line fits.
    double DrawPart() override;
    // The rest of a split (what DrawPart left over).
    const std::string& PartText() const { return FPartMemo; }

    // The device rectangle of the text (after BeginDraw).
    const TRect& TextRect() const { return FTextRect; }
    // The gaps (unscaled pixels) between the bounds and the text, both sides together.
    double HorizontalGaps() const;
    double VerticalGaps() const;

    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // The stored tests of the report files.
    bool IsCharSpacingStored() const { return CharSpacing != 0; }
    bool IsExpressionDelimitersStored() const { return ExpressionDelimiters != "[,]"; }
    bool IsGapXStored() const { return GapX != 2; }
    bool IsGapYStored() const { return GapY != 1; }
    bool IsHighlightStored() const;
    bool IsLineSpacingStored() const { return LineSpacing != 2; }
    bool IsParagraphGapStored() const { return ParagraphGap != 0; }

    // Declares the named memo properties (and the view's) in the given order.
    template <class T> static void Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names);

protected:
    bool DiffWritesWidth() const override { return !AutoWidth; }
    // The report's text layout, or the process-wide one outside a report.
    TfrxDrawText& LayoutObject() const;
    // Locks the layout object and hands it font, options, gaps, the text rectangles
    // (AutoWidth resizes the memo first) and the text; the caller unlocks it.
    void SetDrawParams(TfrxDrawText& DT, TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY);
    // The font and options (and, with an active highlight, its colour) for the layout.
    void SetFontAndOptions(TfrxDrawText& DT);

private:
    void Init();
    // An expression of the text as it is calculated: without its format suffix, with the
    // format that suffix gives (null: the display format), the page-count mark, and
    // where the report's name table holds it.
    struct TExpressionPiece {
        std::string Expr;
        std::unique_ptr<TfrxFormat> Format;
        bool PageCountMark = false;
        TfrxCalcHandle Handle;
    };
    static TExpressionPiece ParseExpression(const std::string& Expr);
    // Calculates the piece into FValue and appends its formatted text to Out.
    void AppendValue(TExpressionPiece& Piece, std::string& Out);
    // FormatData appended to Out; a text, integer or float shown as plain text goes
    // straight in.
    void AppendFormatted(const Variant& Value, const TfrxFormat* Format, std::string& Out) const;
    // Splits Text into its literal pieces and expressions with the current delimiters.
    void SplitExpressions(const std::string& Text);
    // The split is of Text with the current delimiters.
    bool SplitHolds(const std::string& Text) const;
    // Appends the split text with every expression replaced by its value.
    void ExpandSplit(std::string& Out);

    std::unique_ptr<TfrxFormat> FDisplayFormat;
    TfrxCustomMemoView* FFlowTo = nullptr;
    std::unique_ptr<TfrxHighlight> FHighlight;
    std::unique_ptr<TStringList> FMemo;
    std::string FPartMemo;
    int FRotation = 0;
    std::string FStyle;
    std::string FSavedText;
    // Counts the texts FSavedText took: a split of the saved text keeps the count it was
    // made at, and holds while the count stays.
    uint64_t FSavedVersion = 0;
    // The lines' stamp when FSavedText was taken or put back.
    uint64_t FSavedStamp = 0;
    bool FSavedValid = false;
    // The template's own lines, taken out while the data's text is in the memo (put back
    // after printing instead of splitting the saved text again).
    std::unique_ptr<TStringList> FTemplateLines = std::make_unique<TStringList>();
    bool FTemplateHeld = false;
    Variant FLastValue = Variant::Null();
    TRect FTextRect;
    Variant FValue;
    // The fill colour while a highlight replaces it.
    TColor FSavedColor = clNone;
    bool FColorSaved = false;
    // The text last expanded, split once: literal pieces around its expressions (one
    // more literal than expressions), with the delimiters it was split by. A memo prints
    // the same text on every row; only its values change.
    struct TSplitText {
        std::string Text;
        uint64_t SavedVersion = 0;   // of the saved text it was split from (0: another text)
        std::string Delimiters;
        std::vector<std::string> Literals;
        std::vector<std::string> Expressions;
        std::vector<TExpressionPiece> Pieces;   // one per expression
    };
    std::unique_ptr<TSplitText> FSplit;
};

class TfrxMemoView : public TfrxCustomMemoView {
    ROVE_CLASS(TfrxMemoView, TfrxCustomMemoView)
public:
    explicit TfrxMemoView(TComponent* AOwner) : TfrxCustomMemoView(AOwner) {}
    TfrxMemoView(TComponent* AOwner, uint16_t Flags) : TfrxCustomMemoView(AOwner, Flags) {}
    std::string GetDescription() const override;
    static void DeclareProperties(TPropertyDecl<TfrxMemoView>& d);
};

class TfrxSysMemoView : public TfrxCustomMemoView {
    ROVE_CLASS(TfrxSysMemoView, TfrxCustomMemoView)
public:
    explicit TfrxSysMemoView(TComponent* AOwner) : TfrxCustomMemoView(AOwner) {}
    TfrxSysMemoView(TComponent* AOwner, uint16_t Flags) : TfrxCustomMemoView(AOwner, Flags) {}
    std::string GetDescription() const override;
    static void DeclareProperties(TPropertyDecl<TfrxSysMemoView>& d);
};

// ==== Implementation of the templates ======================================================
template <class T>
void TfrxCustomMemoView::Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names) {
    using M = TfrxCustomMemoView;
    for (std::string_view n : Names) {
        if (n == "AllowExpressions") d.Property("AllowExpressions", &M::AllowExpressions, &M::AllowExpressions).Default(true);
        else if (n == "AllowHTMLTags") d.Property("AllowHTMLTags", &M::AllowHTMLTags, &M::AllowHTMLTags).Default(false);
        else if (n == "AutoWidth") d.Property("AutoWidth", &M::AutoWidth, &M::AutoWidth).Default(false);
        else if (n == "CharSpacing")
            d.Property("CharSpacing", &M::CharSpacing, &M::CharSpacing).Stored(&M::IsCharSpacingStored);
        else if (n == "DisplayFormat") d.Property("DisplayFormat", &M::DisplayFormat, &M::SetDisplayFormat);
        else if (n == "ExpressionDelimiters")
            d.Property("ExpressionDelimiters", &M::ExpressionDelimiters, &M::ExpressionDelimiters)
                .Stored(&M::IsExpressionDelimitersStored);
        else if (n == "FlowTo") d.Property("FlowTo", &M::FlowTo, &M::SetFlowTo);
        else if (n == "GapX") d.Property("GapX", &M::GapX, &M::GapX).Stored(&M::IsGapXStored);
        else if (n == "GapY") d.Property("GapY", &M::GapY, &M::GapY).Stored(&M::IsGapYStored);
        else if (n == "HAlign") d.Property("HAlign", &M::HAlign, &M::HAlign).Default(haLeft);
        else if (n == "HideZeros") d.Property("HideZeros", &M::HideZeros, &M::HideZeros).Default(false);
        else if (n == "Highlight")
            d.Property("Highlight", &M::Highlight, &M::SetHighlight)
                .Stored(&M::IsHighlightStored);
        else if (n == "LineSpacing")
            d.Property("LineSpacing", &M::LineSpacing, &M::LineSpacing).Stored(&M::IsLineSpacingStored);
        else if (n == "Memo") d.Property("Memo", &M::Memo, &M::SetMemo);
        else if (n == "ParagraphGap")
            d.Property("ParagraphGap", &M::ParagraphGap, &M::ParagraphGap).Stored(&M::IsParagraphGapStored);
        else if (n == "Rotation") d.Property("Rotation", &M::Rotation, &M::SetRotation).Default(0);
        else if (n == "RTLReading") d.Property("RTLReading", &M::RTLReading, &M::RTLReading).Default(false);
        else if (n == "Style") d.Property("Style", &M::Style, &M::SetStyle);
        else if (n == "SuppressRepeated") d.Property("SuppressRepeated", &M::SuppressRepeated, &M::SuppressRepeated).Default(false);
        else if (n == "Underlines") d.Property("Underlines", &M::Underlines, &M::Underlines).Default(false);
        else if (n == "VAlign") d.Property("VAlign", &M::VAlign, &M::VAlign).Default(vaTop);
        else if (n == "WordBreak") d.Property("WordBreak", &M::WordBreak, &M::WordBreak).Default(false);
        else if (n == "WordWrap") d.Property("WordWrap", &M::WordWrap, &M::WordWrap).Default(true);
        else TfrxStretcheable::Publish(d, {n});
    }
}
