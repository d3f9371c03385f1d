# shellcheck shell=bash
# Sourced by tests/e2e/lib/sandbox.sh: starts one web server on 127.0.0.1:PORT
# with its state in DIR, mapping /velmora.cgi and /broken.cgi to the two
# program copies of the sandbox, the rest of the URL path becoming PATH_INFO.
# MODE cgi runs a process per request; MODE fastcgi runs the programs in
# FastCGI mode, as many requests per process as come. Started by root, the
# programs run as www-data with group firebird, as in production. Each server
# compresses text/xml itself for clients that ask (Apache's mod_deflate as
# Debian enables it, lighttpd's mod_deflate, nginx's gzip), so that the
# program's own gzip answers are seen to pass through untouched. Each start
# registers its own stop with e2e_on_exit.
#
#   e2e_lighttpd_start DIR PORT MODE   the project's own scripts/lib/webserver.sh
#                                      (fastcgi: lighttpd starts them, bin-path)
#   e2e_apache_start DIR PORT MODE [CONF]  Apache httpd, event MPM with mod_cgid
#                                      (fastcgi: mod_fcgid starts them);
#                                      CONF: directives added at the end
#   e2e_nginx_start DIR PORT MODE      nginx in front of fcgiwrap
#                                      (fastcgi: in front of spawn-fcgi's processes)

: "${e2e_repo:?sourced by tests/e2e/lib/sandbox.sh}"

# The mounts, of the two programs those the sandbox holds: URL name and program.
e2e_mounts() {
    local mount
    for mount in "velmora.cgi $E2E_DIR/service/velmora.cgi" "broken.cgi $E2E_DIR/broken/broken.cgi"; do
        [[ -e ${mount#* } ]] && echo "$mount"
    done
    return 0
}

e2e_lighttpd_start() {
    local dir=$1 port=$2 option=() name program programs=()
    e2e_need lighttpd
    [[ $3 == fastcgi ]] && option=(--fastcgi)
    while read -r name program; do
        programs+=("$program")
    done < <(e2e_mounts)
    # shellcheck source=scripts/lib/webserver.sh
    source "$e2e_repo/scripts/lib/webserver.sh"
    VELMORA_WEB_EXTRA_CONF='server.modules += ( "mod_deflate" )
deflate.mimetypes = ( "text/xml", "text/html" )
deflate.allowed-encodings = ( "gzip", "deflate" )' \
        velmora_web_start "${option[@]}" "$dir" "$port" "${programs[@]}" || return 1
    e2e_on_exit "velmora_web_stop '$dir'"
    export E2E_SERVER_LOG=$dir/error.log
}

e2e_apache_start() {
    local dir=$1 port=$2 mode=$3 extra=${4:-} modules=/usr/lib/apache2/modules users='' name program
    e2e_need apache2
    mkdir -p "$dir/htdocs"
    chmod 0755 "$dir" "$dir/htdocs"
    if ((EUID == 0)); then
        users=$'User www-data\nGroup firebird'
    fi
    {
        cat <<CONF
# A private Apache httpd for one end-to-end test.
ServerRoot "$dir"
ServerName 127.0.0.1
Listen 127.0.0.1:$port
PidFile "$dir/httpd.pid"
DefaultRuntimeDir "$dir"
ErrorLog "$dir/error.log"
LogLevel warn
$users

LoadModule mpm_event_module $modules/mod_mpm_event.so
LoadModule authz_core_module $modules/mod_authz_core.so
LoadModule authz_host_module $modules/mod_authz_host.so
LoadModule alias_module $modules/mod_alias.so
LoadModule filter_module $modules/mod_filter.so
LoadModule deflate_module $modules/mod_deflate.so
AddOutputFilterByType DEFLATE text/xml text/html

# An empty, readable document root: Apache maps PATH_INFO through it to
# build PATH_TRANSLATED and would log a denial for every call otherwise.
DocumentRoot "$dir/htdocs"
<Directory />
    Require all denied
</Directory>
<Directory "$dir/htdocs">
    Require all granted
</Directory>
CONF
        if [[ $mode == cgi ]]; then
            cat <<CONF
LoadModule env_module $modules/mod_env.so
LoadModule cgid_module $modules/mod_cgid.so
ScriptSock "$dir/cgid.sock"
CONF
            # The sandbox's Firebird environment; without one (the package
            # test) only what CONF brings reaches the programs.
            if [[ -n ${FIREBIRD:-} ]]; then
                cat <<CONF

SetEnv FIREBIRD "$FIREBIRD"
SetEnv FIREBIRD_LOCK "$FIREBIRD_LOCK"
SetEnv FIREBIRD_TMP "$FIREBIRD_TMP"
SetEnv LD_LIBRARY_PATH "$LD_LIBRARY_PATH"
CONF
            fi
            while read -r name program; do
                cat <<CONF

ScriptAlias /$name "$program"
<Directory "${program%/*}">
    Require all granted
</Directory>
CONF
            done < <(e2e_mounts)
        else
            cat <<CONF
LoadModule fcgid_module $modules/mod_fcgid.so
FcgidIPCDir "$dir/fcgid"
FcgidProcessTableFile "$dir/fcgid/shm"
# The processes' own environment (SetEnv only reaches the request).
FcgidInitialEnv FIREBIRD "$FIREBIRD"
FcgidInitialEnv FIREBIRD_LOCK "$FIREBIRD_LOCK"
FcgidInitialEnv FIREBIRD_TMP "$FIREBIRD_TMP"
FcgidInitialEnv LD_LIBRARY_PATH "$LD_LIBRARY_PATH"
FcgidMaxProcessesPerClass 2
# The program answers a body over its limit with its own fault: mod_fcgid
# must let it through to say so (its own limit is 128 KiB).
FcgidMaxRequestLen 2097152
CONF
            while read -r name program; do
                cat <<CONF

Alias /$name "$program"
<Directory "${program%/*}">
    Require all granted
    Options +ExecCGI
    SetHandler fcgid-script
</Directory>
CONF
            done < <(e2e_mounts)
        fi
        printf '\n%s\n' "$extra"
    } >"$dir/httpd.conf"
    apache2 -f "$dir/httpd.conf" -DFOREGROUND </dev/null >>"$dir/httpd.out" 2>&1 &
    local pid=$!
    e2e_on_exit "e2e_stop_pid $pid"
    export E2E_SERVER_LOG=$dir/error.log
    e2e_wait_port "$port" "$pid" "$dir/error.log"
}

# e2e_fcgiwrap_start DIR: fcgiwrap, as the web user, on DIR/run/fcgiwrap.sock:
# a CGI process per request.
e2e_fcgiwrap_start() {
    local dir=$1 socket=$1/run/fcgiwrap.sock i as_user=()
    e2e_need fcgiwrap
    if ((EUID == 0)); then
        as_user=(setpriv --reuid=www-data --regid=firebird --init-groups)
    fi
    # setpriv becomes fcgiwrap, so $! is the pid to stop.
    "${as_user[@]}" fcgiwrap -s "unix:$socket" </dev/null >>"$dir/fcgiwrap.log" 2>&1 &
    local wrap=$!
    e2e_on_exit "e2e_stop_pid $wrap; rm -f '$socket'"
    for ((i = 0; i < 100; i++)); do
        [[ -S $socket ]] && break
        kill -0 "$wrap" 2>/dev/null || break
        sleep 0.1
    done
    if [[ ! -S $socket ]]; then
        echo "e2e: fcgiwrap did not create $socket:" >&2
        cat "$dir/fcgiwrap.log" >&2
        return 1
    fi
}

# e2e_spawn_fcgi_start DIR NAME PROGRAM: two FastCGI processes of PROGRAM on
# DIR/run/NAME.sock, as the web user, with the embedded Firebird environment
# and nothing else; spawn-fcgi leaves them behind, so they are stopped by pid.
e2e_spawn_fcgi_start() {
    local dir=$1 name=$2 program=$3 users=() pid
    e2e_need spawn-fcgi
    if ((EUID == 0)); then
        users=(-u www-data -g firebird -U www-data -G firebird)
    fi
    env -i FIREBIRD="$FIREBIRD" FIREBIRD_LOCK="$FIREBIRD_LOCK" FIREBIRD_TMP="$FIREBIRD_TMP" \
        LD_LIBRARY_PATH="$LD_LIBRARY_PATH" \
        spawn-fcgi -s "$dir/run/$name.sock" -F 2 -P "$dir/run/$name.pid" "${users[@]}" -- "$program" \
        </dev/null >>"$dir/spawn-fcgi.log" 2>&1 || {
        echo "e2e: spawn-fcgi could not start $program:" >&2
        cat "$dir/spawn-fcgi.log" >&2
        return 1
    }
    while read -r pid || [[ -n $pid ]]; do
        e2e_on_exit "e2e_stop_pid $pid"
    done <"$dir/run/$name.pid"
    e2e_on_exit "rm -f '$dir/run/$name.sock'"
}

e2e_nginx_start() {
    local dir=$1 port=$2 mode=$3 name program user='' locations
    e2e_need nginx
    mkdir -p "$dir/run"
    chmod 0755 "$dir"
    if ((EUID == 0)); then
        # The programs run as the web user and make their sockets there.
        chown www-data:firebird "$dir/run"
        chmod 0750 "$dir/run"
        user="www-data firebird"
    fi
    if [[ $mode == cgi ]]; then
        e2e_fcgiwrap_start "$dir" || return 1
    else
        while read -r name program; do
            e2e_spawn_fcgi_start "$dir" "$name" "$program" || return 1
        done < <(e2e_mounts)
    fi

    locations=$(
        while read -r name program; do
            cat <<CONF
        location ~ ^/${name//./\\.}(/|\$) {
            fastcgi_split_path_info ^(/${name//./\\.})(/.*)?\$;
            gzip on;
            gzip_types text/xml;
            include fastcgi_params;
            fastcgi_param PATH_INFO \$fastcgi_path_info;
CONF
            if [[ $mode == cgi ]]; then
                cat <<CONF
            fastcgi_param SCRIPT_FILENAME $program;
            # fcgiwrap gives the program only what nginx sends.
            fastcgi_param FIREBIRD $FIREBIRD;
            fastcgi_param FIREBIRD_LOCK $FIREBIRD_LOCK;
            fastcgi_param FIREBIRD_TMP $FIREBIRD_TMP;
            fastcgi_param LD_LIBRARY_PATH $LD_LIBRARY_PATH;
            fastcgi_pass unix:$dir/run/fcgiwrap.sock;
        }
CONF
            else
                cat <<CONF
            fastcgi_pass unix:$dir/run/$name.sock;
        }
CONF
            fi
        done < <(e2e_mounts)
    )
    e2e_nginx_serve "$dir" "$port" "$user" "$locations"
}

# e2e_nginx_serve DIR PORT USER SERVER: nginx with its state in DIR and one
# server block on 127.0.0.1:PORT holding SERVER, its workers running as USER
# ("user [group]"; empty: as the caller). "include fastcgi_params;" finds
# Debian's, as in /etc/nginx.
e2e_nginx_serve() {
    local dir=$1 port=$2 user=${3:+user $3;} server=$4
    mkdir -p "$dir/tmp"
    ln -sfn /etc/nginx/fastcgi_params "$dir/fastcgi_params"
    cat >"$dir/nginx.conf" <<CONF
# A private nginx for one end-to-end test.
daemon off;
worker_processes 1;
$user
pid $dir/nginx.pid;
error_log $dir/error.log warn;
events { worker_connections 64; }
http {
    access_log off;
    client_body_temp_path $dir/tmp/body;
    fastcgi_temp_path $dir/tmp/fastcgi;
    proxy_temp_path $dir/tmp/proxy;
    uwsgi_temp_path $dir/tmp/uwsgi;
    scgi_temp_path $dir/tmp/scgi;
    server {
        listen 127.0.0.1:$port;
$server
    }
}
CONF
    nginx -p "$dir" -e "$dir/error.log" -c "$dir/nginx.conf" </dev/null >>"$dir/nginx.out" 2>&1 &
    local pid=$!
    e2e_on_exit "e2e_stop_pid $pid"
    export E2E_SERVER_LOG=$dir/error.log
    e2e_wait_port "$port" "$pid" "$dir/error.log"
}
