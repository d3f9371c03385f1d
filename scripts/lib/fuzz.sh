#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in build-fuzz and runs each one for a bounded
# time, starting from its seeds in fuzz/corpus/<target>. Run it, or source it
# and call velmora_fuzz.
#
#   scripts/lib/fuzz.sh                                  # every target, 60 s each
#   FUZZ_SECONDS=10 scripts/lib/fuzz.sh path_pattern     # some targets, briefly
#   FUZZ_SECONDS=3600 FUZZ_JOBS=2 scripts/lib/fuzz.sh cgi_request   # a long run
#
# What the fuzzer finds is kept in build-fuzz/corpus/<target>, so a later run
# goes on from there. A crash leaves its input in build-fuzz/artifacts/ and
# fails the run; replay it with build-fuzz/fuzz/fuzz_<target> <file>. The run
# ends with the executions per target, also written to
# build-fuzz/fuzz-summary.txt.

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

velmora_fuzz() {
    (
        set -euo pipefail
        local root=$velmora_repo_root
        local build=$root/build-fuzz
        local seconds=${FUZZ_SECONDS:-60}
        local jobs=${FUZZ_JOBS:-1}
        local targets=("$@")
        if ((${#targets[@]} == 0)); then
            for src in "$root"/fuzz/*.cpp; do
                targets+=("$(basename "$src" .cpp)")
            done
        fi

        local cc=clang-14 cxx=clang++-14
        command -v "$cxx" >/dev/null || { cc=clang; cxx=clang++; }
        if ! command -v "$cxx" >/dev/null; then
            echo "fuzz: clang++ is missing; run scripts/setup first" >&2
            exit 1
        fi
        CC=$cc CXX=$cxx cmake -S "$root" -B "$build" -G Ninja -DVELMORA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
        ninja -C "$build" "${targets[@]/#/fuzz_}" >"$build/fuzz-build.log" 2>&1 ||
            { cat "$build/fuzz-build.log" >&2; exit 1; }

        mkdir -p "$build/artifacts" "$build/dict"
        local summary=$build/fuzz-summary.txt
        printf '%-20s %12s %10s %8s  %s\n' target executions exec/s corpus result >"$summary"
        local failed=0
        for target in "${targets[@]}"; do
            local corpus=$build/corpus/$target
            mkdir -p "$corpus"
            # One dictionary per target: the CGI target meets SOAP bodies too.
            local dict=$build/dict/$target.dict
            case $target in
                envelope_decoding) cat "$root/fuzz/dict/soap.dict" >"$dict" ;;
                cgi_request) cat "$root/fuzz/dict/cgi.dict" "$root/fuzz/dict/soap.dict" >"$dict" ;;
                *) : >"$dict" ;;
            esac
            local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536
                           -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-")
            [[ -s $dict ]] && options+=(-dict="$dict")
            ((jobs > 1)) && options+=(-fork="$jobs" -ignore_crashes=0)
            local log=$build/fuzz-$target.log
            echo "fuzz: $target for ${seconds}s" >&2
            local result=ok
            # The fuzzer writes new inputs to the first directory only; the
            # seeds are read, never changed.
            if ! "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
                result="CRASH (see $log)"
                failed=1
                grep -a -m1 -A6 -E 'ERROR|property failed|runtime error' "$log" >&2 || true
            fi
            local execs rate
            execs=$(grep -a -m1 -oP 'stat::number_of_executed_units: *\K[0-9]+' "$log" ||
                    grep -a -oP '^#\K[0-9]+' "$log" | tail -n1 || echo '?')
            rate=$(grep -a -m1 -oP 'stat::average_exec_per_sec: *\K[0-9]+' "$log" || echo '?')
            printf '%-20s %12s %10s %8s  %s\n' "$target" "$execs" "$rate" \
                "$(find "$corpus" -type f | wc -l)" "$result" >>"$summary"
        done
        cat "$summary"
        exit "$failed"
    )
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    velmora_fuzz "$@"
fi
