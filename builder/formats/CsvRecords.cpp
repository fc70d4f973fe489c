#include "builder/formats/CsvRecords.h"

namespace quorvantix::dict {

void CsvRecords::EndField() {
    fields_.push_back(std::move(field_));
    field_.clear();
    state_ = State::FieldStart;
}

void CsvRecords::EndRecord() {
    if (!field_.empty() && field_.back() == '\r' && state_ == State::Unquoted) {
        field_.pop_back();
    }
    EndField();
    take_(fields_);
    fields_.clear();
}

void CsvRecords::Feed(std::string_view bytes) {
    for (char c : bytes) {
        switch (state_) {
            case State::FieldStart:
                if (c == '"') {
                    state_ = State::Quoted;
                    break;
                }
                state_ = State::Unquoted;
                [[fallthrough]];
            case State::Unquoted:
                if (c == ',') {
                    EndField();
                } else if (c == '\n') {
                    EndRecord();
                } else {
                    field_ += c;
                }
                break;
            case State::Quoted:
                if (c == '"') {
                    state_ = State::QuoteInQuoted;
                } else {
                    field_ += c;
                }
                break;
            case State::QuoteInQuoted:
                if (c == '"') {
                    field_ += c;
                    state_ = State::Quoted;
                } else if (c == ',') {
                    EndField();
                } else if (c == '\n') {
                    EndRecord();
                } else if (c != '\r') {
                    field_ += c;
                    state_ = State::Unquoted;
                }
                break;
        }
    }
}

bool CsvRecords::Finish() {
    if (state_ == State::Quoted) {
        return false;
    }
    if (state_ != State::FieldStart || !fields_.empty()) {
        EndRecord();
    }
    return true;
}

}  // namespace quorvantix::dict
