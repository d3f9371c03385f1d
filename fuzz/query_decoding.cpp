// Fuzz target: the query text split at "&" and URL-decoded as the publisher
// receives it. The input is split at zero bytes: the first part is decoded as
// a raw query; every further part is a value that is encoded (in one of three
// styles), put into a query as field f<index>, and must be found again
// unchanged, by a name in other letter case.
#include "host/cgi_request.h"
#include "support/fuzz_check.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace fuzzsupport;

namespace {

bool isHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// A failure names the "%" where decoding stopped, counted from 1.
void checkFailure(std::string_view piece, const std::string& message) {
    constexpr std::string_view kShort = "Error decoding URL style (%XX) encoded string at position ";
    constexpr std::string_view kInvalid = "Invalid URL encoded character (";
    std::size_t position = 0;
    if (message.starts_with(kShort)) {
        position = std::stoul(message.substr(kShort.size()));
        check(position >= 1 && position <= piece.size() && piece[position - 1] == '%', "the position of a '%'",
              message);
        check(position + 2 > piece.size(), "a short escape has fewer than two characters after '%'", message);
    } else if (message.starts_with(kInvalid)) {
        const std::size_t close = message.find(") at position ", kInvalid.size());
        check(close != std::string::npos, "the invalid escape message", message);
        position = std::stoul(message.substr(close + 14));
        check(position >= 1 && position + 2 <= piece.size() && piece[position - 1] == '%', "the position of a '%'",
              message);
        const std::string_view escape = piece.substr(position - 1, 3);
        check(message.substr(kInvalid.size(), close - kInvalid.size()) == escape, "the escape is quoted", message);
        check(!isHex(escape[1]) || !isHex(escape[2]), "a rejected escape is not two hex digits", message);
        check(escape[1] != '%', "'%%' is a percent sign, not an error", message);
    } else {
        fail("a decoding failure has one of the two messages", message);
    }
}

std::string encode(std::string_view value, int style) {
    static constexpr char kUpper[] = "0123456789ABCDEF";
    static constexpr char kLower[] = "0123456789abcdef";
    std::string out;
    for (const char ch : value) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '=';
        if (style == 2 && plain) {
            out += ch;
        } else if (style == 2 && c == ' ') {
            out += '+';
        } else if (style == 2 && c == '%') {
            out += "%%";
        } else {
            const char* digits = style == 1 ? kLower : kUpper;
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

// The pieces of `text` between separators (the whole text when it has none).
std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t start = 0;;) {
        const std::size_t at = text.find(separator, start);
        pieces.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) return pieces;
        start = at + 1;
    }
}

std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts = split(input, '\0');

    // The raw query: every piece decoded, or the pieces before the first bad
    // one kept and the failure's message naming its "%".
    const std::string_view raw = parts[0];
    const std::vector<std::string_view> pieces = raw.empty() ? std::vector<std::string_view>() : split(raw, '&');
    const velmora::QueryText rawQuery = host::decodeQuery(raw);
    if (rawQuery.error.empty()) {
        check(rawQuery.lines.size() == pieces.size(), "one line per '&'-separated piece");
    } else {
        check(rawQuery.lines.size() < pieces.size(), "decoding stops at the bad piece", rawQuery.error);
        checkFailure(pieces[rawQuery.lines.size()], rawQuery.error);
    }
    for (std::size_t i = 0; i < rawQuery.lines.size(); ++i) {
        check(rawQuery.lines[i].size() <= pieces[i].size(), "decoding never lengthens", rawQuery.lines[i]);
        if (pieces[i].find_first_of("%+") == std::string_view::npos)
            check(rawQuery.lines[i] == pieces[i], "text without '%' or '+' stays as it is", rawQuery.lines[i]);
    }

    // The values: encoded, joined into a query, found again by name.
    // (At most 64 of them: the lookups cost the square of their number.)
    if (parts.size() < 2) return 0;
    if (parts.size() > 65) parts.resize(65);
    std::string query;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (i > 1) query += '&';
        const int style = parts[i].empty() ? 0 : static_cast<unsigned char>(parts[i].front()) % 3;
        query += "f" + std::to_string(i) + "=" + encode(parts[i], style);
    }
    const velmora::QueryText fields = host::decodeQuery(query);
    check(fields.error.empty(), "an encoded query decodes", fields.error);
    for (std::size_t i = 1; i < parts.size(); ++i)
        check(fields.value(upper("f" + std::to_string(i))) == parts[i], "an encoded value is decoded unchanged", query);
    check(fields.value("missing").empty(), "a missing field is empty");
    return 0;
}
