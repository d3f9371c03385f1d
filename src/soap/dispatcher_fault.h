// The dispatcher's own fault, for a call whose interface cannot be chosen: a
// fixed text with the message inserted, sent with status 500.
#pragma once

#include <string>
#include <string_view>

namespace soap {

std::string dispatcherFault(std::string_view message);

}  // namespace soap
