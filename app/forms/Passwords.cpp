#include "app/forms/Passwords.h"

#include "platform/rtl/Md5.h"
#include "platform/rtl/StrUtils.h"

std::string PasswordDigest(std::string_view Password) { return MD5Hex(Utf8ToGbk(Trim(Password))); }
