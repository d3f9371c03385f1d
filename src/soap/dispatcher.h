// HTTPSoapDispatcher1's work, free of the host's request and response types:
// a SOAP POST in, status, content type and body out.
#pragma once

#include "soap/registries.h"

#include <string>
#include <string_view>

namespace soap {

struct HttpAnswer {
    int status = 200;
    std::string contentType;  // "text/xml"
    std::string body;         // the envelope, UTF-8
};

// soapAction: the request's SOAPAction as the host found it (may be empty or
// quoted). Never throws for an ordinary error: every failure becomes a fault.
HttpAnswer dispatchSoap(std::string_view soapAction, std::string_view pathInfo, std::string_view contentType,
                        std::string_view body);

// The same with the registries named, for a process that keeps its own.
HttpAnswer dispatchSoap(const InvRegistry& registry, RemTypeRegistry& types, std::string_view soapAction,
                        std::string_view pathInfo, std::string_view contentType, std::string_view body);

}  // namespace soap
