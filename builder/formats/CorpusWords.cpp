#include "builder/formats/CorpusWords.h"

#include <algorithm>
#include <unordered_map>

#include "builder/formats/DecodedLines.h"

namespace quorvantix::dict {

namespace {

constexpr std::string_view kCurlyApostrophe = "\xE2\x80\x99";

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of an apostrophe or hyphen at the start of text that joins two letters, else 0.
size_t JoinerAt(std::string_view text) {
    size_t length = 0;
    if (text.starts_with('\'') || text.starts_with('-')) {
        length = 1;
    } else if (text.starts_with(kCurlyApostrophe)) {
        length = kCurlyApostrophe.size();
    }
    return length > 0 && length < text.size() && IsLetter(text[length]) ? length : 0;
}

void CountWords(std::string_view line, std::unordered_map<std::string, long>& counts) {
    size_t at = 0;
    while (at < line.size()) {
        if (!IsLetter(line[at])) {
            ++at;
            continue;
        }
        std::string word;
        while (at < line.size()) {
            if (IsLetter(line[at])) {
                word += Lower(line[at++]);
            } else if (const size_t joiner = JoinerAt(line.substr(at)); joiner > 0) {
                word += line[at] == '-' ? '-' : '\'';
                at += joiner;
            } else {
                break;
            }
        }
        ++counts[word];
    }
}

}  // namespace

std::vector<WordType> WordTypesOf(const std::string& path, EntrySink& sink) {
    std::unordered_map<std::string, long> counts;
    ForEachLine(path, "", sink, [&](std::string_view line, long) {
        CountWords(line, counts);
        return true;
    });
    std::vector<WordType> types;
    types.reserve(counts.size());
    for (auto& [word, count] : counts) {
        types.push_back({word, count});
    }
    std::sort(types.begin(), types.end(), [](const WordType& a, const WordType& b) {
        return a.count != b.count ? a.count > b.count : a.word < b.word;
    });
    return types;
}

}  // namespace quorvantix::dict
