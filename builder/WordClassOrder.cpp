#include "builder/WordClassOrder.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "builder/ListSink.h"
#include "builder/formats/DecodedLines.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

// The class a row's first line names: 0 noun, 1 verb, 2 adjective, 3 adverb.
std::optional<size_t> ClassOfRow(std::string_view definition) {
    const std::string_view first = definition.substr(0, definition.find('\n'));
    constexpr std::pair<std::string_view, size_t> kMarks[] = {
        {"<n>", 0},    {"<v>", 1},    {"<adj>", 2},    {"<adv>", 3},
        {"〔名詞", 0}, {"〔動詞", 1}, {"〔形容詞", 2}, {"〔副詞", 3}};
    std::optional<size_t> found;
    size_t at = std::string_view::npos;
    for (const auto& [mark, word_class] : kMarks) {
        if (const size_t where = first.find(mark); where < at) {
            at = where;
            found = word_class;
        }
    }
    return found;
}

// WordNet's class digit: 1 noun, 2 verb, 3 adjective, 4 adverb, 5 adjective satellite.
std::optional<size_t> ClassOfDigit(char digit) {
    switch (digit) {
        case '1':
            return 0;
        case '2':
            return 1;
        case '3':
        case '5':
            return 2;
        case '4':
            return 3;
        default:
            return std::nullopt;
    }
}

}  // namespace

WordClassOrder::WordClassOrder(const std::string& counts_path, std::ostream& err) {
    ListSink sink([](std::string_view, std::string_view) {});
    ForEachLine(counts_path, "", sink, [&](std::string_view line, long) {
        // "lemma%2:38:00:: sense count"
        const size_t percent = line.find('%');
        const size_t space = line.rfind(' ');
        if (percent == std::string_view::npos || space == std::string_view::npos ||
            percent + 1 >= line.size()) {
            return false;
        }
        const std::optional<size_t> word_class = ClassOfDigit(line[percent + 1]);
        const std::string count(line.substr(space + 1));
        char* end = nullptr;
        const long value = std::strtol(count.c_str(), &end, 10);
        if (!word_class || count.empty() || *end != '\0' || value < 0) {
            return false;
        }
        std::string lemma(line.substr(0, percent));
        std::replace(lemma.begin(), lemma.end(), '_', ' ');
        counts_[LowerAsciiLetters(lemma)][*word_class] += value;
        return true;
    });
    sink.skips().WriteReport(err, counts_path, "line", "lines");
}

long WordClassOrder::UsesOf(const std::string& word) const {
    const auto counts = counts_.find(word);
    if (counts == counts_.end()) {
        return 0;
    }
    long uses = 0;
    for (long count : counts->second) {
        uses += count;
    }
    return uses;
}

void WordClassOrder::Order(std::vector<db::DictionaryRow>& rows) const {
    if (rows.size() < 2) {
        return;
    }
    const auto counts = counts_.find(LowerAsciiLetters(rows.front().headword));
    if (counts == counts_.end()) {
        return;
    }
    const auto rank = [&](const db::DictionaryRow& row) {
        const std::optional<size_t> word_class = ClassOfRow(row.definition);
        return word_class ? counts->second[*word_class] : -1L;
    };
    std::stable_sort(
        rows.begin(), rows.end(),
        [&](const db::DictionaryRow& a, const db::DictionaryRow& b) { return rank(a) > rank(b); });
}

}  // namespace quorvantix::dict
