#!/usr/bin/env bash
# Builds the two Debian packages and checks them as an administrator would meet them: kvizmat for the
# classroom computers and kvizmat-ucitel for the teacher's computer, each with its Depends, exactly
# its own files, and a clean-root install whose binaries find their libraries.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
pupils="$(ls "$work"/out/kvizmat_*.deb)"
teacher="$(ls "$work"/out/kvizmat-ucitel_*.deb)"
[ "$(ls "$work"/out/*.deb | wc -l)" -eq 2 ] || { ls "$work"/out; echo "čekám právě dva balíčky"; exit 1; }

# package, the libraries and packages it must depend on, the files it must hold (and nothing else
# but folders)
check() {
  local deb="$1" name="$2" needs="$3" files="$4"
  local depends
  [ "$(dpkg-deb -f "$deb" Package)" = "$name" ] || { echo "$deb: špatné jméno balíčku"; exit 1; }
  [ "$(dpkg-deb -f "$deb" Section)" = education ] || { echo "$name: špatná sekce"; exit 1; }
  depends="$(dpkg-deb -f "$deb" Depends)"
  echo "$name Depends: $depends"
  for need in $needs; do
    grep -q "$need" <<<"$depends" || { echo "$name: chybí závislost $need"; exit 1; }
  done
  # Neither package needs the other.
  if grep -qE '(^|, )kvizmat(-ucitel)?( |,|$)' <<<"$depends"; then
    echo "$name nesmí záviset na druhém balíčku"; exit 1
  fi
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sort >"$work/$name.files"
  tr ' ' '\n' <<<"$files" | grep . | sort >"$work/$name.expected"
  if ! diff -u "$work/$name.expected" "$work/$name.files"; then
    echo "$name: seznam souborů neodpovídá"; exit 1
  fi
}
apps=./usr/share/applications
icons=./usr/share/icons/hicolor/scalable/apps
check "$pupils" kvizmat "libqt6widgets6 libqt6sql6 libpq5 libqt6sql6-sqlite fonts-liberation qt6-translations-l10n" \
  "./usr/bin/kvizmat $apps/kvizmat.desktop $icons/kvizmat.svg ./usr/share/doc/kvizmat/kvizmat.conf.example"
check "$teacher" kvizmat-ucitel "libqt6widgets6 libqt6sql6 libqt6sql6-sqlite libqt6charts6 libqt6keychain1 qt6-translations-l10n" \
  "./usr/bin/kvizmat-ucitel ./usr/bin/kvizmat-vysledky $apps/kvizmat-vysledky.desktop $icons/kvizmat-vysledky.svg ./usr/share/doc/kvizmat-ucitel/pgbouncer.ini.example"
# The classroom package has no charts and no keyring: those are the teacher's.
if grep -qE 'libqt6charts6|libqt6keychain1' <<<"$(dpkg-deb -f "$pupils" Depends)"; then
  echo "kvizmat nemá záviset na knihovnách učitele"; exit 1
fi

root="$work/root"
dpkg-deb -x "$pupils" "$root"
dpkg-deb -x "$teacher" "$root"
for desktop in "$root"/usr/share/applications/kvizmat.desktop "$root"/usr/share/applications/kvizmat-vysledky.desktop; do
  grep -q '^Categories=.*Education' "$desktop"
  grep -q '^Name\[cs\]=' "$desktop"
  grep -q '^Comment\[cs\]=' "$desktop"
  if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi
done
grep -qx 'Name\[cs\]=Kvizmat – výsledky třídy' "$root/usr/share/applications/kvizmat-vysledky.desktop"
# The command-line tool stays without widgets.
if ldd "$root/usr/bin/kvizmat-ucitel" | grep -qE 'libQt6(Widgets|Gui)'; then
  echo "kvizmat-ucitel nesmí záviset na QtWidgets ani QtGui"; exit 1
fi
for bin in kvizmat kvizmat-ucitel kvizmat-vysledky; do
  if ldd "$root/usr/bin/$bin" | grep -q 'not found'; then
    ldd "$root/usr/bin/$bin"; echo "$bin: chybí knihovny"; exit 1
  fi
done
# The installed teacher's tool runs and answers in Czech.
"$root/usr/bin/kvizmat-ucitel" --help | grep -qi 'použití'
