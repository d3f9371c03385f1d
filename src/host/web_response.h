// The HTTP response of this process: status, header fields and body, written
// once to standard output as a CGI head ("Status:" line first) and the body.
#pragma once

#include "host/content_stream.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class WebResponse {
public:
    // `protocolVersion` is the request's: when empty, send() writes the body
    // alone, without a head.
    WebResponse(std::string_view protocolVersion, int outputFd);

    int statusCode() const noexcept { return statusCode_; }
    // A code different from the current one also sets the reason text (empty
    // for a code without one).
    void setStatusCode(int code);
    const std::string& reasonText() const noexcept { return reasonText_; }
    void setReasonText(std::string text) { reasonText_ = std::move(text); }

    const std::string& contentType() const noexcept { return contentType_; }
    void setContentType(std::string type) { contentType_ = std::move(type); }

    const std::string& content() const noexcept { return content_; }
    // Also sets the content length, unless a content stream is set.
    void setContent(std::string text);
    // Replaces (and releases) any previous stream; the content length becomes
    // the stream's size. The stream, when set, is sent instead of the content.
    void setContentStream(std::unique_ptr<ContentStream> stream);
    bool hasContentStream() const noexcept { return contentStream_ != nullptr; }
    std::uint64_t contentLength() const noexcept { return contentLength_; }

    // Optional header fields, written only when not empty. Dates are kept as
    // the text to send.
    std::string contentVersion, contentEncoding, location, allow, derivedFrom, title, wwwAuthenticate;
    std::string expires, lastModified;
    std::vector<std::string> cookies;
    std::vector<std::pair<std::string, std::string>> customHeaders;

    // The head as send() writes it (also when the protocol version is empty).
    std::string head() const;

    // Writes head and body once and marks the response sent; a second call
    // does nothing. Throws velmora::Exception when writing fails.
    void send();
    bool sent() const noexcept { return sent_; }

private:
    bool writeHead_;
    int outputFd_;
    int statusCode_ = 200;
    std::string reasonText_ = "OK";
    std::string contentType_ = "text/html";
    std::string content_;
    std::unique_ptr<ContentStream> contentStream_;
    std::uint64_t contentLength_ = 0;
    bool sent_ = false;
};

}  // namespace host
