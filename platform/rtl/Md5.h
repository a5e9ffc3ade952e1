// MD5 digest (RFC 1321) of a byte string as 32 lower-case hexadecimal digits, high nibble
// first. Passwords are digested as their GBK bytes (Utf8ToGbk) so stored digests stay valid.
#pragma once

#include <string>
#include <string_view>

std::string MD5Hex(std::string_view bytes);
