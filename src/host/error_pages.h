// The host's own error answers: the web module's page for a failure while
// dispatching, and the raw fallback response for a failure outside dispatch.
// Both escape what they echo.
#pragma once

#include <string>
#include <string_view>

namespace host {

// "Internal Application Error" page naming the message and the path.
std::string applicationErrorPage(std::string_view message, std::string_view pathInfo);

// Complete bytes (head and page) of the fallback response. The message is the
// reason text of the status line, with CR and LF turned into blanks so it
// cannot end the line early.
std::string fallbackResponse(std::string_view typeName, std::string_view message);

}  // namespace host
