#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/DictionaryWriter.h"

namespace quorvantix::dict {

// Orders the rows one input gives a headword by how often WordNet's tagged texts use the
// word's classes (cntlist.rev: "lemma%class:… sense count" lines), the class a reader meets
// most first: attention's noun before its interjection, zero's noun before its adjective.
// A row's class is the one its first line names (FreeDict's <n>, <v>, <adj>, <adv>, the
// supplement's 〔名詞〕 …); rows of other classes follow, and a word the counts do not know
// keeps its rows' order.
class WordClassOrder {
  public:
    // Reads the counts; InputError when the file cannot be read. Malformed lines are counted
    // and reported on err.
    WordClassOrder(const std::string& counts_path, std::ostream& err);

    // The rows in that order, those of equal rank as they came.
    void Order(std::vector<db::DictionaryRow>& rows) const;

    // How often the tagged texts use the word (lower case), in all its classes.
    long UsesOf(const std::string& word) const;

  private:
    using Counts = std::array<long, 4>;  // noun, verb, adjective, adverb
    std::unordered_map<std::string, Counts> counts_;
};

}  // namespace quorvantix::dict
