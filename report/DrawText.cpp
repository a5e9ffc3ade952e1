// The text layout of memo views: inline tags, wrapping at 600 dpi, splitting over
// pages and drawing at the device resolution.
#include "report/DrawText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <optional>

#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/StringList.h"
#include "report/Utils.h"

namespace {

int rnd(double x) { return frxRoundInt(x); }

char32_t AsciiLower(char32_t c) { return (c >= U'A' && c <= U'Z') ? c + 32 : c; }

// Whether Line holds Tag (ASCII letters in any case) at index i.
bool MatchAt(const std::u32string& Line, size_t i, std::u32string_view Tag) {
    if (i + Tag.size() > Line.size()) return false;
    for (size_t k = 0; k < Tag.size(); ++k)
        if (AsciiLower(Line[i + k]) != Tag[k]) return false;
    return true;
}

int HexDigit(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    c = AsciiLower(c);
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a') + 10;
    return -1;
}

// --- Cyrillic syllables ------------------------------------------------------------------

char32_t CyrillicUpper(char32_t c) {
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c == 0x451) return 0x401;   // ё
    return c;
}

bool IsVowel(char32_t c) {
    switch (c) {
    case U'А': case U'Е': case U'Ё': case U'И': case U'О': case U'У': case U'Ы': case U'Э':
    case U'Ю': case U'Я':
        return true;
    default:
        return false;
    }
}

bool IsConsonant(char32_t c) {
    switch (c) {
    case U'Б': case U'В': case U'Г': case U'Д': case U'Ж': case U'З': case U'Й': case U'К':
    case U'Л': case U'М': case U'Н': case U'П': case U'Р': case U'С': case U'Т': case U'Ф':
    case U'Х': case U'Ц': case U'Ч': case U'Ш': case U'Щ': case U'Ь': case U'Ъ':
        return true;
    default:
        return false;
    }
}

bool IsWordEnd(char32_t c) { return c == U' ' || c == U'.' || c == U',' || c == U'-' || c == U';'; }

bool IsBlank(char32_t c) { return c == U' ' || c == 0xA0; }

// Spreads D units over v[lo, hi) by halving the range: with |D| no larger than the
// range, no element moves by more than one.
void SpreadHalving(std::vector<int>& v, size_t lo, size_t hi, int D) {
    size_t n = hi - lo;
    if (n == 0 || D == 0) return;
    if (n == 1) {
        v[lo] += D;
        return;
    }
    size_t half = n / 2;
    int left = static_cast<int>(static_cast<long long>(D) * static_cast<long long>(half) /
                                static_cast<long long>(n));
    SpreadHalving(v, lo, lo + half, left);
    SpreadHalving(v, lo + half, hi, D - left);
}

// An equal share to every element, the rest one unit each by halving.
void SpreadEvenly(std::vector<int>& v, int D) {
    if (v.empty() || D == 0) return;
    int n = static_cast<int>(v.size());
    int share = D / n;
    if (share != 0)
        for (int& x : v) x += share;
    SpreadHalving(v, 0, v.size(), D - share * n);
}

std::string Hex2(int v) { return IntToHex(v & 0xFF, 2); }

}  // namespace

// --- Inline tags -------------------------------------------------------------------------

void TfrxHTMLTagsList::SetDefaults(TColor DefColor, int DefSize, TFontStyles DefStyle) {
    FDefColor = DefColor;
    FDefSize = DefSize;
    FDefStyle = DefStyle;
    Clear();
}

void TfrxHTMLTagsList::Clear() {
    FItems.clear();
    FColor = FDefColor;
    FSize = FDefSize;
    FStyle = FDefStyle;
    FLowered = 0;
    FPosition = 1;
    FHasPrevious = false;
}

TfrxHTMLTag TfrxHTMLTagsList::MakeTag() const {
    TfrxHTMLTag t;
    t.Position = FPosition;
    t.Size = FSize;
    t.Lowered = FLowered;
    t.Style = FStyle;
    t.Color = FColor;
    t.Reduced = FSize != FDefSize;
    if (!TagsEnabled) {
        t.SameAsPrevious = true;
    } else {
        int size = FHasPrevious ? FPrevSize : FDefSize;
        TFontStyles style = FHasPrevious ? FPrevStyle : FDefStyle;
        TColor color = FHasPrevious ? FPrevColor : FDefColor;
        int lowered = FHasPrevious ? FPrevLowered : 0;
        // A change between sub- and superscript of the same size is a change too: the
        // run must move the characters up or down.
        t.SameAsPrevious = t.Size == size && t.Style == style && t.Color == color && t.Lowered == lowered;
    }
    return t;
}

void TfrxHTMLTagsList::Remember(const TfrxHTMLTag& Tag) {
    FHasPrevious = true;
    FPrevSize = Tag.Size;
    FPrevStyle = Tag.Style;
    FPrevColor = Tag.Color;
    FPrevLowered = Tag.Lowered;
}

TfrxHTMLTag TfrxHTMLTagsList::BlankTag(int Position) {
    TfrxHTMLTag t = MakeTag();
    t.Position = Position;
    Remember(t);
    return t;
}

// Reads one tag at Line[i] into the current attributes; its length, 0 when the text
// there is no tag.
size_t TfrxHTMLTagsList::ReadTag(const std::u32string& Line, size_t i) {
    struct TSimple {
        std::u32string_view Text;
        TFontStyle Style;
        bool On;
    };
    static const TSimple simple[] = {
        {U"<b>", fsBold, true},          {U"</b>", fsBold, false},
        {U"<i>", fsItalic, true},        {U"</i>", fsItalic, false},
        {U"<u>", fsUnderline, true},     {U"</u>", fsUnderline, false},
        {U"<strike>", fsStrikeOut, true}, {U"</strike>", fsStrikeOut, false},
    };
    for (const TSimple& s : simple) {
        if (!MatchAt(Line, i, s.Text)) continue;
        if (s.On) FStyle.Include(s.Style);
        else FStyle.Exclude(s.Style);
        return s.Text.size();
    }
    if (MatchAt(Line, i, U"<sub>") || MatchAt(Line, i, U"<sup>")) {
        FSize = rnd(FDefSize / 1.5);
        FLowered = AsciiLower(Line[i + 3]) == U'b' ? 1 : 0;
        return 5;
    }
    if (MatchAt(Line, i, U"</sub>") || MatchAt(Line, i, U"</sup>")) {
        FSize = FDefSize;
        FLowered = 0;
        return 6;
    }
    if (MatchAt(Line, i, U"</font>")) {
        FColor = FDefColor;
        return 7;
    }
    constexpr std::u32string_view open = U"<font color=";
    if (!MatchAt(Line, i, open)) return 0;
    size_t v = i + open.size();
    while (v < Line.size() && Line[v] == U' ') ++v;
    size_t close = Line.find(U'>', v);
    if (close == std::u32string::npos) return 0;
    std::u32string value = Line.substr(v, close - v);
    while (!value.empty() && value.back() == U' ') value.pop_back();
    TColor color = 0;
    if (value.size() >= 4 && value[0] == U'"' && value[1] == U'#' && value.back() == U'"') {
        // "#RRGGBB": at most six hexadecimal digits; anything else is no colour.
        std::u32string digits = value.substr(2, value.size() - 3);
        if (digits.empty() || digits.size() > 6) return 0;
        int rgb = 0;
        for (char32_t c : digits) {
            int d = HexDigit(c);
            if (d < 0) return 0;
            rgb = rgb * 16 + d;
        }
        color = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else {
        if (value.size() >= 2 && value.front() == U'"' && value.back() == U'"')
            value = value.substr(1, value.size() - 2);
        if (value.empty()) return 0;
        if (!IdentToColor("cl" + U32ToUtf8(value), color)) return 0;
    }
    FColor = color;
    return close + 1 - i;
}

void TfrxHTMLTagsList::ExpandHTMLTags(std::u32string& Line, std::vector<int>* SourceIndex) {
    if (FItems.empty()) NewLine();
    TfrxHTMLTags& tags = FItems.back();
    if (SourceIndex) SourceIndex->clear();
    if (!TagsEnabled || Line.find(U'<') == std::u32string::npos) {
        // No tag to read: the text stays as it is and every character takes the attributes
        // in force. Only the first character can differ from the one before it, so the
        // tags from the second on are the second's with their own positions.
        tags.reserve(tags.size() + Line.size());
        if (SourceIndex) SourceIndex->reserve(Line.size());
        for (size_t i = 0; i < Line.size(); ++i) {
            if (i < 2) {
                tags.push_back(MakeTag());
                Remember(tags.back());
            } else {
                tags.push_back(tags.back());
                tags.back().Position = FPosition;
            }
            ++FPosition;
            if (SourceIndex) SourceIndex->push_back(static_cast<int>(i));
        }
        FPosition += 2;   // the line break
        return;
    }
    std::u32string plain;
    plain.reserve(Line.size());
    for (size_t i = 0; i < Line.size();) {
        if (TagsEnabled && Line[i] == U'<') {
            size_t n = ReadTag(Line, i);
            if (n > 0) {
                i += n;
                continue;
            }
        }
        TfrxHTMLTag t = MakeTag();
        Remember(t);
        tags.push_back(t);
        ++FPosition;
        plain.push_back(Line[i]);
        if (SourceIndex) SourceIndex->push_back(static_cast<int>(i));
        ++i;
    }
    FPosition += 2;   // the line break
    Line = std::move(plain);
}

// --- The layout object -------------------------------------------------------------------

TfrxDrawText::TState::TState() { Font.SetPixelsPerInch(DesignDPI); }

TfrxDrawText::TfrxDrawText() { SetFont(TFont()); }

TfrxDrawText::~TfrxDrawText() = default;

void TfrxDrawText::Lock() {
    if (FLocked) {
        // Nested use on the same stack: the outer user is suspended below us and will
        // go on with its own state after our Unlock.
        FSaved.push_back(FState);
        FState = TState();
        SetFont(TFont());
    }
    FLocked = true;
}

void TfrxDrawText::Unlock() {
    if (!FSaved.empty()) {
        FState = FSaved.back();
        FSaved.pop_back();
        return;
    }
    FLocked = false;
}

void TfrxDrawText::SetMeasurer(const TTextMeasurer* Measurer) {
    FMeasurer = Measurer;
    ForgetAdvances(FState);
    for (TState& saved : FSaved) ForgetAdvances(saved);
}

void TfrxDrawText::ForgetAdvances(TState& State) {
    for (TOutLine& line : State.Lines) line.Cumulative.clear();
}

std::vector<int> TfrxDrawText::LineAdvances(int Index, int CharSpacing600) const {
    const TOutLine& line = S().Lines[static_cast<size_t>(Index)];
    if (!line.Cumulative.empty() && line.CharSpacing600 == CharSpacing600 && line.Cumulative.size() == line.Text.size())
        return line.Cumulative;
    return MeasureLine(line.Text, S().Tags.Items(Index), CharSpacing600);
}

const TTextMeasurer& TfrxDrawText::Measurer() const { return FMeasurer ? *FMeasurer : QtTextMeasurer(); }

void TfrxDrawText::SetFont(const TFont& Font) {
    TState& s = S();
    ForgetAdvances(s);
    s.FontSize = Font.Size();
    s.Font.SetPixelsPerInch(DesignDPI);
    s.Font.SetName(Font.Name());
    s.Font.SetStyle(Font.Style());
    s.Font.SetCharset(Font.Charset());
    s.Font.SetColor(Font.Color());
    s.Font.SetPitch(Font.Pitch());
    s.Font.SetHeight(-rnd(s.FontSize * static_cast<double>(DesignDPI) / 72.0));
}

void TfrxDrawText::SetOptions(bool WordWrap, bool HTMLTags, bool RTLReading, bool WordBreak, int Rotation) {
    TState& s = S();
    s.WordWrap = WordWrap;
    s.Tags.TagsEnabled = HTMLTags;
    s.RTLReading = RTLReading;
    s.WordBreak = WordBreak;
    s.Rotation = ((Rotation % 360) + 360) % 360;
}

void TfrxDrawText::SetGaps(double ParagraphGap, double CharSpacing, double LineSpacing) {
    TState& s = S();
    s.ParagraphGap = ParagraphGap;
    s.CharSpacing = CharSpacing;
    s.LineSpacing = LineSpacing;
}

void TfrxDrawText::SetDimensions(const TRect& UnscaledRect, const TRect& ScaledRect, double ScaleX,
                                 double ScaleY) {
    TState& s = S();
    s.UnscaledRect = UnscaledRect;
    s.ScaledRect = ScaledRect;
    s.ScaleX = ScaleX;
    s.ScaleY = ScaleY;
}

void TfrxDrawText::SetText(const TStrings& Lines) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(Lines.Count()));
    for (int i = 0; i < Lines.Count(); ++i) lines.push_back(Lines.Get(i));
    SetText(lines);
}

// Wraps every source line into output lines in 600-dpi units and marks the paragraphs.
void TfrxDrawText::SetText(const std::vector<std::string>& Lines) {
    TState& s = S();
    s.Plain.clear();
    s.Source.clear();
    s.SourceIndex.clear();
    s.Lines.clear();
    s.Tags.SetDefaults(s.Font.Color(), s.FontSize, s.Font.Style());

    const bool sideways = (s.Rotation >= 90 && s.Rotation < 180) || s.Rotation >= 270;
    const int available = sideways ? s.UnscaledRect.Height() : s.UnscaledRect.Width();
    const double k = static_cast<double>(DesignDPI) / ScreenDPI;
    const int fullWidth = rnd(available * k);
    const int firstWidth = rnd((available - s.ParagraphGap) * k);
    const int charSpacing = rnd(s.CharSpacing * k);

    for (const std::string& text : Lines) {
        std::u32string source = Utf8ToU32(text);
        const int sourceBase = static_cast<int>(s.Source.size());
        s.Source += source;
        s.Source += U"\r\n";

        const int plainBase = static_cast<int>(s.Plain.size());
        std::u32string plain = source;
        std::vector<int> index;
        s.Tags.NewLine();
        s.Tags.ExpandHTMLTags(plain, &index);
        TfrxHTMLTags lineTags = std::move(s.Tags.Lines().back());
        s.Tags.Lines().pop_back();
        s.Plain += plain;
        s.Plain += U"\r\n";
        for (int i : index) s.SourceIndex.push_back(sourceBase + i);
        s.SourceIndex.push_back(sourceBase + static_cast<int>(source.size()));
        s.SourceIndex.push_back(sourceBase + static_cast<int>(source.size()) + 1);

        const size_t firstLine = s.Lines.size();
        if (plain.empty()) {
            // An empty line is one blank, so it keeps its height.
            TOutLine line;
            line.Text = U" ";
            line.PlainStart = line.PlainEnd = plainBase;
            s.Lines.push_back(line);
            s.Tags.Lines().push_back({s.Tags.BlankTag(plainBase + 1)});
        } else if (plain.size() < 2 || !s.WordWrap) {
            WrapLine(plain, plainBase, {}, lineTags, firstWidth, fullWidth);
        } else {
            std::vector<int> cumulative = MeasureLine(plain, lineTags, charSpacing);
            WrapLine(plain, plainBase, cumulative, lineTags, firstWidth, fullWidth);
            // A line kept whole (the usual memo) has been measured as it will be drawn.
            if (s.Lines.size() == firstLine + 1) {
                TOutLine& only = s.Lines.back();
                if (!only.Hyphen && only.Text.size() == plain.size()) {
                    only.Cumulative = std::move(cumulative);
                    only.CharSpacing600 = charSpacing;
                }
            }
        }
        const size_t count = s.Lines.size() - firstLine;
        if (count == 1) {
            s.Lines[firstLine].Mark = 3;
        } else if (count > 1) {
            s.Lines[firstLine].Mark = 1;
            s.Lines.back().Mark = 2;
        }
    }
}

// Breaks one line (without tags) at blanks, cutting or hyphenating words wider than the
// column. Cumulative is empty when the line stays whole.
void TfrxDrawText::WrapLine(const std::u32string& Line, int LineStart, const std::vector<int>& Cumulative,
                            TfrxHTMLTags& LineTags, int FirstWidth, int FullWidth) {
    TState& s = S();
    const int n = static_cast<int>(Line.size());
    auto emit = [&](int from, int to, bool hyphen) {
        TOutLine line;
        line.Text = Line.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
        if (hyphen) line.Text += U'-';
        line.PlainStart = LineStart + from;
        line.PlainEnd = LineStart + to;
        line.Hyphen = hyphen;
        s.Lines.push_back(std::move(line));
        TfrxHTMLTags tags(LineTags.begin() + from, LineTags.begin() + to);
        if (hyphen && !tags.empty()) tags.push_back(tags.back());
        s.Tags.Lines().push_back(std::move(tags));
    };
    if (Cumulative.empty() || FirstWidth > Cumulative.back()) {
        emit(0, n, false);
        return;
    }
    // The word that starts at from and runs to the first word end at or after failing.
    auto wordAt = [&](int from, int failing) {
        int end = std::max(from, failing);
        while (end < n && !IsWordEnd(Line[static_cast<size_t>(end)])) ++end;
        return Line.substr(static_cast<size_t>(from), static_cast<size_t>(end - from));
    };
    int start = 0, lastBlank = 0, offset = 0, limit = FirstWidth;
    int i = 0;
    while (i < n) {
        if (Line[static_cast<size_t>(i)] == U' ') lastBlank = i;
        if (Cumulative[static_cast<size_t>(i)] - offset <= limit) {
            ++i;
            continue;
        }
        int next;
        if (lastBlank != start) {
            int wordStart = lastBlank + 1;
            int part = s.WordBreak ? BreakWord(wordAt(wordStart, i), i - wordStart) : 0;
            if (part > 0) {
                emit(start, wordStart + part, true);
                next = wordStart + part;
            } else {
                emit(start, lastBlank, false);
                next = lastBlank + 1;   // the blank ends this line and starts none
            }
        } else if (i == start) {
            emit(start, start + 1, false);
            next = start + 1;
        } else if (s.WordBreak) {
            int part = BreakWord(wordAt(start, i), i - start);
            if (part > 0) {
                emit(start, start + part, true);
                next = start + part;
            } else {
                emit(start, i, false);
                next = i;
            }
        } else {
            emit(start, i, false);
            next = i;
        }
        offset = Cumulative[static_cast<size_t>(next - 1)];
        start = lastBlank = i = next;
        limit = FullWidth;
    }
    if (start < n) emit(start, n, false);
}

// The break after the largest p < Fit that the syllable rules allow, 0 for none.
int TfrxDrawText::BreakWord(const std::u32string& Word, int Fit) {
    const int n = static_cast<int>(Word.size());
    if (n < 4) return 0;
    std::u32string w(Word);
    for (char32_t& c : w) c = CyrillicUpper(c);
    auto at = [&](int i) { return (i >= 0 && i < n) ? w[static_cast<size_t>(i)] : U'\0'; };
    auto hasVowel = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            if (IsVowel(at(i))) return true;
        return false;
    };
    // p counts the characters before the break: w[p - 1] is the last of the first part.
    auto candidate = [&](int p) {
        char32_t c = at(p - 1), next = at(p);
        if (IsConsonant(c)) return !(IsVowel(next) || next == U'Ъ' || next == U'Ь');
        if (IsVowel(c))
            return !(next == U'Й' || (IsConsonant(next) && at(p + 1) == next && IsVowel(at(p + 2))));
        return false;
    };
    for (int p = std::min(Fit - 1, n - 2); p >= 2; --p) {
        if (!candidate(p)) continue;
        if (hasVowel(0, p) && hasVowel(p, n)) return p;
    }
    return 0;
}

// Cumulative 600-dpi advances of a line, one text-extent call per run of equal
// attributes; reduced (sub- and superscript) characters count two thirds.
std::vector<int> TfrxDrawText::MeasureLine(const std::u32string& Text, const TfrxHTMLTags& Tags,
                                           int CharSpacing600) const {
    const size_t n = Text.size();
    std::vector<int> cumulative(n);
    int total = 0;
    size_t a = 0;
    while (a < n) {
        size_t b = a + 1;
        while (b < n && (b >= Tags.size() || Tags[b].SameAsPrevious)) ++b;
        // The measuring font itself, or a copy in the run's style where that differs.
        const TFont* font = &S().Font;
        std::optional<TFont> styled;
        if (a < Tags.size() && !(Tags[a].Style == S().Font.Style())) {
            styled.emplace(S().Font);
            styled->SetStyle(Tags[a].Style);
            font = &*styled;
        }
        std::vector<int> extents = Measurer().Extents(*font, U32ToUtf8(std::u32string_view(Text).substr(a, b - a)));
        int previous = 0;
        for (size_t i = a; i < b; ++i) {
            int extent = i - a < extents.size() ? extents[i - a] : previous;
            int advance = extent - previous;
            previous = extent;
            if (i < Tags.size() && Tags[i].Reduced) advance = rnd(advance / 1.5);
            total += advance + CharSpacing600;
            cumulative[i] = total;
        }
        a = b;
    }
    return cumulative;
}

int TfrxDrawText::FontHeight600() const { return Measurer().Metrics(S().Font).Height; }

double TfrxDrawText::LineHeight() const {
    double h = FontHeight600() * static_cast<double>(ScreenDPI) / DesignDPI + S().LineSpacing;
    // A line spacing that eats the whole font height would make every page hold
    // infinitely many lines.
    return std::max(h, 1.0);
}

double TfrxDrawText::CalcHeight() const {
    if (S().Lines.empty()) return 0;
    return LineHeight() * static_cast<double>(S().Lines.size());
}

double TfrxDrawText::CalcWidth() const {
    const TState& s = S();
    const double k = static_cast<double>(DesignDPI) / ScreenDPI;
    int widest = 0;
    for (size_t i = 0; i < s.Lines.size(); ++i) {
        const TOutLine& line = s.Lines[i];
        std::vector<int> cumulative = LineAdvances(static_cast<int>(i), 0);
        int w = cumulative.empty() ? 0 : cumulative.back();
        w += rnd(static_cast<double>(line.Text.size()) * s.CharSpacing * k);
        if (line.Mark & 1) w += rnd(s.ParagraphGap * k);
        widest = std::max(widest, w);
    }
    return widest * static_cast<double>(ScreenDPI) / DesignDPI;
}

// Whole lines in the unscaled rectangle's height (+1: its bottom edge is inclusive).
// The tolerance keeps a height that holds exactly n lines from counting n - 1 because
// the line height has no exact binary form.
int TfrxDrawText::LinesThatFit() const {
    double room = S().UnscaledRect.Height() + 1;
    if (room <= 0) return 0;
    double n = std::floor(room / LineHeight() + 1e-9);
    return n > 1e9 ? 1000000000 : static_cast<int>(n);
}

double TfrxDrawText::RemainingHeight() const {
    int n = LinesThatFit();
    if (n == 0) return 0;
    double r = S().UnscaledRect.Height() + 1 - n * LineHeight();
    return std::fabs(r) < 1e-9 ? 0.0001 : r;
}

std::string TfrxDrawText::GetInBoundsText() const { return U32ToUtf8(S().Source); }

std::string TfrxDrawText::PlainText() const { return U32ToUtf8(S().Plain); }

std::string TfrxDrawText::Line(int Index) const { return U32ToUtf8(S().Lines[static_cast<size_t>(Index)].Text); }

// Keeps the lines that fit and gives the rest: the source text from the first line
// that does not fit, so tags further on keep working, behind the attributes of its
// first character re-opened as tags.
std::string TfrxDrawText::GetOutBoundsText() {
    TState& s = S();
    const int count = static_cast<int>(s.Lines.size());
    const int n = std::min(LinesThatFit(), count);
    if (n >= count) return {};

    const TOutLine& first = s.Lines[static_cast<size_t>(n)];
    const size_t restStart = static_cast<size_t>(s.SourceIndex[static_cast<size_t>(first.PlainStart)]);
    std::string result;
    if (s.Tags.TagsEnabled) {
        const TfrxHTMLTag& tag = s.Tags.Items(n).front();
        TColor rgb = ColorToRGB(tag.Color);
        result = "<font color=\"#" + Hex2(GetRValue(rgb)) + Hex2(GetGValue(rgb)) + Hex2(GetBValue(rgb)) + "\">";
        if (tag.Style.Contains(fsBold)) result += "<b>";
        if (tag.Style.Contains(fsItalic)) result += "<i>";
        if (tag.Style.Contains(fsUnderline)) result += "<u>";
        if (tag.Style.Contains(fsStrikeOut)) result += "<strike>";
        if (tag.Reduced) result += tag.Lowered ? "<sub>" : "<sup>";
    }
    result += U32ToUtf8(std::u32string_view(s.Source).substr(restStart));

    // What stays: the source up to the end of the last line that fits, with its line
    // break when it ends a source line, and its hyphen when it was hyphenated.
    size_t sourceCut = 0, plainCut = 0;
    bool hyphen = false;
    if (n > 0) {
        const TOutLine& last = s.Lines[static_cast<size_t>(n - 1)];
        plainCut = static_cast<size_t>(last.PlainEnd);
        sourceCut = last.PlainEnd > last.PlainStart
                        ? static_cast<size_t>(s.SourceIndex[plainCut - 1]) + 1
                        : static_cast<size_t>(s.SourceIndex[static_cast<size_t>(last.PlainStart)]);
        if (plainCut < s.Plain.size() && s.Plain[plainCut] == U'\r') {
            plainCut += 2;
            sourceCut = static_cast<size_t>(s.SourceIndex[plainCut - 1]) + 1;
        }
        hyphen = last.Hyphen;
    }
    s.Source.resize(sourceCut);
    if (hyphen) s.Source += U'-';
    s.Plain.resize(plainCut);
    s.SourceIndex.resize(plainCut);
    s.Lines.resize(static_cast<size_t>(n));
    s.Tags.Lines().resize(static_cast<size_t>(n));
    return result;
}

bool TfrxDrawText::IsPrinter(const TCanvas* Canvas) { return Canvas && Canvas->IsPrinter(); }

TFont TfrxDrawText::DeviceFont(TCanvas& Canvas, const TfrxHTMLTag& Tag, double FontScale, int DpiY) const {
    TFont font;
    font.SetPixelsPerInch(Canvas.Font()->PixelsPerInch());
    font.SetName(S().Font.Name());
    font.SetCharset(S().Font.Charset());
    font.SetPitch(S().Font.Pitch());
    font.SetStyle(Tag.Style);
    font.SetColor(Tag.Color);
    font.SetHeight(-rnd(Tag.Size * FontScale * DpiY / 72.0));
    font.SetOrientation(S().Rotation * 10);
    return font;
}

// Draws the lines on the device: line tops spread so that the block is as high as the
// exact layout, each line as wide as its 600-dpi width says (or justified), in runs of
// equal attributes with explicit advances, clipped to the scaled rectangle.
void TfrxDrawText::DrawText(TCanvas* Canvas, TfrxHAlign HAlign, TfrxVAlign VAlign) {
    const TState& s = S();
    if (!Canvas || s.Lines.empty()) return;
    const bool printer = IsPrinter(Canvas);
    const int dpiX = Canvas->PixelsPerInchX() > 0 ? Canvas->PixelsPerInchX() : ScreenDPI;
    const int dpiY = Canvas->PixelsPerInchY() > 0 ? Canvas->PixelsPerInchY() : ScreenDPI;
    const double ratio = static_cast<double>(DesignDPI) / dpiY;
    const double fontScale = printer ? 1.0 : s.ScaleY;
    const double widthScale = printer ? 1.0 : s.ScaleX;
    const int n = static_cast<int>(s.Lines.size());

    const TFont savedFont(*Canvas->Font());
    const TBkMode savedBkMode = Canvas->BkMode();
    Canvas->SetBkMode(bkTransparent);

    TfrxHTMLTag defaults;
    defaults.Size = s.FontSize;
    defaults.Style = s.Font.Style();
    defaults.Color = s.Font.Color();
    Canvas->SetFont(DeviceFont(*Canvas, defaults, fontScale, dpiY));
    const int deviceFontHeight = Canvas->TextMetrics().Height;
    const int fontHeight = FontHeight600();
    const double ls = s.LineSpacing;
    const int total = printer ? rnd((ls * s.ScaleY * n * ratio + static_cast<double>(fontHeight) * n) / ratio)
                              : rnd((ls * n * ratio + static_cast<double>(fontHeight) * n) / ratio * s.ScaleY);
    const int step = deviceFontHeight + rnd(ls * s.ScaleY);
    std::vector<int> steps(static_cast<size_t>(n), step);
    SpreadEvenly(steps, total - step * n);

    const int charSpacing = rnd(s.CharSpacing * DesignDPI / ScreenDPI);
    std::vector<int> widths(static_cast<size_t>(n));
    for (int k = 0; k < n; ++k) {
        const std::vector<int> cumulative = LineAdvances(k, charSpacing);
        int w600 = cumulative.empty() ? 0 : cumulative.back();
        widths[static_cast<size_t>(k)] = rnd(w600 * static_cast<double>(dpiX) / DesignDPI * widthScale);
    }

    // Origin and directions: u along the lines, v across them (to the next line).
    const TRect& R = s.ScaledRect;
    double ox = R.Left, oy = R.Top, ux = 1, uy = 0, vx = 0, vy = 1;
    double lineLength = R.Width(), fill = R.Height();
    double across = 0;
    switch (s.Rotation) {
    case 0:
        break;
    case 90:
        ox = R.Left; oy = R.Bottom; ux = 0; uy = -1; vx = 1; vy = 0;
        lineLength = R.Height(); fill = R.Width();
        break;
    case 180:
        ox = R.Right; oy = R.Bottom; ux = -1; uy = 0; vx = 0; vy = -1;
        break;
    case 270:
        ox = R.Right; oy = R.Top; ux = 0; uy = 1; vx = -1; vy = 0;
        lineLength = R.Height(); fill = R.Width();
        break;
    default: {
        // Any other angle: the block (widest line by total height) turned about its
        // origin, its bounding box placed in R by the alignments.
        const double a = s.Rotation * std::numbers::pi / 180.0;
        ux = std::cos(a); uy = -std::sin(a); vx = std::sin(a); vy = std::cos(a);
        const double W = *std::max_element(widths.begin(), widths.end());
        const double H = total;
        const double xs[4] = {0, W * ux, H * vx, W * ux + H * vx};
        const double ys[4] = {0, W * uy, H * vy, W * uy + H * vy};
        const double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
        const double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
        double dx = 0, dy = 0;
        if (HAlign == haRight) dx = R.Width() - (maxX - minX);
        else if (HAlign == haCenter) dx = (R.Width() - (maxX - minX)) / 2;
        if (VAlign == vaBottom) dy = R.Height() - (maxY - minY);
        else if (VAlign == vaCenter) dy = (R.Height() - (maxY - minY)) / 2;
        ox = R.Left - minX + dx;
        oy = R.Top - minY + dy;
        lineLength = W;
        fill = H;
        break;
    }
    }
    if (VAlign == vaBottom) across = fill - total;
    else if (VAlign == vaCenter) across = (fill - total) / 2;

    const unsigned options = ETO_CLIPPED | (s.RTLReading ? ETO_RTLREADING : 0u);
    // Every run is clipped to the rectangle: on a screen or a bitmap, a line that starts
    // below it (by a line's height, for ink above a glyph's cell) leaves no pixel and is
    // not drawn; a narrow memo with a long text may hold many such lines. Printers and
    // recordings (a PDF's text is extracted, a recording is played at other sizes) get
    // every line.
    const bool skipBelow = s.Rotation == 0 && !printer && !Canvas->IsRecording();
    const double below = static_cast<double>(R.Bottom) + deviceFontHeight;
    struct TRun {
        size_t From, To;
        TFont Font;
        int Lower;
        std::string Text;   // the run's characters in UTF-8, measured and drawn
    };
    for (int k = 0; k < n; ++k) {
        if (skipBelow && oy + across >= below) {
            across += steps[static_cast<size_t>(k)];
            continue;
        }
        const TOutLine& line = s.Lines[static_cast<size_t>(k)];
        const TfrxHTMLTags& tags = s.Tags.Items(k);
        const std::u32string& text = line.Text;

        // Runs of equal attributes and their device advances.
        std::vector<TRun> runs;
        std::vector<int> advances(text.size());
        for (size_t a = 0; a < text.size();) {
            size_t b = a + 1;
            while (b < text.size() && (b >= tags.size() || tags[b].SameAsPrevious)) ++b;
            const TfrxHTMLTag& tag = a < tags.size() ? tags[a] : defaults;
            TRun run{a, b, DeviceFont(*Canvas, tag, fontScale, dpiY), tag.Lowered ? rnd(tag.Size * s.ScaleY) : 0,
                     U32ToUtf8(std::u32string_view(text).substr(a, b - a))};
            Canvas->SetFont(run.Font);
            std::vector<int> extents = Canvas->TextExtents(run.Text);
            int previous = 0;
            for (size_t i = a; i < b; ++i) {
                int extent = i - a < extents.size() ? extents[i - a] : previous;
                advances[i] = extent - previous;
                previous = extent;
            }
            runs.push_back(std::move(run));
            a = b;
        }
        int deviceWidth = 0;
        for (int x : advances) deviceWidth += x;

        const bool firstOfParagraph = (line.Mark & 1) != 0;
        const bool lastOfParagraph = (line.Mark & 2) != 0;
        TfrxHAlign align = HAlign;
        int blanks = 0;
        if (HAlign == haBlock) {
            if (lastOfParagraph) {
                align = s.RTLReading ? haRight : haLeft;
            } else {
                blanks = static_cast<int>(std::count_if(text.begin(), text.end(), IsBlank));
                if (blanks == 0) align = haLeft;
            }
        }
        const bool justify = align == haBlock;
        const int indent = firstOfParagraph && (align == haLeft || justify) ? rnd(s.ParagraphGap * s.ScaleX) : 0;
        const int w = widths[static_cast<size_t>(k)];
        double along = indent;
        if (justify) {
            // The free width goes to the blanks, the first ones a pixel more.
            int freeWidth = rnd(lineLength) - indent - deviceWidth;
            int share = freeWidth / blanks, rest = freeWidth - share * blanks;
            for (size_t i = 0; i < text.size(); ++i) {
                if (!IsBlank(text[i])) continue;
                advances[i] += share;
                if (rest > 0) { ++advances[i]; --rest; }
                else if (rest < 0) { --advances[i]; ++rest; }
            }
        } else {
            // The line takes its layout width where the device font is narrower. Where
            // the device font is wider, its glyphs keep their own advances (squeezed, the
            // last one's ink would pass the line's end and meet the frame), as long as the
            // line still fits the rectangle.
            const int target = deviceWidth > w ? std::max(w, std::min(deviceWidth, static_cast<int>(lineLength))) : w;
            SpreadEvenly(advances, target - deviceWidth);
            // A right-aligned line ends a pixel inside the rectangle: the ink of a glyph
            // may reach a pixel past its advance.
            if (align == haRight) along = std::max(0.0, lineLength - target - 1);
            else if (align == haCenter) along = (lineLength - target) / 2;
        }
        const TRect& clip = R;

        int position = 0;
        for (const TRun& run : runs) {
            Canvas->SetFont(run.Font);
            const double a = along + position;
            const double c = across + run.Lower;
            const int x = rnd(ox + a * ux + c * vx);
            const int y = rnd(oy + a * uy + c * vy);
            Canvas->ExtTextOut(x, y, options, &clip, run.Text, advances.data() + run.From);
            for (size_t i = run.From; i < run.To; ++i) position += advances[i];
        }
        across += steps[static_cast<size_t>(k)];
    }

    Canvas->SetFont(savedFont);
    Canvas->SetBkMode(savedBkMode);
}

TfrxDrawText& frxDrawText() {
    static TfrxDrawText drawText;
    return drawText;
}
