#include "lookup/LookupWord.h"

#include <filesystem>
#include <system_error>

#include "lookup/Inflections.h"
#include "lookup/Queries.h"
#include "platform/Connection.h"
#include "platform/DatabaseError.h"
#include "platform/RecordSet.h"

namespace quorvantix {

namespace {

bool IsRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

bool HasDictionaryTable(db::Connection& connection, db::RecordSet& records) {
    try {
        CheckDictionaryTable(connection, records);
    } catch (const db::DatabaseError&) {
        return false;
    }
    return true;
}

}  // namespace

std::string StemWithoutPrefix(const std::string& text) {
    const std::string_view view(text);
    if (view.starts_with("en") || view.starts_with("un") || view.starts_with("re") ||
        view.starts_with("irr")) {
        return text.substr(2);
    }
    if (view.starts_with("dis")) {
        return text.substr(3);
    }
    return {};
}

std::string LookupWord(const std::string& text, const std::string& database_path,
                       const std::string& alternate_path, bool use_alternate_path,
                       bool phrase_search) {
    std::string result;
    if (text.empty()) {
        return result;
    }
    const std::string& path = use_alternate_path ? alternate_path : database_path;
    if (!IsRegularFile(path)) {
        return result;
    }
    db::Connection connection;
    try {
        connection.Open(path);
    } catch (const db::DatabaseError&) {
        return result;
    }
    db::RecordSet records;
    if (!HasDictionaryTable(connection, records)) {
        return result;
    }
    result = FindWithInflections(connection, records, text, phrase_search);
    if (result.empty()) {
        if (const std::string stem = StemWithoutPrefix(text); !stem.empty()) {
            result = FindWithInflections(connection, records, stem, false);
        }
    }
    return result;
}

}  // namespace quorvantix
