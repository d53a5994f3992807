#!/usr/bin/env bash
# Installs what building, running and testing Kvizmat needs on Debian 12 (only what is missing).
set -euo pipefail

packages=(
  cmake g++ make ccache
  libpq-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n
  qtkeychain-qt6-dev
  fonts-liberation
)
# The tests also need a PostgreSQL server, the packaging tools and the locales they run under
# (classroom computers are set up in Czech; numbers must read alike in English and German too).
test_locales=()
if [ "${1:-}" = "--for-tests" ]; then
  packages+=(postgresql pgbouncer dpkg-dev file desktop-file-utils locales)
  test_locales=(cs_CZ.UTF-8 en_US.UTF-8 de_DE.UTF-8)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "Instaluji chybějící balíčky: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale exists only once generated; locale-gen builds those listed in /etc/locale.gen.
generate=()
for l in "${test_locales[@]}"; do
  if ! locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}"; then
    generate+=("$l")
  fi
done
if [ ${#generate[@]} -gt 0 ]; then
  echo "Generuji národní prostředí: ${generate[*]}"
  for l in "${generate[@]}"; do
    if ! grep -qx "$l UTF-8" /etc/locale.gen 2>/dev/null; then
      echo "$l UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
