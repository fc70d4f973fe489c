#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {

using Rows = std::vector<std::pair<std::string, std::string>>;

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs quorvantix-dict with the arguments (without the program name).
ToolRun RunDict(const std::vector<std::string>& arguments);

// Every row of tbl00 in rowid order.
Rows ReadRows(const std::string& dictionary);

// The text converted from UTF-8 to a legacy encoding such as "CP932" or "EUC-JP".
std::string Encoded(const std::string& utf8, const std::string& encoding);

// The names in the folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

// One sense of a small WordNet database written for a test: its class ("noun", "verb", "adj",
// "adv"), its words as the synset spells them, its gloss, and how often tagged texts use it.
struct TestSynset {
    std::string word_class;
    std::vector<std::string> words;
    std::string gloss;
    int tagged = 0;
};

// Writes index.* and data.* for the synsets, each word's senses in the order given, and the
// exception lists ("noun.exc" → its lines), all four always there, into the folder.
void WriteWordnet(const std::filesystem::path& folder, const std::vector<TestSynset>& synsets,
                  const std::map<std::string, std::string>& exception_lists = {});

// A folder for a test's inputs, and the dictionary file to build in it.
class DictBuildTest : public ::testing::Test {
  protected:
    std::string Input(const std::string& name, const std::string& bytes) {
        return folder_.WriteFile(name, bytes);
    }

    TempDir folder_;
    const std::string out_ = folder_.File("Out");
};

}  // namespace quorvantix::testing
