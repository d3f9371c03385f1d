// An action item of the web module: a handler chosen by method and path
// pattern, or run as the default action when nothing else handled a request.
#pragma once

#include "host/method_type.h"
#include "host/path_pattern.h"

#include <functional>
#include <optional>
#include <string>

namespace host {

class WebRequest;
class WebResponse;

// Receives the handled flag set to true; leaving it true claims the request.
using ActionHandler = std::function<void(WebRequest&, WebResponse&, bool& handled)>;

class WebActionItem {
public:
    WebActionItem(std::string name, MethodType methodType, std::string pathInfo, ActionHandler onAction,
                  bool isDefault = false, bool enabled = true);

    const std::string& name() const noexcept { return name_; }
    bool isDefault() const noexcept { return default_; }
    bool enabled() const noexcept { return enabled_; }
    MethodType methodType() const noexcept { return methodType_; }

    // Enabled, method accepted and path matched; the pattern is built on first use.
    bool matches(MethodType method, std::string_view pathInfo);

    // Runs the handler; returns its final handled flag.
    bool run(WebRequest& request, WebResponse& response) const;

private:
    std::string name_;
    MethodType methodType_;
    std::string pathInfo_;
    ActionHandler onAction_;
    bool default_;
    bool enabled_;
    std::optional<PathPattern> pattern_;
};

}  // namespace host
