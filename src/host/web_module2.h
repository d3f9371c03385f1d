// TWebModule2: the web module of this service, built with its components
// and action items in declaration order.
#pragma once

#include "host/dispatch.h"

#include <memory>

namespace host {

std::unique_ptr<WebModule> createWebModule2();

}  // namespace host
