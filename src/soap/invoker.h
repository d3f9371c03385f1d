// HTTPSoapPascalInvoker1's work: choose the interface of a call, decode the
// envelope, call the operation on a new serving object and write the answer.
#pragma once

#include "soap/registries.h"

#include <string>
#include <string_view>

namespace soap {

// By SOAP action when one is given (not empty, not just two double quotes),
// else by the path's last segment. Throws velmora::Exception when nothing
// matches or the interface has no implementation class.
const InterfaceEntry& chooseInterface(const InvRegistry& registry, std::string_view soapAction,
                                      std::string_view pathInfo);

// The response envelope, or a fault envelope for any failure after the
// interface is chosen. Throws only what chooseInterface throws (and what
// cannot be written even as a fault).
std::string invokeSoap(const InvRegistry& registry, RemTypeRegistry& types, std::string_view soapAction,
                       std::string_view pathInfo, std::string_view body);

}  // namespace soap
