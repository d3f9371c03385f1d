# shellcheck shell=bash
# Sourced helper: builds a private Firebird root, i.e. the Debian install seen
# through symlinks but with configuration files of our own, so that settings
# such as ServerMode never touch the machine-wide /etc/firebird.

velmora_firebird_dist=/usr/lib/x86_64-linux-gnu/firebird/3.0

# velmora_firebird_root DIR [OWN_FILE...]
# Links every entry of the Debian root into DIR except firebird.conf and the
# OWN_FILEs, which the caller writes itself. intl/libfbintl.so is copied: a
# symlinked copy looks for its configuration beside its real path and every
# character set is lost.
velmora_firebird_root() {
    (
        set -euo pipefail
        local root=$1
        shift
        local dist=$velmora_firebird_dist
        if [[ ! -d $dist ]]; then
            echo "Firebird 3 is not installed: $dist is missing" >&2
            exit 1
        fi
        mkdir -p "$root/intl"
        local entry name own
        for entry in "$dist"/*; do
            name=${entry##*/}
            [[ $name == firebird.conf || $name == intl ]] && continue
            for own in "$@"; do
                [[ $name == "$own" ]] && continue 2
            done
            ln -sfn "$entry" "$root/$name"
        done
        for entry in "$dist"/intl/*; do
            name=${entry##*/}
            if [[ $name == libfbintl.so ]]; then
                cmp -s "$entry" "$root/intl/$name" || cp -f "$entry" "$root/intl/$name"
            else
                ln -sfn "$entry" "$root/intl/$name"
            fi
        done
        chmod 0755 "$root" "$root/intl"
    )
}

# velmora_write_if_changed FILE < content
# Replaces FILE only when its content differs, so a running engine never sees
# a half-written configuration.
velmora_write_if_changed() {
    (
        set -euo pipefail
        local file=$1 tmp
        tmp=$(mktemp "$file.XXXXXX")
        cat >"$tmp"
        if cmp -s "$tmp" "$file"; then
            rm -f "$tmp"
        else
            chmod 0644 "$tmp"
            mv -f "$tmp" "$file"
        fi
    )
}
