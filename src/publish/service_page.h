// The service page that every request outside /soap and /wsdl gets: the
// published port types, one of them in detail ("intf"), and on request the
// registered types ("types=1").
#pragma once

#include "publish/publisher_io.h"
#include "soap/registries.h"

#include <span>
#include <string>
#include <string_view>

namespace publish {

std::string servicePage(std::string_view title, std::string_view baseAddress,
                        std::span<const soap::InterfaceEntry* const> portTypes, const QueryText& query,
                        soap::RemTypeRegistry& types);

}  // namespace publish
