#!/usr/bin/env bash
# Installs what building, running and testing Kvizmat needs on Debian 12 (only what is missing).
set -euo pipefail

packages=(
  cmake g++ make ccache
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
  fonts-liberation
)
# The tests also need a PostgreSQL server and the packaging tools.
if [ "${1:-}" = "--for-tests" ]; then
  packages+=(postgresql dpkg-dev file desktop-file-utils)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
echo "Instaluji chybějící balíčky: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
