// The records of one kind, as one flat table: a cell per field of every
// record, texts kept back to back in a pool. Filling it costs no allocation
// per field, and the writer reads it in order.
#pragma once

#include "common/limits.h"
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

    // Appends a record with every text empty and every number 0.
    void addRecord();

    // Setters act on the last record added.
    void setReal(std::size_t field, double value) { lastRecord()[field].real = value; }
    void setInteger(std::size_t field, std::int32_t value) { lastRecord()[field].integer = value; }
    void setText(std::size_t field, std::string_view utf8);
    // Lets the caller append the text straight into the pool (no temporary).
    template <class AppendTo>
    void setTextWith(std::size_t field, AppendTo&& appendTo) {
        std::string& pool = blocks_.back().texts;
        const std::size_t off = pool.size();
        appendTo(pool);
        storeText(field, off);
    }

    std::string_view text(std::size_t record, std::size_t field) const {
        const Block& b = blocks_[record / kBlockRecords];
        const Cell& c = b.cells[(record % kBlockRecords) * fieldCount() + field];
        return {b.texts.data() + c.text.offset, c.text.length};
    }
    double real(std::size_t record, std::size_t field) const { return cell(record, field).real; }
    std::int32_t integer(std::size_t record, std::size_t field) const { return cell(record, field).integer; }

    // Bytes of text held, for size estimates.
    std::size_t textBytes() const noexcept { return textBytes_; }

private:
    union Cell {
        double real;
        std::int32_t integer;
        struct {
            std::uint32_t offset;  // in the texts of the record's block
            std::uint32_t length;
        } text;
    };

    // Records live in blocks of a fixed count, each with its own texts, so
    // that growing never moves what is filled already: a large import would
    // otherwise copy all its cells and texts again each time the table
    // doubled, and touch twice the memory it keeps.
    static constexpr std::size_t kBlockRecords = velmora::limits::kRecordBlock;
    struct Block {
        std::vector<Cell> cells;
        std::string texts;
    };

    Cell* lastRecord() { return blocks_.back().cells.data() + (count_ - 1) % kBlockRecords * fieldCount(); }
    const Cell& cell(std::size_t r, std::size_t f) const {
        return blocks_[r / kBlockRecords].cells[(r % kBlockRecords) * fieldCount() + f];
    }
    void storeText(std::size_t field, std::size_t offset);

    const RecordKind* kind_;
    std::size_t count_ = 0;
    std::size_t textBytes_ = 0;
    std::vector<Block> blocks_;
};

}  // namespace records
