#!/usr/bin/env bash
# End-to-end: several web servers, one Firebird server, HAProxy in front, as
# the README's "Several web servers, one Firebird server" and "Upgrading" say.
#
# The package is built twice, as the version of packaging/changelog and as a
# next version (a changelog entry of this test's own). Each of three nodes is
# version 1 unpacked into a directory of its own, standing in for its root
# (the INI and the request log in it, the program's INI link pointing there):
# node1 and node2 are lighttpd starting the FastCGI processes (bin-path),
# node3 is nginx in front of spawn-fcgi's. One Firebird server holds the
# database; HAProxy balances the nodes, its health check the nodes' health
# path.
#
# cluster.py runs 64 terminals through HAProxy and a writer queueing changes,
# for at least VELMORA_CLUSTER_SECONDS (125 by default), while this script
# kills node3 (SIGKILL: nginx and the FastCGI processes), starts it again,
# restarts the Firebird server, and then upgrades the nodes one at a time to
# the next version: drained and put in maintenance through HAProxy's admin
# socket, FastCGI processes stopped, the next version unpacked over the node
# (its INI kept, as dpkg keeps a changed conffile), started, put back. Every
# moment of that goes to out/events, against which cluster.py judges the
# failed calls; it checks the rest and prints the figures.
#
#   tests/e2e/cluster_test.sh PROGRAM
#
# Needs root (the Firebird server runs as firebird, the nodes as www-data).
# The Firebird server's port is the first free one of
# VELMORA_TEST_CLUSTER_FB_PORTS (FIRST-LAST, 3085-3089 by default); the
# balancer and the nodes take theirs from VELMORA_TEST_WEB_PORTS.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"
# shellcheck source=scripts/lib/webserver.sh
source "$e2e_repo/scripts/lib/webserver.sh"
# shellcheck source=tests/e2e/lib/webservers.sh
source "$e2e_lib/webservers.sh"

program=${1:?path of the built velmora.cgi}
((EUID == 0)) || e2e_fail "needs root: the Firebird server runs as firebird, the nodes as www-data"
e2e_need haproxy socat lighttpd nginx spawn-fcgi dpkg-deb dpkg-parsechangelog isql-fb python3 curl
e2e_time_limit 290
seconds=${VELMORA_CLUSTER_SECONDS:-125}

e2e_workdir "$e2e_repo/demo"
out=$E2E_DIR/out
# since: seconds since the load started.
since() { awk -v now="$EPOCHREALTIME" -v t0="${started:-$EPOCHREALTIME}" 'BEGIN { printf "%5.1f s", now - t0 }'; }
say_at() { e2e_say "$(since) $*"; }
# note WHAT [NODE]: the moment, for cluster.py.
note() { echo "$EPOCHREALTIME $*" >>"$out/events"; }

# --- The Firebird server and the database it serves

source "$e2e_repo/scripts/lib/firebird-server.sh"
export VELMORA_FIREBIRD_SERVER_DIR=$E2E_DIR/firebird-server
range=${VELMORA_TEST_CLUSTER_FB_PORTS:-3085-3089}
fb_port=''
for ((port = ${range%-*}; port <= ${range#*-}; port++)); do
    e2e_port_open "$port" || { fb_port=$port; break; }
done
[[ -n $fb_port ]] || e2e_fail "no free port in $range for the Firebird server"
velmora_firebird_server_start "$fb_port" >/dev/null || e2e_fail "the Firebird server did not start"
e2e_on_exit "velmora_firebird_server_stop $fb_port >/dev/null"
chown firebird:firebird "$E2E_DIR/demo.fdb"
database=127.0.0.1/$fb_port:$E2E_DIR/demo.fdb
# isql-fb (cluster.py) logs in to the server as SYSDBA.
export ISC_PASSWORD=masterkey

# --- Two versions of the package

version1=$(dpkg-parsechangelog -l "$e2e_repo/packaging/changelog" -S Version)
version2=$version1+cluster1
{
    printf 'velmora (%s) unstable; urgency=medium\n\n  * The cluster test'"'"'s next version.\n\n' "$version2"
    printf ' -- Velmora team <velmora@example.com>  %s\n\n' "$(date -R)"
    cat "$e2e_repo/packaging/changelog"
} >"$E2E_DIR/changelog"
deb1=$("$e2e_repo/scripts/package" --program "$program" --out "$E2E_DIR")
deb2=$("$e2e_repo/scripts/package" --program "$program" --out "$E2E_DIR" --changelog "$E2E_DIR/changelog")

# --- Nodes: a package root each, a web server each

nodes=(node1 node2 node3)
declare -A kind=([node1]=lighttpd [node2]=lighttpd [node3]=nginx) port=() session=()

# unpack NODE DEB: DEB's files into the node's root as dpkg unpacks them,
# each a new file; conffiles the node has are kept (dpkg keeps one the
# administrator changed; the others are the same in both versions). The
# program finds its INI through a link to /etc/velmora: here, the node's.
unpack() {
    local root=$E2E_DIR/$1 deb=$2 conffile keep=()
    mkdir -p "$root"
    while read -r conffile; do
        [[ -e $root$conffile ]] && keep+=("--exclude=.$conffile")
    done < <(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$root" "${keep[@]}"
    ln -sfn "$root/etc/velmora/caminhoBDIntegECF.ini" "$root/usr/lib/velmora/caminhoBDIntegECF.ini"
}

# install NODE: version 1, with what its postinst does (the INI's group, the
# log's directory; group firebird stands in for velmora, which only the
# package test may create), and the administrator's edits of the INI: the
# database, the request log and the health path.
install_node() {
    local root=$E2E_DIR/$1
    unpack "$1" "$deb1"
    chown root:firebird "$root/etc/velmora/caminhoBDIntegECF.ini"
    install -d -o www-data -g firebird -m 2770 "$root/var/log/velmora"
    sed -i -e "s|^CAMINHO=.*|CAMINHO=$database|" -e 's/^USUARIO=.*/USUARIO=SYSDBA/' \
        -e 's/^SENHA=.*/SENHA=masterkey/' -e 's/^;\[LOG\]/[LOG]/' \
        -e "s|^;ARQUIVO=/var/log/velmora/|ARQUIVO=$root/var/log/velmora/|" \
        -e 's/^;\(\[HEALTH\]\|CAMINHO=\)/\1/' "$root/etc/velmora/caminhoBDIntegECF.ini"
    grep -q "^ARQUIVO=$root/" "$root/etc/velmora/caminhoBDIntegECF.ini" || e2e_fail "$1: the INI has no [LOG] to enable"
    grep -qx "CAMINHO=/health" "$root/etc/velmora/caminhoBDIntegECF.ini" || e2e_fail "$1: the INI has no [HEALTH] to enable"
    mkdir -p "$E2E_DIR/$1.web/run"
}

# ours PID NODE: PID is alive and one of NODE's (pids are reused quickly here).
ours() {
    [[ $(tr '\0' ' ' 2>/dev/null <"/proc/$1/cmdline") == *"$E2E_DIR/$2"* ]]
}

# The FastCGI processes of node3: the README's spawn-fcgi line, with the
# node's paths (and group firebird for velmora).
spawn_fastcgi() {
    local root=$E2E_DIR/$1 run=$E2E_DIR/$1.web/run
    env -i spawn-fcgi -s "$run/velmora.sock" -M 0660 -F 2 -P "$run/velmora.pid" \
        -u www-data -g firebird -U www-data -G firebird -- "$root/usr/lib/velmora/velmora.cgi" \
        >>"$E2E_DIR/$1.web/spawn-fcgi.log" 2>&1 || { cat "$E2E_DIR/$1.web/spawn-fcgi.log" >&2; return 1; }
}

# start NODE: its web server and FastCGI processes in a session of their own
# (spawn-fcgi's processes make one each), recorded in session[NODE].
start_node() {
    local node=$1 web=$E2E_DIR/$1.web program=$E2E_DIR/$1/usr/lib/velmora/velmora.cgi
    if [[ ${kind[$node]} == lighttpd ]]; then
        setsid bash -c 'source "$1"; velmora_web_start --fastcgi "$2" "$3" "$4" && wait' _ \
            "$e2e_repo/scripts/lib/webserver.sh" "$web" "${port[$node]}" "$program" </dev/null >>"$web/node.log" 2>&1 &
    else
        spawn_fastcgi "$node" || return 1
        sed "s|/run/velmora/|$web/run/|" "$E2E_DIR/$node/etc/nginx/snippets/velmora.conf" >"$web/velmora.conf"
        setsid bash -c 'source "$1"; source "$2"; e2e_nginx_serve "$3" "$4" "www-data firebird" "include $3/velmora.conf;" && wait' _ \
            "$e2e_lib/sandbox.sh" "$e2e_lib/webservers.sh" "$web" "${port[$node]}" </dev/null >>"$web/node.log" 2>&1 &
    fi
    session[$node]=$!
    # Killed, it is not news to the shell.
    disown "$!"
    e2e_wait_port "${port[$node]}" "${session[$node]}" "$web/node.log"
}

# fastcgi_pids NODE: spawn-fcgi's processes of node3, those still running.
fastcgi_pids() {
    local pid file=$E2E_DIR/$1.web/run/velmora.pid
    [[ -s $file ]] || return 0
    # The last line has no line break.
    while read -r pid || [[ -n $pid ]]; do
        ours "$pid" "$1" && echo "$pid"
    done <"$file"
    return 0
}

# kill_node NODE: SIGKILL to its web server and every FastCGI process at once.
kill_node() {
    local pids
    mapfile -t pids < <(fastcgi_pids "$1")
    kill -KILL -- "-${session[$1]}" "${pids[@]}"
}

# stop_fastcgi NODE: the FastCGI processes end after the call in hand: under
# lighttpd, with lighttpd; spawn-fcgi's as the README stops them.
stop_fastcgi() {
    local node=$1 pids pid i
    if [[ ${kind[$node]} == lighttpd ]]; then
        velmora_web_stop "$E2E_DIR/$node.web"
        return
    fi
    mapfile -t pids < <(fastcgi_pids "$node")
    ((${#pids[@]})) && kill -TERM "${pids[@]}"
    for pid in "${pids[@]}"; do
        for ((i = 0; i < 100; i++)); do
            velmora_web_alive "$pid" || break
            sleep 0.1
        done
        velmora_web_alive "$pid" && e2e_fail "$node: FastCGI process $pid did not end within 10 s"
    done
    return 0
}

start_fastcgi() {
    if [[ ${kind[$1]} == lighttpd ]]; then start_node "$1"; else spawn_fastcgi "$1"; fi
}

# stop_node NODE, at the end: whatever of it still runs, the whole session
# at once (a signal to the wrapper alone could end it before it stopped its
# web server). The session is ours while one of its processes is.
stop_node() {
    local node=$1 group=${session[$1]:-} pid i
    stop_fastcgi "$node" || true
    [[ -n $group ]] || return 0
    for pid in $(pgrep -g "$group"); do
        ours "$pid" "$node" && break
        pid=''
    done
    [[ -n ${pid:-} ]] || return 0
    kill -TERM -- "-$group" 2>/dev/null || return 0
    for ((i = 0; i < 100; i++)); do
        kill -0 -- "-$group" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null || true
}

for node in "${nodes[@]}"; do
    install_node "$node"
    port[$node]=$(e2e_free_port)
    e2e_on_exit "stop_node $node"
    start_node "$node" || e2e_fail "$node did not start"
done

# --- The balancer: the README's configuration, with this test's addresses

balancer=$E2E_DIR/haproxy
mkdir -p "$balancer"
balancer_port=$(e2e_free_port)
inter=1 fall=2
# Debian's haproxy.cfg has a global and a defaults section of this kind
# (there: logs to syslog, the admin socket in /run/haproxy); the frontend and
# backend are what the README adds to it.
cat >"$balancer/haproxy.cfg" <<CONF
global
    log stdout format iso local0
    stats socket $balancer/admin.sock mode 600 level admin

defaults
    log global
    mode http
    option httplog
    timeout connect 5s
    timeout client 60s
    timeout server 60s

frontend terminals
    bind 127.0.0.1:$balancer_port
    capture request header SOAPAction len 64
    default_backend velmora

backend velmora
    balance leastconn
    option httpchk GET /velmora.cgi/health
    http-check expect status 200
    http-check expect rstring ^ok$
    default-server check inter ${inter}s fall $fall rise 2 maxconn 4
    default-server observe layer4 error-limit 1 on-error mark-down
    timeout queue 30s
    timeout check 5s
    retries 2
    option redispatch 1
    retry-on conn-failure empty-response
    server node1 127.0.0.1:${port[node1]}
    server node2 127.0.0.1:${port[node2]}
    server node3 127.0.0.1:${port[node3]}
CONF
# The README shows the frontend and backend: every line but the addresses.
sed 's/^ *//' "$e2e_repo/README.md" >"$balancer/readme"
sed -n '/^frontend/,$p' "$balancer/haproxy.cfg" | sed 's/^ *//' | while IFS= read -r line; do
    [[ $line == *127.0.0.1* ]] && continue
    grep -qxF -- "$line" "$balancer/readme" || e2e_fail "README.md lacks the balancer's line: $line"
done
haproxy -db -f "$balancer/haproxy.cfg" </dev/null >"$balancer/haproxy.log" 2>"$balancer/haproxy.err" &
e2e_on_exit "e2e_stop_pid $!"
e2e_wait_port "$balancer_port" $! "$balancer/haproxy.err" || e2e_fail "HAProxy did not start"

# admin COMMAND: HAProxy's admin socket, as the README's Upgrading does it.
admin() {
    echo "$*" | socat stdio "unix-connect:$balancer/admin.sock"
}
# server_stat NODE FIELD: a field of "show stat" for NODE (status, scur ...).
server_stat() {
    admin "show stat" | awk -F, -v node="$1" -v field="$2" '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == field || $i == "# " field) column = i }
        $1 == "velmora" && $2 == node { print $column }'
}
# wait_for NODE FIELD VALUE: until "show stat" says so, 30 s at most.
wait_for() {
    local i
    for ((i = 0; i < 300; i++)); do
        [[ $(server_stat "$1" "$2") == "$3" ]] && return 0
        sleep 0.1
    done
    e2e_fail "$1: HAProxy's $2 is $(server_stat "$1" "$2"), not $3, after 30 s"
}
for node in "${nodes[@]}"; do
    wait_for "$node" status UP
done
for node in "${nodes[@]}"; do
    e2e_say "$node: ${kind[$node]} on 127.0.0.1:${port[$node]}"
done
e2e_say "HAProxy on 127.0.0.1:$balancer_port, the Firebird server on port $fb_port"
# HAProxy passes the terminals' Host on: the WSDL names the balancer.
address="http://127.0.0.1:$balancer_port/velmora.cgi/soap/IVelmora"
[[ $(curl -sS "http://127.0.0.1:$balancer_port/velmora.cgi/wsdl/IVelmora") == *"location=\"$address\""* ]] ||
    e2e_fail "the WSDL through HAProxy does not name $address"

# --- The run

args=(--url "http://127.0.0.1:$balancer_port/velmora.cgi" --db "$database" --out "$out"
    --haproxy-log "$balancer/haproxy.log" --haproxy-socket "$balancer/admin.sock" --down-within $((inter * fall)))
for node in "${nodes[@]}"; do
    args+=(--node "$node=$E2E_DIR/$node/var/log/velmora/requests.log")
done
timeout 280 python3 "$e2e_repo/tests/e2e/cluster.py" "${args[@]}" &
load=$!
e2e_on_exit "kill $load 2>/dev/null; wait $load 2>/dev/null"
for ((i = 0; i < 600; i++)); do
    [[ -s $out/started ]] && break
    kill -0 "$load" 2>/dev/null || e2e_fail "cluster.py ended before the load started"
    sleep 0.1
done
started=$(<"$out/started")
# at SECONDS: waits until that many seconds into the run.
at() {
    local left
    left=$(awk -v now="$EPOCHREALTIME" -v t0="$started" -v at="$1" 'BEGIN { print t0 + at - now }')
    [[ $left == -* ]] || sleep "$left"
}

at 12
say_at "SIGKILL to node3 (nginx and its FastCGI processes)"
note kill-begin node3
kill_node node3
note kill-end node3
at 27
start_node node3 || e2e_fail "node3 did not start again"
note restarted node3
say_at "node3 started again"

at 40
say_at "restarting the Firebird server"
note firebird-stop
velmora_firebird_server_stop "$fb_port" >/dev/null
velmora_firebird_server_start "$fb_port" >/dev/null || e2e_fail "the Firebird server did not start again"
note firebird-up
say_at "the Firebird server is back"
# The nodes' health checks failed meanwhile: HAProxy answers for them until
# they pass again (rise). A check under way at the restart ends first.
sleep "$inter"
for node in "${nodes[@]}"; do
    wait_for "$node" status UP
done
note nodes-up
say_at "the nodes pass their health checks again"

# The rolling upgrade, node by node, once node3 is back in the balancer.
at 52
wait_for node3 status UP
note upgrade-begin
for node in "${nodes[@]}"; do
    root=$E2E_DIR/$node
    ini=$root/etc/velmora/caminhoBDIntegECF.ini log=$root/var/log/velmora/requests.log
    before="$(stat -c '%i %U:%G %a' "$ini") $(sha256sum <"$ini") $(stat -c %i "$log")"
    admin "set server velmora/$node state drain" >/dev/null
    wait_for "$node" scur 0
    admin "set server velmora/$node state maint" >/dev/null
    stop_fastcgi "$node"
    unpack "$node" "$deb2"
    start_fastcgi "$node" || e2e_fail "$node did not start with version $version2"
    admin "set server velmora/$node state ready" >/dev/null
    wait_for "$node" status UP
    after="$(stat -c '%i %U:%G %a' "$ini") $(sha256sum <"$ini") $(stat -c %i "$log")"
    [[ $after == "$before" ]] || e2e_fail "$node: the INI or the log changed in the upgrade: $before -> $after"
    zgrep -q "($version2)" "$root/usr/share/doc/velmora/changelog.Debian.gz" || e2e_fail "$node is not $version2"
    say_at "$node upgraded to $version2 (INI and log kept)"
done
note upgrade-end

# Each process runs the program version 2 unpacked (the file, not the old one).
for node in "${nodes[@]}"; do
    program=$E2E_DIR/$node/usr/lib/velmora/velmora.cgi
    for pid in $(pgrep -f "^$program\$"); do
        [[ $(stat -L -c %i "/proc/$pid/exe") == $(stat -c %i "$program") ]] ||
            e2e_fail "$node: process $pid still runs the old program"
    done
done

at "$seconds"
note stop
touch "$out/stop"
say_at "stopping the load; the terminals import and acknowledge what is left"
if ! wait "$load"; then
    for node in "${nodes[@]}"; do
        echo "e2e: $node's web server log:" >&2
        tail -n 20 "$E2E_DIR/$node.web/error.log" >&2 || true
    done
    exit 1
fi
