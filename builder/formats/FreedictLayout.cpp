#include "builder/formats/FreedictLayout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

// Labels that say how a sense is used, not in which field or register: such a sense stays
// among the everyday ones.
constexpr std::array<std::string_view, 37> kUsageLabels = {
    "countable", "uncountable", "transitive",  "intransitive", "ambitransitive", "ergative",
    "reflexive", "attributive", "predicative", "plural",       "singular",       "in the plural",
    "usually",   "often",       "sometimes",   "chiefly",      "especially",     "now",
    "also",      "informal",    "colloquial",  "figuratively", "figurative",     "by extension",
    "with",      "us",          "uk",          "british",      "american",       "australia",
    "canada",    "ireland",     "scotland",    "new zealand",  "south africa",   "idiomatic",
    "humorous"};

struct Sense {
    std::string japanese;
    std::vector<std::string> hints;
};

std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool AllDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "12. rest" → "rest"; nullopt when the line does not begin with a sense number.
std::optional<std::string_view> AfterSenseNumber(std::string_view line) {
    const size_t dot = line.find(". ");
    if (dot == std::string_view::npos || !AllDigits(line.substr(0, dot))) {
        return std::nullopt;
    }
    return line.substr(dot + 2);
}

bool BeginsWithNumber(std::string_view line, size_t number) {
    return line.starts_with(std::to_string(number) + ". ");
}

// A line that is only a dangling sub-number, " 3.".
bool IsSubNumber(std::string_view line) {
    const std::string_view trimmed = TrimmedEnd(TrimmedSpaces(line));
    return trimmed.size() >= 2 && trimmed.back() == '.' &&
           AllDigits(trimmed.substr(0, trimmed.size() - 1));
}

// The Japanese line without its dangling sub-number ("銀行, バンク 2.").
std::string WithoutSubNumber(std::string_view line) {
    const size_t space = line.rfind(' ');
    if (space != std::string_view::npos && IsSubNumber(line.substr(space))) {
        line = line.substr(0, space);
    }
    return std::string(TrimmedEnd(line));
}

// One broad transcription of the pronunciations on the first line, between single slashes:
// "//bæŋk// /[beɪŋk]/ <n>" → "/bæŋk/ <n>".
std::string TidyFirstLine(std::string_view line) {
    const size_t mark = std::min(line.rfind('<'), line.size());
    const std::string_view part_of_speech = line.substr(mark);
    std::string_view transcriptions = line.substr(0, mark);
    std::string broad;
    while (broad.empty() && !transcriptions.empty()) {
        const size_t open = transcriptions.find('/');
        if (open == std::string_view::npos) {
            break;
        }
        size_t start = transcriptions.find_first_not_of('/', open);
        const size_t close = transcriptions.find('/', start);
        if (start == std::string_view::npos || close == std::string_view::npos) {
            break;
        }
        const std::string_view candidate = transcriptions.substr(start, close - start);
        const bool letters = std::any_of(candidate.begin(), candidate.end(), [](char c) {
            return std::isalpha(static_cast<unsigned char>(c)) ||
                   static_cast<unsigned char>(c) >= 0x80;
        });
        if (letters && !candidate.starts_with('[') && !candidate.starts_with('-') &&
            !candidate.ends_with('-')) {
            broad = "/" + std::string(candidate) + "/";
        }
        start = transcriptions.find_first_not_of('/', close);
        transcriptions =
            start == std::string_view::npos ? std::string_view() : transcriptions.substr(start);
    }
    if (broad.empty()) {
        return std::string(part_of_speech);
    }
    return part_of_speech.empty() ? broad : broad + " " + std::string(part_of_speech);
}

bool IsUsageLabel(std::string_view label) {
    const std::string lower = LowerAsciiLetters(TrimmedEnd(TrimmedSpaces(label)));
    return lower.empty() ||
           std::find(kUsageLabels.begin(), kUsageLabels.end(), lower) != kUsageLabels.end();
}

// The labels a hint begins with: "(computing, slang) …" or "algebra: …".
std::vector<std::string_view> LeadingLabels(std::string_view hint) {
    std::string_view labels;
    if (hint.starts_with('(')) {
        const size_t close = hint.find(')');
        labels = close == std::string_view::npos ? std::string_view() : hint.substr(1, close - 1);
    } else if (const size_t colon = hint.find(": ");
               colon != std::string_view::npos && colon < 32) {
        labels = hint.substr(0, colon);
        if (!std::all_of(labels.begin(), labels.end(),
                         [](char c) { return (c >= 'a' && c <= 'z') || c == ' '; })) {
            labels = {};
        }
    }
    std::vector<std::string_view> parts;
    while (!labels.empty()) {
        const size_t comma = std::min(labels.find(','), labels.size());
        parts.push_back(labels.substr(0, comma));
        labels.remove_prefix(std::min(comma + 1, labels.size()));
    }
    return parts;
}

// A sense whose first hint names a field or register.
bool IsLabelled(const Sense& sense) {
    if (sense.hints.empty()) {
        return false;
    }
    const std::vector<std::string_view> labels = LeadingLabels(sense.hints.front());
    return std::any_of(labels.begin(), labels.end(),
                       [](std::string_view label) { return !IsUsageLabel(label); });
}

// The senses of the lines after the first; nullopt when they are not FreeDict's layout.
std::optional<std::vector<Sense>> ParseSenses(const std::vector<std::string_view>& lines,
                                              bool& numbered) {
    std::vector<Sense> senses;
    numbered = lines.size() > 1 && AfterSenseNumber(lines[1]).has_value();
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.empty()) {
            continue;
        }
        if (const auto rest = AfterSenseNumber(line); numbered && rest) {
            if (!BeginsWithNumber(line, senses.size() + 1)) {
                return std::nullopt;  // senses out of order: not FreeDict's numbering
            }
            senses.push_back({WithoutSubNumber(*rest), {}});
        } else if (senses.empty()) {
            if (numbered) {
                return std::nullopt;
            }
            senses.push_back({WithoutSubNumber(line), {}});
        } else if (!IsSubNumber(line)) {
            senses.back().hints.emplace_back(TrimmedEnd(TrimmedSpaces(line)));
        }
    }
    return senses;
}

// The hints on one line: "institution; branch office", or after a full stop just a space.
std::string Joined(const std::vector<std::string>& hints) {
    std::string joined;
    for (const std::string& hint : hints) {
        joined += joined.empty() ? "" : joined.ends_with('.') ? " " : "; ";
        joined += hint;
    }
    return joined;
}

}  // namespace

std::string TidyFreedictEntry(std::string_view definition) {
    const std::vector<std::string_view> lines = LinesOf(definition);
    // FreeDict's first line holds transcriptions, the part of speech or both: "//bæŋk// <n>",
    // "//baɪ ˈhɑɹt//".
    const std::string_view first = lines.front();
    const bool part_of_speech = first.ends_with('>') && first.find('<') != std::string_view::npos;
    const bool transcriptions_only = first.starts_with('/') && first.ends_with('/');
    if (!(part_of_speech || transcriptions_only)) {
        return std::string(definition);
    }
    if (lines.size() == 1) {
        return TidyFirstLine(first);
    }
    bool numbered = false;
    std::optional<std::vector<Sense>> senses = ParseSenses(lines, numbered);
    if (!senses || senses->empty()) {
        return std::string(definition);
    }
    std::stable_partition(senses->begin(), senses->end(),
                          [](const Sense& sense) { return !IsLabelled(sense); });
    std::string tidy = TidyFirstLine(lines.front());
    for (size_t i = 0; i < senses->size(); ++i) {
        const Sense& sense = (*senses)[i];
        tidy += "\n" + (numbered ? std::to_string(i + 1) + ". " : std::string()) + sense.japanese;
        if (!sense.hints.empty()) {
            tidy += "\n" + Joined(sense.hints);
        }
    }
    return tidy;
}

}  // namespace quorvantix::dict
