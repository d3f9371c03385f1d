#include "host/publish_request.h"

#include "host/url_decode.h"

#include <exception>

namespace host {

namespace {

publish::QueryText decodeQuery(std::string_view query) {
    publish::QueryText fields;
    if (query.empty()) return fields;
    std::size_t start = 0;
    try {
        for (;;) {
            const std::size_t amp = query.find('&', start);
            const std::size_t length = amp == std::string_view::npos ? amp : amp - start;
            fields.lines.push_back(decodeUrlText(query.substr(start, length)));
            if (amp == std::string_view::npos) break;
            start = amp + 1;
        }
    } catch (const std::exception& e) {
        fields.error = e.what();
    }
    return fields;
}

}  // namespace

publish::Request publishRequestOf(const WebRequest& request) {
    publish::Request out;
    out.pathInfo = request.pathInfo();
    out.host = request.host();
    out.serverPort = request.serverPort();
    out.https = request.https();
    out.scriptName = request.scriptName();
    out.query = decodeQuery(request.query());
    return out;
}

}  // namespace host
