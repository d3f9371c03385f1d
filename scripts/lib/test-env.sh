#!/usr/bin/env bash
# Runs a test command against Firebird embedded (the default) or through a
# private Firebird server. Run it, or source it and call the functions.
#
#   scripts/lib/test-env.sh embedded build/tests/db_tests
#   scripts/lib/test-env.sh server [--port N] build/tests/db_tests   # needs root
#
# Embedded: FIREBIRD, FIREBIRD_LOCK and FIREBIRD_TMP come from
# scripts/lib/firebird-env.sh. Server: the same client environment plus
# VELMORA_TEST_FB_SERVER=<port>, which makes the test databases be created
# and reached through the server on 127.0.0.1:<port> (started here unless it
# already runs, and then stopped again). Test databases live under TMPDIR
# (default /tmp), which the user firebird must be able to reach.

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/lib/firebird-env.sh
source "$velmora_repo_root/scripts/lib/firebird-env.sh"
# shellcheck source=scripts/lib/firebird-server.sh
source "$velmora_repo_root/scripts/lib/firebird-server.sh"

velmora_test_embedded() {
    (
        set -euo pipefail
        unset VELMORA_TEST_FB_SERVER
        "$@"
    )
}

# velmora_test_server PORT CMD...
velmora_test_server() {
    (
        set -euo pipefail
        local port=$1
        shift
        local started=0
        if ! velmora_firebird_server_status "$port" >/dev/null; then
            velmora_firebird_server_start "$port"
            started=1
        fi
        local rc=0
        VELMORA_TEST_FB_SERVER=$port "$@" || rc=$?
        if ((started)); then
            velmora_firebird_server_stop "$port"
        fi
        exit "$rc"
    )
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    mode=${1:-}
    shift || true
    case $mode in
        embedded)
            velmora_test_embedded "$@"
            ;;
        server)
            port=3052
            if [[ ${1:-} == --port ]]; then
                port=$2
                shift 2
            fi
            velmora_test_server "$port" "$@"
            ;;
        *)
            echo "usage: $0 embedded CMD... | server [--port N] CMD..." >&2
            exit 2
            ;;
    esac
fi
