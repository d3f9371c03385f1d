// The records of one kind, as one flat table: a cell per field of every
// record, texts kept back to back in one pool. Filling it costs no allocation
// per field, and the writer reads it in order.
#pragma once

#include "records/record_kind.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace records {

class RecordArray {
public:
    explicit RecordArray(const RecordKind& kind) : kind_(&kind) {}

    const RecordKind& kind() const noexcept { return *kind_; }
    std::size_t size() const noexcept { return count_; }
    bool empty() const noexcept { return count_ == 0; }
    std::size_t fieldCount() const noexcept { return kind_->fields.size(); }

    void clear();
    void reserve(std::size_t records, std::size_t textBytes);

    // Appends a record with every text empty and every number 0.
    void addRecord();

    // Setters act on the last record added.
    void setReal(std::size_t field, double value) { cell(count_ - 1, field).real = value; }
    void setInteger(std::size_t field, std::int32_t value) { cell(count_ - 1, field).integer = value; }
    void setText(std::size_t field, std::string_view utf8);
    // Lets the caller append the text straight into the pool (no temporary).
    template <class AppendTo>
    void setTextWith(std::size_t field, AppendTo&& appendTo) {
        const std::size_t off = pool_.size();
        appendTo(pool_);
        storeText(field, off);
    }

    std::string_view text(std::size_t record, std::size_t field) const {
        const Cell& c = cell(record, field);
        return {pool_.data() + c.text.offset, c.text.length};
    }
    double real(std::size_t record, std::size_t field) const { return cell(record, field).real; }
    std::int32_t integer(std::size_t record, std::size_t field) const { return cell(record, field).integer; }

    // Bytes of text held, for size estimates.
    std::size_t textBytes() const noexcept { return pool_.size(); }

private:
    union Cell {
        double real;
        std::int32_t integer;
        struct {
            std::uint32_t offset;
            std::uint32_t length;
        } text;
    };

    Cell& cell(std::size_t r, std::size_t f) { return cells_[r * fieldCount() + f]; }
    const Cell& cell(std::size_t r, std::size_t f) const { return cells_[r * fieldCount() + f]; }
    void storeText(std::size_t field, std::size_t offset);

    const RecordKind* kind_;
    std::size_t count_ = 0;
    std::vector<Cell> cells_;
    std::string pool_;
};

} // namespace records
