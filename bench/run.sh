#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints the figures of the README's performance section.
# Usage: bench/run.sh [POSTGRESQL_URL]   (the store figures on PostgreSQL need a server URL)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KVIZMAT_BENCH_BUILD_DIR:-$root/build-bench}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKVIZMAT_BUILD_TESTS=OFF -DKVIZMAT_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null

# A real display when there is one; otherwise Xvfb if installed, else the offscreen platform.
runner=()
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  if command -v xvfb-run >/dev/null; then runner=(xvfb-run -a); else export QT_QPA_PLATFORM=offscreen; fi
fi
export DBUS_SESSION_BUS_ADDRESS=disabled:

echo "== start-up and memory (21 runs, median) =="
"${runner[@]}" bash -c '
  for i in $(seq 21); do "$0/bench/bench_startup" "$(date +%s%N)"; done' "$build" >"$build/startup.txt"
awk '/first-window-ms/ {print $2}' "$build/startup.txt" | sort -n | awk '{a[NR]=$1} END {printf "first window: median %.1f ms (min %.1f, max %.1f)\n", a[int((NR+1)/2)], a[1], a[NR]}'
awk '/rss-step3-kb/ {print $2}' "$build/startup.txt" | sort -n | awk '{a[NR]=$1} END {printf "resident memory at step 3: median %.1f MB\n", a[int((NR+1)/2)]/1024}'

if [ -x "$build/bench/bench_drawing" ]; then
  echo "== drawing =="
  "${runner[@]}" "$build/bench/bench_drawing"
fi
if [ -x "$build/bench/bench_actions" ]; then
  echo "== the pupil's actions, input event to repaint =="
  "${runner[@]}" "$build/bench/bench_actions"
fi
if [ -x "$build/bench/bench_store" ]; then
  echo "== school database =="
  if [ $# -gt 0 ]; then
    "$build/bench/bench_store" "$@"
  else
    # A private server as a school runs it (fsync on), with the pupils' own role and PgBouncer in front.
    KVIZMAT_TEST_PG_FSYNC=on bash "$root/scripts/test-services.sh" -- "$build/bench/bench_store"
  fi
fi
if [ -x "$build/bench/bench_classresults" ]; then
  echo "== teacher's window: opening a school =="
  "$build/bench/bench_classresults" "$@"
fi
if [ -x "$build/bench/bench_import" ]; then
  echo "== importing a school year's mail =="
  "$build/bench/bench_import" "$@"
fi
