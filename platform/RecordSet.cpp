#include "platform/RecordSet.h"

#include <sqlite3.h>

#include "platform/Connection.h"
#include "platform/DatabaseError.h"

namespace quorvantix::db {

RecordSet::~RecordSet() {
    Close();
}

void RecordSet::Open(const std::string& sql, Connection& connection,
                     std::initializer_list<std::string_view> parameters) {
    Close();
    sql_ = sql;
    cache_ = connection.cache();
    statement_ = connection.Take(sql);
    int index = 1;
    for (std::string_view parameter : parameters) {
        const int code = sqlite3_bind_text(statement_.get(), index++, parameter.data(),
                                           static_cast<int>(parameter.size()), SQLITE_TRANSIENT);
        if (code != SQLITE_OK) {
            const std::string message = connection.LastMessage();
            Close();
            throw DatabaseError(code, message);
        }
    }
    position_ = Position::NotFetched;
    empty_ = false;
    row_ = -1;
}

void RecordSet::Close() noexcept {
    if (statement_ != nullptr) {
        if (const auto cache = cache_.lock()) {
            cache->GiveBack(std::move(sql_), std::move(statement_));
        }
        statement_.reset();  // finalized when its connection has closed
    }
    cache_.reset();
    position_ = Position::NotFetched;
}

sqlite3_stmt* RecordSet::RequireOpen() const {
    if (statement_ == nullptr) {
        throw DatabaseError(SQLITE_MISUSE, "the record set is not open");
    }
    return statement_.get();
}

std::string RecordSet::LastMessage() const {
    return sqlite3_errmsg(sqlite3_db_handle(statement_.get()));
}

void RecordSet::Step() {
    const int code = sqlite3_step(RequireOpen());
    if (code == SQLITE_ROW) {
        position_ = Position::OnRow;
        ++row_;
    } else if (code == SQLITE_DONE) {
        position_ = Position::PastEnd;
    } else {
        position_ = Position::PastEnd;
        throw DatabaseError(code, LastMessage());
    }
}

void RecordSet::FetchFirst() {
    if (position_ == Position::NotFetched) {
        Step();
        empty_ = position_ == Position::PastEnd;
    }
}

bool RecordSet::BOF() {
    RequireOpen();
    FetchFirst();
    return empty_;
}

bool RecordSet::Eof() {
    RequireOpen();
    FetchFirst();
    return position_ == Position::PastEnd;
}

void RecordSet::MoveFirst() {
    RequireOpen();
    if (position_ == Position::OnRow && row_ == 0) {
        return;
    }
    if (position_ != Position::NotFetched) {
        sqlite3_reset(statement_.get());
        position_ = Position::NotFetched;
        row_ = -1;
    }
    FetchFirst();
    if (empty_) {
        throw DatabaseError(SQLITE_NOTFOUND, "the record set has no rows");
    }
}

void RecordSet::MoveNext() {
    RequireOpen();
    FetchFirst();
    if (position_ == Position::PastEnd) {
        throw DatabaseError(SQLITE_NOTFOUND, "the record set is past its last row");
    }
    Step();
}

Field RecordSet::Fields(std::string_view column) {
    sqlite3_stmt* statement = RequireOpen();
    const int count = sqlite3_column_count(statement);
    for (int index = 0; index < count; ++index) {
        if (sqlite3_column_name(statement, index) == column) {
            return Field(*this, index);
        }
    }
    throw DatabaseError(SQLITE_ERROR, "no column named " + std::string(column));
}

std::string Field::Value() const {
    sqlite3_stmt* statement = records_.RequireOpen();
    if (records_.position_ != RecordSet::Position::OnRow) {
        throw DatabaseError(SQLITE_MISUSE, "the record set has no current row");
    }
    if (sqlite3_column_type(statement, column_) == SQLITE_NULL) {
        throw DatabaseError(SQLITE_MISMATCH, std::string("the value of ") +
                                                 sqlite3_column_name(statement, column_) +
                                                 " is NULL and does not convert to text");
    }
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column_));
    if (bytes == nullptr) {
        throw DatabaseError(SQLITE_NOMEM, "out of memory while reading a value");
    }
    return std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(statement, column_)));
}

}  // namespace quorvantix::db
