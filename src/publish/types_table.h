// The registered types table of the service page: every entry of the type
// registry with its names, namespace, class or kind, and identifying number.
#pragma once

#include "soap/registries.h"

#include <string>

namespace publish {

// Appends nothing when the registry is empty.
void appendTypesTable(std::string& out, const soap::RemTypeRegistry& types);

}  // namespace publish
