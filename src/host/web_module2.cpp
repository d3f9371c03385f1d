// The configuration of TWebModule2. Every component and action item of the
// service is added here, in the order the dispatch rule tries them.
#include "host/web_module2.h"

#include "host/publisher_component.h"
#include "host/soap_dispatch_component.h"

namespace host {

std::unique_ptr<WebModule> createWebModule2() {
    auto module = std::make_unique<WebModule>();
    module->addComponent(std::make_unique<SoapDispatchComponent>());
    auto publisher = std::make_unique<PublisherComponent>();
    const PublisherComponent* WSDLHTMLPublish1 = publisher.get();  // owned by the module from here on
    module->addComponent(std::move(publisher));

    // WebModule2DefaultHandlerAction: the service page of WSDLHTMLPublish1.
    module->addAction(
        WebActionItem{"DefaultHandler", Route(mtAny, "/"),
                      [WSDLHTMLPublish1](const WebRequest& request, WebResponse& response, bool& handled) {
                          WSDLHTMLPublish1->servicePage(request, response, handled);
                      },
                      /*isDefault=*/true});
    return module;
}

}  // namespace host
