#!/usr/bin/env bash
# End-to-end: the service page and its links in headless Chromium, served by
# lighttpd; leaves a screenshot of the page at SCREENSHOT for a person to see.
#
#   tests/e2e/service_page_test.sh PROGRAM SCREENSHOT
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

program=${1:?path of the built velmora.cgi}
screenshot=${2:?where to write the screenshot (PNG)}

e2e_need chromium
e2e_time_limit 240
e2e_sandbox "$program"
e2e_serve lighttpd
mkdir -p "$E2E_DIR/chromium" "$(dirname "$screenshot")"

rc=0
timeout 200 python3 "$e2e_repo/tests/e2e/service_page.py" \
    --base "$E2E_BASE" --profile "$E2E_DIR/chromium" --screenshot "$screenshot" || rc=$?
exit "$rc"
