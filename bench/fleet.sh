# shellcheck shell=bash
# The fleet benchmark, sourced by bench/run: many terminals living a
# compressed day against one node (lighttpd, the service in FastCGI or CGI
# mode, a Firebird server on the same machine), driven by bench_fleet; and
# the stepping that finds how many terminals the node carries.

fleet_companies=10
fleet_p99_limit_ms=250
fleet_max_steps=8
fleet_warmup=10

# fleet_database prints the path of the fleet's database: the products'
# database with its queue emptied and every product's stock for each of the
# fleet's companies.
fleet_database() {
    local db=$state/data/fleet-$records-$data_version.fdb base
    if [[ ! -s $db ]]; then
        base=$(database "$records")
        echo "making the fleet's database ${db#"$repo"/}" >&2
        cp -f "$base" "$db.new"
        isql -user SYSDBA "$db.new" <<SQL
DELETE FROM integecf;
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE c INTEGER = 2;
BEGIN
  WHILE (c <= $fleet_companies) DO BEGIN
    INSERT INTO CompProd (CodEmpresa, CodProd, CodGrade, Estoque)
      SELECT :c, CodProd, CodGrade, Estoque FROM CompProd WHERE CodEmpresa = '1';
    c = c + 1;
  END
END^
SET TERM ; ^
COMMIT;
SQL
        chmod 0666 "$db.new"
        mv -f "$db.new" "$db"
    fi
    echo "$db"
}

# fleet_copy prints the location of a fresh copy of the fleet's database in
# the server. A new name each run: the server may still hold the last one
# open (LINGER), and a file replaced under it would keep its old contents.
fleet_copy() {
    local db copy
    db=$(fleet_database)
    mkdir -p "$state/server-data"
    rm -f "$state/server-data"/fleet-run-*.fdb
    copy=$state/server-data/fleet-run-$(date +%s%N).fdb
    cp "$db" "$copy"
    chown firebird:firebird "$copy"
    chmod 0666 "$copy"
    echo "127.0.0.1/$fb_port:$copy"
}

# fleet_once FRONT N SECONDS [--calibrate]: one day of N terminals through
# lighttpd serving the service as FRONT (fastcgi or cgi); prints the report.
fleet_once() {
    local front=$1 n=$2 seconds=$3
    shift 3
    local loc dir url web node reaper='' label=FastCGI
    loc=$(fleet_copy)
    set_writes "$loc"
    dir=$state/cgi/fleet
    mkdir -p "$dir"
    cp -f "$build/velmora.cgi" "$dir/velmora.cgi"
    printf '[DATABASE]\nCAMINHO=%s\nUSUARIO=SYSDBA\nSENHA=masterkey\n' "$loc" >"$dir/caminhoBDIntegECF.ini"
    chmod 0755 "$dir" "$dir/velmora.cgi"
    chmod 0644 "$dir/caminhoBDIntegECF.ini"
    # Every terminal may hold two connections at once.
    local conf="server.max-fds = 16384
server.max-connections = 8192"
    if [[ $front == fastcgi ]]; then
        VELMORA_WEB_FASTCGI_PROCS=$fcgi_procs VELMORA_WEB_EXTRA_CONF=$conf \
            velmora_web_start --fastcgi "$state/web" "$web_port" "$dir/velmora.cgi" >/dev/null
    else
        label=CGI
        VELMORA_WEB_EXTRA_CONF=$conf velmora_web_start "$state/web" "$web_port" "$dir/velmora.cgi" >/dev/null
    fi
    web=$(velmora_web_pid "$state/web")
    url=$(velmora_web_url "$web_port" "$dir/velmora.cgi")/soap/IVelmora
    check_answer "$url" "$(fleet_stock_request "$dir")" BuscaEstoque "velmora.cgi ($label)"
    node=$web
    if [[ $front == fastcgi ]]; then
        node+=,$(fcgi_processes "$dir" velmora.cgi | paste -sd,)
    else
        reaper=$web
    fi
    local rc=0
    "$build/bench/bench_fleet" --url "$url" --database "$loc" --terminals "$n" --compression "$compression" \
        --seconds "$seconds" --warmup "$fleet_warmup" --label "$label" --node "$node" ${reaper:+--reaper "$reaper"} \
        --server "$(fcgi_db_server_pid)" "$@" || rc=$?
    velmora_web_stop "$state/web"
    echo
    echo "uptime: $(uptime)"
    return "$rc"
}

fleet_stock_request() {
    request BuscaEstoque '<PCodEmp xsi:type="xsd:string">1</PCodEmp><PCodProd xsi:type="xsd:string">7890000000001</PCodProd><PGrade xsi:type="xsd:string">0</PGrade>' >"$1/stock.xml"
    echo "$1/stock.xml"
}

# fleet_step FRONT FIRST SECONDS: doubles N from FIRST until a day fails
# (small calls' p99 over the limit, or a call failed), then halves the gap
# between the largest N that held and the smallest that failed until it is
# within an eighth; at most fleet_max_steps days.
fleet_step() {
    local front=$1 n=$2 seconds=$3 held=0 failed=0 step out line p99 errors audit verdict
    local summary limit="within an eighth"
    summary=$(mktemp)
    for ((step = 1; ; step++)); do
        if ((step > fleet_max_steps)); then
            limit="stopped after $fleet_max_steps days"
            break
        fi
        out=$(results "fleet-$front-$n")
        fleet_once "$front" "$n" "$seconds" | tee "$out" || true
        line=$(grep '^fleet-result ' "$out" || true)
        p99=$(sed -n 's/.* small-p99-ms=\([^ ]*\).*/\1/p' <<<"$line")
        errors=$(sed -n 's/.* errors=\([^ ]*\).*/\1/p' <<<"$line")
        audit=$(sed -n 's/.* audit=\([^ ]*\).*/\1/p' <<<"$line")
        if [[ -z $line ]]; then
            echo "bench/run: the fleet of $n terminals gave no result" >&2
            rm -f "$summary"
            return 1
        fi
        if [[ $audit != ok && $errors == 0 ]]; then
            # Rows lost without any failed call: a fault of the service, not a limit.
            echo "bench/run: the queue audit failed at $n terminals; see ${out#"$repo"/}" >&2
            rm -f "$summary"
            return 1
        fi
        if [[ $errors == 0 ]] && awk -v p="$p99" -v l="$fleet_p99_limit_ms" 'BEGIN { exit !(p <= l) }'; then
            verdict=held
            held=$n
        else
            verdict="did not hold"
            failed=$n
        fi
        echo "| $n | $(awk -v n="$n" -v c="$compression" 'BEGIN { print n * c }') | $p99 | $errors | $verdict | $(cut -d' ' -f1-3 /proc/loadavg) |" >>"$summary"
        if ((failed == 0)); then
            n=$((n * 2))
        elif ((held == 0)); then
            ((n / 2 >= 5)) || break
            n=$((n / 2))
        else
            (((failed - held) * 8 <= held || failed - held <= 5)) && break
            n=$(((held + failed) / 2))
        fi
    done
    echo
    echo "### Stepping, $front: the terminals one node carries with small calls' p99 under $fleet_p99_limit_ms ms ($limit)"
    echo
    echo "| terminals | tills in real time (x $compression) | small calls' p99 ms | failed calls | | load at the end |"
    echo "|---|---|---|---|---|---|"
    cat "$summary"
    rm -f "$summary"
    echo
    if ((held > 0)); then
        echo "fleet-headline front=$front terminals=$held tills=$(awk -v n="$held" -v c="$compression" 'BEGIN { print n * c }') per-core=$(awk -v n="$held" -v c="$compression" -v k="$(nproc)" 'BEGIN { printf "%.0f", n * c / k }') cores=$(nproc)"
    else
        echo "fleet-headline front=$front terminals=0: no day held, down to $n terminals"
    fi
}

bench_fleet() {
    [[ -x $build/bench/bench_fleet ]] || { echo "bench/run: bench_fleet is missing (apt-get install libcurl4-openssl-dev)" >&2; exit 1; }
    # shellcheck source=scripts/lib/webserver.sh
    source "$repo/scripts/lib/webserver.sh"
    start_server
    local front first out
    for front in ${fronts//,/ }; do
        if ((stepping)); then
            first=${terminals:-100}
            [[ -z $terminals && $front == cgi ]] && first=20
            fleet_step "$front" "$first" "${duration_set:-60}"
        else
            out=$(results "fleet-$front-${terminals:-500}")
            fleet_once "$front" "${terminals:-500}" "${duration_set:-150}" --calibrate | tee "$out"
        fi
    done
}
