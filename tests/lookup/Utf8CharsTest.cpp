#include <gtest/gtest.h>

#include "lookup/Utf8Chars.h"

namespace quorvantix {
namespace {

TEST(Utf8CharsTest, CountsCodePointsAndLoneBytes) {
    const Utf8Chars mixed(
        "a日\xff"
        "b\xe3\x81");  // a, 日, lone 0xFF, b, truncated sequence
    EXPECT_EQ(mixed.Count(), 6);
    EXPECT_EQ(mixed.First(2), "a日");
    EXPECT_EQ(mixed.Last(3), "b\xe3\x81");
    EXPECT_EQ(mixed.At(1), "日");
    EXPECT_EQ(mixed.At(6), "");
    EXPECT_EQ(mixed.Last(7), "");
    EXPECT_EQ(mixed.First(9),
              "a日\xff"
              "b\xe3\x81");
    // Overlong forms and surrogates are not characters.
    EXPECT_EQ(Utf8Chars("\xc0\xaf").Count(), 2);
    EXPECT_EQ(Utf8Chars("\xed\xa0\x80").Count(), 3);
    EXPECT_EQ(Utf8Chars("\xf0\x9f\x98\x80").Count(), 1);
}

TEST(Utf8CharsTest, ATemporaryTextMayBeGiven) {
    const Utf8Chars chars(std::string("stopp") + "ed");  // the string dies after this line
    EXPECT_EQ(chars.First(5), "stopp");
    EXPECT_EQ(chars.Last(2), "ed");
    EXPECT_EQ(chars.At(0), "s");
}

}  // namespace
}  // namespace quorvantix
