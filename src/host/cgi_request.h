// The request of one CGI call: the environment's variables looked up by name
// without regard to letter case (with the "HTTP_" fallback), the request
// items, the body read from the input, and the query text URL-decoded.
#pragma once

#include "common/limits.h"
#include "common/web_exchange.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class CgiEnvironment {
public:
    // Entries of the form NAME=value (one without "=" is a name with empty value).
    explicit CgiEnvironment(const std::vector<std::string>& entries);
    // The same from a null-terminated array, as environ and libfcgi hold
    // them: each entry is copied once.
    explicit CgiEnvironment(const char* const* entries);

    // A snapshot of this process's environment.
    static CgiEnvironment fromProcess();

    // The variable's value; empty when absent. An entry spelled exactly like
    // `name` wins over one that differs only in letter case.
    std::string_view get(std::string_view name) const noexcept;

    // The lookup by name every request item goes through: when the variable
    // is absent or empty, try the name with its "HTTP_" prefix toggled
    // (removed when present, added when not).
    std::string_view lookup(std::string_view name) const;

private:
    void add(std::string_view entry);

    std::vector<std::pair<std::string, std::string>> vars_;
};

// Where a request's body comes from: standard input under CGI, the request's
// stream under FastCGI.
class RequestInput {
public:
    virtual ~RequestInput() = default;
    // Up to `capacity` bytes; 0 at the end of the input. A failing read
    // throws velmora::Exception.
    virtual std::size_t read(char* buffer, std::size_t capacity) = 0;
};

// A descriptor's bytes (a CGI program's standard input).
class FdInput final : public RequestInput {
public:
    explicit FdInput(int fd) noexcept : fd_(fd) {}
    std::size_t read(char* buffer, std::size_t capacity) override;

private:
    int fd_;
};

class WebRequest {
public:
    // Reads the items from `env` and then the body from `input`: up to the
    // content length, or less when the input ends first; nothing when the
    // length is over kMaxRequestBodyBytes. A failing read throws
    // velmora::Exception.
    WebRequest(CgiEnvironment env, RequestInput& input);

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
    bool bodyTooLarge() const noexcept { return contentLength_ > velmora::limits::kMaxRequestBodyBytes; }
    // The web server terminated TLS ("HTTPS" is "on").
    bool https() const noexcept { return https_; }

    // Any item by name, through the environment's lookup: "SOAPAction" finds
    // HTTP_SOAPACTION.
    std::string fieldByName(std::string_view name) const { return std::string(env_.lookup(name)); }

private:
    CgiEnvironment env_;
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

// The query text split at "&" and each piece URL-decoded: "+" is a blank,
// "%XX" the byte with that hexadecimal value, "%%" a single "%". A badly
// encoded piece stops the decoding: the pieces before it are kept and the
// failure's message recorded, "Error decoding URL style (%XX) encoded string
// at position <n>" for a "%" followed by fewer than two characters, "Invalid
// URL encoded character (%XY) at position <n>" for two characters that are
// not both hexadecimal digits; <n> is the position of the "%", counted from 1
// within its piece.
velmora::QueryText decodeQuery(std::string_view query);

}  // namespace host
