#!/usr/bin/env bash
# Installs what is missing, builds Kvizmat and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" -DKVIZMAT_BUILD_TESTS=OFF -DKVIZMAT_BUILD_BENCH=OFF
build="${KVIZMAT_BUILD_DIR:-$root/build}"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "kvizmat: není k dispozici grafické prostředí (DISPLAY ani WAYLAND_DISPLAY nejsou nastaveny); spusťte program na ploše."
  exit 2
fi
if [ -x "$root/scripts/demo-db.sh" ]; then
  "$root/scripts/demo-db.sh" "$build"
fi
exec "$build/src/kvizmat"
