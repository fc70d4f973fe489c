#include <gtest/gtest.h>

#include "lookup/Inflections.h"
#include "lookup/SuffixRules.h"
#include "tests/lookup/LookupFixture.h"

namespace quorvantix::testing {
namespace {

using Queries = std::vector<std::string>;

// Headwords that the example words reduce to; nothing starts with a, b, f, i, v, x or y.
const std::vector<Row> kBaseForms = {
    {"run", "走る"},      {"stop", "止まる"},     {"knife", "ナイフ"},     {"happy", "幸せな"},
    {"state", "状態"},    {"care", "注意"},       {"surprise", "驚き"},    {"notable", "著名な"},
    {"give", "与える"},   {"like", "好む"},       {"regular", "規則的な"}, {"write", "書く"},
    {"rest", "休息"},     {"pure", "純粋な"},     {"piano", "ピアノ"},     {"possible", "可能な"},
    {"make", "作る"},     {"stun", "気絶させる"}, {"cloud", "雲"},         {"safe", "安全な"},
    {"simple", "簡単な"}, {"pass", "通る"},       {"fill", "満たす"},
};

struct CascadeCase {
    const char* word;
    Queries queries;
};

void PrintTo(const CascadeCase& c, std::ostream* os) {
    *os << '"' << c.word << '"';
}

class CascadeTest : public LookupFixture, public ::testing::WithParamInterface<CascadeCase> {};

TEST_P(CascadeTest, MakesTheQueriesInOrder) {
    UseDictionary(kBaseForms);
    EXPECT_EQ(Trace(GetParam().word), GetParam().queries);
}

INSTANTIATE_TEST_SUITE_P(
    ExampleWords, CascadeTest,
    ::testing::Values(
        CascadeCase{"running",
                    {"exact running", "exact runn", "exact runo", "exact rune", "exact run"}},
        CascadeCase{"knives",
                    {"exact knives", "exact knive", "exact knive", "exact kniv", "exact knife",
                     "exact knif"}},
        CascadeCase{"happiness",
                    {"exact happiness", "exact happines", "exact happi", "exact happy"}},
        CascadeCase{"statements", {"exact statements", "exact statement", "exact state"}},
        CascadeCase{"stopped", {"exact stopped", "exact stopp", "exact stop"}},
        // A doubled letter the word had before the suffix is kept first.
        CascadeCase{"passed", {"exact passed", "exact pass", "exact pas"}},
        CascadeCase{"fillings",
                    {"exact fillings", "exact filling", "exact fill", "exact filo", "exact file",
                     "exact fil"}},
        CascadeCase{"xyz", {"exact xyz", "exact xy", "exact x", "prefix xy", "prefix x"}},
        CascadeCase{"xyzq",
                    {"exact xyzq", "exact xyz", "exact xy", "exact x", "prefix xyz", "prefix xy",
                     "prefix x"}},
        CascadeCase{"give up", {"exact give up", "exact give u", "exact give ", "exact give"}},
        CascadeCase{"ing", {"exact ing", "exact in", "exact i", "prefix in", "prefix i"}},
        CascadeCase{"ings",
                    {"exact ings", "exact ing", "exact ing", "exact in", "exact i", "prefix ing",
                     "prefix in", "prefix i"}},
        CascadeCase{"ves",
                    {"exact ves", "exact ve", "exact ve", "exact v", "exact fe", "exact f",
                     "exact ve", "exact v", "prefix ve", "prefix v"}},
        CascadeCase{"carefully",
                    {"exact carefully", "exact carefull", "exact careful", "exact care"}},
        CascadeCase{"notably", {"exact notably", "exact notable", "exact notabl", "exact notab"}},
        CascadeCase{"surprisingly",
                    {"exact surprisingly", "exact surprise", "exact surpris", "exact surprie",
                     "exact surpri"}},
        CascadeCase{
            "stunningly",
            {"exact stunningly", "exact stunne", "exact stunn", "exact stune", "exact stun"}},
        CascadeCase{"happily", {"exact happily", "exact happy"}},
        CascadeCase{"simply", {"exact simply", "exact simple", "exact simpl", "exact simp"}},
        CascadeCase{"possibility", {"exact possibility", "exact possible"}},
        CascadeCase{"purity", {"exact purity", "exact pure", "exact pur"}},
        CascadeCase{"safety", {"exact safety", "exact safet", "exact safe"}},
        CascadeCase{"cloudy", {"exact cloudy", "exact cloud"}},
        CascadeCase{"pianist", {"exact pianist", "exact piano", "exact piane", "exact pian"}},
        CascadeCase{"makings",
                    {"exact makings", "exact making", "exact mako", "exact make", "exact mak"}},
        CascadeCase{"an", {"exact an"}},
        // A word that is exactly an ending is cut to an empty stem where its rule has no
        // length condition.
        CascadeCase{
            "ies",
            {"exact ies", "exact ie", "exact y", "exact ie", "exact i", "prefix ie", "prefix i"}},
        CascadeCase{"ness",
                    {"exact ness", "exact nes", "exact ", "exact nes", "exact ne", "exact n",
                     "prefix nes", "prefix ne", "prefix n"}},
        // Characters, not bytes: a three-character Japanese word gets three-character rules.
        CascadeCase{"日本語",
                    {"exact 日本語", "exact 日本", "exact 日", "prefix 日本", "prefix 日"}},
        // A byte that is not UTF-8 counts as one character.
        CascadeCase{"\xff\xfe"
                    "ab",
                    {"exact \xff\xfe"
                     "ab",
                     "exact \xff\xfe"
                     "a",
                     "exact \xff\xfe", "exact \xff",
                     "prefix \xff\xfe"
                     "a",
                     "prefix \xff\xfe", "prefix \xff"}}));

TEST_F(LookupFixture, RowsOfEveryCandidateAppearInQueryOrder) {
    UseDictionary(
        {{"knife", "ナイフ"}, {"knive", "誤綴り"}, {"running", "走ること"}, {"run", "走る"}});
    EXPECT_EQ(Lookup("knives"),
              "knive\r\n誤綴り\r\n\r\nknive\r\n誤綴り\r\n\r\nknife\r\nナイフ\r\n\r\n");
    EXPECT_EQ(Lookup("running"), "running\r\n走ること\r\n\r\nrun\r\n走る\r\n\r\n");
}

TEST_F(LookupFixture, FallbacksStopAtTheFirstQueryThatFinds) {
    UseDictionary({{"xy", "XY"}, {"abcdef", "prefix hit"}});
    EXPECT_EQ(Trace("xyz"), (Queries{"exact xyz", "exact xy"}));
    EXPECT_EQ(Trace("abcq"),
              (Queries{"exact abcq", "exact abc", "exact ab", "exact a", "prefix abc"}));
    EXPECT_EQ(Lookup("abcq"), "abcdef\r\nprefix hit\r\n\r\n");
}

TEST_F(LookupFixture, PhraseSearchListsPhrasesOfAFoundWord) {
    UseDictionary({{"give", "与える"},
                   {"give up", "諦める"},
                   {"forgive", "許す"},
                   {"not give in", "屈しない"},
                   {"never give", "決して与えない"},
                   {"given", "与えられた"},
                   {"GIVE", "大文字"},
                   {"pig", "豚"},
                   {"guinea pig", "モルモット"}});
    EXPECT_EQ(Lookup("give", true),
              "give\r\n与える\r\n\r\nGIVE\r\n大文字\r\n\r\n"
              "give up\r\n諦める\r\n\r\nnever give\r\n決して与えない\r\n\r\n"
              "not give in\r\n屈しない\r\n\r\n");
    EXPECT_EQ(Trace("give", false), Queries{"exact give"});
    // Three characters are too short for phrases, and a word not found itself gets none.
    EXPECT_EQ(Trace("pig", true), Queries{"exact pig"});
    EXPECT_EQ(Trace("givez", true), (Queries{"exact givez", "exact give"}));
}

TEST(IsVowelLetterTest, OnlyLowerCaseVowelsAndTheEmptyText) {
    for (const char* vowel : {"a", "e", "i", "o", "u", ""}) {
        EXPECT_TRUE(IsVowelLetter(vowel)) << vowel;
    }
    for (const char* other : {"y", "A", "E", "b", "ae", " "}) {
        EXPECT_FALSE(IsVowelLetter(other)) << other;
    }
}

}  // namespace
}  // namespace quorvantix::testing
