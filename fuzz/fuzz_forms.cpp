// A list of inflected forms over arbitrary bytes, and the form rows made from it: each pair
// also stands for a row of the base word whose definition is the form, so that the rows'
// definitions are cut from arbitrary text.
#include <string>
#include <unordered_set>
#include "builder/FormRows.h"
#include "builder/formats/FormsList.h"

#include "fuzz/FuzzSupport.h"
#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace fuzz = quorvantix::fuzz;
namespace dict = quorvantix::dict;

namespace {

class PairSink final : public dict::EntrySink {
  public:
    void Add(std::string_view form, std::string_view base) override {
        fuzz::Check(!form.empty() && !base.empty(), "a pair has a form and a base");
        forms.AddPair(form, base, dict::WordClass::Verb);
        std::string lower_base = quorvantix::LowerAsciiLetters(base);
        forms.Notice(lower_base, form);
        headwords.insert(std::move(lower_base));
        ++pairs;
    }
    void Skip(long) override {}
    void Reached(uint64_t, uint64_t) override {}

    dict::FormRows forms;
    std::unordered_set<std::string> headwords;  // lower case
    size_t pairs = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input = fuzz::AsText(data, size);
    const std::string file = (fuzz::ScratchFolder() / "verb.exc").string();
    fuzz::WriteFile(file, input);
    PairSink sink;
    fuzz::ReadAllowingInputErrors([&] { dict::ReadFormsList(file, sink); });
    const dict::FormRows::Result result = sink.forms.Rows(
        [&](const std::string& headword) { return sink.headwords.contains(headword); });
    fuzz::Check(result.rows.size() + result.later_rows.size() +
                        static_cast<size_t>(result.base_absent + result.already_named) <=
                    sink.pairs,
                "at most one row per pair");
    for (const auto* rows : {&result.rows, &result.later_rows}) {
        for (const auto& row : *rows) {
            fuzz::Check(quorvantix::IsUtf8(row.definition), "a form row's definition is UTF-8");
            fuzz::Check(row.definition.size() < 400, "a form row's definition stays short");
        }
    }
    return 0;
}
