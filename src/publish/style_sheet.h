// The style sheet of the publisher's HTML pages: one rule per line. The
// listing and service pages add zero page margins; the error page does not.
#pragma once

#include <string>

namespace publish {

enum class Margins { Zero, Default };

void appendStyleRules(std::string& out, Margins margins);

}  // namespace publish
