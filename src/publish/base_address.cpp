#include "publish/base_address.h"

namespace publish {

std::string baseAddress(std::string_view host, std::int64_t serverPort, std::string_view scriptName) {
    std::string base = "http://";
    base += host;
    if (serverPort != 80 && host.find(':') == std::string_view::npos) {
        base += ':';
        base += std::to_string(serverPort);
    }
    base += scriptName;
    return base;
}

} // namespace publish
