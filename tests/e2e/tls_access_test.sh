#!/usr/bin/env bash
# End-to-end: the service behind Apache httpd with TLS (a self-signed
# certificate made now) and access allowed from 127.0.0.1 only, as the
# README's Security section configures it.
#
#   tests/e2e/tls_access_test.sh PROGRAM
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/sandbox.sh"

program=${1:?path of the built velmora.cgi}

e2e_need openssl php apache2
php -r 'exit(class_exists("SoapClient") ? 0 : 1);' || e2e_fail "PHP has no SoapClient; run scripts/setup (php-soap)"
e2e_time_limit 240
e2e_sandbox "$program"

tls=$E2E_DIR/tls
mkdir -m 0700 "$tls"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
    -addext subjectAltName=IP:127.0.0.1 -keyout "$tls/key.pem" -out "$tls/cert.pem" 2>"$tls/openssl.log" ||
    { cat "$tls/openssl.log" >&2; e2e_fail "openssl could not make a certificate"; }
chmod 0644 "$tls/cert.pem"

modules=/usr/lib/apache2/modules
e2e_serve apache "$(cat <<CONF
LoadModule socache_shmcb_module $modules/mod_socache_shmcb.so
LoadModule ssl_module $modules/mod_ssl.so
SSLEngine on
SSLCertificateFile "$tls/cert.pem"
SSLCertificateKeyFile "$tls/key.pem"
SSLSessionCache "shmcb:$E2E_DIR/apache/ssl_cache(65536)"

# The terminals' network is 127.0.0.1 here: everyone else gets 403.
<Location "/">
    Require ip 127.0.0.1
</Location>
CONF
)"
base=https://127.0.0.1:$E2E_PORT
e2e_say "apache serves $base/velmora.cgi from $E2E_DIR, to 127.0.0.1 only"

rc=0
timeout 200 python3 "$e2e_repo/tests/e2e/tls_access.py" --base "$base" --cafile "$tls/cert.pem" \
    --refused-from 127.0.0.2 --db "$E2E_DIR/demo.fdb" --out "$E2E_DIR/out" || rc=$?
if ((rc != 0)); then
    echo "e2e: apache log ($E2E_SERVER_LOG):" >&2
    tail -n 30 "$E2E_SERVER_LOG" >&2 || true
fi
exit "$rc"
