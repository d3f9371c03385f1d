// The publisher's HTML pages: the WSDL listing, the service page, the
// Forbidden, not-found and failure pages. Every value they echo is escaped.
#pragma once

#include "soap/registries.h"

#include <exception>
#include <span>
#include <string>
#include <string_view>

namespace publish {

// The table of the port types with their namespaces, documentation and a
// link to each one's WSDL: `wsdlAddress` (the base address and the path that
// reached the listing, without a trailing "/"), "/" and the name. Every line
// ends with CR LF.
std::string listingPage(std::string_view title, std::span<const soap::InterfaceEntry* const> portTypes,
                        std::string_view wsdlAddress);

// Every port type with its operations, or only `selected` with its namespace
// and each operation's result and signature; then, `withTypes`, the table of
// the type registry. The detail looks the result types up, and so enters
// record arrays in the registry.
std::string servicePage(std::string_view title, std::string_view baseAddress,
                        std::span<const soap::InterfaceEntry* const> portTypes, const soap::InterfaceEntry* selected,
                        bool withTypes, const soap::RemTypeRegistry& types);

// The answer to the administration paths.
std::string forbiddenPage();
// Names the port type as the request spelled it.
std::string interfaceNotFoundPage(std::string_view portType);
// The failure's message and type name, or "Unknown Error" for a failure that
// is no std::exception.
std::string failurePage(std::exception_ptr failure);

}  // namespace publish
