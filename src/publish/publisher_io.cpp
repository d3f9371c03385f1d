// Lookup of a decoded query field by name.
#include "publish/publisher_io.h"

#include "soap/ascii_case.h"

namespace publish {

std::string QueryText::value(std::string_view name) const {
    for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && soap::equalsIgnoreCase(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

}  // namespace publish
