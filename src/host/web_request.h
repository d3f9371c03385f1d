// The HTTP request of this process, built once from the CGI environment and
// standard input.
#pragma once

#include "common/limits.h"
#include "host/cgi_environment.h"
#include "host/method_type.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace host {

using velmora::limits::kMaxRequestBodyBytes;

class WebRequest {
public:
    // Reads the items from `env` and then the body from `inputFd`: up to the
    // content length, or less when the input ends first; nothing when the
    // length is over kMaxRequestBodyBytes. A failing read throws.
    WebRequest(CgiEnvironment env, int inputFd);

    MethodType methodType() const noexcept { return methodType_; }
    const std::string& method() const noexcept { return method_; }
    const std::string& protocolVersion() const noexcept { return protocolVersion_; }
    const std::string& query() const noexcept { return query_; }
    const std::string& pathInfo() const noexcept { return pathInfo_; }
    const std::string& host() const noexcept { return host_; }
    std::int64_t serverPort() const noexcept { return serverPort_; }
    const std::string& scriptName() const noexcept { return scriptName_; }
    const std::string& contentType() const noexcept { return contentType_; }
    std::int64_t contentLength() const noexcept { return contentLength_; }
    const std::string& content() const noexcept { return content_; }
    // The announced body was over kMaxRequestBodyBytes and left unread.
    bool bodyTooLarge() const noexcept { return contentLength_ > kMaxRequestBodyBytes; }
    // The web server terminated TLS ("HTTPS" is "on").
    bool https() const noexcept { return https_; }

    // The lookup by name every item goes through (the "HTTP_" fallback
    // included); "SOAPAction" finds HTTP_SOAPACTION.
    std::string fieldByName(std::string_view name) const;

private:
    CgiEnvironment env_;
    MethodType methodType_;
    std::string method_;
    std::string protocolVersion_;
    std::string query_;
    std::string pathInfo_;
    std::string host_;
    std::int64_t serverPort_;
    std::string scriptName_;
    std::string contentType_;
    std::int64_t contentLength_;
    bool https_;
    std::string content_;
};

// An integer request item: the decimal value of the text, or -1 when the text
// is empty, not a number or out of range.
std::int64_t integerItem(std::string_view text) noexcept;

}  // namespace host
