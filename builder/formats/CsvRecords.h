#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvantix::dict {

// Splits comma-separated values, fed in pieces of any size, into records. A field in double
// quotes may hold commas, line ends and doubled quotes; records end at LF (a CR before it is
// dropped outside quotes).
class CsvRecords {
  public:
    using Take = std::function<void(const std::vector<std::string>& fields)>;

    explicit CsvRecords(Take take) : take_(std::move(take)) {}

    void Feed(std::string_view bytes);
    // Ends the last record. False when it was cut off inside quotes (the record is dropped).
    bool Finish();

  private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };

    void EndField();
    void EndRecord();

    Take take_;
    State state_ = State::FieldStart;
    std::string field_;
    std::vector<std::string> fields_;
};

}  // namespace quorvantix::dict
