// Dot-matrix objects: reports laid out on a grid of character cells (9.6 x 17 pixels, one
// character at 10 characters per inch and 6 lines per inch) so that they print as plain
// text on a character printer. Every position and size is a whole number of cells, the
// font is one fixed-pitch face, and text attributes are printer styles (bold, italic,
// underline, super- and subscript, condensed, wide, 12 and 15 characters per inch).
//
// TfrxDMPPage is the page, TfrxDMPMemoView the text and TfrxDMPLineView the line;
// TfrxDMPCommand puts printer commands (escape sequences) at its cell. The text of a
// prepared dot-matrix page for the printer is made by frxDMPPageText (DotMatrixText.h).
#pragma once

#include <cstdint>
#include <string>

#include "report/LineView.h"
#include "report/MemoView.h"
#include "report/Pages.h"

ROVE_ENUM(TfrxDMPFontStyle, fsxBold, fsxItalic, fsxUnderline, fsxSuperScript, fsxSubScript, fsxCondensed, fsxWide,
          fsx12cpi, fsx15cpi)
ROVE_SET(TfrxDMPFontStyles, TfrxDMPFontStyle)

// The character cell in pixels.
constexpr double frxCharWidth = 9.6;
constexpr double frxCharHeight = 17;

class TfrxDMPPage : public TfrxReportPage {
    ROVE_CLASS(TfrxDMPPage, TfrxReportPage)
public:
    explicit TfrxDMPPage(TComponent* AOwner);

    TfrxDMPFontStyles FontStyle() const { return FFontStyle; }
    // Every object of the page that follows the parent font takes the new style.
    void SetFontStyle(TfrxDMPFontStyles Value);
    bool IsFontStyleStored() const { return !FFontStyle.Empty(); }

    // The report page's defaults, then margins of one cell (2.54 mm across, 4.50 mm
    // down) and the paper cut down to whole cells.
    void SetDefaults() override;
    // The report page's setters, then the paper to the nearest whole cell.
    void SetPaperWidth(double Value) override;
    void SetPaperHeight(double Value) override;
    void SetPaperSize(int Value) override;

    static void DeclareProperties(TPropertyDecl<TfrxDMPPage>& d);

private:
    void SnapPaper(bool Truncate);
    TfrxDMPFontStyles FFontStyle;
};

class TfrxDMPMemoView : public TfrxCustomMemoView {
    ROVE_CLASS(TfrxDMPMemoView, TfrxCustomMemoView)
public:
    explicit TfrxDMPMemoView(TComponent* AOwner);
    TfrxDMPMemoView(TComponent* AOwner, uint16_t Flags);

    // The object's own style; while it follows the parent font, its page's (whenever the
    // object came onto the page: read from a file, copied onto a prepared page, or moved
    // there with its band).
    TfrxDMPFontStyles FontStyle() const;
    // Stores the style; the object no longer follows its page's.
    void SetFontStyle(TfrxDMPFontStyles Value);
    bool IsFontStyleStored() const { return !ParentFont(); }
    // On a dot-matrix page, following the parent font takes the page's style.
    void SetParentFont(bool Value) override;

    // Positions and sizes snap to whole cells (Left truncates with Align baRight).
    void SetLeft(double Value) override;
    void SetTop(double Value) override;
    void SetWidth(double Value) override;
    void SetHeight(double Value) override;

    // "Courier New" 12 points with the style's bold, italic and underline; no character
    // spacing, no gaps, line spacing 1.
    void ResetFont();
    void GetData() override;
    // The memo's measure rounded to whole cells.
    double CalcHeight() override;
    double CalcWidth() override;
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    // The frame runs through the middle of the neighbouring cells.
    void DrawFrame() override;
    // The memo's items, then FontStyle as a number when it differs.
    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;
    std::string GetDescription() const override;

    static void DeclareProperties(TPropertyDecl<TfrxDMPMemoView>& d);

private:
    void Init();
    TfrxDMPFontStyles FFontStyle;
};

class TfrxDMPLineView : public TfrxCustomLineView {
    ROVE_CLASS(TfrxDMPLineView, TfrxCustomLineView)
public:
    explicit TfrxDMPLineView(TComponent* AOwner);
    TfrxDMPLineView(TComponent* AOwner, uint16_t Flags);

    // As the memo's: its own, or its page's while it follows the parent font.
    TfrxDMPFontStyles FontStyle() const;
    void SetFontStyle(TfrxDMPFontStyles Value);
    bool IsFontStyleStored() const { return !ParentFont(); }
    void SetParentFont(bool Value) override;

    // A line lies in the middle of its cell.
    void SetLeft(double Value) override;
    void SetTop(double Value) override;

    // The view's items, then FontStyle as a number when it differs.
    void DiffTo(TfrxComponent* AComponent, std::string& Out) override;
    std::string GetDescription() const override;

    static void DeclareProperties(TPropertyDecl<TfrxDMPLineView>& d);

private:
    TfrxDMPFontStyles FFontStyle;
};

// Printer commands at a cell of a dot-matrix page: the text of Command, where "#" and a
// decimal number (0..255) stand for that byte ("#27@" is ESC @), goes to the printer as it
// is, before the text of its line from its column on. Not drawn on paper.
class TfrxDMPCommand : public TfrxView {
    ROVE_CLASS(TfrxDMPCommand, TfrxView)
public:
    explicit TfrxDMPCommand(TComponent* AOwner);
    TfrxDMPCommand(TComponent* AOwner, uint16_t Flags);

    std::string Command;
    // The bytes Command stands for; "##" is "#" itself, a "#" without a number is kept.
    std::string CommandBytes() const;

    void SetLeft(double Value) override;
    void SetTop(double Value) override;
    // In the designer and the preview: a small box with the command's text.
    void Draw(TCanvas* Canvas, double ScaleX, double ScaleY, double OffsetX, double OffsetY) override;
    std::string GetDescription() const override;

    static void DeclareProperties(TPropertyDecl<TfrxDMPCommand>& d);

private:
    void Init();
};

// The object's page is a dot-matrix page.
bool frxIsOnDotMatrixPage(const TfrxComponent* Obj);
// Registers the page for creation by name and the memo, line and command as insertable
// objects (program start; idempotent).
void frxRegisterDotMatrixClasses();
