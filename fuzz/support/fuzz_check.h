// A failed property of a fuzz target: print what was expected and abort, so
// libFuzzer keeps the input as a crash.
#pragma once

#include <string_view>

namespace fuzzsupport {

[[noreturn]] void fail(std::string_view what, std::string_view detail = {});

inline void check(bool ok, std::string_view what, std::string_view detail = {}) {
    if (!ok) fail(what, detail);
}

}  // namespace fuzzsupport
