// The text layout: inline tags, wrapping, heights and widths, splitting over pages and
// drawing, on the fake measurer whose fixed advances give exact answers. At 12 points
// the 600-dpi em is 100 units: a narrow character is 60, a blank 30, an ideograph 100,
// bold narrow characters 66; the font height is 120 units (19.2 screen pixels). A
// column of W screen pixels holds rnd(W * 6.25) units.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "platform/graphics/Metafile.h"
#include "platform/graphics/TextMeasurer.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "report/DrawText.h"

namespace {

using Lines = std::vector<std::string>;

struct TLayout {
    int Width = 48;
    int Height = 1000;
    bool WordWrap = true;
    bool Tags = false;
    bool WordBreak = false;
    bool RTL = false;
    int Rotation = 0;
    double Gap = 0;
    double CharSpacing = 0;
    double LineSpacing = 0;
    int Size = 12;
};

TFont Font12(int size = 12) {
    TFont f;
    f.SetName("Arial");
    f.SetSize(size);
    f.SetColor(clBlack);
    return f;
}

class DrawText : public ::testing::Test {
protected:
    void SetUp() override { dt.SetMeasurer(&fake); }

    void Layout(const Lines& text, const TLayout& p = {}, TRect scaled = {}, double scale = 1) {
        dt.SetFont(Font12(p.Size));
        dt.SetOptions(p.WordWrap, p.Tags, p.RTL, p.WordBreak, p.Rotation);
        dt.SetGaps(p.Gap, p.CharSpacing, p.LineSpacing);
        TRect unscaled = Rect(0, 0, p.Width, p.Height);
        dt.SetDimensions(unscaled, scaled.IsEmpty() ? unscaled : scaled, scale, scale);
        dt.SetText(text);
    }
    Lines Out() const {
        Lines out;
        for (int i = 0; i < dt.LineCount(); ++i) out.push_back(dt.Line(i));
        return out;
    }
    std::vector<int> Marks() const {
        std::vector<int> marks;
        for (int i = 0; i < dt.LineCount(); ++i) marks.push_back(dt.ParagraphMark(i));
        return marks;
    }

    TFakeTextMeasurer fake;
    TfrxDrawText dt;
};

// --- Wrapping ----------------------------------------------------------------------------

struct TWrapCase {
    const char* Name;
    Lines Text;
    TLayout Params;
    Lines Expected;
};

class Wrapping : public DrawText, public ::testing::WithParamInterface<TWrapCase> {};

TEST_P(Wrapping, LinesAsExpected) {
    const TWrapCase& c = GetParam();
    Layout(c.Text, c.Params);
    EXPECT_EQ(Out(), c.Expected);
}

const TWrapCase kWrapCases[] = {
    {"BreaksAtBlanksAndDropsThem", {"aaa bbb ccc"}, {.Width = 48}, {"aaa", "bbb", "ccc"}},
    {"FitsWhole", {"aaa bbb ccc"}, {.Width = 100}, {"aaa bbb ccc"}},
    {"WordWrapOff", {"aaa bbb ccc"}, {.Width = 10, .WordWrap = false}, {"aaa bbb ccc"}},
    {"LongWordCutWithoutHyphen", {"abcdefghij"}, {.Width = 24}, {"ab", "cd", "ef", "gh", "ij"}},
    {"NarrowerThanOneCharacter", {"abc"}, {.Width = 5}, {"a", "b", "c"}},
    {"PunctuationNeverEndsALine", {"aa,bb.cc"}, {.Width = 24}, {"aa", ",b", "b.", "cc"}},
    {"EmptyLineIsOneBlank", {"aaa", "", "bbb"}, {}, {"aaa", " ", "bbb"}},
    {"TrailingBlankMakesNoEmptyLine", {"abcd "}, {.Width = 39}, {"abcd"}},
    {"ParagraphGapNarrowsTheFirstLine", {"aa bb cc dd"}, {.Width = 48, .Gap = 16}, {"aa", "bb cc", "dd"}},
    {"WithoutGap", {"aa bb cc dd"}, {.Width = 48}, {"aa bb", "cc dd"}},
    {"CharSpacingCountsPerCharacter", {"aaaa"}, {.Width = 40, .CharSpacing = 1.6}, {"aaa", "a"}},
    {"BoldIsWider", {"<b>aaaaa</b>"}, {.Width = 48, .Tags = true}, {"aaaa", "a"}},
    {"TagsOffKeepTagText", {"<b>a</b>"}, {.Width = 100}, {"<b>a</b>"}},
    {"ChineseBreaksBetweenCharacters", {"中文汉字测试"}, {.Width = 48}, {"中文汉", "字测试"}},
    {"ChineseWithWordBreakGetsNoHyphen", {"中文汉字测试"}, {.Width = 48, .WordBreak = true}, {"中文汉", "字测试"}},
    {"CyrillicHyphenatedBySyllables", {"КОРОВА"}, {.Width = 30, .WordBreak = true}, {"КО-", "РО-", "ВА"}},
    {"CyrillicCutWithoutWordBreak", {"КОРОВА"}, {.Width = 30}, {"КОР", "ОВА"}},
    {"WordAfterBlankHyphenated", {"МЫ КОРОВА"}, {.Width = 58, .WordBreak = true}, {"МЫ КО-", "РОВА"}},
    {"WordAfterBlankMovesWhole", {"МЫ КОРОВА"}, {.Width = 58}, {"МЫ", "КОРОВА"}},
    {"LatinWordNotHyphenated", {"abcdefgh"}, {.Width = 30, .WordBreak = true}, {"abc", "def", "gh"}},
    {"SidewaysUsesTheHeight", {"aa bb"}, {.Width = 48, .Height = 24, .Rotation = 90}, {"aa", "bb"}},
    {"UpsideDownUsesTheWidth", {"aa bb"}, {.Width = 48, .Height = 24, .Rotation = 180}, {"aa bb"}},
    {"NegativeRotationIsTurnedIntoRange", {"aa bb"}, {.Width = 48, .Height = 24, .Rotation = -90}, {"aa", "bb"}},
};

INSTANTIATE_TEST_SUITE_P(Table, Wrapping, ::testing::ValuesIn(kWrapCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DrawText, ParagraphMarks) {
    Layout({"aaa bbb ccc", "x", "aa bb"});
    EXPECT_EQ(Out(), (Lines{"aaa", "bbb", "ccc", "x", "aa bb"}));
    EXPECT_EQ(Marks(), (std::vector<int>{1, 0, 2, 3, 3}));
}

TEST_F(DrawText, LineLongerThanAnyFixedBufferWraps) {
    Layout({std::string(5000, 'a')}, {.Width = 48});
    ASSERT_EQ(dt.LineCount(), 1000);
    for (int i = 0; i < dt.LineCount(); ++i) ASSERT_EQ(dt.Line(i), "aaaaa") << i;
    Layout({std::string(5000, 'a')}, {.WordWrap = false});
    EXPECT_DOUBLE_EQ(dt.CalcWidth(), 5000 * 60 * 0.16);
}

TEST(DrawTextBreakWord, SyllableRules) {
    struct TCase {
        const char* Word;
        int Fit;
        int Expected;
    } cases[] = {
        {"КОРОВА", 6, 4},   // КОРО-ВА
        {"КОРОВА", 4, 2},   // КО-РОВА: no break between a consonant and a vowel
        {"корова", 6, 4},   // lower case is folded
        {"ВАННА", 5, 3},    // ВАН-НА
        {"ВАННА", 3, 0},    // not ВА-ННА: a double consonant before a vowel stays apart
        {"ПАЛЬТО", 6, 4},   // ПАЛЬ-ТО
        {"ПАЛЬТО", 4, 2},   // not ПАЛ-ЬТО
        {"МАЙКА", 5, 3},    // МАЙ-КА
        {"МАЙКА", 3, 0},    // not МА-ЙКА
        {"ДОМ", 3, 0},      // too short
        {"СТРАНА", 3, 0},   // СТ- has no vowel
        {"中文汉字", 4, 0},
        {"hello", 5, 0},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(TfrxDrawText::BreakWord(Utf8ToU32(c.Word), c.Fit), c.Expected) << c.Word << " " << c.Fit;
}

// --- Inline tags -------------------------------------------------------------------------

struct TTagCase {
    const char* Name;
    const char* Source;
    const char* Plain;
    // Per plain character: style letters (b i u s), size, lowered, colour, same-as-previous.
    std::vector<std::tuple<std::string, int, int, TColor, bool>> Attributes;
};

class Tags : public ::testing::TestWithParam<TTagCase> {};

std::string StyleLetters(TFontStyles s) {
    std::string r;
    if (s.Contains(fsBold)) r += 'b';
    if (s.Contains(fsItalic)) r += 'i';
    if (s.Contains(fsUnderline)) r += 'u';
    if (s.Contains(fsStrikeOut)) r += 's';
    return r;
}

TEST_P(Tags, StrippedIntoAttributes) {
    const TTagCase& c = GetParam();
    TfrxHTMLTagsList list;
    list.SetDefaults(clBlack, 12, {});
    std::u32string line = Utf8ToU32(c.Source);
    list.ExpandHTMLTags(line);
    EXPECT_EQ(U32ToUtf8(line), c.Plain);
    ASSERT_EQ(list.Count(), 1);
    const TfrxHTMLTags& tags = list.Items(0);
    ASSERT_EQ(tags.size(), c.Attributes.size());
    for (size_t i = 0; i < tags.size(); ++i) {
        auto [style, size, lowered, color, same] = c.Attributes[i];
        EXPECT_EQ(tags[i].Position, static_cast<int>(i) + 1);
        EXPECT_EQ(StyleLetters(tags[i].Style), style) << i;
        EXPECT_EQ(tags[i].Size, size) << i;
        EXPECT_EQ(tags[i].Reduced, size != 12) << i;
        EXPECT_EQ(tags[i].Lowered, lowered) << i;
        EXPECT_EQ(tags[i].Color, color) << i;
        EXPECT_EQ(tags[i].SameAsPrevious, same) << i;
    }
}

const TTagCase kTagCases[] = {
    {"Bold", "<b>ab</b>c", "abc", {{"b", 12, 0, clBlack, false}, {"b", 12, 0, clBlack, true}, {"", 12, 0, clBlack, false}}},
    {"UpperCaseTags", "<B><I>a</I></B>", "a", {{"bi", 12, 0, clBlack, false}}},
    {"UnderlineAndStrikeAnyCase", "<u>a</u><STRIKE>b</Strike>", "ab",
     {{"u", 12, 0, clBlack, false}, {"s", 12, 0, clBlack, false}}},
    {"Subscript", "H<sub>2</sub>O", "H2O",
     {{"", 12, 0, clBlack, true}, {"", 8, 1, clBlack, false}, {"", 12, 0, clBlack, false}}},
    {"SuperscriptAfterSubscriptIsANewRun", "<sub>1</sub><SUP>2</SUP>", "12",
     {{"", 8, 1, clBlack, false}, {"", 8, 0, clBlack, false}}},
    {"HexColourIsStoredBlueGreenRed", "<font color=\"#FF0000\">r</font>g", "rg",
     {{"", 12, 0, clRed, false}, {"", 12, 0, clBlack, false}}},
    {"HexColourGreenBlue", "<font color=\"#00FF80\">x", "x", {{"", 12, 0, RGB(0, 0xFF, 0x80), false}}},
    {"ColourName", "<font color=red>r", "r", {{"", 12, 0, clRed, false}}},
    {"ColourNameAfterBlanksAnyCase", "<FONT COLOR=  Blue>b", "b", {{"", 12, 0, clBlue, false}}},
    {"UnknownColourNameStaysText", "<font color=nosuch>x", "<font color=nosuch>x",
     std::vector<std::tuple<std::string, int, int, TColor, bool>>(20, {"", 12, 0, clBlack, true})},
    {"MalformedHexStaysText", "<font color=\"#GG\">", "<font color=\"#GG\">",
     std::vector<std::tuple<std::string, int, int, TColor, bool>>(18, {"", 12, 0, clBlack, true})},
    {"LooksLikeATag", "a<x>b", "a<x>b", std::vector<std::tuple<std::string, int, int, TColor, bool>>(5, {"", 12, 0, clBlack, true})},
    {"LoneAngle", "1 < 2", "1 < 2", std::vector<std::tuple<std::string, int, int, TColor, bool>>(5, {"", 12, 0, clBlack, true})},
};

INSTANTIATE_TEST_SUITE_P(Table, Tags, ::testing::ValuesIn(kTagCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DrawText, TagsCarryAcrossLinesAndPositionsCountLineBreaks) {
    Layout({"ab", "<b>c", "d</b>e"}, {.Width = 100, .Tags = true});
    EXPECT_EQ(dt.PlainText(), "ab\r\nc\r\nde\r\n");
    ASSERT_EQ(dt.LineCount(), 3);
    EXPECT_EQ(dt.LineTags(1)[0].Position, 5);
    EXPECT_TRUE(dt.LineTags(1)[0].Style.Contains(fsBold));
    EXPECT_TRUE(dt.LineTags(2)[0].Style.Contains(fsBold));
    EXPECT_TRUE(dt.LineTags(2)[0].SameAsPrevious);
    EXPECT_EQ(dt.LineTags(2)[1].Position, 9);
    EXPECT_FALSE(dt.LineTags(2)[1].Style.Contains(fsBold));
}

// A line without tags takes the attributes in force at its start; only its first
// character can differ from the character before it (the last of the line above).
TEST_F(DrawText, ALineWithoutTagsTakesTheAttributesInForce) {
    struct TCase {
        std::vector<std::string> Lines;
        bool Bold, Reduced, FirstSame;
        int Start;   // the position of "c": the plain characters and line breaks before it
    };
    const TCase cases[] = {
        {{"<b>ab", "cde"}, true, false, true, 5},
        {{"<b>ab</b>", "cde"}, false, false, false, 5},
        {{"<sub>a", "cde"}, false, true, true, 4},
        {{"<sub>a</sub>", "cde"}, false, false, false, 4},
        {{"ab", "cde"}, false, false, true, 5},
        {{"cde"}, false, false, true, 1},
    };
    for (const TCase& c : cases) {
        Layout(c.Lines, {.Width = 100, .Tags = true});
        const int last = dt.LineCount() - 1;
        ASSERT_EQ(dt.Line(last), "cde");
        const TfrxHTMLTags& tags = dt.LineTags(last);
        ASSERT_EQ(tags.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const TfrxHTMLTag& t = tags[static_cast<size_t>(i)];
            EXPECT_EQ(t.Position, c.Start + i) << c.Lines[0] << " " << i;
            EXPECT_EQ(t.Style.Contains(fsBold), c.Bold) << c.Lines[0] << " " << i;
            EXPECT_EQ(t.Reduced, c.Reduced) << c.Lines[0] << " " << i;
            EXPECT_EQ(t.Lowered, c.Reduced ? 1 : 0) << c.Lines[0] << " " << i;
            EXPECT_EQ(t.SameAsPrevious, i > 0 || c.FirstSame) << c.Lines[0] << " " << i;
        }
    }
}

TEST_F(DrawText, TagsOffMeansNoAttributeChanges) {
    Layout({"<b>a</b>"}, {.Width = 100, .Tags = false});
    for (const TfrxHTMLTag& t : dt.LineTags(0)) {
        EXPECT_TRUE(t.SameAsPrevious);
        EXPECT_TRUE(t.Style.Empty());
    }
}

TEST_F(DrawText, HyphenGetsACopyOfTheLastTag) {
    Layout({"<b>КОРОВА</b>"}, {.Width = 33, .Tags = true, .WordBreak = true});
    ASSERT_EQ(Out().front(), "КО-");
    const TfrxHTMLTags& tags = dt.LineTags(0);
    ASSERT_EQ(tags.size(), 3u);
    EXPECT_EQ(tags[2].Position, tags[1].Position);
    EXPECT_TRUE(tags[2].Style.Contains(fsBold));
}

// --- Heights and widths ------------------------------------------------------------------

TEST_F(DrawText, HeightsAndWidths) {
    struct TCase {
        const char* Name;
        Lines Text;
        TLayout Params;
        double LineHeight, Height, Width;
    } cases[] = {
        {"ThreeLines", {"aaa bbb ccc"}, {.LineSpacing = 2}, 21.2, 63.6, 180 * 0.16},
        {"Bold", {"<b>aaa</b>"}, {.Width = 100, .Tags = true}, 19.2, 19.2, 198 * 0.16},
        {"SubscriptCountsTwoThirds", {"a<sub>bb</sub>"}, {.Width = 100, .Tags = true}, 19.2, 19.2, 140 * 0.16},
        {"CharSpacingAddedPerCharacter", {"aaa"}, {.Width = 100, .CharSpacing = 1}, 19.2, 19.2, (180 + 19) * 0.16},
        {"GapWidensFirstLines", {"aaa bbb", "cccc"}, {.Width = 48, .Gap = 8}, 19.2, 3 * 19.2, (240 + 50) * 0.16},
        {"GapOnlyOnFirstLines", {"aaa bbbbbbb"}, {.Width = 60, .Gap = 8}, 19.2, 3 * 19.2, 360 * 0.16},
        {"Chinese", {"中文"}, {.Width = 100}, 19.2, 19.2, 200 * 0.16},
        {"NoLines", {}, {}, 19.2, 0, 0},
        {"SpacingNeverMakesLinesFlat", {"a", "b"}, {.LineSpacing = -50}, 1, 2, 60 * 0.16},
    };
    for (const TCase& c : cases) {
        Layout(c.Text, c.Params);
        EXPECT_NEAR(dt.LineHeight(), c.LineHeight, 1e-9) << c.Name;
        EXPECT_NEAR(dt.CalcHeight(), c.Height, 1e-9) << c.Name;
        EXPECT_NEAR(dt.CalcWidth(), c.Width, 1e-9) << c.Name;
    }
}

// The advances a line keeps from its wrapping serve its width and drawing only while the
// font, the character spacing and the measurer are the ones it was measured with.
TEST_F(DrawText, KeptAdvancesFollowTheFontTheSpacingAndTheMeasurer) {
    TFakeTextMeasurer wider;
    wider.Narrow = 900;
    struct TCase {
        const char* Name;
        TLayout Params;
        std::function<void()> After;   // a change between the layout and its use
        double Width;
        int Drawn;   // device pixels: the layout's width at 96 dpi
    };
    const std::vector<TCase> cases = {
        {"unchanged", {.Width = 100}, [] {}, 180 * 0.16, 29},
        {"a larger font", {.Width = 100}, [&] { dt.SetFont(Font12(24)); }, 360 * 0.16, 58},
        {"another measurer", {.Width = 100}, [&] { dt.SetMeasurer(&wider); }, 270 * 0.16, 43},
        // The width adds rnd(3 x 12.5) units, the drawing 3 x rnd(12.5) (even rounding).
        {"measured with character spacing", {.Width = 100, .CharSpacing = 2}, [] {}, (180 + 38) * 0.16, 35},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dt.SetMeasurer(&fake);
        Layout({"aaa"}, c.Params);
        c.After();
        EXPECT_NEAR(dt.CalcWidth(), c.Width, 1e-9);
        // Drawn right-aligned, the line ends at the rectangle's right edge whatever changed.
        TMetafile metafile;
        {
            TMetafileCanvas canvas(&metafile);
            canvas.SetTextMeasurer(&fake);
            dt.DrawText(&canvas, haRight, vaTop);
        }
        int drawn = 0, at = 0;
        for (const TMetafileRecord& rec : metafile.Records())
            if (rec.Kind == mrText) {
                at = rec.Points[0].X;
                drawn = std::accumulate(rec.Advances.begin(), rec.Advances.end(), 0);
            }
        EXPECT_EQ(drawn, c.Drawn);
        EXPECT_EQ(at + drawn, 100 - 1);   // ends a pixel inside
    }
}

TEST_F(DrawText, RemainingHeight) {
    struct TCase {
        int Height;
        double LineSpacing;
        double Expected;
    } cases[] = {
        {59, 0.8, 0.0001},   // exactly three lines of 20: never exactly 0
        {69, 0.8, 10},
        {10, 0.8, 0},        // no whole line fits
        {105, 2, 0.0001},    // five lines of 21.2, whose binary form is not exact
        {110, 2, 5},
    };
    for (const TCase& c : cases) {
        Layout({"a"}, {.Height = c.Height, .LineSpacing = c.LineSpacing});
        EXPECT_NEAR(dt.RemainingHeight(), c.Expected, 1e-9) << c.Height << " " << c.LineSpacing;
    }
}

// --- Splitting ---------------------------------------------------------------------------

struct TSplitCase {
    const char* Name;
    Lines Text;
    TLayout Params;
    int LinesKept;
    const char* InBounds;
    const char* OutOfBounds;
};

class Splitting : public DrawText, public ::testing::WithParamInterface<TSplitCase> {};

TEST_P(Splitting, KeepsWhatFitsAndGivesTheRest) {
    const TSplitCase& c = GetParam();
    Layout(c.Text, c.Params);
    EXPECT_EQ(dt.GetOutBoundsText(), c.OutOfBounds);
    EXPECT_EQ(dt.LineCount(), c.LinesKept);
    EXPECT_EQ(dt.GetInBoundsText(), c.InBounds);
    EXPECT_EQ(dt.GetOutBoundsText(), "");   // what is left fits
}

// Line height 20 with line spacing 0.8; a rectangle 39 high holds two lines.
const TSplitCase kSplitCases[] = {
    {"EverythingFits", {"aaa", "bbb"}, {.Height = 39, .LineSpacing = 0.8}, 2, "aaa\r\nbbb\r\n", ""},
    {"InsideALine", {"aaa bbb ccc"}, {.Height = 39, .LineSpacing = 0.8}, 2, "aaa bbb", "ccc\r\n"},
    {"AtALineBreak", {"aaa", "bbb", "ccc", "ddd"}, {.Height = 39, .LineSpacing = 0.8}, 2, "aaa\r\nbbb\r\n",
     "ccc\r\nddd\r\n"},
    {"EmptyLineKeptOnTheNextPage", {"aaa", "", "ccc"}, {.Height = 20, .LineSpacing = 0.8}, 1, "aaa\r\n", "\r\nccc\r\n"},
    {"EmptyLineKeptOnThisPage", {"aaa", "", "ccc"}, {.Height = 39, .LineSpacing = 0.8}, 2, "aaa\r\n\r\n", "ccc\r\n"},
    {"HyphenStaysWithItsPart", {"КОРОВА"}, {.Width = 30, .Height = 20, .WordBreak = true, .LineSpacing = 0.8}, 1,
     "КО-", "РОВА\r\n"},
    {"NothingFits", {"aaa"}, {.Height = 10, .LineSpacing = 0.8}, 0, "", "aaa\r\n"},
    {"BoldRedContinuesBoldRed", {"<b><font color=red>aaa bbb ccc</font></b> ddd"},
     {.Height = 39, .Tags = true, .LineSpacing = 0.8}, 2, "<b><font color=red>aaa bbb",
     "<font color=\"#FF0000\"><b>ccc</font></b> ddd\r\n"},
    {"ReopensItalicUnderlineStrikeAndSubscript", {"<i><u><strike>aaa <sub>bbbbbbbbbbbb"},
     {.Height = 20, .Tags = true, .LineSpacing = 0.8}, 1, "<i><u><strike>aaa",
     "<font color=\"#000000\"><i><u><strike><sub>bbbbbbbbbbbb\r\n"},
    {"PlainColourAlwaysWritten", {"aaa bbb"}, {.Width = 30, .Height = 20, .Tags = true, .LineSpacing = 0.8}, 1, "aaa",
     "<font color=\"#000000\">bbb\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Table, Splitting, ::testing::ValuesIn(kSplitCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(DrawText, SplitContinuesWithTheSameLayout) {
    // The rest, laid out again in the next column, gives the lines that did not fit.
    Layout({"<b>aaa bbb</b> ccc ddd eee"}, {.Height = 39, .Tags = true, .LineSpacing = 0.8});
    Lines all = Out();
    std::string rest = dt.GetOutBoundsText();
    ASSERT_EQ(dt.LineCount(), 2);
    TStringList next;
    next.SetText(rest);
    Layout({next.Strings(0)}, {.Tags = true, .LineSpacing = 0.8});
    EXPECT_EQ(Out(), Lines(all.begin() + 2, all.end()));
    EXPECT_FALSE(dt.LineTags(0)[0].Style.Contains(fsBold));
}

// --- Locking -----------------------------------------------------------------------------

TEST_F(DrawText, NestedUseKeepsTheOuterLayout) {
    dt.Lock();
    Layout({"aaa bbb ccc"});
    ASSERT_EQ(dt.LineCount(), 3);
    {
        TfrxDrawTextLock inner(dt);   // e.g. a paint event while the outer memo measures
        EXPECT_EQ(dt.LineCount(), 0);
        Layout({"x"}, {.Size = 20});
        EXPECT_EQ(dt.LineCount(), 1);
        EXPECT_EQ(dt.FontSize(), 20);
    }
    EXPECT_TRUE(dt.Locked());
    EXPECT_EQ(Out(), (Lines{"aaa", "bbb", "ccc"}));
    EXPECT_EQ(dt.FontSize(), 12);
    dt.Unlock();
    EXPECT_FALSE(dt.Locked());
}

// --- Drawing -----------------------------------------------------------------------------

// Drawing into a recording canvas at 96 dpi; the canvas measures with Device (by
// default the same fixed advances, so a 12-point narrow character is 9.6 pixels).
class Drawing : public DrawText {
protected:
    std::vector<const TMetafileRecord*> Draw(const Lines& text, TLayout p, TRect r, TfrxHAlign h = haLeft,
                                             TfrxVAlign v = vaTop, double scale = 1) {
        metafile = std::make_unique<TMetafile>();
        TMetafileCanvas canvas(metafile.get());
        canvas.SetTextMeasurer(&device);
        p.Width = r.Width();
        if (p.Height == 1000) p.Height = r.Height();
        Layout(text, p, Bounds(r.Left, r.Top, static_cast<int>(r.Width() * scale), static_cast<int>(r.Height() * scale)),
               scale);
        dt.DrawText(&canvas, h, v);
        EXPECT_EQ(canvas.Font()->Orientation(), 0);   // the canvas font is given back
        std::vector<const TMetafileRecord*> runs;
        for (const TMetafileRecord& rec : metafile->Records())
            if (rec.Kind == mrText) runs.push_back(&rec);
        return runs;
    }
    const TFont& FontOf(const TMetafileRecord* r) const { return metafile->States()[r->State].Font; }
    static int Sum(const std::vector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

    TFakeTextMeasurer device;
    std::unique_ptr<TMetafile> metafile;
};

TEST_F(Drawing, RunsOfLinesOnTheRecording) {
    auto runs = Draw({"aaa bbb ccc"}, {.LineSpacing = 2}, Bounds(10, 20, 48, 100));
    std::vector<std::string> texts;
    for (const TTextRun& run : metafile->TextRuns()) texts.push_back(run.Text);
    EXPECT_EQ(texts, (Lines{"aaa", "bbb", "ccc"}));
    ASSERT_EQ(runs.size(), 3u);
    // Total height rnd(3 * 21.2) = 64 from steps of 19 + 2, one of them a pixel more.
    EXPECT_EQ(runs[0]->Points[0], Point(10, 20));
    int step1 = runs[1]->Points[0].Y - runs[0]->Points[0].Y, step2 = runs[2]->Points[0].Y - runs[1]->Points[0].Y;
    EXPECT_TRUE(step1 == 21 || step1 == 22);
    EXPECT_TRUE(step2 == 21 || step2 == 22);
    int last = 64 - step1 - step2;   // the third line's step closes the block
    EXPECT_TRUE(last == 21 || last == 22);
    for (const TMetafileRecord* r : runs) {
        EXPECT_EQ(r->Points[0].X, 10);
        EXPECT_EQ(Sum(r->Advances), 29);   // rnd(180 * 96 / 600)
        EXPECT_EQ(r->Options & ETO_CLIPPED, unsigned(ETO_CLIPPED));
        EXPECT_TRUE(r->HasRect);
        EXPECT_EQ(r->Rect, Bounds(10, 20, 48, 100));
        EXPECT_EQ(FontOf(r).Height(), -16);
        EXPECT_EQ(FontOf(r).Name(), "Arial");
    }
}

TEST_F(Drawing, BlockEndsWhereTheExactLayoutPutsIt) {
    // Five lines of 21.2 pixels: the tops are spread so that the block is rnd(106) high.
    auto runs = Draw({"a", "b", "c", "d", "e"}, {.LineSpacing = 2}, Bounds(0, 0, 48, 200), haLeft, vaBottom);
    ASSERT_EQ(runs.size(), 5u);
    int top = runs[0]->Points[0].Y;
    EXPECT_EQ(top, 200 - 106);
    for (size_t i = 1; i < runs.size(); ++i) {
        int step = runs[i]->Points[0].Y - runs[i - 1]->Points[0].Y;
        EXPECT_TRUE(step == 21 || step == 22) << i;
    }
    // The last step is the total less the four above it.
    int last = 106 - (runs[4]->Points[0].Y - top);
    EXPECT_TRUE(last == 21 || last == 22);
}

TEST_F(Drawing, Alignments) {
    // "aaa" is 29 pixels wide on a 48 x 100 rectangle at (10, 20); one line 19 high.
    struct TCase {
        TfrxHAlign H;
        TfrxVAlign V;
        TPoint Origin;
    } cases[] = {
        {haLeft, vaTop, {10, 20}},
        {haRight, vaTop, {10 + 48 - 29 - 1, 20}},   // ends a pixel inside
        {haCenter, vaTop, {10 + 10, 20}},   // rnd(9.5) = 10
        {haLeft, vaBottom, {10, 20 + 100 - 19}},
        {haLeft, vaCenter, {10, 20 + 40}},  // rnd(40.5) = 40
        {haBlock, vaTop, {10, 20}},         // a last line is not spread
    };
    for (const TCase& c : cases) {
        auto runs = Draw({"aaa"}, {}, Bounds(10, 20, 48, 100), c.H, c.V);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0]->Points[0], c.Origin) << c.H << " " << c.V;
    }
}

TEST_F(Drawing, JustifiedLinesFillTheWidth) {
    // "a a a" then "bbbbb", "bb": the first line is spread over its two blanks, the
    // remainder pixel going to the first blank; the last line of the paragraph is not.
    auto runs = Draw({"a a a bbbbbbb"}, {}, Bounds(0, 0, 49, 100), haBlock);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0]->Text, "a a a");
    // Device advances 10 4 10 5 9 (38 pixels); 11 free pixels: 6 and 5.
    EXPECT_EQ(runs[0]->Advances, (std::vector<int>{10, 10, 10, 10, 9}));
    EXPECT_EQ(Sum(runs[1]->Advances), 48);   // no blank: as wide as its layout
    EXPECT_EQ(runs[2]->Text, "bb");
    EXPECT_EQ(Sum(runs[2]->Advances), 19);
    // An indented first line still ends at the right edge.
    runs = Draw({"a a a bbbbbbb"}, {.Gap = 8}, Bounds(0, 0, 49, 100), haBlock);
    ASSERT_EQ(runs[0]->Text, "a a a");
    EXPECT_EQ(runs[0]->Points[0].X, 8);
    EXPECT_EQ(8 + Sum(runs[0]->Advances), 49);
    // Right-to-left: the last line goes to the right edge.
    runs = Draw({"a a a bbbbbbb"}, {.RTL = true}, Bounds(0, 0, 49, 100), haBlock);
    EXPECT_EQ(runs[2]->Points[0].X, 49 - 19 - 1);
    EXPECT_NE(runs[2]->Options & ETO_RTLREADING, 0u);
}

TEST_F(Drawing, DeviceAdvancesSpreadToTheLayoutWidth) {
    // The device font is narrower than the layout (8 pixels against 9.6): each of the
    // five characters gets one or two pixels more so that the line is 48 wide.
    device.Narrow = 500;
    auto runs = Draw({"aaaaa"}, {}, Bounds(0, 0, 60, 100));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(Sum(runs[0]->Advances), 48);
    for (int a : runs[0]->Advances) EXPECT_TRUE(a == 9 || a == 10) << a;
    // Three characters, one pixel short in total: one of them gets it.
    device.Narrow = 580;   // 9.28 pixels: extents 9, 19, 28 against 29
    runs = Draw({"aaa"}, {}, Bounds(0, 0, 60, 100));
    EXPECT_EQ(Sum(runs[0]->Advances), 29);
}

TEST_F(Drawing, ParagraphGapIndentsTheFirstLine) {
    auto runs = Draw({"aa bb cc dd"}, {.Gap = 16}, Bounds(0, 0, 48, 100));
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0]->Points[0].X, 16);
    EXPECT_EQ(runs[1]->Points[0].X, 0);
    // Right alignment is not indented.
    runs = Draw({"aa"}, {.Gap = 16}, Bounds(0, 0, 48, 100), haRight);
    EXPECT_EQ(runs[0]->Points[0].X, 48 - 19 - 1);
}

TEST_F(Drawing, AttributesStartNewRuns) {
    auto runs = Draw({"H<sub>2</sub>O <b><font color=\"#FF0000\">x</font></b>"}, {.Tags = true}, Bounds(0, 0, 200, 100));
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0]->Text, "H");
    EXPECT_EQ(runs[1]->Text, "2");
    EXPECT_EQ(runs[2]->Text, "O ");
    EXPECT_EQ(runs[3]->Text, "x");
    EXPECT_EQ(FontOf(runs[1]).Height(), -11);    // 8 points
    EXPECT_EQ(runs[1]->Points[0].Y, 8);          // lowered by its size
    EXPECT_EQ(runs[2]->Points[0].Y, 0);
    EXPECT_EQ(FontOf(runs[3]).Color(), clRed);
    EXPECT_TRUE(FontOf(runs[3]).Style().Contains(fsBold));
    // Each run starts where the one before ended.
    EXPECT_EQ(runs[1]->Points[0].X, runs[0]->Points[0].X + Sum(runs[0]->Advances));
    EXPECT_EQ(runs[3]->Points[0].X, runs[2]->Points[0].X + Sum(runs[2]->Advances));
}

TEST_F(Drawing, ScaledScreenDrawing) {
    // At zoom 2 the device font is 32 pixels and the line 58 wide (rnd(180 * 0.16 * 2)).
    auto runs = Draw({"aaa"}, {}, Bounds(5, 5, 48, 100), haRight, vaTop, 2);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(FontOf(runs[0]).Height(), -32);
    EXPECT_EQ(Sum(runs[0]->Advances), 58);
    EXPECT_EQ(runs[0]->Points[0].X, 5 + 96 - 58 - 1);
}

// A right-aligned line ends a pixel inside its rectangle, whichever way it runs, and every
// line is clipped to the rectangle: the ink of its last glyph, which may reach a pixel past
// the advance, stays inside and off the frame.
TEST_F(Drawing, RightAlignedLinesEndInsideTheRectangle) {
    const TRect r = Bounds(10, 20, 100, 200);
    struct TCase {
        int Rotation;
        TfrxHAlign H;
    } cases[] = {{0, haRight}, {0, haLeft}, {0, haCenter}, {90, haRight}, {90, haLeft}, {180, haRight}, {270, haRight}};
    for (const TCase& c : cases) {
        auto runs = Draw({"aaa"}, {.Rotation = c.Rotation}, r, c.H);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0]->Rect, r) << c.Rotation << " " << c.H;
    }
    // The line's end, 29 pixels after its start, one pixel before the rectangle's edge.
    EXPECT_EQ(Draw({"aaa"}, {}, r, haRight)[0]->Points[0].X + 29, r.Right - 1);
    EXPECT_EQ(Draw({"aaa"}, {.Rotation = 270}, r, haRight)[0]->Points[0].Y + 29, r.Bottom - 1);
}

// A device font wider than the layout keeps its glyphs' advances (so a glyph's ink stays
// within its box) while the line fits; the alignment uses the device width.
TEST_F(Drawing, WiderDeviceGlyphsAreNotSqueezed) {
    device.Narrow = 700;   // 11.2 pixels against the layout's 9.6: extents 11, 22, 34
    auto runs = Draw({"aaa"}, {}, Bounds(0, 0, 60, 100), haRight);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->Advances, (std::vector<int>{11, 11, 12}));
    EXPECT_EQ(runs[0]->Points[0].X, 60 - 34 - 1);
    // Wider than the whole rectangle: squeezed to it, no further.
    runs = Draw({"aaa"}, {}, Bounds(0, 0, 30, 100));
    EXPECT_EQ(Sum(runs[0]->Advances), 30);
}

TEST_F(Drawing, QuarterTurns) {
    // One 29-pixel line, 19 high, on the rectangle (10, 20)-(110, 220).
    struct TCase {
        int Rotation;
        TfrxHAlign H;
        TfrxVAlign V;
        TPoint Origin;
    } cases[] = {
        {90, haLeft, vaTop, {10, 220}},
        {90, haRight, vaTop, {10, 220 - (200 - 29 - 1)}},
        {90, haLeft, vaBottom, {10 + 100 - 19, 220}},
        {180, haLeft, vaTop, {110, 220}},
        {180, haRight, vaBottom, {110 - (100 - 29 - 1), 220 - (200 - 19)}},
        {270, haLeft, vaTop, {110, 20}},
        {270, haLeft, vaBottom, {110 - (100 - 19), 20}},
    };
    for (const TCase& c : cases) {
        auto runs = Draw({"aaa"}, {.Rotation = c.Rotation}, Bounds(10, 20, 100, 200), c.H, c.V);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0]->Points[0], c.Origin) << c.Rotation << " " << c.H << " " << c.V;
        EXPECT_EQ(FontOf(runs[0]).Orientation(), c.Rotation * 10);
    }
}

TEST_F(Drawing, OtherAnglesStayInsideTheRectangle) {
    for (int rotation : {30, 45, 135, 200, 315}) {
        auto runs = Draw({"aaa", "bbb"}, {.Rotation = rotation}, Bounds(0, 0, 100, 100));
        ASSERT_EQ(runs.size(), 2u);
        for (const TTextRun& run : metafile->TextRuns()) {
            EXPECT_GE(run.Bounds.Left, -1) << rotation;
            EXPECT_GE(run.Bounds.Top, -1) << rotation;
            EXPECT_LE(run.Bounds.Right, 101) << rotation;
            EXPECT_LE(run.Bounds.Bottom, 101) << rotation;
        }
    }
}

TEST_F(Drawing, NothingWithoutLines) {
    auto runs = Draw({}, {}, Bounds(0, 0, 48, 100));
    EXPECT_TRUE(runs.empty());
}

// --- The real measurer -------------------------------------------------------------------

TEST(DrawTextRealFonts, ChineseWrapsBetweenCharacters) {
    TfrxDrawText dt;   // the real measurer over the pinned fonts
    TFont font;
    font.SetName("宋体");
    font.SetSize(10);
    dt.SetFont(font);
    dt.SetOptions(true, false, false, true, 0);
    dt.SetGaps(0, 0, 2);
    dt.SetDimensions(Rect(0, 0, 60, 1000), Rect(0, 0, 60, 1000), 1, 1);
    const std::string text = "门诊收费日报表按科室汇总打印";
    dt.SetText(Lines{text});
    ASSERT_GT(dt.LineCount(), 1);
    std::string joined;
    const int full = static_cast<int>(60 * 6.25);
    for (int i = 0; i < dt.LineCount(); ++i) {
        std::string line = dt.Line(i);
        EXPECT_EQ(line.find('-'), std::string::npos) << line;
        EXPECT_LE(dt.Measurer().Width(dt.MeasuringFont(), line), full) << line;
        joined += line;
    }
    EXPECT_EQ(joined, text);
    // Each line but the last is full: the next character would not have fitted.
    for (int i = 0; i + 1 < dt.LineCount(); ++i) {
        std::string longer = dt.Line(i) + Copy(dt.Line(i + 1), 1, 1);
        EXPECT_GT(dt.Measurer().Width(dt.MeasuringFont(), longer), full) << longer;
    }
}

// A text longer than its rectangle, drawn on a bitmap, gives the pixels of the same text
// recorded line by line and played back: the lines below the rectangle that a bitmap
// leaves out would have left no pixel. Narrow and short boxes, lines pushed down by the
// alignment, lowered, raised, bold and coloured text, lines closer than their height,
// and the turns that are drawn whole.
TEST(DrawTextRealFonts, LinesBelowTheRectangleLeaveTheSamePixels) {
    struct TCase {
        const char* Name;
        std::string Text;
        TRect Box;
        TfrxVAlign VAlign;
        bool Tags;
        double LineSpacing;
        int Rotation;
    };
    const std::string longText = "[DS.\"name\"] 门诊收费日报表按科室汇总打印 Total 123.45";
    const TCase cases[] = {
        {"a narrow box", longText, Rect(4, 6, 18, 40), vaTop, false, 2, 0},
        {"a short box", longText, Rect(3, 5, 70, 26), vaTop, false, 2, 0},
        {"pushed down to the middle", longText, Rect(2, 10, 40, 34), vaCenter, false, 2, 0},
        {"pushed down to the bottom", longText, Rect(2, 10, 40, 34), vaBottom, false, 2, 0},
        {"lowered, raised, bold and coloured text",
         "a<sub>low</sub> <b>BOLD</b> c<sup>up</sup> <font color=\"#FF0000\">red</font> d e f g h i j k",
         Rect(5, 4, 30, 30), vaTop, true, 2, 0},
        {"lines closer than their height", longText, Rect(4, 6, 30, 30), vaTop, false, -6, 0},
        {"upside down", longText, Rect(4, 6, 40, 30), vaTop, false, 2, 180},
        {"sideways", longText, Rect(4, 6, 40, 30), vaTop, false, 2, 90},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TfrxDrawText dt;
        TFont font;
        font.SetName("宋体");
        font.SetSize(9);
        font.SetColor(clBlack);
        dt.SetFont(font);
        dt.SetOptions(true, c.Tags, false, false, c.Rotation);
        dt.SetGaps(0, 0, c.LineSpacing);
        dt.SetDimensions(c.Box, c.Box, 1, 1);
        dt.SetText(Lines{c.Text});
        ASSERT_GT(dt.LineCount(), 3);
        auto fresh = [] {
            auto b = std::make_unique<TBitmap>(80, 60);
            b->Canvas()->Brush()->SetColor(clWhite);
            b->Canvas()->FillRect(Rect(0, 0, 80, 60));
            return b;
        };
        std::unique_ptr<TBitmap> direct = fresh();
        dt.DrawText(direct->Canvas(), haLeft, c.VAlign);
        TMetafile recorded;
        {
            TMetafileCanvas recording(&recorded);
            dt.DrawText(&recording, haLeft, c.VAlign);
        }
        std::unique_ptr<TBitmap> played = fresh();
        recorded.Play(*played->Canvas(), 1, 1, 0, 0);
        int inked = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) {
                ASSERT_EQ(direct->Pixel(x, y), played->Pixel(x, y)) << x << "," << y;
                if (direct->Pixel(x, y) != clWhite) ++inked;
            }
        EXPECT_GT(inked, 0);
    }
}

}  // namespace
