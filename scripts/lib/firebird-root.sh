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

# velmora_firebird_icu_absent ROOT
# Firebird 3 looks for its ICU library in every process that starts an
# engine, and no setting of its own changes how: it asks the loader for every
# ICU version it knows (5.2 first, then 4.19 down to 4.0, 5.19 ... 7.19 ...),
# under three names each (libicuuc.so.7, libicuuc.so.7_2, libicuuc.so.72),
# each name twice, until one loads. Debian's ICU 72 answers as version 7.2,
# the 160th name. For every name it does not find, the loader maps
# ld.so.cache anew and tries four directories: about 320 failed loads, 470
# fresh mappings of the cache and 1,900 failed opens in every process.
# ROOT/icu-absent holds an empty file under each of those names that this
# machine cannot load; first on LD_LIBRARY_PATH, it makes each try fail at its
# first open (an empty file is no library). A name the machine can load is
# never shadowed, so the engine ends where it ended before.
velmora_firebird_icu_absent() {
    (
        set -euo pipefail
        local dir=$1/icu-absent lib major minor name
        local multiarch=${velmora_firebird_dist%/firebird/*}
        multiarch=${multiarch##*/}
        # What the loader can load: its cache, and its default directories.
        local -A loadable=()
        for name in $(PATH=$PATH:/usr/sbin:/sbin ldconfig -p | awk '$1 ~ /^libicu/ { print $1 }') \
            "/lib/$multiarch"/libicu* "/usr/lib/$multiarch"/libicu* /lib/libicu* /usr/lib/libicu*; do
            loadable[${name##*/}]=1
        done
        umask 022
        mkdir -p "$dir"
        chmod 0755 "$dir"
        for lib in libicuuc libicui18n; do
            for major in 4 5 6 7; do
                for ((minor = 0; minor <= 19; minor++)); do
                    for name in "$lib.so.$major" "$lib.so.${major}_$minor" "$lib.so.$major$minor"; do
                        if [[ -n ${loadable[$name]:-} ]]; then
                            rm -f "$dir/$name"
                        elif [[ ! -e $dir/$name ]]; then
                            : >"$dir/$name"
                        fi
                    done
                done
            done
        done
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
