#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "builder/formats/FormsList.h"
#include "platform/DictionaryWriter.h"

namespace quorvantix::dict {

// Rows that tell a reader which word an inflected form is a form of ("went": go の変化形,
// with go's first meanings), made from the rows of the dictionary being built and
// - listed pairs of a form and its base (irregular forms): a row unless the form's own first
//   row names the base;
// - lemmas, words of one class: a row for each of their regular forms, and for a verb of
//   several words each form of its first word (looked up, gave up), that the lookup would not
//   lead to the lemma: the form is no headword, and the suffix rules' first candidate that is
//   one is another word (touched → touche before touch).
class FormRows {
  public:
    void AddPair(std::string_view form, std::string_view base, WordClass word_class);
    void AddLemma(std::string_view lemma, WordClass word_class);

    bool empty() const noexcept { return pairs_.empty() && lemmas_.empty(); }
    bool has_lemmas() const noexcept { return !lemmas_.empty(); }

    // Told of every row of the dictionary, in order, its headword in lower case.
    void Notice(const std::string& lower_headword, std::string_view definition);

    struct Result {
        std::vector<db::DictionaryRow> rows;        // to come before every other row
        std::vector<db::DictionaryRow> later_rows;  // to come after the form's own rows
        long base_absent = 0;    // pairs whose base word the dictionary does not hold
        long already_named = 0;  // forms whose own first row already names the base word
        long reached = 0;        // lemmas' forms the lookup leads to them without a row
    };

    // Whether the dictionary holds a headword, asked in lower case.
    using HeadwordTest = std::function<bool(const std::string&)>;
    // How often a word is used as a word of its own (WordNet's tagged texts), asked in lower
    // case; 0 when not known.
    using UseCount = std::function<long(const std::string&)>;

    // The listed pairs' rows in the order the pairs came, then the lemmas' in theirs. A listed
    // form that is a word used often in its own right (ground, left, offer: kOwnWordUses times
    // or more) keeps its own rows first, and its form row goes among the later rows.
    Result Rows(const HeadwordTest& is_headword, const UseCount& uses = {}) const;

    static constexpr long kOwnWordUses = 20;

    // From now on only the lemmas the dictionary holds now get form rows: rows noticed later
    // (WordNet's English definitions, say) stand for themselves.
    void KeepHeldLemmas();

    // Every form, in lower case, of a listed pair or a lemma whose base the dictionary holds so
    // far: words that need no entry of their own, since a form row or the suffix rules lead
    // the lookup to their base.
    std::unordered_set<std::string> FormsOfHeldWords() const;

  private:
    struct Pair {
        std::string form;
        std::string base;
        WordClass word_class;
    };

    const std::vector<std::string>* DefinitionsOf(const std::string& word) const;
    db::DictionaryRow RowFor(const Pair& pair) const;
    std::vector<Pair> FormsOfLemmas() const;

    std::vector<Pair> pairs_;
    struct Lemma {
        std::string word;
        std::string lower;
        WordClass word_class;
    };
    std::vector<Lemma> lemmas_;
    std::optional<std::vector<Pair>> kept_lemma_forms_;  // once KeepHeldLemmas was called
    std::unordered_set<std::string> listed_;             // "form\tbase", lower-case
    // The first definitions of every listed form, base word and lemma, by lower-case headword.
    std::unordered_map<std::string, std::vector<std::string>> definitions_;
};

// The first of the suffix rules' candidates for the word (lower case) that is a headword, the
// one whose entry leads the lookup's answer when the word is no headword itself; empty when
// there is none.
std::string FirstHeadwordOfRules(const std::string& word,
                                 const FormRows::HeadwordTest& is_headword);

// The row's definition for a form of the base: what the form is, then the Japanese lines of
// the base's definition (its first three, else its first three lines).
std::string FormDefinition(std::string_view base, WordClass word_class,
                           std::string_view base_definition);

// Whether the text holds the word on its own (not inside a longer word), A-Z case ignored.
bool NamesWord(std::string_view text, std::string_view word);

}  // namespace quorvantix::dict
