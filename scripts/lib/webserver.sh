#!/usr/bin/env bash
# Serves the program through lighttpd on 127.0.0.1, as CGI or in FastCGI
# mode, passing the embedded Firebird environment on to it. Source it and call
# the functions, or run it:
#
#   scripts/lib/webserver.sh start [--fastcgi] DIR PORT [PROGRAM...]   # returns once it listens
#   scripts/lib/webserver.sh stop DIR
#   scripts/lib/webserver.sh status DIR
#
# DIR keeps the server's state: lighttpd.conf, htdocs/ (only links named like
# the programs, so nothing else can be fetched), run/ (FastCGI sockets),
# error.log and lighttpd.pid. Each PROGRAM (default build/velmora.cgi) is
# reached as http://127.0.0.1:PORT/NAME, NAME its file name, with the path
# after it in PATH_INFO, e.g. /velmora.cgi/soap/IVelmora. A program reads
# caminhoBDIntegECF.ini from its own directory: to serve another database,
# serve a copy of the program that has its own INI beside it.
#
# --fastcgi: lighttpd starts each program itself (bin-path) as
# VELMORA_WEB_FASTCGI_PROCS processes (default 2) on a socket in DIR/run, and
# starts a new one whenever one ends; they serve request after request.
#
# The programs get FIREBIRD, FIREBIRD_LOCK, FIREBIRD_TMP and LD_LIBRARY_PATH
# from the caller's environment (scripts/lib/firebird-env.sh is sourced when
# the first three are unset), so a caller that opens the same database shares
# its lock directory.
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

# velmora_web_config DIR PORT MODE PROGRAM... writes DIR/lighttpd.conf (MODE
# cgi or fastcgi) and the links DIR/htdocs/NAME -> PROGRAM. Uses FIREBIRD,
# FIREBIRD_LOCK, FIREBIRD_TMP and LD_LIBRARY_PATH.
velmora_web_config() {
    (
        set -euo pipefail
        local dir=$1 port=$2 mode=$3 program value
        shift 3
        for value in "$dir" "$@" "$FIREBIRD" "$FIREBIRD_LOCK" "$FIREBIRD_TMP" "${LD_LIBRARY_PATH:-}"; do
            if [[ $value == *[\"\\[:cntrl:]]* ]]; then
                echo "webserver: cannot put $value in lighttpd.conf (quote, backslash or control character)" >&2
                exit 1
            fi
        done
        mkdir -p "$dir/htdocs" "$dir/run"
        chmod 0755 "$dir" "$dir/htdocs"
        for program in "$@"; do
            ln -sfn "$program" "$dir/htdocs/${program##*/}"
        done

        local users=
        if ((EUID == 0)); then
            users="server.username = \"$velmora_web_user\"
server.groupname = \"$velmora_web_group\""
            # The FastCGI processes make their sockets as that user.
            chown "$velmora_web_user:$velmora_web_group" "$dir/run"
        fi
        chmod 0750 "$dir/run"
        # A CGI process starts with an almost empty environment; embedded
        # Firebird needs its private root and the lock directory every user
        # of the file shares, and starts faster with the root's ICU
        # placeholders on the loader's path.
        local environment="
    \"FIREBIRD\" => \"$FIREBIRD\",
    \"FIREBIRD_LOCK\" => \"$FIREBIRD_LOCK\",
    \"FIREBIRD_TMP\" => \"$FIREBIRD_TMP\","
        if [[ -n ${LD_LIBRARY_PATH:-} ]]; then
            environment+="
    \"LD_LIBRARY_PATH\" => \"$LD_LIBRARY_PATH\","
        fi
        {
            cat <<CONF
# Written by scripts/lib/webserver.sh; rewritten on every start.
server.bind = "127.0.0.1"
server.port = $port
server.document-root = "$dir/htdocs"
server.errorlog = "$dir/error.log"
$users
CONF
            if [[ $mode == cgi ]]; then
                cat <<CONF
server.modules = ( "mod_setenv", "mod_cgi" )

# htdocs holds only the links to the programs; their names end in .cgi, so
# the rest of the URL path becomes PATH_INFO and SCRIPT_NAME is /NAME.
cgi.assign = ( ".cgi" => "" )
setenv.add-environment = ($environment
)
CONF
            else
                if [[ -n ${VELMORA_MAX_REQUESTS:-} ]]; then
                    environment+="
    \"VELMORA_MAX_REQUESTS\" => \"$VELMORA_MAX_REQUESTS\","
                fi
                cat <<CONF
server.modules = ( "mod_fastcgi" )

# lighttpd starts each program (bin-path) with a listening socket as its
# standard input and starts another whenever one ends. A key that begins
# with / is a URL prefix: SCRIPT_NAME is /NAME and the rest of the path
# PATH_INFO. The processes get only bin-environment, nothing of lighttpd's.
fastcgi.server = (
CONF
                for program in "$@"; do
                    cat <<CONF
    "/${program##*/}" => ( (
        "bin-path" => "$program",
        "socket" => "$dir/run/${program##*/}.sock",
        "max-procs" => ${VELMORA_WEB_FASTCGI_PROCS:-2},
        "check-local" => "disable",
        "bin-environment" => ($environment
        ),
    ) ),
CONF
                done
                echo ")"
            fi
            # Settings a caller adds (bench/run stream compares some).
            if [[ -n ${VELMORA_WEB_EXTRA_CONF:-} ]]; then
                printf '\n%s\n' "$VELMORA_WEB_EXTRA_CONF"
            fi
        } >"$dir/lighttpd.conf.new"
        mv -f "$dir/lighttpd.conf.new" "$dir/lighttpd.conf"
    )
}

# velmora_web_start [--fastcgi] DIR PORT [PROGRAM...] starts lighttpd in the
# background of the calling shell and returns once it accepts connections;
# the pid is in VELMORA_WEB_PID (the caller may `wait` for it) and in
# DIR/lighttpd.pid.
velmora_web_start() {
    local mode=cgi
    if [[ ${1:-} == --fastcgi ]]; then
        mode=fastcgi
        shift
    fi
    local dir=${1:?webserver: DIR missing} port=${2:?webserver: PORT missing}
    shift 2
    local -a programs=("$@")
    ((${#programs[@]} > 0)) || programs=("$velmora_repo_root/build/velmora.cgi")
    if [[ ! $port =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then
        echo "webserver: bad port $port" >&2
        return 1
    fi
    if ! command -v lighttpd >/dev/null; then
        echo "webserver: lighttpd is missing; run scripts/setup first" >&2
        return 1
    fi
    local i program
    for i in "${!programs[@]}"; do
        program=${programs[i]}
        if [[ ! -f $program ]]; then
            echo "webserver: $program is missing; run scripts/build first" >&2
            return 1
        fi
        programs[i]="$(cd "$(dirname "$program")" && pwd)/${program##*/}" || return 1
    done
    mkdir -p "$dir" || return 1
    dir=$(cd "$dir" && pwd) || return 1
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
    velmora_web_config "$dir" "$port" "$mode" "${programs[@]}" || return 1
    velmora_web_reach "${programs[@]}" "$dir/htdocs" "$dir/run" "$FIREBIRD" "$FIREBIRD_LOCK" "$FIREBIRD_TMP" ||
        return 1
    local ini db
    for program in "${programs[@]}"; do
        ini=$(dirname "$program")/caminhoBDIntegECF.ini
        if [[ -r $ini ]]; then
            db=$(velmora_web_ini_database "$ini")
            if [[ $db == /* && -e $db ]]; then
                velmora_web_reach "$db" || return 1
            fi
        fi
        velmora_web_check "$program" || return 1
    done

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
    # FastCGI processes lighttpd started end after the request in hand, and
    # perhaps after lighttpd: the caller may remove their files once they
    # are gone.
    local -a children
    mapfile -t children < <(pgrep -P "$pid" || true)
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 100; i++)); do
        velmora_web_pid "$dir" >/dev/null || break
        sleep 0.1
    done
    if velmora_web_pid "$dir" >/dev/null; then
        echo "webserver: lighttpd (pid $pid) did not stop within 10 s" >&2
        return 1
    fi
    local child
    for child in "${children[@]}"; do
        for ((i = 0; i < 300; i++)); do
            velmora_web_alive "$child" || break
            sleep 0.1
        done
    done
    # Reap it when it is our own child, so that no zombie is left behind.
    wait "$pid" 2>/dev/null || true
    rm -f "$dir/lighttpd.pid"
    return 0
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    case ${1:-} in
        start)
            shift
            option=()
            [[ ${1:-} == --fastcgi ]] && { option=(--fastcgi); shift; }
            (($# >= 2)) || { echo "usage: $0 start [--fastcgi] DIR PORT [PROGRAM...]" >&2; exit 2; }
            velmora_web_start "${option[@]}" "$@"
            echo "lighttpd listening: $(velmora_web_url "$2" "${3:-}") (pid $VELMORA_WEB_PID)"
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
            echo "usage: $0 start [--fastcgi] DIR PORT [PROGRAM...] | stop DIR | status DIR" >&2
            exit 2
            ;;
    esac
fi
