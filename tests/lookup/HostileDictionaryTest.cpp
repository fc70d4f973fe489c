// Dictionaries that users bring from anywhere: damaged, odd or huge files give an empty
// answer, fewer entries or a reported failure, never a crash or a hang.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/DatabaseError.h"
#include "tests/lookup/LookupFixture.h"

namespace quorvantix::testing {
namespace {

// The lookup either answers or raises the engine's failure; anything else fails the test.
void ExpectAnswerOrReportedFailure(const std::string& word, const std::string& dictionary) {
    try {
        LookupWord(word, dictionary, "", false, false);
    } catch (const db::DatabaseError&) {
    }
}

TEST_F(LookupFixture, RandomBytesAreNoDictionary) {
    std::mt19937 random(7);
    std::string bytes(64 * 1024, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random());
    }
    WriteBytes(dictionary_, bytes);
    EXPECT_EQ(Lookup("run"), "");
    // The same with SQLite's own header in front.
    WriteBytes(dictionary_, std::string("SQLite format 3\0", 16) + bytes);
    ExpectAnswerOrReportedFailure("run", dictionary_);
}

TEST_F(LookupFixture, ADictionaryCutShortAnywhereNeverCrashes) {
    std::vector<Row> rows;
    for (int i = 0; i < 3000; ++i) {
        rows.push_back({"word" + std::to_string(i), "定義 " + std::to_string(i)});
    }
    rows.push_back({"running", "走っている"});
    UseDictionary(rows);
    const std::string whole = ReadBytes(dictionary_);
    const std::string cut = dir_.File("cut");
    for (const std::size_t size :
         {std::size_t{0}, std::size_t{50}, std::size_t{100}, std::size_t{4096}, whole.size() / 3,
          whole.size() / 2, whole.size() - 4096, whole.size() - 1}) {
        WriteBytes(cut, whole.substr(0, size));
        for (const char* word : {"running", "word2999", "xyz"}) {
            ExpectAnswerOrReportedFailure(word, cut);
        }
    }
}

TEST_F(LookupFixture, ColumnsOfOtherTypesAreReadAsText) {
    ExecuteSql(dictionary_,
               "CREATE TABLE tbl00 (fld1 INTEGER, fld2 BLOB); "
               "INSERT INTO tbl00 VALUES (42, x'e8b5b0e3828b'), ('run', 3.5), (x'7275', 'x');");
    EXPECT_EQ(Lookup("42"), "42\r\n走る\r\n\r\n");
    EXPECT_EQ(Lookup("run"), "run\r\n3.5\r\n\r\n");
    ExpectAnswerOrReportedFailure("ru", dictionary_);
}

TEST_F(LookupFixture, AHugeHeadwordAndAHugeHeadwordGroupStayWithinTheLimits) {
    const std::string huge(1024 * 1024, 'a');
    std::vector<Row> rows = {{huge, "長い"}, {"run", "走る"}};
    for (int i = 0; i < 100000; ++i) {
        rows.push_back({"set", "定義 " + std::to_string(i)});
    }
    UseDictionary(rows);
    EXPECT_EQ(Lookup("run"), "run\r\n走る\r\n\r\n");
    // At most five rows of one headword, in the dictionary's order.
    std::string five;
    for (int i = 0; i < 5; ++i) {
        five += "set\r\n定義 " + std::to_string(i) + "\r\n\r\n";
    }
    EXPECT_EQ(Lookup("set"), five);
    EXPECT_EQ(Lookup("aaaa"), huge + "\r\n長い\r\n\r\n");  // found by the prefix query
}

}  // namespace
}  // namespace quorvantix::testing
