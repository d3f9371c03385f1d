#!/usr/bin/env bash
# End-to-end: a real SOAP client (php: SoapClient, perl: SOAP::Lite) loads
# the WSDL from lighttpd (SERVER, by default lighttpd; lighttpd-fastcgi for
# the FastCGI mode) and calls every operation of the service.
#
#   tests/e2e/client_sync_test.sh CLIENT PROGRAM [SERVER]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

client=${1:?client: php or perl}
program=${2:?path of the built velmora.cgi}
server=${3:-lighttpd}

case $client in
    php)
        e2e_need php
        php -r 'exit(class_exists("SoapClient") ? 0 : 1);' || e2e_fail "PHP has no SoapClient; run scripts/setup (php-soap)"
        ;;
    perl)
        e2e_need perl
        perl -MSOAP::Lite -e 1 2>/dev/null || e2e_fail "Perl has no SOAP::Lite; run scripts/setup (libsoap-lite-perl)"
        ;;
    *) e2e_fail "unknown client $client" ;;
esac

e2e_time_limit 240
e2e_sandbox "$program"
e2e_serve "$server"
e2e_say "$server serves $E2E_BASE/velmora.cgi from $E2E_DIR"

rc=0
timeout 200 python3 "$e2e_repo/tests/e2e/client_sync.py" \
    --client "$client" --base "$E2E_BASE" --db "$E2E_DIR/demo.fdb" --out "$E2E_DIR/out" || rc=$?
if ((rc != 0)); then
    echo "e2e: $server log ($E2E_SERVER_LOG):" >&2
    tail -n 30 "$E2E_SERVER_LOG" >&2 || true
fi
exit "$rc"
