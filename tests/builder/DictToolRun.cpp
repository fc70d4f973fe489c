#include "tests/builder/DictToolRun.h"

#include <iconv.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "cli/dict/DictTool.h"

namespace quorvantix::testing {

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
