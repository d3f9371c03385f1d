// TWSDLPublish: IWSDLPublish answered from the registries. A SOAP call has no
// request to build addresses from, so its WSDL names no service ports.
#pragma once

#include "publish/wsdl_publish_intf.h"
#include "soap/registries.h"

namespace publish {

class TWSDLPublish final : public soap::TInvokableClass, public IWSDLPublish {
public:
    TWSDLPublish(const soap::InvRegistry& registry, soap::RemTypeRegistry& types)
        : registry_(registry), types_(types) {}

    std::vector<std::string> GetPortTypeList() override;
    std::string GetWSDLForPortType(const std::string& PortType) override;
    std::vector<std::string> GetTypeSystemsList() override;
    std::string GetXSDForTypeSystem(const std::string& TypeSystem) override;

private:
    const soap::InvRegistry& registry_;
    soap::RemTypeRegistry& types_;
};

}  // namespace publish
