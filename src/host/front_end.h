// The CGI front end: one request, from the environment and the input and
// output descriptors to a written answer.
#pragma once

#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/dispatch.h"
#include "host/web_module2.h"

#include <functional>
#include <memory>

namespace host {

using WebModuleFactory = std::function<std::unique_ptr<WebModule>()>;

// Reads the request, dispatches it through a module made for it (TWebModule2
// unless told otherwise) and writes the answer of a handled request; an
// unhandled one gets none. Nothing is kept from one call to the next, so a
// loop may call it once per request. Never throws: a failure outside
// dispatch (reading the request, writing the answer) ends in the fallback
// response.
void serveRequest(CgiEnvironment env, RequestInput& input, ResponseOutput& output,
                  const WebModuleFactory& createModule = createWebModule2) noexcept;

}  // namespace host
