#include "tests/support/TestDictionary.h"

#include <sqlite3.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>

namespace quorvantix::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvantix-test.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

Database OpenForWriting(const std::string& file) {
    sqlite3* raw = nullptr;
    const int code = sqlite3_open_v2(file.c_str(), &raw,
                                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Database db(raw);
    if (code != SQLITE_OK) {
        throw std::runtime_error("cannot open " + file);
    }
    return db;
}

void Execute(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql);
    }
}

void BindOptional(sqlite3_stmt* statement, int index, const std::optional<std::string>& value) {
    if (value) {
        sqlite3_bind_text(statement, index, value->data(), static_cast<int>(value->size()),
                          SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_null(statement, index);
    }
}

}  // namespace

void ExecuteSql(const std::string& file, const std::string& sql) {
    Database db = OpenForWriting(file);
    Execute(db.get(), sql);
}

void WriteDictionary(const std::string& file, const std::vector<Row>& rows, bool with_index) {
    Database db = OpenForWriting(file);
    Execute(db.get(), "BEGIN; CREATE TABLE tbl00 (fld1 TEXT, fld2 TEXT)");
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(db.get(), "INSERT INTO tbl00 (fld1, fld2) VALUES (?1, ?2)", -1, &raw,
                       nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> insert(raw, sqlite3_finalize);
    for (const Row& row : rows) {
        BindOptional(insert.get(), 1, row.headword);
        BindOptional(insert.get(), 2, row.definition);
        if (sqlite3_step(insert.get()) != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db.get()));
        }
        sqlite3_reset(insert.get());
    }
    if (with_index) {
        Execute(db.get(), "CREATE INDEX tbl00_fld1 ON tbl00 (fld1 COLLATE NOCASE)");
    }
    Execute(db.get(), "COMMIT");
}

std::string TempDir::WriteFile(const std::string& name, const std::string& bytes) const {
    const std::string file = File(name);
    WriteBytes(file, bytes);
    return file;
}

void WriteBytes(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + file);
    }
}

std::string ReadBytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quorvantix::testing
