// The publisher's short answers: the Forbidden page of the administration
// paths, the page for an unknown port type, and the page for a failure.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace publish {

std::string forbiddenPage();
// Names the port type as the request spelled it (escaped).
std::string interfaceNotFoundPage(std::string_view portType);
// The failure's message and type name (escaped), or "Unknown Error" for a
// failure that carries no message. Call it with the caught exception.
std::string failurePage(std::exception_ptr failure);

}  // namespace publish
