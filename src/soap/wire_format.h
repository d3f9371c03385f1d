// What the wire looks like in the small, for the reader, the writer and the
// publisher alike: the standard namespaces of SOAP 1.1 messages, which
// characters an XML document can carry, and the text of a 64-bit real.
#pragma once

#include "common/text.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace soap {

// --- The standard namespaces

inline constexpr std::string_view kSoapEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kSoapEncodingNs = "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr std::string_view kXmlSchemaNs = "http://www.w3.org/2001/XMLSchema";
inline constexpr std::string_view kXmlSchemaInstanceNs = "http://www.w3.org/2001/XMLSchema-instance";

// --- Characters

// The length (1 to 4) of the UTF-8 sequence of the character that starts at
// text[at], or 0 when the bytes there are no XML 1.0 character: malformed
// UTF-8, or U+FFFE and U+FFFF, which XML excludes. ASCII is always 1; which
// control characters may appear is the escaping's business.
constexpr std::size_t xmlCharLength(std::string_view text, std::size_t at) noexcept {
    const velmora::Utf8Char c = velmora::decodeUtf8(text, at, velmora::Utf8Errors::Reject);
    return c.codePoint == 0xFFFE || c.codePoint == 0xFFFF ? 0 : c.length;
}

// --- Reals

// 15 significant digits, correctly rounded; "." as the decimal separator
// whatever the locale; plain from 1E-4 to below 1E15, scientific ("1.5E-7",
// "1E16") outside; "NaN", "INF" and "-INF" for what is not a number.
void appendWireReal(std::string& out, double value);

}  // namespace soap
