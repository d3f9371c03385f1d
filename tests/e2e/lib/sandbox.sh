# shellcheck shell=bash
# Sourced by the end-to-end drivers: a private world per test in one temporary
# directory (Firebird environment, a freshly created demo database, a copy of
# the program beside its INI, and a second copy whose INI names a database
# that does not exist), a time limit, and a cleanup that stops whatever the
# test started and removes the directory on every way out.

e2e_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
e2e_lib=$e2e_repo/tests/e2e/lib

# The checks are Python scripts in the source tree: leave no bytecode there.
export PYTHONDONTWRITEBYTECODE=1

e2e_say() { printf 'e2e: %s\n' "$*"; }
e2e_fail() { printf 'e2e: FAIL: %s\n' "$*" >&2; exit 1; }

# e2e_need COMMAND... fails clearly when a tool of the test is missing.
e2e_need() {
    local cmd
    for cmd in "$@"; do
        command -v "$cmd" >/dev/null || e2e_fail "$cmd is missing; run scripts/setup"
    done
}

# Cleanup actions run last-in, first-out when the script ends for any reason.
e2e_cleanups=()
e2e_on_exit() { e2e_cleanups+=("$1"); }
e2e_cleanup() {
    local rc=$? i
    trap - EXIT TERM INT USR1
    for ((i = ${#e2e_cleanups[@]} - 1; i >= 0; i--)); do
        eval "${e2e_cleanups[i]}" || true
    done
    exit "$rc"
}
trap e2e_cleanup EXIT
trap 'exit 143' TERM INT

# e2e_time_limit SECONDS ends the test (through the cleanup) when it runs
# longer; every command the tests start has a shorter limit of its own, so
# this only catches what slips through. Its streams go nowhere, so that CTest
# does not wait for it.
e2e_time_limit() {
    local seconds=$1 main=$$
    # shellcheck disable=SC2064  # the limit goes into the handler now
    trap "echo 'e2e: FAIL: time limit of ${seconds}s reached' >&2; exit 124" USR1
    (
        trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
        sleep "$seconds" &
        sleeper=$!
        wait "$sleeper" && kill -USR1 "$main"
    ) </dev/null >/dev/null 2>&1 &
    e2e_on_exit "kill $! 2>/dev/null; wait $! 2>/dev/null"
}

# True when something accepts connections on 127.0.0.1:PORT.
e2e_port_open() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# Prints a loopback port nobody listens on, within VELMORA_TEST_WEB_PORTS
# (FIRST-LAST) when it is set: on a machine shared out by port ranges.
e2e_free_port() {
    local port i first=20000 count=12000
    if [[ ${VELMORA_TEST_WEB_PORTS:-} =~ ^([0-9]+)-([0-9]+)$ ]]; then
        first=${BASH_REMATCH[1]}
        count=$((BASH_REMATCH[2] - first + 1))
    fi
    for ((i = 0; i < 100; i++)); do
        port=$((first + RANDOM % count))
        e2e_port_open "$port" || { echo "$port"; return 0; }
    done
    e2e_fail "no free port found on 127.0.0.1"
}

# e2e_wait_port PORT PID LOG: waits until PORT accepts connections while PID
# lives; on failure shows the end of LOG.
e2e_wait_port() {
    local port=$1 pid=$2 log=$3 i
    for ((i = 0; i < 150; i++)); do
        e2e_port_open "$port" && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "e2e: nothing listens on 127.0.0.1:$port; $log says:" >&2
    tail -n 20 "$log" >&2
    return 1
}

# e2e_stop_pid PID: asks a process we started to end and waits for it.
e2e_stop_pid() {
    local pid=$1 i
    kill -TERM "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 100; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

# e2e_sandbox PROGRAM creates the test's directory E2E_DIR and exports the
# embedded Firebird environment that the web servers pass on:
#   E2E_DIR/demo.fdb                   fresh demo database
#   E2E_DIR/service/velmora.cgi + INI  the program serving demo.fdb
#   E2E_DIR/broken/broken.cgi + INI    the program, its INI naming missing.fdb
#   E2E_DIR/firebird/                  FIREBIRD, FIREBIRD_LOCK, FIREBIRD_TMP (and
#                                      LD_LIBRARY_PATH, its ICU placeholders)
#   E2E_DIR/out/                       what the checks write
e2e_sandbox() {
    local program=$1
    [[ -x $program ]] || e2e_fail "$program is missing; build it first (scripts/build)"
    e2e_need isql-fb curl python3
    e2e_workdir "$e2e_repo/demo"
    mkdir -p "$E2E_DIR/service" "$E2E_DIR/broken"
    chmod 0755 "$E2E_DIR/service" "$E2E_DIR/broken"

    # Named like their URLs: lighttpd in FastCGI mode mounts a program
    # under its file name.
    install -m 0755 "$program" "$E2E_DIR/service/velmora.cgi"
    install -m 0755 "$program" "$E2E_DIR/broken/broken.cgi"
    e2e_write_ini "$E2E_DIR/service" "$E2E_DIR/demo.fdb"
    e2e_write_ini "$E2E_DIR/broken" "$E2E_DIR/missing.fdb"
}

# e2e_workdir [SQL_DIR]: the part of the sandbox without programs: E2E_DIR
# with out/, the Firebird environment, and demo.fdb made from SQL_DIR's demo
# scripts when SQL_DIR is given.
e2e_workdir() {
    E2E_DIR=$(mktemp -d "${TMPDIR:-/tmp}/velmora-e2e.XXXXXX") || e2e_fail "no temporary directory"
    if [[ -n ${VELMORA_E2E_KEEP:-} ]]; then
        e2e_on_exit "echo 'e2e: kept $E2E_DIR' >&2"
    else
        e2e_on_exit "rm -rf '$E2E_DIR'"
    fi
    export E2E_DIR
    # The web server's user must reach the programs and the database.
    chmod 0711 "$E2E_DIR"
    mkdir -p "$E2E_DIR/out"

    export VELMORA_FIREBIRD_DIR=$E2E_DIR/firebird
    # shellcheck source=scripts/lib/firebird-env.sh
    source "$e2e_repo/scripts/lib/firebird-env.sh" || e2e_fail "cannot prepare the Firebird environment"
    if (($#)); then
        "$e2e_repo/scripts/create-demo-db" --sql "$1" "$E2E_DIR/demo.fdb" >/dev/null ||
            e2e_fail "cannot create the demo database from $1"
        # Only its owner and group firebird may read or write it.
        [[ -z $(find "$E2E_DIR/demo.fdb" -perm /o=rw) ]] || e2e_fail "create-demo-db left $E2E_DIR/demo.fdb open to others"
    fi
}

# e2e_write_ini DIR DATABASE
e2e_write_ini() {
    printf '[DATABASE]\nCAMINHO=%s\nUSUARIO=SYSDBA\nSENHA=masterkey\n' "$2" >"$1/caminhoBDIntegECF.ini"
    chmod 0644 "$1/caminhoBDIntegECF.ini"
}

# e2e_serve KIND [CONF] starts web server KIND (lighttpd, apache, nginx; with
# "-fastcgi" appended, running the programs in FastCGI mode) on a free port
# with /velmora.cgi and /broken.cgi mapped to the two programs, and exports
# E2E_BASE (http://127.0.0.1:PORT), E2E_PORT and E2E_SERVER_LOG.
# CONF: Apache directives added to its configuration.
e2e_serve() {
    local kind=$1 conf=${2:-} server=${1%-fastcgi} mode=cgi port
    [[ $kind == *-fastcgi ]] && mode=fastcgi
    # shellcheck source=tests/e2e/lib/webservers.sh
    source "$e2e_lib/webservers.sh"
    declare -F "e2e_${server}_start" >/dev/null || e2e_fail "unknown web server $kind"
    for _ in 1 2 3; do
        port=$(e2e_free_port)
        if "e2e_${server}_start" "$E2E_DIR/$kind" "$port" "$mode" "$conf"; then
            export E2E_BASE=http://127.0.0.1:$port E2E_PORT=$port
            return 0
        fi
        # Someone may have taken the port in between: try another.
        e2e_port_open "$port" || break
    done
    e2e_fail "$kind did not start"
}
