#!/usr/bin/env bash
# End-to-end: the request log of real calls through lighttpd, read by mtail
# with the package's program (packaging/velmora.mtail); monitoring.py makes
# the calls and compares mtail's /metrics with them. The program runs in
# FastCGI mode: lighttpd ends a CGI process as soon as its answer is out,
# which can cost the line it writes after the answer.
#
#   tests/e2e/monitoring_test.sh PROGRAM ADMIN
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

program=${1:?path of the built velmora.cgi}
admin=${2:?path of the built velmora-admin}

e2e_need mtail promtool
e2e_time_limit 240
e2e_sandbox "$program"

# Both programs log to one file that the web server's user appends to, and
# answer the health path.
log=$E2E_DIR/log/requests.log
install -d -m 0777 "$E2E_DIR/log"
install -m 0666 /dev/null "$log"
for ini in "$E2E_DIR"/service/caminhoBDIntegECF.ini "$E2E_DIR"/broken/caminhoBDIntegECF.ini; do
    printf '[LOG]\nARQUIVO=%s\n[HEALTH]\nCAMINHO=/health\n' "$log" >>"$ini"
done

# mtail reads a log from its end when it starts: it starts before the calls.
install -d "$E2E_DIR/mtail"
cp "$e2e_repo/packaging/velmora.mtail" "$E2E_DIR/mtail/"
mtail_port=$(e2e_free_port)
mtail --progs "$E2E_DIR/mtail" --logs "$log" --address 127.0.0.1 --port "$mtail_port" \
    --logtostderr >"$E2E_DIR/out/mtail.log" 2>&1 &
mtail_pid=$!
e2e_on_exit "e2e_stop_pid $mtail_pid"
e2e_wait_port "$mtail_port" "$mtail_pid" "$E2E_DIR/out/mtail.log" || e2e_fail "mtail did not start"

e2e_serve lighttpd-fastcgi
e2e_say "lighttpd serves $E2E_BASE/velmora.cgi, mtail reads $log on port $mtail_port"
rc=0
timeout 180 python3 "$e2e_repo/tests/e2e/monitoring.py" --base "$E2E_BASE" --log "$log" \
    --metrics "http://127.0.0.1:$mtail_port/metrics" --admin "$admin" \
    --ini "$E2E_DIR/service/caminhoBDIntegECF.ini" || rc=$?
if ((rc != 0)); then
    echo "e2e: mtail's log:" >&2
    tail -n 20 "$E2E_DIR/out/mtail.log" >&2 || true
fi
exit "$rc"
