// What the host and the layers that answer its requests hand each other, in
// types neither side owns: the request's decoded query, the answer's body,
// and what a call was for the request log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The request's query fields as the host decoded them. A badly encoded query
// keeps the fields decoded before the fault, and the fault's message.
struct QueryText {
    std::vector<std::string> lines;  // "name=value", decoded
    std::string error;               // empty when the whole query decoded

    // The value of the first field whose name equals `name` without regard
    // to letter case; empty when there is none.
    std::string value(std::string_view name) const;
};

// A piece of an answer: the first fileSize() bytes of a file it owns (an
// unlinked temporary file, closed with the part), then memory().
class BodyPart {
public:
    BodyPart(std::string bytes = {}) : memory_(std::move(bytes)) {}  // a text is a part
    BodyPart(int fd, std::uint64_t fileSize, std::string memory) noexcept
        : fd_(fd), fileSize_(fileSize), memory_(std::move(memory)) {}
    ~BodyPart();
    BodyPart(BodyPart&& other) noexcept;
    BodyPart& operator=(BodyPart&& other) noexcept;
    BodyPart(const BodyPart&) = delete;
    BodyPart& operator=(const BodyPart&) = delete;

    int fileDescriptor() const noexcept { return fd_; }
    std::uint64_t fileSize() const noexcept { return fileSize_; }
    std::string_view memory() const noexcept { return memory_; }
    std::uint64_t size() const noexcept { return fileSize_ + memory_.size(); }

private:
    int fd_ = -1;
    std::uint64_t fileSize_ = 0;
    std::string memory_;
};

// A whole answer body: its pieces in order, and the content coding they are
// in ("gzip"; empty: as written).
struct Body {
    std::vector<BodyPart> parts;
    std::string_view contentEncoding;

    Body() = default;
    Body(std::string bytes) { parts.emplace_back(std::move(bytes)); }  // a text is a body of one part
    std::uint64_t size() const noexcept {
        std::uint64_t total = 0;
        for (const BodyPart& part : parts) total += part.size();
        return total;
    }
};

// What a call was, as far as it got, for the request log: filled by the
// layers that decoded and served it, only written by the host.
struct CallSummary {
    std::string operation;                 // once the request named one
    std::string company, terminal, table;  // what the service's parameters say; empty when none
    std::optional<std::size_t> rows;       // the records an import delivered
    std::string fault;                     // the fault's text; empty when none
};

}  // namespace velmora
