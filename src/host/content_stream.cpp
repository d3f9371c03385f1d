// The in-memory content stream.
#include "host/content_stream.h"

#include <algorithm>
#include <cstring>

namespace host {

std::size_t StringContentStream::read(char* buffer, std::size_t capacity) {
    const std::size_t n = std::min(capacity, bytes_.size() - position_);
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

}  // namespace host
