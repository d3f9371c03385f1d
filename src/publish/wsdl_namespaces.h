// The namespaces of the service description documents, and the fixed URIs
// of our own that name the description and the publisher's port type.
#pragma once

#include <string_view>

namespace publish {

inline constexpr std::string_view kWsdlNs = "http://schemas.xmlsoap.org/wsdl/";
inline constexpr std::string_view kWsdlSoapNs = "http://schemas.xmlsoap.org/wsdl/soap/";
inline constexpr std::string_view kWsdlMimeNs = "http://schemas.xmlsoap.org/wsdl/mime/";
inline constexpr std::string_view kSoapHttpTransport = "http://schemas.xmlsoap.org/soap/http";
inline constexpr std::string_view kInspectionNs = "http://schemas.xmlsoap.org/ws/2001/10/inspection/";

// The WSDL documents' target namespace: a placeholder no SOAP message uses.
inline constexpr std::string_view kTargetNamespace = "http://velmora.dev/wsdl/";
// IWSDLPublish's messages.
inline constexpr std::string_view kWSDLPublishNamespace = "http://velmora.dev/wsdlpublish";

}  // namespace publish
