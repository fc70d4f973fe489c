#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "lookup/Queries.h"
#include "platform/Connection.h"
#include "platform/DatabaseError.h"
#include "platform/RecordSet.h"
#include "tests/lookup/LookupFixture.h"

namespace quorvantix::testing {
namespace {

using Queries = std::vector<std::string>;

TEST_F(LookupFixture, EntryBlocksKeepTheHeadwordAndTrimTheDefinition) {
    UseDictionary({{"run", "D1"},
                   {"run", " \t\r\n走る \x01\r\n"},
                   {" spaced ", "定義\xe3\x80\x80"},
                   {"English", "英語"}});
    EXPECT_EQ(Lookup("run"), "run\r\nD1\r\n\r\nrun\r\n走る\r\n\r\n");
    // Surrounding spaces of a headword stay; a full-width space is not trimmed.
    EXPECT_EQ(Lookup(" spaced "), " spaced \r\n定義\xe3\x80\x80\r\n\r\n");
    // Letter case of A-Z is ignored; the headword is shown as stored.
    EXPECT_EQ(Lookup("english"), "English\r\n英語\r\n\r\n");
}

TEST_F(LookupFixture, QueriesAppendToTheTextSoFarAndLimitRows) {
    UseDictionary({{"run", "D1"},
                   {"running", "R"},
                   {"runner", "N"},
                   {"rune", "E"},
                   {"Run", "D2"},
                   {"runt", "T"},
                   {"rung", "G"},
                   {"ruin", "X"}});
    db::Connection connection;
    connection.Open(dictionary_);
    db::RecordSet records;
    EXPECT_EQ(QueryExact(connection, records, "nothing", "so far\r\n"), "so far\r\n");
    EXPECT_EQ(QueryExact(connection, records, "run", "A"), "Arun\r\nD1\r\n\r\nRun\r\nD2\r\n\r\n");
    // The first five headwords that begin with the word, in ascending order, ties in row order.
    EXPECT_EQ(QueryPrefix(connection, records, "run", ""),
              "run\r\nD1\r\n\r\nRun\r\nD2\r\n\r\nrune\r\nE\r\n\r\nrung\r\nG\r\n\r\n"
              "runner\r\nN\r\n\r\n");
    EXPECT_FALSE(records.IsOpen());
}

TEST_F(LookupFixture, CopiedTextIsTakenLiterallyNeverAsSql) {
    UseDictionary({{"say \"hi\"", "挨拶"},
                   {"run", "走る"},
                   {"r%x", "記号"},
                   {"a_b", "下線"},
                   {"x\\y", "バックスラッシュ"},
                   {"\xff\xffz", "不正なバイト"},
                   {"\xfe", "前"}});
    EXPECT_EQ(Lookup("say \"hi\""), "say \"hi\"\r\n挨拶\r\n\r\n");
    EXPECT_EQ(Lookup("\" OR \"\"=\""), "");
    EXPECT_EQ(Lookup("'); DROP TABLE tbl00; --"), "");
    EXPECT_EQ(Lookup("run"), "run\r\n走る\r\n\r\n");

    db::Connection connection;
    connection.Open(dictionary_);
    db::RecordSet records;
    EXPECT_EQ(QueryPrefix(connection, records, "r%", ""), "r%x\r\n記号\r\n\r\n");
    EXPECT_EQ(QueryPrefix(connection, records, "_un", ""), "");
    EXPECT_EQ(QueryPrefix(connection, records, "a_", ""), "a_b\r\n下線\r\n\r\n");
    EXPECT_EQ(QueryPrefix(connection, records, "ab", ""), "");
    EXPECT_EQ(QueryPrefix(connection, records, "x\\", ""), "x\\y\r\nバックスラッシュ\r\n\r\n");
    EXPECT_EQ(QueryPrefix(connection, records, "RU", ""), "run\r\n走る\r\n\r\n");
    EXPECT_EQ(QueryPrefix(connection, records, "\xff", ""), "\xff\xffz\r\n不正なバイト\r\n\r\n");
    EXPECT_EQ(QueryPrefix(connection, records, "\xff\xff", ""),
              "\xff\xffz\r\n不正なバイト\r\n\r\n");
}

struct PrefixRetryCase {
    const char* text;
    const char* answer;
};

void PrintTo(const PrefixRetryCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class PrefixRetryTest : public LookupFixture,
                        public ::testing::WithParamInterface<PrefixRetryCase> {};

TEST_P(PrefixRetryTest, LooksUpTheWordWithoutItsPrefixOnce) {
    UseDictionary({{"like", "好む"},
                   {"regular", "規則的な"},
                   {"responsible", "責任がある"},
                   {"happy", "幸せな"},
                   {"able", "できる"},
                   {"write", "書く"},
                   {"rest", "休息"}});
    EXPECT_EQ(Lookup(GetParam().text), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, PrefixRetryTest,
    ::testing::Values(PrefixRetryCase{"dislike", "like\r\n好む\r\n\r\n"},
                      PrefixRetryCase{"irregular", "regular\r\n規則的な\r\n\r\n"},
                      PrefixRetryCase{"irresponsible", "responsible\r\n責任がある\r\n\r\n"},
                      PrefixRetryCase{"unhappy", "happy\r\n幸せな\r\n\r\n"},
                      PrefixRetryCase{"enable", "able\r\nできる\r\n\r\n"},
                      PrefixRetryCase{"rewrite", "write\r\n書く\r\n\r\n"},
                      PrefixRetryCase{"rest", "rest\r\n休息\r\n\r\n"},
                      // Only one prefix is removed: "unenable" retries "enable" only.
                      PrefixRetryCase{"unenable", ""}, PrefixRetryCase{"en", ""},
                      PrefixRetryCase{"dis", ""}, PrefixRetryCase{"ir", ""}));

TEST_F(LookupFixture, PrefixRetryRunsOnceAndNeverSearchesPhrases) {
    UseDictionary({{"like", "好む"}, {"like it", "気に入る"}});
    const Queries trace = Trace("dislike", true);
    EXPECT_EQ(trace.front(), "exact dislike");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "exact like"), 1);
    EXPECT_EQ(trace.back(), "exact like");
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "phrase like"), 0);
    EXPECT_EQ(Trace("en"), Queries{"exact en"});
}

TEST_F(LookupFixture, UnusableDictionariesGiveTheEmptyAnswer) {
    const std::string folder = dir_.File("folder");
    std::filesystem::create_directory(folder);
    const std::string garbage = dir_.File("garbage");
    WriteBytes(garbage, std::string(4096, 'x'));
    const std::string other_table = dir_.File("other");
    ExecuteSql(other_table,
               "CREATE TABLE words (fld1 TEXT, fld2 TEXT); "
               "INSERT INTO words VALUES ('run', 'x')");
    const std::string missing_column = dir_.File("onecolumn");
    ExecuteSql(missing_column, "CREATE TABLE tbl00 (fld1 TEXT); INSERT INTO tbl00 VALUES ('run')");
    const std::string empty_file = dir_.File("empty");
    WriteBytes(empty_file, "");

    for (const std::string& path :
         {dir_.File("missing"), folder, garbage, other_table, missing_column, empty_file}) {
        QueryLog log;
        ScopedQueryObserver scope(log);
        EXPECT_EQ(LookupWord("run", path, "", false, false), "") << path;
        EXPECT_TRUE(log.lines.empty()) << path;
    }
}

TEST_F(LookupFixture, AlternatePathAndEmptyText) {
    UseDictionary({{"run", "走る"}});
    EXPECT_EQ(LookupWord("", dictionary_, "", false, false), "");
    EXPECT_EQ(LookupWord("", dir_.File("missing"), "", false, false), "");
    EXPECT_EQ(LookupWord("run", dir_.File("missing"), dictionary_, true, false),
              "run\r\n走る\r\n\r\n");
    EXPECT_EQ(LookupWord("run", dictionary_, dir_.File("missing"), true, false), "");
}

TEST_F(LookupFixture, NullValuesRaiseAndReleaseTheDictionary) {
    UseDictionary({{"run", std::nullopt}, {std::nullopt, "no headword"}, {"walk", "歩く"}});
    EXPECT_THROW(Lookup("run"), db::DatabaseError);
    EXPECT_EQ(Lookup("walk"), "walk\r\n歩く\r\n\r\n");
    // Nothing stays open: the file can be replaced and read again at once.
    std::filesystem::remove(dictionary_);
    UseDictionary({{"run", "走る"}});
    EXPECT_EQ(Lookup("run"), "run\r\n走る\r\n\r\n");
}

TEST_F(LookupFixture, DamagedFileRaisesWhileReadingRows) {
    std::vector<Row> rows;
    for (int i = 0; i < 3000; ++i) {
        rows.push_back({"run", std::string(200, 'd')});
    }
    UseDictionary(rows);
    std::string bytes = ReadBytes(dictionary_);
    ASSERT_GT(bytes.size(), 200000u);
    // Keep the header and schema page, wreck the rest.
    for (size_t i = 8192; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(0xA5);
    }
    WriteBytes(dictionary_, bytes);
    EXPECT_THROW(Lookup("run"), db::DatabaseError);
}

// The prefix query's range must hold exactly the headwords that begin with the word, whatever
// byte the word ends in: around A-Z and a-z, which NOCASE folds, around 0x7F, and 0xFF.
TEST_F(LookupFixture, PrefixQueryFindsOnlyHeadwordsBeginningWithTheWordWhateverItsLastByte) {
    std::vector<Row> rows;
    for (int byte = 1; byte <= 0xFF; ++byte) {
        rows.push_back({"b" + std::string(1, static_cast<char>(byte)) + "x", "d"});
    }
    rows.push_back({"c", "d"});
    UseDictionary(rows);
    db::Connection connection;
    connection.Open(dictionary_);
    db::RecordSet records;
    const auto folded = [](std::string text) {
        for (char& c : text) {
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        }
        return text;
    };
    for (int byte = 1; byte <= 0xFF; ++byte) {
        if (byte >= 'A' && byte <= 'Z') {
            continue;  // a looked-up word is lower-cased first
        }
        const std::string word = "b" + std::string(1, static_cast<char>(byte));
        // Rows are in NOCASE order here already, and at most two begin with any word.
        std::string expected;
        for (const Row& row : rows) {
            if (folded(*row.headword).starts_with(word)) {
                expected += *row.headword + "\r\nd\r\n\r\n";
            }
        }
        const std::string found = QueryPrefix(connection, records, word, "");
        EXPECT_EQ(found, expected) << "word ending in byte " << byte;
    }
}

}  // namespace
}  // namespace quorvantix::testing
