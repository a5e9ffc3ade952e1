// User passwords as the clinic stores them in tb_user.pass: the MD5 digest of the
// password's GBK bytes, as 32 lower-case hexadecimal digits. Leading and trailing blanks
// are no part of a password: user management stores the digest of the trimmed text, and the
// login compares the digest of the trimmed text, so a password typed with a stray blank
// still matches.
#pragma once

#include <string>
#include <string_view>

std::string PasswordDigest(std::string_view Password);
