#!/usr/bin/env bash
# The monitoring files of packaging/, read by the tools that will read them
# on an operator's machine: promtool checks the alert rules and runs their
# unit tests (velmora-rules.test.yml: each alert fires on its case and stays
# quiet beside it), mtail compiles the log program, and systemd-analyze
# verifies the timer and its service (run against the built velmora-admin).
#
#   tests/monitoring/packaging_files_test.sh ADMIN
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
admin=$(realpath "${1:?path of the built velmora-admin}")
for tool in promtool mtail systemd-analyze; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; run scripts/setup" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

promtool check rules "$repo/packaging/velmora-rules.yml"
promtool test rules "$repo/tests/monitoring/velmora-rules.test.yml"

mkdir "$work/mtail"
cp "$repo/packaging/velmora.mtail" "$work/mtail/"
mtail --compile_only --progs "$work/mtail" --logtostderr 2>"$work/mtail.log" || {
    cat "$work/mtail.log" >&2
    exit 1
}
echo "mtail: packaging/velmora.mtail compiles"

# systemd-analyze wants the command to exist: the built one stands in.
sed "s|/usr/sbin/velmora-admin|$admin|" "$repo/packaging/velmora-queue-metrics.service" \
    >"$work/velmora-queue-metrics.service"
cp "$repo/packaging/velmora-queue-metrics.timer" "$work/"
systemd-analyze verify "$work/velmora-queue-metrics.service" "$work/velmora-queue-metrics.timer"
echo "systemd-analyze: the timer and its service verify"
