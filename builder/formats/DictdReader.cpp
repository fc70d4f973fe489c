#include "builder/formats/DictdReader.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string_view>

#include "builder/formats/FreedictLayout.h"
#include "builder/io/CompanionFiles.h"
#include "builder/io/DataFile.h"
#include "builder/io/InputError.h"
#include "builder/io/LineReader.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

struct IndexLine {
    std::string_view headword;
    uint64_t offset = 0;
    uint64_t length = 0;
};

std::optional<uint64_t> DecodeNumber(std::string_view digits) {
    constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    uint64_t value = 0;
    for (char digit : digits) {
        const size_t found = kDigits.find(digit);
        if (found == kDigits.npos) {
            return std::nullopt;
        }
        value = value * 64 + found;
    }
    return value;
}

// headword TAB offset TAB length, and possibly more fields after another tab.
std::optional<IndexLine> ParseIndexLine(std::string_view line) {
    const size_t first = line.find('\t');
    const size_t second = line.find('\t', first + 1);
    if (first == 0 || first == line.npos || second == line.npos) {
        return std::nullopt;
    }
    const size_t third = line.find('\t', second + 1);
    const auto offset = DecodeNumber(line.substr(first + 1, second - first - 1));
    const auto length = DecodeNumber(line.substr(second + 1, third - second - 1));
    if (!offset || !length || *length > UINT32_MAX) {
        return std::nullopt;
    }
    return IndexLine{line.substr(0, first), *offset, *length};
}

// The index folds letter case and drops punctuation, so the entry's own first line is the one
// that spells the headword; both are compared in the index's folded form. Letter case is folded
// for A to Z and for the Latin-1 letters À to Þ (UTF-8 C3 80 to C3 9E, but ×): "Álava", "álava".
std::string Folded(std::string_view text) {
    std::string folded;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0xC3 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            folded += c;
            folded += static_cast<char>(next >= 0x80 && next <= 0x9E && next != 0x97 ? next + 0x20
                                                                                     : next);
            ++i;
        } else if (byte >= 0x80 || (c >= '0' && c <= '9') || c == ' ') {
            folded += c;
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
            folded += static_cast<char>(c | 0x20);
        }
    }
    return folded;
}

// The same headword, letter case ignored; for letters beyond Latin-1 (Đà Nẵng, đà nẵng), whose
// case is not folded here, equal lengths and equal ASCII letters suffice.
bool SameHeadword(std::string_view spelled, std::string_view index_headword) {
    const std::string a = Folded(spelled);
    const std::string b = Folded(index_headword);
    if (a == b) {
        return true;
    }
    const auto ascii = [](const std::string& text) {
        std::string kept;
        for (char c : text) {
            kept += static_cast<unsigned char>(c) < 0x80 ? std::string(1, c) : std::string();
        }
        return kept;
    };
    return a.size() == b.size() && ascii(a) == ascii(b);
}

// The headword as the entry's first line spells it: what comes before the pronunciation
// ("/…/") or the part of speech ("<…>"), or the whole line.
std::string_view SpelledHeadword(std::string_view first_line) {
    size_t end = first_line.size();
    for (std::string_view mark : {" /", " <", " ["}) {
        end = std::min(end, first_line.find(mark));
    }
    return first_line.substr(0, end);
}

std::string_view TrimmedStart(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    return start == text.npos ? std::string_view() : text.substr(start);
}

void AddEntry(std::string_view index_headword, std::string_view text, EntrySink& sink) {
    const size_t newline = text.find('\n');
    const std::string_view first_line = text.substr(0, newline);
    const std::string_view spelled = TrimmedEnd(SpelledHeadword(first_line));
    if (spelled.empty() || !SameHeadword(spelled, index_headword)) {
        sink.Add(index_headword, TrimmedEnd(text));
        return;
    }
    std::string_view rest = TrimmedStart(text.substr(spelled.size()));
    if (!rest.empty() && rest.front() == '\n') {
        rest.remove_prefix(1);
    }
    sink.Add(spelled, TidyFreedictEntry(TrimmedEnd(rest)));
}

bool IsDatabaseInfo(std::string_view headword) {
    return headword.starts_with("00database") || headword.starts_with("00-database");
}

}  // namespace

void ReadDictd(const std::string& path, EntrySink& sink) {
    const std::string base = WithoutDataSuffix(path);
    const auto index_path = FirstExisting(base, {".index"});
    if (!index_path) {
        throw InputError(base + ".index", "no such file (the dictd index)");
    }
    const auto data_path = FirstExisting(base, {".dict.dz", ".dict"});
    if (!data_path) {
        throw InputError(base + ".dict", "no such file (nor .dict.dz; the dictd data)");
    }
    const std::unique_ptr<DataFile> data = OpenDataFile(*data_path);
    LineReader index(*index_path);
    index.input().Observe(sink);
    for (std::string_view line; index.Next(line);) {
        if (line.empty()) {
            continue;
        }
        const auto entry = ParseIndexLine(line);
        if (!entry) {
            sink.Skip(index.line_number());
            continue;
        }
        if (IsDatabaseInfo(entry->headword)) {
            continue;
        }
        if (!data->Holds(entry->offset, entry->length)) {
            sink.Skip(index.line_number());
            continue;
        }
        const std::string bytes = data->Read(entry->offset, static_cast<uint32_t>(entry->length));
        if (bytes.size() != entry->length || TrimmedEnd(bytes).empty()) {
            sink.Skip(index.line_number());
            continue;
        }
        AddEntry(entry->headword, WithLfLineEnds(bytes), sink);
    }
}

}  // namespace quorvantix::dict
