#include "builder/formats/FormsList.h"

#include <algorithm>
#include <filesystem>

#include "builder/formats/DecodedLines.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

std::vector<std::string> ListedWords(std::string_view line) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < line.size()) {
        const size_t end = std::min(line.find_first_of(" \t", start), line.size());
        if (end > start) {
            std::string word(line.substr(start, end - start));
            std::replace(word.begin(), word.end(), '_', ' ');
            words.push_back(std::move(word));
        }
        start = end + 1;
    }
    return words;
}

WordClass WordClassOfList(const std::string& path) {
    const std::string name = LowerAsciiLetters(std::filesystem::path(path).filename().string());
    const std::pair<std::string_view, WordClass> classes[] = {{"noun", WordClass::Noun},
                                                              {"verb", WordClass::Verb},
                                                              {"adj", WordClass::Adjective},
                                                              {"adv", WordClass::Adverb}};
    for (const auto& [prefix, word_class] : classes) {
        if (name.starts_with(prefix) || name.ends_with("." + std::string(prefix))) {
            return word_class;
        }
    }
    return WordClass::Unknown;
}

void ReadFormsList(const std::string& path, EntrySink& sink) {
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        const std::vector<std::string> words = ListedWords(line);
        if (words.size() < 2) {
            return false;
        }
        for (size_t i = 1; i < words.size(); ++i) {
            sink.Add(words[0], words[i]);
        }
        return true;
    });
}

}  // namespace quorvantix::dict
