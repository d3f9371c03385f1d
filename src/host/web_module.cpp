// The dispatch rule of the web module and its answer to a failing handler.
#include "host/web_module.h"

#include "host/cgi_request.h"
#include "host/cgi_response.h"
#include "host/error_pages.h"

namespace host {

void WebModule::addAction(WebActionItem item) { actions_.push_back(std::move(item)); }

void WebModule::addComponent(std::unique_ptr<DispatchingComponent> component) {
    components_.push_back(std::move(component));
}

bool WebModule::dispatch(WebRequest& request, WebResponse& response) {
    try {
        return dispatchUnguarded(request, response);
    } catch (const std::exception& error) {
        response.setStatusCode(500);
        response.setContent(applicationErrorPage(error.what(), request.pathInfo()));
        return true;
    }
}

bool WebModule::dispatchUnguarded(WebRequest& request, WebResponse& response) {
    bool handled = false;
    const MethodType method = methodTypeFromText(request.method());
    const std::string& path = request.pathInfo();

    WebActionItem* defaultAction = nullptr;
    for (WebActionItem& item : actions_) {
        if (handled) break;
        if (item.matches(method, path)) handled = item.run(request, response);
        if (item.isDefault()) defaultAction = &item;
    }

    for (auto& component : components_) {
        if (handled) break;
        if (component->matches(method, path)) handled = component->dispatchRequest(request, response);
    }

    if (!handled && defaultAction != nullptr) handled = defaultAction->run(request, response);
    return handled;
}

}  // namespace host
