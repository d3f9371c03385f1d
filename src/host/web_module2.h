// TWebModule2: the web module of this service, with HTTPSoapDispatcher1 (the
// bridge to the SOAP layer), WSDLHTMLPublish1 (the bridge to the publisher)
// and the default action that shows the service page.
#pragma once

#include "host/dispatch.h"

#include <memory>

namespace host {

// A fresh module for one request, its components and items added in
// declaration order, the order the dispatch rule tries them in.
std::unique_ptr<WebModule> createWebModule2();

}  // namespace host
