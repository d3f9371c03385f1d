// WSDLHTMLPublish1: the web module's component that answers /wsdl* with the
// publisher, and the service page that the default action shows.
#pragma once

#include "host/dispatching_component.h"
#include "publish/publisher.h"

namespace host {

class PublisherComponent final : public DispatchingComponent {
public:
    // The publisher of the running program (title and port table from its path).
    PublisherComponent();
    explicit PublisherComponent(publish::Settings settings);

    // Always handled: failures become the publisher's error page.
    bool dispatchRequest(WebRequest& request, WebResponse& response) override;

    // Fills the content (and, for the inspection document, the content type);
    // the status stays as it is. Failures propagate to the web module.
    void servicePage(WebRequest& request, WebResponse& response, bool& handled) const;

private:
    publish::Publisher publisher_;
};

}  // namespace host
