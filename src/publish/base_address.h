// The absolute address every link and port of the publisher starts with,
// built from the request: scheme, host, port when it is not the default one,
// and the script name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace publish {

// "http://" host, or "https://" behind TLS; ":" port when the port is not the
// scheme's default (80, 443) and the host names no port of its own; then the
// script name.
std::string baseAddress(std::string_view host, std::int64_t serverPort, bool https, std::string_view scriptName);

}  // namespace publish
