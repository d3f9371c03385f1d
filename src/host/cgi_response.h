// The response of one request: status, content type and body, written to the
// web server as a CGI head ("Status:" line first) followed by the body.
#pragma once

#include "common/web_exchange.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace host {

// Where an answer goes: standard output under CGI, the request's stream
// under FastCGI.
class ResponseOutput {
public:
    virtual ~ResponseOutput() = default;
    // Every byte, or velmora::Exception.
    virtual void write(std::string_view bytes) = 0;
    // `length` bytes of the file from `offset` (a spooled answer): read and
    // written in pieces unless the output knows better.
    virtual void writeFile(int fd, std::uint64_t offset, std::uint64_t length);
    // The bytes the web server has taken so far: those of a write that
    // failed part way included, those still buffered on this side not.
    virtual std::uint64_t written() const noexcept = 0;
};

// A descriptor (a CGI program's standard output); interrupted and partial
// writes are retried.
class FdOutput final : public ResponseOutput {
public:
    explicit FdOutput(int fd) noexcept : fd_(fd) {}
    void write(std::string_view bytes) override;
    // sendfile(): the bytes go from the file to the web server without
    // passing through the process.
    void writeFile(int fd, std::uint64_t offset, std::uint64_t length) override;
    std::uint64_t written() const noexcept override { return written_; }

private:
    int fd_;
    std::uint64_t written_ = 0;
};

class WebResponse {
public:
    // `protocolVersion` is the request's: when it is empty, the body goes out
    // alone, without a head.
    explicit WebResponse(std::string_view protocolVersion) : withHead_(!protocolVersion.empty()) {}

    // A code the reason table does not hold goes out as "200 OK".
    void setStatusCode(int code) noexcept { statusCode_ = code; }
    int statusCode() const noexcept { return statusCode_; }
    // An empty type leaves the Content-Type line out.
    void setContentType(std::string type) { contentType_ = std::move(type); }
    void setContent(std::string content) { content_ = velmora::Body(std::move(content)); }
    // An answer whose larger parts may be spooled to a file; a coded body
    // goes out with its "Content-Encoding".
    void setContent(velmora::Body content) { content_ = std::move(content); }
    // The answer was chosen by the request's Accept-Encoding: "Vary:
    // Accept-Encoding" tells a cache so.
    void setVariesByEncoding() noexcept { variesByEncoding_ = true; }
    // What a SOAP call was, for the request log.
    void setCall(velmora::CallSummary call) { call_ = std::move(call); }
    const velmora::CallSummary& call() const noexcept { return call_; }
    // What the request log says of a request the host answered itself (the
    // health path): its name, in place of its path, and how it ended ("ok",
    // or why it failed).
    void setLogged(std::string what, std::string outcome) {
        loggedWhat_ = std::move(what);
        loggedOutcome_ = std::move(outcome);
    }
    const std::string& loggedWhat() const noexcept { return loggedWhat_; }
    const std::string& loggedOutcome() const noexcept { return loggedOutcome_; }

    // The head's exact bytes: the status line, Content-Type,
    // Content-Encoding and Vary (when set), Content-Length (for a body that
    // is not empty) and an empty "Content:" line.
    std::string head() const;

    // The head in one write (when there is one), then the body in writes of
    // at most kResponseChunkBytes. Throws velmora::Exception when a write fails.
    void writeTo(ResponseOutput& output) const;

private:
    bool withHead_;
    int statusCode_ = 200;
    std::string contentType_ = "text/html";
    velmora::Body content_;
    bool variesByEncoding_ = false;
    velmora::CallSummary call_;
    std::string loggedWhat_, loggedOutcome_;
};

}  // namespace host
