// The front ends: one request from environment, input and output to a
// written answer (all a CGI process does), and the FastCGI loop that serves
// request after request in one process.
#pragma once

#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/dispatch.h"
#include "host/request_log.h"
#include "host/web_module2.h"

#include <functional>
#include <memory>

namespace host {

using WebModuleFactory = std::function<std::unique_ptr<WebModule>()>;

// Reads the request, dispatches it through a module made for it (TWebModule2
// unless told otherwise) and writes the answer of a handled request; an
// unhandled one gets none. Nothing is kept from one call to the next, so a
// loop may call it once per request. Never throws: a failure outside
// dispatch (reading the request, making the module, writing the answer) ends
// in the fallback response. Returns what the request log says of it.
LoggedRequest serveRequest(CgiEnvironment env, RequestInput& input, ResponseOutput& output,
                           const WebModuleFactory& createModule = createWebModule2) noexcept;

// Whether the process was started with a listening socket on descriptor 0,
// as web servers and spawn-fcgi start a FastCGI application.
bool startedWithListeningSocket() noexcept;

// What a persistent process does for each request: serve it; once its
// answer is complete (sent, the request ended), log it, with the bytes the
// web server took; and put back whatever the request changed that the next
// one must find as a fresh process finds it. None may throw.
struct PersistentService {
    std::function<LoggedRequest(CgiEnvironment, RequestInput&, ResponseOutput&)> serve;
    std::function<void(const LoggedRequest&)> log;
    std::function<void()> reset;
};

// Serves FastCGI requests from the listening socket on descriptor 0, one at
// a time, until a SIGTERM or SIGINT (after the request in flight), the
// request limit of VELMORA_MAX_REQUESTS (when set to a positive number), or
// a failure of the socket. A request that has not arrived whole within
// kWebServerReadSeconds is cut off, and a connection the web server keeps
// open between requests is read only when it has one, so that no connection
// holds the process. After a request that left much memory free, the
// memory goes back to the system. On the way out SIGTERM and SIGINT are
// ignored, so that nothing interrupts the exit-time cleanup of the database
// client. Returns the process's exit status.
int serveFastCgi(const PersistentService& service);

}  // namespace host
