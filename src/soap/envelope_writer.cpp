// Every byte of a SOAP answer is written here: escaping, the streaming XML
// writer, the response and fault envelopes, and the dispatcher's fixed fault.
#include "soap/envelope_writer.h"

#include "common/exception.h"
#include "common/win1252.h"
#include "soap/wire_format.h"

#include <array>
#include <charconv>
#include <deque>
#include <vector>

namespace soap {

// --- Escaping

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Minimal: character data where only & and < are escaped and everything else
// stays as it is (the dispatcher's fixed fault); ">" is escaped only where it
// would close "]]>", which character data may not contain.
enum class Escape { Text, Attribute, Minimal };

// true: the ASCII byte is copied as it stands.
constexpr std::array<bool, 256> plainBytes(Escape mode) {
    std::array<bool, 256> t{};
    for (std::size_t c = 0x20; c <= 0x7F; ++c) t[c] = true;
    t['&'] = false;
    t['<'] = false;
    if (mode == Escape::Text) {
        t['>'] = false;
        t['\t'] = t['\n'] = true;
    } else if (mode == Escape::Attribute) {
        t['"'] = false;
    } else {
        t['>'] = false;  // checked for "]]>"
        t['\t'] = t['\n'] = t['\r'] = true;
    }
    return t;
}

constexpr auto kPlainText = plainBytes(Escape::Text);
constexpr auto kPlainAttribute = plainBytes(Escape::Attribute);
constexpr auto kPlainMinimal = plainBytes(Escape::Minimal);

// Runs of plain bytes and of valid multi-byte characters are copied in one
// go; only what needs a reference or a replacement is written on its own.
template <Escape mode>
void appendEscaped(std::string& out, std::string_view s) {
    constexpr const std::array<bool, 256>& plain =
        mode == Escape::Text ? kPlainText : (mode == Escape::Attribute ? kPlainAttribute : kPlainMinimal);
    std::size_t run = 0;  // the first byte not copied yet
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (plain[c]) {
            ++i;
            continue;
        }
        if (c >= 0x80) {
            if (const std::size_t n = xmlCharLength(s, i)) {
                i += n;
                continue;
            }
        }
        out.append(s.data() + run, i - run);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>':
            if (mode == Escape::Minimal && !(i >= 2 && s[i - 1] == ']' && s[i - 2] == ']'))
                out += '>';
            else
                out += "&gt;";
            break;
        case '"': out += "&quot;"; break;
        case '\t': out += "&#9;"; break;
        case '\n': out += "&#10;"; break;
        case '\r': out += "&#13;"; break;
        default: out += kReplacement; break;  // a control character or a byte that starts no XML character
        }
        run = ++i;
    }
    out.append(s.data() + run, i - run);
}

}  // namespace

void appendXmlText(std::string& out, std::string_view utf8) { appendEscaped<Escape::Text>(out, utf8); }
void appendXmlAttribute(std::string& out, std::string_view utf8) { appendEscaped<Escape::Attribute>(out, utf8); }

namespace {

// What each WIN1252 byte becomes as escaped UTF-8 element content, worked
// out once through the two steps it stands for (to UTF-8, then escaped), so
// that a database text is written in one pass with the same bytes.
struct Win1252Escapes {
    std::array<bool, 256> plain{};             // the byte stands as it is
    std::array<std::string, 256> replacement;  // what it becomes otherwise
    Win1252Escapes() {
        for (std::size_t b = 0; b < 256; ++b) {
            const char byte = static_cast<char>(b);
            appendXmlText(replacement[b], velmora::win1252ToUtf8({&byte, 1}));
            plain[b] = replacement[b].size() == 1 && replacement[b][0] == byte;
        }
    }
};

}  // namespace

void appendWin1252XmlText(std::string& out, std::string_view win1252) {
    static const Win1252Escapes escapes;
    std::size_t run = 0;
    for (std::size_t i = 0; i < win1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(win1252[i]);
        if (escapes.plain[byte]) continue;
        out.append(win1252.data() + run, i - run);
        out += escapes.replacement[byte];
        run = i + 1;
    }
    out.append(win1252.data() + run, win1252.size() - run);
}

// --- The streaming XML writer

XmlWriter& XmlWriter::declaration() {
    out_ += "<?xml version=\"1.0\"?>";
    return *this;
}

XmlWriter& XmlWriter::start(std::string_view qname) {
    closeStartTag();
    out_ += '<';
    out_ += qname;
    tagOpen_ = true;
    return *this;
}

XmlWriter& XmlWriter::attribute(std::string_view qname, std::string_view value) {
    return writeAttribute({}, qname, value);
}

XmlWriter& XmlWriter::namespaceDeclaration(std::string_view prefix, std::string_view ns) {
    return writeAttribute("xmlns:", prefix, ns);
}

XmlWriter& XmlWriter::writeAttribute(std::string_view namePrefix, std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += namePrefix;
    out_ += name;
    out_ += "=\"";
    appendXmlAttribute(out_, value);
    out_ += '"';
    return *this;
}

XmlWriter& XmlWriter::text(std::string_view utf8) {
    closeStartTag();
    appendXmlText(out_, utf8);
    return *this;
}

XmlWriter& XmlWriter::raw(std::string_view markup) {
    closeStartTag();
    out_ += markup;
    return *this;
}

XmlWriter& XmlWriter::end(std::string_view qname) {
    if (tagOpen_) {
        out_ += "/>";
        tagOpen_ = false;
        return *this;
    }
    out_ += "</";
    out_ += qname;
    out_ += '>';
    return *this;
}

XmlWriter& XmlWriter::element(std::string_view qname, std::string_view utf8) {
    start(qname);
    if (!utf8.empty()) text(utf8);
    return end(qname);
}

void XmlWriter::closeStartTag() {
    if (tagOpen_) {
        out_ += '>';
        tagOpen_ = false;
    }
}

// --- Envelopes

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

// Namespace prefixes in scope of the response element: the fixed ones of the
// Envelope, then "NS" + counter for each further namespace, declared on the
// response element (the root that holds the record elements).
class PrefixScope {
public:
    // The prefix of ns, generating and recording a declaration when new.
    std::string_view prefixFor(std::string_view ns) {
        for (const Binding& b : kEnvelopeBindings)
            if (b.ns == ns) return b.prefix;
        for (const Generated& g : generated_)
            if (g.ns == ns) return g.prefix;
        generated_.push_back({std::string(ns), "NS" + std::to_string(generated_.size() + 1)});
        return generated_.back().prefix;
    }

    // Declarations generated so far, as attributes of the current start tag.
    void declareGenerated(XmlWriter& w) const {
        for (const Generated& g : generated_) w.namespaceDeclaration(g.prefix, g.ns);
    }

private:
    struct Generated {
        std::string ns;
        std::string prefix;
    };
    std::deque<Generated> generated_;  // prefixes handed out stay where they are
};

void startEnvelope(XmlWriter& w) {
    w.declaration().start(kEnvelope);
    for (const Binding& b : kEnvelopeBindings) w.namespaceDeclaration(b.prefix, b.ns);
}

template <class Integer>
void appendInt(std::string& out, Integer value) {
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

std::vector<FieldTags> fieldTags(const records::RecordKind& kind, RemTypeRegistry& types, PrefixScope& scope) {
    std::vector<FieldTags> tags;
    tags.reserve(kind.fields.size());
    for (const records::FieldDef& f : kind.fields) {
        const TypeEntry& t = types.scalar(scalarTypeOf(f.kind()));
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
    // An import's answer is written by RecordArrayWriter as its records arrive.
    if (kind == ResultKind::RecordArray) unsupported("tkDynArray");
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
        appendInt(out, list.size());
        out += "]\"";
        for (const std::string& item : list) w.element("item", item);
        w.end("return");
        break;
    }
    }
    w.end(responseName).end(kBody).end(kEnvelope);
    return out;
}

// --- An import's answer, written as its records arrive

RecordArrayWriter::RecordArrayWriter(std::string_view interfaceNs, std::string_view operation,
                                     const records::RecordKind& kind, RemTypeRegistry& types)
    : kind_(kind) {
    // Every name is settled before the response element's start tag is
    // written, so the record namespace can be declared on it.
    PrefixScope scope;
    responseName_ = responseElement(scope, interfaceNs, operation);
    types.recordArray(kind);
    const TypeEntry& cls = types.recordClass(kind);
    recordPrefix_ = scope.prefixFor(cls.ns);
    recordType_ = cls.xmlName;
    tags_ = fieldTags(kind, types, scope);

    // The start of the answer up to the "return" element's start tag, which
    // gets its count when the records are done.
    XmlWriter w(start_);
    startResponse(w, scope, responseName_);
    w.start("return");
    w.attribute("xsi:type", "SOAP-ENC:Array");
    start_ += " SOAP-ENC:arrayType=\"";
    appendXmlAttribute(start_, recordPrefix_);
    start_ += ':';
    appendXmlAttribute(start_, recordType_);
    start_ += '[';

    const std::string element = joined({recordPrefix_, recordType_});
    recordOpen_ = '<' + element + " id=\"";
    recordTypeAttribute_ = "\" xsi:type=\"";
    appendXmlAttribute(recordTypeAttribute_, element);
    recordTypeAttribute_ += "\">";
    recordClose_ = "</" + element + '>';
}

RecordArrayWriter::~RecordArrayWriter() = default;

void RecordArrayWriter::clear() {
    records_.clear();
    count_ = 0;
}

// Identifiers run 1, 2, 3 ... in item order: every record is written once.
void RecordArrayWriter::beginRecord() {
    std::string& out = records_.buffer();
    out += recordOpen_;
    appendInt(out, ++count_);
    out += recordTypeAttribute_;
    unclosed_ = nullptr;
}

// The markup before a field's value: the end tag of the field before it (when
// that one had content) joined with this field's start tag.
void RecordArrayWriter::openField(std::size_t field, bool empty) {
    const FieldTags& t = tags_[field];
    std::string& out = records_.buffer();
    if (unclosed_)
        out += empty ? unclosed_->tailThenEmpty : unclosed_->tailThenOpen;
    else
        out += empty ? t.empty : t.open;
    unclosed_ = empty ? nullptr : &t;
}

void RecordArrayWriter::text(std::size_t field, std::string_view win1252) {
    openField(field, win1252.empty());
    appendWin1252XmlText(records_.buffer(), win1252);
}

void RecordArrayWriter::real(std::size_t field, double value) {
    openField(field, false);
    appendWireReal(records_.buffer(), value);
}

void RecordArrayWriter::integer(std::size_t field, std::int32_t value) {
    openField(field, false);
    appendInt(records_.buffer(), value);
}

void RecordArrayWriter::endRecord() {
    std::string& out = records_.buffer();
    if (unclosed_) out += unclosed_->tail;
    out += recordClose_;
    records_.spillIfFull();
}

Body RecordArrayWriter::finish() {
    // The start, the count and the item list, which may be long enough to
    // be spooled itself.
    Spool head(std::move(start_));
    std::string& out = head.buffer();
    appendInt(out, count_);
    out += "]\"";
    if (count_ == 0) {
        out += "/>";
    } else {
        out += '>';
        for (std::size_t r = 1; r <= count_; ++r) {
            out += "<item href=\"#";
            appendInt(out, r);
            out += "\"/>";
            head.spillIfFull();
        }
        out += "</return>";
    }
    Body body;
    body.parts.push_back(std::move(head));
    body.parts.push_back(std::move(records_));
    body.parts.emplace_back("</" + responseName_ + "></" + std::string(kBody) + "></" + std::string(kEnvelope) + '>');
    return body;
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

// --- The dispatcher's fixed fault

namespace {

// Blanks and quotes as terminals have always received them.
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
    appendEscaped<Escape::Minimal>(out, message);
    out += kDispatcherFaultTail;
    return out;
}

}  // namespace soap
