// Case-insensitive environment lookup for the CGI request.
#include "host/cgi_environment.h"

#include "common/text.h"

#include <unistd.h>

extern char** environ;

namespace host {

CgiEnvironment::CgiEnvironment(const std::vector<std::string>& entries) {
    vars_.reserve(entries.size());
    for (const std::string& entry : entries) {
        const auto eq = entry.find('=');
        if (eq == std::string::npos)
            vars_.emplace_back(entry, std::string());
        else
            vars_.emplace_back(entry.substr(0, eq), entry.substr(eq + 1));
    }
}

CgiEnvironment CgiEnvironment::fromProcess() {
    std::vector<std::string> entries;
    for (char** p = environ; p != nullptr && *p != nullptr; ++p) entries.emplace_back(*p);
    return CgiEnvironment(entries);
}

std::string_view CgiEnvironment::get(std::string_view name) const noexcept {
    const std::pair<std::string, std::string>* caseless = nullptr;
    for (const auto& var : vars_) {
        if (var.first == name) return var.second;
        if (caseless == nullptr && velmora::equalsIgnoringCase(var.first, name)) caseless = &var;
    }
    return caseless != nullptr ? std::string_view(caseless->second) : std::string_view();
}

std::string_view CgiEnvironment::lookup(std::string_view name) const {
    std::string_view value = get(name);
    if (!value.empty()) return value;
    constexpr std::string_view prefix = "HTTP_";
    if (velmora::startsWithIgnoringCase(name, prefix)) return get(name.substr(prefix.size()));
    std::string prefixed;
    prefixed.reserve(prefix.size() + name.size());
    prefixed.append(prefix).append(name);
    return get(prefixed);
}

}  // namespace host
