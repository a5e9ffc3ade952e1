// Views: the printable, drawable report objects. TfrxView has a background (colour and
// brush pattern), a frame with an optional drop shadow, an alignment inside its band, a
// shift mode, an optional data binding (dataset and field), a cursor, a tag text and a
// link text. Views draw on any canvas (screen, printer, recording) through
// Draw(Canvas, ScaleX, ScaleY, OffsetX, OffsetY): the object's 96-dpi rectangle is scaled
// and offset into a device rectangle, then the background and the frame are drawn.
//
// TfrxStretcheable adds the stretch protocol the layout engine uses (CalcHeight,
// InitPart, DrawPart); TfrxShapeView draws rectangles, ellipses, triangles, diamonds and
// diagonals. The memo, line and picture views build on these classes.
//
// Each concrete view publishes its properties with Publish (the view's own names in the
// order given); the component properties come from DeclareCommon.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/graphics/Graphics.h"
#include "report/Component.h"
#include "report/DataSet.h"
#include "report/Frame.h"

ROVE_ENUM(TfrxAlign, baNone, baLeft, baRight, baCenter, baWidth, baBottom)
ROVE_ENUM(TfrxShiftMode, smDontShift, smAlways, smWhenOverlapped)
ROVE_ENUM(TfrxStretchMode, smDontStretch, smActualHeight, smMaxHeight)
ROVE_ENUM(TfrxFormatKind, fkText, fkNumeric, fkDateTime, fkBoolean)
ROVE_ENUM(TfrxShapeKind, skRectangle, skRoundRectangle, skEllipse, skTriangle, skDiamond, skDiagonal1,
          skDiagonal2)

// "TCursor" with the cursor identifiers (the property type of Cursor).
const TTypeInfo* frxCursorTypeInfo();

// A conditional highlight: while Condition (an expression) is true, the memo draws in
// Font and Color.
class TfrxHighlight : public TPersistent {
    ROVE_CLASS(TfrxHighlight, TPersistent)
public:
    TfrxHighlight();
    ~TfrxHighlight() override;
    // Copies font, colour and condition.
    void Assign(TPersistent* Source) override;

    bool Active = false;
    TColor Color = clNone;
    std::string Condition;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

    static void DeclareProperties(TPropertyDecl<TfrxHighlight>& d);

private:
    std::unique_ptr<TFont> FFont;
};

// A display format: how a value becomes text (FormatData of the memo).
class TfrxFormat : public TPersistent {
    ROVE_CLASS(TfrxFormat, TPersistent)
public:
    TfrxFormat() = default;
    void Assign(TPersistent* Source) override;

    std::string DecimalSeparator;
    std::string FormatStr;
    TfrxFormatKind Kind = fkText;

    static void DeclareProperties(TPropertyDecl<TfrxFormat>& d);
};

// A line W device pixels wide as parallel one-pixel lines with the canvas's pen: W = 0
// counts as 1; the offsets run from -(W div 2) to W div 2, the last left out for an even
// W; a line more horizontal than vertical is repeated downwards, any other sideways.
void frxDrawLine(TCanvas* Canvas, int X, int Y, int X1, int Y1, int W);

// The next bracketed expression of Text at or after byte Start: scanning from Start, the
// opening delimiter raises the depth (the first one fixes Start), the closing one lowers
// it; delimiters inside double-quoted or single-quoted stretches do not count. Returns
// false when no opening delimiter stands at Start. Otherwise Expr is the text between the
// delimiters (the rest of the text when the closing one is missing) and End the byte after
// the closing delimiter.
bool frxGetBrackedVariable(std::string_view Text, std::string_view OpenDelimiter, std::string_view CloseDelimiter,
                           size_t& Start, size_t& End, std::string& Expr);

struct TfrxNameEntry;

// Where a report's name table holds an expression text, kept by a caller that calculates
// the same text again and again (a memo's expression on every row) so that the report
// need not search its table for it. It belongs to one text; the report checks that it is
// its own table's and still valid before using it.
struct TfrxCalcHandle {
    uint64_t Table = 0;   // the table it was found in (0: none yet)
    TfrxNameEntry* Entry = nullptr;
};

// A handle kept by the owner of a text that may change between calculations (a group's
// condition, an aggregate's expression): For gives the handle of the text as it now reads,
// a fresh one when the text changed.
struct TfrxKeptCalcHandle {
    TfrxCalcHandle& For(const std::string& Text) {
        if (Text != FText) {
            FHandle = TfrxCalcHandle();
            FText = Text;
        }
        return FHandle;
    }

private:
    TfrxCalcHandle FHandle;
    std::string FText;
};

class TfrxView : public TfrxReportComponent {
    ROVE_CLASS(TfrxView, TfrxReportComponent)
public:
    explicit TfrxView(TComponent* AOwner);
    TfrxView(TComponent* AOwner, uint16_t Flags);
    ~TfrxView() override;

    // --- Properties -------------------------------------------------------------------
    TfrxAlign Align() const { return FAlign; }
    void SetAlign(TfrxAlign Value) { FAlign = Value; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    // The fill colour; clNone: no fill.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    int Cursor() const { return FCursor; }
    void SetCursor(int Value) { FCursor = Value; }
    std::string DataField;
    TfrxDataSet* DataSet() const { return FDataSet; }
    // Stores the dataset; DataSetName becomes its user name (empty for none).
    void SetDataSet(TfrxDataSet* Value);
    // The referenced dataset's user name when there is one, else the stored name.
    std::string DataSetName() const;
    // Stores the name and looks the dataset up again among the report's datasets.
    void SetDataSetName(const std::string& Value);
    TfrxFrame* Frame() const { return FFrame.get(); }
    void SetFrame(TfrxFrame* Value) { FFrame->Assign(Value); }
    bool Printable() const { return FPrintable; }
    void SetPrintable(bool Value) { FPrintable = Value; }
    TfrxShiftMode ShiftMode() const { return FShiftMode; }
    void SetShiftMode(TfrxShiftMode Value) { FShiftMode = Value; }
    const std::string& TagStr() const { return FTagStr; }
    void SetTagStr(const std::string& Value) { FTagStr = Value; }
    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& Value) { FURL = Value; }

    // DataSet set and DataField not empty.
    bool IsDataField() const;

    // --- Printing ---------------------------------------------------------------------
    // Saves the bounds, TagStr and URL; AfterPrint puts them back.
    void BeforePrint() override;
    void AfterPrint() override;
    // Replaces the bracketed expressions of TagStr and URL by their values.
    void GetData() override;

    // --- Drawing ----------------------------------------------------------------------
    // BeginDraw, DrawBackground, DrawFrame.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // Keeps the canvas, scales and offsets and computes the device rectangle (a drop
    // shadow lies inside the object's bounds) and the frame width in device pixels.
    virtual void BeginDraw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY);
    virtual void DrawBackground();
    virtual void DrawFrame();

    // The drawing state, valid from BeginDraw to the end of Draw.
    TCanvas* DrawCanvas() const { return FCanvas; }
    int DevLeft() const { return FX; }
    int DevTop() const { return FY; }
    int DevRight() const { return FX1; }
    int DevBottom() const { return FY1; }
    int DevWidth() const { return FDX; }
    int DevHeight() const { return FDY; }
    int DevFrameWidth() const { return FFrameWidth; }

    // The component items, then the view's items in which it differs from AComponent.
    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;

    // Prepared pages store such objects in full (every view but memos and shapes).
    bool StoreInFull = true;
    // Set by the prepared pages while the view is drawn on a page.
    bool IsPrinting = false;

    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Declares the named view properties in the given order: Align, BrushStyle, Color,
    // Cursor, DataField, DataSet, DataSetName, Frame, Printable, ShiftMode, TagStr, URL,
    // OnAfterData, OnAfterPrint, OnBeforePrint, OnPreviewClick.
    template <class T> static void Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names);

protected:
    bool DiffWritesLeft() const override { return FAlign == baNone; }
    // The view's own items in which it differs from O (they follow the component items).
    void ViewDiff(const TfrxView& O, std::string& Out) const;
    // The value of an expression through the report (Null outside a report).
    Variant Calc(const std::string& Expr);
    // The same, for a text calculated again and again with its handle.
    Variant Calc(const std::string& Expr, TfrxCalcHandle& Handle);
    // The text with every bracketed expression replaced by its value's text.
    std::string ExpandBrackets(const std::string& Text);
    // The pen of the frame lines (colour, width and style as the frame's style needs).
    void SetFramePen();

    TCanvas* FCanvas = nullptr;
    int FX = 0, FY = 0, FX1 = 0, FY1 = 0, FDX = 0, FDY = 0, FFrameWidth = 0;
    double FScaleX = 1, FScaleY = 1, FOffsetX = 0, FOffsetY = 0;

private:
    void Init();
    // One side of the frame from (X, Y) to (X1, Y1): Vertical for the left and right
    // sides, Outer for the left and top sides (whose outer double line is the longer).
    void DrawFrameSide(int X, int Y, int X1, int Y1, bool Vertical, bool Outer, bool Gap1, bool Gap2);

    // The report of Calc, kept while frxComponentTreeStamp stays the same.
    TfrxReport* CalcReport();
    TfrxReport* FCalcReport = nullptr;
    uint64_t FCalcReportStamp = 0;
    TfrxAlign FAlign = baNone;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FColor = clNone;
    int FCursor = 0;
    TfrxDataSet* FDataSet = nullptr;
    TComponent* FDataSetComponent = nullptr;   // compared when the dataset goes away
    std::string FDataSetName;
    std::unique_ptr<TfrxFrame> FFrame;
    bool FPrintable = true;
    TfrxShiftMode FShiftMode = smAlways;
    std::string FTagStr, FURL;
    std::string FSavedTagStr, FSavedURL;
};

// A view whose height can follow its contents: the layout engine asks CalcHeight for
// the needed height and, when the view is split over pages, runs InitPart once and then
// DrawPart per page.
class TfrxStretcheable : public TfrxView {
    ROVE_CLASS(TfrxStretcheable, TfrxView)
public:
    explicit TfrxStretcheable(TComponent* AOwner);
    TfrxStretcheable(TComponent* AOwner, uint16_t Flags);

    TfrxStretchMode StretchMode() const { return FStretchMode; }
    void SetStretchMode(TfrxStretchMode Value) { FStretchMode = Value; }

    // The height the contents need (the base: Height).
    virtual double CalcHeight();
    // Fits the part still to print into Height; the height left below it (the base: 0).
    virtual double DrawPart();
    // Starts a split: everything is still to print.
    virtual void InitPart() {}

    // Publish with StretchMode besides the view's names.
    template <class T> static void Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names);

private:
    TfrxStretchMode FStretchMode = smDontStretch;
};

class TfrxShapeView : public TfrxView {
    ROVE_CLASS(TfrxShapeView, TfrxView)
public:
    explicit TfrxShapeView(TComponent* AOwner);
    // Design-time creation: Flags is the shape kind of the palette entry.
    TfrxShapeView(TComponent* AOwner, uint16_t Flags);

    TfrxShapeKind Shape = skRectangle;

    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;
    std::string GetDescription() const override;

    static void DeclareProperties(TPropertyDecl<TfrxShapeView>& d);
};

// ==== Implementation of the templates ======================================================
template <class T>
void TfrxView::Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names) {
    using V = TfrxView;
    for (std::string_view n : Names) {
        if (n == "Align") d.Property("Align", &V::Align, &V::SetAlign).Default(baNone);
        else if (n == "BrushStyle") d.Property("BrushStyle", &V::BrushStyle, &V::SetBrushStyle).Default(bsSolid);
        else if (n == "Color") d.Property("Color", ColorTypeInfo(), &V::Color, &V::SetColor).Default(clNone);
        else if (n == "Cursor") d.Property("Cursor", frxCursorTypeInfo(), &V::Cursor, &V::SetCursor).Default(0);
        else if (n == "DataField") d.Property("DataField", &V::DataField, &V::DataField);
        else if (n == "DataSet") d.Property("DataSet", &V::DataSet, &V::SetDataSet);
        else if (n == "DataSetName") d.Property("DataSetName", &V::DataSetName, &V::SetDataSetName);
        else if (n == "Frame") d.Property("Frame", &V::Frame, &V::SetFrame);
        else if (n == "Printable") d.Property("Printable", &V::Printable, &V::SetPrintable).Default(true);
        else if (n == "ShiftMode") d.Property("ShiftMode", &V::ShiftMode, &V::SetShiftMode).Default(smAlways);
        else if (n == "TagStr") d.Property("TagStr", &V::TagStr, &V::SetTagStr);
        else if (n == "URL") d.Property("URL", &V::URL, &V::SetURL);
        else if (n == "OnAfterData") d.Property("OnAfterData", frxEventType("TfrxNotifyEvent"), &V::OnAfterData, &V::OnAfterData);
        else if (n == "OnAfterPrint") d.Property("OnAfterPrint", frxEventType("TfrxNotifyEvent"), &V::OnAfterPrint, &V::OnAfterPrint);
        else if (n == "OnBeforePrint") d.Property("OnBeforePrint", frxEventType("TfrxNotifyEvent"), &V::OnBeforePrint, &V::OnBeforePrint);
        else if (n == "OnPreviewClick") d.Property("OnPreviewClick", frxEventType("TfrxPreviewClickEvent"), &V::OnPreviewClick, &V::OnPreviewClick);
        else throw EfrxError("No view property " + std::string(n));
    }
}

template <class T>
void TfrxStretcheable::Publish(TPropertyDecl<T>& d, std::initializer_list<std::string_view> Names) {
    for (std::string_view n : Names) {
        if (n == "StretchMode")
            d.Property("StretchMode", &TfrxStretcheable::StretchMode, &TfrxStretcheable::SetStretchMode)
                .Default(smDontStretch);
        else
            TfrxView::Publish(d, {n});
    }
}

// Inline: the views' own DiffTo take these items in (every printed memo writes them).
[[gnu::always_inline]] inline void TfrxView::ViewDiff(const TfrxView& o, std::string& s) const {
    if (FBrushStyle != o.FBrushStyle) frxDiffIntItem(s, "BrushStyle", FBrushStyle);
    if (FAlign != o.FAlign) frxDiffIntItem(s, "Align", FAlign);
    if (FColor != o.FColor) frxDiffIntItem(s, "Color", FColor);
    FFrame->DiffTo(*o.FFrame, s);
    if (FCursor != o.FCursor) frxDiffIntItem(s, "Cursor", FCursor);
    if (FPrintable != o.FPrintable) frxDiffItem(s, "Printable", FPrintable ? "True" : "False");
    if (FTagStr != o.FTagStr) frxDiffItem(s, "TagStr", frxStrToXML(FTagStr));
    if (FURL != o.FURL) frxDiffItem(s, "URL", frxStrToXML(FURL));
}

[[gnu::always_inline]] inline void TfrxView::DiffTo(TfrxComponent* AComponent, std::string& s) {
    if (!AComponent) return;
    ComponentDiff(AComponent, s);
    if (auto* o = frxAs<TfrxView>(AComponent)) ViewDiff(*o, s);
}
