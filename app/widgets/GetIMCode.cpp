// Pinyin look-up codes by table: the GBK syllable index, the syllable list, and the symbol
// rows 0xA2 (numbered symbols) and 0xA6 (Greek letters).
#include "app/widgets/GetIMCode.h"

#include "platform/rtl/StrUtils.h"

namespace {

#include "app/widgets/PinyinData.inc"

static_assert(sizeof(kSyllableIndex) / sizeof(kSyllableIndex[0]) == 126 * 191);

constexpr unsigned char kLeadFirst = 0x81;
constexpr unsigned char kTrailFirst = 0x40;
constexpr int kTrailCount = 191;   // 0x40..0xFE

// Row 0xA2: numbered symbols (dotted, parenthesised, circled, roman...), trail > 0xA0.
std::string_view NumberedSymbol(unsigned char trail) {
    static const char* const kNumbers[] = {"", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10",
                                           "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"};
    struct Range { unsigned char first, last; };
    static constexpr Range kRanges[] = {
        {0xA1, 0xAA}, {0xB1, 0xC4}, {0xC5, 0xD8}, {0xD9, 0xE2}, {0xE5, 0xEE}, {0xF1, 0xFC}};
    for (const Range& r : kRanges)
        if (trail >= r.first && trail <= r.last) return kNumbers[trail - r.first + 1];
    return {};
}

// Row 0xA6: Greek capitals at 0xA1-0xB8 and small letters at 0xC1-0xD8, alphabet order.
std::string_view GreekLetter(unsigned char trail) {
    static const char* const kGreek[24] = {"a", "b", "g", "d", "e", "z", "e", "th",
                                           "i", "k", "l", "m", "n", "x", "o", "p",
                                           "r", "s", "t", "u", "ph", "kh", "ps", "o"};
    if (trail >= 0xA1 && trail <= 0xB8) return kGreek[trail - 0xA1];
    if (trail >= 0xC1 && trail <= 0xD8) return kGreek[trail - 0xC1];
    return {};
}

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void AppendUpper(std::string& out, std::string_view piece, size_t maxLetters) {
    for (size_t i = 0; i < piece.size() && i < maxLetters; ++i) {
        char c = piece[i];
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
}

unsigned SyllableNumber(unsigned char lead, unsigned char trail) {
    if (lead < kLeadFirst || lead > 0xFE || trail < kTrailFirst || trail > 0xFE) return 0;
    return kSyllableIndex[(lead - kLeadFirst) * kTrailCount + (trail - kTrailFirst)];
}

}  // namespace

// Walk the text: a double-byte code gives its symbol, letter or syllable; a single byte
// gives itself when it is a letter (or always, with imKeepOthers); then cut to maxLength.
std::string GetIMCode(std::string_view text, int flags, int maxLength) {
    std::string result;
    if (flags < 0 || maxLength <= 0) return result;
    const bool full = flags & imFullPinyin;
    const bool mark = flags & imMarkUnknown;
    const bool keep = flags & imKeepOthers;
    auto unknown = [&] { if (mark) result += '?'; };

    auto byteAt = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0; };
    auto isDigitByte = [](unsigned char c) { return c >= 0x30 && c <= 0x39; };
    auto isHighByte = [](unsigned char c) { return c >= 0x81 && c <= 0xFE; };
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        // A four-byte GB18030 code (a character outside GBK) is one character without a
        // reading, never two lone bytes and two digits.
        if (isHighByte(lead) && isDigitByte(byteAt(i + 1)) && isHighByte(byteAt(i + 2)) && isDigitByte(byteAt(i + 3))) {
            i += 4;
            unknown();
            continue;
        }
        if (lead > 0x80 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x40) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            i += 2;
            if (lead == 0xA2) {
                // A trail byte outside 0x40-0xFE is a code without a mapping.
                if (trail > 0xA0 && trail <= 0xFE) result += NumberedSymbol(trail);
                else unknown();
            } else if (lead == 0xA3) {
                const auto c = static_cast<unsigned char>(trail - 0x80);
                if (keep || IsAsciiLetter(c)) {
                    if (c < 0x80) result += static_cast<char>(c);
                    else unknown();   // 0xA3 0xFF: no full-width character there
                }
            } else if (lead == 0xA6) {
                std::string_view g = GreekLetter(trail);
                if (g.empty()) unknown();
                else AppendUpper(result, g, g.size());
            } else if (unsigned n = SyllableNumber(lead, trail)) {
                AppendUpper(result, kSyllables[n], full ? 6 : 1);
            } else {
                unknown();
            }
            continue;
        }
        ++i;
        if (lead >= 0x80) {
            // A lone high byte is no character of its own; keeping it would store broken text.
            unknown();
            continue;
        }
        if (keep || IsAsciiLetter(lead))
            result += (lead >= 'a' && lead <= 'z') ? static_cast<char>(lead - 'a' + 'A')
                                                   : static_cast<char>(lead);
    }
    if (static_cast<int>(result.size()) > maxLength) result.resize(maxLength);
    return result;
}

std::string GetIMCodeUtf8(std::string_view utf8Text, int flags, int maxLength) {
    return GetIMCode(Utf8ToGbk(utf8Text), flags, maxLength);
}
