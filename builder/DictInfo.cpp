#include "builder/DictInfo.h"

#include <ostream>

#include "lookup/DictionaryCheck.h"

#include "builder/DictBuild.h"
#include "platform/Connection.h"
#include "platform/DatabaseError.h"
#include "platform/DictionaryWriter.h"
#include "platform/RecordSet.h"

namespace quorvantix::dict {

namespace {

std::string Count(db::Connection& connection, const std::string& sql) {
    db::RecordSet records;
    records.Open(sql, connection);
    return records.Eof() ? "0" : records.Fields("n").Value();
}

}  // namespace

int RunInfo(const std::string& file, std::ostream& out, std::ostream& err) {
    const std::string problem = DictionaryProblem(file);
    if (problem.empty()) {
        try {
            db::Connection connection;
            connection.Open(file);
            out << file << '\n'
                << "  rows: " << Count(connection, "SELECT count(*) AS n FROM tbl00") << '\n'
                << "  distinct headwords: "
                << Count(connection, "SELECT count(DISTINCT fld1) AS n FROM tbl00") << '\n'
                << "  headword index: " << (db::HasHeadwordIndex(file) ? "yes" : "no") << '\n'
                << "  readable by Quorvantix: yes\n";
        } catch (const db::DatabaseError& failure) {
            err << "quorvantix-dict: " << file << ": " << failure.what() << '\n';
            return kDictFailed;
        }
        return kDictOk;
    }
    out << file << '\n' << "  readable by Quorvantix: no (" << problem << ")\n";
    return kDictFailed;
}

int RunIndex(const std::string& file, std::ostream& out, std::ostream& err) {
    try {
        const bool added = db::AddHeadwordIndex(file);
        out << file << (added ? ": headword index added\n" : ": already has the headword index\n");
        return kDictOk;
    } catch (const db::DatabaseError& failure) {
        err << "quorvantix-dict: " << failure.what() << '\n';
        return kDictFailed;
    }
}

}  // namespace quorvantix::dict
