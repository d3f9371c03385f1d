// A component the web module offers requests to after its action items (the
// SOAP dispatcher, the publisher): enabled flag, method, path pattern and a
// dispatch operation that says whether it took the request.
#pragma once

#include "host/method_type.h"
#include "host/path_pattern.h"

#include <optional>
#include <string>

namespace host {

class WebRequest;
class WebResponse;

class DispatchingComponent {
public:
    // An empty `pathInfo` means the component's own name is its pattern.
    DispatchingComponent(std::string name, MethodType methodType, std::string pathInfo, bool enabled = true);
    virtual ~DispatchingComponent() = default;
    DispatchingComponent(const DispatchingComponent&) = delete;
    DispatchingComponent& operator=(const DispatchingComponent&) = delete;

    const std::string& name() const noexcept { return name_; }
    bool enabled() const noexcept { return enabled_; }
    MethodType methodType() const noexcept { return methodType_; }

    // Enabled, method accepted and path matched; the pattern is built on first use.
    bool matches(MethodType method, std::string_view pathInfo);

    // Returns whether the request was handled; the host sends the response.
    virtual bool dispatchRequest(WebRequest& request, WebResponse& response) = 0;

private:
    std::string name_;
    MethodType methodType_;
    std::string pathInfo_;
    bool enabled_;
    std::optional<PathPattern> pattern_;
};

}  // namespace host
