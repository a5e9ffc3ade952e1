// FormatMaskText: a value laid out in an edit mask.
#include "platform/rtl/MaskText.h"

#include "platform/rtl/DateTime.h"

#include <vector>

namespace {

// One code point of s at byte offset pos as its UTF-8 bytes; pos moves past it.
std::string_view NextChar(std::string_view s, size_t& pos) {
    size_t start = pos++;
    while (pos < s.size() && (static_cast<unsigned char>(s[pos]) & 0xC0) == 0x80)
        ++pos;
    return s.substr(start, pos - start);
}

std::vector<std::string_view> Chars(std::string_view s) {
    std::vector<std::string_view> out;
    for (size_t pos = 0; pos < s.size();)
        out.push_back(NextChar(s, pos));
    return out;
}

enum class CaseMode { None, Upper, Lower };

struct MaskPosition {
    bool Input = false;
    std::string Literal;            // for a literal position
    CaseMode Case = CaseMode::None; // for an input position
};

struct ParsedMask {
    std::vector<MaskPosition> Positions;
    bool RightJustify = false;
    bool SaveLiterals = true;
    std::string Blank = " ";
};

bool IsInputChar(char c) {
    switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
        return true;
    default:
        return false;
    }
}

// mask -> positions [ ';' save-literals [ ';' blank ] ]
ParsedMask ParseMask(std::string_view editMask) {
    ParsedMask m;
    std::vector<std::string_view> chars = Chars(editMask);
    CaseMode mode = CaseMode::None;
    size_t i = 0;
    for (; i < chars.size(); ++i) {
        std::string_view c = chars[i];
        if (c == ";")
            break;
        if (c == "\\") {
            if (i + 1 < chars.size()) {
                m.Positions.push_back({false, std::string(chars[++i]), CaseMode::None});
            }
            continue;
        }
        if (c == "!") {
            m.RightJustify = true;
        } else if (c == "<" && i + 1 < chars.size() && chars[i + 1] == ">") {
            mode = CaseMode::None;
            ++i;
        } else if (c == ">") {
            mode = CaseMode::Upper;
        } else if (c == "<") {
            mode = CaseMode::Lower;
        } else if (c.size() == 1 && IsInputChar(c[0])) {
            m.Positions.push_back({true, {}, mode});
        } else if (c == ":") {
            m.Positions.push_back({false, std::string(1, FormatSettings.TimeSeparator), CaseMode::None});
        } else if (c == "/") {
            m.Positions.push_back({false, std::string(1, FormatSettings.DateSeparator), CaseMode::None});
        } else {
            m.Positions.push_back({false, std::string(c), CaseMode::None});
        }
    }
    if (i < chars.size()) {   // the save-literals field
        ++i;
        if (i < chars.size() && chars[i] == "0")
            m.SaveLiterals = false;
        while (i < chars.size() && chars[i] != ";")
            ++i;
        if (i + 1 < chars.size())
            m.Blank = std::string(chars[i + 1]);
    }
    return m;
}

std::string ApplyCase(std::string_view c, CaseMode mode) {
    std::string s(c);
    if (s.size() == 1) {
        if (mode == CaseMode::Upper && s[0] >= 'a' && s[0] <= 'z')
            s[0] = static_cast<char>(s[0] - 'a' + 'A');
        else if (mode == CaseMode::Lower && s[0] >= 'A' && s[0] <= 'Z')
            s[0] = static_cast<char>(s[0] - 'A' + 'a');
    }
    return s;
}

}  // namespace

std::string FormatMaskText(std::string_view editMask, std::string_view value) {
    ParsedMask m = ParseMask(editMask);
    std::vector<std::string_view> chars = Chars(value);

    // The typed characters: a value saved with literals has them skipped where they stand.
    std::vector<std::string_view> typed;
    size_t next = 0;
    size_t inputCount = 0;
    for (const MaskPosition& p : m.Positions) {
        if (p.Input) {
            ++inputCount;
            if (next < chars.size())
                typed.push_back(chars[next++]);
        } else if (m.SaveLiterals && next < chars.size() && chars[next] == p.Literal) {
            ++next;
        }
    }

    size_t offset = m.RightJustify ? inputCount - typed.size() : 0;
    std::string out;
    size_t input = 0;
    for (const MaskPosition& p : m.Positions) {
        if (!p.Input) {
            out += p.Literal;
            continue;
        }
        if (input >= offset && input - offset < typed.size())
            out += ApplyCase(typed[input - offset], p.Case);
        else
            out += m.Blank;
        ++input;
    }
    for (; next < chars.size(); ++next)
        out += chars[next];
    return out;
}
