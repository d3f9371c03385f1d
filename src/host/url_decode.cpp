// URL decoding of the query text.
#include "host/url_decode.h"

#include "common/exception.h"

#include <exception>

namespace host {

namespace {

int hexValue(char c) noexcept {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string decodePiece(std::string_view piece) {
    std::string out;
    out.reserve(piece.size());
    for (std::size_t i = 0; i < piece.size(); ++i) {
        const char c = piece[i];
        if (c == '+') {
            out.push_back(' ');
        } else if (c != '%') {
            out.push_back(c);
        } else if (i + 1 < piece.size() && piece[i + 1] == '%') {
            out.push_back('%');
            ++i;
        } else if (i + 2 >= piece.size()) {
            throw velmora::Exception("Error decoding URL style (%XX) encoded string at position " +
                                     std::to_string(i + 1));
        } else {
            const int high = hexValue(piece[i + 1]);
            const int low = hexValue(piece[i + 2]);
            if (high < 0 || low < 0)
                throw velmora::Exception("Invalid URL encoded character (" + std::string(piece.substr(i, 3)) +
                                         ") at position " + std::to_string(i + 1));
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        }
    }
    return out;
}

}  // namespace

publish::QueryText decodeQuery(std::string_view query) {
    publish::QueryText fields;
    if (query.empty()) return fields;
    try {
        for (std::size_t start = 0;;) {
            const std::size_t amp = query.find('&', start);
            fields.lines.push_back(decodePiece(query.substr(start, amp == std::string_view::npos ? amp : amp - start)));
            if (amp == std::string_view::npos) break;
            start = amp + 1;
        }
    } catch (const std::exception& e) {
        fields.error = e.what();
    }
    return fields;
}

}  // namespace host
