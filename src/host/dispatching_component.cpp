// Matching of dispatching components.
#include "host/dispatching_component.h"

namespace host {

DispatchingComponent::DispatchingComponent(std::string name, MethodType methodType, std::string pathInfo, bool enabled)
    : name_(std::move(name)), methodType_(methodType), pathInfo_(std::move(pathInfo)), enabled_(enabled) {}

bool DispatchingComponent::matches(MethodType method, std::string_view pathInfo) {
    if (!enabled_ || !methodAccepts(methodType_, method)) return false;
    if (!pattern_) pattern_.emplace(pathInfo_.empty() ? name_ : pathInfo_);
    return pattern_->matches(pathInfo);
}

}  // namespace host
