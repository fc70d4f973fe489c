#pragma once

#include <gtest/gtest.h>

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
