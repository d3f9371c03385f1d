#include "publish/wsdl_publish_impl.h"

#include "publish/wsdl.h"

namespace publish {

std::vector<std::string> TWSDLPublish::GetPortTypeList() {
    std::vector<std::string> names;
    for (const soap::InterfaceEntry* interface : registry_.interfaces()) names.push_back(interface->name);
    return names;
}

std::string TWSDLPublish::GetWSDLForPortType(const std::string& PortType) {
    const soap::InterfaceEntry* interface = registry_.findByName(PortType);
    if (!interface) return {};
    return wsdlDocument(*interface, {}, kTargetNamespace, types_);
}

std::vector<std::string> TWSDLPublish::GetTypeSystemsList() { return types_.namespaces(); }

std::string TWSDLPublish::GetXSDForTypeSystem(const std::string& TypeSystem) {
    return xsdDocument(registry_, types_, TypeSystem);
}

}  // namespace publish
