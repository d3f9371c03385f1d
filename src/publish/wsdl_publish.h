// IWSDLPublish: the publisher's own port type, which lets SOAP clients read
// the service's description (port types, WSDL, type systems, schemas).
#pragma once

#include "soap/registries.h"

#include <string>
#include <string_view>
#include <vector>

namespace publish {

class IWSDLPublish {
public:
    virtual ~IWSDLPublish() = default;

    // Names of every registered interface, in registration order.
    virtual std::vector<std::string> GetPortTypeList() = 0;
    // The WSDL of the interface of that name (letter case ignored); empty when none.
    virtual std::string GetWSDLForPortType(const std::string& PortType) = 0;
    // The distinct namespaces of the type registry, in order of first appearance.
    virtual std::vector<std::string> GetTypeSystemsList() = 0;
    // An XML Schema document with the type definitions of that namespace.
    virtual std::string GetXSDForTypeSystem(const std::string& TypeSystem) = 0;
};

inline constexpr std::string_view kWSDLPublishName = "IWSDLPublish";
// The namespace of IWSDLPublish's messages.
inline constexpr std::string_view kWSDLPublishNamespace = "http://velmora.dev/wsdlpublish";

// Enters IWSDLPublish (explicit namespace and SOAP action) and its
// implementation TWSDLPublish, which serves from these registries. Called at
// start-up after the service's own interface; a second call changes nothing.
void registerWSDLPublish(soap::InvRegistry& registry = soap::InvRegistry::instance(),
                         soap::RemTypeRegistry& types = soap::RemTypeRegistry::instance());

}  // namespace publish
