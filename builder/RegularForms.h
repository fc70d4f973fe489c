#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "builder/formats/FormsList.h"

namespace quorvantix::dict {

// The regular inflected forms of an English word of that class, by the spelling rules of
// English: a noun's plural; a verb's -s, -ed and -ing forms; a short adjective's -er and -est
// forms. Where a rule cannot tell (is the last consonant doubled: admitted, visited?) both
// spellings are given; irregular forms are the exception lists' business. Only words of
// letters a to z get forms.
std::vector<std::string> RegularForms(std::string_view word, WordClass word_class);

// Whether a spelling is a word in its own right (burned, beside burnt; not gived).
using WordTest = std::function<bool(const std::string&)>;

// A verb's forms: the irregular ones given (gave, given), then its regular ones, but for a
// verb with irregular forms only those -ed forms that are words (burned, not gived).
std::vector<std::string> VerbForms(std::string_view verb,
                                   const std::vector<std::string>& irregular_forms,
                                   const WordTest& is_word);

// The forms of a verb of several words made by inflecting its first word as VerbForms does,
// the way a reader meets them ("look up": looks up, looked up, looking up; "give up", with
// gave and given: gave up, given up, gives up, giving up).
std::vector<std::string> PhraseForms(std::string_view phrase,
                                     const std::vector<std::string>& irregular_first_forms,
                                     const WordTest& is_word);

}  // namespace quorvantix::dict
