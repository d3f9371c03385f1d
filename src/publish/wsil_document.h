// The WS-Inspection document (/inspection.wsil): one service per published
// port type, each pointing at its WSDL.
#pragma once

#include "soap/registries.h"

#include <span>
#include <string>
#include <string_view>

namespace publish {

std::string inspectionDocument(std::span<const soap::InterfaceEntry* const> portTypes, std::string_view baseAddress);

}  // namespace publish
