# Sourced: prepares the environment for embedded Firebird (a database file
# opened inside our own process) and exports FIREBIRD, FIREBIRD_LOCK and
# FIREBIRD_TMP. The tests and the web server's CGI processes must all use the
# same environment: two processes with different lock directories open the
# same file without complaint and corrupt it.
#
# Sourcing runs it for ${VELMORA_FIREBIRD_DIR:-<repo>/run/firebird}; call
# velmora_firebird_env DIR to use another directory.

velmora_repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/lib/firebird-root.sh
source "$velmora_repo_root/scripts/lib/firebird-root.sh"

velmora_firebird_env() {
    local dir=${1:-$velmora_repo_root/run/firebird}
    (
        set -euo pipefail
        mkdir -p "$dir"
        velmora_firebird_root "$dir/root"
        # Classic: every process gets its own engine and they share the file
        # through the lock directory; the default (Super) opens it exclusively
        # and a second CGI process would be refused.
        velmora_write_if_changed "$dir/root/firebird.conf" <<'CONF'
# Private root for embedded use (written by scripts/lib/firebird-env.sh).
ServerMode = Classic
UdfAccess = None
CONF
        # The web server runs CGI programs as an unprivileged user: lock and
        # sort files must be creatable by anyone, like /tmp.
        mkdir -p "$dir/lock" "$dir/tmp"
        chmod 1777 "$dir/lock" "$dir/tmp"
    ) || return 1
    dir=$(cd "$dir" && pwd)
    export FIREBIRD="$dir/root"
    export FIREBIRD_LOCK="$dir/lock"
    export FIREBIRD_TMP="$dir/tmp"
}

velmora_firebird_env "${VELMORA_FIREBIRD_DIR:-$velmora_repo_root/run/firebird}"
