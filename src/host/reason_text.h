// The reason text that goes with an HTTP status code on the status line.
#pragma once

#include <string_view>

namespace host {

// Empty for a code the table does not hold.
std::string_view reasonText(int statusCode) noexcept;

}  // namespace host
