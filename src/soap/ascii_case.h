// Letter-case-blind comparison of names: the registries and the decoder
// match interface, operation and parameter names on ASCII letters only.
#pragma once

#include <string>
#include <string_view>

namespace soap {

constexpr char asciiLower(char c) noexcept { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr bool equalsIgnoreCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

inline std::string toAsciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

}  // namespace soap
