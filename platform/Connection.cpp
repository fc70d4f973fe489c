#include "platform/Connection.h"

#include <sqlite3.h>

#include "platform/DatabaseError.h"

namespace quorvantix::db {

void Connection::StatementDeleter::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

Connection::~Connection() {
    Close();
}

void Connection::Open(const std::string& path) {
    Close();
    sqlite3* handle = nullptr;
    const int code =
        sqlite3_open_v2(path.c_str(), &handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = handle ? sqlite3_errmsg(handle) : sqlite3_errstr(code);
        sqlite3_close_v2(handle);
        throw DatabaseError(code, message + ": " + path);
    }
    handle_ = handle;
    // sqlite3_open_v2 reads nothing yet; reading the schema is what rejects a file that is
    // not a database.
    const int schema =
        sqlite3_exec(handle_, "SELECT 1 FROM sqlite_schema LIMIT 1", nullptr, nullptr, nullptr);
    if (schema != SQLITE_OK) {
        const std::string message = LastMessage();
        Close();
        throw DatabaseError(schema, message + ": " + path);
    }
}

void Connection::Close() noexcept {
    statements_.clear();
    if (handle_ != nullptr) {
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
}

sqlite3_stmt* Connection::Prepare(const std::string& sql) {
    if (handle_ == nullptr) {
        throw DatabaseError(SQLITE_MISUSE, "the database connection is not open");
    }
    if (auto found = statements_.find(sql); found != statements_.end()) {
        sqlite3_reset(found->second.get());
        sqlite3_clear_bindings(found->second.get());
        return found->second.get();
    }
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(handle_, sql.c_str(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    if (code != SQLITE_OK || statement == nullptr) {
        sqlite3_finalize(statement);
        throw DatabaseError(code == SQLITE_OK ? SQLITE_ERROR : code,
                            code == SQLITE_OK ? "empty statement" : LastMessage());
    }
    return statements_.emplace(sql, StatementHandle(statement)).first->second.get();
}

std::string Connection::LastMessage() const {
    return handle_ ? sqlite3_errmsg(handle_) : "the database connection is not open";
}

}  // namespace quorvantix::db
