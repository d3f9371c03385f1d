# shellcheck shell=bash
# The FastCGI benchmarks, sourced by bench/run: the service as a CGI program,
# as a FastCGI program and a trivial FastCGI floor through one lighttpd, and
# the memory of one FastCGI process over a bulk import and many small calls.

# FastCGI processes per program (lighttpd's max-procs): one per core.
fcgi_procs=${VELMORA_BENCH_FCGI_PROCS:-2}
clock_ticks=$(getconf CLK_TCK)

# fcgi_web_start DIR PROCS: lighttpd on the web port serving DIR/velmora.cgi
# as a CGI program (/velmora.cgi), and velmora.cgi and the floor as FastCGI
# programs that lighttpd starts itself (/velmora.fcgi, /trivial.fcgi).
fcgi_web_start() {
    local dir=$1 procs=$2 sockets=$state/web-sockets name program entries=
    rm -rf "$sockets"
    mkdir -p "$sockets"
    # lighttpd makes the sockets once it runs as the web server's user.
    ((EUID == 0)) && chown "$velmora_web_user:$velmora_web_group" "$sockets"
    for name in velmora trivial; do
        program=$dir/velmora.cgi
        [[ $name == trivial ]] && program=$dir/trivial.fcgi
        entries+="
    \"/$name.fcgi\" => ((
        \"bin-path\" => \"$program\",
        \"socket\" => \"$sockets/$name.sock\",
        \"max-procs\" => $procs,
        \"check-local\" => \"disable\",
        \"bin-environment\" => (
            \"FIREBIRD\" => \"$FIREBIRD\", \"FIREBIRD_LOCK\" => \"$FIREBIRD_LOCK\", \"FIREBIRD_TMP\" => \"$FIREBIRD_TMP\",
            \"LD_LIBRARY_PATH\" => \"$LD_LIBRARY_PATH\",
        ),
    )),"
    done
    VELMORA_WEB_EXTRA_CONF="server.modules += ( \"mod_fastcgi\" )
fastcgi.server = ($entries
)" velmora_web_start "$state/web" "$web_port" "$dir/velmora.cgi" >/dev/null
}

# fcgi_processes DIR PROGRAM: the pids of lighttpd's FastCGI processes running
# DIR/PROGRAM. Asked before any CGI request, when they are its only children.
fcgi_processes() {
    local parent pid
    parent=$(velmora_web_pid "$state/web")
    for pid in $(pgrep -P "$parent"); do
        [[ $(readlink "/proc/$pid/exe") == "$1/$2" ]] && echo "$pid"
    done
    return 0
}

# The Firebird server's own process (server mode), or nothing.
fcgi_db_server_pid() {
    local guard
    guard=$(velmora_firebird_server_dir "$fb_port")/fbguard.pid
    [[ -s $guard ]] && pgrep -P "$(cat "$guard")" | head -n 1
    return 0
}

# cpu_ticks FIELDS PID...: the sum of the /proc/PID/stat fields (14 utime,
# 15 stime, 16 cutime, 17 cstime: children's time once they are reaped).
cpu_ticks() {
    local fields=$1 pid sum=0
    shift
    for pid in "$@"; do
        [[ -r /proc/$pid/stat ]] || continue
        # The name in parentheses never holds blanks here.
        sum=$((sum + $(awk -v f="$fields" '{ n = split(f, a, ","); s = 0; for (i = 1; i <= n; i++) s += $(a[i]); print s }' "/proc/$pid/stat")))
    done
    echo "$sum"
}

# to_ms: wrk's latencies (123.45us, 1.23ms, 1.02s, 1.5m) in milliseconds.
to_ms() {
    awk -v t="$1" 'BEGIN {
        v = t + 0
        if (t ~ /us$/) v /= 1000; else if (t ~ /ms$/) v = v; else if (t ~ /m$/) v *= 60000; else if (t ~ /s$/) v *= 1000
        printf "%.2f", v }'
}

# fcgi_measure LABEL CALL CONNS URL BODY ACTION PIDS...: one wrk run; appends
# "label call conns req/s p50 p99 requests user sys web db load" to $out,
# where user and sys are ms of CPU per request of the program's processes
# (PIDS, or lighttpd's reaped CGI children when PIDS is "cgi"), web is
# lighttpd's own and db the Firebird server's CPU per request.
fcgi_measure() {
    local label=$1 call=$2 conns=$3 url=$4 body=$5 action=$6
    shift 6
    local web db
    web=$(velmora_web_pid "$state/web")
    db=$(fcgi_db_server_pid)
    local user_fields=14 sys_fields=15 pids=("$@")
    if [[ $1 == cgi ]]; then
        user_fields=16 sys_fields=17 pids=("$web")
    fi
    local u0 s0 w0 d0 u1 s1 w1 d1 line
    u0=$(cpu_ticks "$user_fields" "${pids[@]}") s0=$(cpu_ticks "$sys_fields" "${pids[@]}")
    w0=$(cpu_ticks 14,15 "$web") d0=$(cpu_ticks 14,15 ${db:+"$db"})
    line=$(wrk_run "$url" "$body" "$action" "$conns")
    u1=$(cpu_ticks "$user_fields" "${pids[@]}") s1=$(cpu_ticks "$sys_fields" "${pids[@]}")
    w1=$(cpu_ticks 14,15 "$web") d1=$(cpu_ticks 14,15 ${db:+"$db"})
    read -r rps p50 p99 count extra <<<"$line"
    if [[ -n ${extra:-} || -z ${count:-} || $count == 0 ]]; then
        echo "bench/run: $label $call at $conns connections: ${line:-no result}" >&2
    fi
    awk -v l="$label" -v c="$call" -v n="$conns" -v r="$rps" -v a="$(to_ms "$p50")" -v b="$(to_ms "$p99")" \
        -v k="${count:-0}" -v u=$((u1 - u0)) -v s=$((s1 - s0)) -v w=$((w1 - w0)) -v d=$((d1 - d0)) \
        -v hz="$clock_ticks" -v load="$(cut -d' ' -f1 /proc/loadavg)" 'BEGIN {
            m = 1000 / hz / (k > 0 ? k : 1)
            printf "%s %s %s %s %s %s %d %.2f %.2f %.2f %.2f %s\n", l, c, n, r, a, b, k, u * m, s * m, w * m, d * m, load
        }' >>"$out"
}

# fcgi_summarize FILE MODE ROUNDS: medians per program, call and connections,
# and the two ratios the FastCGI mode is held to.
fcgi_summarize() {
    local file=$1 mode=$2 rounds=$3
    echo
    echo "### CGI, FastCGI and the FastCGI floor through lighttpd, $mode (median of $rounds interleaved rounds of ${duration} s)"
    echo
    echo "| program | call | connections | requests/s | p50 ms | p99 ms | user ms/request | sys ms/request | lighttpd ms/request | Firebird server ms/request | load (1 min) during the runs |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|"
    awk '
        function median(key, col,   n, i, j, t, v) {
            n = count[key]
            for (i = 1; i <= n; i++) v[i] = val[key, i, col]
            for (i = 2; i <= n; i++) { t = v[i]; for (j = i - 1; j >= 1 && v[j] > t; j--) v[j + 1] = v[j]; v[j + 1] = t }
            return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        {
            key = $1 SUBSEP $2 SUBSEP $3
            k = ++count[key]; if (k == 1) order[++keys] = key
            for (c = 4; c <= 12; c++) val[key, k, c] = $c
            lo[key] = (k == 1 || $12 < lo[key]) ? $12 : lo[key]; hi[key] = (k == 1 || $12 > hi[key]) ? $12 : hi[key]
        }
        END {
            for (i = 1; i <= keys; i++) {
                key = order[i]; split(key, p, SUBSEP)
                rps[key] = median(key, 4)
                printf "| %s | %s | %s | %.0f | %.1f | %.1f | %.2f | %.2f | %.2f | %.2f | %s–%s |\n", p[1], p[2], p[3], rps[key],
                    median(key, 5), median(key, 6), median(key, 8), median(key, 9), median(key, 10), median(key, 11), lo[key], hi[key]
            }
            print ""
            print "| ratio of requests/s | call | 1 connection | 16 connections |"
            print "|---|---|---|---|"
            for (i = 1; i <= 2; i++) {
                call = i == 1 ? "BuscaEstoque" : "empty-ImportaProdutos"
                f1 = rps["FastCGI", call, 1]; f16 = rps["FastCGI", call, 16]
                printf "| FastCGI / CGI | %s | %.1f | %.1f |\n", call, f1 / rps["CGI", call, 1], f16 / rps["CGI", call, 16]
                printf "| FastCGI / floor | %s | %.2f | %.2f |\n", call, f1 / rps["floor", "BuscaEstoque", 1], f16 / rps["floor", "BuscaEstoque", 16]
            }
        }' "$file"
    echo
    echo "uptime: $(uptime)"
}

bench_fastcgi() {
    command -v wrk >/dev/null || { echo "bench/run: wrk is missing (apt-get install wrk)" >&2; exit 1; }
    # shellcheck source=scripts/lib/webserver.sh
    source "$repo/scripts/lib/webserver.sh"
    local mode dir round conns call label body action rounds=${repeat:-3} velmora trivial out
    local -a fastcgi_pids floor_pids
    for mode in ${modes//,/ }; do
        [[ $mode == server ]] && start_server
        dir=$(cgi_dir "$mode" "$records")
        set_writes "$(location "$mode" "$records")"
        fcgi_web_start "$dir" "$fcgi_procs"
        velmora=$(velmora_web_url "$web_port" "$dir/velmora.cgi")
        trivial=${velmora%/velmora.cgi}/trivial.fcgi
        mapfile -t fastcgi_pids < <(fcgi_processes "$dir" velmora.cgi)
        mapfile -t floor_pids < <(fcgi_processes "$dir" trivial.fcgi)
        if ((${#fastcgi_pids[@]} != fcgi_procs || ${#floor_pids[@]} != fcgi_procs)); then
            echo "bench/run: lighttpd started ${#fastcgi_pids[@]} + ${#floor_pids[@]} FastCGI processes, not $fcgi_procs each" >&2
            velmora_web_stop "$state/web"
            exit 1
        fi
        check_answer "$velmora/soap/IVelmora" "$dir/stock.xml" BuscaEstoque velmora.cgi
        check_answer "${velmora%.cgi}.fcgi/soap/IVelmora" "$dir/stock.xml" BuscaEstoque "velmora.cgi (FastCGI)"
        check_answer "$trivial/soap/IVelmora" "$dir/stock.xml" BuscaEstoque trivial.fcgi
        out=$(results "fastcgi-$mode")
        for ((round = 1; round <= rounds; round++)); do
            for call in BuscaEstoque empty-ImportaProdutos; do
                body=$dir/stock.xml action=BuscaEstoque
                [[ $call == empty-* ]] && body=$dir/empty.xml action=ImportaProdutos
                for conns in 1 16; do
                    for label in CGI FastCGI floor; do
                        case $label in
                            CGI) fcgi_measure CGI "$call" "$conns" "$velmora/soap/IVelmora" "$body" "$action" cgi ;;
                            FastCGI) fcgi_measure FastCGI "$call" "$conns" "${velmora%.cgi}.fcgi/soap/IVelmora" "$body" "$action" "${fastcgi_pids[@]}" ;;
                            # The floor answers every call with the stock statement.
                            floor) [[ $call == BuscaEstoque ]] &&
                                fcgi_measure floor "$call" "$conns" "$trivial/soap/IVelmora" "$body" "$action" "${floor_pids[@]}" ;;
                        esac
                    done
                done
            done
        done
        local pid
        for pid in "${fastcgi_pids[@]}" "${floor_pids[@]}"; do
            velmora_web_alive "$pid" || echo "bench/run: FastCGI process $pid ended during the run: its CPU is missing" >&2
        done
        velmora_web_stop "$state/web"
        fcgi_summarize "$out" "$mode" "$rounds"
        echo
        echo "max-procs $fcgi_procs per FastCGI program; raw lines in ${out#"$repo"/}"
    done
}

# fcgi_mix DIR URL COUNT: COUNT requests through one kept-alive connection,
# in turn BuscaEstoque, an empty import, a WSDL GET and a call of an
# operation the service does not have (a fault, which comes with status 200
# like every SOAP fault here). Prints the number of answers, then how many
# were not as expected.
fcgi_mix() {
    local dir=$1 url=$2 count=$3
    request NaoExiste '<PCodEmpresa xsi:type="xsd:string">1</PCodEmpresa>' >"$dir/fault.xml"
    python3 - "$dir" "$url" "$count" <<'PY'
import http.client, sys, urllib.parse
folder, url, count = sys.argv[1], urllib.parse.urlsplit(sys.argv[2]), int(sys.argv[3])
def soap(action, name):
    with open(f'{folder}/{name}', 'rb') as f:
        body = f.read()
    return ('POST', url.path + '/soap/IVelmora', body, action, action == 'NaoExiste')
calls = [soap('BuscaEstoque', 'stock.xml'), soap('ImportaProdutos', 'empty.xml'),
         ('GET', url.path + '/wsdl/IVelmora', None, None, False), soap('NaoExiste', 'fault.xml')]
connection = http.client.HTTPConnection(url.hostname, url.port, timeout=10)
answered, unexpected = 0, 0
for i in range(count):
    method, path, body, action, fault = calls[i % len(calls)]
    headers = {'Content-Type': 'text/xml', 'SOAPAction': f'"urn:VelmoraIntf-IVelmora#{action}"'} if action else {}
    connection.request(method, path, body, headers)
    reply = connection.getresponse()
    answer = reply.read()
    answered += 1
    unexpected += reply.status != 200 or (b'<faultstring>' in answer) != fault
print(answered, f'{unexpected} unexpected' if unexpected else '')
PY
}

rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }
peak_mb() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$1/status"; }

# One FastCGI process (max-procs 1) through lighttpd: its resident memory
# after a bulk import and over many mixed small calls; it must give the
# import's memory back and not grow with the calls.
bench_fastcgi_memory() {
    command -v wrk >/dev/null || { echo "bench/run: wrk is missing (apt-get install wrk)" >&2; exit 1; }
    # shellcheck source=scripts/lib/webserver.sh
    source "$repo/scripts/lib/webserver.sh"
    local mode dir loc url pid got served=0 step
    for mode in ${modes//,/ }; do
        [[ $mode == server ]] && start_server
        dir=$(cgi_dir "$mode" "$records")
        loc=$(location "$mode" "$records")
        set_writes "$loc"
        fcgi_web_start "$dir" 1
        url=$(velmora_web_url "$web_port" "$dir/velmora.cgi")
        url=${url%.cgi}.fcgi
        pid=$(fcgi_processes "$dir" velmora.cgi)
        echo
        echo "### One FastCGI process, $mode: resident memory (VmRSS)"
        echo
        echo "| after | requests served | RSS MB | peak RSS so far MB | note | load (1 min) |"
        echo "|---|---|---|---|---|---|"
        echo "| start (no request yet) | 0 | $(rss_mb "$pid") | $(peak_mb "$pid") | | $(cut -d' ' -f1 /proc/loadavg) |"
        "$build/bench/bench_reset" "$loc"
        got=$(curl -sS -o /dev/null -w '%{http_code} %{size_download}' -H 'Content-Type: text/xml' \
            -H 'SOAPAction: "urn:VelmoraIntf-IVelmora#ImportaProdutos"' --data-binary @"$dir/import.xml" "$url/soap/IVelmora")
        served=1
        echo "| import of $records products | $served | $(rss_mb "$pid") | $(peak_mb "$pid") | HTTP ${got% *}, ${got#* } bytes | $(cut -d' ' -f1 /proc/loadavg) |"
        for step in 1000 1000 3000 5000; do
            got=$(fcgi_mix "$dir" "$url" "$step")
            served=$((served + ${got%% *}))
            echo "| mixed calls | $served | $(rss_mb "$pid") | $(peak_mb "$pid") | ${got#"${got%% *}"} | $(cut -d' ' -f1 /proc/loadavg) |"
        done
        velmora_web_alive "$pid" || echo "bench/run: the FastCGI process $pid ended during the run" >&2
        velmora_web_stop "$state/web"
        echo
        echo "uptime: $(uptime)"
    done
}

# fcgi_instructions DIR PROGRAM CALLS: the instructions one FastCGI process of
# DIR/PROGRAM executes (callgrind) to start, serve CALLS stock queries fed by
# cgi-fcgi, and end.
fcgi_instructions() {
    local dir=$1 program=$2 calls=$3 socket=$state/profile-fcgi.sock out=$state/profile/$2.$3 len i pid
    mkdir -p "$state/profile"
    rm -f "$socket"
    # cgi-fcgi starts an application without arguments: a wrapper puts it
    # under callgrind, and the listening socket stays its standard input.
    # Callgrind counts every byte a rep-string instruction stores as one
    # instruction, and glibc uses them from 2 KiB on: the floor's 64 KiB
    # clears of the engine's metadata would weigh 262,000 instructions a
    # call that the processor does in a few microseconds. Vector loops
    # instead, so that counts follow the processor's work.
    printf '#!/bin/sh\nexec env GLIBC_TUNABLES=%s valgrind --tool=callgrind --callgrind-out-file=%s %s 2>%s\n' \
        glibc.cpu.x86_rep_stosb_threshold=0x7fffffff:glibc.cpu.x86_rep_movsb_threshold=0x7fffffff \
        "$out.callgrind" "$dir/$program" "$out.valgrind" >"$state/profile/run-$program"
    chmod 0755 "$state/profile/run-$program"
    (cd "$dir" && cgi-fcgi -start -connect "$socket" "$state/profile/run-$program" 1 >/dev/null)
    len=$(stat -c %s "$dir/stock.xml")
    for ((i = 0; i < calls; i++)); do
        env REQUEST_METHOD=POST SERVER_PROTOCOL=HTTP/1.1 SCRIPT_NAME=/velmora.fcgi PATH_INFO=/soap/IVelmora \
            CONTENT_TYPE=text/xml CONTENT_LENGTH="$len" 'HTTP_SOAPACTION="urn:VelmoraIntf-IVelmora#BuscaEstoque"' \
            cgi-fcgi -bind -connect "$socket" <"$dir/stock.xml" >"$out.answer"
    done
    grep -q '^Status: 200' "$out.answer" || { echo "bench/run: $program did not answer the stock query" >&2; exit 1; }
    pid=$(pgrep -f -- "--callgrind-out-file=$out.callgrind")
    kill -TERM "$pid"
    while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
    awk '/refs:/ { gsub(",", "", $NF); print $NF }' "$out.valgrind"
}

# Instructions per stock query of a FastCGI process and of the floor: the
# difference between 120 and 20 calls, so that start and end drop out.
# Counts do not depend on the machine's load.
bench_fastcgi_profile() {
    command -v valgrind >/dev/null || { echo "bench/run: valgrind is missing" >&2; exit 1; }
    local mode dir program few many
    echo
    echo "### Instructions per BuscaEstoque of one FastCGI process (callgrind, calls 21 to 120)"
    echo
    echo "| database | velmora.cgi | floor | floor / velmora.cgi |"
    echo "|---|---|---|---|"
    for mode in ${modes//,/ }; do
        [[ $mode == server ]] && start_server
        dir=$(cgi_dir "$mode" "$records")
        set_writes "$(location "$mode" "$records")"
        local -A per=()
        for program in velmora.cgi trivial.fcgi; do
            few=$(fcgi_instructions "$dir" "$program" 20)
            many=$(fcgi_instructions "$dir" "$program" 120)
            per[$program]=$(((many - few) / 100))
        done
        echo "| $mode | ${per[velmora.cgi]} | ${per[trivial.fcgi]} |" \
            "$(awk -v a="${per[trivial.fcgi]}" -v b="${per[velmora.cgi]}" 'BEGIN { printf "%.2f", a / b }') |"
    done
}
