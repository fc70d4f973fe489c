#include "builder/CoverageCheck.h"

#include <algorithm>
#include <functional>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <vector>

#include "builder/DictBuild.h"
#include "builder/FormRows.h"
#include "builder/ListSink.h"
#include "builder/formats/DecodedLines.h"
#include "builder/formats/FormsList.h"
#include "lookup/DictionaryCheck.h"
#include "lookup/LookupWord.h"
#include "lookup/QueryTrace.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

enum class Lead { Itself, BaseForm, OtherWord, NoAnswer };

struct ListedWord {
    std::string word;
    std::vector<std::string> bases;
};

struct Checked {
    ListedWord listed;
    Lead lead;
    std::string first_headword;
    bool names_base;
};

std::vector<ListedWord> ReadWordList(const std::string& path, std::ostream& err) {
    std::vector<ListedWord> words;
    ListSink sink([](std::string_view, std::string_view) {});
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        std::vector<std::string> listed = ListedWords(line);
        words.push_back({listed.front(), {listed.begin() + 1, listed.end()}});
        return true;
    });
    sink.skips().WriteReport(err, path, "line", "lines");
    return words;
}

bool SameWord(std::string_view a, std::string_view b) {
    return LowerAsciiLetters(a) == LowerAsciiLetters(b);
}

// The answer's first entry: its headword line and the lines after it.
std::string_view FirstEntry(std::string_view answer) {
    return answer.substr(0, answer.find("\r\n\r\n"));
}

// The queries of one lookup, and whether the answer came from shorter stems or prefixes.
class LeadRecorder final : public QueryObserver {
  public:
    void OnQuery(QueryKind, std::string_view, int rows) override {
        found_before_stems_ = found_before_stems_ || (rows > 0 && !in_stems_);
    }
    void OnShorterStems() override { in_stems_ = true; }

    bool found_by_rules() const { return found_before_stems_; }

  private:
    bool in_stems_ = false;
    bool found_before_stems_ = false;
};

Checked Check(const ListedWord& listed, const std::string& file) {
    LeadRecorder recorder;
    std::string answer;
    {
        ScopedQueryObserver observing(recorder);
        answer = LookupWord(listed.word, file, "", false, false);
    }
    Checked checked{listed, Lead::NoAnswer, {}, false};
    const std::string_view entry = FirstEntry(answer);
    if (entry.empty()) {
        return checked;
    }
    checked.first_headword = entry.substr(0, entry.find("\r\n"));
    checked.names_base =
        std::any_of(listed.bases.begin(), listed.bases.end(),
                    [&](const std::string& base) { return NamesWord(entry, base); });
    if (SameWord(checked.first_headword, listed.word)) {
        checked.lead = Lead::Itself;
    } else if (recorder.found_by_rules() ||
               std::any_of(listed.bases.begin(), listed.bases.end(), [&](const std::string& base) {
                   return SameWord(checked.first_headword, base);
               })) {
        checked.lead = Lead::BaseForm;
    } else {
        checked.lead = Lead::OtherWord;
    }
    return checked;
}

std::string Share(size_t count, size_t total) {
    std::ostringstream text;
    text << count << " of " << total << " (" << std::fixed << std::setprecision(1)
         << (total ? 100.0 * static_cast<double>(count) / static_cast<double>(total) : 0.0)
         << " %)";
    return text.str();
}

using Test = std::function<bool(const Checked&)>;

Test LedBy(Lead lead) {
    return [lead](const Checked& word) { return word.lead == lead; };
}

bool ListsBases(const Checked& word) {
    return !word.listed.bases.empty();
}

size_t CountOf(const std::vector<Checked>& checked, const Test& test) {
    return static_cast<size_t>(std::count_if(checked.begin(), checked.end(), test));
}

// "TITLE: word, word (first headword), …", or nothing when no word passes the test.
void ListWords(const std::vector<Checked>& checked, const Test& test, std::string_view title,
               bool with_headword, std::ostream& out) {
    std::string line;
    for (const Checked& word : checked) {
        if (test(word)) {
            line += (line.empty() ? "" : ", ") + word.listed.word;
            line += with_headword ? " (" + word.first_headword + ")" : "";
        }
    }
    if (!line.empty()) {
        out << title << ": " << line << '\n';
    }
}

void Report(const std::string& file, const std::string& word_list,
            const std::vector<Checked>& checked, std::ostream& out) {
    const size_t total = checked.size();
    const auto share = [&](const Test& test) { return Share(CountOf(checked, test), total); };
    out << file << ": the " << total << " words of " << word_list << '\n'
        << "  led by the word itself or a base form: " << share([](const Checked& word) {
               return word.lead == Lead::Itself || word.lead == Lead::BaseForm;
           })
        << '\n'
        << "    by the word itself: " << share(LedBy(Lead::Itself)) << '\n'
        << "    by a base form: " << share(LedBy(Lead::BaseForm)) << '\n'
        << "  led by another word: " << share(LedBy(Lead::OtherWord)) << '\n'
        << "  not answered: " << share(LedBy(Lead::NoAnswer)) << '\n';
    if (const size_t with_bases = CountOf(checked, ListsBases); with_bases > 0) {
        const size_t naming = CountOf(
            checked, [](const Checked& word) { return ListsBases(word) && word.names_base; });
        out << "  first entry names a listed base form: " << Share(naming, with_bases) << '\n';
    }
    ListWords(checked, LedBy(Lead::BaseForm), "led by a base form", true, out);
    ListWords(checked, LedBy(Lead::OtherWord), "led by another word", true, out);
    ListWords(checked, LedBy(Lead::NoAnswer), "not answered", false, out);
    ListWords(
        checked, [](const Checked& word) { return ListsBases(word) && !word.names_base; },
        "first entry names no listed base form", false, out);
}

}  // namespace

int RunCoverageCheck(const std::string& file, const std::string& word_list, std::ostream& out,
                     std::ostream& err) {
    if (const std::string problem = DictionaryProblem(file); !problem.empty()) {
        err << "quorvantix-dict: " << file << ": " << problem << '\n';
        return kDictFailed;
    }
    try {
        std::vector<Checked> checked;
        for (const ListedWord& word : ReadWordList(word_list, err)) {
            checked.push_back(Check(word, file));
        }
        Report(file, word_list, checked, out);
        return kDictOk;
    } catch (const std::exception& failure) {
        err << "quorvantix-dict: " << failure.what() << '\n';
        return kDictFailed;
    }
}

}  // namespace quorvantix::dict
