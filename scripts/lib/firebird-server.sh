#!/usr/bin/env bash
# Starts and stops a private Firebird server on 127.0.0.1 (default port 3052)
# for tests and local runs, without systemd and without touching
# /etc/firebird. Run it, or source it and call the functions.
#
#   scripts/lib/firebird-server.sh start [PORT]   # waits until it accepts connections
#   scripts/lib/firebird-server.sh stop [PORT]
#   scripts/lib/firebird-server.sh status [PORT]
#
# State lives in ${VELMORA_FIREBIRD_SERVER_DIR:-<repo>/run/firebird-server-PORT}:
# a private root, its own copy of the security database, lock and tmp
# directories and the guardian's pid file. Database files opened through this
# server must be reachable and writable by the user firebird.

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/lib/firebird-root.sh
source "$velmora_repo_root/scripts/lib/firebird-root.sh"

velmora_firebird_server_dir() {
    local port=${1:-3052}
    echo "${VELMORA_FIREBIRD_SERVER_DIR:-$velmora_repo_root/run/firebird-server-$port}"
}

# True while process PID exists and has not ended. A guardian whose server
# died ends too, but stays a zombie where nothing reaps orphans (PID 1 in
# many containers): that is not a running server.
velmora_firebird_pid_alive() {
    local state
    state=$(awk '/^State:/ { print $2 }' 2>/dev/null "/proc/$1/status") || return 1
    [[ -n $state && $state != Z ]]
}

# True when something accepts TCP connections on 127.0.0.1:PORT.
velmora_port_open() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

velmora_firebird_server_start() {
    (
        set -euo pipefail
        local port=${1:-3052}
        local dir
        dir=$(velmora_firebird_server_dir "$port")
        local pidfile=$dir/fbguard.pid

        if [[ -s $pidfile ]] && velmora_firebird_pid_alive "$(cat "$pidfile")"; then
            echo "Firebird server already running on port $port (pid $(cat "$pidfile"))"
            exit 0
        fi
        if velmora_port_open "$port"; then
            echo "port $port is already taken by another program" >&2
            exit 1
        fi
        if [[ $(id -u) -ne 0 ]]; then
            echo "starting the Firebird server needs root (it runs as user firebird)" >&2
            exit 1
        fi
        id firebird >/dev/null

        mkdir -p "$dir"
        chmod 0755 "$dir"
        velmora_firebird_root "$dir/root" databases.conf
        velmora_write_if_changed "$dir/root/firebird.conf" <<CONF
# Private server root (written by scripts/lib/firebird-server.sh).
ServerMode = Super
RemoteServicePort = $port
RemoteBindAddress = 127.0.0.1
UdfAccess = None
SecurityDatabase = $dir/security3.fdb
CONF
        # Our own security database: only one SuperServer may use a given one,
        # and the default one is the machine's. An alias in databases.conf
        # does not move it; SecurityDatabase above does.
        if [[ ! -s $dir/security3.fdb ]]; then
            install -o firebird -g firebird -m 0660 \
                /var/lib/firebird/3.0/system/security3.fdb "$dir/security3.fdb"
        fi
        velmora_write_if_changed "$dir/root/databases.conf" <<CONF
security.db = $dir/security3.fdb
{
	RemoteAccess = false
	DefaultDbCachePages = 50
}
CONF
        install -d -o firebird -g firebird -m 0770 "$dir/lock" "$dir/tmp"
        rm -f "$pidfile"

        # -onetime: if the server dies, the guardian ends too instead of
        # restarting it behind our back.
        setpriv --reuid=firebird --regid=firebird --init-groups \
            env FIREBIRD="$dir/root" FIREBIRD_LOCK="$dir/lock" FIREBIRD_TMP="$dir/tmp" \
            /usr/sbin/fbguard -onetime -pidfile "$dir/fbguard.run.pid" \
            </dev/null >>"$dir/server.log" 2>&1 &
        echo $! >"$pidfile"

        local i
        for ((i = 0; i < 100; i++)); do
            if velmora_port_open "$port"; then
                echo "Firebird server listening on 127.0.0.1:$port (pid $(cat "$pidfile"))"
                exit 0
            fi
            if ! velmora_firebird_pid_alive "$(cat "$pidfile")"; then
                break
            fi
            sleep 0.1
        done
        echo "Firebird server did not start on port $port; see $dir/server.log" >&2
        kill -TERM "$(cat "$pidfile")" 2>/dev/null || true
        rm -f "$pidfile"
        exit 1
    )
}

velmora_firebird_server_stop() {
    (
        set -euo pipefail
        local port=${1:-3052}
        local dir
        dir=$(velmora_firebird_server_dir "$port")
        local pidfile=$dir/fbguard.pid
        if [[ ! -s $pidfile ]]; then
            echo "no Firebird server of ours on port $port"
            exit 0
        fi
        local pid
        pid=$(cat "$pidfile")
        if velmora_firebird_pid_alive "$pid"; then
            # The guardian passes TERM on to the server and waits for it.
            kill -TERM "$pid"
            local i
            for ((i = 0; i < 100; i++)); do
                velmora_firebird_pid_alive "$pid" || break
                sleep 0.1
            done
            if velmora_firebird_pid_alive "$pid"; then
                echo "Firebird server (pid $pid) did not stop within 10 s" >&2
                exit 1
            fi
        fi
        rm -f "$pidfile" "$dir/fbguard.run.pid"
        echo "Firebird server on port $port stopped"
    )
}

velmora_firebird_server_status() {
    (
        set -euo pipefail
        local port=${1:-3052}
        local pidfile
        pidfile=$(velmora_firebird_server_dir "$port")/fbguard.pid
        if [[ -s $pidfile ]] && velmora_firebird_pid_alive "$(cat "$pidfile")" && velmora_port_open "$port"; then
            echo "running on 127.0.0.1:$port (pid $(cat "$pidfile"))"
        else
            echo "not running on port $port"
            exit 1
        fi
    )
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    case ${1:-} in
        start) velmora_firebird_server_start "${2:-3052}" ;;
        stop) velmora_firebird_server_stop "${2:-3052}" ;;
        status) velmora_firebird_server_status "${2:-3052}" ;;
        *)
            echo "usage: $0 start|stop|status [PORT]" >&2
            exit 2
            ;;
    esac
fi
