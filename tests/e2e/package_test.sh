#!/usr/bin/env bash
# End-to-end: the Debian package of scripts/package on this machine, set up
# as the README's "The Debian package" says. lintian finds no error in it;
# installed, the INI belongs to group velmora, its systemd units and
# logrotate entry pass their tools' checks, and the engine's environment
# has its ICU placeholders; a demo database built from its own demo SQL is
# served, 12 calls at once, through its Apache and lighttpd snippets (CGI)
# and through its nginx snippet in front of the documented spawn-fcgi line
# (FastCGI), all with the Firebird environment the package prepares, and
# answers the health path. Under Apache, logrotate rotates the request log
# with the shipped entry three times while calls run: every call has its
# line, whole, in one of the files, and group adm (mtail) can read the log.
# velmora-admin checks the installation and reads the queue with the
# environment of the queue metrics' service. Removed, only its
# configuration stays; purged, nothing.
# Needs root, and a machine where velmora is not installed (it would be
# removed). Enables nothing system-wide and starts no system service; the
# group memberships it gives (www-data and velmora) are taken back.
#
#   tests/e2e/package_test.sh PROGRAM
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

program=${1:?path of the built velmora.cgi}

((EUID == 0)) || e2e_fail "installing a package needs root"
e2e_need dpkg-deb lintian apache2 lighttpd nginx spawn-fcgi logrotate systemd-analyze adduser isql-fb curl python3 setpriv
if dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null | grep -qv '^not-installed$'; then
    e2e_fail "a velmora package is installed here already; this test would remove it"
fi

e2e_time_limit 280
e2e_workdir
# Only what the package ships may reach the programs: no sandbox environment.
unset FIREBIRD FIREBIRD_LOCK FIREBIRD_TMP

check() {
    local what=$1
    shift
    if "$@"; then
        e2e_say "ok   $what"
    else
        e2e_fail "$what"
    fi
}

# member USER GROUP: adds USER to GROUP, as the README says, until the end.
member() {
    id -nG "$1" | tr ' ' '\n' | grep -qx "$2" && return 0
    adduser --quiet "$1" "$2"
    e2e_on_exit "gpasswd -d $1 $2 >/dev/null 2>&1"
}

deb=$("$e2e_repo/scripts/package" --program "$program" --out "$E2E_DIR")
# (lintian warns that it runs as root: that is this test's condition.)
check "lintian finds no error" lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2)

# Everything the package puts on the machine, and which of it is configuration.
mapfile -t files < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./\(.*[^/]\)$|/\1|p')
mapfile -t conffiles < <(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)
# Debian keeps system users after a purge; this machine gets back to where it was.
if ! getent passwd velmora >/dev/null; then
    e2e_on_exit "deluser --quiet --system velmora >/dev/null 2>&1; delgroup --quiet --system velmora >/dev/null 2>&1"
fi
e2e_on_exit "dpkg --purge velmora >/dev/null 2>&1"
dpkg --install "$deb" >"$E2E_DIR/out/dpkg.log" 2>&1 || { cat "$E2E_DIR/out/dpkg.log" >&2; e2e_fail "dpkg --install"; }

ini=/etc/velmora/caminhoBDIntegECF.ini
check "the INI is root:velmora 0640, as its dpkg-statoverride says" \
    test "$(stat -c '%U:%G %a' "$ini") / $(dpkg-statoverride --list "$ini")" = "root:velmora 640 / root velmora 640 $ini"
check "the program finds its INI beside it" test "$(readlink -f /usr/lib/velmora/caminhoBDIntegECF.ini)" = "$ini"
check "no snippet is enabled" test ! -e /etc/apache2/conf-enabled/velmora.conf -a \
    ! -e /etc/lighttpd/conf-enabled/50-velmora.conf
units=(/lib/systemd/system/velmora.socket /lib/systemd/system/velmora.service
    /lib/systemd/system/velmora-queue-metrics.service /lib/systemd/system/velmora-queue-metrics.timer)
check "systemd-analyze verify passes the units silently; the service restarts" \
    test "$(systemd-analyze verify "${units[@]}" 2>&1 && grep -x 'Restart=always' "${units[1]}")" = Restart=always
check "velmora-admin, from /usr/sbin, is the package's version" \
    test "$(velmora-admin version | head -n 1)" = "velmora $(dpkg-query -W -f='${Version}' velmora)"
check "the engine's root has its ICU placeholders" test -n "$(ls /var/lib/velmora/firebird/root/icu-absent)"
check "logrotate -d accepts the logrotate entry" test "$(logrotate -d /etc/logrotate.d/velmora 2>&1 | grep -ci error)" = 0

# The demo database from the shipped SQL with the package's Firebird
# environment, named in the shipped INI with the request log and the health
# path on (the administrator's edits), and the group memberships, as the
# README says.
fb=/var/lib/velmora/firebird
fb_env=("FIREBIRD=$fb/root" "FIREBIRD_LOCK=$fb/lock" "FIREBIRD_TMP=$fb/tmp" "LD_LIBRARY_PATH=$fb/root/icu-absent")
db=$E2E_DIR/demo.fdb
(
    export "${fb_env[@]}"
    printf "SET SQL DIALECT 1;\nCREATE DATABASE '%s' USER 'SYSDBA' PAGE_SIZE 8192 DEFAULT CHARACTER SET WIN1252;\n" "$db" |
        isql-fb -q -b -ch UTF8
    isql-fb -q -b -user SYSDBA -ch UTF8 -i /usr/share/velmora/demo/schema.sql "$db"
    isql-fb -q -b -user SYSDBA -ch UTF8 -i /usr/share/velmora/demo/data.sql "$db"
) >"$E2E_DIR/out/isql.log" 2>&1 || { cat "$E2E_DIR/out/isql.log" >&2; e2e_fail "the demo database from /usr/share/velmora/demo"; }
chown root:firebird "$db"
chmod 0660 "$db"
sed -i -e "s|^CAMINHO=.*|CAMINHO=$db|" -e 's/^USUARIO=.*/USUARIO=SYSDBA/' \
    -e 's/^;\(\[LOG\]\|ARQUIVO=\|\[HEALTH\]\|CAMINHO=\)/\1/' "$ini"
member www-data velmora
member www-data firebird
member velmora firebird

# calls URL [import]: 12 BuscaEstoque at once, each answering the demo's
# stock; with "import", first ImportaProdutos as the demo data says and a
# 403 for an address the snippets do not allow.
calls() {
    PYTHONPATH=$e2e_lib timeout 120 python3 - "$@" <<'PY'
import sys
from concurrent.futures import ThreadPoolExecutor
import demo_expectations as demo
import soap_wire as wire

script, import_first = sys.argv[1], sys.argv[2:] == ['import']
problems = []
if import_first:
    reply = wire.post(script, 'ImportaProdutos', demo.COMPANY, demo.TERMINAL)
    records = wire.decode(reply.body, 'ImportaProdutos')
    problems += [f'status {reply.status}'] if reply.status != 200 else []
    problems += [repr(records)] if not isinstance(records, list) else demo.compare(demo.IMPORTS['ImportaProdutos'], records)
    refused = wire.post(script, 'ImportaProdutos', demo.COMPANY, demo.TERMINAL, curl=('--interface', '127.0.0.2'))
    problems += [f'127.0.0.2 got status {refused.status}'] if refused.status != 403 else []

def stock(_):
    reply = wire.post(script, 'BuscaEstoque', '1', '7891000100103', 'UN')
    return reply.status, wire.decode(reply.body, 'BuscaEstoque')

with ThreadPoolExecutor(12) as pool:
    answers = list(pool.map(stock, range(12)))
problems += [f'BuscaEstoque: status {status}, {value!r}' for status, value in answers if (status, value) != (200, 42.5)]
print('\n'.join(problems) or f'e2e: ok   {script}: 12 BuscaEstoque at once' +
      (', ImportaProdutos as the demo data says, 403 for 127.0.0.2' if import_first else ''))
sys.exit(1 if problems else 0)
PY
}

# Apache with the shipped snippet only, its CGI processes as Debian's own
# Apache runs them (www-data, with its groups).
e2e_serve apache $'Include /etc/apache2/conf-available/velmora.conf\nGroup www-data'
calls "$E2E_BASE/velmora.cgi" import || e2e_fail "the installed service under Apache"

check "the health path answers ok" test "$(curl -sS "$E2E_BASE/velmora.cgi/health")" = ok
env "${fb_env[@]}" velmora-admin check --as www-data >"$E2E_DIR/out/check.txt" 2>&1 ||
    e2e_fail "velmora-admin check --as www-data: $(grep -v '^OK' "$E2E_DIR/out/check.txt")"
e2e_say "ok   velmora-admin check --as www-data passes every check"
# The queue metrics' service as systemd runs it, its sandbox aside: its
# command (writing here, not to node_exporter's directory), its environment.
unit=/lib/systemd/system/velmora-queue-metrics.service
mapfile -t unit_env < <(sed -n 's/^Environment=//p' "$unit")
read -ra command < <(sed -n "/^ExecStart=/{s|^ExecStart=||; s|/var/lib/prometheus/node-exporter/|$E2E_DIR/|p}" "$unit")
env -i "${unit_env[@]}" "${command[@]}" || e2e_fail "the queue metrics' command: ${command[*]}"
check "the queue metrics' service reads the demo database's queue" grep -qx 'velmora_queue_up 1' "$E2E_DIR/velmora_queue.prom"

# The request log, rotated three times by logrotate with the shipped entry
# while 6 clients call (each call's line names it by its company code): each
# call's line is in exactly one of the files, whole, and no line is cut or
# holds two.
log=/var/log/velmora/requests.log
PYTHONPATH=$e2e_lib timeout 120 python3 - "$E2E_BASE/velmora.cgi" "$log" "$E2E_DIR/logrotate.state" <<'PY' ||
import glob, gzip, re, subprocess, sys, threading, time
import soap_wire as wire

script, log, state = sys.argv[1:]
made, failed, stop = [], [], threading.Event()

def client(n):
    for i in range(100000):
        if stop.is_set():
            return
        company = f'R{n}x{i}'
        reply = wire.post(script, 'BuscaEstoque', company, 'P', 'UN')
        (made if reply.status == 200 else failed).append(company)

clients = [threading.Thread(target=client, args=(n,)) for n in range(6)]
for thread in clients:
    thread.start()
for _ in range(3):
    time.sleep(1.5)
    subprocess.run(['logrotate', '-f', '-s', state, '/etc/logrotate.d/velmora'], check=True)
time.sleep(1.5)
stop.set()
for thread in clients:
    thread.join()

def read():
    """{file: its text} of the log and its rotations."""
    texts = {}
    for path in glob.glob(log + '*'):
        with (gzip.open if path.endswith('.gz') else open)(path, 'rt', encoding='utf-8') as source:
            texts[path] = source.read()
    return texts

LINE = re.compile(r'\S+ \S+ BuscaEstoque (R\d+x\d+) - - - \d+ \d+ ok')
for _ in range(50):  # a CGI process writes its line after its answer
    texts = read()
    seen = [(path, m.group(1)) for path, text in texts.items() for m in re.finditer(r' (R\d+x\d+) ', text)]
    if len(seen) >= len(made):
        break
    time.sleep(0.2)
problems = [f'{len(failed)} calls failed'] if failed else []
problems += [f'{path} does not end with a line break' for path, text in texts.items() if text and text[-1] != '\n']
problems += [f'not one whole line: {line!r}' for text in texts.values() for line in text.splitlines()
             if ' R' in line and not LINE.fullmatch(line)]
companies = sorted(c for _, c in seen)
lost = sorted(set(made) - set(companies))
problems += [f'{len(lost)} calls without a line, e.g. {lost[:3]}'] if lost else []
twice = sorted({c for c in companies if companies.count(c) > 1})
problems += [f'{len(twice)} calls with two lines, e.g. {twice[:3]}'] if twice else []
holding = {path for path, _ in seen}
problems += [f'the calls\' lines are in {sorted(holding)} only'] if len(holding) < 4 else []
print('\n'.join(problems) or f'e2e: ok   3 rotations while {len(made)} calls ran: each line, whole, in one '
      f'of {len(holding)} files ({", ".join(sorted(p.rsplit("/", 1)[1] for p in holding))})')
sys.exit(1 if problems else 0)
PY
    e2e_fail "logrotate while calls run"
check "group adm (mtail) can read the log, and only through its ACL" \
    test "$(setpriv --reuid=nobody --regid=nogroup --groups=adm head -c 4 "$log")/$(
        setpriv --reuid=nobody --regid=nogroup --clear-groups head -c 4 "$log" 2>/dev/null)" = "$(head -c 4 "$log")/"
# The log is the CGI processes' now (www-data); the FastCGI ones run as velmora.
sed -i -e 's/^\(\[LOG\]\|ARQUIVO=\)/;\1/' "$ini"

# lighttpd with the shipped snippet, as Debian's lighttpd.conf loads it.
dir=$E2E_DIR/lighttpd
port=$(e2e_free_port)
mkdir -p "$dir/htdocs"
# lighttpd opens its error log once it is www-data.
: >"$dir/error.log"
chown www-data "$dir/error.log"
cat >"$dir/lighttpd.conf" <<CONF
server.bind = "127.0.0.1"
server.port = $port
server.document-root = "$dir/htdocs"
server.errorlog = "$dir/error.log"
server.username = "www-data"
server.groupname = "www-data"
server.modules = ( "mod_access", "mod_alias" )
include "/etc/lighttpd/conf-available/50-velmora.conf"
CONF
lighttpd -D -f "$dir/lighttpd.conf" </dev/null >>"$dir/lighttpd.out" 2>&1 &
e2e_on_exit "e2e_stop_pid $!"
e2e_wait_port "$port" $! "$dir/lighttpd.out" || e2e_fail "lighttpd did not start"
calls "http://127.0.0.1:$port/velmora.cgi" || e2e_fail "the installed service under lighttpd"

# The FastCGI mode: the README's spawn-fcgi line, then nginx with the
# shipped snippet in a server block.
env -i FIREBIRD=/var/lib/velmora/firebird/root \
    FIREBIRD_LOCK=/var/lib/velmora/firebird/lock \
    FIREBIRD_TMP=/var/lib/velmora/firebird/tmp \
    LD_LIBRARY_PATH=/var/lib/velmora/firebird/root/icu-absent \
    spawn-fcgi -s /run/velmora/velmora.sock -M 0660 -F 4 -P /run/velmora/velmora.pid \
        -u velmora -g velmora -U www-data -G www-data -- /usr/lib/velmora/velmora.cgi \
    >"$E2E_DIR/out/spawn-fcgi.log" 2>&1 || { cat "$E2E_DIR/out/spawn-fcgi.log" >&2; e2e_fail "spawn-fcgi"; }
# shellcheck disable=SC2016  # the pids are read when the test ends
e2e_on_exit 'for pid in $(cat /run/velmora/velmora.pid); do e2e_stop_pid $pid; done; rm -f /run/velmora/velmora.sock /run/velmora/velmora.pid'
# shellcheck source=tests/e2e/lib/webservers.sh
source "$e2e_lib/webservers.sh"
port=$(e2e_free_port)
e2e_nginx_serve "$E2E_DIR/nginx" "$port" www-data "include /etc/nginx/snippets/velmora.conf;" ||
    e2e_fail "nginx did not start"
calls "http://127.0.0.1:$port/velmora.cgi" || e2e_fail "the installed service in FastCGI mode under nginx"
# Stopped as the README says, before the package goes.
mapfile -t fastcgi < /run/velmora/velmora.pid
kill "${fastcgi[@]}"
for pid in "${fastcgi[@]}"; do
    e2e_stop_pid "$pid"
done

# Removed: the configuration stays, nothing else of the package.
dpkg --remove velmora >>"$E2E_DIR/out/dpkg.log" 2>&1 || { cat "$E2E_DIR/out/dpkg.log" >&2; e2e_fail "dpkg --remove"; }
left=()
for file in "${files[@]}"; do
    if [[ " ${conffiles[*]} " == *" $file "* ]]; then
        [[ -e $file ]] || e2e_fail "dpkg --remove took the configuration file $file"
    elif [[ -e $file || -L $file ]] && ! dpkg-query -S "$file" >/dev/null 2>&1; then
        left+=("$file")
    fi
done
((${#left[@]} == 0)) || e2e_fail "dpkg --remove left behind: ${left[*]}"
e2e_say "ok   dpkg --remove leaves only the configuration (${#conffiles[@]} files)"

# Purged: nothing at all, of what it shipped or made.
dpkg --purge velmora >>"$E2E_DIR/out/dpkg.log" 2>&1 || { cat "$E2E_DIR/out/dpkg.log" >&2; e2e_fail "dpkg --purge"; }
for file in "${conffiles[@]}" /etc/velmora /usr/lib/velmora /usr/share/velmora /usr/share/doc/velmora \
    /var/lib/velmora /var/log/velmora /run/velmora; do
    [[ ! -e $file ]] || e2e_fail "dpkg --purge left $file"
done
check "dpkg --purge takes the configuration and its ownership override too" \
    test "$(dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null || echo not-installed)/$(dpkg-statoverride --list "$ini")" = not-installed/
