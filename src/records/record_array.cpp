#include "records/record_array.h"

#include "common/exception.h"

#include <limits>

namespace records {

void RecordArray::clear() {
    count_ = 0;
    cells_.clear();
    pool_.clear();
}

void RecordArray::reserve(std::size_t records, std::size_t textBytes) {
    cells_.reserve(records * fieldCount());
    pool_.reserve(textBytes);
}

void RecordArray::addRecord() {
    Cell zero;
    zero.real = 0;  // all bits zero: real 0, integer 0, empty text at offset 0
    cells_.resize(cells_.size() + fieldCount(), zero);
    ++count_;
}

void RecordArray::setText(std::size_t field, std::string_view utf8) {
    const std::size_t off = pool_.size();
    pool_.append(utf8);
    storeText(field, off);
}

void RecordArray::storeText(std::size_t field, std::size_t offset) {
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max();
    if (pool_.size() > limit)
        throw velmora::Exception("Record texts exceed 4 GB");
    Cell& c = cell(count_ - 1, field);
    c.text.offset = static_cast<std::uint32_t>(offset);
    c.text.length = static_cast<std::uint32_t>(pool_.size() - offset);
}

} // namespace records
