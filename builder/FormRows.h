#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "builder/formats/FormsList.h"
#include "platform/DictionaryWriter.h"

namespace quorvantix::dict {

// Rows that tell a reader which word an irregular form is a form of ("went": go の変化形,
// with go's first meanings), made from lists of form and base pairs and the rows of the
// dictionary being built.
class FormRows {
  public:
    void AddPair(std::string_view form, std::string_view base, WordClass word_class);

    bool empty() const noexcept { return pairs_.empty(); }

    // Told of every row of the dictionary, in order.
    void Notice(std::string_view headword, std::string_view definition);

    struct Result {
        std::vector<db::DictionaryRow> rows;
        long base_absent = 0;    // pairs whose base word the dictionary does not hold
        long already_named = 0;  // forms whose own first row already names the base word
    };

    // One row per pair, in the order the pairs came, except where the base word is absent
    // or the form's own first row already names it.
    Result Rows() const;

  private:
    struct Pair {
        std::string form;
        std::string base;
        WordClass word_class;
    };

    const std::vector<std::string>* DefinitionsOf(const std::string& word) const;

    std::vector<Pair> pairs_;
    std::unordered_set<std::string> listed_;  // "form\tbase", lower-case
    // The first definitions of every listed form and base word, by lower-case headword.
    std::unordered_map<std::string, std::vector<std::string>> definitions_;
};

// The row's definition for a form of the base: what the form is, then the Japanese lines of
// the base's definition (its first three, else its first three lines).
std::string FormDefinition(std::string_view base, WordClass word_class,
                           std::string_view base_definition);

// Whether the text holds the word on its own (not inside a longer word), A-Z case ignored.
bool NamesWord(std::string_view text, std::string_view word);

}  // namespace quorvantix::dict
