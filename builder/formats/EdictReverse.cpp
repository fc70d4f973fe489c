#include "builder/formats/EdictReverse.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "builder/formats/DecodedLines.h"
#include "builder/formats/EdictEntry.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kSeparator = ", ";

// The Japanese words gathered for one gloss. Each list is capped on its own, so that a common
// word met late still takes its place ahead of the others.
struct Words {
    std::string gloss;
    std::vector<std::string> common;
    std::vector<std::string> others;

    void Add(const std::string& words, bool is_common) {
        std::vector<std::string>& list = is_common ? common : others;
        if (list.size() < kMaxWordsPerGloss &&
            std::find(list.begin(), list.end(), words) == list.end()) {
            list.push_back(words);
        }
    }

    std::string Definition() const {
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
};

class Reverser {
  public:
    void Add(const EdictEntry& entry) {
        for (const std::string& gloss : entry.glosses) {
            auto [found, added] = positions_.try_emplace(gloss, glosses_.size());
            if (added) {
                glosses_.push_back(Words{gloss, {}, {}});
            }
            glosses_[found->second].Add(entry.words, entry.common);
        }
    }

    void Deliver(EntrySink& sink) const {
        for (const Words& words : glosses_) {
            sink.Add(words.gloss, words.Definition());
        }
    }

  private:
    std::unordered_map<std::string, size_t> positions_;
    std::vector<Words> glosses_;
};

// The first line of an EDICT file describes the file, under the words "？？？".
bool IsFileHeader(const EdictEntry& entry) {
    return std::string_view(entry.words).ends_with("\xEF\xBC\x9F\xEF\xBC\x9F\xEF\xBC\x9F");
}

}  // namespace

void ReadEdictReverse(const std::string& path, EntrySink& sink) {
    Reverser reverser;
    ForEachLine(path, "EUC-JP", sink, [&](std::string_view line, long number) {
        const std::optional<EdictEntry> entry = ParseEdictLine(line);
        if (entry && (number > 1 || !IsFileHeader(*entry))) {
            reverser.Add(*entry);
        }
        return entry.has_value();
    });
    reverser.Deliver(sink);
}

}  // namespace quorvantix::dict
