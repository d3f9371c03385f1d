#include "soap/envelope_reader.h"

#include "common/exception.h"
#include "common/text.h"
#include "soap/soap_namespaces.h"
#include "soap/xml_document.h"

#include <unordered_map>

namespace soap {

namespace {

using velmora::equalsIgnoringCase;
using velmora::Exception;
using velmora::toAsciiLower;

// "#" + id of every element that has an "id", letter case folded; the first
// element with a given id keeps it.
class ReferenceIndex {
public:
    explicit ReferenceIndex(xmlNode* root) { add(root); }

    const xmlNode* find(std::string_view href) const {
        const auto it = byKey_.find(toAsciiLower(href));
        return it == byKey_.end() ? nullptr : it->second;
    }

private:
    void add(xmlNode* element) {
        if (auto id = unprefixedAttribute(element, "id")) byKey_.emplace("#" + toAsciiLower(*id), element);
        for (xmlNode* c = element->children; c; c = c->next)
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
    const XmlDocument doc = XmlDocument::parse(body);
    xmlNode* envelope = doc.root();
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
