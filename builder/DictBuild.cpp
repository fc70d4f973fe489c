#include "builder/DictBuild.h"

#include <sys/stat.h>

#include <chrono>
#include <iomanip>
#include <map>
#include <optional>
#include <ostream>
#include <utility>

#include "builder/FormRows.h"
#include "builder/ListSink.h"
#include "builder/ProgressLine.h"
#include "builder/SkipTally.h"
#include "builder/formats/DictdReader.h"
#include "builder/formats/EdictReverse.h"
#include "builder/formats/EijiroReader.h"
#include "builder/formats/EntrySink.h"
#include "builder/formats/FormsList.h"
#include "builder/formats/MdbReader.h"
#include "builder/formats/StardictReader.h"
#include "builder/formats/TsvReader.h"
#include "builder/io/CompanionFiles.h"
#include "builder/io/InputError.h"
#include "builder/io/Interruption.h"
#include "platform/AtomicFile.h"
#include "platform/DatabaseError.h"
#include "platform/DictionaryWriter.h"

namespace quorvantix::dict {

namespace {

constexpr long long kCheckEvery = 4096;

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

class BuildSink final : public EntrySink {
  public:
    BuildSink(db::DictionaryWriter& writer, ProgressLine& progress, FormRows& forms)
        : writer_(writer), progress_(progress), forms_(forms) {}

    void StartInput(const std::string& name) {
        progress_.StartInput(name);
        skips_ = SkipTally();
    }

    void Add(std::string_view headword, std::string_view definition) override {
        writer_.Add(headword, definition);
        if (!forms_.empty()) {
            forms_.Notice(headword, definition);
        }
        if (writer_.rows() % kCheckEvery == 0) {
            StopIfInterrupted();
            progress_.Update(writer_.rows(), done_, total_);
        }
    }

    void Skip(long number) override { skips_.Count(number); }

    void Reached(uint64_t done, uint64_t total) override {
        done_ = done;
        total_ = total;
        StopIfInterrupted();
        progress_.Update(writer_.rows(), done, total);
    }

    void WriteSkipReport(std::ostream& err, const Input& input) const {
        const auto [one, many] = SkipUnit(input.second);
        skips_.WriteReport(err, input.first, one, many);
    }

  private:
    db::DictionaryWriter& writer_;
    ProgressLine& progress_;
    FormRows& forms_;
    uint64_t done_ = 0;
    uint64_t total_ = 0;
    SkipTally skips_;
};

FormRows ReadFormsLists(const std::vector<std::string>& lists, std::ostream& err) {
    FormRows forms;
    for (const std::string& list : lists) {
        const WordClass word_class = WordClassOfList(list);
        ListSink sink([&](std::string_view form, std::string_view base) {
            forms.AddPair(form, base, word_class);
        });
        ReadFormsList(list, sink);
        sink.skips().WriteReport(err, list, "line", "lines");
    }
    return forms;
}

// Puts the rows of the irregular forms before every other row of their headwords.
void AddFormRows(const FormRows& forms, db::DictionaryWriter& writer, std::ostream& err) {
    if (forms.empty()) {
        return;
    }
    const FormRows::Result result = forms.Rows();
    writer.AddFirst(result.rows);
    err << "quorvantix-dict: inflected forms: " << result.rows.size() << " rows added; "
        << result.base_absent << " left out (base word not in the dictionary), "
        << result.already_named << " left out (the form's own first entry names its base)\n";
}

void ReadInput(const Input& input, const BuildOptions& options, EntrySink& sink) {
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
            ReadEdictReverse(path, sink);
            break;
        case InputFormat::Mdb:
            ReadMdb(path, options.mdb_export, sink);
            break;
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

long long Build(const BuildOptions& options, const std::vector<Input>& inputs, std::ostream& err) {
    AtomicFile pending(options.out);
    db::DictionaryWriter writer(pending.path());
    ProgressLine progress(err, options.progress);
    FormRows forms = ReadFormsLists(options.forms, err);
    BuildSink sink(writer, progress, forms);
    for (const Input& input : inputs) {
        sink.StartInput(input.first);
        ReadInput(input, options, sink);
        progress.Clear();
        sink.WriteSkipReport(err, input);
    }
    AddFormRows(forms, writer, err);
    const long long rows = writer.rows();
    progress.Note("making the headword index of " + std::to_string(rows) + " rows…");
    try {
        writer.Finish([] { return InterruptRequested(); });
    } catch (const db::DatabaseError&) {
        StopIfInterrupted();
        throw;
    }
    progress.Clear();
    StopIfInterrupted();
    pending.Commit();
    return rows;
}

}  // namespace

int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err) {
    const auto started = std::chrono::steady_clock::now();
    InterruptionGuard interruption;
    try {
        const std::vector<Input> inputs = ResolveInputs(options, err);
        const long long rows = Build(options, inputs, err);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        out << options.out << ": " << rows << (rows == 1 ? " row" : " rows") << " from "
            << inputs.size() << (inputs.size() == 1 ? " input" : " inputs") << " in " << std::fixed
            << std::setprecision(1) << seconds << " s\n";
        return kDictOk;
    } catch (const Interrupted&) {
        err << "quorvantix-dict: interrupted; " << options.out << " left as it was\n";
        return kDictInterrupted;
    } catch (const std::exception& failure) {
        err << "quorvantix-dict: " << failure.what() << "; " << options.out << " left as it was\n";
        return kDictFailed;
    }
}

}  // namespace quorvantix::dict
