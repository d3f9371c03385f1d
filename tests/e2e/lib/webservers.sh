# shellcheck shell=bash
# Sourced by tests/e2e/lib/sandbox.sh: starts one web server on 127.0.0.1:PORT
# with its state in DIR, mapping /velmora.cgi and /broken.cgi to the two
# program copies of the sandbox, the rest of the URL path becoming PATH_INFO.
# Started by root, the CGI processes run as www-data with group firebird, as
# in production. Each start registers its own stop with e2e_on_exit.
#
#   e2e_lighttpd_start DIR PORT   the project's own scripts/lib/webserver.sh
#   e2e_apache_start DIR PORT [CONF]  Apache httpd, event MPM with mod_cgid;
#                                 CONF: directives added at the end
#   e2e_nginx_start DIR PORT      nginx in front of fcgiwrap

: "${e2e_repo:?sourced by tests/e2e/lib/sandbox.sh}"

# The mounts, of the two programs those the sandbox holds: URL name and program.
e2e_mounts() {
    local mount
    for mount in "velmora.cgi $E2E_DIR/service/velmora.cgi" "broken.cgi $E2E_DIR/broken/velmora.cgi"; do
        [[ -e ${mount#* } ]] && echo "$mount"
    done
    return 0
}

e2e_lighttpd_start() {
    local dir=$1 port=$2
    e2e_need lighttpd
    # shellcheck source=scripts/lib/webserver.sh
    source "$e2e_repo/scripts/lib/webserver.sh"
    velmora_web_start "$dir" "$port" "$E2E_DIR/service/velmora.cgi" || return 1
    e2e_on_exit "velmora_web_stop '$dir'"
    # lighttpd runs whatever .cgi link its document root holds.
    ln -sfn "$E2E_DIR/broken/velmora.cgi" "$dir/htdocs/broken.cgi"
    export E2E_SERVER_LOG=$dir/error.log
}

e2e_apache_start() {
    local dir=$1 port=$2 extra=${3:-} modules=/usr/lib/apache2/modules users='' name program
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
ScriptSock "$dir/cgid.sock"
ErrorLog "$dir/error.log"
LogLevel warn
$users

LoadModule mpm_event_module $modules/mod_mpm_event.so
LoadModule authz_core_module $modules/mod_authz_core.so
LoadModule authz_host_module $modules/mod_authz_host.so
LoadModule alias_module $modules/mod_alias.so
LoadModule env_module $modules/mod_env.so
LoadModule cgid_module $modules/mod_cgid.so

# An empty, readable document root: Apache maps PATH_INFO through it to
# build PATH_TRANSLATED and would log a denial for every call otherwise.
DocumentRoot "$dir/htdocs"
<Directory />
    Require all denied
</Directory>
<Directory "$dir/htdocs">
    Require all granted
</Directory>

SetEnv FIREBIRD "$FIREBIRD"
SetEnv FIREBIRD_LOCK "$FIREBIRD_LOCK"
SetEnv FIREBIRD_TMP "$FIREBIRD_TMP"
CONF
        while read -r name program; do
            cat <<CONF

ScriptAlias /$name "$program"
<Directory "${program%/*}">
    Require all granted
</Directory>
CONF
        done < <(e2e_mounts)
        printf '\n%s\n' "$extra"
    } >"$dir/httpd.conf"
    apache2 -f "$dir/httpd.conf" -DFOREGROUND </dev/null >>"$dir/httpd.out" 2>&1 &
    local pid=$!
    e2e_on_exit "e2e_stop_pid $pid"
    export E2E_SERVER_LOG=$dir/error.log
    e2e_wait_port "$port" "$pid" "$dir/error.log"
}

e2e_nginx_start() {
    local dir=$1 port=$2 name program user=''
    e2e_need nginx fcgiwrap
    mkdir -p "$dir/tmp" "$dir/run"
    chmod 0755 "$dir"
    if ((EUID == 0)); then
        # fcgiwrap runs as the web user and makes its socket there.
        chown www-data:firebird "$dir/run"
        chmod 0750 "$dir/run"
        user="user www-data firebird;"
    fi

    local socket=$dir/run/fcgiwrap.sock i as_user=()
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

    {
        cat <<CONF
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
CONF
        while read -r name program; do
            cat <<CONF
        location ~ ^/${name//./\\.}(/|\$) {
            fastcgi_split_path_info ^(/${name//./\\.})(/.*)?\$;
            include /etc/nginx/fastcgi_params;
            fastcgi_param SCRIPT_FILENAME $program;
            fastcgi_param PATH_INFO \$fastcgi_path_info;
            # fcgiwrap gives the program only what nginx sends.
            fastcgi_param FIREBIRD $FIREBIRD;
            fastcgi_param FIREBIRD_LOCK $FIREBIRD_LOCK;
            fastcgi_param FIREBIRD_TMP $FIREBIRD_TMP;
            fastcgi_pass unix:$socket;
        }
CONF
        done < <(e2e_mounts)
        echo "    }"
        echo "}"
    } >"$dir/nginx.conf"
    nginx -p "$dir" -e "$dir/error.log" -c "$dir/nginx.conf" </dev/null >>"$dir/nginx.out" 2>&1 &
    local pid=$!
    e2e_on_exit "e2e_stop_pid $pid"
    export E2E_SERVER_LOG=$dir/error.log
    e2e_wait_port "$port" "$pid" "$dir/error.log"
}
