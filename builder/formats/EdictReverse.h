#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

struct EdictEntry;

// An EDICT file turned around, held whole until its rows are delivered: the reversal must read
// every line before it can give its first row, so it can be read ahead of its turn.
class ReversedEdict {
  public:
    void Add(const EdictEntry& entry);
    void Deliver(EntrySink& sink) const;

  private:
    // The Japanese words gathered for one gloss. Each list is capped on its own, so that a
    // common word met late still takes its place ahead of the others.
    struct Words {
        std::string gloss;
        std::vector<std::string> common;
        std::vector<std::string> others;

        void Add(const std::string& words, bool is_common);
        std::string Definition() const;
    };

    std::unordered_map<std::string, size_t> positions_;
    std::vector<Words> glosses_;
};

// Reads the file into its reversal; malformed lines are counted with sink.Skip, and nothing
// is added to the sink.
ReversedEdict ReadReversedEdict(const std::string& path, EntrySink& sink);

// Turns an EDICT file (Japanese to English; EUC-JP or UTF-8) around into English to Japanese:
// one row per distinct English gloss, in order of first appearance, whose definition lists
// the Japanese words that carry the gloss, those marked common first, at most
// kMaxWordsPerGloss of them.
void ReadEdictReverse(const std::string& path, EntrySink& sink);

inline constexpr size_t kMaxWordsPerGloss = 5;

}  // namespace quorvantix::dict
