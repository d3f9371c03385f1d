#include "soap/envelope_writer.h"

#include "common/exception.h"
#include "soap/real_format.h"
#include "soap/soap_namespaces.h"
#include "soap/xml_writer.h"

#include <charconv>
#include <deque>
#include <vector>

namespace soap {

namespace {

constexpr std::string_view kEnvelope = "SOAP-ENV:Envelope";
constexpr std::string_view kBody = "SOAP-ENV:Body";

// Namespace prefixes in scope of the response element: the four fixed ones of
// the Envelope, then "NS" + counter for each further namespace, declared on
// the response element (the root that holds the record elements).
class PrefixScope {
public:
    PrefixScope() {
        bind(kSoapEnvelopeNs, kEnvPrefix);
        bind(kXmlSchemaNs, kXsdPrefix);
        bind(kXmlSchemaInstanceNs, kXsiPrefix);
        bind(kSoapEncodingNs, kEncPrefix);
        fixed_ = bindings_.size();
    }

    // The prefix of ns, generating and recording a declaration when new.
    std::string_view prefixFor(std::string_view ns) {
        for (const Binding& b : bindings_)
            if (b.ns == ns) return b.prefix;
        bind(ns, "NS" + std::to_string(++counter_));
        return bindings_.back().prefix;
    }

    // Declarations generated so far, as attributes of the current start tag.
    void declareGenerated(XmlWriter& w) const {
        for (std::size_t i = fixed_; i < bindings_.size(); ++i) {
            std::string& out = w.buffer();
            out += " xmlns:";
            out += bindings_[i].prefix;
            out += "=\"";
            appendXmlAttribute(out, bindings_[i].ns);
            out += '"';
        }
    }

private:
    struct Binding {
        std::string ns;
        std::string prefix;
    };
    void bind(std::string_view ns, std::string_view prefix) {
        bindings_.push_back({std::string(ns), std::string(prefix)});
    }

    std::deque<Binding> bindings_;  // prefixes handed out stay where they are
    std::size_t fixed_ = 0;
    int counter_ = 0;
};

void startEnvelope(XmlWriter& w) {
    w.declaration().start(kEnvelope);
    w.attribute("xmlns:SOAP-ENV", kSoapEnvelopeNs);
    w.attribute("xmlns:xsd", kXmlSchemaNs);
    w.attribute("xmlns:xsi", kXmlSchemaInstanceNs);
    w.attribute("xmlns:SOAP-ENC", kSoapEncodingNs);
}

void appendInt(std::string& out, long long value) {
    char buf[24];
    out.append(buf, std::to_chars(buf, buf + sizeof buf, value).ptr);
}

struct QName {
    std::string_view prefix;
    std::string_view local;
};

std::string joined(QName q) {
    std::string s(q.prefix);
    s += ':';
    s += q.local;
    return s;
}

// The fixed markup of one field, built once per response: "<Name
// xsi:type="xsd:string"" and "</Name>", and the pieces a record is written
// with. The markup between two values goes out in one piece, the end tag of
// one field joined with the start tag of the next: a record of 166 fields
// is then half as many appends.
struct FieldTags {
    std::string head;
    std::string tail;
    std::string open;           // head + ">"
    std::string empty;          // head + "/>": an empty text
    std::string tailThenOpen;   // tail + the next field's open
    std::string tailThenEmpty;  // tail + the next field's empty
};

std::vector<FieldTags> fieldTags(const records::RecordKind& kind, RemTypeRegistry& types, PrefixScope& scope) {
    std::vector<FieldTags> tags;
    tags.reserve(kind.fields.size());
    for (const records::FieldDef& f : kind.fields) {
        const TypeEntry& t = types.scalar(scalarTypeOf(f.kind));
        FieldTags ft;
        ft.head = "<";
        ft.head += f.name;
        ft.head += " xsi:type=\"";
        ft.head += scope.prefixFor(t.ns);
        ft.head += ':';
        ft.head += t.xmlName;
        ft.head += '"';
        ft.tail = "</";
        ft.tail += f.name;
        ft.tail += '>';
        ft.open = ft.head + '>';
        ft.empty = ft.head + "/>";
        tags.push_back(std::move(ft));
    }
    for (std::size_t f = 0; f + 1 < tags.size(); ++f) {
        tags[f].tailThenOpen = tags[f].tail + tags[f + 1].open;
        tags[f].tailThenEmpty = tags[f].tail + tags[f + 1].empty;
    }
    return tags;
}

std::size_t estimateRecords(const records::RecordArray& records, const std::vector<FieldTags>& tags,
                            std::size_t recordTagBytes) {
    std::size_t perRecord = 2 * recordTagBytes + 60;  // record element, its id, its item
    const std::span<const records::FieldDef> fields = records.kind().fields;
    for (std::size_t f = 0; f < tags.size(); ++f) {
        perRecord += tags[f].head.size() + tags[f].tail.size() + 1;
        if (fields[f].kind == records::FieldKind::Integer)
            perRecord += 11;
        else if (fields[f].kind == records::FieldKind::Real)
            perRecord += 22;
    }
    // Texts grow a little when escaped.
    return records.size() * perRecord + records.textBytes() + records.textBytes() / 16;
}

void writeRecords(XmlWriter& w, const records::RecordArray& records, QName recordType,
                  const std::vector<FieldTags>& tags) {
    std::string& out = w.buffer();
    const std::size_t count = records.size();

    w.start("return");
    w.attribute("xsi:type", "SOAP-ENC:Array");
    out += " SOAP-ENC:arrayType=\"";
    appendXmlAttribute(out, recordType.prefix);
    out += ':';
    appendXmlAttribute(out, recordType.local);
    out += '[';
    appendInt(out, static_cast<long long>(count));
    out += "]\"";
    for (std::size_t r = 0; r < count; ++r) {
        w.raw("<item href=\"#");
        appendInt(out, static_cast<long long>(r + 1));
        out += "\"/>";
    }
    w.end("return");

    // Identifiers run 1, 2, 3 ... in item order: every record is written once.
    const std::string element = joined(recordType);
    std::string typeAttr = "\" xsi:type=\"";
    appendXmlAttribute(typeAttr, element);
    typeAttr += "\">";
    const std::string endRecord = "</" + element + '>';
    const std::span<const records::FieldDef> fields = records.kind().fields;
    char number[24];
    for (std::size_t r = 0; r < count; ++r) {
        out += '<';
        out += element;
        out += " id=\"";
        appendInt(out, static_cast<long long>(r + 1));
        out += typeAttr;
        const FieldTags* unclosed = nullptr;  // the field before, when its element awaits its end tag
        for (std::size_t f = 0; f < fields.size(); ++f) {
            std::string_view text;
            const bool empty = fields[f].kind == records::FieldKind::Text && (text = records.text(r, f)).empty();
            if (unclosed)
                out += empty ? unclosed->tailThenEmpty : unclosed->tailThenOpen;
            else
                out += empty ? tags[f].empty : tags[f].open;
            if (empty) {
                unclosed = nullptr;
                continue;
            }
            switch (fields[f].kind) {
            case records::FieldKind::Text: appendXmlText(out, text); break;
            case records::FieldKind::Integer:
                out.append(number, std::to_chars(number, number + sizeof number, records.integer(r, f)).ptr);
                break;
            case records::FieldKind::Real: appendWireReal(out, records.real(r, f)); break;
            }
            unclosed = &tags[f];
        }
        if (unclosed) out += unclosed->tail;
        out += endRecord;
    }
}

std::string responseElement(PrefixScope& scope, std::string_view interfaceNs, std::string_view operation) {
    std::string name(scope.prefixFor(interfaceNs));
    name += ':';
    name += operation;
    name += "Response";
    return name;
}

// Envelope, Body and the response element's start tag with its declarations.
void startResponse(XmlWriter& w, const PrefixScope& scope, std::string_view responseName) {
    startEnvelope(w);
    w.start(kBody).attribute("SOAP-ENV:encodingStyle", kSoapEncodingNs);
    w.start(responseName);
    scope.declareGenerated(w);
}

[[noreturn]] void unsupported(std::string_view what) {
    throw velmora::Exception("Datatype of TypeKind: " + std::string(what) +
                             " not supported as argument for remote invocation");
}

}  // namespace

std::string writeResponse(std::string_view interfaceNs, std::string_view operation, ResultKind kind,
                          const CallResult& result, RemTypeRegistry& types) {
    if (kind == ResultKind::RecordArray) {
        const auto* records = std::get_if<records::RecordArray>(&result);
        if (!records) unsupported("tkDynArray");
        return writeRecordArrayResponse(interfaceNs, operation, *records, types);
    }
    const bool matches = kind == ResultKind::None ||
                         (kind == ResultKind::Double && std::holds_alternative<double>(result)) ||
                         (kind == ResultKind::String && std::holds_alternative<std::string>(result)) ||
                         (kind == ResultKind::StringArray && std::holds_alternative<TextList>(result));
    if (!matches)
        unsupported(kind == ResultKind::Double ? "tkFloat" : (kind == ResultKind::String ? "tkLString" : "tkDynArray"));

    PrefixScope scope;
    const std::string responseName = responseElement(scope, interfaceNs, operation);
    std::string scalarType;
    std::size_t estimate = 512 + responseName.size() * 2;
    if (kind != ResultKind::None) {
        const TypeEntry& t = types.scalar(kind == ResultKind::Double ? ScalarType::Double : ScalarType::String);
        scalarType = joined({scope.prefixFor(t.ns), t.xmlName});
    }
    if (const auto* s = std::get_if<std::string>(&result)) estimate += s->size() + s->size() / 8;
    if (const auto* list = std::get_if<TextList>(&result))
        for (const std::string& s : *list) estimate += s.size() + s.size() / 8 + 16;

    std::string out;
    out.reserve(estimate);
    XmlWriter w(out);
    startResponse(w, scope, responseName);
    switch (kind) {
    case ResultKind::None:
    case ResultKind::RecordArray: break;
    case ResultKind::Double:
        w.start("return").attribute("xsi:type", scalarType).raw({});
        appendWireReal(out, std::get<double>(result));
        w.end("return");
        break;
    case ResultKind::String:
        w.start("return").attribute("xsi:type", scalarType);
        if (const std::string& text = std::get<std::string>(result); !text.empty()) w.text(text);
        w.end("return");
        break;
    case ResultKind::StringArray: {
        // Scalars are written in place: items carry no reference and no type.
        const TextList& list = std::get<TextList>(result);
        w.start("return").attribute("xsi:type", "SOAP-ENC:Array");
        out += " SOAP-ENC:arrayType=\"";
        appendXmlAttribute(out, scalarType);
        out += '[';
        appendInt(out, static_cast<long long>(list.size()));
        out += "]\"";
        for (const std::string& item : list) w.element("item", item);
        w.end("return");
        break;
    }
    }
    w.end(responseName).end(kBody).end(kEnvelope);
    return out;
}

std::string writeRecordArrayResponse(std::string_view interfaceNs, std::string_view operation,
                                     const records::RecordArray& records, RemTypeRegistry& types) {
    // Every name is settled before the response element's start tag is
    // written, so the record namespace can be declared on it.
    PrefixScope scope;
    const std::string responseName = responseElement(scope, interfaceNs, operation);
    types.recordArray(records.kind());
    const TypeEntry& cls = types.recordClass(records.kind());
    const QName recordType{scope.prefixFor(cls.ns), cls.xmlName};
    const std::vector<FieldTags> tags = fieldTags(records.kind(), types, scope);

    std::string out;
    out.reserve(512 + responseName.size() * 2 +
                estimateRecords(records, tags, recordType.prefix.size() + recordType.local.size()));
    XmlWriter w(out);
    startResponse(w, scope, responseName);
    writeRecords(w, records, recordType, tags);
    w.end(responseName).end(kBody).end(kEnvelope);
    return out;
}

FaultInfo faultOf(const std::exception& error) {
    FaultInfo info;
    info.message = error.what();
    if (const auto* remotable = dynamic_cast<const velmora::ERemotableException*>(&error)) {
        info.faultCode = remotable->faultCode();
        info.faultActor = remotable->faultActor();
        info.detailType = remotable->typeName();
    }
    return info;
}

std::string writeFault(const FaultInfo& fault) {
    std::string out;
    out.reserve(512 + fault.message.size() + fault.message.size() / 8);
    XmlWriter w(out);
    startEnvelope(w);
    w.start(kBody).start("SOAP-ENV:Fault");
    w.element("faultactor", fault.faultActor);
    w.start("faultcode").raw("SOAP-ENV:").text(fault.faultCode.empty() ? "Server" : fault.faultCode).end("faultcode");
    w.element("faultstring", fault.message);
    if (!fault.detailType.empty()) {
        // The type's own prefix is the first generated one of this document.
        const std::string type = "NS1:" + fault.detailType;
        w.start("detail").start(type);
        w.attribute("xmlns:NS1", kInvokeRegistryNs);
        w.attribute("xsi:type", type);
        w.end(type).end("detail");
    }
    w.end("SOAP-ENV:Fault").end(kBody).end(kEnvelope);
    return out;
}

}  // namespace soap
