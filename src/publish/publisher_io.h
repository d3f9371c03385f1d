// What the publisher reads from an HTTP request and what it answers, free of
// the host's request and response types.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace publish {

// The request's query fields as the host decoded them. A badly encoded query
// keeps the fields decoded before the fault, and the fault's message.
struct QueryText {
    std::vector<std::string> lines;  // "name=value", decoded
    std::string error;               // empty when the whole query decoded

    // The value of the first field whose name equals `name` without regard
    // to letter case; empty when there is none.
    std::string value(std::string_view name) const;
};

struct Request {
    std::string pathInfo;
    std::string host;  // HTTP_HOST
    std::int64_t serverPort = -1;
    bool https = false;  // HTTPS is "on": the web server terminates TLS
    std::string scriptName;
    QueryText query;
};

// An answer to a /wsdl* request.
struct Answer {
    int status = 200;
    std::string contentType;  // empty: the answer goes out without one
    std::string content;
};

// The service page (or the inspection document in its place).
struct Page {
    std::string content;
    std::string contentType;  // empty: the response keeps its own
};

}  // namespace publish
