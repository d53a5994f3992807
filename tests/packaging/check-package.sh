#!/usr/bin/env bash
# Builds the Debian package and checks it as an administrator would meet it: its Depends, its
# files, and a clean-root install whose binaries find their libraries.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/out/kvizmat_*.deb)"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for need in libqt6widgets6 libqt6sql6 libqt6sql6-sqlite fonts-liberation qt6-translations-l10n; do
  grep -q "$need" <<<"$depends" || { echo "chybí závislost $need"; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = education ] || { echo "špatná sekce"; exit 1; }

dpkg-deb -c "$deb" >"$work/contents"
for path in ./usr/bin/kvizmat ./usr/bin/kvizmat-ucitel ./usr/bin/kvizmat-vysledky \
            ./usr/share/applications/kvizmat.desktop ./usr/share/applications/kvizmat-vysledky.desktop \
            ./usr/share/icons/hicolor/scalable/apps/kvizmat.svg ./usr/share/icons/hicolor/scalable/apps/kvizmat-vysledky.svg; do
  grep -q " $path\$" "$work/contents" || { echo "v balíčku chybí $path"; exit 1; }
done
if grep -E ' \./usr/(include|lib/.*\.a$)' "$work/contents"; then
  echo "balíček obsahuje vývojové soubory"; exit 1
fi

root="$work/root"
dpkg-deb -x "$deb" "$root"
grep -q 'libqt6charts6' <<<"$depends" || { echo "chybí závislost libqt6charts6"; exit 1; }
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
