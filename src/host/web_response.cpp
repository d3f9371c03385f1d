// The response head layout and sending.
#include "host/web_response.h"
#include "common/limits.h"

#include "host/fd_io.h"
#include "host/reason_text.h"

namespace host {

namespace {

void addField(std::string& head, std::string_view name, std::string_view value) {
    if (value.empty()) return;
    head.append(name).append(": ").append(value).append("\r\n");
}

}  // namespace

WebResponse::WebResponse(std::string_view protocolVersion, int outputFd)
    : writeHead_(!protocolVersion.empty()), outputFd_(outputFd) {}

void WebResponse::setStatusCode(int code) {
    if (code == statusCode_) return;
    statusCode_ = code;
    reasonText_ = host::reasonText(code);
}

void WebResponse::setContent(std::string text) {
    content_ = std::move(text);
    if (!contentStream_) contentLength_ = content_.size();
}

void WebResponse::setContentStream(std::unique_ptr<ContentStream> stream) {
    contentStream_ = std::move(stream);
    contentLength_ = contentStream_ ? contentStream_->size() : 0;
}

std::string WebResponse::head() const {
    std::string head;
    head.reserve(256);
    head.append("Status: ");
    if (!reasonText_.empty() && statusCode_ > 0)
        head.append(std::to_string(statusCode_)).append(" ").append(reasonText_);
    else
        head.append("200 OK");
    head.append("\r\n");
    addField(head, "Location", location);
    addField(head, "Allow", allow);
    for (const std::string& cookie : cookies) addField(head, "Set-Cookie", cookie);
    addField(head, "Derived-From", derivedFrom);
    addField(head, "Expires", expires);
    addField(head, "Last-Modified", lastModified);
    addField(head, "Title", title);
    addField(head, "WWW-Authenticate", wwwAuthenticate);
    for (const auto& [name, value] : customHeaders) addField(head, name, value);
    addField(head, "Content-Version", contentVersion);
    addField(head, "Content-Encoding", contentEncoding);
    addField(head, "Content-Type", contentType_);
    if (!content_.empty() || contentStream_) addField(head, "Content-Length", std::to_string(contentLength_));
    head.append("Content:\r\n\r\n");
    return head;
}

void WebResponse::send() {
    if (sent_) return;
    sent_ = true;
    if (writeHead_) writeAll(outputFd_, head());
    if (!contentStream_) {
        writeAll(outputFd_, content_);
        return;
    }
    char chunk[velmora::limits::kResponseChunkBytes];
    while (const std::size_t n = contentStream_->read(chunk, sizeof chunk)) writeAll(outputFd_, {chunk, n});
    contentStream_.reset();
}

}  // namespace host
