#include "publish/wsdl_document.h"

#include "publish/schema_types.h"
#include "publish/wsdl_namespaces.h"
#include "soap/wire_format.h"

namespace publish {

namespace {

std::string messageName(const soap::Operation& op, std::size_t index, std::string_view direction) {
    std::string name = op.name;
    name += std::to_string(index);
    name += direction;
    return name;
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
                   soap::RemTypeRegistry& types) {
    for (std::size_t i = 0; i < interface.operations.size(); ++i) {
        const soap::Operation& op = interface.operations[i];
        const std::string partType = schema.qualified(parameterType(op, types));
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
    xml.empty("soap:binding", {{"style", "rpc"}, {"transport", kSoapHttpTransport}});
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

std::string wsdlDocument(const soap::InterfaceEntry& interface, std::span<const Port> ports,
                         std::string_view targetNamespace, soap::RemTypeRegistry& types) {
    // Every type namespace needs its prefix on the root element, so the
    // types are collected before a byte is written.
    SchemaTypes schema(types);
    schema.collect(interface);

    std::string out;
    std::size_t fields = 0;
    for (const TypeNamespace& ns : schema.namespaces())
        for (const ComplexType& type : ns.types) fields += type.record && !type.array ? type.record->fields.size() : 0;
    out.reserve(4096 + 1536 * interface.operations.size() + 80 * fields);
    IndentedXml xml(out);
    xml.declaration();
    xml.open("definitions")
        .attribute("xmlns", kWsdlNs)
        .attribute("xmlns:xs", soap::kXmlSchemaNs)
        .attribute("name", interface.name + "service")
        .attribute("targetNamespace", targetNamespace)
        .attribute("xmlns:tns", targetNamespace)
        .attribute("xmlns:soap", kWsdlSoapNs)
        .attribute("xmlns:soapenc", soap::kSoapEncodingNs)
        .attribute("xmlns:mime", kWsdlMimeNs);
    for (const TypeNamespace& ns : schema.namespaces()) xml.attribute("xmlns:" + ns.prefix, ns.ns);

    writeTypes(xml, schema);
    writeMessages(xml, interface, schema, types);
    writePortType(xml, interface);
    writeBinding(xml, interface);
    if (!ports.empty()) writeService(xml, interface, ports);
    xml.close();
    return out;
}

}  // namespace publish
