#!/usr/bin/env bash
# Sourced by scripts/test.sh: starts a private PostgreSQL server on the loopback address in a
# temporary folder for the tests, exports its address as KVIZMAT_TEST_PG_URL and stops it on exit.
# Run directly (bash scripts/test-services.sh -- COMMAND...) it serves COMMAND only.

kvizmat_pg_bin=""
for candidate in /usr/lib/postgresql/15/bin /usr/lib/postgresql/*/bin; do
  if [ -x "$candidate/initdb" ] && [ -x "$candidate/pg_ctl" ]; then
    kvizmat_pg_bin="$candidate"
    break
  fi
done
if [ -z "$kvizmat_pg_bin" ]; then
  echo "test-services: PostgreSQL (initdb, pg_ctl) není nainstalován; spusťte scripts/deps.sh." >&2
  exit 1
fi

kvizmat_pg_dir="$(mktemp -d "${TMPDIR:-/tmp}/kvizmat-pg.XXXXXX")"
kvizmat_pg_as=()
kvizmat_pg_user="$(id -un)"
if [ "$(id -u)" -eq 0 ]; then
  # The server refuses to run as root.
  chown postgres: "$kvizmat_pg_dir"
  kvizmat_pg_as=(runuser -u postgres --)
  kvizmat_pg_user=postgres
fi

kvizmat_stop_pg() {
  if [ -n "${kvizmat_pg_dir:-}" ] && [ -f "$kvizmat_pg_dir/pgbouncer.pid" ]; then
    kill "$(cat "$kvizmat_pg_dir/pgbouncer.pid")" 2>/dev/null || true
  fi
  if [ -n "${kvizmat_pg_dir:-}" ] && [ -d "$kvizmat_pg_dir" ]; then
    "${kvizmat_pg_as[@]}" "$kvizmat_pg_bin/pg_ctl" -D "$kvizmat_pg_dir/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$kvizmat_pg_dir"
  fi
}
trap kvizmat_stop_pg EXIT
trap 'exit 130' INT TERM

if ! "${kvizmat_pg_as[@]}" "$kvizmat_pg_bin/initdb" -D "$kvizmat_pg_dir/data" --auth=trust -E UTF8 \
  --locale=C.UTF-8 --no-sync -U "$kvizmat_pg_user" >"$kvizmat_pg_dir/initdb.log" 2>&1; then
  cat "$kvizmat_pg_dir/initdb.log" >&2
  echo "test-services: initdb selhal." >&2
  exit 1
fi

# One role must give its password, so that a refused password can be tested for real.
"${kvizmat_pg_as[@]}" sed -i '1i host all kvizmat_heslo 127.0.0.1/32 scram-sha-256' "$kvizmat_pg_dir/data/pg_hba.conf"

kvizmat_pg_port=""
for _ in 1 2 3 4 5 6 7 8; do
  port=$((20000 + RANDOM % 20000))
  if (: </dev/tcp/127.0.0.1/$port) 2>/dev/null; then
    continue
  fi
  if "${kvizmat_pg_as[@]}" "$kvizmat_pg_bin/pg_ctl" -D "$kvizmat_pg_dir/data" -l "$kvizmat_pg_dir/server.log" -w \
    -o "-c listen_addresses=127.0.0.1 -p $port -k $kvizmat_pg_dir -c fsync=${KVIZMAT_TEST_PG_FSYNC:-off}" \
    start >/dev/null 2>&1; then
    kvizmat_pg_port=$port
    break
  fi
done
if [ -z "$kvizmat_pg_port" ]; then
  cat "$kvizmat_pg_dir/server.log" >&2 2>/dev/null || true
  echo "test-services: server PostgreSQL se nepodařilo spustit." >&2
  exit 1
fi

export KVIZMAT_TEST_PG_URL="postgresql://$kvizmat_pg_user@127.0.0.1:$kvizmat_pg_port/postgres"
echo "test-services: PostgreSQL pro testy běží na 127.0.0.1:$kvizmat_pg_port"

# The pupils' role as a school makes it: not a superuser, signing in with a scram-sha-256 password.
export KVIZMAT_TEST_PG_PASSWORD_ROLE=kvizmat_heslo
export KVIZMAT_TEST_PG_PASSWORD=Heslo-Zaka-7
"${kvizmat_pg_as[@]}" "$kvizmat_pg_bin/psql" -q -h "$kvizmat_pg_dir" -p "$kvizmat_pg_port" -U "$kvizmat_pg_user" \
  -d postgres -c "CREATE ROLE kvizmat_heslo LOGIN PASSWORD '$KVIZMAT_TEST_PG_PASSWORD'" >/dev/null

# PgBouncer in front of the server, with the school's configuration from packaging/ and only the
# addresses changed; the pupils' role signs in to it with the same scram secret.
if [ -x /usr/sbin/pgbouncer ]; then
  kvizmat_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  "${kvizmat_pg_as[@]}" "$kvizmat_pg_bin/psql" -Atq -h "$kvizmat_pg_dir" -p "$kvizmat_pg_port" \
    -U "$kvizmat_pg_user" -d postgres \
    -c "SELECT format('\"%s\" \"%s\"', rolname, rolpassword) FROM pg_authid WHERE rolname = 'kvizmat_heslo'" \
    >"$kvizmat_pg_dir/userlist.txt"
  for _ in 1 2 3 4 5 6 7 8; do
    bouncer_port=$((20000 + RANDOM % 20000))
    if (: </dev/tcp/127.0.0.1/$bouncer_port) 2>/dev/null; then
      continue
    fi
    sed -e "s|^kvizmat = .*|* = host=127.0.0.1 port=$kvizmat_pg_port|" \
      -e "s|^listen_addr = .*|listen_addr = 127.0.0.1|" \
      -e "s|^listen_port = .*|listen_port = $bouncer_port|" \
      -e "s|^max_client_conn = .*|max_client_conn = 500|" \
      -e "s|^auth_file = .*|auth_file = $kvizmat_pg_dir/userlist.txt|" \
      -e "s|^logfile = .*|logfile = $kvizmat_pg_dir/pgbouncer.log|" \
      -e "s|^pidfile = .*|pidfile = $kvizmat_pg_dir/pgbouncer.pid|" \
      -e "s|^unix_socket_dir = .*|unix_socket_dir = $kvizmat_pg_dir|" \
      "$kvizmat_root/packaging/pgbouncer.ini" >"$kvizmat_pg_dir/pgbouncer.ini"
    chown "$kvizmat_pg_user" "$kvizmat_pg_dir/pgbouncer.ini" "$kvizmat_pg_dir/userlist.txt" 2>/dev/null || true
    if (ulimit -n 2048 2>/dev/null; "${kvizmat_pg_as[@]}" /usr/sbin/pgbouncer -d -q "$kvizmat_pg_dir/pgbouncer.ini"); then
      for _ in $(seq 50); do
        (: </dev/tcp/127.0.0.1/$bouncer_port) 2>/dev/null && break
        sleep 0.1
      done
      export KVIZMAT_TEST_PGBOUNCER_PORT=$bouncer_port
      echo "test-services: PgBouncer pro testy běží na 127.0.0.1:$bouncer_port"
      break
    fi
  done
fi

if [ "${BASH_SOURCE[0]}" = "$0" ] && [ "${1:-}" = "--" ]; then
  shift
  "$@"
fi
