#include "builder/WordnetMorphology.h"

#include <algorithm>
#include <array>
#include <utility>

#include "builder/ListSink.h"
#include "builder/formats/FormsList.h"
#include "builder/formats/WordnetReader.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

using Rule = std::pair<std::string_view, std::string_view>;  // ending, what replaces it

// morphy's detachment rules, per class in its order: noun, verb, adjective, adverb.
const std::array<std::vector<Rule>, 4> kRules = {{
    {{"s", ""},
     {"ses", "s"},
     {"xes", "x"},
     {"zes", "z"},
     {"ches", "ch"},
     {"shes", "sh"},
     {"men", "man"},
     {"ies", "y"}},
    {{"s", ""},
     {"ies", "y"},
     {"es", "e"},
     {"es", ""},
     {"ed", "e"},
     {"ed", ""},
     {"ing", "e"},
     {"ing", ""}},
    {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}},
    {},
}};
constexpr std::array<std::string_view, 4> kClassNames = {"noun", "verb", "adj", "adv"};

void AddOnce(std::vector<std::string>& words, std::string word) {
    if (std::find(words.begin(), words.end(), word) == words.end()) {
        words.push_back(std::move(word));
    }
}

}  // namespace

WordnetMorphology::WordnetMorphology(const std::string& folder) : classes_(kClassNames.size()) {
    for (size_t c = 0; c < kClassNames.size(); ++c) {
        WordClassData& data = classes_[c];
        ListSink lemmas([&](std::string_view lemma, std::string_view) {
            data.lemmas.insert(LowerAsciiLetters(lemma));
        });
        ReadWordnetLemmas(folder + "/index." + std::string(kClassNames[c]), lemmas);
        ListSink exceptions([&](std::string_view form, std::string_view base) {
            data.exceptions[LowerAsciiLetters(form)].push_back(LowerAsciiLetters(base));
        });
        ReadFormsList(folder + "/" + std::string(kClassNames[c]) + ".exc", exceptions);
    }
}

std::vector<std::string> WordnetMorphology::BaseForms(std::string_view word) const {
    const std::string lower = LowerAsciiLetters(word);
    std::vector<std::string> bases;
    for (size_t c = 0; c < classes_.size(); ++c) {
        const WordClassData& data = classes_[c];
        if (data.lemmas.contains(lower)) {
            AddOnce(bases, lower);
        }
        if (const auto listed = data.exceptions.find(lower); listed != data.exceptions.end()) {
            for (const std::string& base : listed->second) {
                AddOnce(bases, base);
            }
        }
        for (const auto& [ending, replacement] : kRules[c]) {
            if (lower.size() > ending.size() && lower.ends_with(ending)) {
                std::string base =
                    lower.substr(0, lower.size() - ending.size()) + std::string(replacement);
                if (data.lemmas.contains(base)) {
                    AddOnce(bases, std::move(base));
                }
            }
        }
    }
    return bases;
}

}  // namespace quorvantix::dict
