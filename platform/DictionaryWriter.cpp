#include "platform/DictionaryWriter.h"

#include <chrono>
#include <thread>

#include <sqlite3.h>

#include "platform/DatabaseError.h"

namespace quorvantix::db {

namespace {

constexpr const char* kIndexSql =
    "CREATE INDEX IF NOT EXISTS tbl00_fld1 ON tbl00 (fld1 COLLATE NOCASE)";

// Index lists of the table, so that an index made by another tool under another name counts.
constexpr const char* kHasIndexSql =
    "SELECT count(*) FROM pragma_index_list('tbl00') AS l, pragma_index_xinfo(l.name) AS x "
    "WHERE l.partial = 0 AND x.seqno = 0 AND x.name = 'fld1' AND x.coll = 'NOCASE'";

sqlite3* OpenFile(const std::string& path, int flags) {
    sqlite3* handle = nullptr;
    const int code = sqlite3_open_v2(path.c_str(), &handle, flags, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
        sqlite3_close_v2(handle);
        throw DatabaseError(code, message + ": " + path);
    }
    return handle;
}

void ExecuteOn(sqlite3* handle, const char* sql, const std::string& path) {
    const int code = sqlite3_exec(handle, sql, nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        throw DatabaseError(code, std::string(sqlite3_errmsg(handle)) + ": " + path);
    }
}

long long CountOf(sqlite3* handle, const char* sql, const std::string& path) {
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr);
    long long count = 0;
    if (code == SQLITE_OK) {
        code = sqlite3_step(statement);
        count = code == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    }
    sqlite3_finalize(statement);
    if (code != SQLITE_ROW) {
        throw DatabaseError(code, std::string(sqlite3_errmsg(handle)) + ": " + path);
    }
    return count;
}

}  // namespace

void DictionaryWriter::DatabaseCloser::operator()(sqlite3* handle) const noexcept {
    sqlite3_close_v2(handle);
}

void DictionaryWriter::StatementDeleter::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

DictionaryWriter::DictionaryWriter(const std::string& path)
    : path_(path), database_(OpenFile(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) {
    Execute(
        "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE;"
        "PRAGMA cache_size = -8192; PRAGMA threads = 2;"
        "BEGIN; CREATE TABLE tbl00 (fld1 TEXT NOT NULL, fld2 TEXT NOT NULL)");
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(database_.get(),
                                        "INSERT INTO tbl00 (fld1, fld2, rowid) VALUES (?1, ?2, ?3)",
                                        -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    insert_.reset(statement);
    if (code != SQLITE_OK) {
        Fail(code);
    }
}

DictionaryWriter::~DictionaryWriter() = default;

void DictionaryWriter::Add(std::string_view headword, std::string_view definition) {
    Insert(headword, definition, std::nullopt);
}

void DictionaryWriter::AddFirst(const std::vector<DictionaryRow>& rows) {
    long long rowid = lowest_rowid_ - static_cast<long long>(rows.size());
    lowest_rowid_ = rowid;
    for (const DictionaryRow& row : rows) {
        Insert(row.headword, row.definition, rowid);
        ++rowid;
    }
}

// Without a rowid SQLite gives the next one after the highest.
void DictionaryWriter::Insert(std::string_view headword, std::string_view definition,
                              std::optional<long long> rowid) {
    sqlite3_stmt* insert = insert_.get();
    sqlite3_bind_text(insert, 1, headword.data(), static_cast<int>(headword.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, definition.data(), static_cast<int>(definition.size()),
                      SQLITE_STATIC);
    if (rowid) {
        sqlite3_bind_int64(insert, 3, *rowid);
    } else {
        sqlite3_bind_null(insert, 3);
    }
    const int code = sqlite3_step(insert);
    sqlite3_reset(insert);
    if (code != SQLITE_DONE) {
        Fail(code);
    }
    ++rows_;
}

void DictionaryWriter::Finish(const std::function<bool()>& stop) {
    insert_.reset();
    {
        // Sorting the headwords runs in SQLite's worker threads for seconds at a time, between
        // two steps of its program, so the question is put from a thread of its own, which
        // interrupts the database when the answer is yes.
        std::jthread watch;
        if (stop) {
            watch = std::jthread([this, &stop](std::stop_token done) {
                // Again and again: an interruption before the statement runs is not kept.
                while (!done.stop_requested()) {
                    if (stop()) {
                        sqlite3_interrupt(database_.get());
                    }
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
            });
        }
        Execute(kIndexSql);
    }
    Execute("COMMIT");
    const int code = sqlite3_close(database_.get());
    if (code != SQLITE_OK) {
        Fail(code);
    }
    static_cast<void>(database_.release());
}

void DictionaryWriter::Execute(const char* sql) {
    ExecuteOn(database_.get(), sql, path_);
}

void DictionaryWriter::Fail(int code) const {
    throw DatabaseError(code, std::string(sqlite3_errmsg(database_.get())) + ": " + path_);
}

bool HasHeadwordIndex(const std::string& path) {
    const std::unique_ptr<sqlite3, DictionaryWriter::DatabaseCloser> handle(
        OpenFile(path, SQLITE_OPEN_READONLY));
    return CountOf(handle.get(), kHasIndexSql, path) > 0;
}

bool AddHeadwordIndex(const std::string& path) {
    const std::unique_ptr<sqlite3, DictionaryWriter::DatabaseCloser> handle(
        OpenFile(path, SQLITE_OPEN_READWRITE));
    if (CountOf(handle.get(), kHasIndexSql, path) > 0) {
        return false;
    }
    ExecuteOn(handle.get(), "SELECT fld1 FROM tbl00 LIMIT 0", path);
    ExecuteOn(handle.get(), kIndexSql, path);
    return true;
}

}  // namespace quorvantix::db
