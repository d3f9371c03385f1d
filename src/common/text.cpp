// The text helpers that are not small enough to inline.
#include "common/text.h"

namespace velmora {

std::string toAsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = asciiLower(c);
    return out;
}

std::string_view trim(std::string_view text) noexcept {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

void appendHtmlEscaped(std::string& out, std::string_view text) {
    std::size_t run = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view entity;
        switch (text[i]) {
        case '&': entity = "&amp;"; break;
        case '<': entity = "&lt;"; break;
        case '>': entity = "&gt;"; break;
        case '"': entity = "&quot;"; break;
        case '\'': entity = "&#39;"; break;
        default: continue;
        }
        out.append(text, run, i - run);
        out += entity;
        run = i + 1;
    }
    out.append(text, run, text.size() - run);
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendHtmlEscaped(out, text);
    return out;
}

bool isValidUtf8(std::string_view text) noexcept {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = decodeUtf8(text, i, Utf8Errors::Reject).length;
        if (n == 0) return false;
        i += n;
    }
    return true;
}

}  // namespace velmora
