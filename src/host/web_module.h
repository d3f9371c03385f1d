// The web module: holds the action items and dispatching components of the
// process and routes the request to the first that takes it.
#pragma once

#include "host/dispatching_component.h"
#include "host/web_action_item.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace host {

class WebRequest;
class WebResponse;

class WebModule {
public:
    // Optional hooks; this system sets none of them.
    std::function<void(WebRequest&, WebResponse&, bool& handled)> beforeDispatch;
    std::function<void(WebRequest&, WebResponse&, bool& handled)> afterDispatch;
    std::function<void(const std::exception&, WebRequest&, WebResponse&)> onException;

    // Kept in the order added: that order is the order they are tried in.
    void addAction(WebActionItem item);
    void addComponent(std::unique_ptr<DispatchingComponent> component);

    const std::vector<WebActionItem>& actions() const noexcept { return actions_; }
    const std::vector<std::unique_ptr<DispatchingComponent>>& components() const noexcept { return components_; }

    // Action items, then components, then the default action. A failure
    // raised meanwhile is answered here (see handleException) and counts as
    // handled. Returns whether the request was handled.
    bool dispatch(WebRequest& request, WebResponse& response);

private:
    bool dispatchUnguarded(WebRequest& request, WebResponse& response);
    // Without onException: status 500 and the application error page, sent
    // at once unless something already sent the response.
    void handleException(const std::exception& error, WebRequest& request, WebResponse& response);

    std::vector<WebActionItem> actions_;
    std::vector<std::unique_ptr<DispatchingComponent>> components_;
};

}  // namespace host
