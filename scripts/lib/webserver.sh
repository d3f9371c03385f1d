#!/usr/bin/env bash
# Serves the CGI program through lighttpd on 127.0.0.1, passing the embedded
# Firebird environment on to it. Source it and call the functions, or run it:
#
#   scripts/lib/webserver.sh start DIR PORT [PROGRAM]   # returns once it listens
#   scripts/lib/webserver.sh stop DIR
#   scripts/lib/webserver.sh status DIR
#
# DIR keeps the server's state: lighttpd.conf, htdocs/ (only a link named like
# the program, so nothing else can be fetched), error.log and lighttpd.pid.
# PROGRAM (default build/velmora.cgi) is reached as http://127.0.0.1:PORT/NAME
# with the path after it in PATH_INFO, e.g. /velmora.cgi/soap/IVelmora. It
# reads caminhoBDIntegECF.ini from its own directory: to serve another
# database, serve a copy of the program that has its own INI beside it.
#
# The CGI processes get FIREBIRD, FIREBIRD_LOCK and FIREBIRD_TMP from the
# caller's environment (scripts/lib/firebird-env.sh is sourced when they are
# unset), so a caller that opens the same database shares its lock directory.
#
# Users: started by root, lighttpd runs its CGI processes as www-data with
# primary group firebird. An engine running as root leaves its lock files
# (fb_init, fb_lock_*) to firebird:firebird with mode 0660, and the engine
# hands the files it creates to the group firebird too; so root, the tests and
# the web server can share one lock directory without changing any account.
# www-data must be able to reach the program, the Firebird directories and
# the database: a directory on the way that bars it (a repository under /root,
# mode 0700) is given search permission for others (o+x, not read), and a
# line on stderr says so for directories outside the repository. Started by
# another user, lighttpd and its CGI processes simply run as that user.

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
velmora_web_user=www-data
velmora_web_group=firebird

# Runs a command with the identity the CGI processes get.
velmora_web_as_user() {
    if ((EUID == 0)); then
        setpriv --reuid="$velmora_web_user" --regid="$velmora_web_group" --init-groups "$@"
    else
        "$@"
    fi
}

# velmora_web_url PORT [PROGRAM] prints the address of the program.
velmora_web_url() {
    local program=${2:-$velmora_repo_root/build/velmora.cgi}
    echo "http://127.0.0.1:$1/${program##*/}"
}

# velmora_web_ini_database INI prints CAMINHO of its [DATABASE] section, read
# the way the service reads it (names in any case, blanks trimmed, first wins).
velmora_web_ini_database() {
    awk '
        function trim(s) { gsub(/^[ \t\r]+|[ \t\r]+$/, "", s); return s }
        { line = trim($0) }
        line == "" || line ~ /^;/ { next }
        line ~ /^\[.*\]$/ { section = tolower(trim(substr(line, 2, length(line) - 2))); next }
        section == "database" {
            i = index(line, "=")
            if (i && tolower(trim(substr(line, 1, i - 1))) == "caminho") { print trim(substr(line, i + 1)); exit }
        }' "$1"
}

# velmora_web_write_ini DIR DATABASE writes DIR/caminhoBDIntegECF.ini for an
# embedded DATABASE unless the file exists: a user's INI is never replaced.
velmora_web_write_ini() {
    (
        set -euo pipefail
        local ini=$1/caminhoBDIntegECF.ini
        [[ -e $ini ]] && exit 0
        local tmp
        tmp=$(mktemp "$ini.XXXXXX")
        printf '[DATABASE]\nCAMINHO=%s\nUSUARIO=SYSDBA\nSENHA=masterkey\n' "$2" >"$tmp"
        chmod 0644 "$tmp"
        mv -f "$tmp" "$ini"
    )
}

# True when something accepts TCP connections on 127.0.0.1:PORT.
velmora_web_port_open() {
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# True while process PID exists and has not ended (a zombie has).
velmora_web_alive() {
    local state
    state=$(awk '/^State:/ { print $2 }' 2>/dev/null "/proc/$1/status") || return 1
    [[ -n $state && $state != Z ]]
}

# Prints the pid recorded in DIR when it is still our lighttpd for DIR (not a
# stale file, not a recycled pid, not a zombie); fails otherwise.
velmora_web_pid() {
    local dir=$1 pid cmdline
    [[ -s $dir/lighttpd.pid ]] || return 1
    pid=$(<"$dir/lighttpd.pid")
    cmdline=$(tr '\0' ' ' 2>/dev/null <"/proc/$pid/cmdline") || return 1
    [[ $cmdline == *lighttpd*"$dir/lighttpd.conf"* ]] || return 1
    velmora_web_alive "$pid" || return 1
    echo "$pid"
}

# velmora_web_reach PATH... gives the web server's user search permission on
# every directory that leads to each PATH, through symlinks as well.
velmora_web_reach() {
    ((EUID == 0)) || return 0
    (
        set -euo pipefail
        local -A seen=()
        local path start dir real
        local -a dirs
        for path in "$@"; do
            # The real path first, so that links on the other one resolve.
            for start in "$(realpath -m "$path")" "$path"; do
                [[ -d $start ]] || start=$(dirname "$start")
                # From / downwards: a directory is only testable once the
                # ones above it are open.
                dirs=()
                dir=$start
                while :; do
                    dirs=("$dir" "${dirs[@]}")
                    [[ $dir == / ]] && break
                    dir=$(dirname "$dir")
                done
                for dir in "${dirs[@]}"; do
                    [[ -n ${seen[$dir]:-} ]] && continue
                    seen[$dir]=1
                    velmora_web_as_user test -x "$dir" && continue
                    chmod o+x "$dir"
                    real=$(realpath -m "$dir")
                    case $real/ in
                        "$(realpath -m "$velmora_repo_root")"/*) ;;
                        *) echo "webserver: gave others search permission (o+x) on $dir so that $velmora_web_user can reach the service" >&2 ;;
                    esac
                done
            done
        done
    )
}

# velmora_web_check PROGRAM fails when the CGI processes could not run
# PROGRAM or use the Firebird directories, and warns about an INI or embedded
# database they could not use: the service would answer every call with a
# fault.
velmora_web_check() {
    (
        set -uo pipefail
        local program=$1 who=$velmora_web_user:$velmora_web_group ok=0
        ((EUID == 0)) || who=$(id -un)
        velmora_web_as_user test -x "$program" ||
            { echo "webserver: $who cannot run $program" >&2; ok=1; }
        velmora_web_as_user test -r "$FIREBIRD/firebird.conf" ||
            { echo "webserver: $who cannot read $FIREBIRD/firebird.conf" >&2; ok=1; }
        local d
        for d in "$FIREBIRD_LOCK" "$FIREBIRD_TMP"; do
            velmora_web_as_user test -w "$d" -a -x "$d" ||
                { echo "webserver: $who cannot write in $d" >&2; ok=1; }
        done
        local ini db
        ini=$(dirname "$program")/caminhoBDIntegECF.ini
        if [[ ! -e $ini ]]; then
            echo "webserver: warning: $ini is missing; every call will fail" >&2
        elif ! velmora_web_as_user test -r "$ini"; then
            echo "webserver: warning: $who cannot read $ini" >&2
        else
            db=$(velmora_web_ini_database "$ini")
            # Only a plain file path opens the database inside the CGI
            # process; host:path and the like go to a server.
            if [[ $db == /* ]] && ! velmora_web_as_user test -r "$db" -a -w "$db"; then
                echo "webserver: warning: $who cannot read and write $db (embedded Firebird needs both)" >&2
            fi
        fi
        exit "$ok"
    )
}

# velmora_web_config DIR PORT PROGRAM writes DIR/lighttpd.conf and the link
# DIR/htdocs/NAME -> PROGRAM. Uses FIREBIRD, FIREBIRD_LOCK and FIREBIRD_TMP.
velmora_web_config() {
    (
        set -euo pipefail
        local dir=$1 port=$2 program=$3 value
        for value in "$dir" "$program" "$FIREBIRD" "$FIREBIRD_LOCK" "$FIREBIRD_TMP"; do
            if [[ $value == *[\"\\[:cntrl:]]* ]]; then
                echo "webserver: cannot put $value in lighttpd.conf (quote, backslash or control character)" >&2
                exit 1
            fi
        done
        mkdir -p "$dir/htdocs"
        chmod 0755 "$dir" "$dir/htdocs"
        ln -sfn "$program" "$dir/htdocs/${program##*/}"

        local users=
        if ((EUID == 0)); then
            users="server.username = \"$velmora_web_user\"
server.groupname = \"$velmora_web_group\""
        fi
        cat >"$dir/lighttpd.conf.new" <<CONF
# Written by scripts/lib/webserver.sh; rewritten on every start.
server.modules = ( "mod_setenv", "mod_cgi" )
server.bind = "127.0.0.1"
server.port = $port
server.document-root = "$dir/htdocs"
server.errorlog = "$dir/error.log"
$users

# htdocs holds only the link to the program; its name ends in .cgi, so the
# rest of the URL path becomes PATH_INFO and SCRIPT_NAME is /${program##*/}.
cgi.assign = ( ".cgi" => "" )

# A CGI process starts with an almost empty environment; embedded Firebird
# needs its private root and the lock directory every user of the file shares.
setenv.add-environment = (
    "FIREBIRD" => "$FIREBIRD",
    "FIREBIRD_LOCK" => "$FIREBIRD_LOCK",
    "FIREBIRD_TMP" => "$FIREBIRD_TMP",
)
CONF
        # Settings a caller adds (bench/run stream compares some).
        if [[ -n ${VELMORA_WEB_EXTRA_CONF:-} ]]; then
            printf '\n%s\n' "$VELMORA_WEB_EXTRA_CONF" >>"$dir/lighttpd.conf.new"
        fi
        mv -f "$dir/lighttpd.conf.new" "$dir/lighttpd.conf"
    )
}

# velmora_web_start DIR PORT [PROGRAM] starts lighttpd in the background of
# the calling shell and returns once it accepts connections; the pid is in
# VELMORA_WEB_PID (the caller may `wait` for it) and in DIR/lighttpd.pid.
velmora_web_start() {
    local dir=${1:?webserver: DIR missing} port=${2:?webserver: PORT missing}
    local program=${3:-$velmora_repo_root/build/velmora.cgi}
    if [[ ! $port =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then
        echo "webserver: bad port $port" >&2
        return 1
    fi
    if ! command -v lighttpd >/dev/null; then
        echo "webserver: lighttpd is missing; run scripts/setup first" >&2
        return 1
    fi
    if [[ ! -f $program ]]; then
        echo "webserver: $program is missing; run scripts/build first" >&2
        return 1
    fi
    mkdir -p "$dir" || return 1
    dir=$(cd "$dir" && pwd) || return 1
    program="$(cd "$(dirname "$program")" && pwd)/${program##*/}" || return 1
    local pid
    if pid=$(velmora_web_pid "$dir"); then
        echo "webserver: already running for $dir (pid $pid)" >&2
        return 1
    fi
    if velmora_web_port_open "$port"; then
        echo "webserver: port $port is already taken" >&2
        return 1
    fi
    if [[ -z ${FIREBIRD:-} || -z ${FIREBIRD_LOCK:-} || -z ${FIREBIRD_TMP:-} ]]; then
        # shellcheck source=scripts/lib/firebird-env.sh
        source "$velmora_repo_root/scripts/lib/firebird-env.sh" || return 1
    fi
    velmora_web_config "$dir" "$port" "$program" || return 1
    velmora_web_reach "$program" "$dir/htdocs" "$FIREBIRD" "$FIREBIRD_LOCK" "$FIREBIRD_TMP" || return 1
    local ini db
    ini=$(dirname "$program")/caminhoBDIntegECF.ini
    if [[ -r $ini ]]; then
        db=$(velmora_web_ini_database "$ini")
        if [[ $db == /* && -e $db ]]; then
            velmora_web_reach "$db" || return 1
        fi
    fi
    velmora_web_check "$program" || return 1

    # lighttpd opens its error log after it has become the web server's user.
    : >"$dir/error.log" || return 1
    if ((EUID == 0)); then
        chown "$velmora_web_user:$velmora_web_group" "$dir/error.log" || return 1
    fi
    lighttpd -D -f "$dir/lighttpd.conf" </dev/null >>"$dir/error.log" 2>&1 &
    VELMORA_WEB_PID=$!
    echo "$VELMORA_WEB_PID" >"$dir/lighttpd.pid"

    # Just after the fork the child may not be lighttpd yet, so readiness
    # follows the pid itself rather than velmora_web_pid.
    local i
    for ((i = 0; i < 100; i++)); do
        velmora_web_alive "$VELMORA_WEB_PID" || break
        if velmora_web_port_open "$port"; then
            return 0
        fi
        sleep 0.1
    done
    echo "webserver: lighttpd did not start on 127.0.0.1:$port; $dir/error.log says:" >&2
    tail -n 20 "$dir/error.log" >&2
    kill -TERM "$VELMORA_WEB_PID" 2>/dev/null || true
    wait "$VELMORA_WEB_PID" 2>/dev/null || true
    rm -f "$dir/lighttpd.pid"
    return 1
}

# velmora_web_stop DIR stops the lighttpd of DIR and waits until it is gone.
velmora_web_stop() {
    local dir=${1:?webserver: DIR missing} pid i
    dir=$(cd "$dir" 2>/dev/null && pwd) || return 0
    if ! pid=$(velmora_web_pid "$dir"); then
        rm -f "$dir/lighttpd.pid"
        return 0
    fi
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 100; i++)); do
        velmora_web_pid "$dir" >/dev/null || break
        sleep 0.1
    done
    if velmora_web_pid "$dir" >/dev/null; then
        echo "webserver: lighttpd (pid $pid) did not stop within 10 s" >&2
        return 1
    fi
    # Reap it when it is our own child, so that no zombie is left behind.
    wait "$pid" 2>/dev/null || true
    rm -f "$dir/lighttpd.pid"
    return 0
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    case ${1:-} in
        start)
            (($# >= 3)) || { echo "usage: $0 start DIR PORT [PROGRAM]" >&2; exit 2; }
            velmora_web_start "$2" "$3" "${4:-}"
            echo "lighttpd listening: $(velmora_web_url "$3" "${4:-}") (pid $VELMORA_WEB_PID)"
            ;;
        stop)
            (($# == 2)) || { echo "usage: $0 stop DIR" >&2; exit 2; }
            velmora_web_stop "$2"
            ;;
        status)
            (($# == 2)) || { echo "usage: $0 status DIR" >&2; exit 2; }
            if pid=$(velmora_web_pid "$(cd "$2" 2>/dev/null && pwd)"); then
                echo "running (pid $pid)"
            else
                echo "not running"
                exit 1
            fi
            ;;
        *)
            echo "usage: $0 start DIR PORT [PROGRAM] | stop DIR | status DIR" >&2
            exit 2
            ;;
    esac
fi
