#include "publish/xsd_document.h"

#include "publish/schema_types.h"
#include "soap/wire_format.h"

namespace publish {

std::string xsdDocument(const soap::InvRegistry& registry, soap::RemTypeRegistry& types, std::string_view ns) {
    SchemaTypes schema(types);
    for (const soap::InterfaceEntry* interface : registry.interfaces()) schema.collect(*interface);
    const TypeNamespace* wanted = nullptr;
    for (const TypeNamespace& candidate : schema.namespaces())
        if (candidate.ns == ns) wanted = &candidate;

    std::string out;
    out.reserve(4096);
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

}  // namespace publish
