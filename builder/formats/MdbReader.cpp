#include "builder/formats/MdbReader.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "builder/formats/CsvRecords.h"
#include "builder/io/ChildProcess.h"
#include "builder/io/InputError.h"
#include "builder/io/Interruption.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

struct Columns {
    size_t count = 0;
    std::optional<size_t> headword;
    std::optional<size_t> definition;
};

Columns FindColumns(const std::vector<std::string>& header) {
    Columns columns;
    columns.count = header.size();
    for (size_t i = 0; i < header.size(); ++i) {
        const std::string name = LowerAsciiLetters(header[i]);
        if (name == "fld1") {
            columns.headword = i;
        } else if (name == "fld2") {
            columns.definition = i;
        }
    }
    return columns;
}

std::string FirstLine(const std::string& text) {
    return std::string(TrimmedEnd(std::string_view(text).substr(0, text.find('\n'))));
}

void RequireReadableFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw InputError(path, "no such file");
    }
    if (!std::filesystem::is_regular_file(status)) {
        throw InputError(path, "is not a regular file");
    }
}

}  // namespace

void ReadMdb(const std::string& path, const std::string& exporter, EntrySink& sink) {
    RequireReadableFile(path);
    std::optional<ChildProcess> child;
    try {
        child.emplace(std::vector<std::string>{exporter, "-b", "strip", path, "tbl00"});
    } catch (const std::system_error& failure) {
        throw InputError(path, std::string(failure.what()) + " (mdbtools installed?)");
    }
    std::optional<Columns> columns;
    long number = 0;
    CsvRecords records([&](const std::vector<std::string>& fields) {
        if (!columns) {
            columns = FindColumns(fields);
            return;
        }
        ++number;
        if (!columns->headword || !columns->definition) {
            return;
        }
        const std::string_view headword = TrimmedSpaces(
            fields.size() == columns->count ? fields[*columns->headword] : std::string_view());
        if (headword.empty()) {
            sink.Skip(number);
            return;
        }
        sink.Add(headword, fields[*columns->definition]);
    });
    char buffer[64 * 1024];
    for (size_t got; (got = child->Read(buffer, sizeof buffer)) > 0;) {
        records.Feed(std::string_view(buffer, got));
    }
    if (!records.Finish()) {
        sink.Skip(number + 1);
    }
    const int status = child->Wait();
    // Ctrl-C reaches the exporter too, and its death of it is the interruption, not a failure.
    StopIfInterrupted();
    if (status != 0) {
        const std::string said = FirstLine(child->ErrorText());
        throw InputError(path, exporter + " could not read it (status " + std::to_string(status) +
                                   ")" + (said.empty() ? "" : ": " + said));
    }
    if (!columns || !columns->headword || !columns->definition) {
        throw InputError(path, "table tbl00 has no columns fld1 and fld2");
    }
}

}  // namespace quorvantix::dict
