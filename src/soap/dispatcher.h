// A SOAP POST from its arrival to its answer, free of the host's request and
// response types: HTTPSoapDispatcher1's work (status, content type, body) and
// HTTPSoapPascalInvoker1's (choose the interface, decode the envelope, call the
// operation on a new serving object, write the answer).
#pragma once

#include "common/web_exchange.h"
#include "soap/registries.h"
#include "soap/spool.h"

#include <string>
#include <string_view>

namespace soap {

struct HttpAnswer {
    int status = 200;
    std::string contentType;  // "text/xml"
    velmora::Body body;       // the envelope, UTF-8, in the coding asked for
    velmora::CallSummary call;
};

// soapAction: the request's SOAPAction as the host found it (may be empty or
// quoted). Never throws for an ordinary error: every failure becomes a fault.
// `coding`: how the client takes the answer, faults included.
HttpAnswer dispatchSoap(const InvRegistry& registry, const RemTypeRegistry& types, std::string_view soapAction,
                        std::string_view pathInfo, std::string_view contentType, std::string_view body,
                        Coding coding = Coding::Identity);

// By SOAP action when one is given (not empty, not just two double quotes),
// else by the path's last segment. Throws velmora::Exception when nothing
// matches or the interface has no implementation class.
const InterfaceEntry& chooseInterface(const InvRegistry& registry, std::string_view soapAction,
                                      std::string_view pathInfo);

// The response envelope, or a fault envelope for any failure after the
// interface is chosen. Throws only what chooseInterface throws (and what
// cannot be written even as a fault).
// `call` tells what the call was and how it went.
velmora::Body invokeSoap(const InvRegistry& registry, const RemTypeRegistry& types, std::string_view soapAction,
                         std::string_view pathInfo, std::string_view body, velmora::CallSummary& call,
                         Coding coding = Coding::Identity);

}  // namespace soap
