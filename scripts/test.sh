#!/usr/bin/env bash
# Installs what is missing, builds Kvizmat with its tests and runs them all through CTest twice:
# in the C.UTF-8 locale and in the Czech cs_CZ.UTF-8 of classroom computers.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" --for-tests
"$root/scripts/build.sh" -DKVIZMAT_BUILD_TESTS=ON -DKVIZMAT_BUILD_BENCH=ON
build="${KVIZMAT_BUILD_DIR:-$root/build}"

# Services the tests need (a private PostgreSQL server) are started here and stopped on exit.
if [ -x "$root/scripts/test-services.sh" ]; then
  # shellcheck source=/dev/null
  source "$root/scripts/test-services.sh"
fi

cd "$build"
failed=()
for l in C.UTF-8 cs_CZ.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}"; then
    echo "test: národní prostředí $l není vygenerováno (scripts/deps.sh --for-tests je vytvoří)." >&2
    failed+=("$l")
    continue
  fi
  echo "== testy v prostředí LC_ALL=$l =="
  env -u LANGUAGE LANG="$l" LC_ALL="$l" ctest --output-on-failure --timeout 600 "$@" || failed+=("$l")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "test: testy neprošly v prostředí: ${failed[*]}" >&2
  exit 1
fi
