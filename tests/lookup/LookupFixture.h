#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookup/LookupWord.h"
#include "lookup/QueryTrace.h"
#include "tests/support/TestDictionary.h"

namespace quorvantix::testing {

// Records every query as "exact word", "prefix word" or "phrase word".
class QueryLog : public QueryObserver {
  public:
    void OnQuery(QueryKind kind, std::string_view candidate, int) override {
        lines.push_back(std::string(QueryKindName(kind)) + " " + std::string(candidate));
    }
    std::vector<std::string> lines;
};

class LookupFixture : public ::testing::Test {
  protected:
    void UseDictionary(const std::vector<Row>& rows) { WriteDictionary(dictionary_, rows); }

    std::string Lookup(const std::string& text, bool phrase_search = false) {
        return LookupWord(text, dictionary_, "", false, phrase_search);
    }

    // The queries one lookup makes, in order.
    std::vector<std::string> Trace(const std::string& text, bool phrase_search = false) {
        QueryLog log;
        ScopedQueryObserver scope(log);
        Lookup(text, phrase_search);
        return log.lines;
    }

    TempDir dir_;
    std::string dictionary_ = dir_.File("Tessaryn");
};

}  // namespace quorvantix::testing
