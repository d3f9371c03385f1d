// The small text helpers every layer shares, each written once: ASCII letter
// case, blanks, HTML escaping, UTF-8 decoding and two-digit numbers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// --- ASCII letter case: names on the wire, in the environment, in INI files
// and in SQL compare on ASCII letters only.

constexpr char asciiLower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char asciiUpper(char c) noexcept { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) noexcept {
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string toAsciiLower(std::string_view text);

// --- Blanks

// The text without spaces, tabs, CRs and LFs at either end.
std::string_view trim(std::string_view text) noexcept;

// --- HTML

// "&", "<", ">", '"' and "'" as character references, everything else as it
// stands: for values a page echoes (messages, paths, names).
void appendHtmlEscaped(std::string& out, std::string_view text);
std::string htmlEscaped(std::string_view text);

// --- UTF-8

// What a malformed sequence (a bad lead byte, a missing continuation, an
// overlong form, a surrogate, beyond U+10FFFF) becomes.
enum class Utf8Errors {
    Reject,  // nothing: length 0, for callers that replace or refuse it
    AsBytes  // its first byte, read as the code point of the same value
};

struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;  // bytes taken; 0 only for Utf8Errors::Reject
};

// The character that starts at text[at] (at < text.size()).
constexpr Utf8Char decodeUtf8(std::string_view text, std::size_t at, Utf8Errors errors) noexcept {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return {lead, 1};
    std::size_t extra = 0;
    char32_t cp = 0, min = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, cp = lead & 0x1Fu, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, cp = lead & 0x0Fu, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, cp = lead & 0x07u, min = 0x10000;
    }
    bool ok = extra != 0 && text.size() - at > extra;
    for (std::size_t i = 1; ok && i <= extra; ++i) {
        ok = (byte(i) & 0xC0) == 0x80;
        cp = (cp << 6) | (byte(i) & 0x3Fu);
    }
    if (ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF)) return {cp, extra + 1};
    return errors == Utf8Errors::Reject ? Utf8Char{} : Utf8Char{lead, 1};
}

// True when every byte belongs to a well-formed sequence (ASCII included).
bool isValidUtf8(std::string_view text) noexcept;

// --- Numbers

// The last two decimal digits of a non-negative value: 7 -> "07".
inline void appendTwoDigits(int value, std::string& out) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace velmora
