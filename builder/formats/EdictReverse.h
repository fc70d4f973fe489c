#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

struct EdictEntry;

inline constexpr size_t kMaxWordsPerGloss = 5;

// An EDICT file turned around, held whole until its rows are delivered: the reversal must read
// every line before it can give its first row, so it can be read ahead of its turn.
class ReversedEdict {
  public:
    ReversedEdict() = default;
    // Moved, never copied: positions_ points into glosses_, whose elements a move leaves where
    // they are.
    ReversedEdict(ReversedEdict&&) = default;
    ReversedEdict& operator=(ReversedEdict&&) = default;

    void Add(const EdictEntry& entry);
    void Deliver(EntrySink& sink) const;

  private:
    // The Japanese words gathered for one gloss, as positions in words_. Each list is capped
    // on its own, so that a common word met late still takes its place ahead of the others.
    // Fixed lists keep the hundreds of thousands of glosses from making millions of small
    // allocations.
    struct Words {
        struct List {
            std::array<uint32_t, kMaxWordsPerGloss> positions{};
            uint8_t size = 0;
        };

        std::string gloss;
        List common;
        List others;
    };

    void AddWords(Words::List& list, uint32_t position) const;
    std::string Definition(const Words& words) const;

    std::vector<std::string> words_;  // each entry's Japanese words, once
    std::deque<Words> glosses_;       // in order of first appearance; they stay where they are
    std::unordered_map<std::string_view, size_t> positions_;  // keys: glosses_' own text
};

// Reads the file into its reversal; malformed lines are counted with sink.Skip, and nothing
// is added to the sink.
ReversedEdict ReadReversedEdict(const std::string& path, EntrySink& sink);

// Turns an EDICT file (Japanese to English; EUC-JP or UTF-8) around into English to Japanese:
// one row per distinct English gloss, in order of first appearance, whose definition lists
// the Japanese words that carry the gloss, those marked common first, at most
// kMaxWordsPerGloss of them.
void ReadEdictReverse(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
