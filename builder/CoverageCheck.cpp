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
#include "builder/WordnetMorphology.h"
#include "builder/formats/CorpusWords.h"
#include "builder/formats/DecodedLines.h"
#include "builder/formats/FormsList.h"
#include "builder/formats/WordnetReader.h"
#include "lookup/DictionaryCheck.h"
#include "lookup/LookupWord.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

enum class Lead { Itself, Base, OtherWord, NoAnswer };

struct ListedWord {
    std::string word;
    long count = 1;
    std::vector<std::string> listed_bases;
};

struct Checked {
    ListedWord listed;
    Lead lead = Lead::NoAnswer;
    std::string first_headword;
    bool japanese = false;    // the first entry is Japanese, for the word or its base
    bool content = false;     // WordNet knows the word
    bool names_base = false;  // the first entry names a base the list names
};

std::vector<ListedWord> ReadWordList(const std::string& path, std::ostream& err) {
    std::vector<ListedWord> words;
    ListSink sink([](std::string_view, std::string_view) {});
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        std::vector<std::string> listed = ListedWords(line);
        words.push_back({listed.front(), 1, {listed.begin() + 1, listed.end()}});
        return true;
    });
    sink.skips().WriteReport(err, path, "line", "lines");
    return words;
}

std::vector<ListedWord> ReadCorpus(const std::string& path, std::ostream& err) {
    ListSink sink([](std::string_view, std::string_view) {});
    std::vector<ListedWord> words;
    for (WordType& type : WordTypesOf(path, sink)) {
        words.push_back({std::move(type.word), type.count, {}});
    }
    sink.skips().WriteReport(err, path, "line", "lines");
    return words;
}

// The answer's first entry: its headword line and the lines after it.
std::string_view FirstEntry(std::string_view answer) {
    return answer.substr(0, answer.find("\r\n\r\n"));
}

// Kana or kanji: UTF-8 lead bytes E4 to E9 (U+4000 to U+9FFF), or E3 followed by 81 or more
// (U+3040 on; E3 80 is U+3000 to U+303F, the punctuation 、。〔〕).
bool HoldsKanaOrKanji(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead >= 0xE4 && lead <= 0xE9) || (lead == 0xE3 && next >= 0x81)) {
            return true;
        }
    }
    return false;
}

// A form row's first line: the base word, then " の変化形" or " の複数形".
bool IsFormRowHeading(std::string_view line) {
    for (std::string_view kind : {" の変化形", " の複数形"}) {
        if (line.ends_with(kind) && !HoldsKanaOrKanji(line.substr(0, line.size() - kind.size()))) {
            return true;
        }
    }
    return false;
}

// Whether an entry's lines say something in Japanese: not the English-English mark, and not
// the first line of a form's row ("bin の変化形"), whose base may have English lines only.
bool SaysInJapanese(std::string_view lines) {
    for (bool first = true; !lines.empty(); first = false) {
        const size_t end = std::min(lines.find("\r\n"), lines.size());
        std::string line(lines.substr(0, end));
        lines.remove_prefix(std::min(end + 2, lines.size()));
        if (first && IsFormRowHeading(line)) {
            continue;
        }
        for (size_t mark = line.find(kEnglishEnglishMark); mark != std::string::npos;
             mark = line.find(kEnglishEnglishMark)) {
            line.erase(mark, kEnglishEnglishMark.size());
        }
        if (HoldsKanaOrKanji(line)) {
            return true;
        }
    }
    return false;
}

// The word without a possessive ending (man's, workers'), or empty when it has none.
std::string PossessorOf(std::string_view word) {
    if (word.ends_with("'s") && word.size() > 2) {
        return std::string(word.substr(0, word.size() - 2));
    }
    if (word.ends_with("s'") && word.size() > 2) {
        return std::string(word.substr(0, word.size() - 1));
    }
    return {};
}

// The word's bases by WordNet's morphology; a possessive's are its possessor's and the
// possessor itself.
std::vector<std::string> BasesOf(const std::string& word, const WordnetMorphology& morphology) {
    const std::string possessor = PossessorOf(word);
    if (possessor.empty()) {
        return morphology.BaseForms(word);
    }
    std::vector<std::string> bases = morphology.BaseForms(possessor);
    if (!bases.empty()) {
        bases.insert(bases.begin(), LowerAsciiLetters(possessor));
    }
    return bases;
}

Checked Check(ListedWord listed, const std::string& file, const WordnetMorphology& morphology) {
    Checked checked;
    std::vector<std::string> bases = BasesOf(listed.word, morphology);
    checked.content = !bases.empty();
    bases.insert(bases.end(), listed.listed_bases.begin(), listed.listed_bases.end());
    checked.listed = std::move(listed);
    const std::string answer =
        LookupWord(LowerAsciiLetters(checked.listed.word), file, "", false, false);
    const std::string_view entry = FirstEntry(answer);
    if (entry.empty()) {
        return checked;
    }
    const size_t headword_end = std::min(entry.find("\r\n"), entry.size());
    checked.first_headword = entry.substr(0, headword_end);
    checked.names_base =
        std::any_of(checked.listed.listed_bases.begin(), checked.listed.listed_bases.end(),
                    [&](const std::string& base) { return NamesWord(entry, base); });
    if (SameIgnoringAsciiCase(checked.first_headword, checked.listed.word)) {
        checked.lead = Lead::Itself;
    } else if (std::any_of(bases.begin(), bases.end(), [&](const std::string& base) {
                   return SameIgnoringAsciiCase(checked.first_headword, base);
               })) {
        checked.lead = Lead::Base;
    } else {
        checked.lead = Lead::OtherWord;
    }
    checked.japanese = checked.lead != Lead::OtherWord &&
                       SaysInJapanese(entry.substr(std::min(headword_end + 2, entry.size())));
    return checked;
}

using Test = std::function<bool(const Checked&)>;

Test LedBy(Lead lead) {
    return [lead](const Checked& word) { return word.lead == lead; };
}

bool LedByWordOrBase(const Checked& word) {
    return word.lead == Lead::Itself || word.lead == Lead::Base;
}

bool ListsBases(const Checked& word) {
    return !word.listed.listed_bases.empty();
}

std::string Percent(long count, long total) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(1)
         << (total ? 100.0 * static_cast<double>(count) / static_cast<double>(total) : 0.0);
    return text.str();
}

class Reporter {
  public:
    Reporter(const std::vector<Checked>& checked, bool corpus, std::ostream& out)
        : checked_(checked), corpus_(corpus), out_(out) {}

    // "x of N (p %)", and for a text ", y of T running words (q %)", over the words that pass
    // within.
    void Share(std::string_view title, const Test& test, const Test& within = {}) {
        long count = 0, total = 0, running = 0, running_total = 0;
        for (const Checked& word : checked_) {
            if (!within || within(word)) {
                ++total;
                running_total += word.listed.count;
                if (test(word)) {
                    ++count;
                    running += word.listed.count;
                }
            }
        }
        out_ << title << ": " << count << " of " << total << " (" << Percent(count, total) << " %)";
        if (corpus_) {
            out_ << ", " << running << " of " << running_total << " running words ("
                 << Percent(running, running_total) << " %)";
        }
        out_ << '\n';
    }

    // "TITLE: word, word (first headword), …", or nothing when no word passes the test; for a
    // text each word with its count.
    void List(std::string_view title, const Test& test, bool with_headword) {
        std::string line;
        for (const Checked& word : checked_) {
            if (test(word)) {
                line += (line.empty() ? "" : ", ") + word.listed.word;
                line += corpus_ ? " ×" + std::to_string(word.listed.count) : "";
                line += with_headword ? " (" + word.first_headword + ")" : "";
            }
        }
        if (!line.empty()) {
            out_ << title << ": " << line << '\n';
        }
    }

  private:
    const std::vector<Checked>& checked_;
    bool corpus_;
    std::ostream& out_;
};

void Report(const std::vector<Checked>& checked, bool corpus, std::ostream& out) {
    Reporter report(checked, corpus, out);
    const Test content = [](const Checked& word) { return word.content; };
    const Test japanese = [](const Checked& word) { return word.japanese; };
    report.Share("  led by the word itself or its base", LedByWordOrBase);
    report.Share("    by the word itself", LedBy(Lead::Itself));
    report.Share("    by its base", LedBy(Lead::Base));
    report.Share("  led by another word", LedBy(Lead::OtherWord));
    report.Share("  not answered", LedBy(Lead::NoAnswer));
    report.Share("  first entry in Japanese, for the word or its base", japanese);
    report.Share("  content words (WordNet knows them)", content);
    report.Share("    led by the word itself or its base", LedByWordOrBase, content);
    report.Share("    first entry in Japanese, for the word or its base", japanese, content);
    if (std::any_of(checked.begin(), checked.end(), ListsBases)) {
        report.Share(
            "  first entry names a listed base form",
            [](const Checked& word) { return word.names_base; }, ListsBases);
    }
    report.List("led by its base", LedBy(Lead::Base), true);
    report.List("led by another word", LedBy(Lead::OtherWord), true);
    report.List("not answered", LedBy(Lead::NoAnswer), false);
    report.List(
        "content words led by the word or its base, not in Japanese",
        [](const Checked& word) { return word.content && LedByWordOrBase(word) && !word.japanese; },
        false);
    report.List(
        "first entry names no listed base form",
        [](const Checked& word) { return ListsBases(word) && !word.names_base; }, false);
}

}  // namespace

int RunCoverageCheck(const std::string& file, const CoverageOptions& options, std::ostream& out,
                     std::ostream& err) {
    if (const std::string problem = DictionaryProblem(file); !problem.empty()) {
        err << "quorvantix-dict: " << file << ": " << problem << '\n';
        return kDictFailed;
    }
    try {
        const bool corpus = !options.corpus.empty();
        const WordnetMorphology morphology(options.wordnet);
        std::vector<Checked> checked;
        for (ListedWord& word :
             corpus ? ReadCorpus(options.corpus, err) : ReadWordList(options.word_list, err)) {
            checked.push_back(Check(std::move(word), file, morphology));
        }
        long running = 0;
        for (const Checked& word : checked) {
            running += word.listed.count;
        }
        out << file << ": the " << checked.size()
            << (corpus ? " distinct words of " + options.corpus + " (" + std::to_string(running) +
                             " running words)"
                       : " words of " + options.word_list)
            << "; bases by WordNet's morphology (" << options.wordnet << ")\n";
        Report(checked, corpus, out);
        return kDictOk;
    } catch (const std::exception& failure) {
        err << "quorvantix-dict: " << failure.what() << '\n';
        return kDictFailed;
    }
}

}  // namespace quorvantix::dict
