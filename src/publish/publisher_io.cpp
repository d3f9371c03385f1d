// Lookup of a decoded query field by name.
#include "publish/publisher_io.h"

#include "common/text.h"

namespace publish {

std::string QueryText::value(std::string_view name) const {
    for (const std::string& line : lines) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && velmora::equalsIgnoringCase(std::string_view(line).substr(0, eq), name))
            return line.substr(eq + 1);
    }
    return {};
}

}  // namespace publish
