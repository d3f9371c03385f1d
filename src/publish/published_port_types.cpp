#include "publish/published_port_types.h"

namespace publish {

std::vector<const soap::InterfaceEntry*> publishedPortTypes(const soap::InvRegistry& registry) {
    std::vector<const soap::InterfaceEntry*> published;
    const soap::InterfaceEntry* own = nullptr;
    for (const soap::InterfaceEntry* entry : registry.interfaces()) {
        if (!registry.hasImplementation(entry->name)) continue;
        if (entry->name == kWSDLPublishName)
            own = entry;
        else
            published.push_back(entry);
    }
    if (own) published.push_back(own);
    return published;
}

}  // namespace publish
