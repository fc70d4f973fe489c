#include "lookup/Inflections.h"

#include <initializer_list>
#include <string_view>

#include "lookup/Queries.h"
#include "lookup/QueryTrace.h"
#include "lookup/Utf8Chars.h"

namespace quorvantix {

bool IsVowelLetter(const std::string& text) {
    for (const char* vowel : {"a", "e", "i", "o", "u"}) {
        if (text == vowel) {
            return true;
        }
    }
    return text.empty();
}

namespace {

bool IsOneOf(const std::string& text, std::initializer_list<std::string_view> choices) {
    for (std::string_view choice : choices) {
        if (text == choice) {
            return true;
        }
    }
    return false;
}

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
        if (Tail(1) == "s") {
            Exact(Stem(1));
        }
        ApplySuffixRules();
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
    std::string Tail(long n) const { return chars_.Last(n); }
    std::string FromEnd(long n) const { return n > Len() ? std::string() : chars_.At(Len() - n); }
    std::string Stem(long k) const {
        return Len() - k <= 0 ? std::string() : chars_.First(Len() - k);
    }
    bool Found() const { return !result_.empty(); }

    // The n-th and (n+1)-th characters from the end are one doubled consonant.
    bool DoubledConsonantAt(long n) const {
        return !IsVowelLetter(FromEnd(n + 1)) && FromEnd(n) == FromEnd(n + 1);
    }

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

    // Stem(k) + "o", Stem(k) + "e", Stem(k).
    void ExactWithOE(long k) {
        Exact(Stem(k) + "o");
        Exact(Stem(k) + "e");
        Exact(Stem(k));
    }

    // A doubled consonant before the suffix is either the word's own (pass → passed, fill →
    // filling) or doubled by it (stop → stopped): the stem that keeps both letters, Stem(k),
    // first, then the undoubled stem Stem(k + 1) as `undoubled` queries it.
    void DoubledThenUndoubled(long k, void (Cascade::*undoubled)(long)) {
        Exact(Stem(k));
        (this->*undoubled)(k + 1);
    }
    void ExactStem(long k) { Exact(Stem(k)); }

    void ApplySuffixRules() {
        if (Tail(1) == "y") {
            ApplyYRules();
        } else if (IsOneOf(Tail(2), {"ed", "er", "es"})) {
            if (IsOneOf(Tail(3), {"ied", "ier", "ies"})) {
                Exact(Stem(3) + "y");
            } else if (DoubledConsonantAt(3)) {
                DoubledThenUndoubled(2, &Cascade::ExactStem);
            } else {
                Exact(Stem(1));
                Exact(Stem(2));
                if (Tail(3) == "ves") {
                    Exact(Stem(3) + "fe");
                    Exact(Stem(3) + "f");
                }
            }
        } else if (IsOneOf(Tail(3), {"ing", "est", "ist", "ers", "ors"})) {
            if (Tail(4) == "iest") {
                Exact(Stem(4) + "y");
            } else if (DoubledConsonantAt(4)) {
                DoubledThenUndoubled(3, &Cascade::ExactWithOE);
            } else if (Len() > 3) {
                ExactWithOE(3);
            }
        } else if (IsOneOf(Tail(4), {"ings", "ists"})) {
            if (DoubledConsonantAt(5)) {
                DoubledThenUndoubled(4, &Cascade::ExactWithOE);
            } else if (Len() > 4) {
                ExactWithOE(4);
            }
        } else if (IsOneOf(Tail(4), {"full", "ness", "less", "able", "ment"})) {
            Exact(Stem(4));
            if (Len() > 5 && FromEnd(5) == "i") {
                Exact(Stem(5) + "y");
            }
        } else if (Tail(5) == "ments" && Len() > 5) {
            Exact(Stem(5));
        }
    }

    void ApplyYRules() {
        if (Tail(2) == "ly") {
            if (Tail(3) == "ily") {
                Exact(Stem(3) + "y");
            } else if (Tail(3) == "lly") {
                Exact(Stem(1));
                Exact(Stem(2));
                if (Tail(5) == "fully" && Len() > 5) {
                    Exact(Stem(5));
                }
            } else if (Tail(5) == "ingly") {
                if (Len() > 5) {
                    Exact(Stem(5) + "e");
                    Exact(Stem(5));
                    if (Len() > 6) {
                        Exact(Stem(6) + "e");
                        Exact(Stem(6));
                    }
                }
            } else {
                Exact(Stem(1) + "e");
                Exact(Stem(1));
                Exact(Stem(2));
            }
        } else if (Tail(2) == "ty") {
            if (Tail(3) == "ity" && Tail(6) == "bility") {
                Exact(Stem(6) + "ble");
            } else if (Tail(3) == "ity") {
                if (Len() > 3) {
                    Exact(Stem(3) + "e");
                    Exact(Stem(3));
                }
            } else {
                Exact(Stem(1));
                Exact(Stem(2));
            }
        } else {
            Exact(Stem(1));
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
