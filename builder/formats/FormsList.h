#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "builder/formats/EntrySink.h"

namespace quorvantix::dict {

// What the words of a list are, told by the list's file name as WordNet names its lists of
// inflected forms ("noun.exc", "verb.exc", "adj.exc", "adv.exc") and of lemmas ("index.noun",
// …); Unknown for any other name.
enum class WordClass { Noun, Verb, Adjective, Adverb, Unknown };

WordClass WordClassOfList(const std::string& path);

// The words of a line of such a list, "_" turned into a space.
std::vector<std::string> ListedWords(std::string_view line);

// A list of inflected forms, "form base…" per line: the form and one or more base words,
// separated by spaces or tabs, with "_" standing for a space inside a word as WordNet writes
// them. Every form and base pair is handed to sink.Add(form, base); a line with fewer than two
// words, or that is not UTF-8, is counted as skipped.
void ReadFormsList(const std::string& path, EntrySink& sink);

}  // namespace quorvantix::dict
