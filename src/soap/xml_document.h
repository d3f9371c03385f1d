// A parsed request document (libxml2) and the few ways the decoder reads it.
// Parsing never touches the network, expands no entity and refuses any
// document type declaration, which closes the entity-expansion door.
#pragma once

#include <libxml/tree.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace soap {

class XmlDocument {
public:
    // Throws velmora::Exception: for malformed XML the parser's reason, CRLF,
    // "Line: " and the line number, CRLF and the first 40 characters of that
    // line. Text nodes holding only whitespace are dropped.
    static XmlDocument parse(std::string_view bytes);

    xmlNode* root() const noexcept { return xmlDocGetRootElement(doc_.get()); }

private:
    struct Free {
        void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
    };
    explicit XmlDocument(xmlDoc* doc) : doc_(doc) {}
    std::unique_ptr<xmlDoc, Free> doc_;
};

inline std::string_view localName(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }
inline std::string_view namespaceOf(const xmlNode* n) {
    return n->ns && n->ns->href ? reinterpret_cast<const char*>(n->ns->href) : std::string_view{};
}
inline bool isElement(const xmlNode* n) { return n->type == XML_ELEMENT_NODE; }

// The value of the attribute written exactly as `name` (no prefix).
std::optional<std::string> unprefixedAttribute(const xmlNode* element, std::string_view name);
// The value of the attribute `local` in namespace `ns`.
std::optional<std::string> namespacedAttribute(const xmlNode* element, std::string_view local, std::string_view ns);

// An element's content as text: the text of its one text or CDATA child, the
// XML of its children when it has other children, "" when empty.
std::string contentText(const xmlNode* element);

}  // namespace soap
