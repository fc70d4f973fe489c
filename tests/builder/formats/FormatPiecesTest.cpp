#include <gtest/gtest.h>

#include "builder/ListSink.h"
#include "builder/formats/CorpusWords.h"
#include "builder/formats/CsvRecords.h"
#include "builder/formats/EdictEntry.h"
#include "builder/formats/FreedictLayout.h"
#include "builder/formats/MarkupText.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

TEST(WordTypesOfTest, LettersWithApostrophesAndHyphensInsideTheCommonestFirst) {
    TempDir folder;
    const std::string text = folder.WriteFile(
        "text.txt",
        "Don\xE2\x80\x99t stop \xE2\x80\x94 well-known 'quoted' words -- twice; TWICE.\n"
        "abc123 dogs' end-\nx\xFF\n");
    dict::ListSink sink([](std::string_view, std::string_view) {});
    std::vector<std::pair<std::string, long>> types;
    for (const dict::WordType& type : dict::WordTypesOf(text, sink)) {
        types.emplace_back(type.word, type.count);
    }
    EXPECT_EQ(types, (std::vector<std::pair<std::string, long>>{{"twice", 2},
                                                                {"abc", 1},
                                                                {"dogs", 1},
                                                                {"don't", 1},
                                                                {"end", 1},
                                                                {"quoted", 1},
                                                                {"stop", 1},
                                                                {"well-known", 1},
                                                                {"words", 1}}));
    EXPECT_EQ(sink.skips().Report("line", "lines"), "1 malformed line skipped (line 3)");
}

TEST(TidyFreedictEntryTest, OneTranscriptionHintsGatheredEverydaySensesFirst) {
    using dict::TidyFreedictEntry;
    // As Debian 12's edition writes it: narrow transcriptions, sub-numbers, "field: " labels.
    EXPECT_EQ(TidyFreedictEntry("//dɪˈɡɹiː// /[dəˈɡɹiː]/ <n>\n1. 号, 学位\nacademic award\n"
                                "2. 次, 次数 2.\nalgebra: exponent of a polynomial\n 3.\n"
                                "graph theory: edges of a vertex\n3. 程度, 度合い\namount, extent"),
              "/dɪˈɡɹiː/ <n>\n1. 号, 学位\nacademic award\n2. 程度, 度合い\namount, extent\n"
              "3. 次, 次数\nalgebra: exponent of a polynomial; graph theory: edges of a vertex");
    // As Debian 13's writes it: "(label)" in front; usage labels keep a sense in its place.
    EXPECT_EQ(
        TidyFreedictEntry("//ɪnˈfɔɹm// <v>\n1. 知らせる\n(obsolete, intransitive) To make "
                          "known.\n2. 教える 2.\n(intransitive) To impart knowledge.\n 3.\n"
                          "(transitive) To tell."),
        "/ɪnˈfɔɹm/ <v>\n1. 教える\n(intransitive) To impart knowledge. (transitive) To tell.\n"
        "2. 知らせる\n(obsolete, intransitive) To make known.");
    // Fragments and narrow forms are no transcription; one sense keeps having no number.
    EXPECT_EQ(TidyFreedictEntry("//-ŋk// //nɒ-// //ˈnʌθɪŋ// /;/ /[ˈnʌʔn̩]/ <pronoun>\n何も 2.\n"
                                "not any thing\n 3.\nno thing"),
              "/ˈnʌθɪŋ/ <pronoun>\n何も\nnot any thing; no thing");
    EXPECT_EQ(TidyFreedictEntry("/[x]/ <n>\n色"), "<n>\n色");
    EXPECT_EQ(TidyFreedictEntry("//ɪfɪˈkeɪʃən// <suffix>"), "/ɪfɪˈkeɪʃən/ <suffix>");
    EXPECT_EQ(
        TidyFreedictEntry("//ɑ(ː)n ɹu(ː)t// //ɒn ɹu(ː)t//\n途中 2.\non the way\n 3.\nalong it"),
        "/ɑ(ː)n ɹu(ː)t/\n途中\non the way; along it");
    // Text laid out otherwise is left as it is.
    for (const char* other : {"歩く", "run\n1. 走る", "<n>\n2. 二\n1. 一\nx 3."}) {
        EXPECT_EQ(TidyFreedictEntry(other), other) << other;
    }
}

TEST(GlossHeadwordTest, NotesGoAndVerbsLoseTheirTo) {
    struct Case {
        std::vector<std::string> glosses;  // one EDICT line's glosses, in order
        std::vector<std::string> headwords;
    };
    const std::vector<Case> cases = {
        {{"(v5r,vi) (1) to run", "(2) to travel (of a vehicle)"}, {"run", "travel"}},
        {{"(v1,vt) to eat", "to consume"}, {"eat", "consume"}},
        {{"(exp) to and fro", "(n) to-do list"}, {"to and fro", "to-do list"}},
        {{"(v5u) to go", "(n) a going"}, {"go", "a going"}},
        {{"(have) done", "hit (against)  hard", "(a (nested) note) word"},
         {"done", "hit hard", "word"}},
        {{"(arch) (v4r) to be", "(ksb:) to be"}, {"be", "be"}},
        {{"(n) (abbr) (uk)"}, {""}},
    };
    for (const Case& c : cases) {
        bool is_verb = false;
        for (size_t i = 0; i < c.glosses.size(); ++i) {
            SCOPED_TRACE(c.glosses[i]);
            EXPECT_EQ(dict::GlossHeadword(c.glosses[i], is_verb), c.headwords[i]);
        }
    }
}

TEST(ParseEdictLineTest, WordsReadingAndCommonMark) {
    const auto entry = dict::ParseEdictLine("漢字(P);感じ [かんじ] /(n) kanji/feeling/(P)/");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->words, "漢字;感じ [かんじ]");
    EXPECT_TRUE(entry->common);
    EXPECT_EQ(entry->glosses, (std::vector<std::string>{"kanji", "feeling"}));
    for (const char* malformed : {"no glosses", "語 [ご /x/", "語 [ご] /open", " /x/"}) {
        EXPECT_FALSE(dict::ParseEdictLine(malformed)) << malformed;
    }
}

std::vector<std::vector<std::string>> CsvFed(const std::string& bytes, size_t piece,
                                             bool* finished = nullptr) {
    std::vector<std::vector<std::string>> records;
    dict::CsvRecords csv(
        [&](const std::vector<std::string>& fields) { records.push_back(fields); });
    for (size_t at = 0; at < bytes.size(); at += piece) {
        csv.Feed(std::string_view(bytes).substr(at, piece));
    }
    const bool ok = csv.Finish();
    if (finished != nullptr) {
        *finished = ok;
    }
    return records;
}

TEST(CsvRecordsTest, RecordsDoNotDependOnHowTheBytesArrive) {
    const std::string bytes =
        "a,\"b, c\",\"say \"\"hi\"\"\"\r\n"
        "\"two\r\nlines\",,x\n"
        "last,\"\",end";
    const std::vector<std::vector<std::string>> expected = {
        {"a", "b, c", "say \"hi\""}, {"two\r\nlines", "", "x"}, {"last", "", "end"}};
    for (size_t piece : {1u, 2u, 3u, 7u, 1000u}) {
        SCOPED_TRACE(piece);
        EXPECT_EQ(CsvFed(bytes, piece), expected);
    }
    bool finished = true;
    EXPECT_EQ(CsvFed("ok,1\n\"cut off,2\n", 4, &finished),
              (std::vector<std::vector<std::string>>{{"ok", "1"}}));
    EXPECT_FALSE(finished);
}

TEST(MarkupToTextTest, TagsEntitiesAndLineBreaks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<b>走る</b> <i>run</i>", "走る run"},
        {"one<br>two<BR/>three", "one\ntwo\nthree"},
        {"<p>first</p><p>second</p>", "first\nsecond\n"},
        {"&lt;a&gt; &amp; &quot;&#65;&#x3042;&apos;&nbsp;", "<a> & \"Aあ' "},
        {"&unknown; &#xZZ; & alone", "&unknown; &#xZZ; & alone"},
        {"text <unclosed", "text "},
        // References to no character give U+FFFD, never a surrogate or a NUL.
        {"a&#xD800;b&#0;c&#x110000;", "a\uFFFDb\uFFFDc\uFFFD"},
    };
    for (const auto& [markup, text] : cases) {
        EXPECT_EQ(dict::MarkupToText(markup), text) << markup;
    }
}

}  // namespace
}  // namespace quorvantix::testing
