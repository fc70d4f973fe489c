#include <gtest/gtest.h>

#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace quorvantix {
namespace {

TEST(ByteTextTest, TrimsBytesUpTo32AndLowersOnlyAsciiLetters) {
    EXPECT_EQ(TrimLowBytes(" \t\r\n Apple \x01\x1f "), "Apple");
    EXPECT_EQ(TrimLowBytes(std::string("\0a\0", 3)), "a");
    EXPECT_EQ(TrimLowBytes("   "), "");
    EXPECT_EQ(TrimLowBytes("a b"), "a b");
    EXPECT_EQ(TrimLowBytes("\xe3\x80\x80"
                           "x"),
              "\xe3\x80\x80"
              "x");
    EXPECT_EQ(LowerAsciiLetters("Running ÄÖ @[Z]"), "running ÄÖ @[z]");
    EXPECT_TRUE(SameIgnoringAsciiCase("Guinea PIG", "guinea pig"));
    EXPECT_FALSE(SameIgnoringAsciiCase("Ä", "ä"));
    EXPECT_FALSE(SameIgnoringAsciiCase("@", "`"));  // 0x40 and 0x60 differ by the case bit
    EXPECT_FALSE(SameIgnoringAsciiCase("pig", "pigs"));
}

TEST(AsciiTextTest, TrimsSpacesAndLineEndsAndTurnsCrLfIntoLf) {
    EXPECT_EQ(TrimmedSpaces(" \t a b \t"), "a b");
    EXPECT_EQ(TrimmedSpaces(" \t "), "");
    EXPECT_EQ(TrimmedEnd("a b \r\n\t"), "a b");
    EXPECT_EQ(WithLfLineEnds("a\r\nb\rc\n\r\n\r"), "a\nb\rc\n\n\r");
}

// The one UTF-8 decoder: what it refuses, the lookup counts as lone bytes and the dictionary
// builder as malformed lines.
TEST(Utf8Test, AcceptsOnlyWellFormedSequences) {
    EXPECT_EQ(Utf8SequenceLength("a"), 1u);
    EXPECT_EQ(Utf8SequenceLength("\xc3\xa9"), 2u);
    EXPECT_EQ(Utf8SequenceLength("\xe6\x97\xa5"), 3u);
    EXPECT_EQ(Utf8SequenceLength("\xf4\x8f\xbf\xbf"), 4u);  // U+10FFFF
    for (const char* ill_formed : {"\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80",
                                   "\xf8\x88\x80\x80\x80", "\x80", "\xe3\x81"}) {
        EXPECT_EQ(Utf8SequenceLength(ill_formed), 0u) << ill_formed;
        EXPECT_FALSE(IsUtf8(std::string("ok ") + ill_formed + " ok")) << ill_formed;
    }
    EXPECT_TRUE(IsUtf8("日本 and English"));
    EXPECT_FALSE(IsUtf8("\x91\x96\x82\xE9"));  // 走る in CP932
    EXPECT_FALSE(IsUtf8("\xC1\xF6\xA4\xEB"));  // 走る in EUC-JP
    EXPECT_TRUE(IsUtf8(""));
}

TEST(Utf8Test, AFileHeadMayEndInTheMiddleOfASequence) {
    EXPECT_TRUE(IsUtf8("ab\xe6\x97", true));
    EXPECT_TRUE(IsUtf8("ab\xe0", true));
    EXPECT_TRUE(IsUtf8("ab\xed\x9f", true));
    EXPECT_TRUE(IsUtf8("ab\xf4\x8f\xbf", true));
    EXPECT_FALSE(IsUtf8("ab\xe6\x97", false));
    EXPECT_FALSE(IsUtf8("ab\xed\xa0", true));  // can only become a surrogate
    EXPECT_FALSE(IsUtf8("ab\xe0\x80", true));  // can only become an overlong form
    EXPECT_FALSE(IsUtf8("ab\xf4\x90", true));  // can only go beyond U+10FFFF
    EXPECT_FALSE(IsUtf8("ab\xff", true));
}

TEST(Utf8Test, EncodesCodePointsButNeverNulSurrogatesOrBeyondUnicode) {
    std::string text;
    for (const char32_t code : {U'a', U'é', U'日', U'\U0001F600'}) {
        AppendUtf8(text, code);
    }
    EXPECT_EQ(text, "aé日\xf0\x9f\x98\x80");
    for (const char32_t code :
         {char32_t{0}, char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}}) {
        std::string replaced;
        AppendUtf8(replaced, code);
        EXPECT_EQ(replaced, "\xef\xbf\xbd") << static_cast<unsigned>(code);
    }
}

}  // namespace
}  // namespace quorvantix
