#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, by ear: the real program on a private X server plays a game
# into a private sound server whose only sink is recorded. Every sound the
# rules play must be in the recording, in order, each starting on its tick:
# the onsets found in the recording are held against the sounds the headless
# driver names for the same game, exactly, and each onset must lie within
# 30 ms of its tick, measured from the first. The game is played at each
# speed (350, 250 and 150 ms a tick), and the beat must be even: consecutive
# move sounds are heard one tick period apart, within 2 ms (95th percentile).
#
# usage: sound.sh COILIX-BINARY REPLAY-BINARY
#
# Needs pulseaudio and pulseaudio-utils (pactl, pacat, parecord), Xvfb,
# xdotool and python3; exits 77 (skipped) without them.

set -euo pipefail
COILIX_BIN=$1
REPLAY_BIN=$2
here=$(cd "$(dirname "$0")" && pwd)
clips="$here/../../res/sounds"
. "$here/lib.sh" || exit 1

for tool in Xvfb xdotool pulseaudio pactl pacat parecord python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (packages pulseaudio, pulseaudio-utils, xvfb, xdotool, python3)"
        exit "$E2E_SKIP"
    fi
done

# The game: a 70 x 70 board, sounds on, sent left once. With this seed the
# crawler eats a coin (cut off by the next move), then hits the wall with a
# new high score: the crash and the fanfare come in the same tick.
readonly seed=131 width=70 height=70 tolerance=30 beat_p95=2

e2e_start_x
SOUND_PIDS=()
sound_cleanup() {
    local rc=$? pid
    # Not -e here: the failing status handed on below must not end the
    # script before the shared clean-up has stopped the X server.
    set +e
    for pid in "${SOUND_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${SOUND_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    (exit "$rc")
    e2e_cleanup
}
trap sound_cleanup EXIT
work=$E2E_TMP

# A sound server of our own: its socket, cookie and state stay in $work, and
# its one sink is a null sink whose monitor is recorded. At 40 kHz (25 us a
# frame) the null sink keeps time with the system clock; at 44.1 or 48 kHz
# its rounding drifts by up to a few tens of ms over a game. Without rewinds
# the monitor never repeats what it already delivered.
export HOME="$work/home" PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
mkdir -p "$HOME"
unset PULSE_SINK PULSE_SOURCE
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    -L "module-null-sink sink_name=rec rate=40000 norewinds=1" \
    -L "module-native-protocol-unix auth-anonymous=1" 2>"$work/pulseaudio.log" &
SOUND_PIDS+=($!)
for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl info >/dev/null 2>&1 || e2e_fail "the sound server did not start: $(cat "$work/pulseaudio.log")"

# Silence keeps the sink running, so that its monitor delivers a continuous
# recording (an idle null sink delivers nothing). The sink starts on a long
# block and settles in about two seconds; a recording made sooner misses the
# beginning.
pacat --playback --raw --device=rec --rate=22050 --channels=1 --format=s16le \
    --latency-msec=100 /dev/zero &
SOUND_PIDS+=($!)
sleep 3

# One game at $1 ms a tick (speed index $2), recorded and checked.
play_at() {
    local speed=$1 index=$2 rec="$work/recording-$1.wav"
    # What the rules play, tick by tick: each "pane 0 Playing..." begins a tick.
    local dots score
    dots=$(printf '.%.0s' $(seq 1 $((width + 10))))
    "$REPLAY_BIN" --width $width --height $height --speed "$speed" --seed $seed \
        --events "L$dots" >"$work/replay.txt"
    awk -v ms="$speed" '/^pane 0 Playing/ { tick++ } /^sound / { print tick * ms, $2 }' \
        "$work/replay.txt" >"$work/expected.txt"
    score=$(awk '/^pane 1 Score: / { s = $4 } END { print s + 0 }' "$work/replay.txt")
    [ -s "$work/expected.txt" ] || e2e_fail "the headless driver names no sounds"
    echo "at $speed ms a tick: $(wc -l <"$work/expected.txt") sounds expected, final score $score"

    parecord --device=rec.monitor --rate=22050 --channels=1 --format=s16le --latency-msec=5 \
        --file-format=wav "$rec" &
    local parecord_pid=$!
    SOUND_PIDS+=($parecord_pid)
    sleep 0.3

    # The settings: the board, the speed and the sounds, and a window of a
    # size that fits the screen; no score table yet, so the game ends in a
    # new high score.
    cat >"$COILIX_REGISTRY" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix]
"Frame Placement"=hex:2c,00,00,00,00,00,00,00,01,00,00,00,ff,ff,ff,ff,ff,ff,\\
  ff,ff,ff,ff,ff,ff,ff,ff,ff,ff,32,00,00,00,32,00,00,00,52,03,00,00,\\
  8a,02,00,00

[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]
"Array Size"=dword:00000002
"Array Width"=dword:$(printf '%08x' $width)
"Array Height"=dword:$(printf '%08x' $height)
"Game Speed"=dword:$(printf '%08x' "$index")
"Sounds"=dword:00000001
EOF

    export COILIX_TEST_SEED=$seed
    : >"$work/app.log"
    e2e_start_app
    local win
    win=$(e2e_wait_window Coilix)
    e2e_focus "$win"
    sleep 0.5
    e2e_key Left

    # The game takes a tick per cell to the wall. A new high score asks for a
    # name and then shows the table: Escape answers both, once the last sound
    # has had the time to play to its end.
    local ticks title dlg
    ticks=$(tail -n 1 "$work/expected.txt" | cut -d' ' -f1)
    if [ "$score" -gt 0 ]; then
        for title in "New High Score" "High Scores"; do
            dlg=""
            for _ in $(seq 1 $((ticks / 100 + 100))); do
                dlg=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
                [ -n "$dlg" ] && break
                sleep 0.1
            done
            [ -n "$dlg" ] || e2e_fail "no window titled '$title' after the game"
            [ "$title" = "High Scores" ] || sleep 1
            e2e_focus "$dlg"
            e2e_key Escape
            e2e_wait_window_gone "$title"
        done
    else
        sleep "$(awk -v t="$ticks" 'BEGIN { print t / 1000 + 1.5 }')"
    fi

    # Escape in the main window ends the program.
    e2e_focus "$win"
    local closing
    closing=$(date +%s%N)
    e2e_key Escape
    e2e_wait_app_exit
    echo "the program ended $(( ($(date +%s%N) - closing) / 1000000 )) ms after Escape was sent"
    [ "$E2E_APP_RC" = 0 ] || e2e_fail "the program ended with $E2E_APP_RC (see app.log)"
    if [ -s "$work/app.log" ]; then
        e2e_fail "the program wrote to its output: $(cat "$work/app.log")"
    fi
    sleep 0.3
    kill -INT "$parecord_pid"
    wait "$parecord_pid" 2>/dev/null || true

    python3 "$here/onsets.py" "$rec" --clips "$clips" --expect "$work/expected.txt" \
        --tolerance-ms $tolerance --beat-ms "$speed" --beat-p95-ms $beat_p95 ||
        e2e_fail "at $speed ms a tick the recording does not hold the game's sounds on time"
}

play_at 350 0
play_at 250 1
play_at 150 2
echo "PASS: at every speed every sound of the game heard, in order, each within $tolerance ms of its tick, the beat even within $beat_p95 ms"
