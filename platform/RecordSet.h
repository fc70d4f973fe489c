#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Connection.h"

namespace quorvantix::db {

class RecordSet;

// One column of the record set's current row.
class Field {
  public:
    // The column's value as text. A NULL value does not convert to text: it raises.
    std::string Value() const;

  private:
    friend class RecordSet;
    Field(const RecordSet& records, int column) : records_(records), column_(column) {}

    const RecordSet& records_;
    int column_;
};

// A forward-only cursor over the rows of one statement, reusable for one statement after
// another. Rows are fetched on demand: Open only has the statement accepted, so a damaged
// file fails while rows are read, not while the statement is opened. The record set holds its
// statement until it closes, then gives it back to its connection if that is still open; so
// record sets on one SQL text do not disturb each other, and one may outlive its connection.
class RecordSet {
  public:
    RecordSet() = default;
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // Runs the SQL on the connection with the texts bound to ?1, ?2, … in order. Raises
    // when the statement is rejected (unknown table or column, malformed SQL).
    void Open(const std::string& sql, Connection& connection,
              std::initializer_list<std::string_view> parameters = {});
    void Close() noexcept;
    bool IsOpen() const noexcept { return statement_ != nullptr; }

    // True when there is no row at all (the position is before the first row).
    bool BOF();
    // True when the position is past the last row.
    bool Eof();
    void MoveFirst();
    void MoveNext();
    Field Fields(std::string_view column);

  private:
    friend class Field;
    enum class Position { NotFetched, OnRow, PastEnd };

    sqlite3_stmt* RequireOpen() const;
    void FetchFirst();
    void Step();

    std::string LastMessage() const;

    Statement statement_;
    std::string sql_;
    std::weak_ptr<StatementCache> cache_;
    Position position_ = Position::NotFetched;
    bool empty_ = false;
    long row_ = -1;
};

}  // namespace quorvantix::db
