#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/lookup/LookupTool.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {
namespace {

class LookupToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteDictionary(dictionary_, {{"run", "走る\r\n(動詞)"}, {"walk", std::nullopt}});
        options_.dictionary = dictionary_;
    }

    int Run(const std::string& input = "") {
        std::istringstream in(input);
        out_.str("");
        err_.str("");
        return RunLookupTool(options_, in, out_, err_);
    }

    TempDir dir_;
    std::string dictionary_ = dir_.File("Tessaryn");
    LookupToolOptions options_;
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(LookupToolTest, ExplainShowsTheQueriesMade) {
    options_.explain = true;
    options_.texts = {"  Running\n"};
    EXPECT_EQ(Run(), kAllFound);
    EXPECT_EQ(err_.str(),
              "exact\trunning\t0\nexact\trunn\t0\nexact\truno\t0\nexact\trune\t0\n"
              "exact\trun\t1\n");
    EXPECT_EQ(out_.str(), "run\n走る\n(動詞)\n\n");
}

TEST_F(LookupToolTest, RawKeepsTheAnswerBytes) {
    options_.raw = true;
    options_.texts = {"run", "zzz"};
    EXPECT_EQ(Run(), kSomeNotFound);
    EXPECT_EQ(out_.str(), "run\r\n走る\r\n(動詞)\r\n\r\nNo Data\n");
}

TEST_F(LookupToolTest, BatchJsonGivesOneObjectPerTextAndGoesOnAfterAFailure) {
    options_.json = true;
    EXPECT_EQ(Run("walk\nrun\n"), kSomeNotFound);
    std::istringstream lines(out_.str());
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    const auto failed = nlohmann::json::parse(line);
    EXPECT_EQ(failed["text"], "walk");
    EXPECT_NE(failed["error"].get<std::string>().find("NULL"), std::string::npos);
    ASSERT_TRUE(std::getline(lines, line));
    const auto found = nlohmann::json::parse(line);
    EXPECT_EQ(found["answer"], "run\r\n走る\r\n(動詞)\r\n\r\n");
    EXPECT_EQ(found["queries"],
              nlohmann::json::parse(R"([{"kind":"exact","word":"run","rows":1}])"));
    EXPECT_FALSE(found.contains("error"));
    EXPECT_NE(err_.str().find("walk"), std::string::npos);
}

TEST_F(LookupToolTest, UnusableDictionaryIsAUsageErrorNamingThePath) {
    for (const std::string& path : {dir_.File("missing"), dir_.path().string()}) {
        options_.dictionary = path;
        options_.texts = {"run"};
        EXPECT_EQ(Run(), kUsageError);
        EXPECT_NE(err_.str().find(path), std::string::npos) << err_.str();
        EXPECT_EQ(out_.str(), "");
    }
    const std::string not_a_dictionary = dir_.File("notes.txt");
    WriteBytes(not_a_dictionary, std::string(2000, 'n'));
    options_.dictionary = not_a_dictionary;
    EXPECT_EQ(Run(), kUsageError);
    EXPECT_NE(err_.str().find("SQLite"), std::string::npos) << err_.str();
}

}  // namespace
}  // namespace quorvantix::testing
