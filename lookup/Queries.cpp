#include "lookup/Queries.h"

#include <initializer_list>
#include <string_view>

#include "lookup/ByteText.h"
#include "lookup/QueryTrace.h"
#include "platform/DatabaseError.h"

namespace quorvantix {

namespace {

constexpr const char* kExactSql =
    "SELECT fld1, fld2 FROM tbl00 WHERE fld1 = ?1 COLLATE NOCASE "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5";

constexpr const char* kPrefixSql =
    "SELECT fld1, fld2 FROM tbl00 WHERE fld1 LIKE ?1 ESCAPE '\\' "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5";

constexpr const char* kPhraseSql =
    "SELECT fld1, fld2 FROM tbl00 "
    "WHERE (fld1 LIKE ?1 ESCAPE '\\' OR fld1 LIKE ?2 ESCAPE '\\' OR fld1 LIKE ?3 ESCAPE '\\') "
    "AND NOT (fld1 = ?4 COLLATE NOCASE) "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 10";

void AppendEntryBlock(std::string& text, db::RecordSet& records) {
    text += records.Fields("fld1").Value();
    text += "\r\n";
    text += TrimLowBytes(records.Fields("fld2").Value());
    text += "\r\n\r\n";
}

// Opens the statement and appends every row it yields.
std::string RunQuery(QueryKind kind, const char* sql,
                     std::initializer_list<std::string_view> parameters,
                     db::Connection& connection, db::RecordSet& records, const std::string& word,
                     const std::string& text_so_far) {
    try {
        records.Open(sql, connection, parameters);
    } catch (const db::DatabaseError&) {
        NotifyQuery(kind, word, 0);
        return text_so_far;
    }
    std::string text = text_so_far;
    int rows = 0;
    if (!records.BOF() && !records.Eof()) {
        records.MoveFirst();
        do {
            AppendEntryBlock(text, records);
            ++rows;
            records.MoveNext();
        } while (!records.Eof());
    }
    records.Close();
    NotifyQuery(kind, word, rows);
    return text;
}

}  // namespace

void CheckDictionaryTable(db::Connection& connection, db::RecordSet& records) {
    records.Open("SELECT fld1, fld2 FROM tbl00", connection);
    records.Close();
}

std::string EscapeLikePattern(const std::string& word) {
    std::string escaped;
    escaped.reserve(word.size() + 4);
    for (char byte : word) {
        if (byte == '\\' || byte == '%' || byte == '_') {
            escaped += '\\';
        }
        escaped += byte;
    }
    return escaped;
}

std::string QueryExact(db::Connection& connection, db::RecordSet& records, const std::string& word,
                       const std::string& text_so_far) {
    return RunQuery(QueryKind::Exact, kExactSql, {word}, connection, records, word, text_so_far);
}

std::string QueryPrefix(db::Connection& connection, db::RecordSet& records,
                        const std::string& word, const std::string& text_so_far) {
    const std::string pattern = EscapeLikePattern(word) + "%";
    return RunQuery(QueryKind::Prefix, kPrefixSql, {pattern}, connection, records, word,
                    text_so_far);
}

std::string QueryPhrases(db::Connection& connection, db::RecordSet& records,
                         const std::string& word, const std::string& text_so_far) {
    const std::string escaped = EscapeLikePattern(word);
    const std::string at_start = escaped + " %";
    const std::string inside = "% " + escaped + " %";
    const std::string at_end = "% " + escaped;
    return RunQuery(QueryKind::Phrase, kPhraseSql, {at_start, inside, at_end, word}, connection,
                    records, word, text_so_far);
}

}  // namespace quorvantix
