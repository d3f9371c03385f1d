// The WSDL, XML Schema and WS-Inspection documents, with what they share:
// namespaces, complex types and their prefixes, the indented layout.
#include "publish/wsdl.h"

#include "common/exception.h"
#include "records/record_kind.h"
#include "soap/wire_format.h"
#include "soap/xml_writer.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

namespace publish {

namespace {

// The streaming writer with the documents laid out for people to read: one
// element per line, indented two blanks per depth. Escaping and the markup
// itself are the streaming writer's.
class IndentedXml {
public:
    explicit IndentedXml(std::string& out) : w_(out) {}

    IndentedXml& declaration() {
        w_.declaration("utf-8");
        started_ = true;
        return *this;
    }

    // Starts a child of the innermost open element, on a line of its own.
    IndentedXml& open(std::string_view qname) {
        if (!open_.empty()) open_.back().hasChildren = true;
        if (started_) newline(open_.size());
        started_ = true;
        w_.start(qname);
        open_.push_back({std::string(qname), false});
        return *this;
    }

    // Only between open() and the element's first content.
    IndentedXml& attribute(std::string_view qname, std::string_view value) {
        w_.attribute(qname, value);
        return *this;
    }

    // Text content stays on the element's line.
    IndentedXml& text(std::string_view utf8) {
        w_.text(utf8);
        return *this;
    }

    // Closes the innermost element: "/>" when it is empty, its end tag on a
    // line of its own when it has child elements.
    IndentedXml& close() {
        const Open element = std::move(open_.back());
        open_.pop_back();
        if (element.hasChildren) newline(open_.size());
        w_.end(element.name);
        return *this;
    }

    // An element with attributes only.
    using Attributes = std::initializer_list<std::pair<std::string_view, std::string_view>>;
    IndentedXml& empty(std::string_view qname, Attributes attributes) {
        open(qname);
        for (const auto& [name, value] : attributes) w_.attribute(name, value);
        return close();
    }

private:
    void newline(std::size_t depth) {
        std::string line = "\n";
        line.append(2 * depth, ' ');
        w_.text(line);
    }

    struct Open {
        std::string name;
        bool hasChildren;
    };

    soap::XmlWriter w_;
    std::vector<Open> open_;
    bool started_ = false;  // something written: every further element starts a line
};

XmlTypeName nameOf(const soap::TypeEntry& entry) { return {entry.ns, entry.xmlName}; }

// The array of texts that IWSDLPublish's lists are.
constexpr std::string_view kStringArrayName = "StringArray";
constexpr std::string_view kStringArrayNamespace = "http://velmora.dev/types";

constexpr std::string_view kWsdlNs = "http://schemas.xmlsoap.org/wsdl/";

// --- The complex types an interface's messages carry (record arrays and
// their records, string arrays), grouped by namespace in the order the
// operations name them, each namespace with its prefix ns1, ns2...

struct ComplexType {
    std::string name;
    bool array = false;
    XmlTypeName element;                          // arrays: the item type
    const records::RecordKind* record = nullptr;  // records: the fields
};

struct TypeNamespace {
    std::string ns;
    std::string prefix;
    std::vector<ComplexType> types;
};

class SchemaTypes {
public:
    explicit SchemaTypes(const soap::RemTypeRegistry& types)
        : types_(types), xsdNs_(types.scalar(soap::ScalarType::String).ns) {}

    // Operation by operation; an array is followed by its record type. A type
    // is collected once. Parameters are texts, which are scalars: only
    // results add types.
    void collect(const soap::InterfaceEntry& interface) {
        for (const soap::Operation& op : interface.operations) {
            if (op.result == soap::ResultKind::RecordArray) {
                const XmlTypeName array = *resultType(op, types_);
                const XmlTypeName record = nameOf(types_.recordClass(*op.recordKind));
                add(array, {array.name, true, record, op.recordKind});
                add(record, {record.name, false, {}, op.recordKind});
            } else if (op.result == soap::ResultKind::StringArray) {
                const XmlTypeName array = *resultType(op, types_);
                add(array, {array.name, true, nameOf(types_.scalar(soap::ScalarType::String)), nullptr});
            }
        }
    }

    const std::vector<TypeNamespace>& namespaces() const noexcept { return namespaces_; }

    // The collected namespace `ns`, or null.
    const TypeNamespace* find(std::string_view ns) const {
        const auto found = std::ranges::find(namespaces_, ns, &TypeNamespace::ns);
        return found == namespaces_.end() ? nullptr : &*found;
    }

    // "xs:" + name for XML Schema types, the namespace's prefix otherwise.
    std::string qualified(const XmlTypeName& type) const {
        if (type.ns == xsdNs_) return "xs:" + type.name;
        const TypeNamespace* ns = find(type.ns);
        if (!ns) throw velmora::Exception("Type " + type.name + " of namespace " + type.ns + " has no prefix");
        return ns->prefix + ':' + type.name;
    }

    // The xs:complexType elements of one collected namespace.
    void writeDefinitions(IndentedXml& xml, const TypeNamespace& ns) const {
        // The scalar names in the order of ScalarType, looked up once rather
        // than per field.
        const std::string scalars[] = {qualified(nameOf(types_.scalar(soap::ScalarType::String))),
                                       qualified(nameOf(types_.scalar(soap::ScalarType::Int))),
                                       qualified(nameOf(types_.scalar(soap::ScalarType::Double)))};

        for (const ComplexType& type : ns.types) {
            xml.open("xs:complexType").attribute("name", type.name);
            if (type.array) {
                xml.open("xs:complexContent");
                xml.open("xs:restriction").attribute("base", "soapenc:Array");
                xml.empty("xs:sequence", {});
                xml.empty("xs:attribute", {{"ref", "soapenc:arrayType"},
                                           {"n1:arrayType", qualified(type.element) + "[]"},
                                           {"xmlns:n1", kWsdlNs}});
                xml.close().close();
            } else {
                xml.open("xs:sequence");
                for (const records::FieldDef& field : type.record->fields) {
                    const std::string& typeName = scalars[static_cast<std::size_t>(soap::scalarTypeOf(field.kind()))];
                    xml.empty("xs:element", {{"name", field.name}, {"type", typeName}});
                }
                xml.close();
            }
            xml.close();
        }
    }

private:
    void add(const XmlTypeName& name, ComplexType type) {
        auto target = std::ranges::find(namespaces_, name.ns, &TypeNamespace::ns);
        if (target == namespaces_.end())
            target = namespaces_.insert(target, {name.ns, "ns" + std::to_string(namespaces_.size() + 1), {}});
        if (std::ranges::find(target->types, type.name, &ComplexType::name) == target->types.end())
            target->types.push_back(std::move(type));
    }

    const soap::RemTypeRegistry& types_;
    std::string xsdNs_;
    std::vector<TypeNamespace> namespaces_;
};

// --- The WSDL document's parts

// The WSDL documents' target namespace: a placeholder no SOAP message uses.
constexpr std::string_view kTargetNamespace = "http://velmora.dev/wsdl/";

std::string messageName(const soap::Operation& op, std::size_t index, std::string_view direction) {
    return op.name + std::to_string(index) + std::string(direction);
}

void writeTypes(IndentedXml& xml, const SchemaTypes& schema) {
    xml.open("types");
    for (const TypeNamespace& ns : schema.namespaces()) {
        xml.open("xs:schema").attribute("targetNamespace", ns.ns).attribute("xmlns", ns.ns);
        schema.writeDefinitions(xml, ns);
        xml.close();
    }
    xml.close();
}

void writeMessages(IndentedXml& xml, const soap::InterfaceEntry& interface, const SchemaTypes& schema,
                   const soap::RemTypeRegistry& types) {
    for (std::size_t i = 0; i < interface.operations.size(); ++i) {
        const soap::Operation& op = interface.operations[i];
        const std::string partType = schema.qualified(parameterType(types));
        xml.open("message").attribute("name", messageName(op, i, "Request"));
        for (const std::string& parameter : op.paramNames) xml.empty("part", {{"name", parameter}, {"type", partType}});
        xml.close();
        xml.open("message").attribute("name", messageName(op, i, "Response"));
        if (const auto result = resultType(op, types))
            xml.empty("part", {{"name", "return"}, {"type", schema.qualified(*result)}});
        xml.close();
    }
}

void writePortType(IndentedXml& xml, const soap::InterfaceEntry& interface) {
    xml.open("portType").attribute("name", interface.name);
    for (std::size_t i = 0; i < interface.operations.size(); ++i) {
        const soap::Operation& op = interface.operations[i];
        xml.open("operation").attribute("name", op.name);
        xml.empty("input", {{"message", "tns:" + messageName(op, i, "Request")}});
        xml.empty("output", {{"message", "tns:" + messageName(op, i, "Response")}});
        xml.close();
    }
    xml.close();
}

void writeBinding(IndentedXml& xml, const soap::InterfaceEntry& interface) {
    const std::string ns = soap::InvRegistry::namespaceOf(interface);
    xml.open("binding").attribute("name", interface.name + "binding").attribute("type", "tns:" + interface.name);
    xml.empty("soap:binding", {{"style", "rpc"}, {"transport", "http://schemas.xmlsoap.org/soap/http"}});
    for (const soap::Operation& op : interface.operations) {
        xml.open("operation").attribute("name", op.name);
        xml.empty("soap:operation",
                  {{"soapAction", soap::InvRegistry::soapActionOf(interface, op.name)}, {"style", "rpc"}});
        for (const char* direction : {"input", "output"}) {
            xml.open(direction);
            xml.empty("soap:body", {{"use", "encoded"}, {"encodingStyle", soap::kSoapEncodingNs}, {"namespace", ns}});
            xml.close();
        }
        xml.close();
    }
    xml.close();
}

void writeService(IndentedXml& xml, const soap::InterfaceEntry& interface, std::span<const Port> ports) {
    const std::string binding = "tns:" + interface.name + "binding";
    xml.open("service").attribute("name", interface.name + "service");
    for (const Port& port : ports) {
        xml.open("port").attribute("name", port.name).attribute("binding", binding);
        xml.empty("soap:address", {{"location", port.address}});
        xml.close();
    }
    xml.close();
}

}  // namespace

void addStringArrayType(soap::RemTypeRegistry& types) {
    if (!types.find(kStringArrayName, kStringArrayNamespace))
        types.add({std::string(kStringArrayName),
                   std::string(kStringArrayName),
                   std::string(kStringArrayNamespace),
                   {},
                   "(tkDynArray)"});
}

XmlTypeName stringArrayType(const soap::RemTypeRegistry& types) {
    const soap::TypeEntry* entry = types.find(kStringArrayName, kStringArrayNamespace);
    if (!entry) throw velmora::Exception("Remotable Type " + std::string(kStringArrayName) + " not registered");
    return nameOf(*entry);
}

XmlTypeName parameterType(const soap::RemTypeRegistry& types) {
    return nameOf(types.scalar(soap::ScalarType::String));  // every parameter is a string
}

std::optional<XmlTypeName> resultType(const soap::Operation& op, const soap::RemTypeRegistry& types) {
    switch (op.result) {
    case soap::ResultKind::None: return std::nullopt;
    case soap::ResultKind::Double: return nameOf(types.scalar(soap::ScalarType::Double));
    case soap::ResultKind::String: return nameOf(types.scalar(soap::ScalarType::String));
    case soap::ResultKind::StringArray: return stringArrayType(types);
    case soap::ResultKind::RecordArray:
        if (!op.recordKind) throw velmora::Exception("Operation " + op.name + " returns records of no kind");
        return nameOf(types.recordArray(*op.recordKind));
    }
    return std::nullopt;
}

std::string wsdlDocument(const soap::InterfaceEntry& interface, std::span<const Port> ports,
                         const soap::RemTypeRegistry& types) {
    // Every type namespace needs its prefix on the root element, so the
    // types are collected before a byte is written.
    SchemaTypes schema(types);
    schema.collect(interface);

    std::string out;
    IndentedXml xml(out);
    xml.declaration();
    xml.open("definitions")
        .attribute("xmlns", kWsdlNs)
        .attribute("xmlns:xs", soap::kXmlSchemaNs)
        .attribute("name", interface.name + "service")
        .attribute("targetNamespace", kTargetNamespace)
        .attribute("xmlns:tns", kTargetNamespace)
        .attribute("xmlns:soap", "http://schemas.xmlsoap.org/wsdl/soap/")
        .attribute("xmlns:soapenc", soap::kSoapEncodingNs)
        .attribute("xmlns:mime", "http://schemas.xmlsoap.org/wsdl/mime/");
    for (const TypeNamespace& ns : schema.namespaces()) xml.attribute("xmlns:" + ns.prefix, ns.ns);

    writeTypes(xml, schema);
    writeMessages(xml, interface, schema, types);
    writePortType(xml, interface);
    writeBinding(xml, interface);
    if (!ports.empty()) writeService(xml, interface, ports);
    xml.close();
    return out;
}

std::string xsdDocument(const soap::InvRegistry& registry, const soap::RemTypeRegistry& types, std::string_view ns) {
    SchemaTypes schema(types);
    for (const soap::InterfaceEntry* interface : registry.interfaces()) schema.collect(*interface);
    const TypeNamespace* wanted = schema.find(ns);

    std::string out;
    IndentedXml xml(out);
    xml.declaration();
    xml.open("xs:schema").attribute("xmlns:xs", soap::kXmlSchemaNs);
    if (!ns.empty()) xml.attribute("targetNamespace", ns).attribute("xmlns", ns);
    if (wanted) {
        xml.attribute("xmlns:soapenc", soap::kSoapEncodingNs).attribute("xmlns:" + wanted->prefix, ns);
        bool arrays = false;
        for (const ComplexType& type : wanted->types) arrays = arrays || type.array;
        // Arrays restrict the SOAP encoding's Array type, which lives there.
        if (arrays) xml.empty("xs:import", {{"namespace", soap::kSoapEncodingNs}});
        schema.writeDefinitions(xml, *wanted);
    }
    xml.close();
    return out;
}

std::string inspectionDocument(std::span<const soap::InterfaceEntry* const> portTypes, std::string_view baseAddress) {
    std::string out;
    IndentedXml xml(out);
    xml.declaration();
    xml.open("inspection").attribute("xmlns", "http://schemas.xmlsoap.org/ws/2001/10/inspection/");
    for (const soap::InterfaceEntry* portType : portTypes) {
        xml.open("service");
        xml.open("abstract").text(portType->documentation).close();
        xml.open("name").text(portType->name).close();
        xml.empty("description", {{"referencedNamespace", kWsdlNs},
                                  {"location", std::string(baseAddress) + "/wsdl/" + portType->name}});
        xml.close();
    }
    xml.close();
    return out;
}

}  // namespace publish
