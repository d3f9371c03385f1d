// The XML names of the types an operation's parameters and result carry, as
// the type registry gives them (record and array types enter it on lookup).
#pragma once

#include "soap/registries.h"

#include <optional>
#include <string>
#include <string_view>

namespace publish {

struct XmlTypeName {
    std::string ns;
    std::string name;
};

// The namespace and name of the array of strings that IWSDLPublish returns.
inline constexpr std::string_view kTypesNamespace = "http://velmora.dev/types";
inline constexpr std::string_view kStringArrayName = "StringArray";

// The string array's name, entered in the registry on first use.
XmlTypeName stringArrayType(soap::RemTypeRegistry& types);

// Every parameter is a text; "????" stands for a type without a name.
XmlTypeName parameterType(const soap::Operation& op, soap::RemTypeRegistry& types);

// Nothing for an operation without result.
std::optional<XmlTypeName> resultType(const soap::Operation& op, soap::RemTypeRegistry& types);

}  // namespace publish
