// The request method as the dispatch rule sees it: four known methods, and
// mtAny for every other one (and, on items and components, "any method").
#pragma once

#include <string_view>

namespace host {

enum MethodType { mtAny = 0, mtGet = 1, mtPut = 2, mtPost = 3, mtHead = 4 };

// "GET", "PUT", "POST", "HEAD" in any letter case; anything else is mtAny.
MethodType methodTypeFromText(std::string_view method) noexcept;

// An item or component configured with `configured` accepts a request of
// method `request`.
inline bool methodAccepts(MethodType configured, MethodType request) noexcept {
    return configured == mtAny || configured == request;
}

}  // namespace host
