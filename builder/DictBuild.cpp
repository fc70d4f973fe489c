#include "builder/DictBuild.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <iomanip>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "builder/FormRows.h"
#include "builder/ListSink.h"
#include "builder/ProgressLine.h"
#include "builder/ReadAhead.h"
#include "builder/SkipTally.h"
#include "builder/WordClassOrder.h"
#include "builder/formats/DictdReader.h"
#include "builder/formats/EdictReverse.h"
#include "builder/formats/EijiroReader.h"
#include "builder/formats/EntrySink.h"
#include "builder/formats/FormsList.h"
#include "builder/formats/MdbReader.h"
#include "builder/formats/StardictReader.h"
#include "builder/formats/TsvReader.h"
#include "builder/formats/WordnetReader.h"
#include "builder/io/CompanionFiles.h"
#include "builder/io/InputError.h"
#include "builder/io/Interruption.h"
#include "platform/AtomicFile.h"
#include "platform/DatabaseError.h"
#include "platform/DictionaryWriter.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr long long kCheckEvery = 4096;
constexpr size_t kHeadwordsExpected = size_t{1} << 19;

using Input = std::pair<std::string, InputFormat>;

// What a skipped number counts in each format, in the singular and the plural.
std::pair<std::string_view, std::string_view> SkipUnit(InputFormat format) {
    switch (format) {
        case InputFormat::Stardict:
            return {"entry", "entries"};
        case InputFormat::Mdb:
            return {"record", "records"};
        case InputFormat::Dictd:
            return {"index line", "index lines"};
        default:
            return {"line", "lines"};
    }
}

void ReportSkips(std::ostream& err, const Input& input, const SkipTally& skips) {
    const auto [one, many] = SkipUnit(input.second);
    skips.WriteReport(err, input.first, one, many);
}

class BuildSink final : public EntrySink {
  public:
    BuildSink(db::DictionaryWriter& writer, ProgressLine& progress, FormRows& forms,
              bool keeps_headwords, const WordClassOrder* order)
        : writer_(writer),
          progress_(progress),
          forms_(forms),
          keeps_headwords_(keeps_headwords),
          order_(order) {
        if (keeps_headwords_) {
            headwords_.reserve(kHeadwordsExpected);
        }
    }

    void StartInput(const std::string& name) {
        progress_.StartInput(name);
        skips_ = SkipTally();
    }

    // Writes the rows held back for ordering; called at the end of each input.
    void EndInput() {
        if (order_) {
            order_->Order(run_);
        }
        for (const db::DictionaryRow& row : run_) {
            Write(row.headword, row.definition);
        }
        run_.clear();
    }

    // With an order, the rows of one headword are held until the next headword comes.
    void Add(std::string_view headword, std::string_view definition) override {
        if (!order_) {
            Write(headword, definition);
            return;
        }
        if (!run_.empty() && !SameIgnoringAsciiCase(run_.front().headword, headword)) {
            EndInput();
        }
        run_.push_back({std::string(headword), std::string(definition)});
    }

    void Skip(long number) override { skips_.Count(number); }

    void Reached(uint64_t done, uint64_t total) override {
        done_ = done;
        total_ = total;
        StopIfInterrupted();
        progress_.Update(writer_.rows(), done, total);
    }

    // Whether a row of this headword (in lower case) was added; known only when the sink was
    // asked to keep the headwords.
    bool Holds(const std::string& headword) const { return headwords_.contains(headword); }
    void NoteHeadword(std::string_view headword) {
        if (keeps_headwords_) {
            headwords_.insert(LowerAsciiLetters(headword));
        }
    }

    const SkipTally& skips() const noexcept { return skips_; }

  private:
    void Write(std::string_view headword, std::string_view definition) {
        writer_.Add(headword, definition);
        if (!forms_.empty() || keeps_headwords_) {
            std::string lower = LowerAsciiLetters(headword);
            if (!forms_.empty()) {
                forms_.Notice(lower, definition);
            }
            if (keeps_headwords_) {
                headwords_.insert(std::move(lower));
            }
        }
        if (writer_.rows() % kCheckEvery == 0) {
            StopIfInterrupted();
            progress_.Update(writer_.rows(), done_, total_);
        }
    }

    db::DictionaryWriter& writer_;
    ProgressLine& progress_;
    FormRows& forms_;
    bool keeps_headwords_;
    const WordClassOrder* order_;
    std::vector<db::DictionaryRow> run_;
    std::unordered_set<std::string> headwords_;
    uint64_t done_ = 0;
    uint64_t total_ = 0;
    SkipTally skips_;
};

// The pairs of the forms lists, then the words of the lemma lists.
FormRows ReadFormsLists(const BuildOptions& options, std::ostream& err) {
    FormRows forms;
    const auto read = [&](const std::string& list, auto&& read_list, auto&& take) {
        const WordClass word_class = WordClassOfList(list);
        ListSink sink([&](std::string_view first, std::string_view second) {
            take(first, second, word_class);
        });
        read_list(list, sink);
        sink.skips().WriteReport(err, list, "line", "lines");
    };
    for (const std::string& list : options.forms) {
        read(list, ReadFormsList, [&](std::string_view form, std::string_view base, WordClass c) {
            forms.AddPair(form, base, c);
        });
    }
    for (const std::string& list : options.lemmas) {
        read(list, ReadWordnetLemmas, [&](std::string_view lemma, std::string_view, WordClass c) {
            forms.AddLemma(lemma, c);
        });
    }
    return forms;
}

// The rows of the inflected forms that the lookup needs, their headwords noted as held.
FormRows::Result FormRowsFor(const FormRows& forms, BuildSink& sink, const WordClassOrder* order) {
    if (forms.empty()) {
        return {};
    }
    FormRows::Result result = forms.Rows(
        [&](const std::string& headword) { return sink.Holds(headword); },
        order ? FormRows::UseCount([order](const std::string& word) { return order->UsesOf(word); })
              : FormRows::UseCount());
    for (const db::DictionaryRow& row : result.rows) {
        sink.NoteHeadword(row.headword);
    }
    return result;
}

// Puts the rows of the inflected forms before every other row of their headwords.
void AddFormRows(const FormRows& forms, const FormRows::Result& result,
                 db::DictionaryWriter& writer, std::ostream& err) {
    if (forms.empty()) {
        return;
    }
    writer.AddFirst(result.rows);
    for (const db::DictionaryRow& row : result.later_rows) {
        writer.Add(row.headword, row.definition);
    }
    err << "quorvantix-dict: inflected forms: " << result.rows.size() + result.later_rows.size()
        << " rows added";
    if (!result.later_rows.empty()) {
        err << " (" << result.later_rows.size()
            << " after the rows of a word used in its own right)";
    }
    err << "; " << result.base_absent << " left out (base word not in the dictionary), "
        << result.already_named << " left out (the form's own first entry names its base)";
    if (forms.has_lemmas()) {
        err << ", " << result.reached << " left out (the lookup reaches the base word)";
    }
    err << '\n';
}

void ReadInput(const Input& input, const BuildOptions& options, BuildSink& sink) {
    const auto& [path, format] = input;
    switch (format) {
        case InputFormat::Tsv:
            ReadTsv(path, options.keep_commas, sink);
            break;
        case InputFormat::Dictd:
            ReadDictd(path, sink);
            break;
        case InputFormat::Stardict:
            ReadStardict(path, sink);
            break;
        case InputFormat::Eijiro:
            ReadEijiro(path, sink);
            break;
        case InputFormat::EdictReverse:
            ReadEdictReverse(path, sink);  // read ahead by Build
            break;
        case InputFormat::Mdb:
            ReadMdb(path, options.mdb_export, sink);
            break;
        case InputFormat::Wordnet:
            break;  // read ahead and added after every other input by Build
    }
}

// The file that names the dictionary an input belongs to: for a dictd or StarDict dictionary
// its index or .ifo, whichever of its files was given; else the input itself.
std::string NamingFile(const Input& input) {
    const std::string base = WithoutDataSuffix(input.first);
    std::optional<std::string> naming;
    if (input.second == InputFormat::Dictd) {
        naming = FirstExisting(base, {".index"});
    } else if (input.second == InputFormat::Stardict) {
        naming = FirstExisting(base, {".ifo"});
    }
    return naming.value_or(input.first);
}

// The same dictionary however it is named: its naming file's device and inode, or its path
// when the file cannot be looked at (reading it will say why).
std::string DictionaryIdentity(const Input& input) {
    const std::string file = NamingFile(input);
    struct stat status = {};
    if (::stat(file.c_str(), &status) != 0) {
        return file;
    }
    return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

// Every input with its format, told before anything is written. An input naming a dictionary
// named before (both files of one dictd dictionary, say) is read only once.
std::vector<Input> ResolveInputs(const BuildOptions& options, std::ostream& err) {
    std::vector<Input> inputs;
    std::map<std::string, std::string> named;
    for (const std::string& path : options.inputs) {
        std::optional<InputFormat> format = options.format;
        if (!format) {
            format = DetectFormat(path);
        }
        if (!format) {
            throw InputError(
                path, "cannot tell its format; name it with --format (" + FormatNames() + ")");
        }
        const Input input(path, *format);
        const auto [earlier, is_new] = named.emplace(DictionaryIdentity(input), path);
        if (!is_new) {
            err << "quorvantix-dict: " << path << ": the same dictionary as " << earlier->second
                << "; read once\n";
            continue;
        }
        inputs.push_back(input);
    }
    return inputs;
}

bool IsWordnet(const Input& input) {
    return input.second == InputFormat::Wordnet;
}

using EdictAhead = ReadAhead<ReversedEdict>;
using WordnetAhead = ReadAhead<std::vector<WordnetEntry>>;

struct ReadingAhead {
    std::map<const Input*, std::unique_ptr<EdictAhead>> edicts;
    std::vector<std::unique_ptr<WordnetAhead>> wordnets;
};

// Starts reading ahead the inputs that must be read whole first, one after the other in the
// order they are needed: EDICT's where they stand, WordNet's after all others.
ReadingAhead StartReadingAhead(const std::vector<Input>& inputs) {
    ReadingAhead ahead;
    std::shared_future<void> previous;
    for (const Input& input : inputs) {
        const std::string path = input.first;
        if (input.second == InputFormat::EdictReverse) {
            auto& edict = ahead.edicts[&input] = std::make_unique<EdictAhead>(
                [path](EntrySink& sink) { return ReadReversedEdict(path, sink); }, previous);
            previous = edict->finished();
        } else if (IsWordnet(input)) {
            ahead.wordnets.push_back(std::make_unique<WordnetAhead>(
                [path](EntrySink& sink) { return ReadWordnetEntries(path, sink); }, previous));
            previous = ahead.wordnets.back()->finished();
        }
    }
    return ahead;
}

// Adds the definitions of the lemmas that no input holds and that are no form of a word one
// holds (abandoned, of abandon: its form row or the suffix rules lead there).
void AddWordnetDefinitions(const std::vector<WordnetEntry>& entries,
                           const std::unordered_set<std::string>& forms_of_held_words,
                           BuildSink& sink) {
    for (const WordnetEntry& entry : entries) {
        if (!sink.Holds(entry.lower) && !forms_of_held_words.contains(entry.lower)) {
            sink.Add(entry.headword, entry.definition);
        }
    }
}

// One build: the inputs read in order, those that must be read whole first read ahead; then
// WordNet's definitions for what no other input holds, the form rows, and the index.
class DictionaryBuild {
  public:
    DictionaryBuild(const BuildOptions& options, std::vector<Input> inputs, std::ostream& err)
        : options_(options),
          err_(err),
          inputs_(std::move(inputs)),
          // English definitions stand in only where no other input has the headword and it is
          // no form of a word one has; the form rows then know every headword the lookup may
          // reach.
          wordnet_(std::stable_partition(inputs_.begin(), inputs_.end(),
                                         [](const Input& input) { return !IsWordnet(input); })),
          // Before the lists and the first input are read, so that the inputs read ahead are
          // ready as soon as possible.
          ahead_(StartReadingAhead(inputs_)),
          pending_(options.out),
          writer_(pending_.path()),
          progress_(err, options.progress),
          forms_(ReadFormsLists(options, err)),
          order_(options.class_counts.empty()
                     ? std::nullopt
                     : std::optional<WordClassOrder>(std::in_place, options.class_counts, err)),
          sink_(writer_, progress_, forms_, forms_.has_lemmas() || wordnet_ != inputs_.end(),
                order_ ? &*order_ : nullptr) {}

    long long Run() {
        ReadInputsInOrder();
        AddWordnetDefinitions();
        AddFormRows();
        return Finish();
    }

  private:
    void ReadInputsInOrder() {
        for (auto input = inputs_.begin(); input != wordnet_; ++input) {
            sink_.StartInput(input->first);
            if (const auto ahead = ahead_.edicts.find(&*input); ahead != ahead_.edicts.end()) {
                ahead->second->Take(progress_, writer_.rows()).Deliver(sink_);
                EndInput(*input, ahead->second->skips());
                ahead->second.reset();
            } else {
                ReadInput(*input, options_, sink_);
                EndInput(*input, sink_.skips());
            }
        }
    }

    void AddWordnetDefinitions() {
        forms_.KeepHeldLemmas();
        if (ahead_.wordnets.empty()) {
            return;
        }
        const std::unordered_set<std::string> forms_of_held_words = forms_.FormsOfHeldWords();
        auto input = wordnet_;
        for (const auto& ahead : ahead_.wordnets) {
            sink_.StartInput(input->first);
            dict::AddWordnetDefinitions(ahead->Take(progress_, writer_.rows()), forms_of_held_words,
                                        sink_);
            EndInput(*input++, ahead->skips());
        }
    }

    void AddFormRows() {
        const FormRows::Result rows = FormRowsFor(forms_, sink_, order_ ? &*order_ : nullptr);
        dict::AddFormRows(forms_, rows, writer_, err_);
    }

    long long Finish() {
        const long long rows = writer_.rows();
        progress_.Note("making the headword index of " + std::to_string(rows) + " rows…");
        try {
            writer_.Finish([] { return InterruptRequested(); });
        } catch (const db::DatabaseError&) {
            StopIfInterrupted();
            throw;
        }
        progress_.Clear();
        StopIfInterrupted();
        pending_.Commit();
        return rows;
    }

    void EndInput(const Input& input, const SkipTally& skips) {
        sink_.EndInput();
        progress_.Clear();
        ReportSkips(err_, input, skips);
    }

    const BuildOptions& options_;
    std::ostream& err_;
    std::vector<Input> inputs_;
    std::vector<Input>::iterator wordnet_;  // the first WordNet input, after all others
    ReadingAhead ahead_;
    AtomicFile pending_;
    db::DictionaryWriter writer_;
    ProgressLine progress_;
    FormRows forms_;
    std::optional<WordClassOrder> order_;
    BuildSink sink_;
};

}  // namespace

int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
    const auto started = std::chrono::steady_clock::now();
    InterruptionGuard interruption;
    try {
        const std::vector<Input> inputs = ResolveInputs(options, err);
        const long long rows = DictionaryBuild(options, inputs, err).Run();
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        out << options.out << ": " << rows << (rows == 1 ? " row" : " rows") << " from "
            << inputs.size() << (inputs.size() == 1 ? " input" : " inputs") << " in " << std::fixed
            << std::setprecision(1) << seconds << " s\n";
        return kDictOk;
    } catch (const Interrupted&) {
        err << "quorvantix-dict: interrupted; " << options.out << " left as it was\n";
        return kDictInterrupted;
    } catch (const SavedButNotFlushed& failure) {
        err << "quorvantix-dict: " << failure.what() << '\n';
        return kDictFailed;
    } catch (const std::exception& failure) {
        err << "quorvantix-dict: " << failure.what() << "; " << options.out << " left as it was\n";
        return kDictFailed;
    }
}

}  // namespace quorvantix::dict
