// The items of difference texts (prepared pages, undo): ` Key="Value"` appended to a text.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

// "1.5" for the diff and prepared-page texts: the runtime's general float text.
std::string frxDiffFloat(double Value);
// Items of a difference text appended to Out: ` Key="Value"` with Value already escaped,
// an integer in decimal, a float as frxDiffFloat gives it.
void frxDiffItem(std::string& Out, std::string_view Key, std::string_view Value);
void frxDiffIntItem(std::string& Out, std::string_view Key, int64_t Value);
void frxDiffFloatItem(std::string& Out, std::string_view Key, double Value);

// Whether two values differ by more than 0.0001 (closer places and sizes are the same for
// a difference text). Equal values, the common case, are answered by one comparison.
inline bool frxFloatsDiffer(double a, double b) { return a != b && std::fabs(a - b) > 0.0001; }
