// The port type table of the service page: every published port type with
// its operations, or one port type in detail with its namespace and each
// operation's result and signature.
#pragma once

#include "soap/registries.h"

#include <span>
#include <string>
#include <string_view>

namespace publish {

// `selected` null: the full list. Names of record array types are looked up
// (and so registered) for the detail view.
void appendPortTypeTable(std::string& out, std::string_view title, std::string_view baseAddress,
                         std::span<const soap::InterfaceEntry* const> portTypes, const soap::InterfaceEntry* selected,
                         soap::RemTypeRegistry& types);

}  // namespace publish
