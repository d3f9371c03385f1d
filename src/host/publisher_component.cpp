#include "host/publisher_component.h"

#include "common/executable_path.h"

#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/publish_request.h"
#include "publish/program_identity.h"

namespace host {

PublisherComponent::PublisherComponent()
    : PublisherComponent(publish::Settings::forProgram(velmora::executablePath())) {}

PublisherComponent::PublisherComponent(publish::Settings settings)
    : DispatchingComponent("WSDLHTMLPublish1", Route(mtAny, "wsdl*")), publisher_(std::move(settings)) {}

bool PublisherComponent::dispatchRequest(const WebRequest& request, WebResponse& response) {
    publish::Answer answer = publisher_.dispatch(publishRequestOf(request));
    response.setStatusCode(answer.status);
    response.setContentType(std::move(answer.contentType));
    response.setContent(std::move(answer.content));
    return true;
}

void PublisherComponent::servicePage(const WebRequest& request, WebResponse& response, bool& handled) const {
    publish::Page page = publisher_.servicePage(publishRequestOf(request));
    if (!page.contentType.empty()) response.setContentType(std::move(page.contentType));
    response.setContent(std::move(page.content));
    handled = true;
}

}  // namespace host
