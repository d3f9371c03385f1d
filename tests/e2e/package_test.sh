#!/usr/bin/env bash
# End-to-end: the Debian package of scripts/package on this machine. lintian
# finds no error in it; installed, it serves a demo database made from its
# own demo scripts through Apache httpd configured by its own snippet, with
# the INI it ships; removed, only its configuration stays; purged, nothing.
# Needs root, and a machine where velmora is not installed (it would be
# removed). Enables nothing system-wide and starts no system service.
#
#   tests/e2e/package_test.sh PROGRAM
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

program=${1:?path of the built velmora.cgi}

((EUID == 0)) || e2e_fail "installing a package needs root"
e2e_need dpkg-deb lintian apache2 isql-fb curl python3
if dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null | grep -qv '^not-installed$'; then
    e2e_fail "a velmora package is installed here already; this test would remove it"
fi

e2e_time_limit 280
e2e_workdir

check() {
    local what=$1
    shift
    if "$@"; then
        e2e_say "ok   $what"
    else
        e2e_fail "$what"
    fi
}

deb=$("$e2e_repo/scripts/package" --program "$program" --out "$E2E_DIR")
# (lintian warns that it runs as root: that is this test's condition.)
check "lintian finds no error" lintian --fail-on error "$deb" 2> >(grep -v 'running with root privileges' >&2)

# Everything the package puts on the machine, and which of it is configuration.
mapfile -t files < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -n 's|^\./\(.*[^/]\)$|/\1|p')
mapfile -t conffiles < <(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)
e2e_on_exit "dpkg --purge velmora >/dev/null 2>&1"
dpkg --install "$deb" >"$E2E_DIR/out/dpkg.log" 2>&1 || { cat "$E2E_DIR/out/dpkg.log" >&2; e2e_fail "dpkg --install"; }

ini=/etc/velmora/caminhoBDIntegECF.ini
check "the INI is root:www-data 0640" test "$(stat -c '%U:%G %a' "$ini")" = "root:www-data 640"
check "the program finds its INI beside it" test "$(readlink -f /usr/lib/velmora/caminhoBDIntegECF.ini)" = "$ini"
check "no snippet is enabled" test ! -e /etc/apache2/conf-enabled/velmora.conf -a \
    ! -e /etc/lighttpd/conf-enabled/50-velmora.conf

# The demo database from the installed scripts, named in the shipped INI (the
# administrator's edit).
"$e2e_repo/scripts/create-demo-db" --sql /usr/share/velmora/demo "$E2E_DIR/demo.fdb" >/dev/null ||
    e2e_fail "cannot create the demo database from /usr/share/velmora/demo"
sed -i -e "s|^CAMINHO=.*|CAMINHO=$E2E_DIR/demo.fdb|" -e 's/^USUARIO=.*/USUARIO=SYSDBA/' "$ini"

# Apache with the shipped snippet only, its CGI processes as Debian's own
# Apache runs them (www-data, whose group may read the INI).
e2e_serve apache $'Include /etc/apache2/conf-available/velmora.conf\nGroup www-data'
e2e_say "apache serves $E2E_BASE/velmora.cgi from /usr/lib/velmora"

# The import through the installed program, as the demo data says; a caller
# from an address the snippet does not allow gets 403.
PYTHONPATH=$e2e_lib timeout 120 python3 - "$E2E_BASE/velmora.cgi" <<'PY' || e2e_fail "the installed service"
import sys
import demo_expectations as demo
import soap_wire as wire

script = sys.argv[1]
reply = wire.post(script, 'ImportaProdutos', demo.COMPANY, demo.TERMINAL)
records = wire.decode(reply.body, 'ImportaProdutos')
problems = [f'status {reply.status}'] if reply.status != 200 else []
problems += [repr(records)] if not isinstance(records, list) else demo.compare(demo.IMPORTS['ImportaProdutos'], records)
refused = wire.post(script, 'ImportaProdutos', demo.COMPANY, demo.TERMINAL, curl=('--interface', '127.0.0.2'))
problems += [f'127.0.0.2 got status {refused.status}'] if refused.status != 403 else []
print('\n'.join(problems) or f'e2e: ok   ImportaProdutos: {len(records)} products as the demo data says;'
      ' 403 for 127.0.0.2')
sys.exit(1 if problems else 0)
PY

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

# Purged: nothing at all.
dpkg --purge velmora >>"$E2E_DIR/out/dpkg.log" 2>&1 || { cat "$E2E_DIR/out/dpkg.log" >&2; e2e_fail "dpkg --purge"; }
for file in "${conffiles[@]}" /etc/velmora /usr/lib/velmora /usr/share/velmora /usr/share/doc/velmora; do
    [[ ! -e $file ]] || e2e_fail "dpkg --purge left $file"
done
check "dpkg --purge takes the configuration too" test "$(dpkg-query -W -f='${db:Status-Status}' velmora 2>/dev/null || echo not-installed)" = not-installed
