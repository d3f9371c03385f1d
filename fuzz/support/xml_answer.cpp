#include "support/xml_answer.h"

#include <libxml/parser.h>

#include <climits>

namespace fuzzsupport {

namespace {

const xmlNode* findIn(const xmlNode* node, std::string_view localName) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (reinterpret_cast<const char*>(node->name) == localName) return node;
        if (const xmlNode* below = findIn(node->children, localName)) return below;
    }
    return nullptr;
}

}  // namespace

XmlAnswer::XmlAnswer(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) return;
    doc_.reset(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE));
}

const xmlNode* XmlAnswer::find(std::string_view localName) const { return findIn(root(), localName); }

std::string textOf(const xmlNode* element) {
    xmlChar* c = xmlNodeGetContent(element);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}

const xmlNode* child(const xmlNode* parent, std::string_view localName) {
    for (const xmlNode* c = parent ? parent->children : nullptr; c; c = c->next)
        if (c->type == XML_ELEMENT_NODE && reinterpret_cast<const char*>(c->name) == localName) return c;
    return nullptr;
}

bool isXmlText(std::string_view utf8) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* const end = p + utf8.size();
    while (p < end) {
        const unsigned char b = *p;
        std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
        if (len == 0 || static_cast<std::size_t>(end - p) < len) return false;
        char32_t c = len == 1 ? b : b & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k) {
            if ((p[k] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        // The shortest form only: an overlong sequence is no character.
        constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kMin[len]) return false;
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
                             (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed) return false;
        p += len;
    }
    return true;
}

}  // namespace fuzzsupport
