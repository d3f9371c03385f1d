// The road of one CGI request: build request and response, dispatch through
// the web module, send, and fall back to a bare error response when
// something fails outside dispatch.
#pragma once

#include "host/cgi_request.h"
#include "host/dispatch.h"

#include <functional>
#include <memory>

namespace host {

using WebModuleFactory = std::function<std::unique_ptr<WebModule>()>;

// Never throws; every failure ends in a written answer (or none, when the
// request is not handled).
void runCgiRequest(CgiEnvironment env, int inputFd, int outputFd, const WebModuleFactory& createModule) noexcept;

// Writes the fallback response for the exception being handled; call only
// inside a catch block. Write errors are ignored: there is nowhere left to
// report them.
void writeFallbackForCurrentException(int outputFd) noexcept;

}  // namespace host
