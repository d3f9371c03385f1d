#!/usr/bin/env bash
# End-to-end: a terminal's sync day through a real web server (lighttpd,
# apache or nginx) with the program, a fresh demo database and curl. A
# SERVER ending in -fastcgi (lighttpd-fastcgi ...) runs the program in
# FastCGI mode; under lighttpd-fastcgi its processes are then killed and
# stopped while serving (fastcgi_processes.py). The program's INI sets a
# request log, which must hold a line for every request of a burst of
# VELMORA_E2E_LOG_REQUESTS (default 120) mixed ones.
#
#   tests/e2e/terminal_sync_test.sh SERVER PROGRAM
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

server=${1:?server: lighttpd, apache or nginx, perhaps with -fastcgi}
program=${2:?path of the built velmora.cgi}

e2e_time_limit 240
e2e_sandbox "$program"
log_dir=$E2E_DIR/log
mkdir -p "$log_dir"
if ((EUID == 0)); then
    chown www-data:firebird "$log_dir"
fi
printf '[LOG]\nARQUIVO=%s\n' "$log_dir/requests.log" >>"$E2E_DIR/service/caminhoBDIntegECF.ini"
e2e_serve "$server"
e2e_say "$server serves $E2E_BASE/velmora.cgi from $E2E_DIR"

rc=0
timeout 180 python3 "$e2e_repo/tests/e2e/terminal_sync.py" \
    --server "$server" --base "$E2E_BASE" --db "$E2E_DIR/demo.fdb" \
    --log "$log_dir/requests.log" --log-requests "${VELMORA_E2E_LOG_REQUESTS:-120}" || rc=$?
# lighttpd restarts the FastCGI processes it started: signal them.
if ((rc == 0)) && [[ $server == lighttpd-fastcgi ]]; then
    timeout 120 python3 "$e2e_repo/tests/e2e/fastcgi_processes.py" \
        --base "$E2E_BASE" --db "$E2E_DIR/demo.fdb" --program "$E2E_DIR/service/velmora.cgi" || rc=$?
fi
if ((rc != 0)); then
    echo "e2e: $server log ($E2E_SERVER_LOG):" >&2
    tail -n 30 "$E2E_SERVER_LOG" >&2 || true
fi
exit "$rc"
