// The WSDL listing page (/wsdl): a table of the published port types with
// their namespaces, documentation and a link to each one's WSDL.
#pragma once

#include "soap/registries.h"

#include <span>
#include <string>
#include <string_view>

namespace publish {

// `wsdlAddress`: the base address and the path that reached the listing,
// without a trailing "/"; each link is it, "/" and the port type's name.
// Every line ends with CR LF.
std::string listingPage(std::string_view title, std::span<const soap::InterfaceEntry* const> portTypes,
                        std::string_view wsdlAddress);

}  // namespace publish
