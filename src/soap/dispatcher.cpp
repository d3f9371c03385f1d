// HTTPSoapDispatcher1: attachments refused, the invoker's answer with status
// 200, or the dispatcher's own fault with 500 when no interface takes the call.
#include "soap/dispatcher.h"

#include "soap/envelope_writer.h"
#include "soap/invoker.h"

#include <exception>

namespace soap {

HttpAnswer dispatchSoap(const InvRegistry& registry, RemTypeRegistry& types, std::string_view soapAction,
                        std::string_view pathInfo, std::string_view contentType, std::string_view body) {
    HttpAnswer answer;
    answer.contentType = "text/xml";
    // MIME packages carry attachments, which no operation of this service takes.
    if (contentType.starts_with("multipart/related")) {
        answer.body = writeFault(FaultInfo{"SOAP attachments are not supported", {}, {}, {}});
        return answer;
    }
    try {
        answer.body = invokeSoap(registry, types, soapAction, pathInfo, body);
    } catch (const std::exception& e) {
        answer.status = 500;
        answer.body = dispatcherFault(e.what());
    }
    return answer;
}

HttpAnswer dispatchSoap(std::string_view soapAction, std::string_view pathInfo, std::string_view contentType,
                        std::string_view body) {
    return dispatchSoap(InvRegistry::instance(), RemTypeRegistry::instance(), soapAction, pathInfo, contentType, body);
}

}  // namespace soap
