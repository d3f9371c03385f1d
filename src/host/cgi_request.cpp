// Building the request from the CGI environment and the input: variable
// lookup, items, the bounded body read, and query decoding.
#include "host/cgi_request.h"

#include "common/exception.h"
#include "common/text.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <exception>

extern char** environ;

namespace host {

// --- The environment

CgiEnvironment::CgiEnvironment(const std::vector<std::string>& entries) {
    vars_.reserve(entries.size());
    for (const std::string& entry : entries) add(entry);
}

CgiEnvironment::CgiEnvironment(const char* const* entries) {
    std::size_t count = 0;
    while (entries != nullptr && entries[count] != nullptr) ++count;
    vars_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) add(entries[i]);
}

void CgiEnvironment::add(std::string_view entry) {
    const std::size_t eq = std::min(entry.find('='), entry.size());
    vars_.emplace_back(entry.substr(0, eq), entry.substr(std::min(eq + 1, entry.size())));
}

CgiEnvironment CgiEnvironment::fromProcess() { return CgiEnvironment(environ); }

std::string_view CgiEnvironment::get(std::string_view name) const noexcept {
    const std::pair<std::string, std::string>* caseless = nullptr;
    for (const auto& var : vars_) {
        if (var.first == name) return var.second;
        if (caseless == nullptr && velmora::equalsIgnoringCase(var.first, name)) caseless = &var;
    }
    return caseless != nullptr ? std::string_view(caseless->second) : std::string_view();
}

std::string_view CgiEnvironment::lookup(std::string_view name) const {
    std::string_view value = get(name);
    if (!value.empty()) return value;
    constexpr std::string_view prefix = "HTTP_";
    if (velmora::startsWithIgnoringCase(name, prefix)) return get(name.substr(prefix.size()));
    std::string prefixed;
    prefixed.reserve(prefix.size() + name.size());
    prefixed.append(prefix).append(name);
    return get(prefixed);
}

// --- The request

namespace {

// Appends to `out` up to `limit` bytes of the input, stopping early at its
// end. Read through a fixed buffer: the string grows with what arrives, so a
// huge announcement with a tiny body costs no more than the body itself.
void readUpTo(RequestInput& input, std::uint64_t limit, std::string& out) {
    char buffer[velmora::limits::kRequestReadBytes];
    std::uint64_t remaining = limit;
    while (remaining > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(remaining, sizeof buffer));
        const std::size_t n = input.read(buffer, want);
        if (n == 0) return;
        out.append(buffer, n);
        remaining -= n;
    }
}

}  // namespace

std::size_t FdInput::read(char* buffer, std::size_t capacity) {
    ssize_t n;
    do {
        n = ::read(fd_, buffer, capacity);
    } while (n < 0 && errno == EINTR);
    if (n < 0) throw velmora::Exception(std::string("Error reading the request: ") + std::strerror(errno));
    return static_cast<std::size_t>(n);
}

std::int64_t integerItem(std::string_view text) noexcept {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return -1;
    return value;
}

WebRequest::WebRequest(CgiEnvironment env, RequestInput& input)
    : env_(std::move(env)),
      method_(env_.lookup("REQUEST_METHOD")),
      protocolVersion_(env_.lookup("SERVER_PROTOCOL")),
      query_(env_.lookup("QUERY_STRING")),
      pathInfo_(env_.lookup("PATH_INFO")),
      host_(env_.lookup("HTTP_HOST")),
      serverPort_(integerItem(env_.lookup("SERVER_PORT"))),
      scriptName_(env_.lookup("SCRIPT_NAME")),
      contentType_(env_.lookup("HTTP_CONTENT_TYPE")),
      contentLength_(integerItem(env_.lookup("HTTP_CONTENT_LENGTH"))),
      https_(velmora::equalsIgnoringCase(env_.lookup("HTTPS"), "on")) {
    if (contentLength_ > 0 && !bodyTooLarge()) readUpTo(input, static_cast<std::uint64_t>(contentLength_), content_);
}

// --- The query

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

velmora::QueryText decodeQuery(std::string_view query) {
    velmora::QueryText fields;
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
