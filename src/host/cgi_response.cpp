// The response head's layout, the reason texts of its status line, and the
// writes that send head and body.
#include "host/cgi_response.h"

#include "common/exception.h"
#include "common/limits.h"

#include <sys/sendfile.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace host {

namespace {

// Empty for a code the table does not hold.
std::string_view reasonText(int statusCode) noexcept {
    switch (statusCode) {
    case 100: return "Continue";
    case 101: return "Switching Protocols";
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 203: return "Non-Authoritative Information";
    case 204: return "No Content";
    case 205: return "Reset Content";
    case 206: return "Partial Content";
    case 300: return "Multiple Choices";
    case 301: return "Moved Permanently";
    case 302: return "Moved Temporarily";
    case 303: return "See Other";
    case 304: return "Not Modified";
    case 305: return "Use Proxy";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 402: return "Payment Required";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 406: return "None Acceptable";
    case 407: return "Proxy Authentication Required";
    case 408: return "Request Timeout";
    case 409: return "Conflict";
    case 410: return "Gone";
    case 411: return "Length Required";
    case 412: return "Unless True";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return {};
    }
}

}  // namespace

std::string WebResponse::head() const {
    std::string head;
    head.reserve(128 + contentType_.size());
    head.append("Status: ");
    const std::string_view reason = reasonText(statusCode_);
    if (reason.empty())
        head.append("200 OK");
    else
        head.append(std::to_string(statusCode_)).append(" ").append(reason);
    head.append("\r\n");
    if (!contentType_.empty()) head.append("Content-Type: ").append(contentType_).append("\r\n");
    if (!content_.contentEncoding.empty())
        head.append("Content-Encoding: ").append(content_.contentEncoding).append("\r\n");
    if (variesByEncoding_) head.append("Vary: Accept-Encoding\r\n");
    if (const std::uint64_t length = content_.size(); length > 0)
        head.append("Content-Length: ").append(std::to_string(length)).append("\r\n");
    head.append("Content:\r\n\r\n");
    return head;
}

namespace {

void writeInChunks(ResponseOutput& output, std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t chunk = std::min(bytes.size(), velmora::limits::kResponseChunkBytes);
        output.write(bytes.substr(0, chunk));
        bytes.remove_prefix(chunk);
    }
}

[[noreturn]] void writeFailed() {
    throw velmora::Exception(std::string("Error writing the response: ") + std::strerror(errno));
}

}  // namespace

void WebResponse::writeTo(ResponseOutput& output) const {
    if (withHead_) output.write(head());
    for (const velmora::BodyPart& part : content_.parts) {
        if (part.fileSize() > 0) output.writeFile(part.fileDescriptor(), 0, part.fileSize());
        writeInChunks(output, part.memory());
    }
}

void ResponseOutput::writeFile(int fd, std::uint64_t offset, std::uint64_t length) {
    char chunk[velmora::limits::kResponseChunkBytes];
    while (length > 0) {
        const ssize_t n = ::pread(fd, chunk, static_cast<std::size_t>(std::min<std::uint64_t>(length, sizeof chunk)),
                                  static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw velmora::Exception(std::string("Error reading the spooled answer: ") + std::strerror(errno));
        write({chunk, static_cast<std::size_t>(n)});
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::uint64_t>(n);
    }
}

void FdOutput::writeFile(int fd, std::uint64_t offset, std::uint64_t length) {
    auto at = static_cast<off_t>(offset);
    while (length > 0) {
        const ssize_t n = ::sendfile(fd_, fd, &at, std::min<std::uint64_t>(length, velmora::limits::kSendFileBytes));
        if (n < 0 && errno == EINTR) continue;
        // An output sendfile() cannot write to (some descriptors) takes the
        // bytes the ordinary way.
        if (n < 0 && (errno == EINVAL || errno == ENOSYS))
            return ResponseOutput::writeFile(fd, static_cast<std::uint64_t>(at), length);
        if (n < 0) writeFailed();
        if (n == 0) throw velmora::Exception("Error writing the response: the spooled answer ended early");
        written_ += static_cast<std::uint64_t>(n);
        length -= static_cast<std::uint64_t>(n);
    }
}

void FdOutput::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            writeFailed();
        }
        written_ += static_cast<std::uint64_t>(n);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

}  // namespace host
