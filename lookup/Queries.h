#pragma once

#include <string>

#include "platform/Connection.h"
#include "platform/RecordSet.h"

namespace quorvantix {

// Each query appends one entry block per row it reads to the text so far and returns it:
// the headword unchanged, CR LF, the definition without bytes <= 32 at either end,
// CR LF CR LF. A statement the engine rejects leaves the text so far as it was; a failure
// while reading rows (a NULL value, a damaged file) is raised with the record set still open.

// Rows whose headword equals the word, letter case of A-Z ignored; at most five.
std::string QueryExact(db::Connection& connection, db::RecordSet& records, const std::string& word,
                       const std::string& text_so_far);

// Rows whose headword begins with the word, taken literally, letter case of A-Z ignored;
// at most five.
std::string QueryPrefix(db::Connection& connection, db::RecordSet& records, const std::string& word,
                        const std::string& text_so_far);

// Rows whose headword holds the word as a whole space-separated word, without those whose
// headword is the word itself; at most ten.
std::string QueryPhrases(db::Connection& connection, db::RecordSet& records,
                         const std::string& word, const std::string& text_so_far);

// Opens the dictionary table tbl00 with both its columns and closes it again without reading
// a row. Raises when the table or a column is missing.
void CheckDictionaryTable(db::Connection& connection, db::RecordSet& records);

// The word with the LIKE wildcards and the escape character escaped by a backslash.
std::string EscapeLikePattern(const std::string& word);

}  // namespace quorvantix
