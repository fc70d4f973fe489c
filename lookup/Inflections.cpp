#include "lookup/Inflections.h"

#include "lookup/Queries.h"
#include "lookup/QueryTrace.h"
#include "lookup/SuffixRules.h"
#include "lookup/Utf8Chars.h"

namespace quorvantix {

namespace {

// One call of the cascade: the word's shape and the result text that every query extends.
class Cascade {
  public:
    Cascade(db::Connection& connection, db::RecordSet& records, const std::string& word)
        : connection_(connection), records_(records), word_(word), chars_(word) {}

    std::string Run(bool phrase_search) {
        Exact(word_);
        const bool exact_hit = Found();
        if (Len() < 3) {
            return result_;
        }
        for (const std::string& candidate : SuffixRuleCandidates(word_)) {
            Exact(candidate);
        }
        if (!Found()) {
            NotifyShorterStems();
            StemFallback(&Cascade::Exact);
        }
        if (!Found()) {
            StemFallback(&Cascade::Prefix);
        }
        if (exact_hit && phrase_search && Len() > 3) {
            result_ = QueryPhrases(connection_, records_, word_, result_);
        }
        return result_;
    }

  private:
    long Len() const { return chars_.Count(); }
    std::string Stem(long k) const {
        return Len() - k <= 0 ? std::string() : chars_.First(Len() - k);
    }
    bool Found() const { return !result_.empty(); }

    void Exact(const std::string& candidate) {
        result_ = QueryExact(connection_, records_, candidate, result_);
    }
    void Prefix(const std::string& candidate) {
        result_ = QueryPrefix(connection_, records_, candidate, result_);
    }

    // Stem(1), Stem(2) and, for words longer than three characters, Stem(3), until one finds.
    void StemFallback(void (Cascade::*query)(const std::string&)) {
        for (long k = 1; k <= 3 && !Found(); ++k) {
            if (k == 3 && Len() <= 3) {
                break;
            }
            (this->*query)(Stem(k));
        }
    }

    db::Connection& connection_;
    db::RecordSet& records_;
    const std::string& word_;
    Utf8Chars chars_;
    std::string result_;
};

}  // namespace

std::string FindWithInflections(db::Connection& connection, db::RecordSet& records,
                                const std::string& word, bool phrase_search) {
    return Cascade(connection, records, word).Run(phrase_search);
}

}  // namespace quorvantix
