// The host's own error answers: the web module's page for a failure while
// dispatching, and the bare fallback response for a failure outside it. Both
// escape what they echo.
#pragma once

#include "host/cgi_response.h"

#include <exception>
#include <string>
#include <string_view>

namespace host {

// "Internal Application Error" page naming the message and the path.
std::string applicationErrorPage(std::string_view message, std::string_view pathInfo);

// Writes the fallback response for `failure`, head and page, whatever the
// protocol version: status 500 with the failure's message as reason text (CR
// and LF turned into blanks, so that it cannot end the line early) and a page
// naming its type and message. Write errors are ignored: there is nowhere
// left to report them.
void writeFallbackResponse(ResponseOutput& output, std::exception_ptr failure) noexcept;

}  // namespace host
