// The text layout of memo views: TfrxDrawText measures, wraps, splits and draws memo
// text with its inline tags. Text is measured at a fixed 600 dpi (through a
// TTextMeasurer, the real one over the pinned fonts unless another is set), so line
// breaks are the same on screen, in the preview and on paper; it is drawn on any
// canvas at the canvas's own resolution with explicit per-character advances.
//
// Characters are code points throughout: tag positions, lengths, splits and word
// breaks never fall inside a character. Lines break only at blanks; a word wider than
// the column is cut at the last character that fits, or by Cyrillic syllables with
// word break on.
//
// Units: rectangles, gaps and spacings are 96-dpi screen pixels (the unscaled
// rectangle) or device pixels (the scaled rectangle); font sizes are points.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Graphics.h"
#include "platform/graphics/TextMeasurer.h"

class TStrings;

ROVE_ENUM(TfrxHAlign, haLeft, haRight, haCenter, haBlock)
ROVE_ENUM(TfrxVAlign, vaTop, vaBottom, vaCenter)

// The attributes of one character of the plain text.
struct TfrxHTMLTag {
    int Position = 0;          // index of the character in the plain text, from 1
    int Size = 0;              // points
    int Lowered = 0;           // 1 for subscript
    TFontStyles Style;
    TColor Color = clBlack;
    bool SameAsPrevious = true;   // same size, style and colour as the character before
    bool Reduced = false;         // Size differs from the default size
};

// The tags of one output line, one per character.
using TfrxHTMLTags = std::vector<TfrxHTMLTag>;

// The inline tags of a text: the defaults, the attributes in force while the lines are
// read, and the tag lines.
class TfrxHTMLTagsList {
public:
    bool TagsEnabled = true;

    // Starts a text: no lines, the attributes back to the defaults, position 1.
    void SetDefaults(TColor DefColor, int DefSize, TFontStyles DefStyle);
    void Clear();
    void NewLine() { FItems.emplace_back(); }
    // Removes the tags from Line, appending one tag per remaining character to the last
    // line (a line is opened when there is none). SourceIndex, when given, receives for
    // each remaining character its index in the original Line. Afterwards the position
    // has moved past the line and its line break.
    void ExpandHTMLTags(std::u32string& Line, std::vector<int>* SourceIndex = nullptr);
    // The tag of the blank that stands for an empty line: the attributes in force, at
    // Position (the line break of that line).
    TfrxHTMLTag BlankTag(int Position);
    int Position() const { return FPosition; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TfrxHTMLTags& Items(int Index) { return FItems[static_cast<size_t>(Index)]; }
    const TfrxHTMLTags& Items(int Index) const { return FItems[static_cast<size_t>(Index)]; }
    std::vector<TfrxHTMLTags>& Lines() { return FItems; }

    TColor DefColor() const { return FDefColor; }
    int DefSize() const { return FDefSize; }
    TFontStyles DefStyle() const { return FDefStyle; }

private:
    // Reads a tag at Line[i] into the current attributes; the tag's length, 0 for none.
    size_t ReadTag(const std::u32string& Line, size_t i);
    TfrxHTMLTag MakeTag() const;
    void Remember(const TfrxHTMLTag& Tag);

    std::vector<TfrxHTMLTags> FItems;
    TColor FDefColor = clBlack;
    int FDefSize = 10;
    TFontStyles FDefStyle;
    TColor FColor = clBlack;
    int FSize = 10;
    int FLowered = 0;
    TFontStyles FStyle;
    int FPosition = 1;
    // The attributes of the last character given a tag (for SameAsPrevious).
    bool FHasPrevious = false;
    int FPrevSize = 10;
    TFontStyles FPrevStyle;
    TColor FPrevColor = clBlack;
    int FPrevLowered = 0;
};

class TfrxDrawText {
public:
    TfrxDrawText();
    ~TfrxDrawText();
    TfrxDrawText(const TfrxDrawText&) = delete;
    TfrxDrawText& operator=(const TfrxDrawText&) = delete;

    static constexpr int DesignDPI = 600;   // the measuring resolution
    static constexpr int ScreenDPI = 96;    // report geometry is 96-dpi pixels

    // Lock ... Unlock bracket one use. A nested use (a paint or timer event that lays
    // out another memo while one is being laid out) gets a fresh state and the outer
    // user's state comes back at its Unlock; there is no waiting.
    void Lock();
    void Unlock();
    bool Locked() const { return FLocked; }

    // The measurer of the 600-dpi layout (not owned; null gives the real one).
    void SetMeasurer(const TTextMeasurer* Measurer);
    const TTextMeasurer& Measurer() const;

    void SetFont(const TFont& Font);
    // Rotation in degrees, taken into 0..359 (also for negative values).
    void SetOptions(bool WordWrap, bool HTMLTags, bool RTLReading, bool WordBreak, int Rotation);
    void SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing);
    void SetDimensions(const TRect& UnscaledRect, const TRect& ScaledRect, double ScaleX, double ScaleY);
    // Wraps every source line into output lines.
    void SetText(const TStrings& Lines);
    void SetText(const std::vector<std::string>& Lines);

    // The height of one line in screen pixels (at least 1).
    double LineHeight() const;
    double CalcHeight() const;
    double CalcWidth() const;
    double RemainingHeight() const;
    // The text laid out (after GetOutBoundsText the part that fits), each source line
    // followed by CR LF, its inline tags kept.
    std::string GetInBoundsText() const;
    // Removes the lines that do not fit into the unscaled rectangle's height and gives
    // their text, with the attributes in force at its start re-opened as tags in front
    // (with tags enabled); empty when everything fits.
    std::string GetOutBoundsText();
    void DrawText(TCanvas* Canvas, TfrxHAlign HAlign, TfrxVAlign VAlign);
    static bool IsPrinter(const TCanvas* Canvas);

    // --- The layout, for the memo view and tests --------------------------------------
    int LineCount() const { return static_cast<int>(S().Lines.size()); }
    std::string Line(int Index) const;
    // 1 first line of a paragraph, 2 last line, 3 a paragraph of one line, 0 otherwise.
    int ParagraphMark(int Index) const { return S().Lines[static_cast<size_t>(Index)].Mark; }
    const TfrxHTMLTags& LineTags(int Index) const { return S().Tags.Items(Index); }
    // The text without tags, each source line followed by CR LF.
    std::string PlainText() const;
    int FontSize() const { return S().FontSize; }
    const TFont& MeasuringFont() const { return S().Font; }
    int Rotation() const { return S().Rotation; }
    // Cumulative advances (600-dpi units) of a line's characters with the character
    // spacing: result[i] is the advance up to and including character i.
    std::vector<int> MeasureLine(const std::u32string& Text, const TfrxHTMLTags& Tags, int CharSpacing600) const;

    // Syllable break points of Word (upper-cased inside): the largest p < Fit after which
    // the word may be hyphenated, 0 when there is none.
    static int BreakWord(const std::u32string& Word, int Fit);

private:
    struct TOutLine {
        std::u32string Text;
        int Mark = 0;
        int PlainStart = 0;   // 0-based index of the first character in the plain text
        int PlainEnd = 0;     // one past the last character consumed from the plain text
        bool Hyphen = false;  // ends in an added "-"
        // The line's cumulative advances (MeasureLine) when the wrapping measured the
        // whole line in the state's measuring font, with CharSpacing600 between the
        // characters: drawing it takes them instead of measuring it again.
        std::vector<int> Cumulative;
        int CharSpacing600 = 0;
    };
    struct TState {
        TState();
        TFont Font;            // the measuring font (600 dpi)
        int FontSize = 10;
        TfrxHTMLTagsList Tags;
        double CharSpacing = 0, LineSpacing = 0, ParagraphGap = 0;
        TRect UnscaledRect, ScaledRect;
        int Rotation = 0;
        bool RTLReading = false, WordBreak = false, WordWrap = true;
        double ScaleX = 1, ScaleY = 1;
        std::u32string Plain;        // the text without tags, lines ending in CR LF
        std::u32string Source;       // the text as given, lines ending in CR LF
        std::vector<int> SourceIndex;   // per plain character: its index in Source
        std::vector<TOutLine> Lines;
    };
    TState& S() { return FState; }
    const TState& S() const { return FState; }

    void WrapLine(const std::u32string& Line, int LineStart, const std::vector<int>& Cumulative,
                  TfrxHTMLTags& LineTags, int FirstWidth, int FullWidth);
    int LinesThatFit() const;
    // Forgets the advances the lines keep (the font or the measurer changed).
    static void ForgetAdvances(TState& State);
    // Line k's cumulative advances: the kept ones, or measured now.
    std::vector<int> LineAdvances(int Index, int CharSpacing600) const;
    int FontHeight600() const;
    // The font of a run on a device canvas (height in the canvas font's terms).
    TFont DeviceFont(TCanvas& Canvas, const TfrxHTMLTag& Tag, double FontScale, int DpiY) const;

    TState FState;
    std::vector<TState> FSaved;
    bool FLocked = false;
    const TTextMeasurer* FMeasurer = nullptr;
};

// The process-wide layout for memos outside a report.
TfrxDrawText& frxDrawText();

// Scope guard for Lock/Unlock.
class TfrxDrawTextLock {
public:
    explicit TfrxDrawTextLock(TfrxDrawText& DrawText) : FDrawText(DrawText) { FDrawText.Lock(); }
    ~TfrxDrawTextLock() { FDrawText.Unlock(); }
    TfrxDrawTextLock(const TfrxDrawTextLock&) = delete;
    TfrxDrawTextLock& operator=(const TfrxDrawTextLock&) = delete;

private:
    TfrxDrawText& FDrawText;
};
