#include "core/Md5.h"

#include <gtest/gtest.h>

// Test suite of RFC 1321, appendix A.5.
TEST(Md5, KnownDigests)
{
    EXPECT_EQ(kest::Md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(kest::Md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(kest::Md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(kest::Md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(kest::Md5Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecesGiveTheSameDigestAsTheWhole)
{
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    kest::Md5 md5;
    md5.Update(text.data(), 10);
    md5.Update(text.data() + 10, 0);
    md5.Update(text.data() + 10, text.size() - 10);
    EXPECT_EQ(md5.FinalHex(), "d174ab98d277d9f5a5611c2c9f419d9f");
    md5.Reset();
    md5.Update("abc", 3);
    EXPECT_EQ(md5.FinalHex(), "900150983cd24fb0d6963f7d28e17f72");
}
