#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end with a window manager (openbox): the window comes back where it
# was left, its frame to the pixel, over several restarts, after quitting
# maximized and after quitting minimized; the store keeps the frame's outer
# rectangle; a stored placement that no screen could hold is not used.
#
# usage: placement.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
. "$(dirname "$0")/lib.sh" || exit 1
e2e_require_tools
e2e_start_x
e2e_start_wm

start() {
    e2e_start_window "$@"
    win=$E2E_WIN
}
quit() {
    E2E_WIN=$win
    e2e_quit_window
}
wait_state() {  # wait_state WINDOW present|absent WORD
    e2e_wait_until "window state $3 $2" e2e_wm_state_is "$@"
}
# The stored normal rectangle as "X Y W H" (bytes 28 to 43: left, top,
# right, bottom, signed 32-bit little-endian).
stored_rect() {
    local hex b i n v=()
    hex=$(tr -d '\\\n ' <"$COILIX_REGISTRY" | grep -o '"FramePlacement"=hex:[0-9a-f,]*' | sed 's/.*hex://')
    IFS=, read -r -a b <<<"$hex"
    for i in 28 32 36 40; do
        n=$((0x${b[i + 3]}${b[i + 2]}${b[i + 1]}${b[i]}))
        [ "$n" -ge 2147483648 ] && n=$((n - 4294967296))
        v+=("$n")
    done
    echo "${v[0]} ${v[1]} $((v[2] - v[0])) $((v[3] - v[1]))"
}

# First start: the window manager places the window; then the player moves
# and sizes it.
start
e2e_settled_frame_geometry "$win" >/dev/null
wmctrl -i -r "$win" -e 0,137,91,520,430
e2e_wm_sync "$win"
placed=$(e2e_settled_frame_geometry "$win")
quit
[ "$(stored_rect)" = "$placed" ] || e2e_fail "stored $(stored_rect), the frame was $placed"

for run in 1 2 3; do
    start
    g=$(e2e_settled_frame_geometry "$win")
    [ "$g" = "$placed" ] || e2e_fail "restart $run: frame at $g, left at $placed"
    quit
done

# Quit maximized: it comes back maximized, and restoring brings the frame back.
start
wmctrl -i -r "$win" -b add,maximized_vert,maximized_horz
wait_state "$win" present _NET_WM_STATE_MAXIMIZED_VERT
# The program learns of the new state before the close the window manager
# sends it afterwards.
quit
[ "$(stored_rect)" = "$placed" ] || e2e_fail "stored $(stored_rect) while maximized, normal was $placed"
start
wait_state "$win" present _NET_WM_STATE_MAXIMIZED_VERT
wmctrl -i -r "$win" -b remove,maximized_vert,maximized_horz
wait_state "$win" absent _NET_WM_STATE_MAXIMIZED
g=$(e2e_settled_frame_geometry "$win")
[ "$g" = "$placed" ] || e2e_fail "restored from maximized at $g, left at $placed"
quit

# Quit minimized: it starts minimized, and restoring brings the frame back.
start
xdotool windowminimize "$win"
wait_state "$win" present _NET_WM_STATE_HIDDEN
quit
[ "$(stored_rect)" = "$placed" ] || e2e_fail "stored $(stored_rect) while minimized, normal was $placed"
e2e_start_app
minimized_window() {  # sets win to a main window that is minimized
    local w
    for w in $(xdotool search --name '^Coilix$' 2>/dev/null || true); do
        e2e_wm_state_is "$w" present _NET_WM_STATE_HIDDEN && win=$w && return 0
    done
    return 1
}
e2e_wait_until "the window to start minimized" minimized_window
wmctrl -i -a "$win"
wait_state "$win" absent _NET_WM_STATE_HIDDEN
g=$(e2e_settled_frame_geometry "$win")
[ "$g" = "$placed" ] || e2e_fail "restored from minimized at $g, left at $placed"
quit
start
g=$(e2e_settled_frame_geometry "$win")
[ "$g" = "$placed" ] || e2e_fail "after the minimized round: frame at $g, left at $placed"
quit

# A placement no screen can hold (100000 x 100000) is not used: the window
# stays within the screen.
huge='"Frame Placement"=hex:2c,00,00,00,00,00,00,00,01,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,00,a0,86,01,00,a0,86,01,00'
awk -v huge="$huge" '
    skip { skip = /\\$/; next }
    /^"Frame Placement"=/ { print huge; skip = /\\$/; next }
    { print }' "$COILIX_REGISTRY" >"$E2E_TMP/huge.reg"
mv "$E2E_TMP/huge.reg" "$COILIX_REGISTRY"
grep -q 'a0,86,01,00,a0,86,01,00' "$COILIX_REGISTRY" || e2e_fail "could not write the test placement"
start
read -r x y w h <<<"$(e2e_settled_frame_geometry "$win")"
read -r sw sh <<<"$(xdotool getdisplaygeometry)"
[ "$w" -le "$sw" ] && [ "$h" -le "$sh" ] || e2e_fail "a 100000 x 100000 placement made a ${w}x${h} window"
quit
echo "PASS: placement over restarts, maximized, minimized, and a placement no screen holds"
