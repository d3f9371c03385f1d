// HTML escaping for request values and messages echoed in error pages.
#pragma once

#include <string>
#include <string_view>

namespace host {

// "&", "<", ">", '"' and "'" as character references; everything else as is.
std::string htmlEscape(std::string_view text);

}  // namespace host
