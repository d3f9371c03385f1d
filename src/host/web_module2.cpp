// TWebModule2's components: the bridges from the host's request and response
// to the SOAP dispatcher and to the publisher, and its default action.
#include "host/web_module2.h"

#include "common/executable_path.h"
#include "common/limits.h"
#include "db/FuncoesIntegECF.h"
#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/content_coding.h"
#include "publish/publisher.h"
#include "soap/dispatcher.h"
#include "soap/envelope_writer.h"

#include <string>

namespace host {

namespace {

// Status, content type and body of a bridge's answer.
void answerWith(WebResponse& response, int status, std::string contentType, velmora::Body content) {
    response.setStatusCode(status);
    response.setContentType(std::move(contentType));
    response.setContent(std::move(content));
}

// HTTPSoapDispatcher1: SOAP POSTs on /soap*. Always handled: the SOAP layer
// answers every failure with a fault.
class SoapDispatchComponent final : public DispatchingComponent {
public:
    SoapDispatchComponent() : DispatchingComponent("HTTPSoapDispatcher1", Route(mtPost, "soap*")) {}

    bool dispatchRequest(const WebRequest& request, WebResponse& response) override {
        // Compressed for a client that takes gzip, unless the INI says not to
        // (read only then: every other client keeps today's bytes).
        soap::Coding coding = acceptedCoding(request.fieldByName("HTTP_ACCEPT_ENCODING"));
        if (coding != soap::Coding::Identity && !db::compressionAllowed()) coding = soap::Coding::Identity;
        if (coding != soap::Coding::Identity) response.setVariesByEncoding();

        if (request.bodyTooLarge()) {
            // Refused like a call no interface takes: the dispatcher's fault, 500.
            velmora::CallSummary refused;
            refused.fault = "The request body of " + std::to_string(request.contentLength()) +
                            " bytes is larger than the " + std::to_string(velmora::limits::kMaxRequestBodyBytes) +
                            " bytes accepted";
            answerWith(response, 500, "text/xml", soap::makeBody(soap::dispatcherFault(refused.fault), coding));
            response.setCall(std::move(refused));
            return true;
        }
        // Asked again by the variable's CGI name when empty: that exact
        // spelling wins over others that differ only in letter case.
        std::string soapAction = request.fieldByName("SOAPAction");
        if (soapAction.empty()) soapAction = request.fieldByName("HTTP_SOAPACTION");

        soap::HttpAnswer answer =
            soap::dispatchSoap(soap::InvRegistry::instance(), soap::RemTypeRegistry::instance(), soapAction,
                               request.pathInfo(), request.contentType(), request.content(), coding);
        answerWith(response, answer.status, std::move(answer.contentType), std::move(answer.body));
        response.setCall(std::move(answer.call));
        return true;
    }
};

// The request values the publisher reads.
publish::Request publishRequestOf(const WebRequest& request) {
    publish::Request out;
    out.pathInfo = request.pathInfo();
    out.host = request.host();
    out.serverPort = request.serverPort();
    out.https = request.https();
    out.scriptName = request.scriptName();
    out.query = decodeQuery(request.query());
    return out;
}

// WSDLHTMLPublish1: /wsdl* with any method, answered by the publisher of the
// running program (title and port table from its path).
class PublisherComponent final : public DispatchingComponent {
public:
    PublisherComponent()
        : DispatchingComponent("WSDLHTMLPublish1", Route(mtAny, "wsdl*")),
          publisher_(publish::Settings::forProgram(velmora::executablePath()), soap::InvRegistry::instance(),
                     soap::RemTypeRegistry::instance()) {}

    // Always handled: failures become the publisher's error page.
    bool dispatchRequest(const WebRequest& request, WebResponse& response) override {
        publish::Answer answer = publisher_.dispatch(publishRequestOf(request));
        answerWith(response, answer.status, std::move(answer.contentType), std::move(answer.content));
        return true;
    }

    // The service page (or the inspection document, with its content type);
    // the status stays as it is. Failures propagate to the web module.
    void servicePage(const WebRequest& request, WebResponse& response) const {
        publish::Page page = publisher_.servicePage(publishRequestOf(request));
        if (!page.contentType.empty()) response.setContentType(std::move(page.contentType));
        response.setContent(std::move(page.content));
    }

private:
    publish::Publisher publisher_;
};

}  // namespace

std::unique_ptr<WebModule> createWebModule2() {
    auto module = std::make_unique<WebModule>();
    module->addComponent(std::make_unique<SoapDispatchComponent>());
    auto publisher = std::make_unique<PublisherComponent>();
    const PublisherComponent* WSDLHTMLPublish1 = publisher.get();  // owned by the module from here on
    module->addComponent(std::move(publisher));

    // WebModule2DefaultHandlerAction: the service page of WSDLHTMLPublish1.
    module->addAction(WebActionItem{"DefaultHandler", Route(mtAny, "/"),
                                    [WSDLHTMLPublish1](const WebRequest& request, WebResponse& response, bool&) {
                                        WSDLHTMLPublish1->servicePage(request, response);
                                    },
                                    /*isDefault=*/true});
    return module;
}

}  // namespace host
