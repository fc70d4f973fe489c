#include <gtest/gtest.h>
#include <algorithm>
#include <unordered_set>

#include "builder/FormRows.h"
#include "builder/RegularForms.h"
#include "tests/builder/DictToolRun.h"
#include "text/Utf8.h"

namespace quorvantix::testing {
namespace {

using dict::FormDefinition;
using dict::FormRows;
using dict::NamesWord;
using dict::PhraseForms;
using dict::RegularForms;
using dict::VerbForms;
using dict::WordClass;
using Forms = std::vector<std::string>;

TEST(FormDefinitionTest, SaysWhatTheFormIsAndRepeatsTheBasesFirstJapaneseLines) {
    const std::string freedict_go =
        "//ɡoʊ// //ɡəʊ// <v>\n1. 動く, 行く\nof a machine, to work\n2. 崩れる\nto be destroyed\n"
        "3. なる\nto become\n4. 納まる\nto belong";
    EXPECT_EQ(FormDefinition("go", WordClass::Verb, freedict_go),
              "go の変化形\n→ go: 動く, 行く / 崩れる / なる");
    EXPECT_EQ(FormDefinition("child", WordClass::Noun, "子供\r\n"),
              "child の複数形\n→ child: 子供");
    EXPECT_EQ(FormDefinition("go", WordClass::Unknown, "to move\n\nto travel\nto leave\nto die"),
              "go の変化形\n→ go: to move / to travel / to leave");

    const std::string long_gloss =
        FormDefinition("go", WordClass::Verb, std::string(300, 'x') + "\n" + "行く");
    EXPECT_EQ(long_gloss, "go の変化形\n→ go: 行く");
    std::string many_kana;
    for (int i = 0; i < 100; ++i) {
        many_kana += "あ";
    }
    const std::string cut = FormDefinition("go", WordClass::Verb, many_kana);
    EXPECT_TRUE(cut.ends_with("あ…")) << cut;
    EXPECT_LT(cut.size(), 200u);
    EXPECT_TRUE(IsUtf8(cut));
}

TEST(FormRowsTest, PicksTheBaseEntryOfTheListsWordClassAndLeavesOutWhatNeedsNoRow) {
    FormRows forms;
    forms.AddPair("went", "go", WordClass::Verb);
    forms.AddPair("gos", "go", WordClass::Noun);
    forms.AddPair("goes", "go", WordClass::Unknown);
    forms.AddPair("went", "GO", WordClass::Verb);      // the same pair again
    forms.AddPair("teeth", "tooth", WordClass::Noun);  // no tooth in the dictionary
    forms.AddPair("better", "good", WordClass::Adjective);
    forms.AddPair("cut", "cut", WordClass::Verb);
    forms.AddPair("did", "do", WordClass::Verb);
    forms.Notice("go", "<n>\n1. 碁");
    forms.Notice("go", "<v>\n1. 行く");
    forms.Notice("good", "<adj>\n良い");
    forms.Notice("better", "<adj>\nもっと良い\ncomparative of good");
    forms.Notice("cut", "切る");
    forms.Notice("do", "〔名詞〕パーティー");
    forms.Notice("do", "〔動詞〕する");

    const FormRows::Result result = forms.Rows([](const std::string&) { return false; });
    EXPECT_EQ(result.rows, (std::vector<db::DictionaryRow>{
                               {"went", "go の変化形\n→ go: 行く"},
                               {"gos", "go の複数形\n→ go: 碁"},
                               {"goes", "go の変化形\n→ go: 碁"},
                               {"did", "do の変化形\n→ do: 〔動詞〕する"},
                           }));
    EXPECT_EQ(result.base_absent, 1);
    EXPECT_EQ(result.already_named, 1);
}

TEST(RegularFormsTest, FollowEnglishSpelling) {
    EXPECT_EQ(RegularForms("box", WordClass::Noun), Forms{"boxes"});
    EXPECT_EQ(RegularForms("city", WordClass::Noun), Forms{"cities"});
    EXPECT_EQ(RegularForms("day", WordClass::Noun), Forms{"days"});
    EXPECT_EQ(RegularForms("photo", WordClass::Noun), Forms{"photos"});
    EXPECT_EQ(RegularForms("touch", WordClass::Verb), (Forms{"touches", "touched", "touching"}));
    EXPECT_EQ(RegularForms("try", WordClass::Verb), (Forms{"tries", "tried", "trying"}));
    EXPECT_EQ(RegularForms("die", WordClass::Verb), (Forms{"dies", "died", "dying"}));
    EXPECT_EQ(RegularForms("make", WordClass::Verb), (Forms{"makes", "maked", "making"}));
    EXPECT_EQ(RegularForms("see", WordClass::Verb), (Forms{"sees", "seed", "seeing"}));
    EXPECT_EQ(RegularForms("veto", WordClass::Verb), (Forms{"vetoes", "vetoed", "vetoing"}));
    // Whether the last consonant doubles depends on the stress, which spelling cannot tell.
    EXPECT_EQ(RegularForms("visit", WordClass::Verb),
              (Forms{"visits", "visited", "visitted", "visiting", "visitting"}));
    EXPECT_EQ(RegularForms("big", WordClass::Adjective),
              (Forms{"biger", "bigger", "bigest", "biggest"}));
    EXPECT_EQ(RegularForms("happy", WordClass::Adjective), (Forms{"happier", "happiest"}));
    EXPECT_EQ(RegularForms("large", WordClass::Adjective), (Forms{"larger", "largest"}));
    EXPECT_EQ(RegularForms("beautiful", WordClass::Adjective), Forms{});
    EXPECT_EQ(RegularForms("quickly", WordClass::Adverb), Forms{});
    EXPECT_EQ(RegularForms("x-ray", WordClass::Noun), Forms{});
    EXPECT_EQ(RegularForms("Paris", WordClass::Noun), Forms{});

    const auto is_word = [](const std::string& word) { return word == "burned"; };
    EXPECT_EQ(VerbForms("give", {"gave", "given"}, is_word),
              (Forms{"gave", "given", "gives", "giving"}));
    EXPECT_EQ(VerbForms("burn", {"burnt"}, is_word),
              (Forms{"burnt", "burns", "burned", "burning"}));
    EXPECT_EQ(PhraseForms("look up", {}, is_word), (Forms{"looks up", "looked up", "looking up"}));
    EXPECT_EQ(PhraseForms("give way to", {"gave", "given"}, is_word),
              (Forms{"gave way to", "given way to", "gives way to", "giving way to"}));
    EXPECT_EQ(PhraseForms("look", {}, is_word), Forms{});
}

TEST(FormRowsTest, ALemmasFormGetsARowOnlyWhereTheLookupWouldLeadElsewhere) {
    FormRows forms;
    forms.AddPair("gave", "give", WordClass::Verb);
    forms.AddLemma("touch", WordClass::Verb);
    forms.AddLemma("walk", WordClass::Verb);
    forms.AddLemma("walk", WordClass::Noun);  // walks again: one row at most
    forms.AddLemma("look up", WordClass::Verb);
    forms.AddLemma("give up", WordClass::Verb);
    forms.AddLemma("pass", WordClass::Verb);
    forms.AddLemma("zebra", WordClass::Noun);  // not in the dictionary
    const std::vector<std::string> headwords = {"touch",   "touche", "walk", "look up",
                                                "give up", "give",   "pass", "passed"};
    for (const std::string& headword : headwords) {
        forms.Notice(headword, headword + " の意味");
    }
    const FormRows::Result result = forms.Rows([&](const std::string& word) {
        return std::find(headwords.begin(), headwords.end(), word) != headwords.end();
    });
    std::vector<std::string> rows;
    for (const db::DictionaryRow& row : result.rows) {
        rows.push_back(row.headword);
    }
    // touched: the rules try touche before touch. passed is a headword of its own; passes and
    // passing reach pass.
    EXPECT_EQ(rows, (Forms{"gave", "touches", "touched", "touching", "looks up", "looked up",
                           "looking up", "gave up", "gives up", "giving up"}));
    EXPECT_EQ(result.rows[1].definition, "touch の変化形\n→ touch: touch の意味");
    EXPECT_EQ(result.rows[7].definition, "give up の変化形\n→ give up: give up の意味");
    EXPECT_EQ(result.reached, 6);  // walks, walked, walking, passes, passed, passing
    EXPECT_EQ(forms.FormsOfHeldWords(),
              (std::unordered_set<std::string>{"gave", "touches", "touched", "touching", "walks",
                                               "walked", "walking", "looks up", "looked up",
                                               "looking up", "gave up", "gives up", "giving up",
                                               "passes", "passed", "passing"}));
}

TEST(FormRowsTest, AFormUsedOftenAsAWordOfItsOwnKeepsItsOwnRowsFirst) {
    FormRows forms;
    forms.AddPair("ground", "grind", WordClass::Verb);
    forms.AddPair("saw", "see", WordClass::Verb);
    for (const char* word : {"grind", "ground", "see", "saw"}) {
        forms.Notice(word, std::string(word) + " の意味");
    }
    const FormRows::Result result =
        forms.Rows([](const std::string&) { return true; },
                   [](const std::string& word) { return word == "ground" ? 112L : 1L; });
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].headword, "saw");
    ASSERT_EQ(result.later_rows.size(), 1u);
    EXPECT_EQ(result.later_rows[0].headword, "ground");
}

TEST(FormRowsTest, NamesWordFindsWholeWordsOnly) {
    EXPECT_TRUE(NamesWord("comparative of Good", "good"));
    EXPECT_TRUE(NamesWord("good", "good"));
    EXPECT_TRUE(NamesWord("(good)", "good"));
    EXPECT_FALSE(NamesWord("goodness, goods", "good"));
    EXPECT_FALSE(NamesWord("the go-between", "between go"));
    EXPECT_FALSE(NamesWord("text", ""));
}

TEST_F(DictBuildTest, FormRowsComeFirstAndMalformedLinesAreReported) {
    const std::string words = Input("words.tsv",
                                    "went\tいらした\ngo\t行く\nchild\t子供\nsaw\tのこぎり\n"
                                    "see\t見る\nfound\t設立する (not only the past of find)\n"
                                    "find\t見つける\n");
    const std::string nouns = Input("noun.exc", "children child\nteeth tooth\n");
    const std::string verbs =
        Input("verb.exc", "went go\nsaw see\nfound find\nlonely\n\nbad\xFF line\n");
    const ToolRun run = RunDict({"build", out_, words, "--forms", nouns, "--forms", verbs});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadRows(out_), (Rows{{"children", "child の複数形\n→ child: 子供"},
                                    {"went", "go の変化形\n→ go: 行く"},
                                    {"saw", "see の変化形\n→ see: 見る"},
                                    {"went", "いらした"},
                                    {"go", "行く"},
                                    {"child", "子供"},
                                    {"saw", "のこぎり"},
                                    {"see", "見る"},
                                    {"found", "設立する (not only the past of find)"},
                                    {"find", "見つける"}}));
    EXPECT_NE(run.err.find(verbs + ": 2 malformed lines skipped (lines 4, 6)"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("3 rows added; 1 left out (base word not in the dictionary), 1 left "
                           "out (the form's own first entry names its base)"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find(": 10 rows from 1 input"), std::string::npos) << run.out;

    EXPECT_EQ(RunDict({"build", out_, words, "--forms", folder_.File("missing.exc")}).status, 1);
    EXPECT_EQ(ReadRows(out_).size(), 10u);
}

}  // namespace
}  // namespace quorvantix::testing
