#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>

#include "tests/builder/DictToolRun.h"

namespace quorvantix::testing {
namespace {

// A small WordNet: nouns and verbs with senses in order, a name, a phrase, an adjective that is
// also a verb's form.
const std::vector<TestSynset> kSynsets = {
    {"noun", {"run"}, "a score in baseball; \"he hit a run\"", 5},
    {"verb", {"run", "go"}, "move fast by using one's feet; \"Don't run!\"", 40},
    {"verb", {"run"}, "be in charge of", 10},
    {"noun", {"tirade"}, "a speech of violent denunciation", 0},
    {"noun", {"Athens", "Athenai"}, "the capital of Greece", 2},
    {"verb", {"look up"}, "search for", 3},
    {"adj", {"touched"}, "being excited to the expression of emotion", 1},
    {"verb", {"touch"}, "make physical contact with", 9},
};

TEST_F(DictBuildTest, WordnetDefinitionsStandInOnlyForWordsNoOtherInputHas) {
    WriteWordnet(folder_.path() / "wordnet", kSynsets);
    const std::string words = Input("words.tsv", "go\t行く\nlook up\t調べる\ntouch\t触る\n");
    const std::string wordnet = folder_.File("wordnet");
    // Given first, WordNet is still read after the others.
    const ToolRun run = RunDict({"build", out_, wordnet, words});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadRows(out_),
              (Rows{{"go", "行く"},
                    {"look up", "調べる"},
                    {"touch", "触る"},
                    {"Athenai", "〔英英〕(n) 1. the capital of Greece"},
                    {"Athens", "〔英英〕(n) 1. the capital of Greece"},
                    {"run",
                     "〔英英〕(v) 1. move fast by using one's feet; 2. be in charge of\n"
                     "(n) 1. a score in baseball"},
                    {"tirade", "〔英英〕(n) 1. a speech of violent denunciation"},
                    {"touched", "〔英英〕(adj) 1. being excited to the expression of emotion"}}));
    EXPECT_NE(run.out.find(": 8 rows from 2 inputs"), std::string::npos) << run.out;
}

TEST_F(DictBuildTest, RegularFormsTheLookupWouldMissGetRowsAndNeedNoDefinitionOfTheirOwn) {
    WriteWordnet(folder_.path() / "wordnet", kSynsets);
    const std::string words =
        Input("words.tsv", "touch\t触る\ntouche\t一本！\nlook up\t調べる\ngo\t行く\n");
    const std::string wordnet = folder_.File("wordnet");
    const ToolRun run = RunDict({"build", out_, words, wordnet, "--lemmas", wordnet + "/index.verb",
                                 "--lemmas", wordnet + "/index.noun"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Rows rows = ReadRows(out_);
    // The first row of the headword, and where it is.
    const auto find = [&](const std::string& headword) {
        return std::find_if(rows.begin(), rows.end(),
                            [&](const auto& row) { return row.first == headword; });
    };
    const auto row_of = [&](const std::string& headword) {
        return find(headword) == rows.end() ? std::string("(none)") : find(headword)->second;
    };
    EXPECT_EQ(row_of("touched"), "touch の変化形\n→ touch: 触る");  // not WordNet's adjective
    EXPECT_EQ(row_of("touches"), "touch の変化形\n→ touch: 触る");
    EXPECT_EQ(row_of("looked up"), "look up の変化形\n→ look up: 調べる");
    EXPECT_EQ(row_of("looking up"), "look up の変化形\n→ look up: 調べる");
    EXPECT_EQ(row_of("goes"), "(none)");  // the rules reach go
    EXPECT_EQ(row_of("tirade"), "〔英英〕(n) 1. a speech of violent denunciation");
    EXPECT_LT(find("touched"), find("touch"));  // form rows come first
    EXPECT_NE(run.err.find("left out (the lookup reaches the base word)"), std::string::npos)
        << run.err;
}

TEST_F(DictBuildTest, AHeadwordsRowsOfOneInputLeadWithTheWordClassUsedMost) {
    const std::string ours = Input("ours.tsv", "attention\t〔名詞〕注意\n");
    const std::string source = Input("source.tsv",
                                     "attention\t<interjection>  気を付け\n"
                                     "attention\t<n> 注意\n"
                                     "zero\t<adj> 空\nzero\t<v> ゼロにする\nzero\t<n> ゼロ\n"
                                     "run\t<n> 走ること\nrun\t<v> 走る\n");
    const std::string counts = Input("cntlist.rev",
                                     "attention%1:09:00:: 1 40\nzero%1:23:00:: 1 10\n"
                                     "zero%5:00:00:none:00 2 3\nzero%2:30:00:: 1 3\nnot a line\n");
    const ToolRun run = RunDict({"build", out_, ours, source, "--class-counts", counts});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadRows(out_),
              (Rows{{"attention", "〔名詞〕注意"},  // an earlier input's row stays first
                    {"attention", "<n> 注意"},
                    {"attention", "<interjection>  気を付け"},
                    {"zero", "<n> ゼロ"},
                    {"zero", "<adj> 空"},  // as often as the verb: the order it came in
                    {"zero", "<v> ゼロにする"},
                    {"run", "<n> 走ること"},  // the counts do not know run
                    {"run", "<v> 走る"}}));
    EXPECT_NE(run.err.find(counts + ": 1 malformed line skipped (line 5)"), std::string::npos)
        << run.err;
}

TEST_F(DictBuildTest, ADamagedWordnetIsReportedWithItsFile) {
    WriteWordnet(folder_.path() / "wordnet", kSynsets);
    const std::string wordnet = folder_.File("wordnet");
    std::string index = ReadBytes(wordnet + "/index.noun");
    index += "badline\nzebra n 1 0 1 0 99999999  \n";
    WriteBytes(wordnet + "/index.noun", index);
    const std::string words = Input("words.tsv", "go\t行く\n");
    const ToolRun run = RunDict({"build", out_, words, wordnet});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(wordnet + "/data.noun: no synset at offset 99999999"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out_));
}

}  // namespace
}  // namespace quorvantix::testing
