// The standard namespaces every SOAP 1.1 message of the service uses, and the
// fixed prefixes the envelope writer declares for them.
#pragma once

#include <string_view>

namespace soap {

inline constexpr std::string_view kSoapEnvelopeNs = "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kSoapEncodingNs = "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr std::string_view kXmlSchemaNs = "http://www.w3.org/2001/XMLSchema";
inline constexpr std::string_view kXmlSchemaInstanceNs = "http://www.w3.org/2001/XMLSchema-instance";
// Where the remotable exception type of a fault's detail lives.
inline constexpr std::string_view kInvokeRegistryNs = "urn:InvokeRegistry";

inline constexpr std::string_view kEnvPrefix = "SOAP-ENV";
inline constexpr std::string_view kXsdPrefix = "xsd";
inline constexpr std::string_view kXsiPrefix = "xsi";
inline constexpr std::string_view kEncPrefix = "SOAP-ENC";

}  // namespace soap
