#!/usr/bin/env bash
# Installs what is missing, builds Kvizmat with its tests and runs them all through CTest.
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
ctest --output-on-failure --timeout 600 "$@"
