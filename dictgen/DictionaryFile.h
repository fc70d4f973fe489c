#pragma once

#include <optional>
#include <string>
#include <vector>

// Small dictionary files written on the spot, for the tests and the benchmarks.
namespace quorvantix::testing {

struct Row {
    std::optional<std::string> headword;    // nullopt stores NULL
    std::optional<std::string> definition;  // nullopt stores NULL
};

// Writes a dictionary file with table tbl00(fld1, fld2) holding the rows in order.
void WriteDictionary(const std::string& file, const std::vector<Row>& rows, bool with_index = true);

// Runs SQL statements on a database file, creating it when missing.
void ExecuteSql(const std::string& file, const std::string& sql);

}  // namespace quorvantix::testing
