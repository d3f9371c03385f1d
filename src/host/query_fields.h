// The request's query fields: the query text split at "&", each piece
// URL-decoded and kept as a "name=value" line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace host {

class QueryFields {
public:
    // Throws velmora::Exception when a piece is badly encoded (see decodeUrlText).
    explicit QueryFields(std::string_view query);

    // The value of the first line whose name equals `name` without regard to
    // letter case; empty when there is none.
    std::string value(std::string_view name) const;

    const std::vector<std::string>& lines() const noexcept { return lines_; }

private:
    std::vector<std::string> lines_;
};

}  // namespace host
