#include "dictgen/DictionaryFile.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace quorvantix::testing {

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

Database OpenForWriting(const std::string& file) {
    sqlite3* raw = nullptr;
    const int code =
        sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (code != SQLITE_OK) {
        throw std::runtime_error("cannot open " + file);
    }
    return db;
}

void Execute(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql);
    }
}

void BindOptional(sqlite3_stmt* statement, int index, const std::optional<std::string>& value) {
    if (value) {
        sqlite3_bind_text(statement, index, value->data(), static_cast<int>(value->size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(statement, index);
    }
}

}  // namespace

void ExecuteSql(const std::string& file, const std::string& sql) {
    Database db = OpenForWriting(file);
    Execute(db.get(), sql);
}

void WriteDictionary(const std::string& file, const std::vector<Row>& rows, bool with_index) {
    Database db = OpenForWriting(file);
    Execute(db.get(), "BEGIN; CREATE TABLE tbl00 (fld1 TEXT, fld2 TEXT)");
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db.get(), "INSERT INTO tbl00 (fld1, fld2) VALUES (?1, ?2)", -1, &raw,
                       nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);
    for (const Row& row : rows) {
        BindOptional(insert.get(), 1, row.headword);
        BindOptional(insert.get(), 2, row.definition);
        if (sqlite3_step(insert.get()) != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db.get()));
        }
        sqlite3_reset(insert.get());
    }
    if (with_index) {
        Execute(db.get(), "CREATE INDEX tbl00_fld1 ON tbl00 (fld1 COLLATE NOCASE)");
    }
    Execute(db.get(), "COMMIT");
}

}  // namespace quorvantix::testing
