// The whole lookup with arbitrary text, prepared as the clipboard watch prepares it, over a
// small dictionary written once per process, with phrase search on.
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "dictgen/DictionaryFile.h"
#include "fuzz/FuzzSupport.h"
#include "lookup/LookupWord.h"
#include "lookup/QueryTrace.h"
#include "text/AsciiText.h"

namespace fuzz = quorvantix::fuzz;
using quorvantix::QueryKind;
using quorvantix::QueryRecord;
using quorvantix::QueryRecorder;

namespace {

// Headwords that the cascade reaches from many texts, and some that test the queries' edges:
// case, a LIKE wildcard, bytes above ASCII, padded definitions, and punctuation between
// letters, in headwords short enough that a few mutated bytes reach their prefix ranges.
const std::vector<quorvantix::testing::Row> kRows = {
    {"run", "走る"},
    {"running", "走ること"},
    {"knife", "ナイフ"},
    {"happy", "幸せな"},
    {"Happiness", " \t幸福\r\n"},
    {"give", "与える"},
    {"give up", "諦める"},
    {"never give in", "屈しない"},
    {"care", "注意"},
    {"100%", "完全に"},
    {"snake_case", "スネークケース"},
    {"café", "カフェ"},
    {"x-ray", "X線"},
    {"a_b", "AかB"},
    {"o'clock", "時"},
    {"c[1]", "配列"},
};

constexpr size_t kMostQueriesPerCascade = 12;
constexpr int kMostRowsPerWordQuery = 5;
constexpr int kMostRowsPerPhraseQuery = 10;

const std::string& Dictionary() {
    static const std::string path = [] {
        const std::string file = (fuzz::ScratchFolder() / "Tessaryn").string();
        quorvantix::testing::WriteDictionary(file, kRows);
        return file;
    }();
    return path;
}

std::string Lower(std::string_view text) {
    return quorvantix::LowerAsciiLetters(text);
}

// Whether the headword fits the query that returned it, A-Z case ignored as the queries do.
bool Answers(const QueryRecord& query, std::string_view headword) {
    const std::string lower = Lower(headword);
    switch (query.kind) {
        case QueryKind::Exact:
            return lower == Lower(query.candidate);
        case QueryKind::Prefix:
            return lower.starts_with(Lower(query.candidate));
        case QueryKind::Phrase:
            return lower != Lower(query.candidate) &&
                   (" " + lower + " ").find(" " + Lower(query.candidate) + " ") !=
                       std::string::npos;
    }
    return false;
}

// Takes one entry block of a dictionary row from the front of the answer; the row it is.
const quorvantix::testing::Row* TakeBlock(std::string_view& answer) {
    for (const auto& row : kRows) {
        const std::string block =
            *row.headword + "\r\n" + quorvantix::TrimLowBytes(*row.definition) + "\r\n\r\n";
        if (answer.starts_with(block)) {
            answer.remove_prefix(block.size());
            return &row;
        }
    }
    return nullptr;
}

// The second cascade, on the text without its prefix, runs only when the first found nothing
// and starts with an exact query of that stem; somewhere the word queries must split so.
bool SplitsIntoTwoCascades(const std::vector<QueryRecord>& queries, const std::string& text) {
    std::vector<QueryRecord> words;
    std::copy_if(queries.begin(), queries.end(), std::back_inserter(words),
                 [](const QueryRecord& query) { return query.kind != QueryKind::Phrase; });
    if (words.size() <= kMostQueriesPerCascade) {
        return true;
    }
    const std::string stem = quorvantix::StemWithoutPrefix(text);
    for (size_t split = words.size() - kMostQueriesPerCascade;
         split <= kMostQueriesPerCascade && split < words.size(); ++split) {
        const bool first_found_nothing =
            std::all_of(words.begin(), words.begin() + static_cast<long>(split),
                        [](const QueryRecord& query) { return query.rows == 0; });
        if (!stem.empty() && first_found_nothing && words[split].kind == QueryKind::Exact &&
            words[split].candidate == stem) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& dictionary = Dictionary();
    const std::string text =
        quorvantix::LowerAsciiLetters(quorvantix::TrimLowBytes(fuzz::AsText(data, size)));
    QueryRecorder log;
    std::string answer;
    {
        quorvantix::ScopedQueryObserver scope(log);
        answer = quorvantix::LookupWord(text, dictionary, "", false, true);
    }

    size_t word_queries = 0;
    size_t phrase_queries = 0;
    for (const QueryRecord& query : log.queries) {
        fuzz::Check(query.candidate.size() <= text.size(),
                    "every candidate is the text or shorter");
        if (query.kind == QueryKind::Phrase) {
            ++phrase_queries;
            fuzz::Check(query.rows <= kMostRowsPerPhraseQuery, "a phrase query reads ten rows");
        } else {
            ++word_queries;
            fuzz::Check(query.rows <= kMostRowsPerWordQuery, "a word query reads five rows");
        }
    }
    fuzz::Check(word_queries <= 2 * kMostQueriesPerCascade,
                "at most 24 exact and prefix queries per lookup");
    fuzz::Check(phrase_queries <= 1, "at most one phrase query per lookup");
    fuzz::Check(SplitsIntoTwoCascades(log.queries, text),
                "at most 12 exact and prefix queries per cascade");

    std::string_view rest = answer;
    for (const QueryRecord& query : log.queries) {
        for (int row = 0; row < query.rows; ++row) {
            const auto* found = TakeBlock(rest);
            fuzz::Check(found != nullptr,
                        "the answer is entry blocks of dictionary rows, one per row read");
            fuzz::Check(Answers(query, *found->headword), "every row fits the query that read it");
        }
    }
    fuzz::Check(rest.empty(), "the answer holds nothing but the blocks of the rows read");
    return 0;
}
