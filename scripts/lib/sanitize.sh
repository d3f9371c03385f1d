#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the tests there against embedded Firebird: the unit
# tests, the database and service tests and the CGI program's tests (whose
# child processes get the same sanitizer settings). Any sanitizer report
# fails its test. Run it, or source it and call velmora_sanitize. The tests
# that need more than embedded Firebird (server:*, stress:*, e2e:*) are left
# to scripts/test; their programs carry the same settings when run here by
# hand (ctest -R ... in build-asan).
#
#   scripts/lib/sanitize.sh                 # configure, build, ctest -j2
#   scripts/lib/sanitize.sh -R Hostile      # extra arguments go to ctest

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

velmora_sanitize() {
    (
        set -euo pipefail
        local root=$velmora_repo_root
        local build=$root/build-asan
        cmake -S "$root" -B "$build" -G Ninja -DVELMORA_SANITIZE=ON >/dev/null
        local log=$build/sanitize-build.log
        ninja -C "$build" >"$log" 2>&1 || { cat "$log" >&2; exit 1; }

        # shellcheck source=scripts/lib/firebird-env.sh
        source "$root/scripts/lib/firebird-env.sh"
        # Every program of the build carries its suppressions and the options
        # it needs (src/sanitizer_defaults.cpp); these add stricter checks.
        # Every report stops the process with a non-zero status; the CGI
        # tests pass these variables on to the program they start.
        export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
        export LSAN_OPTIONS=print_suppressions=0
        export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
        cd "$build"
        ctest -E '^(server|stress|e2e):' -j2 --output-on-failure "$@"
    )
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    velmora_sanitize "$@"
fi
