#include <gtest/gtest.h>
#include <filesystem>

#include "tests/builder/DictToolRun.h"

namespace quorvantix::testing {
namespace {

// WordNet knows go (with went among its exceptions), pass and find; not the, nor zzz.
void WriteSmallWordnet(const std::filesystem::path& folder) {
    WriteWordnet(folder,
                 {{"verb", {"go"}, "move", 9},
                  {"verb", {"pass"}, "go past", 5},
                  {"verb", {"find"}, "come upon", 5},
                  {"noun", {"pas"}, "a step in dancing", 0}},
                 {{"verb.exc", "went go\n"}});
}

TEST_F(DictBuildTest, CheckTakesBasesFromWordnetNotFromTheLookupsOwnRules) {
    WriteSmallWordnet(folder_.path() / "wordnet");
    // pas is what the lookup's rules would find first for passed, had pass no entry.
    const std::string words = Input("words.tsv",
                                    "went\tいらした\ngo\t行く\nfind\t見つける\npas\tパ\n"
                                    "the\tその\nfound\t〔英英〕to establish\n");
    ASSERT_EQ(RunDict({"build", out_, words}).status, 0);

    const std::string list = Input("list.txt", "went\ngoes\npassed\nfin\nzzz\nfound find\nthe\n");
    const ToolRun check =
        RunDict({"info", out_, "--check", list, "--wordnet", folder_.File("wordnet")});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out,
              out_ + ": the 7 words of " + list + "; bases by WordNet's morphology (" +
                  folder_.File("wordnet") +
                  ")\n"
                  "  led by the word itself or its base: 4 of 7 (57.1 %)\n"
                  "    by the word itself: 3 of 7 (42.9 %)\n"
                  "    by its base: 1 of 7 (14.3 %)\n"
                  "  led by another word: 2 of 7 (28.6 %)\n"
                  "  not answered: 1 of 7 (14.3 %)\n"
                  "  first entry in Japanese, for the word or its base: 3 of 7 (42.9 %)\n"
                  "  content words (WordNet knows them): 3 of 7 (42.9 %)\n"
                  "    led by the word itself or its base: 2 of 3 (66.7 %)\n"
                  "    first entry in Japanese, for the word or its base: 2 of 3 (66.7 %)\n"
                  "  first entry names a listed base form: 0 of 1 (0.0 %)\n"
                  "led by its base: goes (go)\n"
                  "led by another word: passed (pas), fin (find)\n"
                  "not answered: zzz\n"
                  "first entry names no listed base form: found\n");
    EXPECT_EQ(RunDict({"info", out_, "--check", folder_.File("none.txt"), "--wordnet",
                       folder_.File("wordnet")})
                  .status,
              1);
    const ToolRun no_wordnet =
        RunDict({"info", out_, "--check", list, "--wordnet", "/nonexistent"});
    EXPECT_EQ(no_wordnet.status, 1);
    EXPECT_NE(no_wordnet.err.find("/nonexistent/index.noun"), std::string::npos) << no_wordnet.err;
}

TEST_F(DictBuildTest, CheckOfATextCountsItsRunningWords) {
    WriteSmallWordnet(folder_.path() / "wordnet");
    const std::string words = Input("words.tsv", "go\t行く\nthe\tその\npass\t〔英英〕go past\n");
    ASSERT_EQ(RunDict({"build", out_, words}).status, 0);
    const std::string text =
        Input("text.txt", "The dog went. The dog goes!\nGo, go, go's go, don’t pass.\n");
    const ToolRun check =
        RunDict({"info", out_, "--corpus", text, "--wordnet", folder_.File("wordnet")});
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_NE(check.out.find(": the 8 distinct words of " + text + " (12 running words)"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("  led by the word itself or its base: 5 of 8 (62.5 %), 8 of 12 "
                             "running words (66.7 %)\n"),
              std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\nnot answered: dog ×2, don't ×1, went ×1\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("\ncontent words led by the word or its base, not in Japanese: "
                             "pass ×1\n"),
              std::string::npos)
        << check.out;
    EXPECT_EQ(RunDict({"info", out_, "--corpus", text, "--check", text}).status, 2);
}

}  // namespace
}  // namespace quorvantix::testing
