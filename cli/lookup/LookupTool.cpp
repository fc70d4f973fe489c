#include "cli/lookup/LookupTool.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "lookup/DictionaryCheck.h"
#include "lookup/LookupWord.h"
#include "lookup/Queries.h"
#include "lookup/QueryTrace.h"
#include "text/AsciiText.h"

namespace quorvantix {

namespace {

struct Outcome {
    std::string answer;
    std::string error;
    std::vector<QueryRecord> queries;
};

// The text prepared as the clipboard watch prepares it, then looked up.
Outcome LookUp(const std::string& text, const LookupToolOptions& options) {
    Outcome outcome;
    QueryRecorder recorder;
    {
        ScopedQueryObserver scope(recorder);
        try {
            outcome.answer = LookupWord(LowerAsciiLetters(TrimLowBytes(text)), options.dictionary,
                                        "", false, options.phrases);
        } catch (const std::exception& failure) {
            outcome.error = failure.what();
        }
    }
    outcome.queries = std::move(recorder.queries);
    return outcome;
}

nlohmann::json ToJson(const std::string& text, const Outcome& outcome) {
    nlohmann::json queries = nlohmann::json::array();
    for (const QueryRecord& query : outcome.queries) {
        queries.push_back(
            {{"kind", QueryKindName(query.kind)}, {"word", query.candidate}, {"rows", query.rows}});
    }
    nlohmann::json object = {{"text", text}, {"answer", outcome.answer}, {"queries", queries}};
    if (!outcome.error.empty()) {
        object["error"] = outcome.error;
    }
    return object;
}

void Report(const std::string& text, const Outcome& outcome, const LookupToolOptions& options,
            std::ostream& out, std::ostream& err) {
    if (options.explain) {
        for (const QueryRecord& query : outcome.queries) {
            err << QueryKindName(query.kind) << '\t' << query.candidate << '\t' << query.rows
                << '\n';
        }
    }
    if (!outcome.error.empty()) {
        err << "quorvantix-lookup: lookup of \"" << text << "\" failed: " << outcome.error << '\n';
    }
    if (options.json) {
        out << ToJson(text, outcome).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
            << '\n';
    } else if (outcome.error.empty()) {
        if (outcome.answer.empty()) {
            out << "No Data\n";
        } else {
            out << (options.raw ? outcome.answer : WithLfLineEnds(outcome.answer));
        }
    }
    out.flush();
}

}  // namespace

int RunLookupTool(const LookupToolOptions& options, std::istream& in, std::ostream& out,
                  std::ostream& err) {
    if (const std::string problem = DictionaryProblem(options.dictionary); !problem.empty()) {
        err << "quorvantix-lookup: dictionary " << options.dictionary << ": " << problem << '\n';
        return kUsageError;
    }
    bool all_found = true;
    auto handle = [&](const std::string& text) {
        const Outcome outcome = LookUp(text, options);
        all_found = all_found && outcome.error.empty() && !outcome.answer.empty();
        Report(text, outcome, options, out, err);
    };
    if (options.texts.empty()) {
        for (std::string line; std::getline(in, line);) {
            handle(line);
        }
    } else {
        for (const std::string& text : options.texts) {
            handle(text);
        }
    }
    return all_found ? kAllFound : kSomeNotFound;
}

}  // namespace quorvantix
