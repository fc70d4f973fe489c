#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvantix::db {

struct DictionaryRow {
    std::string headword;
    std::string definition;
    bool operator==(const DictionaryRow&) const = default;
};

// Fills a new dictionary file with rows in the order they are added: table tbl00 with the
// headword in fld1 and the definition in fld2, and the headword index made once all rows are
// in. Meant for a scratch file that is thrown away when anything fails: it writes without a
// journal and without waiting for the disk, and an unfinished file is not a dictionary.
class DictionaryWriter {
  public:
    // The file must be new or empty.
    explicit DictionaryWriter(const std::string& path);
    ~DictionaryWriter();
    DictionaryWriter(const DictionaryWriter&) = delete;
    DictionaryWriter& operator=(const DictionaryWriter&) = delete;

    void Add(std::string_view headword, std::string_view definition);

    // Adds rows that come, in their order, before every row added so far: the lookup reads the
    // rows of one headword in rowid order, so these are given rowids below the others'.
    void AddFirst(const std::vector<DictionaryRow>& rows);

    // Creates the index, commits and closes the file. While the index is being made (seconds,
    // for millions of rows), stop is asked again and again; when it answers true, making the
    // index is abandoned and DatabaseError raised.
    void Finish(const std::function<bool()>& stop = {});

    long long rows() const noexcept { return rows_; }

    struct DatabaseCloser {
        void operator()(sqlite3* handle) const noexcept;
    };

  private:
    struct StatementDeleter {
        void operator()(sqlite3_stmt* statement) const noexcept;
    };

    void Insert(std::string_view headword, std::string_view definition,
                std::optional<long long> rowid);
    void Execute(const char* sql);
    [[noreturn]] void Fail(int code) const;

    std::string path_;
    std::unique_ptr<sqlite3, DatabaseCloser> database_;
    std::unique_ptr<sqlite3_stmt, StatementDeleter> insert_;
    long long rows_ = 0;
    long long lowest_rowid_ = 1;
};

// Whether the file's table tbl00 has an index led by fld1 COLLATE NOCASE, whatever its name.
bool HasHeadwordIndex(const std::string& path);

// Adds the headword index to an existing dictionary file. Returns false when the file already
// had it. Raises when the file is not a database or has no table tbl00 with a column fld1.
bool AddHeadwordIndex(const std::string& path);

}  // namespace quorvantix::db
