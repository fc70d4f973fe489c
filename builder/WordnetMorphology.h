#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quorvantix::dict {

// WordNet's own account of English inflection, as its morphy routine applies it: for each word
// class the exception list (children → child), then the detachment rules (-s, -es, -ies, -ed,
// -ing, -er, -est …), keeping only bases that the class's lexicon holds. It knows nothing of
// the lookup's suffix rules, so it can judge them.
class WordnetMorphology {
  public:
    // Reads index.noun, index.verb, index.adj, index.adv and the four .exc lists of the
    // folder; InputError when one cannot be read.
    explicit WordnetMorphology(const std::string& folder);

    // The word's base forms in every word class, lower-case, without repeats: the word itself
    // where it is a lemma, then the bases the exception lists and rules give. Empty for a word
    // WordNet does not know (a function word, a name it lacks, a misspelling).
    std::vector<std::string> BaseForms(std::string_view word) const;

  private:
    struct WordClassData {
        std::unordered_set<std::string> lemmas;
        std::unordered_map<std::string, std::vector<std::string>> exceptions;
    };
    std::vector<WordClassData> classes_;
};

}  // namespace quorvantix::dict
