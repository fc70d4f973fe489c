#include <gtest/gtest.h>

#include <string>

#include "speech/WordPicking.h"

namespace quorvantix {
namespace {

struct Pick {
    std::string text;
    size_t caret;
    std::string word;
};

const std::string kTwentyLetters = "abcdefghijklmnopqrst";

template <size_t N>
void ExpectPicks(const Pick (&picks)[N]) {
    for (const Pick& pick : picks) {
        EXPECT_EQ(PickWordAtCaret(pick.text, pick.caret), pick.word)
            << "caret " << pick.caret << " in " << testing::PrintToString(pick.text);
    }
}

TEST(WordPickingTest, PicksTheLetterRunTouchingTheCaret) {
    const Pick picks[] = {
        {"", 0, ""},
        {"Hello world", 0, "hello"},
        {"Hello world", 11, "world"},
        {"Hello world", 5, "hello"},
        {"Hello world", 6, "world"},
        {"Hello world", 99, "world"},
        {"a  b", 2, ""},
        {"end \nnext", 4, ""},
        {"one, two", 4, ""},
        {"DOG", 1, "dog"},
        {"well-known", 7, "known"},
        {"well-known", 2, "well"},
        {"mp3", 2, "mp"},
        {"don't", 1, "don"},
        {"don't", 4, "t"},
        {"\xe6\x97\xa5"
         "dog",
         4, "dog"},
        {"\xe6\x97\xa5"
         "dog",
         3, "dog"},
        {"1234 word", 5, "word"},
        {"1234 word", 9, "word"},
        {std::string(40, '.') + "word.", 40, "word"},
        {std::string(40, '.') + "word.", 44, "word"},
        {kTwentyLetters, 2, kTwentyLetters.substr(0, 17)},
        {kTwentyLetters, 18, kTwentyLetters.substr(3)},
        {"x " + kTwentyLetters + " y", 12, kTwentyLetters},
    };
    ExpectPicks(picks);
}

TEST(WordPickingTest, JoinsWordsHyphenatedAcrossALineBreak) {
    const Pick picks[] = {
        {"inter-\r\nnational", 3, "international"},
        {"inter-\r\nnational", 11, "international"},
        {"inter-\r\nnational", 5, "international"},
        {"inter-\nnational", 3, "international"},
        {"inter-\nnational", 10, "international"},
        // The caret keeps its place when the break before it is removed.
        {"co-\r\nop day", 7, "coop"},
        {"co-\nop day", 6, "coop"},
        {"co-\nop day", 7, "day"},
        {"in-\nter-\r\nnational", 12, "international"},
        {"inter-\r\n\r\nnational", 3, "inter"},
    };
    ExpectPicks(picks);
}

TEST(WordPickingTest, CutsAtMost15BytesEachSideAndLowersThem) {
    const std::string text = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const CaretWindow middle = CutAroundCaret(text, 20);
    EXPECT_EQ(middle.text, "fghijklmnopqrstuvwxyz012345678");
    EXPECT_EQ(middle.offset, 15u);
    const CaretWindow start = CutAroundCaret(text, 3);
    EXPECT_EQ(start.text, "abcdefghijklmnopqr");
    EXPECT_EQ(start.offset, 3u);
    const CaretWindow end = CutAroundCaret(text, text.size());
    EXPECT_EQ(end.text, "vwxyz0123456789");
    EXPECT_EQ(end.offset, 15u);
    EXPECT_EQ(CutAroundCaret("", 0).text, "");
    EXPECT_EQ(CutAroundCaret("\xc3\x84Z", 1).text, "\xc3\x84z");
}

TEST(WordPickingTest, ClassifiesOneByteStringsOnly) {
    struct Class {
        std::string text;
        bool symbol;
        bool word;
    };
    const Class classes[] = {
        {"", false, false},   {"ab", false, false},   {" ", true, false},
        {"!", true, false},   {"0", true, false},     {"@", true, false},
        {"'", true, true},    {"-", true, false},     {"A", false, false},
        {"Z", false, false},  {"[", true, false},     {"`", true, false},
        {"a", false, true},   {"z", false, true},     {"{", true, false},
        {"~", true, false},   {"\x7f", false, false}, {"\x1f", false, false},
        {"\n", false, false}, {"\x80", false, false}, {"\xff", false, false},
    };
    for (const Class& one : classes) {
        EXPECT_EQ(IsSymbolChar(one.text), one.symbol) << testing::PrintToString(one.text);
        EXPECT_EQ(IsWordChar(one.text), one.word) << testing::PrintToString(one.text);
    }
}

}  // namespace
}  // namespace quorvantix
