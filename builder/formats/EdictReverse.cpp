#include "builder/formats/EdictReverse.h"

#include <algorithm>

#include "builder/formats/DecodedLines.h"
#include "builder/formats/EdictEntry.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kSeparator = ", ";

// The first line of an EDICT file describes the file, under the words "？？？".
bool IsFileHeader(const EdictEntry& entry) {
    return std::string_view(entry.words).ends_with("\xEF\xBC\x9F\xEF\xBC\x9F\xEF\xBC\x9F");
}

}  // namespace

void ReversedEdict::Words::Add(const std::string& words, bool is_common) {
    std::vector<std::string>& list = is_common ? common : others;
    if (list.size() < kMaxWordsPerGloss &&
        std::find(list.begin(), list.end(), words) == list.end()) {
        list.push_back(words);
    }
}

std::string ReversedEdict::Words::Definition() const {
    std::string definition;
    size_t count = 0;
    for (const auto* list : {&common, &others}) {
        for (const std::string& words : *list) {
            if (count++ == kMaxWordsPerGloss) {
                return definition;
            }
            if (!definition.empty()) {
                definition += kSeparator;
            }
            definition += words;
        }
    }
    return definition;
}

void ReversedEdict::Add(const EdictEntry& entry) {
    for (const std::string& gloss : entry.glosses) {
        auto [found, added] = positions_.try_emplace(gloss, glosses_.size());
        if (added) {
            glosses_.push_back(Words{gloss, {}, {}});
        }
        glosses_[found->second].Add(entry.words, entry.common);
    }
}

void ReversedEdict::Deliver(EntrySink& sink) const {
    for (const Words& words : glosses_) {
        sink.Add(words.gloss, words.Definition());
    }
}

ReversedEdict ReadReversedEdict(const std::string& path, EntrySink& sink) {
    ReversedEdict reversed;
    ForEachLine(path, "EUC-JP", sink, [&](std::string_view line, long number) {
        const std::optional<EdictEntry> entry = ParseEdictLine(line);
        if (entry && (number > 1 || !IsFileHeader(*entry))) {
            reversed.Add(*entry);
        }
        return entry.has_value();
    });
    return reversed;
}

void ReadEdictReverse(const std::string& path, EntrySink& sink) {
    ReadReversedEdict(path, sink).Deliver(sink);
}

}  // namespace quorvantix::dict
