#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvantix::db {

struct StatementDeleter {
    void operator()(sqlite3_stmt* statement) const noexcept;
};

// A compiled statement, owned by whoever holds it.
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// The statements of one connection not in use, by SQL text, so that a statement run again is
// not compiled again.
class StatementCache {
  public:
    // An idle statement for this SQL text, taken out of the cache; null when there is none.
    Statement Take(std::string_view sql);
    // Resets the statement, clears its parameters and keeps it for the next Take.
    void GiveBack(std::string sql, Statement statement) noexcept;

  private:
    std::multimap<std::string, Statement, std::less<>> idle_;
};

// A read-only connection to one SQLite database file. A statement belongs to whoever took it
// (a RecordSet) until it is given back to the connection's cache; one still held when the
// connection closes keeps the file open until it is finalized, as SQLite does for any
// connection closed before its statements. A connection and what it hands out are used from
// one thread at a time.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file read-only and reads its schema, so that a file that is not a
    // database fails here rather than at the first query.
    void Open(const std::string& path);
    void Close() noexcept;
    bool IsOpen() const noexcept { return handle_ != nullptr; }

    // A statement for this SQL text, ready for its parameters: one compiled before on this
    // connection and given back since, or a new one.
    Statement Take(const std::string& sql);
    // Where a statement taken from this connection goes back to; it expires when the
    // connection closes.
    std::weak_ptr<StatementCache> cache() const noexcept { return cache_; }

    // SQLite's message for the last failure on this connection.
    std::string LastMessage() const;

  private:
    sqlite3* handle_ = nullptr;
    std::shared_ptr<StatementCache> cache_;
};

}  // namespace quorvantix::db
