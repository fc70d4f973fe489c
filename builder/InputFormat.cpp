#include "builder/InputFormat.h"

#include <array>
#include <filesystem>
#include <utility>

#include "builder/formats/WordnetReader.h"
#include "builder/io/CompanionFiles.h"
#include "builder/io/GzInput.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr std::array<std::pair<InputFormat, std::string_view>, 7> kNames = {{
    {InputFormat::Tsv, "tsv"},
    {InputFormat::Dictd, "dictd"},
    {InputFormat::Stardict, "stardict"},
    {InputFormat::Eijiro, "eijiro"},
    {InputFormat::EdictReverse, "edict-reverse"},
    {InputFormat::Mdb, "mdb"},
    {InputFormat::Wordnet, "wordnet"},
}};

constexpr size_t kHeadSize = 4096;

std::optional<InputFormat> FormatByName(const std::string& path) {
    const std::string lowered = LowerAsciiLetters(std::filesystem::path(path).filename().string());
    std::string_view name(lowered);
    if (name.ends_with(".gz") && !name.ends_with(".idx.gz")) {
        name.remove_suffix(3);
    }
    if (name.ends_with(".ifo") || name.ends_with(".idx") || name.ends_with(".idx.gz")) {
        return InputFormat::Stardict;
    }
    if (name.ends_with(".index")) {
        return InputFormat::Dictd;
    }
    if (name.ends_with(".dict") || name.ends_with(".dict.dz")) {
        const std::string base = WithoutDataSuffix(path);
        if (std::filesystem::exists(base + ".index")) {
            return InputFormat::Dictd;
        }
        if (std::filesystem::exists(base + ".ifo")) {
            return InputFormat::Stardict;
        }
    }
    if (name.ends_with(".mdb") || name.ends_with(".accdb")) {
        return InputFormat::Mdb;
    }
    if (name.ends_with(".tsv") || name.ends_with(".tab")) {
        return InputFormat::Tsv;
    }
    if (name.starts_with("edict")) {
        return InputFormat::EdictReverse;
    }
    return std::nullopt;
}

// An EDICT line: words, an optional [reading], then /gloss/.../ to the line's end.
bool LooksLikeEdictLine(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || space == 0 || line.find('\t') != line.npos) {
        return false;
    }
    std::string_view rest = line.substr(space + 1);
    if (rest.starts_with("[")) {
        const size_t close = rest.find("] ");
        if (close == rest.npos) {
            return false;
        }
        rest.remove_prefix(close + 2);
    }
    return rest.size() >= 2 && rest.front() == '/' && rest.back() == '/';
}

std::optional<InputFormat> FormatByContent(const std::string& head) {
    if (head.size() >= 19 && (head.compare(4, 15, "Standard Jet DB") == 0 ||
                              head.compare(4, 15, "Standard ACE DB") == 0)) {
        return InputFormat::Mdb;
    }
    std::string_view first(head);
    if (first.starts_with("\xEF\xBB\xBF")) {
        first.remove_prefix(3);
    }
    first = first.substr(0, first.find('\n'));
    if (!first.empty() && first.back() == '\r') {
        first.remove_suffix(1);
    }
    if (first.starts_with("StarDict's dict ifo file")) {
        return InputFormat::Stardict;
    }
    if (first.starts_with("\xE2\x96\xA0") || first.starts_with("\x81\xA1")) {
        return InputFormat::Eijiro;
    }
    if (LooksLikeEdictLine(first)) {
        return InputFormat::EdictReverse;
    }
    if (first.find('\t') != first.npos) {
        return InputFormat::Tsv;
    }
    return std::nullopt;
}

}  // namespace

std::string_view FormatName(InputFormat format) {
    for (const auto& [known, name] : kNames) {
        if (known == format) {
            return name;
        }
    }
    return "?";
}

std::optional<InputFormat> FormatNamed(std::string_view name) {
    for (const auto& [format, known] : kNames) {
        if (known == name) {
            return format;
        }
    }
    return std::nullopt;
}

std::vector<std::string> FormatNameList() {
    std::vector<std::string> names;
    for (const auto& entry : kNames) {
        names.emplace_back(entry.second);
    }
    return names;
}

std::string FormatNames() {
    std::string names;
    for (const std::string& name : FormatNameList()) {
        names += (names.empty() ? "" : ", ") + name;
    }
    return names;
}

std::optional<InputFormat> DetectFormat(const std::string& path) {
    if (IsWordnetFolder(path)) {
        return InputFormat::Wordnet;
    }
    if (auto format = FormatByName(path)) {
        return format;
    }
    return FormatByContent(ReadHead(path, kHeadSize));
}

}  // namespace quorvantix::dict
