#!/usr/bin/env bash
# Runs a command beside a private PostgreSQL server: installs the server and
# Qt's driver for it when missing, starts the server in a temporary data
# directory on loopback at a free port, hands the command the connection in
# TARVO_TEST_PG_CONNECTION, and stops and removes the server afterwards.
set -euo pipefail

missing=()
for p in postgresql libqt6sql6-psql; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

BIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
DIR=$(mktemp -d)
PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# The server refuses to run as root; then it runs as the postgres user.
AS=()
if [ "$(id -u)" -eq 0 ]; then
  chown postgres "$DIR"
  AS=(runuser -u postgres --)
fi
cleanup() {
  "${AS[@]}" "$BIN/pg_ctl" -D "$DIR/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$DIR"
}
trap cleanup EXIT

"${AS[@]}" "$BIN/initdb" -D "$DIR/data" -A trust -U tarvo >/dev/null
"${AS[@]}" "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -o "-h 127.0.0.1 -p $PORT -k $DIR" start >/dev/null

export TARVO_TEST_PG_CONNECTION="driver=QPSQL;host=127.0.0.1;port=$PORT;database=postgres;user=tarvo"
"$@"
