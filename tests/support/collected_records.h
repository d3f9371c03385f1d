// An import's records as a test reads them: the frame's sink that keeps every
// record (texts as UTF-8), and hands them on again to another sink (the SOAP
// layer's writer) as the frame would.
#pragma once

#include "records/query_frame.h"
#include "records/record_kind.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class CollectedRecords final : public records::RecordSink {
public:
    explicit CollectedRecords(const records::RecordKind& kind) : kind_(&kind) {}

    const records::RecordKind& kind() const noexcept { return *kind_; }
    std::size_t size() const noexcept { return records_.size(); }
    bool empty() const noexcept { return records_.empty(); }

    // The value of a field (by index) of a record; texts in UTF-8.
    const std::string& textAt(std::size_t record, std::size_t field) const { return records_[record][field].text; }
    double realAt(std::size_t record, std::size_t field) const { return records_[record][field].real; }
    std::int32_t integerAt(std::size_t record, std::size_t field) const { return records_[record][field].integer; }
    // The index of a field by name; a test failure when the kind has none.
    std::size_t field(std::string_view name) const;
    // A text field of every record, in order.
    std::vector<std::string> texts(std::string_view fieldName) const;

    // Building records by hand: a new record with every text empty and every
    // number 0, then its values (texts in UTF-8).
    void addRecord() { records_.emplace_back(kind_->fields.size()); }
    void setText(std::size_t field, std::string utf8) { records_.back()[field].text = std::move(utf8); }
    void setReal(std::size_t field, double value) { records_.back()[field].real = value; }
    void setInteger(std::size_t field, std::int32_t value) { records_.back()[field].integer = value; }
    // Hands every record to `sink` as the frame would, texts in WIN1252.
    void replay(records::RecordSink& sink) const;

    // The frame's side.
    void clear() override { records_.clear(); }
    void beginRecord() override { addRecord(); }
    void text(std::size_t field, std::string_view win1252) override;
    void real(std::size_t field, double value) override { setReal(field, value); }
    void integer(std::size_t field, std::int32_t value) override { setInteger(field, value); }
    void endRecord() override {}

private:
    struct Value {
        std::string text;
        double real = 0;
        std::int32_t integer = 0;
    };
    const records::RecordKind* kind_;
    std::vector<std::vector<Value>> records_;
};

}  // namespace testsupport
