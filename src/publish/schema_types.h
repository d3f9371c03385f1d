// The complex types an interface's messages carry (record arrays and their
// records, string arrays), grouped by namespace in the order the operations
// name them, with the prefixes ns1, ns2... and their XML Schema definitions.
#pragma once

#include "publish/indented_xml.h"
#include "publish/type_names.h"
#include "records/record_kind.h"
#include "soap/registries.h"

#include <string>
#include <vector>

namespace publish {

struct ComplexType {
    std::string name;
    bool array = false;
    XmlTypeName element;                          // arrays: the item type
    const records::RecordKind* record = nullptr;  // records: the fields
};

struct TypeNamespace {
    std::string ns;
    std::string prefix;  // "ns1", "ns2"...
    std::vector<ComplexType> types;
};

class SchemaTypes {
public:
    explicit SchemaTypes(soap::RemTypeRegistry& types);

    // Operation by operation, parameters then result; an array is followed by
    // its record type. Scalars are not collected; a type is collected once.
    void collect(const soap::InterfaceEntry& interface);

    const std::vector<TypeNamespace>& namespaces() const noexcept { return namespaces_; }

    // "xs:" + name for XML Schema types, the namespace's prefix otherwise, the
    // bare name for a type without namespace. Throws for a namespace that was
    // not collected.
    std::string qualified(const XmlTypeName& type) const;

    // The xs:complexType elements of one collected namespace.
    void writeDefinitions(IndentedXml& xml, const TypeNamespace& ns) const;

private:
    void add(const XmlTypeName& name, ComplexType type);

    soap::RemTypeRegistry& types_;
    std::string xsdNs_;
    std::vector<TypeNamespace> namespaces_;
};

}  // namespace publish
