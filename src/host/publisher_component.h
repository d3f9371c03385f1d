// WSDLHTMLPublish1: the web module's component that answers /wsdl* with the
// publisher, and the service page that the default action shows.
#pragma once

#include "host/dispatch.h"
#include "publish/publisher.h"

namespace host {

class PublisherComponent final : public DispatchingComponent {
public:
    // The publisher of the running program (title and port table from its path).
    PublisherComponent();
    explicit PublisherComponent(publish::Settings settings);

    // Always handled: failures become the publisher's error page.
    bool dispatchRequest(const WebRequest& request, WebResponse& response) override;

    // Fills the content (and, for the inspection document, the content type);
    // the status stays as it is. Failures propagate to the web module.
    void servicePage(const WebRequest& request, WebResponse& response, bool& handled) const;

private:
    publish::Publisher publisher_;
};

}  // namespace host
