// The response and fault envelopes, written whole through the XML writer,
// and the dispatcher's fixed fault.
#include "soap/envelope_writer.h"

#include "common/exception.h"
#include "soap/wire_format.h"

namespace soap {

namespace {

constexpr std::string_view kEnvelope = "SOAP-ENV:Envelope";
constexpr std::string_view kBody = "SOAP-ENV:Body";
// Where the remotable exception type of a fault's detail lives.
constexpr std::string_view kInvokeRegistryNs = "urn:InvokeRegistry";

struct Binding {
    std::string_view ns;
    std::string_view prefix;
};

// The namespaces every envelope declares, with their fixed prefixes.
constexpr Binding kEnvelopeBindings[] = {
    {kSoapEnvelopeNs, "SOAP-ENV"},
    {kXmlSchemaNs, "xsd"},
    {kXmlSchemaInstanceNs, "xsi"},
    {kSoapEncodingNs, "SOAP-ENC"},
};

void startEnvelope(XmlWriter& w) {
    w.declaration().start(kEnvelope);
    for (const Binding& b : kEnvelopeBindings) w.namespaceDeclaration(b.prefix, b.ns);
}

[[noreturn]] void unsupported(std::string_view what) {
    throw velmora::Exception("Datatype of TypeKind: " + std::string(what) +
                             " not supported as argument for remote invocation");
}

}  // namespace

// --- The frame of a response

std::string_view PrefixScope::prefixFor(std::string_view ns) {
    for (const Binding& b : kEnvelopeBindings)
        if (b.ns == ns) return b.prefix;
    for (const Generated& g : generated_)
        if (g.ns == ns) return g.prefix;
    generated_.push_back({std::string(ns), "NS" + std::to_string(generated_.size() + 1)});
    return generated_.back().prefix;
}

std::string PrefixScope::qualified(std::string_view ns, std::string_view local) {
    std::string name(prefixFor(ns));
    name += ':';
    name += local;
    return name;
}

void PrefixScope::declareGenerated(XmlWriter& w) const {
    for (const Generated& g : generated_) w.namespaceDeclaration(g.prefix, g.ns);
}

std::string responseElement(PrefixScope& scope, std::string_view interfaceNs, std::string_view operation) {
    std::string name = scope.qualified(interfaceNs, operation);
    name += "Response";
    return name;
}

void startResponse(XmlWriter& w, const PrefixScope& scope, std::string_view responseElement) {
    startEnvelope(w);
    w.start(kBody).attribute("SOAP-ENV:encodingStyle", kSoapEncodingNs);
    w.start(responseElement);
    scope.declareGenerated(w);
}

void endResponse(XmlWriter& w, std::string_view responseElement) { w.end(responseElement).end(kBody).end(kEnvelope); }

// --- Responses written whole

std::string writeResponse(std::string_view interfaceNs, std::string_view operation, ResultKind kind,
                          const CallResult& result, const RemTypeRegistry& types) {
    // An import's answer is written by RecordArrayWriter as its records arrive.
    if (kind == ResultKind::RecordArray) unsupported("tkDynArray");
    const bool matches = kind == ResultKind::None ||
                         (kind == ResultKind::Double && std::holds_alternative<double>(result)) ||
                         (kind == ResultKind::String && std::holds_alternative<std::string>(result)) ||
                         (kind == ResultKind::StringArray && std::holds_alternative<TextList>(result));
    if (!matches)
        unsupported(kind == ResultKind::Double ? "tkFloat" : (kind == ResultKind::String ? "tkLString" : "tkDynArray"));

    PrefixScope scope;
    const std::string response = responseElement(scope, interfaceNs, operation);
    std::string scalarType;
    std::size_t estimate = 512 + response.size() * 2;
    if (kind != ResultKind::None) {
        const TypeEntry& t = types.scalar(kind == ResultKind::Double ? ScalarType::Double : ScalarType::String);
        scalarType = scope.qualified(t.ns, t.xmlName);
    }
    if (const auto* s = std::get_if<std::string>(&result)) estimate += s->size() + s->size() / 8;
    if (const auto* list = std::get_if<TextList>(&result))
        for (const std::string& s : *list) estimate += s.size() + s.size() / 8 + 16;

    std::string out;
    out.reserve(estimate);
    XmlWriter w(out);
    startResponse(w, scope, response);
    switch (kind) {
    case ResultKind::None:
    case ResultKind::RecordArray: break;
    case ResultKind::Double:
        w.start("return").attribute("xsi:type", scalarType).real(std::get<double>(result)).end("return");
        break;
    case ResultKind::String:
        w.start("return").attribute("xsi:type", scalarType);
        if (const std::string& text = std::get<std::string>(result); !text.empty()) w.text(text);
        w.end("return");
        break;
    case ResultKind::StringArray: {
        // Scalars are written in place: items carry no reference and no type.
        const TextList& list = std::get<TextList>(result);
        w.start("return")
            .attribute("xsi:type", "SOAP-ENC:Array")
            .attribute("SOAP-ENC:arrayType", scalarType + '[' + std::to_string(list.size()) + ']');
        for (const std::string& item : list) w.element("item", item);
        w.end("return");
        break;
    }
    }
    endResponse(w, response);
    return out;
}

// --- Faults

std::string writeFault(const FaultInfo& fault) {
    std::string out;
    out.reserve(512 + fault.message.size() + fault.message.size() / 8);
    XmlWriter w(out);
    startEnvelope(w);
    w.start(kBody).start("SOAP-ENV:Fault");
    w.element("faultactor", fault.faultActor);
    w.element("faultcode", "SOAP-ENV:" + (fault.faultCode.empty() ? std::string("Server") : fault.faultCode));
    w.element("faultstring", fault.message);
    if (!fault.detailType.empty()) {
        // The type's own prefix is the first generated one of this document.
        const std::string type = "NS1:" + fault.detailType;
        w.start("detail").start(type);
        w.namespaceDeclaration("NS1", kInvokeRegistryNs);
        w.attribute("xsi:type", type);
        w.end(type).end("detail");
    }
    w.end("SOAP-ENV:Fault").end(kBody).end(kEnvelope);
    return out;
}

std::string writeFault(const std::exception& error) {
    FaultInfo info;
    info.message = error.what();
    if (const auto* remotable = dynamic_cast<const velmora::ERemotableException*>(&error)) {
        info.faultCode = remotable->faultCode();
        info.faultActor = remotable->faultActor();
        info.detailType = remotable->typeName();
    }
    return writeFault(info);
}

namespace {

// Not written through the XML writer: a fixed text whose blanks and quotes
// are what terminals have always received (a blank before a start tag's ">",
// an encoding in single quotes).
constexpr std::string_view kDispatcherFaultHead =
    "<?xml version=\"1.0\" encoding='UTF-8'?> <SOAP-ENV:Envelope "
    "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" ><SOAP-ENV:Body> <SOAP-ENV:Fault> "
    "<faultcode>SOAP-ENV:Server</faultcode><faultstring>";
constexpr std::string_view kDispatcherFaultTail = "</faultstring></SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>";

}  // namespace

std::string dispatcherFault(std::string_view message) {
    std::string out;
    out.reserve(kDispatcherFaultHead.size() + message.size() + message.size() / 8 + kDispatcherFaultTail.size());
    out += kDispatcherFaultHead;
    appendMinimalXmlText(out, message);
    out += kDispatcherFaultTail;
    return out;
}

}  // namespace soap
