// An answer read back as a client reads it: strictly parsed by libxml2, then
// searched by element name. Used to check what a fuzz target wrote.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>

namespace fuzzsupport {

class XmlAnswer {
public:
    explicit XmlAnswer(std::string_view bytes);

    bool wellFormed() const noexcept { return doc_ != nullptr; }
    const xmlNode* root() const noexcept { return doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr; }

    // The first element (document order) with this local name, or null.
    const xmlNode* find(std::string_view localName) const;

private:
    struct Free {
        void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
    };
    std::unique_ptr<xmlDoc, Free> doc_;
};

// The element's text content (all descendants' character data).
std::string textOf(const xmlNode* element);

// The first child element with this local name, or null.
const xmlNode* child(const xmlNode* parent, std::string_view localName);

// True when every character is valid UTF-8 and allowed in an XML 1.0
// document, so the text must survive a trip through XML unchanged.
bool isXmlText(std::string_view utf8);

}  // namespace fuzzsupport
