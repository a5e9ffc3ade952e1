// MD5 of the RFC 1321 test suite and of a Chinese password's GBK bytes.
#include "platform/rtl/Md5.h"
#include "platform/rtl/StrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(Md5, KnownDigests) {
    struct Case { std::string input; const char* digest; };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        {std::string("a\0b", 3), "70350f6027bce3713f6b76473084309b"},   // bytes, not a C string
    };
    for (const Case& c : cases) EXPECT_EQ(MD5Hex(c.input), c.digest) << c.input;
}

TEST(Md5, PasswordDigestUsesGbkBytes) {
    // "中文" is D6 D0 CE C4 in GBK; its digest differs from that of the UTF-8 bytes.
    EXPECT_EQ(MD5Hex(Utf8ToGbk("中文")), "bcce109775e8e1972e9f5fcda3e12895");
    EXPECT_NE(MD5Hex(Utf8ToGbk("中文")), MD5Hex("中文"));
}

}  // namespace
