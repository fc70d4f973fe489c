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

void ReversedEdict::AddWords(Words::List& list, uint32_t position) const {
    const auto listed = list.positions.begin() + list.size;
    const auto same_words = [&](uint32_t other) { return words_[other] == words_[position]; };
    if (list.size < kMaxWordsPerGloss && std::none_of(list.positions.begin(), listed, same_words)) {
        list.positions[list.size++] = position;
    }
}

std::string ReversedEdict::Definition(const Words& words) const {
    std::string definition;
    size_t count = 0;
    for (const Words::List* list : {&words.common, &words.others}) {
        for (size_t i = 0; i < list->size; ++i) {
            if (count++ == kMaxWordsPerGloss) {
                return definition;
            }
            if (!definition.empty()) {
                definition += kSeparator;
            }
            definition += words_[list->positions[i]];
        }
    }
    return definition;
}

void ReversedEdict::Add(const EdictEntry& entry) {
    const auto position = static_cast<uint32_t>(words_.size());
    words_.push_back(entry.words);
    for (const std::string& gloss : entry.glosses) {
        auto found = positions_.find(gloss);
        if (found == positions_.end()) {
            glosses_.push_back(Words{gloss, {}, {}});
            found = positions_.emplace(glosses_.back().gloss, glosses_.size() - 1).first;
        }
        Words& words = glosses_[found->second];
        AddWords(entry.common ? words.common : words.others, position);
    }
}

void ReversedEdict::Deliver(EntrySink& sink) const {
    for (const Words& words : glosses_) {
        sink.Add(words.gloss, Definition(words));
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
