// Decoding a request envelope into a call, and the libxml2 adapter it reads
// the document through: namespace-aware, no network, no entity expansion, no
// document type declaration, a bounded number of attributes and namespace
// declarations per element.
#include "soap/envelope_reader.h"

#include "common/exception.h"
#include "common/limits.h"
#include "common/text.h"
#include "soap/wire_format.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace soap {

namespace {

using velmora::equalsIgnoringCase;
using velmora::Exception;
using velmora::toAsciiLower;

// --- The libxml2 adapter

struct FreeDocument {
    void operator()(xmlDoc* d) const noexcept { xmlFreeDoc(d); }
};
using Document = std::unique_ptr<xmlDoc, FreeDocument>;

struct FreeContext {
    void operator()(xmlParserCtxt* c) const noexcept { xmlFreeParserCtxt(c); }
};

struct FreeBuffer {
    void operator()(xmlBuffer* b) const noexcept { xmlBufferFree(b); }
};

constexpr std::string_view kDoctypeRefused = "A document type declaration is not allowed in a SOAP message";

// What the parse callbacks learn; the parser is stopped at the first error so
// the reason names the first fault, not its consequences.
struct ParseState {
    bool doctype = false;
    bool failed = false;
    std::string reason;
    int line = 0;
};

// SOAP 1.1 forbids a DTD; refusing it also closes the entity-expansion door.
void refuseDoctype(void* ctx, const xmlChar*, const xmlChar*, const xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    static_cast<ParseState*>(ctxt->_private)->doctype = true;
    xmlStopParser(ctxt);
}

void stopWithError(xmlParserCtxtPtr ctxt, std::string reason, int line) {
    auto* state = static_cast<ParseState*>(ctxt->_private);
    state->failed = true;
    state->reason = std::move(reason);
    state->line = line;
    xmlStopParser(ctxt);
}

// A template so that either libxml2 signature (const or not) fits.
template <class Error>
void recordError(void* ctx, Error* error) {
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    const auto* state = static_cast<ParseState*>(ctxt->_private);
    if (error->level < XML_ERR_ERROR || state->failed || state->doctype) return;
    std::string reason = error->message ? error->message : "XML parse error";
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r')) reason.pop_back();
    stopWithError(ctxt, std::move(reason), error->line);
}

// libxml2 links an element's attributes into a list it walks to the end for
// each one it adds, and looks each prefix up through every namespace
// declaration in scope: the time grows with the square of their numbers. An
// element with more of either than a SOAP message ever needs is refused
// before that work.
void startElementOfBoundedSize(void* ctx, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                               int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaultedCount,
                               const xmlChar** attributes) {
    using velmora::limits::kMaxAttributesPerElement;
    using velmora::limits::kMaxNamespacesInScope;
    auto* ctxt = static_cast<xmlParserCtxtPtr>(ctx);
    const int inScope = ctxt->nsNr / 2;  // the parser's stack of prefix and name pairs, this element's included
    if (attributeCount > kMaxAttributesPerElement || inScope > kMaxNamespacesInScope) {
        std::string reason = "Element ";
        if (prefix) reason += reinterpret_cast<const char*>(prefix) + std::string(":");
        reason += reinterpret_cast<const char*>(localName);
        reason += attributeCount > kMaxAttributesPerElement
                      ? " has more than " + std::to_string(kMaxAttributesPerElement) + " attributes"
                      : " has more than " + std::to_string(kMaxNamespacesInScope) + " namespace declarations in scope";
        stopWithError(ctxt, std::move(reason), xmlSAX2GetLineNumber(ctx));
        return;
    }
    xmlSAX2StartElementNs(ctx, localName, prefix, uri, namespaceCount, namespaces, attributeCount, defaultedCount,
                          attributes);
}

// The first 40 characters of line `line` (counted from 1) of the source; a
// byte that starts no XML character counts as one.
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
    for (int chars = 0; chars < 40 && end < text.size(); ++chars)
        end += std::max<std::size_t>(1, xmlCharLength(text, end));
    return std::string(text.substr(0, end));
}

// The parser's reason, CRLF, "Line: " and the line number, CRLF and the
// first 40 characters of that line.
[[noreturn]] void throwParseError(std::string_view bytes, std::string_view reason, int line) {
    std::string message(reason);
    message += "\r\nLine: ";
    message += std::to_string(line);
    message += "\r\n";
    message += sourceExcerpt(bytes, line);
    throw Exception(message);
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

Document parseDocument(std::string_view bytes) {
    [[maybe_unused]] static const bool initialised = (xmlInitParser(), true);

    if (bytes.empty()) throwParseError(bytes, "Document is empty", 1);
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) throw Exception("SOAP request too large");

    const std::unique_ptr<xmlParserCtxt, FreeContext> ctxt(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!ctxt) throw std::bad_alloc();
    ParseState state;
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    ctxt->_private = &state;
    ctxt->sax->internalSubset = refuseDoctype;
    ctxt->sax->serror = recordError;
    ctxt->sax->startElementNs = startElementOfBoundedSize;
    ctxt->sax->initialized = XML_SAX2_MAGIC;

    xmlParseDocument(ctxt.get());
    Document doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;

    if (state.doctype) throw Exception(std::string(kDoctypeRefused));
    if (state.failed || !ctxt->wellFormed || !doc)
        throwParseError(bytes, state.failed ? state.reason : "XML parse error", state.failed ? state.line : 1);
    dropBlankText(reinterpret_cast<xmlNode*>(doc.get()));
    return doc;
}

std::string_view localName(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

std::string_view namespaceOf(const xmlNode* n) {
    return n->ns && n->ns->href ? reinterpret_cast<const char*>(n->ns->href) : std::string_view{};
}

bool isElement(const xmlNode* n) { return n->type == XML_ELEMENT_NODE; }

std::string attributeValue(const xmlAttr* a) {
    const xmlNode* v = a->children;
    if (!v) return {};
    if (!v->next && v->type == XML_TEXT_NODE && v->content) return reinterpret_cast<const char*>(v->content);
    xmlChar* joined = xmlNodeListGetString(a->doc, v, 1);
    std::string s = joined ? reinterpret_cast<const char*>(joined) : "";
    xmlFree(joined);
    return s;
}

// The value of the attribute written exactly as `name` (no prefix).
std::optional<std::string> unprefixedAttribute(const xmlNode* element, std::string_view name) {
    for (const xmlAttr* a = element->properties; a; a = a->next)
        if (!a->ns && reinterpret_cast<const char*>(a->name) == name) return attributeValue(a);
    return std::nullopt;
}

// The value of the attribute `local` in namespace `ns`.
std::optional<std::string> namespacedAttribute(const xmlNode* element, std::string_view local, std::string_view ns) {
    for (const xmlAttr* a = element->properties; a; a = a->next)
        if (a->ns && a->ns->href && reinterpret_cast<const char*>(a->name) == local &&
            reinterpret_cast<const char*>(a->ns->href) == ns)
            return attributeValue(a);
    return std::nullopt;
}

// An element's content as text: the text of its one text or CDATA child, the
// XML of its children when it has other children, "" when empty.
std::string contentText(const xmlNode* element) {
    const xmlNode* first = element->children;
    if (!first) return {};
    if (!first->next && (first->type == XML_TEXT_NODE || first->type == XML_CDATA_SECTION_NODE))
        return first->content ? reinterpret_cast<const char*>(first->content) : "";
    const std::unique_ptr<xmlBuffer, FreeBuffer> buffer(xmlBufferCreate());
    if (!buffer) throw std::bad_alloc();
    for (const xmlNode* child = first; child; child = child->next)
        xmlNodeDump(buffer.get(), element->doc, const_cast<xmlNode*>(child), 0, 0);
    return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                       static_cast<std::size_t>(xmlBufferLength(buffer.get())));
}

// --- Decoding by the RPC/encoded rules of SOAP 1.1

// "#" + id of every element that has an "id", letter case folded; the first
// element with a given id keeps it.
class ReferenceIndex {
public:
    explicit ReferenceIndex(const xmlNode* root) { add(root); }

    const xmlNode* find(std::string_view href) const {
        const auto it = byKey_.find(toAsciiLower(href));
        return it == byKey_.end() ? nullptr : it->second;
    }

private:
    void add(const xmlNode* element) {
        if (auto id = unprefixedAttribute(element, "id")) byKey_.emplace("#" + toAsciiLower(*id), element);
        for (const xmlNode* c = element->children; c; c = c->next)
            if (isElement(c)) add(c);
    }

    std::unordered_map<std::string, const xmlNode*> byKey_;
};

void checkEncodingStyle(const xmlNode* element) {
    if (auto style = namespacedAttribute(element, "encodingStyle", kSoapEnvelopeNs); style && *style != kSoapEncodingNs)
        throw Exception("Unsupported SOAP encodingStyle " + *style);
}

bool isTrue(std::string_view v) { return v == "1" || equalsIgnoringCase(v, "true"); }

// No header entry is understood here, so one that must be understood fails.
void checkHeader(const xmlNode* header) {
    for (const xmlNode* entry = header->children; entry; entry = entry->next) {
        if (!isElement(entry)) continue;
        if (auto must = unprefixedAttribute(entry, "mustUnderstand"); must && isTrue(*must))
            throw velmora::ERemotableException("Soap header " + std::string(localName(entry)) +
                                                   " with attribute 'mustUnderstand' set to true was not handled",
                                               "MustUnderstand");
    }
}

std::size_t childElementCount(const xmlNode* element) {
    std::size_t n = 0;
    for (const xmlNode* c = element->children; c; c = c->next) n += isElement(c);
    return n;
}

const Operation* selectOperation(const xmlNode* element, const InterfaceEntry& interface) {
    const std::string_view name = localName(element);
    const Operation* byName = nullptr;
    int named = 0;
    const Operation* byCount = nullptr;
    int counted = 0;
    const std::size_t children = childElementCount(element);
    for (const Operation& op : interface.operations) {
        if (!equalsIgnoringCase(op.name, name)) continue;
        byName = &op;
        ++named;
        if (op.paramNames.size() == children) {
            byCount = &op;
            ++counted;
        }
    }
    // Overloads are told apart by their parameter count; failing that the
    // name alone must be unique.
    const Operation* chosen = counted == 1 ? byCount : (counted == 0 && named == 1 ? byName : nullptr);
    if (!chosen)
        throw Exception("No method named '" + std::string(name) + "' is supported by interface '" + interface.name +
                        "'");
    return chosen;
}

Params readParams(const xmlNode* call, const Operation& op, const ReferenceIndex& refs) {
    Params params(op.paramNames.size());
    for (std::size_t i = 0; i < op.paramNames.size(); ++i) {
        const xmlNode* match = nullptr;
        for (const xmlNode* c = call->children; c && !match; c = c->next)
            if (isElement(c) && equalsIgnoringCase(localName(c), op.paramNames[i])) match = c;
        if (!match) continue;
        checkEncodingStyle(match);
        const xmlNode* value = match;
        if (auto href = unprefixedAttribute(match, "href"); href && !href->empty())
            if (const xmlNode* target = refs.find(*href)) value = target;
        params[i] = contentText(value);
    }
    return params;
}

}  // namespace

DecodedCall decodeRequest(std::string_view body, const InterfaceEntry& interface) {
    const Document doc = parseDocument(body);
    const xmlNode* envelope = xmlDocGetRootElement(doc.get());
    if (!envelope || localName(envelope) != "Envelope" || namespaceOf(envelope) != kSoapEnvelopeNs ||
        !envelope->children)
        throw Exception("Invalid SOAP request");
    const ReferenceIndex refs(envelope);

    DecodedCall call;
    bool sawBody = false;
    for (const xmlNode* child = envelope->children; child; child = child->next) {
        if (!isElement(child)) continue;
        const std::string_view name = localName(child);
        if (name == "Header") {
            checkHeader(child);
        } else if (name == "Body") {
            if (sawBody) throw Exception("Multiple body elements not supported");
            sawBody = true;
            checkEncodingStyle(envelope);
            const xmlNode* element = child->children;
            while (element && !isElement(element)) element = element->next;
            if (!element) continue;  // reported below, once the whole Envelope is read
            checkEncodingStyle(element);
            call.operation = selectOperation(element, interface);
            call.params = readParams(element, *call.operation, refs);
        }
    }
    if (!sawBody) throw Exception("No SOAP Body found");
    if (!call.operation) throw Exception("No operation element found in SOAP Body");
    return call;
}

}  // namespace soap
