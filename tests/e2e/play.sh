#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server: the window appears titled "Coilix", arrow
# keys move the crawler, Break pauses and resumes, Esc ends the program, and
# the store then holds the settings and the window placement.
#
# usage: play.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
. "$(dirname "$0")/lib.sh" || exit 1
e2e_require_tools
e2e_start_x

# A board known in advance: with this seed, moving right and then down
# meets nothing that ends the game.
export COILIX_TEST_SEED=7
e2e_start_app
win=$(e2e_wait_window Coilix)
[ "$(xdotool getwindowname "$win")" = "Coilix" ] || e2e_fail "title is not Coilix"
e2e_focus "$win"
shots=$E2E_TMP
# Drawn and still: nothing moves before the first key.
e2e_wait_board "$win" "$shots/0-start.png" >/dev/null
e2e_wait_shot_steady "$win" "$shots/0-start.png" 0.3

# The first arrow starts the game; ticks (250 ms) move the crawler.
e2e_key Right
e2e_wait_shot_differs "$win" "$shots/1-moving.png" "$shots/0-start.png"

# Break pauses: once the picture stands still (no tick for longer than one
# period), nothing changes over several ticks.
e2e_key Pause
e2e_wait_shot_steady "$win" "$shots/2-paused.png" 0.4
e2e_expect_still "$win" "$shots/3-still-paused.png" 1
[ "$(e2e_diff "$shots/1-moving.png" "$shots/2-paused.png")" != 0 ] || e2e_fail "no move before the pause"

# Break again resumes; Down steers.
e2e_key Pause
e2e_key Down
e2e_wait_shot_differs "$win" "$shots/4-resumed.png" "$shots/3-still-paused.png"

# Esc ends the program, which writes its settings.
e2e_key Escape
e2e_wait_app_exit
[ "$E2E_APP_RC" = 0 ] || e2e_fail "the program ended with $E2E_APP_RC (see app.log)"
store=$(cat "$COILIX_REGISTRY")
section=$(awk '/^\[/ {s=$0} s ~ /\\Settings\]$/ && /^"/' "$COILIX_REGISTRY")
for value in '"Last Name"=""' '"Array Size"=dword:00000000' '"Array Width"=dword:00000011' \
    '"Array Height"=dword:0000000d' '"Game Speed"=dword:00000001' '"Sounds"=dword:00000001'; do
    grep -qF "$value" <<<"$section" || e2e_fail "the store lacks $value under Settings:
$store"
done
[ "$(wc -l <<<"$section")" = 6 ] || e2e_fail "Settings holds other values:
$section"
grep -q '^"Frame Placement"=hex:2c,00,00,00' "$COILIX_REGISTRY" || e2e_fail "no Frame Placement:
$store"
echo "PASS: window, keys, Break, Esc and the store"
