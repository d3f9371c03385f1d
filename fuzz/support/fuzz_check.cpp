#include "support/fuzz_check.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

void fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "property failed: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!detail.empty())
        std::fprintf(stderr, "--- detail (%zu bytes) ---\n%.*s\n---\n", detail.size(), static_cast<int>(detail.size()),
                     detail.data());
    std::abort();
}

}  // namespace fuzzsupport
