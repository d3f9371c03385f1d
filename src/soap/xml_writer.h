// The one streaming XML writer of the program: SOAP answers, the WSDL and
// schema documents. Markup is appended to a string as it goes, no tree is
// built, and every text and attribute value is escaped once on the way in.
#pragma once

#include "soap/wire_format.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace soap {

// --- Escaping. What XML 1.0 cannot carry (C0 controls other than tab, LF
// and CR, U+FFFE, U+FFFF, malformed UTF-8) becomes U+FFFD, so the document
// stays well-formed.

// Element content: &, <, > as entity references, CR as "&#13;" so that a
// reader's end-of-line handling cannot turn it into LF.
void appendXmlText(std::string& out, std::string_view utf8);
// The same for a database text, converted from WIN1252 on the way.
void appendWin1252XmlText(std::string& out, std::string_view win1252);

// Attribute value in double quotes: &, <, " as entity references, tab, LF and
// CR as character references so that attribute normalisation keeps them.
void appendXmlAttribute(std::string& out, std::string_view utf8);

// Character data escaped as little as XML allows: & and < only, and > where
// it would close "]]>"; line ends and quotes stay as they are.
void appendMinimalXmlText(std::string& out, std::string_view utf8);

// --- Writing

// Appends to one string; the caller keeps the order (start, its attributes,
// then content or end). Assigning a fresh writer starts over, as after the
// string was cleared.
class XmlWriter {
public:
    explicit XmlWriter(std::string& out) noexcept : out_(&out) {}

    // <?xml version="1.0"?>, with encoding="..." when one is named.
    XmlWriter& declaration(std::string_view encoding = {});

    // Opens "<qname"; attributes may follow until content or end().
    XmlWriter& start(std::string_view qname);
    XmlWriter& attribute(std::string_view qname, std::string_view value);
    // xmlns:prefix="ns", an attribute like any other.
    XmlWriter& namespaceDeclaration(std::string_view prefix, std::string_view ns);
    // Closes the innermost element: "/>" when it has no content yet.
    XmlWriter& end(std::string_view qname);
    // Element with text content (or empty).
    XmlWriter& element(std::string_view qname, std::string_view utf8);

    // Content of the element started last.
    XmlWriter& text(std::string_view utf8) {
        closeStartTag();
        appendXmlText(*out_, utf8);
        return *this;
    }
    XmlWriter& win1252Text(std::string_view win1252) {
        closeStartTag();
        appendWin1252XmlText(*out_, win1252);
        return *this;
    }
    XmlWriter& integer(std::int64_t value);
    // In the wire's format (appendWireReal).
    XmlWriter& real(double value) {
        closeStartTag();
        appendWireReal(*out_, value);
        return *this;
    }
    // Tags made beforehand by ElementTags (or joined from them), written as
    // they are.
    XmlWriter& markup(std::string_view tags) {
        closeStartTag();
        *out_ += tags;
        return *this;
    }

private:
    XmlWriter& writeAttribute(std::string_view namePrefix, std::string_view name, std::string_view value);
    void closeStartTag() {
        if (tagOpen_) {
            *out_ += '>';
            tagOpen_ = false;
        }
    }

    std::string* out_;
    bool tagOpen_ = false;
};

// The tags of an element with one attribute, made once for an element that
// is written many times (a record's fields) and then written with
// XmlWriter::markup().
struct ElementTags {
    ElementTags(std::string_view qname, std::string_view attributeName, std::string_view attributeValue);

    std::string start;  // <qname name="value">
    std::string end;    // </qname>
    std::string empty;  // <qname name="value"/>
};

}  // namespace soap
