#pragma once

#include <map>
#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvantix::db {

// A read-only connection to one SQLite database file. Statements prepared on it are kept
// until it closes, so a statement run again within one connection is not compiled again.
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

    // The statement for this SQL text, prepared once per connection and reset for reuse.
    sqlite3_stmt* Prepare(const std::string& sql);

    // SQLite's message for the last failure on this connection.
    std::string LastMessage() const;

  private:
    struct StatementDeleter {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };
    using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

    sqlite3* handle_ = nullptr;
    std::map<std::string, StatementHandle, std::less<>> statements_;
};

}  // namespace quorvantix::db
