#include "builder/FormRows.h"

#include <algorithm>
#include <cctype>

#include "builder/RegularForms.h"
#include "lookup/SuffixRules.h"
#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace quorvantix::dict {

namespace {

constexpr size_t kDefinitionsKept = 8;
constexpr size_t kGlossLines = 3;
constexpr size_t kGlossBytes = 160;

// How a definition marks its word class on its first line: FreeDict's way and the bundled
// supplement's.
std::vector<std::string_view> ClassMarks(WordClass word_class) {
    switch (word_class) {
        case WordClass::Noun:
            return {"<n>", "〔名詞"};
        case WordClass::Verb:
            return {"<v>", "〔動詞"};
        case WordClass::Adjective:
            return {"<adj>", "〔形容詞"};
        case WordClass::Adverb:
            return {"<adv>", "〔副詞"};
        case WordClass::Unknown:
            break;
    }
    return {};
}

// Hiragana, katakana and kanji (U+3000 to U+9FFF) have lead bytes E3 to E9; fullwidth forms
// (U+FF00 to U+FFEF) begin EF BC to EF BF. Pronunciations and English never hold them.
bool HoldsJapanese(std::string_view line) {
    for (size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte >= 0xE3 && byte <= 0xE9) {
            return true;
        }
        if (byte == 0xEF && i + 1 < line.size() &&
            static_cast<unsigned char>(line[i + 1]) >= 0xBC) {
            return true;
        }
    }
    return false;
}

// The line without a leading sense number ("2. ").
std::string_view WithoutSenseNumber(std::string_view line) {
    size_t digits = 0;
    while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) {
        ++digits;
    }
    if (digits > 0 && line.substr(digits).starts_with(". ")) {
        return line.substr(digits + 2);
    }
    return line;
}

std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        if (const std::string_view line = TrimmedEnd(TrimmedSpaces(text.substr(0, end)));
            !line.empty()) {
            lines.push_back(line);
        }
        text = text.substr(std::min(end + 1, text.size()));
    }
    return lines;
}

// The text cut to at most max bytes at a character boundary, with "…" when cut.
std::string CutToLength(std::string text, size_t max) {
    if (text.size() <= max) {
        return text;
    }
    size_t end = 0;
    while (end < text.size()) {
        const size_t length =
            std::max<size_t>(Utf8SequenceLength(std::string_view(text).substr(end)), 1);
        if (end + length > max) {
            break;
        }
        end += length;
    }
    text.resize(end);
    return text + "…";
}

// The first Japanese lines of the definition, else its first lines, on one line.
std::string Gloss(std::string_view definition) {
    const std::vector<std::string_view> lines = LinesOf(definition);
    std::vector<std::string_view> chosen;
    for (std::string_view line : lines) {
        if (HoldsJapanese(line) && chosen.size() < kGlossLines) {
            chosen.push_back(TrimmedSpaces(WithoutSenseNumber(line)));
        }
    }
    if (chosen.empty()) {
        chosen.assign(lines.begin(),
                      lines.begin() + static_cast<long>(std::min(lines.size(), kGlossLines)));
    }
    std::string gloss;
    for (std::string_view line : chosen) {
        gloss += (gloss.empty() ? "" : " / ") + std::string(line);
    }
    return CutToLength(std::move(gloss), kGlossBytes);
}

// The base's definition that marks the word class of the list, else its first.
const std::string& ChosenDefinition(const std::vector<std::string>& definitions,
                                    WordClass word_class) {
    for (const std::string& definition : definitions) {
        const std::string_view first_line =
            std::string_view(definition).substr(0, definition.find('\n'));
        for (std::string_view mark : ClassMarks(word_class)) {
            if (first_line.find(mark) != std::string_view::npos) {
                return definition;
            }
        }
    }
    return definitions.front();
}

bool IsWordByte(char byte) {
    return std::isalnum(static_cast<unsigned char>(byte)) != 0;
}

const std::vector<std::string> kNone;

std::string FirstWord(const std::string& words) {
    return words.substr(0, words.find(' '));
}

// A lemma's forms: a word's regular ones; for a verb of several words those of its first word.
std::vector<std::string> FormsOf(const std::string& lemma, WordClass word_class,
                                 const std::vector<std::string>& irregular_verb_forms,
                                 const WordTest& is_word) {
    const bool phrase = lemma.find(' ') != std::string::npos;
    if (word_class != WordClass::Verb) {
        return phrase ? std::vector<std::string>() : RegularForms(lemma, word_class);
    }
    return phrase ? PhraseForms(lemma, irregular_verb_forms, is_word)
                  : VerbForms(lemma, irregular_verb_forms, is_word);
}

// The form is a headword itself, or the suffix rules' first candidate that is one is the base.
bool LookupReaches(const std::string& form, const std::string& base,
                   const FormRows::HeadwordTest& is_headword) {
    return is_headword(form) || FirstHeadwordOfRules(form, is_headword) == LowerAsciiLetters(base);
}

}  // namespace

void FormRows::AddPair(std::string_view form, std::string_view base, WordClass word_class) {
    std::string lower_form = LowerAsciiLetters(form);
    std::string lower_base = LowerAsciiLetters(base);
    if (lower_form == lower_base || !listed_.insert(lower_form + '\t' + lower_base).second) {
        return;
    }
    definitions_.try_emplace(std::move(lower_form));
    definitions_.try_emplace(std::move(lower_base));
    pairs_.push_back({std::string(form), std::string(base), word_class});
}

void FormRows::AddLemma(std::string_view lemma, WordClass word_class) {
    if (word_class != WordClass::Verb && lemma.find(' ') != std::string_view::npos) {
        return;  // the lookup's rules reach the last word's forms (guinea pigs)
    }
    std::string lower = LowerAsciiLetters(lemma);
    definitions_.try_emplace(lower);
    lemmas_.push_back({std::string(lemma), std::move(lower), word_class});
}

void FormRows::Notice(const std::string& lower_headword, std::string_view definition) {
    const auto found = definitions_.find(lower_headword);
    if (found != definitions_.end() && found->second.size() < kDefinitionsKept) {
        found->second.emplace_back(definition);
    }
}

const std::vector<std::string>* FormRows::DefinitionsOf(const std::string& word) const {
    const auto found = definitions_.find(LowerAsciiLetters(word));
    return found == definitions_.end() || found->second.empty() ? nullptr : &found->second;
}

db::DictionaryRow FormRows::RowFor(const Pair& pair) const {
    return {pair.form,
            FormDefinition(pair.base, pair.word_class,
                           ChosenDefinition(*DefinitionsOf(pair.base), pair.word_class))};
}

// The regular forms of every lemma the dictionary holds, and the forms of its verbs of several
// words, without those a listed pair already gives.
std::vector<FormRows::Pair> FormRows::FormsOfLemmas() const {
    std::unordered_map<std::string, std::vector<std::string>> irregular_verb_forms;
    for (const Pair& pair : pairs_) {
        if (pair.word_class == WordClass::Verb) {
            irregular_verb_forms[LowerAsciiLetters(pair.base)].push_back(pair.form);
        }
    }
    // A listed word or lemma is a word in its own right.
    const WordTest is_word = [this](const std::string& word) {
        return definitions_.contains(word);
    };
    std::vector<Pair> forms;
    std::unordered_set<std::string> given;
    for (const Lemma& lemma : lemmas_) {
        const auto found = definitions_.find(lemma.lower);
        if (found == definitions_.end() || found->second.empty()) {
            continue;
        }
        const auto irregular = irregular_verb_forms.find(FirstWord(lemma.lower));
        const std::vector<std::string> lemma_forms =
            FormsOf(lemma.lower, lemma.word_class,
                    irregular == irregular_verb_forms.end() ? kNone : irregular->second, is_word);
        for (const std::string& form : lemma_forms) {
            std::string key = form + '\t' + lemma.lower;
            if (!listed_.contains(key) && given.insert(std::move(key)).second) {
                forms.push_back({form, lemma.word, lemma.word_class});
            }
        }
    }
    return forms;
}

FormRows::Result FormRows::Rows(const HeadwordTest& is_headword, const UseCount& uses) const {
    Result result;
    for (const Pair& pair : pairs_) {
        const std::vector<std::string>* own = DefinitionsOf(pair.form);
        if (!DefinitionsOf(pair.base)) {
            ++result.base_absent;
        } else if (own && NamesWord(own->front(), pair.base)) {
            ++result.already_named;
        } else if (own && uses && uses(LowerAsciiLetters(pair.form)) >= kOwnWordUses) {
            result.later_rows.push_back(RowFor(pair));
        } else {
            result.rows.push_back(RowFor(pair));
        }
    }
    for (const Pair& pair : kept_lemma_forms_ ? *kept_lemma_forms_ : FormsOfLemmas()) {
        if (LookupReaches(pair.form, pair.base, is_headword)) {
            ++result.reached;
        } else {
            result.rows.push_back(RowFor(pair));
        }
    }
    return result;
}

std::unordered_set<std::string> FormRows::FormsOfHeldWords() const {
    std::unordered_set<std::string> forms;
    for (const Pair& pair : pairs_) {
        if (DefinitionsOf(pair.base)) {
            forms.insert(LowerAsciiLetters(pair.form));
        }
    }
    for (const Pair& pair : kept_lemma_forms_ ? *kept_lemma_forms_ : FormsOfLemmas()) {
        forms.insert(pair.form);
    }
    return forms;
}

void FormRows::KeepHeldLemmas() {
    kept_lemma_forms_ = FormsOfLemmas();
}

std::string FirstHeadwordOfRules(const std::string& word,
                                 const FormRows::HeadwordTest& is_headword) {
    for (const std::string& candidate : SuffixRuleCandidates(word)) {
        if (is_headword(candidate)) {
            return candidate;
        }
    }
    return {};
}

std::string FormDefinition(std::string_view base, WordClass word_class,
                           std::string_view base_definition) {
    const std::string_view kind = word_class == WordClass::Noun ? "複数形" : "変化形";
    const std::string name(base);
    return name + " の" + std::string(kind) + "\n→ " + name + ": " + Gloss(base_definition);
}

bool NamesWord(std::string_view text, std::string_view word) {
    if (word.empty()) {
        return false;
    }
    const std::string haystack = LowerAsciiLetters(text);
    const std::string needle = LowerAsciiLetters(word);
    for (size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + 1)) {
        const size_t end = at + needle.size();
        if ((at == 0 || !IsWordByte(haystack[at - 1])) &&
            (end == haystack.size() || !IsWordByte(haystack[end]))) {
            return true;
        }
    }
    return false;
}

}  // namespace quorvantix::dict
