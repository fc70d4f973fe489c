#include "tests/builder/DictToolRun.h"

#include <iconv.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "cli/dict/DictTool.h"

namespace quorvantix::testing {

void WriteWordnet(const std::filesystem::path& folder, const std::vector<TestSynset>& synsets,
                  const std::map<std::string, std::string>& exception_lists) {
    std::filesystem::create_directories(folder);
    // Per class: the data file's text and, per lemma, its senses' offsets and tagged count.
    struct Lemma {
        std::vector<size_t> offsets;
        int tagged = 0;
    };
    std::map<std::string, std::string> data;
    std::map<std::string, std::map<std::string, Lemma>> lemmas;
    for (const char* word_class : {"noun", "verb", "adj", "adv"}) {
        data[word_class] = "  1 This software and database is being provided to you\n";
        lemmas[word_class];
    }
    for (const TestSynset& synset : synsets) {
        std::string& text = data[synset.word_class];
        const size_t offset = text.size();
        char head[64];
        std::snprintf(head, sizeof head, "%08zu 05 %c %02zx ", offset, synset.word_class[0],
                      synset.words.size());
        std::string line = head;
        for (const std::string& word : synset.words) {
            std::string underscored = word;
            std::replace(underscored.begin(), underscored.end(), ' ', '_');
            line += underscored + " 0 ";
            std::string lower = word;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            Lemma& lemma = lemmas[synset.word_class][lower];
            lemma.offsets.push_back(offset);
            lemma.tagged += synset.tagged;
        }
        text += line + "000 | " + synset.gloss + "  \n";
    }
    for (const auto& [word_class, text] : data) {
        WriteBytes((folder / ("data." + word_class)).string(), text);
        std::string index = "  1 This software and database is being provided to you\n";
        for (const auto& [lemma, senses] : lemmas[word_class]) {
            std::string underscored = lemma;
            std::replace(underscored.begin(), underscored.end(), ' ', '_');
            index += underscored + " " + word_class[0] + " " +
                     std::to_string(senses.offsets.size()) + " 0 " +
                     std::to_string(senses.offsets.size()) + " " + std::to_string(senses.tagged);
            for (size_t offset : senses.offsets) {
                char field[16];
                std::snprintf(field, sizeof field, " %08zu", offset);
                index += field;
            }
            index += "  \n";
        }
        WriteBytes((folder / ("index." + word_class)).string(), index);
        const auto listed = exception_lists.find(word_class + ".exc");
        WriteBytes((folder / (word_class + ".exc")).string(),
                   listed == exception_lists.end() ? "" : listed->second);
    }
}

ToolRun RunDict(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = dict::RunDictTool(arguments, false, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

Rows ReadRows(const std::string& dictionary) {
    sqlite3* raw = nullptr;
    sqlite3_open_v2(dictionary.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close_v2);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw, "SELECT fld1, fld2 FROM tbl00 ORDER BY rowid", -1, &statement,
                           nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(raw));
    }
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> rows(statement, sqlite3_finalize);
    Rows read;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        read.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                          reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
    }
    return read;
}

std::string Encoded(const std::string& utf8, const std::string& encoding) {
    std::unique_ptr<void, int (*)(iconv_t)> converter(iconv_open(encoding.c_str(), "UTF-8"),
                                                      iconv_close);
    std::string out(utf8.size() * 2 + 8, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t in_left = utf8.size();
    char* to = out.data();
    size_t out_left = out.size();
    if (iconv(converter.get(), &in, &in_left, &to, &out_left) == static_cast<size_t>(-1)) {
        throw std::runtime_error("cannot encode the fixture in " + encoding);
    }
    out.resize(out.size() - out_left);
    return out;
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace quorvantix::testing
