#include <gtest/gtest.h>

#include "builder/FormRows.h"
#include "tests/builder/DictToolRun.h"
#include "text/Utf8.h"

namespace quorvantix::testing {
namespace {

using dict::FormDefinition;
using dict::FormRows;
using dict::NamesWord;
using dict::WordClass;

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
    forms.Notice("Go", "<n>\n1. 碁");
    forms.Notice("go", "<v>\n1. 行く");
    forms.Notice("good", "<adj>\n良い");
    forms.Notice("better", "<adj>\nもっと良い\ncomparative of good");
    forms.Notice("cut", "切る");
    forms.Notice("do", "〔名詞〕パーティー");
    forms.Notice("do", "〔動詞〕する");

    const FormRows::Result result = forms.Rows();
    EXPECT_EQ(result.rows, (std::vector<db::DictionaryRow>{
                               {"went", "go の変化形\n→ go: 行く"},
                               {"gos", "go の複数形\n→ go: 碁"},
                               {"goes", "go の変化形\n→ go: 碁"},
                               {"did", "do の変化形\n→ do: 〔動詞〕する"},
                           }));
    EXPECT_EQ(result.base_absent, 1);
    EXPECT_EQ(result.already_named, 1);
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

TEST_F(DictBuildTest, CheckTellsWhatLeadsEachAnswer) {
    const std::string words = Input("words.tsv", "went\tいらした\ngo\t行く\nfind\t見つける\n");
    const std::string verbs = Input("verb.exc", "went go\n");
    ASSERT_EQ(RunDict({"build", out_, words, "--forms", verbs}).status, 0);

    const std::string list = Input("list.txt", "went go\ngoes\nfin\nzzz\nfound find\n");
    const ToolRun check = RunDict({"info", out_, "--check", list});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out, out_ + ": the 5 words of " + list +
                             "\n"
                             "  led by the word itself or a base form: 2 of 5 (40.0 %)\n"
                             "    by the word itself: 1 of 5 (20.0 %)\n"
                             "    by a base form: 1 of 5 (20.0 %)\n"
                             "  led by another word: 1 of 5 (20.0 %)\n"
                             "  not answered: 2 of 5 (40.0 %)\n"
                             "  first entry names a listed base form: 1 of 2 (50.0 %)\n"
                             "led by a base form: goes (go)\n"
                             "led by another word: fin (find)\n"
                             "not answered: zzz, found\n"
                             "first entry names no listed base form: found\n");
    EXPECT_EQ(RunDict({"info", out_, "--check", folder_.File("none.txt")}).status, 1);
}

}  // namespace
}  // namespace quorvantix::testing
