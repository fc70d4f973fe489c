#include "lookup/DictionaryCheck.h"

#include <filesystem>
#include <system_error>

#include "lookup/Queries.h"
#include "platform/Connection.h"
#include "platform/DatabaseError.h"
#include "platform/RecordSet.h"

namespace quorvantix {

std::string DictionaryProblem(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return "no such file";
    }
    if (std::filesystem::is_directory(status)) {
        return "is a folder, not a dictionary file";
    }
    if (!std::filesystem::is_regular_file(status)) {
        return "is not a regular file";
    }
    db::Connection connection;
    try {
        connection.Open(path);
    } catch (const db::DatabaseError& failure) {
        return std::string("cannot be opened as an SQLite database (") + failure.what() + ")";
    }
    db::RecordSet records;
    try {
        CheckDictionaryTable(connection, records);
    } catch (const db::DatabaseError& failure) {
        return std::string("has no table tbl00 with text columns fld1 and fld2 (") +
               failure.what() + ")";
    }
    return {};
}

}  // namespace quorvantix
