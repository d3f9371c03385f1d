// Request envelopes and answer reading for the stress tests' terminals.
#include "stress/soap_messages.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <memory>

namespace stress {
namespace {

constexpr std::string_view kEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";

std::string name(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

std::string content(const xmlNode* n) {
    xmlChar* c = xmlNodeGetContent(n);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}

std::string attribute(const xmlNode* n, const char* local) {
    xmlChar* v = xmlGetNoNsProp(n, BAD_CAST local);
    std::string s = v ? reinterpret_cast<const char*>(v) : "";
    xmlFree(v);
    return s;
}

const xmlNode* firstElement(const xmlNode* n) {
    for (; n; n = n->next)
        if (n->type == XML_ELEMENT_NODE) return n;
    return nullptr;
}

const xmlNode* nextElement(const xmlNode* n) { return firstElement(n ? n->next : nullptr); }

const xmlNode* child(const xmlNode* parent, std::string_view local) {
    for (const xmlNode* c = firstElement(parent->children); c; c = nextElement(c))
        if (name(c) == local) return c;
    return nullptr;
}

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};

}  // namespace

std::string soapAction(std::string_view operation) {
    return "\"urn:VelmoraIntf-IVelmora#" + std::string(operation) + "\"";
}

std::string requestEnvelope(std::string_view operation, const Params& params) {
    std::string body =
        "<?xml version=\"1.0\"?><SOAP-ENV:Envelope xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:SOAP-ENC=\"http://schemas.xmlsoap.org/soap/encoding/\"><SOAP-ENV:Body "
        "SOAP-ENV:encodingStyle=\"http://schemas.xmlsoap.org/soap/encoding/\"><NS1:";
    body.append(operation).append(" xmlns:NS1=\"urn:VelmoraIntf-IVelmora\">");
    for (const auto& [n, v] : params) body += "<" + n + " xsi:type=\"xsd:string\">" + v + "</" + n + ">";
    body.append("</NS1:").append(operation).append("></SOAP-ENV:Body></SOAP-ENV:Envelope>");
    return body;
}

SoapAnswer readAnswer(std::string_view body, std::string_view field) {
    SoapAnswer answer;
    std::unique_ptr<xmlDoc, DocFree> doc(
        xmlReadMemory(body.data(), static_cast<int>(body.size()), nullptr, nullptr,
                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE));
    if (!doc) return answer;
    const xmlNode* envelope = xmlDocGetRootElement(doc.get());
    if (!envelope || name(envelope) != "Envelope" || !envelope->ns ||
        reinterpret_cast<const char*>(envelope->ns->href) != kEnvelopeNs)
        return answer;
    const xmlNode* bodyNode = child(envelope, "Body");
    const xmlNode* inner = bodyNode ? firstElement(bodyNode->children) : nullptr;
    if (!inner) return answer;
    answer.wellFormed = true;
    answer.responseName = name(inner);
    if (answer.responseName == "Fault") {
        answer.fault = true;
        if (const xmlNode* s = child(inner, "faultstring")) answer.faultString = content(s);
        return answer;
    }
    if (field.empty()) return answer;

    // Multi-reference records: the array's items point at them by id; look
    // for them wherever they stand in the Body.
    std::map<std::string, const xmlNode*> byId;
    for (const xmlNode* c = firstElement(bodyNode->children); c; c = nextElement(c)) {
        byId[attribute(c, "id")] = c;
        for (const xmlNode* d = firstElement(c->children); d; d = nextElement(d)) byId[attribute(d, "id")] = d;
    }
    const xmlNode* array = child(inner, "return");
    if (!array) return answer;
    for (const xmlNode* item = firstElement(array->children); item; item = nextElement(item)) {
        std::string href = attribute(item, "href");
        const xmlNode* record = item;
        if (!href.empty()) {
            auto found = byId.find(href.substr(1));
            if (found == byId.end()) {
                answer.wellFormed = false;  // a dangling reference
                return answer;
            }
            record = found->second;
        }
        const xmlNode* value = child(record, field);
        answer.values.push_back(value ? content(value) : std::string("<missing>"));
    }
    return answer;
}

std::pair<std::string_view, std::string_view> splitHead(std::string_view response) {
    std::size_t end = response.find("\r\n\r\n");
    std::size_t skip = 4;
    if (end == std::string_view::npos) {
        end = response.find("\n\n");
        skip = 2;
    }
    if (end == std::string_view::npos) return {response, {}};
    return {response.substr(0, end), response.substr(end + skip)};
}

}  // namespace stress
