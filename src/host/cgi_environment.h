// The CGI variables of the request, looked up by name without regard to
// letter case, with the "HTTP_" fallback every request item goes through.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class CgiEnvironment {
public:
    // Entries of the form NAME=value (one without "=" is a name with empty value).
    explicit CgiEnvironment(const std::vector<std::string>& entries);

    // A snapshot of this process's environment.
    static CgiEnvironment fromProcess();

    // The variable's value; empty when absent. An entry spelled exactly like
    // `name` wins over one that differs only in letter case.
    std::string_view get(std::string_view name) const noexcept;

    // The lookup by name: when the variable is absent or empty, try the name
    // with its "HTTP_" prefix toggled (removed when present, added when not).
    std::string_view lookup(std::string_view name) const;

private:
    std::vector<std::pair<std::string, std::string>> vars_;
};

}  // namespace host
