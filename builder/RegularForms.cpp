#include "builder/RegularForms.h"

#include <algorithm>

namespace quorvantix::dict {

namespace {

bool IsVowel(char letter) {
    return std::string_view("aeiou").find(letter) != std::string_view::npos;
}

bool AllLetters(std::string_view word) {
    return !word.empty() &&
           std::all_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// Runs of vowels, y counted as one after a consonant: "able" 2, "happy" 2, "strong" 1.
int SyllablesOf(std::string_view word) {
    int groups = 0;
    bool in_vowels = false;
    for (size_t i = 0; i < word.size(); ++i) {
        const bool vowel = IsVowel(word[i]) || (word[i] == 'y' && i > 0 && !IsVowel(word[i - 1]));
        groups += vowel && !in_vowels ? 1 : 0;
        in_vowels = vowel;
    }
    return word.ends_with('e') && groups > 1 && !word.ends_with("le") ? groups - 1 : groups;
}

// Consonant, vowel, consonant at the end (not w, x or y): the ending whose last letter a
// stressed syllable doubles (stop → stopped).
bool EndsConsonantVowelConsonant(std::string_view word) {
    const size_t n = word.size();
    return n >= 3 && !IsVowel(word[n - 1]) &&
           std::string_view("wxy").find(word[n - 1]) == std::string_view::npos &&
           IsVowel(word[n - 2]) && !IsVowel(word[n - 3]) && !(word[n - 3] == 'q');
}

bool EndsConsonantY(std::string_view word) {
    return word.size() >= 2 && word.back() == 'y' && !IsVowel(word[word.size() - 2]);
}

// The -s form: boxes, churches, cities, days, and for verbs goes and vetoes.
std::string SForm(const std::string& word, bool o_takes_es) {
    if (EndsConsonantY(word)) {
        return word.substr(0, word.size() - 1) + "ies";
    }
    for (std::string_view ending : {"s", "x", "z", "ch", "sh"}) {
        if (word.ends_with(ending)) {
            return word + "es";
        }
    }
    if (o_takes_es && word.size() >= 2 && word.back() == 'o' && !IsVowel(word[word.size() - 2])) {
        return word + "es";
    }
    return word + "s";
}

// The forms made by a vowel suffix (-ed, -ing, -er, -est): stem changes, then the suffix.
void AddVowelSuffixForms(const std::string& word, std::string_view suffix,
                         std::vector<std::string>& forms) {
    const std::string ending(suffix);
    const char first = suffix.front();
    if (first == 'i' && word.ends_with("ie")) {
        forms.push_back(word.substr(0, word.size() - 2) + "y" + ending);
    } else if (first == 'e' && word.ends_with('e')) {
        forms.push_back(word + ending.substr(1));
    } else if (first == 'i' && word.ends_with('e') && !word.ends_with("ee") &&
               !word.ends_with("ye") && !word.ends_with("oe")) {
        forms.push_back(word.substr(0, word.size() - 1) + ending);
    } else if (first == 'e' && EndsConsonantY(word)) {
        forms.push_back(word.substr(0, word.size() - 1) + "i" + ending);
    } else {
        forms.push_back(word + ending);
        if (EndsConsonantVowelConsonant(word)) {
            forms.push_back(word + word.back() + ending);
        }
    }
}

}  // namespace

std::vector<std::string> RegularForms(std::string_view word, WordClass word_class) {
    const std::string base(word);
    std::vector<std::string> forms;
    if (!AllLetters(word)) {
        return forms;
    }
    switch (word_class) {
        case WordClass::Noun:
            forms.push_back(SForm(base, false));
            break;
        case WordClass::Verb:
            forms.push_back(SForm(base, true));
            AddVowelSuffixForms(base, "ed", forms);
            AddVowelSuffixForms(base, "ing", forms);
            break;
        case WordClass::Adjective:
            if (SyllablesOf(word) == 1 || (SyllablesOf(word) == 2 && EndsConsonantY(word))) {
                AddVowelSuffixForms(base, "er", forms);
                AddVowelSuffixForms(base, "est", forms);
            }
            break;
        case WordClass::Adverb:
        case WordClass::Unknown:
            break;
    }
    return forms;
}

std::vector<std::string> VerbForms(std::string_view verb,
                                   const std::vector<std::string>& irregular_forms,
                                   const WordTest& is_word) {
    std::vector<std::string> forms = irregular_forms;
    for (std::string& form : RegularForms(verb, WordClass::Verb)) {
        if (irregular_forms.empty() || !form.ends_with("ed") || is_word(form)) {
            forms.push_back(std::move(form));
        }
    }
    return forms;
}

std::vector<std::string> PhraseForms(std::string_view phrase,
                                     const std::vector<std::string>& irregular_first_forms,
                                     const WordTest& is_word) {
    const size_t space = phrase.find(' ');
    if (space == std::string_view::npos) {
        return {};
    }
    const std::string_view rest = phrase.substr(space);
    const std::vector<std::string> firsts =
        VerbForms(phrase.substr(0, space), irregular_first_forms, is_word);
    std::vector<std::string> forms;
    for (const std::string& first : firsts) {
        forms.push_back(first + std::string(rest));
    }
    return forms;
}

}  // namespace quorvantix::dict
