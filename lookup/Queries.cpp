#include "lookup/Queries.h"

#include <initializer_list>
#include <string_view>

#include "lookup/QueryTrace.h"
#include "platform/DatabaseError.h"
#include "text/AsciiText.h"

namespace quorvantix {

namespace {

constexpr const char* kExactSql =
    "SELECT fld1, fld2 FROM tbl00 WHERE fld1 = ?1 COLLATE NOCASE "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5";

// Headwords that begin with the word, A-Z case ignored, are exactly those from the word to
// its successor in NOCASE order. A range needs no wildcards, so the word is taken literally,
// and unlike a LIKE pattern it does not make SQLite compile the statement again for every word.
constexpr const char* kPrefixSql =
    "SELECT fld1, fld2 FROM tbl00 WHERE fld1 >= ?1 COLLATE NOCASE AND fld1 < ?2 COLLATE NOCASE "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5";

constexpr const char* kUnboundedPrefixSql =
    "SELECT fld1, fld2 FROM tbl00 WHERE fld1 >= ?1 COLLATE NOCASE "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 5";

constexpr const char* kPhraseSql =
    "SELECT fld1, fld2 FROM tbl00 "
    "WHERE (fld1 LIKE ?1 ESCAPE '\\' OR fld1 LIKE ?2 ESCAPE '\\' OR fld1 LIKE ?3 ESCAPE '\\') "
    "AND NOT (fld1 = ?4 COLLATE NOCASE) "
    "ORDER BY fld1 COLLATE NOCASE, rowid LIMIT 10";

// The least text, in NOCASE order, above every text that begins with the (lower-case) prefix;
// empty when there is none (the prefix is all 0xFF bytes). NOCASE compares A-Z as a-z, so no
// byte sorts between '@' and '[': the byte after '@' is '[', not 'A', which would sort as 'a'.
std::string SuccessorOfPrefix(std::string prefix) {
    while (!prefix.empty() && static_cast<unsigned char>(prefix.back()) == 0xFF) {
        prefix.pop_back();
    }
    if (!prefix.empty()) {
        char next = static_cast<char>(static_cast<unsigned char>(prefix.back()) + 1);
        if (next >= 'A' && next <= 'Z') {
            next = '[';
        }
        prefix.back() = next;
    }
    return prefix;
}

void AppendEntryBlock(std::string& text, db::RecordSet& records) {
    text += records.Fields("fld1").Value();
    text += "\r\n";
    text += TrimLowBytes(records.Fields("fld2").Value());
    text += "\r\n\r\n";
}

// Opens the statement and appends every row it yields.
std::string RunQuery(QueryKind kind, const char* sql,
                     std::initializer_list<std::string_view> parameters, db::Connection& connection,
                     db::RecordSet& records, const std::string& word,
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

std::string QueryPrefix(db::Connection& connection, db::RecordSet& records, const std::string& word,
                        const std::string& text_so_far) {
    // NOCASE compares A-Z as a-z, so the bounds are taken in lower case.
    const std::string lowest = LowerAsciiLetters(word);
    const std::string above = SuccessorOfPrefix(lowest);
    if (above.empty()) {
        return RunQuery(QueryKind::Prefix, kUnboundedPrefixSql, {lowest}, connection, records, word,
                        text_so_far);
    }
    return RunQuery(QueryKind::Prefix, kPrefixSql, {lowest, above}, connection, records, word,
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
