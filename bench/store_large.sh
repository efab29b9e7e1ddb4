#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on a store near its limit: 31 MiB, most of it a key of another
# program beside the program's own values. On a private X server with a
# window manager (openbox), each run starts the program on a fresh copy of
# that store and times, from outside (coilix_bench_startup_probe), its first
# window exposed and then its end after SIGTERM; after each run the other
# program's lines must be in the store byte for byte. Prints the medians,
# and fails when the window takes over 1.5 s or the end over 1 s. With
# BUSY=N, N busy loops run meanwhile (a machine doing something else).
#
# usage: bench/store_large.sh [BUILD-DIR] [RUNS]   (default: build, 5)
# Needs a build with COILIX_BENCH=ON, and xvfb, openbox, wmctrl.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
runs=${2:-5}
busy=${BUSY:-0}
COILIX_BIN="$build/coilix"
PROBE="$build/bench/coilix_bench_startup_probe"
STORE_BENCH="$build/bench/coilix_bench_store"
for f in "$COILIX_BIN" "$PROBE" "$STORE_BENCH"; do
    [ -x "$f" ] || { echo "no $f (build with COILIX_BENCH=ON first)"; exit 1; }
done
. "$here/../tests/e2e/lib.sh" || exit 1
e2e_start_x
e2e_start_wm

large="$E2E_TMP/large.reg"
"$STORE_BENCH" --write-large "$large"
# The other program's key: from its section line to the blank line after it.
foreign() {
    sed -n '/^\[HKEY_CURRENT_USER\\Software\\Someone Else\\Padding\]$/,/^$/p' "$1"
}
foreign "$large" >"$E2E_TMP/foreign.want"

busy_pids=()
for ((i = 0; i < busy; i++)); do
    (while :; do :; done) &
    busy_pids+=($!)
done
trap 'rc=$?; set +e; kill "${busy_pids[@]}" "$E2E_WM_PID" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT

: >"$E2E_TMP/runs.txt"
for ((i = 0; i < runs; i++)); do
    cp "$large" "$COILIX_REGISTRY"
    rm -f "$COILIX_REGISTRY.lock"
    "$PROBE" 1000 0 -- "$COILIX_BIN" >>"$E2E_TMP/runs.txt"
    foreign "$COILIX_REGISTRY" | cmp -s - "$E2E_TMP/foreign.want" ||
        e2e_fail "run $((i + 1)): the other program's lines changed"
    rc=$(awk 'END {print $6}' "$E2E_TMP/runs.txt")
    [ "$rc" = 0 ] || e2e_fail "run $((i + 1)): the program ended with $rc"
done

median() {  # column $1 of the runs
    awk -v c="$1" '{print $c}' "$E2E_TMP/runs.txt" | sort -n |
        awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}
echo "A store of $(stat -c %s "$large") bytes, $(nproc) cores, $busy busy loops, median of $runs runs:"
printf '  first window %5s ms (each: %s)\n' "$(median 1)" "$(awk '{print $1}' "$E2E_TMP/runs.txt" | paste -sd' ')"
printf '  SIGTERM to end %5s ms (each: %s)\n' "$(median 5)" "$(awk '{print $5}' "$E2E_TMP/runs.txt" | paste -sd' ')"
echo "  the other program's lines kept byte for byte in every run"
[ "$(median 1)" -le 1500 ] || e2e_fail "the window took over 1.5 s"
[ "$(median 5)" -le 1000 ] || e2e_fail "the end took over 1 s"
