#include "publish/base_address.h"

namespace publish {

std::string baseAddress(std::string_view host, std::int64_t serverPort, bool https, std::string_view scriptName) {
    std::string base = https ? "https://" : "http://";
    base += host;
    const std::int64_t defaultPort = https ? 443 : 80;
    if (serverPort != defaultPort && host.find(':') == std::string_view::npos) {
        base += ':';
        base += std::to_string(serverPort);
    }
    base += scriptName;
    return base;
}

}  // namespace publish
