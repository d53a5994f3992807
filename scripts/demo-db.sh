#!/usr/bin/env bash
# Gives a newcomer a working school mode: when no configuration file names a school database and
# none lies at the default place, creates a demonstration database with a few pupils through the
# teacher's tool and points the user's configuration at it. Never overwrites a database or a
# configuration. Usage: demo-db.sh BUILD_DIR
set -euo pipefail
build="${1:?použití: demo-db.sh SLOŽKA_SESTAVENÍ}"
tool="$build/tools/kvizmat-ucitel"
default_db=/var/lib/kvizmat/skola.db

config_home="${XDG_CONFIG_HOME:-$HOME/.config}"
user_conf="$config_home/kvizmat/kvizmat.conf"
IFS=: read -r -a config_dirs <<<"${XDG_CONFIG_DIRS:-/etc/xdg}"
for dir in "$config_home" "${config_dirs[@]}"; do
  # A configuration chosen by the user or the administrator is left to them.
  [ -n "$dir" ] && [ -f "$dir/kvizmat/kvizmat.conf" ] && exit 0
done
[ -e "$default_db" ] && exit 0

if [ ! -x "$tool" ]; then
  echo "demo-db: nástroj učitele $tool chybí; ukázková školní databáze nevznikla." >&2
  exit 0
fi

demo_db="${XDG_DATA_HOME:-$HOME/.local/share}/kvizmat/skola-demo.db"
if [ ! -e "$demo_db" ]; then
  pupils="$(mktemp)"
  trap 'rm -f "$pupils"' EXIT
  printf '%s\n' 'Příjmení;Třída' 'Novák;2.A' 'Svobodová;2.A' 'Dvořák;2.B' 'Černá;2.B' 'Procházka;3.C' >"$pupils"
  if ! "$tool" zalozit "$demo_db" >/dev/null || ! "$tool" zaci "$demo_db" "$pupils" >/dev/null; then
    echo "demo-db: ukázkovou školní databázi se nepodařilo založit; program nabídne přihlášení pro e-mail." >&2
    exit 0
  fi
  echo "Založena ukázková školní databáze s pěti žáky: $demo_db"
fi

mkdir -p "$(dirname "$user_conf")"
printf '[database]\npath="%s"\n' "$demo_db" >"$user_conf"
echo "Kvizmat teď používá ukázkovou databázi $demo_db (nastaveno v $user_conf; smazáním souboru se vrátíte k $default_db)."
