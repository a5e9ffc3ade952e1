// Pinyin look-up codes: the upper-case pinyin initials (or whole syllables) of a Chinese
// name, which the record windows store in 拼音码 and the charging window matches by prefix.
#pragma once

#include <string>
#include <string_view>

enum TIMCodeFlag : int {
    imFullPinyin = 1,     // each character gives its whole syllable instead of its initial
    imMarkUnknown = 2,    // a double-byte code without a reading gives "?"
    imKeepOthers = 4,     // keep characters that are not letters
};

// The code of a GBK byte string. A negative flags value gives "".
std::string GetIMCode(std::string_view gbkText, int flags, int maxLength);
// The same for UTF-8 text, the program's own encoding; text without a GBK form is refused
// with EEncodingError by the conversion.
std::string GetIMCodeUtf8(std::string_view utf8Text, int flags, int maxLength);
