#include "builder/CoverageCheck.h"

#include <algorithm>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <vector>

#include "builder/DictBuild.h"
#include "builder/FormRows.h"
#include "builder/SkipTally.h"
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

class WordListSink final : public EntrySink {
  public:
    void Add(std::string_view, std::string_view) override {}
    void Skip(long number) override { skips.Count(number); }
    void Reached(uint64_t, uint64_t) override {}
    SkipTally skips;
};

std::vector<ListedWord> ReadWordList(const std::string& path, std::ostream& err) {
    std::vector<ListedWord> words;
    WordListSink sink;
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        std::vector<std::string> listed = ListedWords(line);
        words.push_back({listed.front(), {listed.begin() + 1, listed.end()}});
        return true;
    });
    if (const std::string report = sink.skips.Report("line", "lines"); !report.empty()) {
        err << "quorvantix-dict: " << path << ": " << report << '\n';
    }
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
    for (const std::string& base : listed.bases) {
        checked.names_base = checked.names_base || NamesWord(entry, base);
    }
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

void ListWords(const std::vector<Checked>& checked, Lead lead, const std::string& title,
               std::ostream& out) {
    std::string line;
    for (const Checked& word : checked) {
        if (word.lead != lead) {
            continue;
        }
        line += (line.empty() ? "" : ", ") + word.listed.word;
        if (lead == Lead::OtherWord || lead == Lead::BaseForm) {
            line += " (" + word.first_headword + ")";
        }
    }
    if (!line.empty()) {
        out << title << ": " << line << '\n';
    }
}

void Report(const std::string& file, const std::string& word_list,
            const std::vector<Checked>& checked, std::ostream& out) {
    size_t counts[4] = {};
    size_t with_bases = 0;
    size_t naming = 0;
    for (const Checked& word : checked) {
        ++counts[static_cast<int>(word.lead)];
        if (!word.listed.bases.empty()) {
            ++with_bases;
            naming += word.names_base ? 1 : 0;
        }
    }
    const size_t total = checked.size();
    out << file << ": the " << total << " words of " << word_list << '\n'
        << "  led by the word itself or a base form: "
        << Share(counts[static_cast<int>(Lead::Itself)] + counts[static_cast<int>(Lead::BaseForm)],
                 total)
        << '\n'
        << "    by the word itself: " << Share(counts[static_cast<int>(Lead::Itself)], total)
        << '\n'
        << "    by a base form: " << Share(counts[static_cast<int>(Lead::BaseForm)], total) << '\n'
        << "  led by another word: " << Share(counts[static_cast<int>(Lead::OtherWord)], total)
        << '\n'
        << "  not answered: " << Share(counts[static_cast<int>(Lead::NoAnswer)], total) << '\n';
    if (with_bases > 0) {
        out << "  first entry names a listed base form: " << Share(naming, with_bases) << '\n';
    }
    ListWords(checked, Lead::BaseForm, "led by a base form", out);
    ListWords(checked, Lead::OtherWord, "led by another word", out);
    ListWords(checked, Lead::NoAnswer, "not answered", out);
    std::string unnamed;
    for (const Checked& word : checked) {
        if (!word.listed.bases.empty() && !word.names_base) {
            unnamed += (unnamed.empty() ? "" : ", ") + word.listed.word;
        }
    }
    if (!unnamed.empty()) {
        out << "first entry names no listed base form: " << unnamed << '\n';
    }
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
