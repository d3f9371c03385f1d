// Bridge from the host's request and response to the SOAP dispatcher.
#include "host/soap_dispatch_component.h"

#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "soap/dispatcher_fault.h"
#include "soap/soap_dispatcher.h"

namespace host {

SoapDispatchComponent::SoapDispatchComponent() : DispatchingComponent("HTTPSoapDispatcher1", Route(mtPost, "soap*")) {}

bool SoapDispatchComponent::dispatchRequest(const WebRequest& request, WebResponse& response) {
    if (request.bodyTooLarge()) {
        // Refused like a call no interface takes: the dispatcher's fault, 500.
        response.setContentType("text/xml");
        response.setStatusCode(500);
        response.setContent(soap::dispatcherFault(
            "The request body of " + std::to_string(request.contentLength()) + " bytes is larger than the " +
            std::to_string(velmora::limits::kMaxRequestBodyBytes) + " bytes accepted"));
        return true;
    }
    std::string soapAction = request.fieldByName("SOAPAction");
    if (soapAction.empty()) soapAction = request.fieldByName("HTTP_SOAPACTION");

    soap::HttpAnswer answer =
        soap::dispatchSoap(soapAction, request.pathInfo(), request.contentType(), request.content());

    response.setStatusCode(answer.status);
    response.setContentType(std::move(answer.contentType));
    response.setContent(std::move(answer.body));
    return true;
}

}  // namespace host
