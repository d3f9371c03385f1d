// The response of one request: status, content type and body, written to the
// web server as a CGI head ("Status:" line first) followed by the body.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace host {

class WebResponse {
public:
    // `protocolVersion` is the request's: when it is empty, the body goes out
    // alone, without a head.
    explicit WebResponse(std::string_view protocolVersion) : withHead_(!protocolVersion.empty()) {}

    // A code the reason table does not hold goes out as "200 OK".
    void setStatusCode(int code) noexcept { statusCode_ = code; }
    // An empty type leaves the Content-Type line out.
    void setContentType(std::string type) { contentType_ = std::move(type); }
    void setContent(std::string content) { content_ = std::move(content); }

    // The head's exact bytes: the status line, Content-Type, Content-Length
    // (for a body that is not empty) and an empty "Content:" line.
    std::string head() const;

    // The head in one write (when there is one), then the body in writes of
    // at most kResponseChunkBytes. Throws velmora::Exception when a write fails.
    void writeTo(int outputFd) const;

private:
    bool withHead_;
    int statusCode_ = 200;
    std::string contentType_ = "text/html";
    std::string content_;
};

// Writes every byte, retrying interrupted and partial writes, or throws
// velmora::Exception.
void writeAll(int fd, std::string_view bytes);

}  // namespace host
