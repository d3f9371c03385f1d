// The port types the publisher describes: registered interfaces that have an
// implementation class, in registration order, the publisher's own last.
#pragma once

#include "soap/registries.h"

#include <string_view>
#include <vector>

namespace publish {

inline constexpr std::string_view kWSDLPublishName = "IWSDLPublish";

std::vector<const soap::InterfaceEntry*> publishedPortTypes(const soap::InvRegistry& registry);

}  // namespace publish
