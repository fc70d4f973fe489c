#include "lookup/SuffixRules.h"

#include <initializer_list>
#include <string_view>

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

// The candidates of one word, gathered in the order the rules name them.
class Candidates {
  public:
    explicit Candidates(const std::string& word) : chars_(word) {}

    std::vector<std::string> Gather() && {
        if (Len() < 3) {
            return {};
        }
        if (Tail(1) == "s") {
            Exact(Stem(1));
        }
        ApplySuffixRules();
        return std::move(candidates_);
    }

  private:
    long Len() const { return chars_.Count(); }
    std::string Tail(long n) const { return chars_.Last(n); }
    std::string FromEnd(long n) const { return n > Len() ? std::string() : chars_.At(Len() - n); }
    std::string Stem(long k) const {
        return Len() - k <= 0 ? std::string() : chars_.First(Len() - k);
    }

    // The n-th and (n+1)-th characters from the end are one doubled consonant.
    bool DoubledConsonantAt(long n) const {
        return !IsVowelLetter(FromEnd(n + 1)) && FromEnd(n) == FromEnd(n + 1);
    }

    void Exact(std::string candidate) { candidates_.push_back(std::move(candidate)); }

    // Stem(k) + "o", Stem(k) + "e", Stem(k).
    void ExactWithOE(long k) {
        Exact(Stem(k) + "o");
        Exact(Stem(k) + "e");
        Exact(Stem(k));
    }

    // A doubled consonant before the suffix is either the word's own (pass → passed, fill →
    // filling) or doubled by it (stop → stopped): the stem that keeps both letters, Stem(k),
    // first, then the undoubled stem Stem(k + 1) as `undoubled` names it.
    void DoubledThenUndoubled(long k, void (Candidates::*undoubled)(long)) {
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
                DoubledThenUndoubled(2, &Candidates::ExactStem);
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
                DoubledThenUndoubled(3, &Candidates::ExactWithOE);
            } else if (Len() > 3) {
                ExactWithOE(3);
            }
        } else if (IsOneOf(Tail(4), {"ings", "ists"})) {
            if (DoubledConsonantAt(5)) {
                DoubledThenUndoubled(4, &Candidates::ExactWithOE);
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

    Utf8Chars chars_;
    std::vector<std::string> candidates_;
};

}  // namespace

std::vector<std::string> SuffixRuleCandidates(const std::string& word) {
    return Candidates(word).Gather();
}

}  // namespace quorvantix
