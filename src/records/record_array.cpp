// Filling the flat record table block by block.
#include "records/record_array.h"

#include "common/exception.h"

#include <limits>

namespace records {

void RecordArray::clear() {
    count_ = 0;
    textBytes_ = 0;
    blocks_.clear();
}

void RecordArray::addRecord() {
    if (count_ % kBlockRecords == 0) {
        // Zero bits throughout: real 0, integer 0, empty text at offset 0.
        Block block{std::vector<Cell>(kBlockRecords * fieldCount()), {}};
        if (!blocks_.empty()) block.texts.reserve(blocks_.back().texts.size() + blocks_.back().texts.size() / 4);
        blocks_.push_back(std::move(block));
    }
    ++count_;
}

void RecordArray::setText(std::size_t field, std::string_view utf8) {
    std::string& pool = blocks_.back().texts;
    const std::size_t off = pool.size();
    pool.append(utf8);
    storeText(field, off);
}

void RecordArray::storeText(std::size_t field, std::size_t offset) {
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max();
    const std::size_t end = blocks_.back().texts.size();
    if (end > limit) throw velmora::Exception("Record texts exceed 4 GB");
    Cell& c = lastRecord()[field];
    c.text.offset = static_cast<std::uint32_t>(offset);
    c.text.length = static_cast<std::uint32_t>(end - offset);
    textBytes_ += end - offset;
}

}  // namespace records
