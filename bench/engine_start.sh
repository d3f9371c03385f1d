# shellcheck shell=bash
# What an embedded engine's start costs, sourced by bench/run: the stock
# floor, one process each, under settings an operator can give the embedded
# engine (firebird.conf of its private root, the environment the web server
# passes, the database's forced writes), interleaved so that every variant
# meets the same machine.

# Each variant: its name | a line added to the private root's firebird.conf
# | NAME=VALUE words added to the environment | the database's writes | the
# program: the stock floor, or velmora.cgi answering BuscaEstoque. Every
# variant runs with its root's ICU placeholders first on LD_LIBRARY_PATH, as
# deployed, unless its words say otherwise.
engine_variants=(
    "as deployed|||async|floor"
    "DefaultDbCachePages = 50|DefaultDbCachePages = 50||async|floor"
    "DefaultDbCachePages = 2048|DefaultDbCachePages = 2048||async|floor"
    "Providers = Engine12|Providers = Engine12||async|floor"
    "TracePlugin empty|TracePlugin =||async|floor"
    "GLIBC_TUNABLES arena_max=1||GLIBC_TUNABLES=glibc.malloc.arena_max=1|async|floor"
    "forced writes on|||sync|floor"
    "ICU searched on the whole library path||LD_LIBRARY_PATH=|async|floor"
    "velmora.cgi BuscaEstoque|||async|cgi"
    "velmora.cgi BuscaEstoque, ICU searched on the whole library path||LD_LIBRARY_PATH=|async|cgi"
)

# engine_root NAME CONF: a private root for the variant, its firebird.conf
# the deployed one plus CONF.
engine_root() {
    local root=$state/engine/${1//[^A-Za-z0-9]/_}/root
    mkdir -p "$root"
    velmora_firebird_root "$root"
    velmora_firebird_icu_absent "$root"
    { cat "$FIREBIRD/firebird.conf"; [[ -n $2 ]] && printf '%s\n' "$2"; } | velmora_write_if_changed "$root/firebird.conf"
    echo "$root"
}

bench_engine_start() {
    local reps=${repeat:-15} db sync_db out i j variant name conf env writes program line dir
    local -a roots envs dbs names programs
    db=$(database "$records")
    # The same data with synchronous writes, for the forced-writes variant.
    sync_db=$state/data/engine-sync.fdb
    if [[ ! -s $sync_db || $db -nt $sync_db ]]; then
        cp -f "$db" "$sync_db"
        chmod 0666 "$sync_db"
    fi
    gfix -user SYSDBA -write sync "$sync_db"
    gfix -user SYSDBA -write async "$db"
    dir=$(cgi_dir embedded "$records")
    for variant in "${engine_variants[@]}"; do
        IFS='|' read -r name conf env writes program <<<"$variant"
        names+=("$name")
        programs+=("$program")
        roots+=("$(engine_root "$name" "$conf")")
        envs+=("$env")
        dbs+=("$([[ $writes == sync ]] && echo "$sync_db" || echo "$db")")
    done
    out=$(results engine-start)
    for ((i = 1; i <= reps; i++)); do
        for j in "${!names[@]}"; do
            line=$(
                export FIREBIRD=${roots[j]} LD_LIBRARY_PATH=${roots[j]}/icu-absent
                # shellcheck disable=SC2086 # the variant's NAME=VALUE words
                [[ -z ${envs[j]} ]] || export ${envs[j]}
                if [[ ${programs[j]} == cgi ]]; then
                    run_cgi "$dir" stock BuscaEstoque
                else
                    echo "$(run_floor "$build/bench/bench_floor_stock" "${dbs[j]}")" \
                        "$("$build/bench/bench_floor_stock" "${dbs[j]}" --phases)"
                fi
            )
            echo "${names[j]// /\~} $line" >>"$out"
        done
    done
    echo
    echo "### An embedded BuscaEstoque, one process each, by engine setting: the floor, and velmora.cgi (median of $reps, interleaved)"
    echo
    echo "| setting | response ms | user ms | sys ms | CPU ms | peak RSS MB | attach CPU ms (user+sys) | statement CPU ms | detach CPU ms | load (1 min) |"
    echo "|---|---|---|---|---|---|---|---|---|---|"
    awk -v load="$(cut -d' ' -f1 /proc/loadavg)" '
        function median(key, col,   n, i, j, t, v) {
            n = count[key]
            for (i = 1; i <= n; i++) v[i] = val[key, i, col]
            for (i = 2; i <= n; i++) { t = v[i]; for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]; v[j + 1] = t }
            return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        {
            k = ++count[$1]; if (k == 1) order[++keys] = $1
            # response exit user sys rss bytes faults [| attach U S statement U S detach U S: the floor]
            val[$1, k, 1] = $2; val[$1, k, 2] = $4; val[$1, k, 3] = $5; val[$1, k, 4] = $4 + $5; val[$1, k, 5] = $6
            val[$1, k, 6] = $10 + $11; val[$1, k, 7] = $13 + $14; val[$1, k, 8] = $16 + $17
            phases[$1] = NF >= 17
        }
        END {
            for (i = 1; i <= keys; i++) {
                key = order[i]; name = key; gsub("~", " ", name)
                steps = "- | - | -"
                if (phases[key]) steps = sprintf("%.0f | %.0f | %.0f", median(key, 6), median(key, 7), median(key, 8))
                printf "| %s | %.0f | %.0f | %.0f | %.0f | %.1f | %s | %s |\n", name, median(key, 1), median(key, 2),
                    median(key, 3), median(key, 4), median(key, 5) / 1024, steps, load
            }
        }' "$out"
    echo
    echo "uptime: $(uptime)"
}
