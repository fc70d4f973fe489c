#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "builder/InputFormat.h"

namespace quorvantix::dict {

struct BuildOptions {
    std::string out;
    std::vector<std::string> inputs;
    std::vector<std::string> forms;     // lists of inflected forms and their base words
    std::vector<std::string> lemmas;    // lists of words whose regular forms get rows
    std::string class_counts;           // WordNet's cntlist.rev: rows ordered by word class
    std::optional<InputFormat> format;  // nullopt: told for each input on its own
    bool keep_commas = false;
    bool progress = false;
    std::string mdb_export = "mdb-export";
};

// Exit statuses of quorvantix-dict.
enum DictToolStatus { kDictOk = 0, kDictFailed = 1, kDictUsageError = 2, kDictInterrupted = 130 };

// Builds a new dictionary file from the inputs, in their order, except that WordNet's English
// definitions come after all others and only for headwords no other input holds. The file
// appears under its name only when it is complete; on failure an existing file of that name
// stays as it was.
int RunBuild(const BuildOptions& options, std::ostream& out, std::ostream& err);

}  // namespace quorvantix::dict
