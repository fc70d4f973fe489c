#include "platform/Connection.h"

#include <sqlite3.h>

#include "platform/DatabaseError.h"

namespace quorvantix::db {

void StatementDeleter::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

Statement StatementCache::Take(std::string_view sql) {
    const auto found = idle_.find(sql);
    if (found == idle_.end()) {
        return nullptr;
    }
    Statement statement = std::move(found->second);
    idle_.erase(found);
    return statement;
}

void StatementCache::GiveBack(std::string sql, Statement statement) noexcept {
    sqlite3_reset(statement.get());
    sqlite3_clear_bindings(statement.get());
    try {
        idle_.emplace(std::move(sql), std::move(statement));
    } catch (...) {
        // Without memory to keep it, the statement is finalized and compiled again next time.
    }
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
    cache_ = std::make_shared<StatementCache>();
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
    cache_.reset();
    if (handle_ != nullptr) {
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
}

Statement Connection::Take(const std::string& sql) {
    if (handle_ == nullptr) {
        throw DatabaseError(SQLITE_MISUSE, "the database connection is not open");
    }
    if (Statement idle = cache_->Take(sql)) {
        return idle;
    }
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v3(handle_, sql.c_str(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
    Statement compiled(statement);
    if (code != SQLITE_OK || statement == nullptr) {
        throw DatabaseError(code == SQLITE_OK ? SQLITE_ERROR : code,
                            code == SQLITE_OK ? "empty statement" : LastMessage());
    }
    return compiled;
}

std::string Connection::LastMessage() const {
    return handle_ ? sqlite3_errmsg(handle_) : "the database connection is not open";
}

}  // namespace quorvantix::db
