// Edit masks as the masked edit control and FormatMaskText use them.
//
// A mask has up to three fields separated by ";": the mask itself, the save-literals flag
// ("0" means the value holds only the typed characters, anything else or nothing means it
// also holds the literals) and the blank character shown for an unfilled position (a blank
// when the field is absent).
//
// Mask characters: "L" "l" letter, "A" "a" letter or digit, "C" "c" any character, "0" "9"
// digit, "#" digit or sign (upper case required, lower case optional; all take one input
// position); ">" upper-cases what follows, "<" lower-cases it, "<>" ends case conversion;
// "!" fills unfilled optional positions from the left instead of the right; "\" makes the
// next character a literal; ":" and "/" are the time and date separators; every other
// character is a literal. Characters are code points; case conversion touches ASCII only.
#pragma once

#include <string>
#include <string_view>

// The value laid out in the mask: literals put in place, input positions filled from the
// value (with the blank character where it runs short), case conversions applied. The
// characters are not checked against their positions' classes; value characters beyond the
// last input position are kept at the end, so nothing typed is lost.
std::string FormatMaskText(std::string_view editMask, std::string_view value);
