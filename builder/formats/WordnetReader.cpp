#include "builder/formats/WordnetReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "builder/formats/DecodedLines.h"
#include "builder/formats/FormsList.h"
#include "builder/io/InputError.h"
#include "text/AsciiText.h"

namespace quorvantix::dict {

namespace {

constexpr size_t kSensesPerClass = 3;
constexpr size_t kGlossBytes = 140;

struct WordClassFiles {
    std::string_view name;  // as WordNet names its files
    std::string_view mark;  // as the row names the class
    WordClass word_class;
};
constexpr WordClassFiles kClasses[] = {{"noun", "(n)", WordClass::Noun},
                                       {"verb", "(v)", WordClass::Verb},
                                       {"adj", "(adj)", WordClass::Adjective},
                                       {"adv", "(adv)", WordClass::Adverb}};

// One word class of a lemma: how often WordNet's tagged texts use it, its senses' offsets
// into the class's data file, most frequent first.
struct ClassSenses {
    size_t word_class;
    long tagged;
    std::vector<uint64_t> offsets;
};

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (start < line.size()) {
        const size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

std::optional<long> Number(std::string_view field, int base = 10) {
    const std::string text(field);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, base);
    return !text.empty() && *end == '\0' && value >= 0 ? std::optional<long>(value) : std::nullopt;
}

std::string Spaced(std::string_view word) {
    std::string spaced(word);
    std::replace(spaced.begin(), spaced.end(), '_', ' ');
    return spaced;
}

// An index line: "lemma pos synset_cnt p_cnt [ptr…] sense_cnt tagsense_cnt offset…".
std::optional<ClassSenses> ParseIndexLine(std::string_view line, size_t word_class) {
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() < 6) {
        return std::nullopt;
    }
    const std::optional<long> synsets = Number(fields[2]);
    const std::optional<long> pointers = Number(fields[3]);
    if (!synsets || !pointers ||
        fields.size() != 6 + static_cast<size_t>(*pointers) + static_cast<size_t>(*synsets)) {
        return std::nullopt;
    }
    const size_t first_offset = 6 + static_cast<size_t>(*pointers);
    const std::optional<long> tagged = Number(fields[first_offset - 1]);
    ClassSenses senses{word_class, tagged.value_or(0), {}};
    for (size_t i = first_offset; i < fields.size() && senses.offsets.size() < kSensesPerClass;
         ++i) {
        const std::optional<long> offset = Number(fields[i]);
        if (!offset) {
            return std::nullopt;
        }
        senses.offsets.push_back(static_cast<uint64_t>(*offset));
    }
    return senses;
}

// The definition of a data line's gloss ("| definition; \"example\"…"), shortened.
std::string DefinitionOf(std::string_view gloss) {
    const size_t example = gloss.find("; \"");
    std::string definition(TrimmedEnd(TrimmedSpaces(gloss.substr(0, example))));
    if (definition.size() > kGlossBytes) {
        const size_t space = definition.rfind(' ', kGlossBytes);
        definition.resize(space == std::string::npos ? kGlossBytes : space);
        definition += "…";
    }
    return definition;
}

// A synset's line in a data file: "offset lex_filenum ss_type w_cnt word lex_id … | gloss".
struct Synset {
    std::vector<std::string> words;
    std::string definition;
};

// The four data files, each read whole: the senses are read in the order of the lemmas,
// all over each file.
class DataFiles {
  public:
    explicit DataFiles(const std::string& folder) {
        for (const WordClassFiles& files : kClasses) {
            paths_.push_back(folder + "/data." + std::string(files.name));
            data_.push_back(WholeFile(paths_.back()));
        }
    }

    Synset Read(size_t word_class, uint64_t offset) const {
        const std::string& data = data_[word_class];
        const std::string_view line =
            offset < data.size()
                ? std::string_view(data).substr(offset, data.find('\n', offset) - offset)
                : std::string_view();
        const size_t bar = line.find(" | ");
        const std::vector<std::string_view> fields = Fields(line.substr(0, bar));
        const std::optional<long> count = fields.size() > 3 ? Number(fields[3], 16) : std::nullopt;
        if (bar == std::string_view::npos || !count ||
            fields.size() < 4 + 2 * static_cast<size_t>(*count) ||
            Number(fields[0]) != static_cast<long>(offset)) {
            throw InputError(paths_[word_class], "no synset at offset " + std::to_string(offset) +
                                                     " as its index says");
        }
        Synset synset;
        for (long i = 0; i < *count; ++i) {
            std::string word = Spaced(fields[4 + 2 * static_cast<size_t>(i)]);
            word.resize(std::min(word.size(), word.find('(')));  // "big(a)": an adjective's place
            synset.words.push_back(std::move(word));
        }
        synset.definition = DefinitionOf(line.substr(bar + 3));
        return synset;
    }

  private:
    static std::string WholeFile(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file) {
            throw InputError(path, std::string("cannot read it: ") + std::strerror(errno));
        }
        return std::move(text).str();
    }

    std::vector<std::string> paths_;
    std::vector<std::string> data_;
};

// Every lemma of the four index files with its classes, in lower case.
std::map<std::string, std::vector<ClassSenses>> ReadIndexes(const std::string& folder,
                                                            EntrySink& sink) {
    std::map<std::string, std::vector<ClassSenses>> lemmas;
    for (size_t word_class = 0; word_class < std::size(kClasses); ++word_class) {
        ForEachLine(
            folder + "/index." + std::string(kClasses[word_class].name), "", sink,
            [&](std::string_view line, long) {
                if (line.starts_with(' ')) {
                    return true;
                }
                std::optional<ClassSenses> senses = ParseIndexLine(line, word_class);
                if (senses) {
                    lemmas[Spaced(line.substr(0, line.find(' ')))].push_back(std::move(*senses));
                }
                return senses.has_value();
            });
    }
    return lemmas;
}

// The headword as the lemma's first sense spells it, else the lemma.
std::string Spelling(const std::string& lemma, const Synset& first) {
    for (const std::string& word : first.words) {
        if (LowerAsciiLetters(word) == lemma) {
            return word;
        }
    }
    return lemma;
}

}  // namespace

bool IsWordnetFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path + "/index.noun", ignored) &&
           std::filesystem::is_regular_file(path + "/data.noun", ignored);
}

void ReadWordnetLemmas(const std::string& index_path, EntrySink& sink) {
    ForEachLine(index_path, "", sink, [&](std::string_view line, long) {
        if (line.starts_with(' ')) {
            return true;
        }
        const std::string_view lemma = line.substr(0, line.find(' '));
        if (lemma.size() == line.size()) {
            return false;
        }
        sink.Add(Spaced(lemma), "");
        return true;
    });
}

std::vector<WordnetEntry> ReadWordnetEntries(const std::string& folder, EntrySink& sink) {
    const DataFiles data(folder);
    std::map<std::string, std::vector<ClassSenses>> lemmas = ReadIndexes(folder, sink);
    std::vector<WordnetEntry> entries;
    entries.reserve(lemmas.size());
    for (auto& [lemma, classes] : lemmas) {
        if (entries.size() % 4096 == 0) {
            sink.Reached(entries.size(), lemmas.size());
        }
        std::stable_sort(
            classes.begin(), classes.end(),
            [](const ClassSenses& a, const ClassSenses& b) { return a.tagged > b.tagged; });
        WordnetEntry entry{lemma, {}, std::string(kEnglishEnglishMark), {}};
        for (const ClassSenses& senses : classes) {
            entry.word_classes.push_back(kClasses[senses.word_class].word_class);
            entry.definition += entry.definition.size() > kEnglishEnglishMark.size() ? "\n" : "";
            entry.definition += kClasses[senses.word_class].mark;
            for (size_t sense = 0; sense < senses.offsets.size(); ++sense) {
                const Synset synset = data.Read(senses.word_class, senses.offsets[sense]);
                entry.headword = entry.headword.empty() ? Spelling(lemma, synset) : entry.headword;
                entry.definition += (sense == 0 ? " " : "; ") + std::to_string(sense + 1) + ". " +
                                    synset.definition;
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace quorvantix::dict
