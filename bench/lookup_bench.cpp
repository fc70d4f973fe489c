// Times LookupWord against the floor the engine allows: one read-only open plus the same
// number of indexed probes through one prepared statement.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "dictgen/DictionaryFile.h"
#include "lookup/LookupWord.h"
#include "lookup/QueryTrace.h"

namespace {

using quorvantix::testing::Row;

std::string g_dictionary;

// Makes the most queries a lookup can: the cascade of a "-ves" word finds nothing, and so
// does the retry without "un".
const char* const kWorstCase = "unqzxjqzxves";
const std::vector<std::string> kCommonHits = {"running", "stopped",   "happiness",  "the",
                                              "knives",  "carefully", "statements", "given"};

constexpr long kRows = 2'000'000;

std::string RandomWord(std::mt19937& random) {
    std::uniform_int_distribution<int> length(3, 12);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string word(static_cast<size_t>(length(random)), 'a');
    for (char& c : word) {
        c = static_cast<char>(letter(random));
    }
    return word;
}

void MakeDictionary(const std::string& path) {
    if (std::filesystem::exists(path)) {
        return;
    }
    std::cerr << "writing a " << kRows << "-row dictionary to " << path << "\n";
    std::mt19937 random(20261208);
    std::vector<Row> rows;
    rows.reserve(kRows);
    for (const char* word : {"run", "stop", "happy", "the", "knife", "care", "careful", "state",
                             "statement", "give", "given"}) {
        rows.push_back({word, "よく使われる語の定義。品詞と訳語がいくつか並ぶ。"});
    }
    while (static_cast<long>(rows.size()) < kRows) {
        rows.push_back({RandomWord(random), "生成された見出し語の定義。訳語、用例、注記。"});
    }
    const std::string partial = path + ".partial";
    std::filesystem::remove(partial);
    quorvantix::testing::WriteDictionary(partial, rows);
    std::filesystem::rename(partial, path);
}

class QueryCounter : public quorvantix::QueryObserver {
  public:
    void OnQuery(quorvantix::QueryKind, std::string_view, int) override { ++count; }
    int count = 0;
};

int QueriesMadeBy(const std::string& word) {
    QueryCounter counter;
    quorvantix::ScopedQueryObserver scope(counter);
    quorvantix::LookupWord(word, g_dictionary, "", false, false);
    return counter.count;
}

void BM_LookupWorstCase(benchmark::State& state) {
    const int queries = QueriesMadeBy(kWorstCase);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            quorvantix::LookupWord(kWorstCase, g_dictionary, "", false, false));
    }
    state.counters["queries"] = queries;
}

void BM_LookupCommonHits(benchmark::State& state) {
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            quorvantix::LookupWord(kCommonHits[next], g_dictionary, "", false, false));
        next = (next + 1) % kCommonHits.size();
    }
}

// One read-only open, then the worst case's number of probes with one prepared statement.
void BM_FloorOpenAndProbes(benchmark::State& state) {
    const int probes = QueriesMadeBy(kWorstCase);
    const std::string word = kWorstCase;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(g_dictionary.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT fld1, fld2 FROM tbl00 WHERE fld1 = ?1 COLLATE NOCASE "
                           "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5",
                           -1, &statement, nullptr);
        for (int i = 0; i < probes; ++i) {
            const size_t length = word.size() - static_cast<size_t>(i % 6);
            sqlite3_bind_text(statement, 1, word.data(), static_cast<int>(length), SQLITE_STATIC);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, 1));
            }
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
        sqlite3_close_v2(db);
    }
    state.counters["queries"] = probes;
}

BENCHMARK(BM_LookupWorstCase)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorOpenAndProbes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LookupCommonHits)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: lookup_bench [benchmark options] DICTIONARY\n"
                     "(the dictionary is generated there when missing)\n";
        return 2;
    }
    g_dictionary = argv[1];
    MakeDictionary(g_dictionary);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
