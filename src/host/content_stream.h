// A response body given as a byte stream instead of a text; the host sends
// it from its current position to its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace host {

class ContentStream {
public:
    virtual ~ContentStream() = default;
    // Total size in bytes (the response's content length).
    virtual std::uint64_t size() const = 0;
    // Copies up to `capacity` bytes from the current position; 0 at the end.
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
};

// A stream over bytes held in memory (the SOAP envelope), moved in, not copied.
class StringContentStream final : public ContentStream {
public:
    explicit StringContentStream(std::string bytes) noexcept : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t read(char* buffer, std::size_t capacity) override;

private:
    std::string bytes_;
    std::size_t position_ = 0;
};

}  // namespace host
