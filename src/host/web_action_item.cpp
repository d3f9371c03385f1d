// Action item matching and running.
#include "host/web_action_item.h"

namespace host {

WebActionItem::WebActionItem(std::string name, MethodType methodType, std::string pathInfo, ActionHandler onAction,
                             bool isDefault, bool enabled)
    : name_(std::move(name)),
      methodType_(methodType),
      pathInfo_(std::move(pathInfo)),
      onAction_(std::move(onAction)),
      default_(isDefault),
      enabled_(enabled) {}

bool WebActionItem::matches(MethodType method, std::string_view pathInfo) {
    if (!enabled_ || !methodAccepts(methodType_, method)) return false;
    if (!pattern_) pattern_.emplace(pathInfo_);
    return pattern_->matches(pathInfo);
}

bool WebActionItem::run(WebRequest& request, WebResponse& response) const {
    bool handled = true;
    if (onAction_) onAction_(request, response, handled);
    return handled;
}

}  // namespace host
