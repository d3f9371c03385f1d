// The query's field lookup and a body part's ownership of its file.
#include "common/web_exchange.h"

#include "common/text.h"

#include <unistd.h>

#include <utility>

namespace velmora {

std::string QueryText::value(std::string_view name) const {
    for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && equalsIgnoringCase(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

BodyPart::~BodyPart() {
    if (fd_ >= 0) ::close(fd_);
}

BodyPart::BodyPart(BodyPart&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      fileSize_(std::exchange(other.fileSize_, 0)),
      memory_(std::move(other.memory_)) {}

BodyPart& BodyPart::operator=(BodyPart&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        fileSize_ = std::exchange(other.fileSize_, 0);
        memory_ = std::move(other.memory_);
    }
    return *this;
}

}  // namespace velmora
