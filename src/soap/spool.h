// An answer's bytes as they are written: in memory while small, in an
// unlinked temporary file beyond kSpoolMemoryBytes, so that an import of a
// whole catalogue costs a few MB of memory, not the size of its answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace soap {

class Spool {
public:
    Spool() = default;
    explicit Spool(std::string bytes) : buffer_(std::move(bytes)) {}
    ~Spool();
    Spool(Spool&& other) noexcept;
    Spool& operator=(Spool&& other) noexcept;
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;

    // Appending goes straight into this buffer; call spillIfFull() every so
    // often (after each record) to keep it small.
    std::string& buffer() noexcept { return buffer_; }
    // Moves the buffer into the file once it holds more than memory allows
    // (kSpoolMemoryBytes before the file exists, kSpoolWriteBytes after).
    // A full disk throws velmora::Exception naming the file system's error.
    void spillIfFull();
    // Empty again, the file included.
    void clear();

    std::uint64_t size() const noexcept { return fileSize_ + buffer_.size(); }
    // What was spooled: first fileSize() bytes of the file (when there is
    // one), then the buffer.
    int fileDescriptor() const noexcept { return fd_; }
    std::uint64_t fileSize() const noexcept { return fileSize_; }
    std::string_view memory() const noexcept { return buffer_; }

private:
    void writeBuffer();
    void closeFile() noexcept;

    std::string buffer_;
    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
};

// A whole answer body: its pieces in order, each in memory or spooled.
struct Body {
    std::vector<Spool> parts;

    Body() = default;
    Body(std::string bytes) { parts.emplace_back(std::move(bytes)); }  // a text is a body of one part
    std::uint64_t size() const noexcept {
        std::uint64_t total = 0;
        for (const Spool& part : parts) total += part.size();
        return total;
    }
};

}  // namespace soap
