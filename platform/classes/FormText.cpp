// The text form of form resources: scanner, parser into the value tree, and formatter.
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/classes/FilerInternal.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StrUtils.h"

namespace {
enum class TTok { End, Ident, Integer, Float, String, Symbol, Binary };

// Identifiers and symbols are views of the text; only strings and binary data, whose
// value differs from their text, are built (and moved into the value tree).
struct TToken {
    TTok Kind = TTok::End;
    std::string_view Text;   // identifier, symbol
    std::string Value;       // string value (UTF-8), hex digits of binary data
    int64_t Int = 0;
    double Float = 0;
    char Suffix = 0;       // float suffix: 's' single, 'c' currency, 'd' date
    int Line = 1;
};

constexpr int kMaxDepth = 200;

class TFormParser {
public:
    TFormParser(std::string_view text, std::string_view source) : FText(text) {
        FCtx.SourceName = std::string(source);
        Next();
    }

    TFilerObject ParseRoot() {
        TFilerObject obj = ParseObject(0);
        if (FTok.Kind != TTok::End) Fail(FTok.Line, "Text after the final 'end'");
        return obj;
    }

private:
    [[noreturn]] void Fail(int line, std::string_view message) { RaiseReadError(FCtx, line, {}, message); }

    static bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
    static bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    }

    void SkipBlanks() {
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\n') {
                ++FLine;
                ++FPos;
            } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
                ++FPos;
            } else if (c == '/' && FPos + 1 < FText.size() && FText[FPos + 1] == '/') {
                while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
            } else {
                break;
            }
        }
    }

    // string -> ('...' | #n)+ : quoted runs with doubled quotes and character codes.
    void ScanString() {
        std::string& value = FTok.Value;
        value.clear();
        while (FPos < FText.size()) {
            char c = FText[FPos];
            if (c == '\'') {
                ++FPos;
                for (;;) {
                    // The run up to the next quote or line end goes in at once.
                    const size_t end = FText.find_first_of("'\n\r", FPos);
                    if (end == std::string_view::npos || FText[end] != '\'') {
                        FPos = end == std::string_view::npos ? FText.size() : end;
                        Fail(FLine, "Unterminated string");
                    }
                    value.append(FText.substr(FPos, end - FPos));
                    FPos = end + 1;
                    if (FPos < FText.size() && FText[FPos] == '\'') {
                        value += '\'';
                        ++FPos;
                        continue;
                    }
                    break;
                }
            } else if (c == '#') {
                ++FPos;
                uint64_t code = 0;
                size_t start = FPos;
                int base = 10;
                if (FPos < FText.size() && FText[FPos] == '$') {
                    base = 16;
                    start = ++FPos;
                }
                while (FPos < FText.size() &&
                       (base == 16 ? HexDigit(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) {
                    code = code * static_cast<uint64_t>(base) + static_cast<uint64_t>(HexDigit(FText[FPos++]));
                    if (code > 0x10FFFF) code = 0x110000;   // saturate: reported below
                }
                if (FPos == start) Fail(FLine, "A character code was expected after '#'");
                if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                    Fail(FLine, Format("Invalid character code in '%s'", {std::string(FText.substr(start - 1, FPos - start + 1))}));
                value += CodePointToUtf8(static_cast<char32_t>(code));
            } else {
                break;
            }
        }
        FTok.Kind = TTok::String;
    }

    void ScanNumber() {
        size_t start = FPos;
        if (FText[FPos] == '$') {
            ++FPos;
            uint64_t v = 0;
            size_t digits = FPos;
            while (FPos < FText.size() && HexDigit(FText[FPos]) >= 0) {
                if (v > (UINT64_MAX >> 4)) Fail(FLine, "Integer out of range");
                v = v * 16 + static_cast<uint64_t>(HexDigit(FText[FPos++]));
            }
            if (FPos == digits) Fail(FLine, "Hexadecimal digits were expected after '$'");
            FTok.Kind = TTok::Integer;
            FTok.Int = static_cast<int64_t>(v);
            return;
        }
        bool isFloat = false;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
            isFloat = true;
            ++FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        }
        if (FPos < FText.size() && (FText[FPos] == 'E' || FText[FPos] == 'e')) {
            size_t e = FPos + 1;
            if (e < FText.size() && (FText[e] == '+' || FText[e] == '-')) ++e;
            if (e < FText.size() && IsDigit(FText[e])) {
                isFloat = true;
                FPos = e;
                while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
            }
        }
        std::string_view digits = FText.substr(start, FPos - start);
        char suffix = 0;
        if (FPos < FText.size() && (FText[FPos] == 's' || FText[FPos] == 'c' || FText[FPos] == 'd') &&
            (FPos + 1 >= FText.size() || !IsIdentChar(FText[FPos + 1]))) {
            suffix = FText[FPos++];
            isFloat = true;
        }
        if (FPos < FText.size() && IsIdentChar(FText[FPos]))
            Fail(FLine, Format("Invalid number '%s'", {std::string(FText.substr(start, FPos - start + 1))}));
        if (isFloat) {
            double v = 0;
            auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (ec != std::errc() || p != digits.data() + digits.size() || !std::isfinite(v))
                Fail(FLine, Format("Invalid number '%s'", {std::string(digits)}));
            FTok.Kind = TTok::Float;
            FTok.Float = v;
            FTok.Suffix = suffix;
        } else {
            int64_t v = 0;
            auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
            if (ec != std::errc() || p != digits.data() + digits.size())
                Fail(FLine, Format("Integer out of range: %s", {std::string(digits)}));
            FTok.Kind = TTok::Integer;
            FTok.Int = v;
        }
    }

    void ScanBinary() {
        std::string& hex = FTok.Value;
        hex.clear();
        for (;;) {
            if (FPos >= FText.size()) Fail(FLine, "Binary data without closing '}'");
            char c = FText[FPos++];
            if (c == '}') break;
            if (c == '\n') {
                ++FLine;
                continue;
            }
            if (c == ' ' || c == '\t' || c == '\r') continue;
            if (HexDigit(c) < 0) Fail(FLine, Format("Invalid character '%s' in binary data", {std::string(1, c)}));
            hex += c;
        }
        if (hex.size() % 2) Fail(FLine, "Binary data with an odd number of hexadecimal digits");
        FTok.Kind = TTok::Binary;
    }

    void Next() {
        SkipBlanks();
        FTok.Kind = TTok::End;
        FTok.Text = {};
        FTok.Int = 0;
        FTok.Float = 0;
        FTok.Suffix = 0;
        FTok.Line = FLine;
        if (FPos >= FText.size()) return;
        char c = FText[FPos];
        if (IsIdentStart(c)) {
            size_t start = FPos;
            while (FPos < FText.size()) {
                if (IsIdentChar(FText[FPos])) ++FPos;
                else if (FText[FPos] == '.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1])) ++FPos;
                else break;
            }
            FTok.Kind = TTok::Ident;
            FTok.Text = FText.substr(start, FPos - start);
            return;
        }
        if (IsDigit(c) || c == '$') {
            ScanNumber();
            return;
        }
        if (c == '\'' || c == '#') {
            ScanString();
            return;
        }
        if (c == '{') {
            ++FPos;
            FTok.Line = FLine;
            ScanBinary();
            return;
        }
        if (std::strchr("=:[](),<>+-", c)) {
            FTok.Kind = TTok::Symbol;
            FTok.Text = FText.substr(FPos++, 1);
            return;
        }
        if (static_cast<unsigned char>(c) >= 0x80) Fail(FLine, "Non-ASCII character outside a string");
        Fail(FLine, Format("Invalid character '%s'", {std::string(1, c)}));
    }

    bool IsSymbol(char c) const { return FTok.Kind == TTok::Symbol && FTok.Text[0] == c; }
    bool IsWord(std::string_view w) const { return FTok.Kind == TTok::Ident && SameText(FTok.Text, w); }

    void Expect(char c) {
        if (!IsSymbol(c)) Fail(FTok.Line, Format("'%s' expected but %s found", {std::string(1, c), Describe()}));
        Next();
    }

    std::string Describe() const {
        switch (FTok.Kind) {
        case TTok::End: return "end of text";
        case TTok::Ident: return "'" + std::string(FTok.Text) + "'";
        case TTok::Integer:
        case TTok::Float: return "number";
        case TTok::String: return "string";
        case TTok::Symbol: return "'" + std::string(FTok.Text) + "'";
        case TTok::Binary: return "binary data";
        }
        return "?";
    }

    std::string ExpectIdent(std::string_view what) {
        if (FTok.Kind != TTok::Ident) Fail(FTok.Line, Format("%s expected but %s found", {std::string(what), Describe()}));
        std::string s(FTok.Text);
        Next();
        return s;
    }

    // object -> ('object' | 'inherited' | 'inline') [Name ':'] Class ['[' n ']'] {property | object} 'end'
    TFilerObject ParseObject(int depth) {
        if (depth > kMaxDepth) Fail(FTok.Line, "Objects nested too deeply");
        TFilerObject obj;
        obj.Line = FTok.Line;
        if (IsWord("object")) obj.Kind = TFilerObject::okObject;
        else if (IsWord("inherited")) obj.Kind = TFilerObject::okInherited;
        else if (IsWord("inline")) obj.Kind = TFilerObject::okInline;
        else Fail(FTok.Line, Format("'object' expected but %s found", {Describe()}));
        Next();
        std::string first = ExpectIdent("Object name or class");
        if (IsSymbol(':')) {
            Next();
            obj.Name = std::move(first);
            obj.ClassName = ExpectIdent("Class name");
        } else {
            obj.ClassName = std::move(first);
        }
        if (!IsValidIdent(obj.ClassName) || (!obj.Name.empty() && !IsValidIdent(obj.Name)))
            Fail(obj.Line, "Invalid object header");
        if (IsSymbol('[')) {
            Next();
            if (FTok.Kind != TTok::Integer) Fail(FTok.Line, "Child order number expected");
            Next();
            Expect(']');
        }
        for (;;) {
            if (FTok.Kind == TTok::End) Fail(FTok.Line, Format("'end' of %s expected but end of text found", {obj.Name.empty() ? obj.ClassName : obj.Name}));
            if (IsWord("end")) {
                Next();
                return obj;
            }
            if (IsWord("object") || IsWord("inherited") || IsWord("inline")) {
                obj.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            obj.Properties.push_back(ParseProperty(depth));
        }
    }

    // property -> name '=' value
    TFilerProperty ParseProperty(int depth) {
        TFilerProperty prop;
        prop.Line = FTok.Line;
        prop.Name = ExpectIdent("Property name");
        Expect('=');
        prop.Value = ParseValue(depth);
        return prop;
    }

    TFilerValue ParseValue(int depth) {
        if (depth > kMaxDepth) Fail(FTok.Line, "Values nested too deeply");
        TFilerValue v;
        v.Line = FTok.Line;
        switch (FTok.Kind) {
        case TTok::Integer:
            v.Type = vaInt64;
            v.Int = FTok.Int;
            Next();
            return v;
        case TTok::Float:
            SetFloat(v, FTok.Float, FTok.Suffix, false);
            Next();
            return v;
        case TTok::String: {
            // string {'+' string}: the parts of a long string joined across lines.
            v.Type = vaString;
            v.Str = std::move(FTok.Value);
            Next();
            while (IsSymbol('+')) {
                Next();
                if (FTok.Kind != TTok::String) Fail(FTok.Line, Format("String expected after '+' but %s found", {Describe()}));
                v.Str += FTok.Value;
                Next();
            }
            return v;
        }
        case TTok::Binary:
            v.Type = vaBinary;
            v.Str = HexToBytes(FTok.Value);
            Next();
            return v;
        case TTok::Ident:
            if (SameText(FTok.Text, "True")) v.Type = vaTrue;
            else if (SameText(FTok.Text, "False")) v.Type = vaFalse;
            else if (SameText(FTok.Text, "nil")) v.Type = vaNil;
            else if (SameText(FTok.Text, "Null")) v.Type = vaNull;
            else {
                v.Type = vaIdent;
                v.Str = std::string(FTok.Text);
            }
            Next();
            return v;
        case TTok::Symbol:
            break;
        case TTok::End:
            Fail(FTok.Line, "Property value expected but end of text found");
        }
        char c = FTok.Text[0];
        if (c == '-') {
            Next();
            if (FTok.Kind == TTok::Integer) {
                if (FTok.Int == INT64_MIN) Fail(FTok.Line, "Integer out of range");
                v.Type = vaInt64;
                v.Int = -FTok.Int;
            } else if (FTok.Kind == TTok::Float) {
                SetFloat(v, FTok.Float, FTok.Suffix, true);
            } else {
                Fail(FTok.Line, Format("Number expected after '-' but %s found", {Describe()}));
            }
            Next();
            return v;
        }
        if (c == '[') {
            // set -> '[' [ident {',' ident}] ']'
            v.Type = vaSet;
            Next();
            if (!IsSymbol(']')) {
                for (;;) {
                    v.Names.push_back(ExpectIdent("Set element"));
                    if (IsSymbol(']')) break;
                    Expect(',');
                }
            }
            Next();
            return v;
        }
        if (c == '(') {
            // list -> '(' {value} ')'
            v.Type = vaList;
            Next();
            while (!IsSymbol(')')) {
                if (FTok.Kind == TTok::End) Fail(FTok.Line, "')' expected but end of text found");
                v.List.push_back(ParseValue(depth + 1));
            }
            Next();
            return v;
        }
        if (c == '<') {
            // collection -> '<' {'item' ['[' n ']'] {property} 'end'} '>'
            v.Type = vaCollection;
            Next();
            while (!IsSymbol('>')) {
                if (!IsWord("item")) Fail(FTok.Line, Format("'item' expected but %s found", {Describe()}));
                TFilerItem item;
                item.Line = FTok.Line;
                Next();
                if (IsSymbol('[')) {
                    Next();
                    if (FTok.Kind != TTok::Integer) Fail(FTok.Line, "Item order number expected");
                    Next();
                    Expect(']');
                }
                while (!IsWord("end")) {
                    if (FTok.Kind == TTok::End) Fail(FTok.Line, "'end' of item expected but end of text found");
                    item.Properties.push_back(ParseProperty(depth + 1));
                }
                Next();
                v.Items.push_back(std::move(item));
            }
            Next();
            return v;
        }
        Fail(FTok.Line, Format("Property value expected but %s found", {Describe()}));
    }

    static void SetFloat(TFilerValue& v, double f, char suffix, bool negate) {
        if (negate) f = -f;
        v.Float = f;
        switch (suffix) {
        case 's': v.Type = vaSingle; break;
        case 'd': v.Type = vaDate; break;
        case 'c':
            v.Type = vaCurrency;
            v.Int = static_cast<int64_t>(std::llround(f * 10000.0));
            break;
        default: v.Type = vaExtended; break;
        }
    }

    std::string_view FText;
    size_t FPos = 0;
    int FLine = 1;
    TToken FTok;
    TReadContext FCtx;
};

// --- Formatter ---------------------------------------------------------------------------
std::string FloatText(double f) {
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof(buf), f);
    std::string s(buf, ec == std::errc() ? p : buf);
    for (char& c : s)
        if (c == 'e') c = 'E';
    if (s.find_first_of(".E") == std::string::npos && s.find("inf") == std::string::npos &&
        s.find("nan") == std::string::npos)
        s += ".0";
    return s;
}

bool Printable(char32_t c) { return c >= 32 && c != 127 && !(c >= 0x80 && c < 0xA0); }

// 'It''s'#13#10'two' with long texts split into '+' continued pieces.
void FormatString(std::string& out, std::string_view s, const std::string& indent) {
    if (s.empty()) {
        out += "''";
        return;
    }
    size_t pos = 0;
    bool quoted = false;
    int run = 0;
    while (pos < s.size()) {
        size_t start = pos;
        char32_t c = NextCodePoint(s, pos);
        if (run >= 64 && pos < s.size()) {
            if (quoted) out += '\'';
            out += " +\n" + indent;
            quoted = false;
            run = 0;
        }
        if (Printable(c) && c != 0xFFFD) {
            if (!quoted) {
                out += '\'';
                quoted = true;
            }
            if (c == '\'') out += "''";
            else out.append(s.substr(start, pos - start));
        } else {
            if (quoted) {
                out += '\'';
                quoted = false;
            }
            // A byte that is no valid UTF-8 goes out as its own code, never as U+FFFD.
            if (c == 0xFFFD && pos - start == 1) c = static_cast<unsigned char>(s[start]);
            out += '#' + std::to_string(static_cast<uint32_t>(c));
        }
        ++run;
    }
    if (quoted) out += '\'';
}

void FormatValue(std::string& out, const TFilerValue& v, const std::string& indent) {
    switch (v.Type) {
    case vaInt64:
    case vaInt8:
    case vaInt16:
    case vaInt32: out += std::to_string(v.Int); return;
    case vaExtended:
    case vaDouble: out += FloatText(v.Float); return;
    case vaSingle: out += FloatText(v.Float) + "s"; return;
    case vaDate: out += FloatText(v.Float) + "d"; return;
    case vaCurrency: out += FloatText(static_cast<double>(v.Int) / 10000.0) + "c"; return;
    case vaString:
    case vaLString:
    case vaWString:
    case vaUTF8String: FormatString(out, v.Str, indent + "  "); return;
    case vaIdent: out += v.Str; return;
    case vaTrue: out += "True"; return;
    case vaFalse: out += "False"; return;
    case vaNil: out += "nil"; return;
    case vaNull: out += "Null"; return;
    case vaSet:
        out += '[';
        for (size_t i = 0; i < v.Names.size(); ++i) {
            if (i) out += ", ";
            out += v.Names[i];
        }
        out += ']';
        return;
    case vaList:
        if (v.List.empty()) {
            out += "()";
            return;
        }
        out += '(';
        for (const TFilerValue& e : v.List) {
            out += "\n" + indent + "  ";
            FormatValue(out, e, indent + "  ");
        }
        out += ')';
        return;
    case vaCollection:
        if (v.Items.empty()) {
            out += "<>";
            return;
        }
        out += '<';
        for (const TFilerItem& item : v.Items) {
            out += "\n" + indent + "  item";
            for (const TFilerProperty& p : item.Properties) {
                out += "\n" + indent + "    " + p.Name + " = ";
                FormatValue(out, p.Value, indent + "    ");
            }
            out += "\n" + indent + "  end";
        }
        out += '>';
        return;
    case vaBinary: {
        std::string hex = BytesToHex(v.Str);
        out += '{';
        for (size_t i = 0; i < hex.size(); i += 64) out += "\n" + indent + "  " + hex.substr(i, 64);
        out += '}';
        return;
    }
    }
}

void FormatObject(std::string& out, const TFilerObject& obj, const std::string& indent) {
    static const char* const kinds[] = {"object", "inherited", "inline"};
    out += indent + kinds[obj.Kind] + " ";
    if (!obj.Name.empty()) out += obj.Name + ": ";
    out += obj.ClassName + "\n";
    for (const TFilerProperty& p : obj.Properties) {
        out += indent + "  " + p.Name + " = ";
        FormatValue(out, p.Value, indent + "  ");
        out += "\n";
    }
    for (const TFilerObject& child : obj.Children) FormatObject(out, child, indent + "  ");
    out += indent + "end\n";
}
}  // namespace

TFilerObject ParseFormText(std::string_view Text, std::string_view SourceName) {
    if (!IsValidUtf8(Text)) {
        // A form text of the Windows program: GB18030 bytes.
        std::string decoded;
        try {
            decoded = DecodeLegacyText(Text);
        } catch (const Exception& e) {
            TReadContext ctx;
            ctx.SourceName = std::string(SourceName);
            RaiseReadError(ctx, 1, {}, "The text is neither UTF-8 nor GB18030: " + e.Message());
        }
        return TFormParser(decoded, SourceName).ParseRoot();
    }
    return TFormParser(Text, SourceName).ParseRoot();
}

std::string FormatFormText(const TFilerObject& Object) {
    std::string out;
    FormatObject(out, Object, "");
    return out;
}
