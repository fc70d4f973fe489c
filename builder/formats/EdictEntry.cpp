#include "builder/formats/EdictEntry.h"

#include <array>

#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kCommonMark = "(P)";

bool IsVerbTag(std::string_view tag) {
    if (tag == "vi" || tag == "vt" || tag == "vk" || tag == "vn" || tag == "vr" || tag == "vz" ||
        tag == "iv" || tag == "aux-v" || tag.starts_with("vs")) {
        return true;
    }
    return tag.size() >= 2 && tag[0] == 'v' &&
           (tag[1] == '1' || tag[1] == '2' || tag[1] == '4' || tag[1] == '5');
}

bool IsOtherPartOfSpeech(std::string_view tag) {
    constexpr std::array<std::string_view, 15> kHeads = {"n",   "adj",  "adv", "exp",  "int",
                                                         "prt", "conj", "pn",  "pref", "suf",
                                                         "ctr", "num",  "cop", "aux",  "unc"};
    for (std::string_view head : kHeads) {
        if (tag == head ||
            (tag.starts_with(head) && tag.size() > head.size() && tag[head.size()] == '-')) {
            return true;
        }
    }
    return false;
}

// Updates is_verb when the note is a list of part-of-speech tags ("v5r,vi", "n,vs").
void ReadPartOfSpeech(std::string_view note, bool& is_verb) {
    bool verb = false;
    bool other = false;
    while (!note.empty()) {
        const size_t comma = note.find(',');
        const std::string_view tag = note.substr(0, comma);
        verb = verb || IsVerbTag(tag);
        other = other || IsOtherPartOfSpeech(tag);
        note = comma == note.npos ? std::string_view() : note.substr(comma + 1);
    }
    if (verb || other) {
        is_verb = verb;
    }
}

// Where the parenthesis that opens the text closes, nested ones skipped; npos when it does not.
size_t MatchingParenthesis(std::string_view text) {
    int depth = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            return i;
        }
    }
    return text.npos;
}

// The text with every parenthesised note, nested ones included, removed.
std::string WithoutNotes(std::string_view text) {
    std::string kept;
    int depth = 0;
    for (char c : text) {
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
        } else if (depth == 0) {
            kept += c;
        }
    }
    return kept;
}

std::string WithSingleSpaces(std::string_view text) {
    std::string tidy;
    for (char c : TrimmedSpaces(text)) {
        if (c == ' ' && !tidy.empty() && tidy.back() == ' ') {
            continue;
        }
        tidy += c;
    }
    return tidy;
}

// Removes every "(P)" from the field; true when there was one.
bool TakeCommonMark(std::string& field) {
    bool found = false;
    for (size_t at = field.find(kCommonMark); at != field.npos; at = field.find(kCommonMark)) {
        field.erase(at, kCommonMark.size());
        found = true;
    }
    return found;
}

}  // namespace

std::string GlossHeadword(std::string_view gloss, bool& is_verb) {
    gloss = TrimmedSpaces(gloss);
    while (gloss.starts_with('(')) {
        const size_t close = MatchingParenthesis(gloss);
        if (close == gloss.npos) {
            break;
        }
        ReadPartOfSpeech(gloss.substr(1, close - 1), is_verb);
        gloss = TrimmedSpaces(gloss.substr(close + 1));
    }
    std::string headword = WithSingleSpaces(WithoutNotes(gloss));
    if (is_verb && headword.starts_with("to ")) {
        headword.erase(0, 3);
    }
    return headword;
}

std::optional<EdictEntry> ParseEdictLine(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == 0 || space == line.npos) {
        return std::nullopt;
    }
    EdictEntry entry;
    std::string words(line.substr(0, space));
    std::string_view rest = line.substr(space + 1);
    std::string reading;
    if (rest.starts_with('[')) {
        const size_t close = rest.find("] ");
        if (close == rest.npos) {
            return std::nullopt;
        }
        reading = rest.substr(1, close - 1);
        rest.remove_prefix(close + 2);
    }
    if (rest.size() < 2 || rest.front() != '/' || rest.back() != '/') {
        return std::nullopt;
    }
    entry.common = TakeCommonMark(words) | TakeCommonMark(reading);
    entry.words = reading.empty() ? words : words + " [" + reading + "]";
    bool is_verb = false;
    rest = rest.substr(1, rest.size() - 2);
    while (!rest.empty()) {
        const size_t slash = rest.find('/');
        const std::string_view gloss = rest.substr(0, slash);
        rest = slash == rest.npos ? std::string_view() : rest.substr(slash + 1);
        if (gloss == kCommonMark) {
            entry.common = true;
        } else if (!gloss.starts_with("EntL")) {
            if (std::string headword = GlossHeadword(gloss, is_verb); !headword.empty()) {
                entry.glosses.push_back(std::move(headword));
            }
        }
    }
    return entry;
}

}  // namespace quorvantix::dict
