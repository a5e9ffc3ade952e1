// Text helpers on UTF-8 std::string, counting characters (code points), never bytes.
// Indexes are 1-based as the class library's; case folding touches ASCII letters only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using String = std::string;

// --- Code points -------------------------------------------------------------
bool IsValidUtf8(std::string_view s);
// Decodes the code point at byte offset pos and advances pos; an ill-formed byte
// decodes as U+FFFD and advances by one, so iteration always ends.
char32_t NextCodePoint(std::string_view s, size_t& pos);
std::string CodePointToUtf8(char32_t c);
std::u32string Utf8ToU32(std::string_view s);
std::string U32ToUtf8(std::u32string_view s);
// Byte offset of the 1-based character index (s.size() when past the end).
size_t CharIndexToByte(std::string_view s, int index);

// --- The class library's string routines, by character ----------------------
int Length(std::string_view s);
std::string Copy(std::string_view s, int index, int count);
int Pos(std::string_view sub, std::string_view s);                  // 0 when absent
int PosEx(std::string_view sub, std::string_view s, int offset);
void Delete(std::string& s, int index, int count);
void Insert(std::string_view sub, std::string& s, int index);
void SetLength(std::string& s, int length);                          // pads with spaces
std::string Trim(std::string_view s);                                // strips chars <= ' '
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Unicode-aware case mapping (é -> É, ж -> Ж) for searches that must fold more than ASCII.
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
std::string NameCase(std::string_view s);                            // "hello wORLD" -> "Hello World"
int CompareStr(std::string_view a, std::string_view b);              // byte order, <0 =0 >0
int CompareText(std::string_view a, std::string_view b);             // ASCII case ignored
bool SameText(std::string_view a, std::string_view b);
bool StartsText(std::string_view prefix, std::string_view s);
bool EndsText(std::string_view suffix, std::string_view s);
bool ContainsText(std::string_view s, std::string_view sub);
std::string StringOfChar(char32_t c, int count);
std::string DupeString(std::string_view s, int count);
std::string QuotedStr(std::string_view s);                           // 'it''s'
std::string AnsiDequotedStr(std::string_view s, char quote);
enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
std::string StringReplace(std::string_view s, std::string_view from, std::string_view to,
                          unsigned flags);
std::string IntToStr(int64_t value);
std::string IntToHex(int64_t value, int digits);                     // upper case
std::string Chr(char32_t code);                                      // one character
char32_t Ord(std::string_view oneChar);                              // first code point, 0 if empty
std::string AdjustLineBreaks(std::string_view s);                    // LF, CR -> CR LF

// --- GBK / GB18030 ------------------------------------------------------------
// GBK as the Windows program wrote it (code page 936, the euro sign being 0x80); a
// character outside GBK takes its GB18030 form, so all of Unicode converts both ways.
// Utf8ToGbk raises EEncodingError for text that is not valid UTF-8.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);     // raises EEncodingError on bad bytes
// A file written by the Windows program: UTF-8 when valid, else decoded as GBK/GB18030.
std::string DecodeLegacyText(std::string_view bytes);
// The same, but bytes that are no GB18030 become U+FFFD instead of raising; Replaced tells
// whether any did.
std::string DecodeLegacyTextLossy(std::string_view bytes, bool& Replaced);
