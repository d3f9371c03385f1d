# shellcheck shell=bash
# Sourced: prepares the environment for embedded Firebird (a database file
# opened inside our own process) and exports FIREBIRD, FIREBIRD_LOCK,
# FIREBIRD_TMP and LD_LIBRARY_PATH. The tests and the web server's CGI
# processes must all use the same environment: two processes with different
# lock directories open the same file without complaint and corrupt it.
# LD_LIBRARY_PATH only saves the engine's search for ICU (see
# velmora_firebird_icu_absent); without it everything works, slower.
#
# Sourcing runs it for ${VELMORA_FIREBIRD_DIR:-<repo>/run/firebird}; call
# velmora_firebird_env DIR to use another directory. The directory's parents
# must be searchable by the web server's user. The Debian package ships this
# file and firebird-root.sh side by side in /usr/lib/velmora; its postinst
# prepares /var/lib/velmora/firebird with them.

velmora_firebird_lib=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
velmora_repo_root=$(cd "$velmora_firebird_lib/../.." && pwd)
# shellcheck source=scripts/lib/firebird-root.sh
source "$velmora_firebird_lib/firebird-root.sh"

velmora_firebird_env() {
    local dir=${1:-$velmora_repo_root/run/firebird}
    (
        set -euo pipefail
        mkdir -p "$dir"
        velmora_firebird_root "$dir/root"
        velmora_firebird_icu_absent "$dir/root"
        # Classic: every process gets its own engine and they share the file
        # through the lock directory; the default (Super) opens it exclusively
        # and a second CGI process would be refused.
        velmora_write_if_changed "$dir/root/firebird.conf" <<'CONF'
# Private root for embedded use (written by scripts/lib/firebird-env.sh).
ServerMode = Classic
UdfAccess = None
CONF
        # The web server runs CGI programs as an unprivileged user, the tests
        # may run as root. The client makes every lock file it creates
        # group firebird, mode 0660, so whoever shares these directories must
        # be in group firebird (root is anyway): see velmora_firebird_allow_user.
        # The setgid bit keeps files of non-members in that group too. A
        # directory that exists keeps its owner and mode: whoever made it
        # (the package, an administrator narrowing it) chose them.
        local shared
        for shared in "$dir/lock" "$dir/tmp"; do
            [[ -d $shared ]] && continue
            mkdir "$shared"
            if getent group firebird >/dev/null; then
                chgrp firebird "$shared"
                chmod 2777 "$shared"
            else
                chmod 1777 "$shared"
            fi
        done
    ) || return 1
    dir=$(cd "$dir" && pwd)
    export FIREBIRD="$dir/root"
    export FIREBIRD_LOCK="$dir/lock"
    export FIREBIRD_TMP="$dir/tmp"
    # The placeholders first, once: an earlier environment's go.
    local entry entries=() kept=()
    IFS=: read -ra entries <<<"${LD_LIBRARY_PATH:-}"
    for entry in "${entries[@]}"; do
        [[ -z $entry || $entry == */icu-absent ]] || kept+=("$entry")
    done
    LD_LIBRARY_PATH=$FIREBIRD/icu-absent
    for entry in "${kept[@]}"; do LD_LIBRARY_PATH+=:$entry; done
    export LD_LIBRARY_PATH
}

# velmora_firebird_allow_user USER
# Lets USER (the web server's, e.g. www-data) open databases in this
# environment alongside root-run tools: adds it to group firebird (needs root;
# the web server must be restarted to pick the group up).
velmora_firebird_allow_user() {
    (
        set -euo pipefail
        local user=$1
        if id -nG "$user" | tr ' ' '\n' | grep -qx firebird; then
            exit 0
        fi
        usermod -a -G firebird "$user"
    )
}

velmora_firebird_env "${VELMORA_FIREBIRD_DIR:-$velmora_repo_root/run/firebird}"
