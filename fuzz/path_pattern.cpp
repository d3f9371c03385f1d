// Fuzz target: path patterns as the web module compiles and matches them.
// The input is a pattern, a line feed and a path. Properties: a pattern is
// refused only with the invalid-mask message; the compiled text is the
// configured one with "\" turned into "/" and a leading "/"; letter case
// never matters; for patterns without sets the answer equals a plain
// reference matcher's.
#include "common/exception.h"
#include "host/dispatch.h"
#include "support/fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace fuzzsupport;

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

char swapCase(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    return c;
}

// Whole-path match of "*", "?" and literal characters, letter case ignored,
// by dynamic programming over pattern and path positions.
bool referenceMatch(std::string_view pattern, std::string_view path) {
    std::vector<char> row(path.size() + 1, 0), next(path.size() + 1, 0);
    row[0] = 1;
    for (const char p : pattern) {
        std::fill(next.begin(), next.end(), 0);
        for (std::size_t j = 0; j <= path.size(); ++j) {
            if (p == '*') {
                next[j] = row[j] || (j > 0 && next[j - 1]);
            } else if (j > 0 && row[j - 1]) {
                next[j] = p == '?' || lower(p) == lower(path[j - 1]);
            }
        }
        row.swap(next);
    }
    return row[path.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lf = input.find('\n');
    const std::string_view configured = input.substr(0, lf);
    const std::string_view path = lf == std::string_view::npos ? std::string_view("/soap") : input.substr(lf + 1);

    std::string normalized = configured.starts_with('/') || configured.starts_with('\\') ? "" : "/";
    for (const char c : configured) normalized += c == '\\' ? '/' : c;

    try {
        const host::PathPattern pattern(configured);
        check(pattern.text() == normalized, "the compiled text", pattern.text());

        const bool matched = pattern.matches(path);
        std::string swapped(path);
        for (char& c : swapped) c = swapCase(c);
        check(pattern.matches(swapped) == matched, "letter case never matters", swapped);

        if (normalized.find('[') == std::string::npos)
            check(matched == referenceMatch(normalized, path), "the reference matcher agrees", input);
        if (normalized.find_first_of("*?[") == std::string::npos)
            check(pattern.matches(normalized), "a literal pattern matches its own text", normalized);
    } catch (const velmora::Exception& e) {
        // what() ends at a zero byte, which a path from the environment never holds.
        std::string prefix = "'" + normalized + "' is an invalid mask at (";
        prefix = prefix.substr(0, prefix.find('\0'));
        check(std::string_view(e.what()).starts_with(prefix), "the invalid-mask message", e.what());
    }
    return 0;
}
