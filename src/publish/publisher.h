// WSDLHTMLPublish1's work: answers /wsdl* and supplies the service page and
// the inspection document, from the registries, in types free of the host's.
#pragma once

#include "common/web_exchange.h"
#include "soap/registries.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace publish {

struct Request {
    std::string pathInfo;
    std::string host;  // HTTP_HOST
    std::int64_t serverPort = -1;
    bool https = false;  // HTTPS is "on": the web server terminates TLS
    std::string scriptName;
    velmora::QueryText query;
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

struct Settings {
    std::string title;          // the application title on the pages
    std::string portTableFile;  // read when it exists; empty: none

    // For the program at `programPath`: the title is its file name without
    // directory and extension ("velmora" for ".../velmora.cgi"); the port
    // table is its path without extension followed by "_WSDLADMIN.INI".
    static Settings forProgram(std::string_view programPath);
};

// The port types it describes are the registered interfaces that have an
// implementation class, in registration order, its own IWSDLPublish last.
// Every address it writes starts with "http://" host, or "https://" behind
// TLS, then ":" port when the port is not the scheme's default (80, 443) and
// the host names no port of its own, then the script name.
class Publisher {
public:
    Publisher(Settings settings, const soap::InvRegistry& registry, const soap::RemTypeRegistry& types);

    // The answer to a request on /wsdl*; a failure becomes the failure page
    // with the status left at 200, so this never throws. A WSDL's ports are
    // the keys and values of the port type's section in the port table
    // file, or else the one default port: the port type as the request
    // spelled it + "Port", at the base address + "/soap/" + that name.
    Answer dispatch(const Request& request) const;

    // The service page ("intf": one port type in detail; "types=1": the
    // registered types), or the inspection document for /inspection.wsil
    // (any letter case). Failures are the caller's to report.
    Page servicePage(const Request& request) const;

private:
    Answer answer(const Request& request) const;

    Settings settings_;
    const soap::InvRegistry& registry_;
    const soap::RemTypeRegistry& types_;
};

}  // namespace publish
