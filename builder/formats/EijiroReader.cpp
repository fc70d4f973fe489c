#include "builder/formats/EijiroReader.h"

#include <optional>
#include <string_view>

#include "builder/formats/DecodedLines.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kMark = "\xE2\x96\xA0";  // ■
constexpr std::string_view kSeparator = " : ";

struct EijiroLine {
    std::string_view headword;
    std::string definition;
};

std::optional<EijiroLine> ParseLine(std::string_view line) {
    if (!line.starts_with(kMark)) {
        return std::nullopt;
    }
    line.remove_prefix(kMark.size());
    const size_t separator = line.find(kSeparator);
    if (separator == line.npos) {
        return std::nullopt;
    }
    std::string_view head = TrimmedSpaces(line.substr(0, separator));
    const std::string_view meaning = TrimmedSpaces(line.substr(separator + kSeparator.size()));
    std::string_view part_of_speech;
    if (head.ends_with('}')) {
        const size_t open = head.rfind('{');
        if (open != head.npos) {
            part_of_speech = head.substr(open);
            head = TrimmedSpaces(head.substr(0, open));
        }
    }
    if (head.empty()) {
        return std::nullopt;
    }
    std::string definition(part_of_speech);
    if (!definition.empty() && !meaning.empty()) {
        definition += ' ';
    }
    definition += meaning;
    return EijiroLine{head, std::move(definition)};
}

}  // namespace

void ReadEijiro(const std::string& path, EntrySink& sink) {
    ForEachLine(path, "CP932", sink, [&](std::string_view line, long) {
        const std::optional<EijiroLine> entry = ParseLine(line);
        if (entry) {
            sink.Add(entry->headword, entry->definition);
        }
        return entry.has_value();
    });
}

}  // namespace quorvantix::dict
