#include "app/database/LookUp.h"

namespace {
std::string Escaped(std::string_view Text) {
    std::string out;
    out.reserve(Text.size() + 2);
    for (char c : Text) {
        if (c == '%' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}
}  // namespace

std::string LikeStarting(std::string_view Text) { return Escaped(Text) + "%"; }

std::string LikeContaining(std::string_view Text) { return "%" + Escaped(Text) + "%"; }
