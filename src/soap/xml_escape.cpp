#include "soap/xml_escape.h"

#include <array>
#include <cstdint>

namespace soap {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

enum class Mode { Text, Attribute, Minimal };

// true: the byte is copied as it stands.
constexpr std::array<bool, 256> plainTable(Mode mode) {
    std::array<bool, 256> t{};
    for (std::size_t c = 0x20; c < 0x7F; ++c) t[c] = true;
    t[0x7F] = true;
    t['&'] = false;
    t['<'] = false;
    if (mode == Mode::Text) {
        t['>'] = false;
        t['\t'] = t['\n'] = true;
    } else if (mode == Mode::Attribute) {
        t['"'] = false;
    } else {
        t['>'] = false;  // checked for "]]>"
        t['\t'] = t['\n'] = t['\r'] = true;
    }
    return t;
}

constexpr auto kPlainText = plainTable(Mode::Text);
constexpr auto kPlainAttribute = plainTable(Mode::Attribute);
constexpr auto kPlainMinimal = plainTable(Mode::Minimal);

constexpr bool isContinuation(unsigned char c) noexcept { return (c & 0xC0) == 0x80; }

template <Mode mode>
void append(std::string& out, std::string_view s) {
    constexpr const std::array<bool, 256>& plain =
        mode == Mode::Text ? kPlainText : (mode == Mode::Attribute ? kPlainAttribute : kPlainMinimal);
    const char* p = s.data();
    const char* const end = p + s.size();
    const char* run = p;
    while (p < end) {
        const auto c = static_cast<unsigned char>(*p);
        if (plain[c]) {
            ++p;
            continue;
        }
        out.append(run, p);
        if (c >= 0x80) {
            const std::size_t n = xmlCharLength(p, end);
            if (n != 0) {
                out.append(p, n);
                p += n;
            } else {
                out += kReplacement;
                ++p;
            }
            run = p;
            continue;
        }
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>':
            if (mode == Mode::Minimal && !(p - s.data() >= 2 && p[-1] == ']' && p[-2] == ']'))
                out += '>';
            else
                out += "&gt;";
            break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += kReplacement; break;  // a control character XML forbids
        }
        ++p;
        run = p;
    }
    out.append(run, p);
}

}  // namespace

std::size_t xmlCharLength(const char* p, const char* end) noexcept {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    const std::size_t left = static_cast<std::size_t>(end - p);
    const unsigned char c = u[0];
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return left >= 2 && isContinuation(u[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !isContinuation(u[1]) || !isContinuation(u[2])) return 0;
        if (c == 0xE0 && u[1] < 0xA0) return 0;                   // overlong
        if (c == 0xED && u[1] >= 0xA0) return 0;                  // a surrogate
        if (c == 0xEF && u[1] == 0xBF && u[2] >= 0xBE) return 0;  // U+FFFE, U+FFFF
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !isContinuation(u[1]) || !isContinuation(u[2]) || !isContinuation(u[3])) return 0;
        if (c == 0xF0 && u[1] < 0x90) return 0;   // overlong
        if (c == 0xF4 && u[1] >= 0x90) return 0;  // beyond U+10FFFF
        return 4;
    }
    return 0;
}

void appendXmlText(std::string& out, std::string_view utf8) { append<Mode::Text>(out, utf8); }
void appendXmlAttribute(std::string& out, std::string_view utf8) { append<Mode::Attribute>(out, utf8); }
void appendXmlMinimal(std::string& out, std::string_view utf8) { append<Mode::Minimal>(out, utf8); }

}  // namespace soap
