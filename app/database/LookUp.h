// Look-ups by the beginning or by a part of what the user typed. The text is looked for
// literally: "%" and "_" (LIKE's wildcards) and the backslash are escaped, for statements
// that end their condition with kLikeEscape ("like :code escape '\'"), so that a pasted
// "%" finds what holds a "%" instead of everything. Letters compare as LIKE compares them
// (ASCII case ignored), and a look-up on a column with a NOCASE index keeps using it.
#pragma once

#include <string>
#include <string_view>

inline constexpr const char* kLikeEscape = " escape '\\'";

// The pattern of values that begin with Text, and of values that hold it.
std::string LikeStarting(std::string_view Text);
std::string LikeContaining(std::string_view Text);
