#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's figures on a private X server (Xvfb): time from start to the
# first shown window, resident memory after start, CPU used over 10 seconds of
# play, of a new game not yet started and of a paused game; then the paint
# cost of one tick on a 70 x 70 board and the resident memory over a game of
# 20,000 ticks on it (both offscreen).
#
# usage: bench/gui_bench.sh [BUILD-DIR]     (default: build)

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
COILIX_BIN="$build/coilix-seeded"
PAINT_BENCH="$build/bench/coilix_bench_gui_paint"
SOAK_BENCH="$build/bench/coilix_bench_gui_soak"
[ -x "$COILIX_BIN" ] || { echo "no program at $COILIX_BIN (build first)"; exit 1; }
. "$here/../tests/e2e/lib.sh" || exit 1
e2e_require_tools
e2e_start_x

hz=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# CPU seconds used by the program over $1 seconds, as a share of one core.
cpu_share() {
    local secs=$1 a b
    a=$(cpu_ticks "$E2E_APP_PID")
    sleep "$secs"
    b=$(cpu_ticks "$E2E_APP_PID")
    awk -v d=$((b - a)) -v hz="$hz" -v s="$secs" 'BEGIN { printf "%.2f s of CPU (%.1f %% of one core)", d / hz, 100 * d / hz / s }'
}

stop_app() {
    kill "$E2E_APP_PID" 2>/dev/null || true
    wait "$E2E_APP_PID" 2>/dev/null || true
    E2E_APP_PID=""
}

# Start-up: three fresh starts, the median.
starts=()
for run in 1 2 3; do
    rm -f "$COILIX_REGISTRY"
    t0=$(now_ms)
    e2e_start_app
    e2e_wait_window Coilix >/dev/null
    starts+=($(($(now_ms) - t0)))
    if [ "$run" -lt 3 ]; then stop_app; fi
done
start_ms=$(printf '%s\n' "${starts[@]}" | sort -n | sed -n 2p)
sleep 1
rss=$(awk '/VmRSS/ {print $2, $3}' "/proc/$E2E_APP_PID/status")

idle_new=$(cpu_share 10)

# Play: a square walk, six cells a side, on the Small board (250 ms a tick).
export COILIX_TEST_SEED=7
stop_app
e2e_start_app
win=$(e2e_wait_window Coilix)
e2e_focus "$win"
a=$(cpu_ticks "$E2E_APP_PID")
for side in Right Down Left Up Right Down Left; do
    e2e_key "$side"
    sleep 1.43
done
b=$(cpu_ticks "$E2E_APP_PID")
play=$(awk -v d=$((b - a)) -v hz="$hz" 'BEGIN { printf "%.2f s of CPU (%.1f %% of one core)", d / hz, 100 * d / hz / 10 }')
e2e_key Pause
sleep 0.5
paused=$(cpu_share 10)
stop_app

echo "Coilix on Xvfb ($(nproc) cores)"
echo "  start to first shown window:  ${start_ms} ms (median of ${starts[*]})"
echo "  resident memory after start:  ${rss}"
echo "  10 s of play:                 ${play}"
echo "  10 s idle, game not started:  ${idle_new}"
echo "  10 s idle, game paused:       ${paused}"
for bench in "$PAINT_BENCH" "$SOAK_BENCH"; do
    if [ -x "$bench" ]; then
        QT_QPA_PLATFORM=offscreen "$bench" 2>/dev/null | sed 's/^/  /'
    else
        echo "  (no $bench: build with COILIX_BENCH=ON for its figures)"
    fi
done
