#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvantix::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // Writes the bytes to a file of that name in the folder and returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path path_;
};

struct Row {
    std::optional<std::string> headword;    // nullopt stores NULL
    std::optional<std::string> definition;  // nullopt stores NULL
};

// Writes a dictionary file with table tbl00(fld1, fld2) holding the rows in order.
void WriteDictionary(const std::string& file, const std::vector<Row>& rows, bool with_index = true);

// Runs SQL statements on a database file, creating it when missing.
void ExecuteSql(const std::string& file, const std::string& sql);

void WriteBytes(const std::string& file, const std::string& bytes);
std::string ReadBytes(const std::string& file);

}  // namespace quorvantix::testing
