// The scanner's readers. Every access goes through CharAt, which answers 0 outside the text,
// so no reader can run past either end whatever the settings or the text.
#include "script/Parser.h"

#include <charconv>

#include "platform/rtl/StrUtils.h"

#include <algorithm>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

int HexValue(char32_t c) {
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a' + 10);
    return -1;
}

bool IsPunctuation(char32_t c) {
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}

// A code that names no character becomes U+FFFD.
char32_t CheckedCodePoint(uint32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacement;
    return static_cast<char32_t>(code);
}

char32_t FirstChar(std::string_view s) {
    if (s.empty()) return 0;
    size_t pos = 0;
    return NextCodePoint(s, pos);
}

int CompareKeyword(std::string_view a, std::string_view b) { return CompareText(a, b); }

}  // namespace

// --- TfsCharSet ----------------------------------------------------------------------

bool TfsCharSet::Contains(char32_t c) const {
    if (c < 128) return FAscii.test(c);
    return std::binary_search(FOther.begin(), FOther.end(), c);
}

void TfsCharSet::Add(char32_t c) {
    if (c < 128) {
        FAscii.set(c);
        return;
    }
    auto it = std::lower_bound(FOther.begin(), FOther.end(), c);
    if (it == FOther.end() || *it != c) FOther.insert(it, c);
}

void TfsCharSet::Clear() {
    FAscii.reset();
    FOther.clear();
}

// --- TfsParserSettings -----------------------------------------------------------------

TfsParserSettings::TfsParserSettings() {
    for (char32_t c = '0'; c <= '9'; ++c) IdentifierCharset.Add(c);
    for (char32_t c = 'A'; c <= 'Z'; ++c) IdentifierCharset.Add(c);
    for (char32_t c = 'a'; c <= 'z'; ++c) IdentifierCharset.Add(c);
    IdentifierCharset.Add('_');
}

void TfsParserSettings::SplitCommentBlock(std::string_view value, std::u32string& open, std::u32string& close) {
    const size_t comma = value.find(',');
    if (comma == std::string_view::npos) {
        open = Utf8ToU32(value);
        close.clear();
        return;
    }
    open = Utf8ToU32(value.substr(0, comma));
    close = Utf8ToU32(value.substr(comma + 1));
}

void TfsParserSettings::AddKeyword(std::string_view word) {
    auto it = std::lower_bound(Keywords.begin(), Keywords.end(), word,
                               [](const std::string& a, std::string_view b) { return CompareKeyword(a, b) < 0; });
    if (it != Keywords.end() && CompareKeyword(*it, word) == 0) return;
    Keywords.insert(it, std::string(word));
}

bool TfsParserSettings::IsKeyword(std::string_view word) const {
    auto it = std::lower_bound(Keywords.begin(), Keywords.end(), word,
                               [](const std::string& a, std::string_view b) { return CompareKeyword(a, b) < 0; });
    return it != Keywords.end() && CompareKeyword(*it, word) == 0;
}

// --- Settings accessors ----------------------------------------------------------------

std::string TfsParser::CommentLine1() const { return U32ToUtf8(FSettings.CommentLine1); }
void TfsParser::SetCommentLine1(std::string_view value) { FSettings.CommentLine1 = Utf8ToU32(value); }
std::string TfsParser::CommentLine2() const { return U32ToUtf8(FSettings.CommentLine2); }
void TfsParser::SetCommentLine2(std::string_view value) { FSettings.CommentLine2 = Utf8ToU32(value); }

std::string TfsParser::CommentBlock1() const {
    if (FSettings.Block1Open.empty() && FSettings.Block1Close.empty()) return {};
    return U32ToUtf8(FSettings.Block1Open) + "," + U32ToUtf8(FSettings.Block1Close);
}
void TfsParser::SetCommentBlock1(std::string_view value) {
    TfsParserSettings::SplitCommentBlock(value, FSettings.Block1Open, FSettings.Block1Close);
}
std::string TfsParser::CommentBlock2() const {
    if (FSettings.Block2Open.empty() && FSettings.Block2Close.empty()) return {};
    return U32ToUtf8(FSettings.Block2Open) + "," + U32ToUtf8(FSettings.Block2Close);
}
void TfsParser::SetCommentBlock2(std::string_view value) {
    TfsParserSettings::SplitCommentBlock(value, FSettings.Block2Open, FSettings.Block2Close);
}

std::string TfsParser::HexSequence() const { return U32ToUtf8(FSettings.HexSequence); }
void TfsParser::SetHexSequence(std::string_view value) { FSettings.HexSequence = Utf8ToU32(value); }

void TfsParser::SetIdentifierCharset(std::string_view chars) {
    FSettings.IdentifierCharset.Clear();
    for (char32_t c : Utf8ToU32(chars)) FSettings.IdentifierCharset.Add(c);
}

std::string TfsParser::SkipChar() const {
    return FSettings.SkipChar ? CodePointToUtf8(FSettings.SkipChar) : std::string();
}
void TfsParser::SetSkipChar(std::string_view value) { FSettings.SkipChar = FirstChar(value); }

std::string TfsParser::StringQuotes() const {
    return FSettings.StringQuote ? CodePointToUtf8(FSettings.StringQuote) : std::string();
}
void TfsParser::SetStringQuotes(std::string_view value) { FSettings.StringQuote = FirstChar(value); }

// --- Text and position -------------------------------------------------------------------

std::string TfsParser::Text() const { return U32ToUtf8(FText); }

void TfsParser::SetText(std::string_view text) {
    FText = Utf8ToU32(text);
    FLineStarts.assign(1, 0);
    for (size_t i = 0; i < FText.size(); ++i)
        if (FText[i] == '\n') FLineStarts.push_back(static_cast<int>(i + 1));
    FPos = FLastPos = 1;
}

std::string TfsParser::Copy(int position, int count) const {
    const int from = std::clamp(position, 1, Size() + 1);
    const int to = std::clamp(position + std::max(count, 0), from, Size() + 1);
    return U32ToUtf8(std::u32string_view(FText).substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from)));
}

void TfsParser::SetPosition(int position) {
    FPos = FLastPos = std::clamp(position, 1, Size() + 1);
}

bool TfsParser::StartsWith(int position, const std::u32string& s) const {
    if (s.empty() || position < 1 || static_cast<size_t>(position - 1) + s.size() > FText.size()) return false;
    return FText.compare(static_cast<size_t>(position - 1), s.size(), s) == 0;
}

void TfsParser::LineColumnOf(int position, int& line, int& column) const {
    auto it = std::lower_bound(FLineStarts.begin(), FLineStarts.end(), position);
    line = static_cast<int>(it - FLineStarts.begin());
    if (line < 1) line = 1;
    column = position - FLineStarts[static_cast<size_t>(line - 1)];
}

std::string TfsParser::XYPositionOf(int position) const {
    int line, column;
    LineColumnOf(position, line, column);
    // Asked for every token a compile keeps: built in place.
    char text[32];
    char* end = std::to_chars(text, text + 15, line).ptr;
    *end++ = ':';
    end = std::to_chars(end, text + sizeof text, column).ptr;
    return std::string(text, end);
}

// --- Blanks and comments -------------------------------------------------------------------

void TfsParser::SkipBlanks() {
    const bool stopAtLineEnd = !FSettings.SkipEOL;
    while (FPos <= Size()) {
        const char32_t c = FText[static_cast<size_t>(FPos - 1)];
        if (c > 32) break;
        if (stopAtLineEnd && (c == '\r' || c == '\n')) break;
        ++FPos;
    }
}

void TfsParser::SkipLineEnds() {
    while (CharAt(FPos) == '\r' || CharAt(FPos) == '\n') ++FPos;
}

// A line comment marker made of identifier characters ("rem") is a word: it matches in any
// letter case and only as a whole word, so "remark = 5" and "x = remaining" stay code. Other
// markers ("//", "'") match as they are written.
bool TfsParser::AtLineComment(const std::u32string& marker) const {
    if (marker.empty()) return false;
    const auto& ident = FSettings.IdentifierCharset;
    if (!std::all_of(marker.begin(), marker.end(), [&](char32_t c) { return ident.Contains(c); }))
        return StartsWith(FPos, marker);
    auto fold = [](char32_t c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; };
    for (size_t i = 0; i < marker.size(); ++i)
        if (fold(CharAt(FPos + static_cast<int>(i))) != fold(marker[i])) return false;
    const int after = FPos + static_cast<int>(marker.size());
    if (after <= Size() && ident.Contains(CharAt(after))) return false;
    return FPos == 1 || !ident.Contains(CharAt(FPos - 1));
}

// One comment at Position; true when one was skipped. Only looked for before the last
// character of the text.
bool TfsParser::SkipComment() {
    if (FPos >= Size()) return false;
    if (AtLineComment(FSettings.CommentLine1) || AtLineComment(FSettings.CommentLine2)) {
        // With significant line ends a line comment stops before CR as well as LF, so the line
        // end it sits on still ends the statement.
        const bool stopAtCR = !FSettings.SkipEOL;
        while (FPos <= Size()) {
            const char32_t c = FText[static_cast<size_t>(FPos - 1)];
            if (c == '\n' || (stopAtCR && c == '\r')) break;
            ++FPos;
        }
        return true;
    }
    const std::u32string* close = nullptr;
    if (StartsWith(FPos, FSettings.Block1Open)) {
        FPos += static_cast<int>(FSettings.Block1Open.size());
        close = &FSettings.Block1Close;
    } else if (StartsWith(FPos, FSettings.Block2Open)) {
        FPos += static_cast<int>(FSettings.Block2Open.size());
        close = &FSettings.Block2Close;
    } else {
        return false;
    }
    // Block comments do not nest; an unclosed one swallows the rest of the text.
    while (FPos <= Size() && !close->empty() && !StartsWith(FPos, *close)) ++FPos;
    FPos = std::min(FPos + static_cast<int>(close->size()), Size() + 1);
    return true;
}

void TfsParser::SkipSpaces() {
    for (;;) {
        SkipBlanks();
        if (FSettings.SkipChar && CharAt(FPos) == FSettings.SkipChar && FPos <= Size()) {
            ++FPos;
            do SkipBlanks();
            while (SkipComment());
            SkipLineEnds();
            continue;
        }
        if (SkipComment()) continue;
        break;
    }
    FLastPos = FPos;
}

bool TfsParser::GetEOL() {
    const int start = FPos;
    SkipSpaces();
    const char32_t c = CharAt(FPos);
    if (c != '\r' && c != '\n') {
        FPos = start;
        return false;
    }
    FLastPos = FPos;
    SkipLineEnds();
    return true;
}

// --- Words and punctuation ------------------------------------------------------------

std::string TfsParser::GetKeyword() {
    const int start = FPos;
    if (FSettings.SkipSpace) SkipSpaces();
    const char32_t c = CharAt(FPos);
    if (FPos > Size() || IsDigit(c) || !FSettings.IdentifierCharset.Contains(c)) {
        FPos = start;
        return {};
    }
    const int first = FPos;
    while (FPos <= Size() && FSettings.IdentifierCharset.Contains(FText[static_cast<size_t>(FPos - 1)])) ++FPos;
    FLastPos = first;
    return U32ToUtf8(std::u32string_view(FText).substr(static_cast<size_t>(first - 1), static_cast<size_t>(FPos - first)));
}

std::string TfsParser::GetIdent() {
    const int start = FPos;
    const int lastStart = FLastPos;
    std::string word = GetKeyword();
    if (!word.empty() && IsKeyword(word)) {
        FPos = start;
        FLastPos = lastStart;
        return {};
    }
    return word;
}

std::string TfsParser::GetChar() {
    const char32_t c = CharAt(FPos);
    if (FPos > Size() || !IsPunctuation(c)) return {};
    FLastPos = FPos++;
    return std::string(1, static_cast<char>(c));
}

// --- Strings ----------------------------------------------------------------------------

// Decimal, or the hexadecimal prefix and hexadecimal digits; large values saturate.
bool TfsParser::ReadInteger(uint32_t& value) {
    const int start = FPos;
    value = 0;
    auto accumulate = [&](uint32_t digit, uint32_t base) {
        value = value > 0x10FFFF ? value : value * base + digit;
    };
    if (StartsWith(FPos, FSettings.HexSequence)) {
        FPos += static_cast<int>(FSettings.HexSequence.size());
        if (HexValue(CharAt(FPos)) < 0) {
            FPos = start;
            return false;
        }
        while (HexValue(CharAt(FPos)) >= 0) accumulate(static_cast<uint32_t>(HexValue(CharAt(FPos++))), 16);
        return true;
    }
    if (!IsDigit(CharAt(FPos))) return false;
    while (IsDigit(CharAt(FPos))) accumulate(static_cast<uint32_t>(CharAt(FPos++) - '0'), 10);
    return true;
}

bool TfsParser::ReadCharCode(std::u32string& value) {
    const int start = FPos;
    ++FPos;  // '#'
    uint32_t code;
    if (!ReadInteger(code)) {
        FPos = start;
        return false;
    }
    value += CheckedCodePoint(code);
    return true;
}

// One quoted piece; on failure Position and Value are as they were.
bool TfsParser::ReadQuotedPiece(std::u32string& value) {
    const int start = FPos;
    const size_t valueSize = value.size();
    const char32_t quote = FSettings.StringQuote;
    const bool escapes = quote == '"';
    ++FPos;
    for (;;) {
        const char32_t c = CharAt(FPos);
        if (c < 32 || FPos > Size()) break;  // a line end or the end of the text
        if (c == quote) {
            if (!escapes && CharAt(FPos + 1) == quote) {
                value += quote;
                FPos += 2;
                continue;
            }
            ++FPos;
            return true;
        }
        if (escapes && c == '\\') {
            const char32_t e = CharAt(FPos + 1);
            if (e < 32 || FPos + 1 > Size()) break;
            FPos += 2;
            if (e == 'n' || e == 'N') {
                value += '\n';
            } else if (e == 'r' || e == 'R') {
                value += '\r';
            } else if (e == 'x' || e == 'X') {
                if (HexValue(CharAt(FPos)) >= 0) {
                    uint32_t code = 0;
                    while (HexValue(CharAt(FPos)) >= 0) {
                        if (code <= 0x10FFFF) code = code * 16 + static_cast<uint32_t>(HexValue(CharAt(FPos)));
                        ++FPos;
                    }
                    value += CheckedCodePoint(code);
                }
            } else {
                value += e;
            }
            continue;
        }
        value += c;
        ++FPos;
    }
    FPos = start;
    value.resize(valueSize);
    return false;
}

std::string TfsParser::GetString() {
    const int start = FPos;
    if (FSettings.SkipSpace) SkipSpaces();
    const int first = FPos;
    std::u32string value;
    bool any = false;
    for (;;) {
        const char32_t c = CharAt(FPos);
        if (FPos > Size()) break;
        if (FSettings.StringQuote && c == FSettings.StringQuote) {
            if (!ReadQuotedPiece(value)) break;
        } else if (c == '#') {
            if (!ReadCharCode(value)) break;
        } else {
            break;
        }
        any = true;
    }
    if (!any) {
        FPos = start;
        return {};
    }
    FLastPos = first;
    std::string result(1, '\'');
    result += U32ToUtf8(value);
    result += '\'';
    return result;
}

// --- Numbers -----------------------------------------------------------------------------

std::string TfsParser::GetNumber() {
    const int start = FPos;
    if (FSettings.SkipSpace) SkipSpaces();
    const int first = FPos;
    if (StartsWith(FPos, FSettings.HexSequence)) {
        FPos += static_cast<int>(FSettings.HexSequence.size());
        if (HexValue(CharAt(FPos)) < 0) {
            FPos = start;
            return {};
        }
        while (HexValue(CharAt(FPos)) >= 0) ++FPos;
    } else {
        if (!IsDigit(CharAt(FPos))) {
            FPos = start;
            return {};
        }
        while (IsDigit(CharAt(FPos))) ++FPos;
    }
    if (CharAt(FPos) == '.' && IsDigit(CharAt(FPos + 1))) {
        ++FPos;
        while (IsDigit(CharAt(FPos))) ++FPos;
    }
    if (CharAt(FPos) == 'E' || CharAt(FPos) == 'e') {
        int p = FPos + 1;
        if (CharAt(p) == '+' || CharAt(p) == '-') ++p;
        if (IsDigit(CharAt(p))) {
            FPos = p;
            while (IsDigit(CharAt(FPos))) ++FPos;
        }
    }
    FLastPos = first;
    std::string number =
        U32ToUtf8(std::u32string_view(FText).substr(static_cast<size_t>(first - 1), static_cast<size_t>(FPos - first)));
    if (!FSettings.HexSequence.empty() && FSettings.HexSequence != U"$")
        number = StringReplace(number, U32ToUtf8(FSettings.HexSequence), "$", rfReplaceAll);
    return number;
}

// --- Report-variable text ------------------------------------------------------------------

std::string TfsParser::GetFRString() {
    const int start = FPos;
    int depth = 1;
    bool inSingle = false, inDouble = false;
    while (FPos <= Size()) {
        const char32_t c = FText[static_cast<size_t>(FPos - 1)];
        if (c == '\n' || c == '\r') {
            FPos = start;
            return {};
        }
        if (c == '"' && !inSingle) {
            inDouble = !inDouble;
        } else if (c == '\'' && !inDouble) {
            inSingle = !inSingle;
        } else if (!inSingle && !inDouble) {
            if (c == '<') {
                ++depth;
            } else if (c == '>' && --depth == 0) {
                break;
            }
        }
        ++FPos;
    }
    FLastPos = start;
    return U32ToUtf8(std::u32string_view(FText).substr(static_cast<size_t>(start - 1), static_cast<size_t>(FPos - start)));
}
