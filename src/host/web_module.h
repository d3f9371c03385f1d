// The web module: holds the action items and dispatching components of the
// process and routes the request to the first that takes it.
#pragma once

#include "host/dispatching_component.h"
#include "host/web_action_item.h"

#include <memory>
#include <vector>

namespace host {

class WebRequest;
class WebResponse;

class WebModule {
public:
    // Kept in the order added: that order is the order they are tried in.
    void addAction(WebActionItem item);
    void addComponent(std::unique_ptr<DispatchingComponent> component);

    const std::vector<WebActionItem>& actions() const noexcept { return actions_; }
    const std::vector<std::unique_ptr<DispatchingComponent>>& components() const noexcept { return components_; }

    // Action items, then components, then the default action. A failure
    // raised meanwhile is answered with status 500 and the application error
    // page, and counts as handled. Returns whether the request was handled;
    // the host writes the response of a handled one.
    bool dispatch(WebRequest& request, WebResponse& response);

private:
    bool dispatchUnguarded(WebRequest& request, WebResponse& response);

    std::vector<WebActionItem> actions_;
    std::vector<std::unique_ptr<DispatchingComponent>> components_;
};

}  // namespace host
