#include "publish/schema_types.h"

#include "common/exception.h"
#include "publish/wsdl_namespaces.h"

namespace publish {

SchemaTypes::SchemaTypes(soap::RemTypeRegistry& types)
    : types_(types), xsdNs_(types.scalar(soap::ScalarType::String).ns) {}

void SchemaTypes::collect(const soap::InterfaceEntry& interface) {
    for (const soap::Operation& op : interface.operations) {
        // Parameters are texts, which are scalars: only results add types.
        switch (op.result) {
        case soap::ResultKind::RecordArray: {
            const XmlTypeName array = *resultType(op, types_);
            const soap::TypeEntry& record = types_.recordClass(*op.recordKind);
            const XmlTypeName element{record.ns, record.xmlName};
            add(array, {array.name, true, element, op.recordKind});
            add(element, {element.name, false, {}, op.recordKind});
            break;
        }
        case soap::ResultKind::StringArray: {
            const XmlTypeName array = *resultType(op, types_);
            const soap::TypeEntry& text = types_.scalar(soap::ScalarType::String);
            add(array, {array.name, true, {text.ns, text.xmlName}, nullptr});
            break;
        }
        case soap::ResultKind::None:
        case soap::ResultKind::Double:
        case soap::ResultKind::String: break;
        }
    }
}

void SchemaTypes::add(const XmlTypeName& name, ComplexType type) {
    TypeNamespace* target = nullptr;
    for (TypeNamespace& ns : namespaces_)
        if (ns.ns == name.ns) target = &ns;
    if (!target) {
        namespaces_.push_back({name.ns, "ns" + std::to_string(namespaces_.size() + 1), {}});
        target = &namespaces_.back();
    }
    for (const ComplexType& known : target->types)
        if (known.name == type.name) return;
    target->types.push_back(std::move(type));
}

std::string SchemaTypes::qualified(const XmlTypeName& type) const {
    std::string name;
    if (type.ns.empty()) {
        return type.name;
    } else if (type.ns == xsdNs_) {
        name = "xs";
    } else {
        for (const TypeNamespace& ns : namespaces_)
            if (ns.ns == type.ns) name = ns.prefix;
        if (name.empty()) throw velmora::Exception("Type " + type.name + " of namespace " + type.ns + " has no prefix");
    }
    name += ':';
    name += type.name;
    return name;
}

void SchemaTypes::writeDefinitions(IndentedXml& xml, const TypeNamespace& ns) const {
    // The three scalar names, looked up once rather than per field.
    const std::string text = qualified({xsdNs_, types_.scalar(soap::ScalarType::String).xmlName});
    const std::string integer = qualified({xsdNs_, types_.scalar(soap::ScalarType::Int).xmlName});
    const std::string real = qualified({xsdNs_, types_.scalar(soap::ScalarType::Double).xmlName});

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
                const std::string& typeName = field.kind == records::FieldKind::Text      ? text
                                              : field.kind == records::FieldKind::Integer ? integer
                                                                                          : real;
                xml.empty("xs:element", {{"name", field.name}, {"type", typeName}});
            }
            xml.close();
        }
        xml.close();
    }
}

}  // namespace publish
