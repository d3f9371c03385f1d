// The absolute address every link and port of the publisher starts with,
// built from the request: scheme, host, port when it is not the default one,
// and the script name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace publish {

// "http://" host, ":" port when the port is not 80 and the host names no port
// of its own, then the script name.
std::string baseAddress(std::string_view host, std::int64_t serverPort, std::string_view scriptName);

} // namespace publish
