// An XML Schema document for one type namespace: the definitions of the
// complex types of that namespace that the registered interfaces carry.
#pragma once

#include "soap/registries.h"

#include <string>
#include <string_view>

namespace publish {

// A schema without definitions when no interface carries a complex type of
// that namespace.
std::string xsdDocument(const soap::InvRegistry& registry, soap::RemTypeRegistry& types, std::string_view ns);

}  // namespace publish
