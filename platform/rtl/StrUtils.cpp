// Text helpers on UTF-8 strings: 1-based character indexes, ASCII case folding where the
// class library ignores case, and the GB18030 conversions for data written by the old program.
#include "platform/rtl/StrUtils.h"

#include "platform/rtl/Exceptions.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <locale.h>
#include <vector>
#include <wctype.h>

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Byte length of the well-formed sequence at pos, or 0 when the bytes there are ill-formed.
size_t SequenceLength(std::string_view s, size_t pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) return 1;
    size_t len;
    unsigned char lo = 0x80, hi = 0xBF;   // allowed range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0) lo = 0xA0;        // overlong
        if (b0 == 0xED) hi = 0x9F;        // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0) lo = 0x90;        // overlong
        if (b0 == 0xF4) hi = 0x8F;        // beyond U+10FFFF
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    const auto b1 = static_cast<unsigned char>(s[pos + 1]);
    if (b1 < lo || b1 > hi) return 0;
    for (size_t i = 2; i < len; ++i)
        if (!IsContinuation(static_cast<unsigned char>(s[pos + i]))) return 0;
    return len;
}

// Advances pos by count characters (stopping at the end) and returns the new byte offset.
size_t AdvanceChars(std::string_view s, size_t pos, int64_t count) {
    while (count > 0 && pos < s.size()) {
        NextCodePoint(s, pos);
        --count;
    }
    return pos;
}

// Finds sub in s at a character boundary at or after byte offset from; npos when absent.
// A plain byte search could only land inside a character when the text holds ill-formed
// bytes, so candidates are checked against the boundaries walked so far.
size_t FindAtBoundary(std::string_view s, std::string_view sub, size_t from) {
    size_t boundary = from;
    for (size_t hit = s.find(sub, from); hit != std::string_view::npos; hit = s.find(sub, boundary)) {
        while (boundary < hit) NextCodePoint(s, boundary);
        if (boundary == hit) return hit;
    }
    return std::string_view::npos;
}

int CharCount(std::string_view s, size_t fromByte, size_t toByte) {
    int n = 0;
    for (size_t p = fromByte; p < toByte; ++n) NextCodePoint(s, p);
    return n;
}

// The C.UTF-8 locale carries the Unicode case tables; without it only ASCII is mapped.
locale_t UnicodeLocale() {
    static const locale_t loc = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (!l) l = newlocale(LC_CTYPE_MASK, "C.utf8", static_cast<locale_t>(nullptr));
        return l;
    }();
    return loc;
}

char32_t UnicodeUpper(char32_t c) {
    if (c < 0x80) return static_cast<char32_t>(AsciiUpper(static_cast<char>(c)));
    locale_t l = UnicodeLocale();
    return l ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), l)) : c;
}

char32_t UnicodeLower(char32_t c) {
    if (c < 0x80) return static_cast<char32_t>(AsciiLower(static_cast<char>(c)));
    locale_t l = UnicodeLocale();
    return l ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), l)) : c;
}

// Maps every well-formed character through fn; ill-formed bytes pass through unchanged.
template <class Fn>
std::string MapCodePoints(std::string_view s, Fn fn) {
    std::string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (pos < s.size()) {
        const size_t len = SequenceLength(s, pos);
        if (len == 0) {
            out += s[pos++];
            continue;
        }
        size_t p = pos;
        out += CodePointToUtf8(fn(NextCodePoint(s, p)));
        pos += len;
    }
    return out;
}

int CompareBytes(std::string_view a, std::string_view b, bool foldAscii) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char ca = a[i], cb = b[i];
        if (foldAscii) {
            ca = AsciiUpper(ca);
            cb = AsciiUpper(cb);
        }
        if (ca != cb) return static_cast<int>(static_cast<unsigned char>(ca)) -
                             static_cast<int>(static_cast<unsigned char>(cb));
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

// One iconv conversion descriptor, closed on every path.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : FCd(iconv_open(to, from)) {
        if (FCd == reinterpret_cast<iconv_t>(-1))
            throw EEncodingError(std::string("Encoding conversion ") + from + " to " + to +
                                 " is not available: " + std::strerror(errno));
    }
    ~IconvHandle() { iconv_close(FCd); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    iconv_t get() const { return FCd; }

private:
    iconv_t FCd;
};

// Converts in and appends to out; returns the input offset where a sequence could not be
// converted, or npos when all of it was.
size_t ConvertAppend(const IconvHandle& cd, std::string_view in, std::string& out) {
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    size_t used = out.size();
    out.resize(used + in.size() * 2 + 16);
    while (srcLeft > 0) {
        char* dst = out.data() + used;
        size_t dstLeft = out.size() - used;
        const size_t r = iconv(cd.get(), &src, &srcLeft, &dst, &dstLeft);
        used = out.size() - dstLeft;
        if (r != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(used);
        return static_cast<size_t>(src - in.data());
    }
    out.resize(used);
    return std::string_view::npos;
}

// The Windows program wrote the code page 936 form of GBK (with the euro sign as 0x80);
// characters outside it take their GB18030 form, so every character converts both ways
// and the bytes of GBK text are exactly those the Windows program produced.
std::string ToGbk(std::string_view utf8) {
    const IconvHandle gbk("GBK", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t stop = ConvertAppend(gbk, utf8.substr(pos), out);
        if (stop == std::string_view::npos) break;
        pos += stop;
        const size_t len = SequenceLength(utf8, pos);
        const IconvHandle wide("GB18030", "UTF-8");
        if (len == 0 || ConvertAppend(wide, utf8.substr(pos, len), out) != std::string_view::npos)
            throw EEncodingError(
                "No mapping for the Unicode character exists in the target multi-byte code page at byte " +
                std::to_string(pos));
        pos += len;
    }
    return out;
}

// Bytes that are no GBK/GB18030 raise, or become U+FFFD one byte at a time when Replaced
// is given (set when that happened).
std::string FromGbk(std::string_view bytes, bool* Replaced = nullptr) {
    const IconvHandle gbk("UTF-8", "GBK");
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t stop = ConvertAppend(gbk, bytes.substr(pos), out);
        if (stop == std::string_view::npos) break;
        pos += stop;
        // A sequence that only GB18030 has: two bytes, or four.
        const IconvHandle wide("UTF-8", "GB18030");
        size_t len = 0;
        for (size_t n : {size_t{2}, size_t{4}}) {
            if (pos + n > bytes.size()) break;
            const size_t keep = out.size();
            if (ConvertAppend(wide, bytes.substr(pos, n), out) == std::string_view::npos) {
                len = n;
                break;
            }
            out.resize(keep);
        }
        if (len == 0) {
            if (!Replaced) throw EEncodingError("Invalid GB18030 byte sequence at byte " + std::to_string(pos));
            *Replaced = true;
            out += "\xEF\xBF\xBD";
            len = 1;
        }
        pos += len;
    }
    return out;
}

}  // namespace

// --- Code points -------------------------------------------------------------

bool IsValidUtf8(std::string_view s) {
    size_t pos = 0;
    while (pos < s.size()) {
        // Runs of ASCII (most of a report's XML) eight bytes at a time.
        uint64_t word;
        if (pos + 8 <= s.size() && (std::memcpy(&word, s.data() + pos, 8), (word & 0x8080808080808080ull) == 0)) {
            pos += 8;
            continue;
        }
        if (static_cast<unsigned char>(s[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const size_t len = SequenceLength(s, pos);
        if (len == 0) return false;
        pos += len;
    }
    return true;
}

char32_t NextCodePoint(std::string_view s, size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    const size_t len = SequenceLength(s, pos);
    if (len == 0) {
        ++pos;
        return 0xFFFD;
    }
    char32_t c;
    switch (len) {
    case 1: c = b0; break;
    case 2: c = b0 & 0x1F; break;
    case 3: c = b0 & 0x0F; break;
    default: c = b0 & 0x07; break;
    }
    for (size_t i = 1; i < len; ++i) c = (c << 6) | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    pos += len;
    return c;
}

std::string CodePointToUtf8(char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::u32string Utf8ToU32(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    size_t pos = 0;
    while (pos < s.size()) out += NextCodePoint(s, pos);
    return out;
}

// The bytes are written into room for four a character, then the text is cut to its
// length: the layout converts every line and run it measures, and a string per character
// (CodePointToUtf8) cost more than the conversion itself.
std::string U32ToUtf8(std::u32string_view s) {
    std::string out(s.size() * 4, '\0');
    char* p = out.data();
    for (char32_t c : s) {
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            continue;
        }
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | (c >> 6));
        } else if (c < 0x10000) {
            *p++ = static_cast<char>(0xE0 | (c >> 12));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        } else {
            *p++ = static_cast<char>(0xF0 | (c >> 18));
            *p++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        }
        *p++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    out.resize(static_cast<size_t>(p - out.data()));
    return out;
}

size_t CharIndexToByte(std::string_view s, int index) {
    return index <= 1 ? 0 : AdvanceChars(s, 0, index - 1);
}

// --- String routines ----------------------------------------------------------

int Length(std::string_view s) { return CharCount(s, 0, s.size()); }

// Copy: an index below 1 starts at the first character without shortening the count.
std::string Copy(std::string_view s, int index, int count) {
    if (count <= 0) return {};
    const size_t start = index < 1 ? 0 : CharIndexToByte(s, index);
    const size_t end = AdvanceChars(s, start, count);
    return std::string(s.substr(start, end - start));
}

int Pos(std::string_view sub, std::string_view s) {
    if (sub.empty()) return 0;
    const size_t hit = FindAtBoundary(s, sub, 0);
    return hit == std::string_view::npos ? 0 : CharCount(s, 0, hit) + 1;
}

int PosEx(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1) return 0;
    const size_t start = CharIndexToByte(s, offset);
    if (start >= s.size()) return 0;
    const size_t hit = FindAtBoundary(s, sub, start);
    return hit == std::string_view::npos ? 0 : offset + CharCount(s, start, hit);
}

void Delete(std::string& s, int index, int count) {
    if (index < 1 || count <= 0) return;
    const size_t start = CharIndexToByte(s, index);
    if (start >= s.size()) return;
    const size_t end = AdvanceChars(s, start, count);
    s.erase(start, end - start);
}

void Insert(std::string_view sub, std::string& s, int index) {
    s.insert(index < 1 ? 0 : CharIndexToByte(s, index), sub);
}

void SetLength(std::string& s, int length) {
    if (length < 0) length = 0;
    const size_t end = AdvanceChars(s, 0, length);
    if (end < s.size()) {
        s.erase(end);
        return;
    }
    const int have = Length(s);
    if (have < length) s.append(static_cast<size_t>(length - have), ' ');
}

// Trim: characters up to the blank are blanks and control characters; bytes of
// multi-byte characters are all >= 0x80, so byte-wise stripping never splits one.
std::string Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

std::string TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
    return std::string(s.substr(i));
}

std::string TrimRight(std::string_view s) {
    size_t n = s.size();
    while (n > 0 && static_cast<unsigned char>(s[n - 1]) <= ' ') --n;
    return std::string(s.substr(0, n));
}

std::string UpperCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

std::string AnsiUpperCase(std::string_view s) { return MapCodePoints(s, UnicodeUpper); }
std::string AnsiLowerCase(std::string_view s) { return MapCodePoints(s, UnicodeLower); }

// NameCase: lower-case everything, then upper-case the first character and each one after a blank.
std::string NameCase(std::string_view s) {
    bool upperNext = true;
    return MapCodePoints(AnsiLowerCase(s), [&](char32_t c) {
        const char32_t r = upperNext ? UnicodeUpper(c) : c;
        upperNext = c == U' ';
        return r;
    });
}

int CompareStr(std::string_view a, std::string_view b) { return CompareBytes(a, b, false); }
int CompareText(std::string_view a, std::string_view b) { return CompareBytes(a, b, true); }
bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareBytes(a, b, true) == 0;
}

bool StartsText(std::string_view prefix, std::string_view s) {
    return prefix.size() <= s.size() && SameText(prefix, s.substr(0, prefix.size()));
}

bool EndsText(std::string_view suffix, std::string_view s) {
    return suffix.size() <= s.size() && SameText(suffix, s.substr(s.size() - suffix.size()));
}

bool ContainsText(std::string_view s, std::string_view sub) {
    return UpperCase(s).find(UpperCase(sub)) != std::string::npos;
}

std::string StringOfChar(char32_t c, int count) {
    const std::string one = CodePointToUtf8(c);
    std::string out;
    if (count > 0) out.reserve(one.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) out += one;
    return out;
}

std::string DupeString(std::string_view s, int count) {
    std::string out;
    if (count > 0) out.reserve(s.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) out += s;
    return out;
}

std::string QuotedStr(std::string_view s) {
    std::string out = "'";
    for (char c : s) {
        out += c;
        if (c == '\'') out += '\'';
    }
    out += '\'';
    return out;
}

// AnsiDequotedStr: the text inside the leading quote with doubled quotes made single;
// a text that does not open with the quote, or whose closing quote is missing, is
// returned unchanged.
std::string AnsiDequotedStr(std::string_view s, char quote) {
    if (s.empty() || s[0] != quote) return std::string(s);
    std::string out;
    size_t i = 1;
    bool closed = false;
    while (i < s.size()) {
        if (s[i] == quote) {
            if (i + 1 < s.size() && s[i + 1] == quote) {
                out += quote;
                i += 2;
                continue;
            }
            ++i;
            closed = true;
            break;
        }
        out += s[i++];
    }
    if (!closed) return std::string(s);
    return out;
}

// StringReplace: ignoring case folds whole characters, so the byte lengths of a match
// in the text and in the pattern may differ; the pieces kept are the text's own bytes.
std::string StringReplace(std::string_view s, std::string_view from, std::string_view to,
                          unsigned flags) {
    if (from.empty()) return std::string(s);
    const bool all = (flags & rfReplaceAll) != 0;
    std::string out;
    if (!(flags & rfIgnoreCase)) {
        size_t pos = 0;
        for (;;) {
            const size_t hit = FindAtBoundary(s, from, pos);
            if (hit == std::string_view::npos) break;
            out.append(s.substr(pos, hit - pos));
            out.append(to);
            pos = hit + from.size();
            if (!all) break;
        }
        out.append(s.substr(pos));
        return out;
    }
    // Case-insensitive: compare folded code points, remembering each one's byte offset.
    std::u32string text, pattern;
    std::vector<size_t> offsets;
    for (size_t p = 0; p < s.size();) {
        offsets.push_back(p);
        text += UnicodeUpper(NextCodePoint(s, p));
    }
    offsets.push_back(s.size());
    for (char32_t c : Utf8ToU32(from)) pattern += UnicodeUpper(c);
    size_t kept = 0;   // byte offset of the first byte not yet copied
    size_t ci = 0;
    while (ci + pattern.size() <= text.size()) {
        if (text.compare(ci, pattern.size(), pattern) != 0) {
            ++ci;
            continue;
        }
        out.append(s.substr(kept, offsets[ci] - kept));
        out.append(to);
        ci += pattern.size();
        kept = offsets[ci];
        if (!all) break;
    }
    out.append(s.substr(kept));
    return out;
}

std::string IntToStr(int64_t value) { return std::to_string(value); }

std::string IntToHex(int64_t value, int digits) {
    static const char hex[] = "0123456789ABCDEF";
    auto v = static_cast<uint64_t>(value);
    std::string out;
    do {
        out.insert(out.begin(), hex[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    if (digits > static_cast<int>(out.size()))
        out.insert(0, static_cast<size_t>(digits) - out.size(), '0');
    return out;
}

std::string Chr(char32_t code) { return CodePointToUtf8(code); }

char32_t Ord(std::string_view oneChar) {
    if (oneChar.empty()) return 0;
    size_t pos = 0;
    return NextCodePoint(oneChar, pos);
}

std::string AdjustLineBreaks(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// --- GBK / GB18030 ------------------------------------------------------------

std::string Utf8ToGbk(std::string_view utf8) {
    size_t pos = 0;
    while (pos < utf8.size()) {
        const size_t len = SequenceLength(utf8, pos);
        if (len == 0) throw EEncodingError("Invalid UTF-8 text at byte " + std::to_string(pos));
        pos += len;
    }
    return ToGbk(utf8);
}

std::string GbkToUtf8(std::string_view gbk) {
    return FromGbk(gbk);
}

std::string DecodeLegacyText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return GbkToUtf8(bytes);
}

std::string DecodeLegacyTextLossy(std::string_view bytes, bool& Replaced) {
    Replaced = false;
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return FromGbk(bytes, &Replaced);
}
