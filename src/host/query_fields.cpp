// Splitting and decoding of the query text.
#include "host/query_fields.h"

#include "common/text.h"
#include "host/url_decode.h"

namespace host {

QueryFields::QueryFields(std::string_view query) {
    if (query.empty()) return;
    std::size_t start = 0;
    while (true) {
        const std::size_t amp = query.find('&', start);
        lines_.push_back(decodeUrlText(query.substr(start, amp == std::string_view::npos ? amp : amp - start)));
        if (amp == std::string_view::npos) break;
        start = amp + 1;
    }
}

std::string QueryFields::value(std::string_view name) const {
    for (const std::string& line : lines_) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && velmora::equalsIgnoringCase(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

}  // namespace host
