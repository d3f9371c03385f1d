// The service description documents (WSDL 1.1, XML Schema, WS-Inspection)
// and the XML type names of the operations' parameters and results.
#pragma once

#include "soap/registries.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace publish {

// --- Type names, as the type registry gives them.

struct XmlTypeName {
    std::string ns;
    std::string name;
};

// The array of strings that IWSDLPublish returns: entered in the registry
// with the interface, looked up when named.
void addStringArrayType(soap::RemTypeRegistry& types);
XmlTypeName stringArrayType(const soap::RemTypeRegistry& types);

// Every parameter is a text.
XmlTypeName parameterType(const soap::RemTypeRegistry& types);

// Nothing for an operation without result.
std::optional<XmlTypeName> resultType(const soap::Operation& op, const soap::RemTypeRegistry& types);

// --- The documents, each indented one element per line.

// A port of the WSDL's service element.
struct Port {
    std::string name;
    std::string address;
};

// Types, messages, port type, RPC/encoded binding and, when there are
// `ports`, the service with them.
std::string wsdlDocument(const soap::InterfaceEntry& interface, std::span<const Port> ports,
                         const soap::RemTypeRegistry& types);

// The definitions of the complex types of namespace `ns` that the registered
// interfaces carry; a schema without definitions when none does.
std::string xsdDocument(const soap::InvRegistry& registry, const soap::RemTypeRegistry& types, std::string_view ns);

// One service per port type, each pointing at its WSDL below `baseAddress`.
std::string inspectionDocument(std::span<const soap::InterfaceEntry* const> portTypes, std::string_view baseAddress);

}  // namespace publish
