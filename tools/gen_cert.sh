#!/bin/sh
# Makes the self-signed certificate and RSA key of the game server's secure
# WebSocket transport: <out>/<host>.crt and <out>/<host>.key, PEM, the key
# without a pass phrase. The certificate is no certificate authority: every
# copy of the program carries the key, so anything signed with it must not
# be trusted. Table clients accept exactly this certificate (pinned), and the
# lobby client does not trust it at all.
#
# The key is made fresh on every build and never committed. Builds that must
# trust each other (a release and its clients) embed one pair instead: see
# ZB_SSL_CERT and ZB_SSL_KEY in resources/CMakeLists.txt.
#
# Usage: gen_cert.sh <out-dir> <host> [days]
set -eu

if [ $# -lt 2 ]; then
  echo "usage: $0 <out-dir> <host> [days]" >&2
  exit 2
fi
out=$1
host=$2
days=${3:-3650}

if ! command -v openssl >/dev/null 2>&1; then
  echo "$0: the openssl program is missing (scripts/setup-debian.sh installs it)" >&2
  exit 1
fi

mkdir -p "$out"
conf=$(mktemp)
key_tmp="$out/$host.key.tmp"
crt_tmp="$out/$host.crt.tmp"
trap 'rm -f "$conf" "$key_tmp" "$crt_tmp"' EXIT

# A configuration of our own, so that the system's openssl.cnf adds nothing.
# Besides the host name, the certificate names this machine's loopback
# addresses: a client on the hosting machine (and the tests) checks it in
# full, host name included.
cat >"$conf" <<EOF
[req]
distinguished_name = dn
prompt = no
x509_extensions = ext

[dn]
CN = $host
O = Zubrik

[ext]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectKeyIdentifier = hash
subjectAltName = DNS:$host, DNS:localhost, IP:127.0.0.1, IP:::1
EOF

# Written next to the outputs first, moved last: an interrupted run leaves no
# half pair behind.
umask 077
openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days "$days" \
  -config "$conf" -keyout "$key_tmp" -out "$crt_tmp" 2>/dev/null
chmod 644 "$crt_tmp"
mv "$key_tmp" "$out/$host.key"
mv "$crt_tmp" "$out/$host.crt"
