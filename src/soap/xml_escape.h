// Escaping of UTF-8 text into XML, done once as the text is appended. Bytes
// that XML 1.0 cannot carry (C0 controls other than tab, LF and CR, U+FFFE,
// U+FFFF, invalid UTF-8) become U+FFFD, so the document stays well-formed.
#pragma once

#include <string>
#include <string_view>

namespace soap {

// Element content: &, <, > as entity references, CR as "&#13;" so that a
// reader's end-of-line handling cannot turn it into LF.
void appendXmlText(std::string& out, std::string_view utf8);

// Attribute value in double quotes: &, <, " as entity references, tab, LF and
// CR as character references so that attribute normalisation keeps them.
void appendXmlAttribute(std::string& out, std::string_view utf8);

// Character data where only & and < are escaped and everything else stays as
// it is (the dispatcher's fixed fault); ">" is escaped only where it would
// close "]]>", which character data may not contain.
void appendXmlMinimal(std::string& out, std::string_view utf8);

// The length of the valid UTF-8 sequence of an XML character starting at p
// (1 to 4), or 0 when the bytes there are not one.
std::size_t xmlCharLength(const char* p, const char* end) noexcept;

}  // namespace soap
