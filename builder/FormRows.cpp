#include "builder/FormRows.h"

#include <cctype>

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

}  // namespace

void FormRows::AddPair(std::string_view form, std::string_view base, WordClass word_class) {
    std::string lower_form = LowerAsciiLetters(form);
    std::string lower_base = LowerAsciiLetters(base);
    if (lower_form == lower_base || !listed_.insert(lower_form + '\t' + lower_base).second) {
        return;
    }
    definitions_.try_emplace(lower_form);
    definitions_.try_emplace(lower_base);
    pairs_.push_back({std::string(form), std::string(base), word_class});
}

void FormRows::Notice(std::string_view headword, std::string_view definition) {
    const auto found = definitions_.find(LowerAsciiLetters(headword));
    if (found != definitions_.end() && found->second.size() < kDefinitionsKept) {
        found->second.emplace_back(definition);
    }
}

const std::vector<std::string>* FormRows::DefinitionsOf(const std::string& word) const {
    const auto found = definitions_.find(LowerAsciiLetters(word));
    return found == definitions_.end() || found->second.empty() ? nullptr : &found->second;
}

FormRows::Result FormRows::Rows() const {
    Result result;
    for (const Pair& pair : pairs_) {
        const std::vector<std::string>* base = DefinitionsOf(pair.base);
        if (!base) {
            ++result.base_absent;
            continue;
        }
        if (const std::vector<std::string>* own = DefinitionsOf(pair.form);
            own && NamesWord(own->front(), pair.base)) {
            ++result.already_named;
            continue;
        }
        result.rows.push_back(
            {pair.form,
             FormDefinition(pair.base, pair.word_class, ChosenDefinition(*base, pair.word_class))});
    }
    return result;
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
