#include "soap/xml_document.h"

#include "common/exception.h"
#include "soap/xml_escape.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <mutex>

namespace soap {

namespace {

constexpr std::string_view kDoctypeRefused = "A document type declaration is not allowed in a SOAP message";

// What the parse callbacks learn; the parser is stopped at the first error so
// the reason names the first fault, not its consequences.
struct ParseState {
    bool doctype = false;
    bool failed = false;
    std::string reason;
    int line = 0;
};

void refuseDoctype(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    static_cast<ParseState*>(ctxt->_private)->doctype = true;
    xmlStopParser(ctxt);
}

// A template so that either libxml2 signature (const or not) fits.
template <class Error>
void recordError(void* ctx, Error* error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    auto* state = static_cast<ParseState*>(ctxt->_private);
    if (error->level < XML_ERR_ERROR || state->failed || state->doctype) return;
    state->failed = true;
    state->reason = error->message ? error->message : "XML parse error";
    while (!state->reason.empty() && (state->reason.back() == '\n' || state->reason.back() == '\r'))
        state->reason.pop_back();
    state->line = error->line;
    xmlStopParser(ctxt);
}

// The first 40 characters of line `line` (counted from 1) of the source.
std::string sourceExcerpt(std::string_view bytes, int line) {
    std::size_t start = 0;
    for (int i = 1; i < line && start != std::string_view::npos; ++i) {
        start = bytes.find('\n', start);
        if (start != std::string_view::npos) ++start;
    }
    if (line < 1 || start == std::string_view::npos) return {};
    std::string_view text = bytes.substr(start, bytes.find('\n', start) - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    std::size_t end = 0;
    for (int chars = 0; chars < 40 && end < text.size(); ++chars) {
        const auto c = static_cast<unsigned char>(text[end]);
        const std::size_t n = c < 0x80 ? 1 : xmlCharLength(text.data() + end, text.data() + text.size());
        end += n == 0 ? 1 : n;
    }
    return std::string(text.substr(0, end));
}

[[noreturn]] void throwParseError(std::string_view bytes, std::string_view reason, int line) {
    std::string message(reason);
    message += "\r\nLine: ";
    message += std::to_string(line);
    message += "\r\n";
    message += sourceExcerpt(bytes, line);
    throw velmora::Exception(message);
}

bool isXmlBlank(const xmlChar* s) {
    for (; s && *s; ++s)
        if (*s != ' ' && *s != '\t' && *s != '\n' && *s != '\r') return false;
    return true;
}

// Whitespace-only text between elements means nothing in a SOAP message.
void dropBlankText(xmlNode* parent) {
    xmlNode* child = parent->children;
    while (child) {
        xmlNode* next = child->next;
        if (child->type == XML_TEXT_NODE && isXmlBlank(child->content)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            dropBlankText(child);
        }
        child = next;
    }
}

struct FreeContext {
    void operator()(xmlParserCtxt* c) const noexcept { xmlFreeParserCtxt(c); }
};

}  // namespace

XmlDocument XmlDocument::parse(std::string_view bytes) {
    static std::once_flag init;
    std::call_once(init, [] { xmlInitParser(); });

    if (bytes.empty()) throwParseError(bytes, "Document is empty", 1);
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) throw velmora::Exception("SOAP request too large");

    std::unique_ptr<xmlParserCtxt, FreeContext> ctxt(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!ctxt) throw std::bad_alloc();
    ParseState state;
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    ctxt->_private = &state;
    ctxt->sax->internalSubset = refuseDoctype;
    ctxt->sax->serror = recordError;
    ctxt->sax->initialized = XML_SAX2_MAGIC;

    xmlParseDocument(ctxt.get());
    XmlDocument doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;

    if (state.doctype) throw velmora::Exception(std::string(kDoctypeRefused));
    if (state.failed || !ctxt->wellFormed || !doc.doc_)
        throwParseError(bytes, state.failed ? state.reason : "XML parse error", state.failed ? state.line : 1);
    dropBlankText(reinterpret_cast<xmlNode*>(doc.doc_.get()));
    return doc;
}

namespace {

std::string attributeValue(const xmlAttr* a) {
    const xmlNode* v = a->children;
    if (!v) return {};
    if (!v->next && v->type == XML_TEXT_NODE && v->content) return reinterpret_cast<const char*>(v->content);
    xmlChar* joined = xmlNodeListGetString(a->doc, v, 1);
    std::string s = joined ? reinterpret_cast<const char*>(joined) : "";
    xmlFree(joined);
    return s;
}

}  // namespace

std::optional<std::string> unprefixedAttribute(const xmlNode* element, std::string_view name) {
    for (const xmlAttr* a = element->properties; a; a = a->next)
        if (!a->ns && reinterpret_cast<const char*>(a->name) == name) return attributeValue(a);
    return std::nullopt;
}

std::optional<std::string> namespacedAttribute(const xmlNode* element, std::string_view local, std::string_view ns) {
    for (const xmlAttr* a = element->properties; a; a = a->next)
        if (a->ns && a->ns->href && reinterpret_cast<const char*>(a->name) == local &&
            reinterpret_cast<const char*>(a->ns->href) == ns)
            return attributeValue(a);
    return std::nullopt;
}

std::string contentText(const xmlNode* element) {
    const xmlNode* first = element->children;
    if (!first) return {};
    if (!first->next && (first->type == XML_TEXT_NODE || first->type == XML_CDATA_SECTION_NODE))
        return first->content ? reinterpret_cast<const char*>(first->content) : "";
    struct FreeBuffer {
        void operator()(xmlBuffer* b) const noexcept { xmlBufferFree(b); }
    };
    std::unique_ptr<xmlBuffer, FreeBuffer> buffer(xmlBufferCreate());
    if (!buffer) throw std::bad_alloc();
    for (const xmlNode* child = first; child; child = child->next)
        xmlNodeDump(buffer.get(), element->doc, const_cast<xmlNode*>(child), 0, 0);
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

}  // namespace soap
