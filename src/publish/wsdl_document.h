// The WSDL 1.1 document of one port type: its types, messages, port type,
// RPC/encoded binding and service, indented for reading.
#pragma once

#include "publish/port_table.h"
#include "soap/registries.h"

#include <span>
#include <string>
#include <string_view>

namespace publish {

// `ports` become the service's ports; with none, the document has no service
// element. Record and array types are entered in `types` as they are named.
std::string wsdlDocument(const soap::InterfaceEntry& interface, std::span<const Port> ports,
                         std::string_view targetNamespace, soap::RemTypeRegistry& types);

}  // namespace publish
