#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "builder/formats/EntrySink.h"
#include "builder/formats/FormsList.h"

namespace quorvantix::dict {

// What marks a row of English definitions, so that a reader sees at once it is English-English.
inline constexpr std::string_view kEnglishEnglishMark = "〔英英〕";

// Whether the folder holds a WordNet database as wordnet-base installs it (index.noun,
// data.noun, … in /usr/share/wordnet).
bool IsWordnetFolder(const std::string& path);

// The lemmas of one of WordNet's index files (index.noun, …), "_" turned into a space: each is
// handed to sink.Add(lemma, ""). Its licence lines (beginning with a space) are passed over.
void ReadWordnetLemmas(const std::string& index_path, EntrySink& sink);

struct WordnetEntry {
    std::string lower;       // the lemma in lower case
    std::string headword;    // spelled as WordNet's first sense spells it ("Athens", "Leo")
    std::string definition;  // kEnglishEnglishMark, then one line per word class
    std::vector<WordClass> word_classes;
};

// Every WordNet lemma with its English definitions: one line per word class, the class
// WordNet's tagged texts use most first, each with its first senses, without the example
// sentences. The sink is told of malformed index lines and asked whether to go on; nothing is
// added to it, so that this can run beside the reading of other inputs.
std::vector<WordnetEntry> ReadWordnetEntries(const std::string& folder, EntrySink& sink);

}  // namespace quorvantix::dict
