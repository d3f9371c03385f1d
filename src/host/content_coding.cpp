// Accept-Encoding = #( codings [ OWS ";" OWS "q=" qvalue ] ), codings a
// token, "identity" or "*", matched without regard to letter case; empty
// list elements are allowed.
#include "host/content_coding.h"

#include "common/limits.h"
#include "common/text.h"

#include <optional>

namespace host {

namespace {

bool isTokenChar(char c) noexcept {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z')) return true;
    return std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

void skipBlanks(std::string_view& s) noexcept {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
}

// qvalue = ( "0" [ "." 0*3DIGIT ] ) / ( "1" [ "." 0*3("0") ] ), in
// thousandths; nothing when it is not one.
std::optional<int> weight(std::string_view q) noexcept {
    if (q.empty() || (q[0] != '0' && q[0] != '1')) return std::nullopt;
    int value = q[0] == '1' ? 1000 : 0;
    q.remove_prefix(1);
    if (q.empty()) return value;
    if (q[0] != '.' || q.size() > 4) return std::nullopt;
    int scale = 100;
    for (const char c : q.substr(1)) {
        if (c < '0' || c > '9' || (value == 1000 && c != '0')) return std::nullopt;
        value += (c - '0') * scale;
        scale /= 10;
    }
    return value;
}

// The weights the field gives gzip, the identity and "*": -1 where it names
// none of them; the lowest where it names one twice.
struct Weights {
    int gzip = -1;
    int identity = -1;
    int any = -1;
};

void note(int& slot, int q) noexcept { slot = slot < 0 ? q : std::min(slot, q); }

// One list element: false when it is malformed.
bool readElement(std::string_view element, Weights& weights) noexcept {
    skipBlanks(element);
    std::size_t n = 0;
    while (n < element.size() && isTokenChar(element[n])) ++n;
    const std::string_view coding = element.substr(0, n);
    element.remove_prefix(n);
    skipBlanks(element);
    if (coding.empty()) return element.empty();  // an empty element
    int q = 1000;
    if (!element.empty()) {
        if (element.front() != ';') return false;
        element.remove_prefix(1);
        skipBlanks(element);
        if (element.size() < 2 || (element[0] != 'q' && element[0] != 'Q') || element[1] != '=') return false;
        element.remove_prefix(2);
        std::size_t end = element.find_first_of(" \t");
        const std::optional<int> value = weight(element.substr(0, end));
        if (!value) return false;
        element.remove_prefix(end == std::string_view::npos ? element.size() : end);
        skipBlanks(element);
        if (!element.empty()) return false;
        q = *value;
    }
    if (velmora::equalsIgnoringCase(coding, "gzip") || velmora::equalsIgnoringCase(coding, "x-gzip"))
        note(weights.gzip, q);
    else if (velmora::equalsIgnoringCase(coding, "identity"))
        note(weights.identity, q);
    else if (coding == "*")
        note(weights.any, q);
    return true;
}

}  // namespace

soap::Coding acceptedCoding(std::string_view acceptEncoding) noexcept {
    if (acceptEncoding.size() > velmora::limits::kMaxAcceptEncodingBytes) return soap::Coding::Identity;
    Weights weights;
    for (;;) {
        const std::size_t comma = acceptEncoding.find(',');
        if (!readElement(acceptEncoding.substr(0, comma), weights)) return soap::Coding::Identity;
        if (comma == std::string_view::npos) break;
        acceptEncoding.remove_prefix(comma + 1);
    }
    const int gzip = weights.gzip >= 0 ? weights.gzip : weights.any;
    if (gzip <= 0) return soap::Coding::Identity;
    const int identity = weights.identity >= 0 ? weights.identity : weights.any;
    return identity == 0 ? soap::Coding::GzipAlways : soap::Coding::Gzip;
}

}  // namespace host
