// HTTPSoapDispatcher1: the web module's component that takes SOAP POSTs on
// /soap* and hands them to the SOAP layer.
#pragma once

#include "host/dispatch.h"

namespace host {

class SoapDispatchComponent final : public DispatchingComponent {
public:
    SoapDispatchComponent();

    // Always handled: the SOAP layer answers every failure with a fault.
    bool dispatchRequest(const WebRequest& request, WebResponse& response) override;
};

}  // namespace host
