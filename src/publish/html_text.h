// HTML escaping of the values the pages echo (request values, registry
// names): ordinary names and addresses come out unchanged.
#pragma once

#include <string>
#include <string_view>

namespace publish {

// "&", "<", ">", '"' and "'" as character references; everything else as is.
void appendHtml(std::string& out, std::string_view text);

inline std::string html(std::string_view text) {
    std::string out;
    appendHtml(out, text);
    return out;
}

}  // namespace publish
