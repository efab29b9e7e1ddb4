#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's start against the floor, a bare Qt 6 window: on a private X
# server with a window manager (openbox) and a sound server of its own (a null
# sink), each started RUNS times in turn (interleaved, so that a busy moment of
# the machine falls on both alike). From outside each process: the time from
# its start to its first window exposed, its resident memory two seconds
# later, and the CPU it uses over the five seconds after that. Prints the
# medians and the program's ratios to the floor.
#
# usage: bench/startup_floor.sh [BUILD-DIR] [RUNS]   (default: build, 7)
# Needs a build with COILIX_BENCH=ON, and xvfb, openbox, wmctrl, pulseaudio.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
runs=${2:-7}
COILIX_BIN="$build/coilix"
BARE="$build/bench/coilix_bench_bare_window"
PROBE="$build/bench/coilix_bench_startup_probe"
for f in "$COILIX_BIN" "$BARE" "$PROBE"; do
    [ -x "$f" ] || { echo "no $f (build with COILIX_BENCH=ON first)"; exit 1; }
done
. "$here/../tests/e2e/lib.sh" || exit 1
e2e_start_x
e2e_start_wm

# A sound server as a desktop has one: the program connects to it.
sound_pid=""
if command -v pulseaudio >/dev/null 2>&1; then
    export HOME="$E2E_TMP/home" PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    mkdir -p "$HOME"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
        -L "module-null-sink sink_name=null" \
        -L "module-native-protocol-unix auth-anonymous=1" 2>"$E2E_TMP/pulseaudio.log" &
    sound_pid=$!
    trap 'rc=$?; set +e; kill "$sound_pid" "$E2E_WM_PID" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
    for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi

# One measure of $@: "expose_ms rss_kb idle_cpu_ms".
probe() {
    rm -f "$COILIX_REGISTRY"
    "$PROBE" 2000 5000 -- "$@"
}

: >"$E2E_TMP/bare.txt"
: >"$E2E_TMP/text.txt"
: >"$E2E_TMP/coilix.txt"
# One start of each first, not counted: the files are in the page cache after.
probe "$BARE" >/dev/null
probe "$BARE" --text >/dev/null
probe "$COILIX_BIN" >/dev/null
for ((i = 0; i < runs; i++)); do
    probe "$BARE" >>"$E2E_TMP/bare.txt"
    probe "$BARE" --text >>"$E2E_TMP/text.txt"
    probe "$COILIX_BIN" >>"$E2E_TMP/coilix.txt"
done

median() {  # column $1 of file $2
    awk -v c="$1" '{print $c}' "$2" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'
}
report() {
    local name=$1 file=$2
    printf '  %-12s start %5s ms (CPU %4s ms)   memory %7s kB   idle CPU %4s ms in 5 s   (starts: %s)\n' \
        "$name" "$(median 1 "$file")" "$(median 4 "$file")" "$(median 2 "$file")" \
        "$(median 3 "$file")" "$(awk '{print $1}' "$file" | paste -sd' ')"
}
echo "Start-up on Xvfb with openbox$([ -n "$sound_pid" ] && echo " and a sound server"), $(nproc) cores, median of $runs interleaved runs"
report "bare" "$E2E_TMP/bare.txt"
report "bare + text" "$E2E_TMP/text.txt"
report "Coilix" "$E2E_TMP/coilix.txt"
ratios() {  # the program against floor $2
    awk -v a="$(median 1 "$E2E_TMP/coilix.txt")" -v b="$(median 1 "$1")" \
        -v c="$(median 4 "$E2E_TMP/coilix.txt")" -v d="$(median 4 "$1")" \
        -v m="$(median 2 "$E2E_TMP/coilix.txt")" -v n="$(median 2 "$1")" -v what="$2" \
        'BEGIN { printf "  ratio to %s: start-up %.2f x (CPU to the first window %.2f x), resident memory %.2f x\n", what, a / b, c / d, m / n }'
}
ratios "$E2E_TMP/text.txt" "the floor (a bare window with a line of text)"
ratios "$E2E_TMP/bare.txt" "an empty window (no text: no fonts loaded)"
