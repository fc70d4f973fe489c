#pragma once

#include <stdexcept>
#include <string>

namespace quorvantix::db {

// Every failure of the database layer, carrying SQLite's result code and message.
class DatabaseError : public std::runtime_error {
  public:
    DatabaseError(int code, const std::string& message)
        : std::runtime_error(message), code_(code) {}

    int code() const noexcept { return code_; }

  private:
    int code_;
};

}  // namespace quorvantix::db
