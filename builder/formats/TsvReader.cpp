#include "builder/formats/TsvReader.h"

#include <string_view>

#include "builder/formats/DecodedLines.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

// Adds one row per non-empty comma-separated spelling; false when there is none.
bool AddSpellings(std::string_view field, std::string_view definition, EntrySink& sink) {
    bool added = false;
    while (!field.empty()) {
        const size_t comma = field.find(',');
        const std::string_view spelling = TrimmedSpaces(field.substr(0, comma));
        if (!spelling.empty()) {
            sink.Add(spelling, definition);
            added = true;
        }
        field = comma == field.npos ? std::string_view() : field.substr(comma + 1);
    }
    return added;
}

}  // namespace

void ReadTsv(const std::string& path, bool keep_commas, EntrySink& sink) {
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        const size_t tab = line.find('\t');
        if (tab == line.npos) {
            return false;
        }
        const std::string_view field = line.substr(0, tab);
        const std::string_view definition = line.substr(tab + 1);
        if (!keep_commas) {
            return AddSpellings(field, definition, sink);
        }
        const std::string_view headword = TrimmedSpaces(field);
        if (!headword.empty()) {
            sink.Add(headword, definition);
        }
        return !headword.empty();
    });
}

}  // namespace quorvantix::dict
