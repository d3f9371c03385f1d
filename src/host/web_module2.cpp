// The configuration of TWebModule2. Every component and action item of the
// service is added here, in the order the dispatch rule tries them.
#include "host/web_module2.h"

#include "host/soap_dispatch_component.h"

namespace host {

std::unique_ptr<WebModule> createWebModule2() {
    auto module = std::make_unique<WebModule>();
    module->addComponent(std::make_unique<SoapDispatchComponent>());
    // The publisher (after the SOAP dispatcher) and the default action join here.
    return module;
}

} // namespace host
