#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end on a real X server with a fresh store: the first start fits the
# window to the board; the New Game dialog (from the keyboard) sets a custom
# 30 x 20 board; a game eats an apple and runs into the wall; the name entered
# shows in the table and lands in the store; the next start finds the window
# and the toolbar where they were left and proposes the name again.
#
# usage: highscore.sh COILIX-BINARY SCORES-TOOL

set -euo pipefail
COILIX_BIN=$1
SCORES=$2
. "$(dirname "$0")/lib.sh" || exit 1
e2e_require_tools
e2e_start_x
shots=$E2E_TMP

# With this seed a 30 x 20 game sent left eats an apple and then hits the
# wall 15 ticks later (planned with coilix-replay --width 30 --height 20).
export COILIX_TEST_SEED=34

scores() { "$SCORES" "$COILIX_REGISTRY" 30 20 250; }

# Plays the planned game; at the name entry types $1 (nothing: keeps the
# proposed name) and presses Enter; then closes the table.
play_to_high_score() {
    e2e_focus "$win"
    e2e_key Left
    local dlg
    dlg=$(e2e_wait_window "New High Score")
    e2e_focus "$dlg"
    e2e_shot "$dlg" "$shots/name-$(date +%s%N).png"
    [ -z "$1" ] || e2e_type "$1"
    e2e_key Return
    e2e_wait_window_gone "New High Score"
    dlg=$(e2e_wait_window "High Scores")
    e2e_shot "$dlg" "$shots/table-$(date +%s%N).png"
    e2e_focus "$dlg"
    e2e_key Return
    e2e_wait_window_gone "High Scores"
}

e2e_start_app
win=$(e2e_wait_window Coilix)
# The window fits the 17 x 13 board: 408 x 312 pixels of green.
e2e_wait_board "$win" "$shots/1-first-start.png" 408x312+ >/dev/null

# Game > New... from the keyboard, then a custom 30 x 20 board.
e2e_focus "$win"
windows=$(e2e_app_windows)
e2e_key alt+g
e2e_wait_app_windows_above "$windows"
e2e_key n
dlg=$(e2e_wait_window "New Game")
e2e_focus "$dlg"
e2e_key c            # the size list jumps to Custom
e2e_key Tab
e2e_type 30
e2e_key Tab
e2e_type 20
e2e_shot "$dlg" "$shots/2-new-game.png"
e2e_key Return
e2e_wait_window_gone "New Game"

play_to_high_score Tester
[ "$(scores)" = "1|Tester|100" ] || e2e_fail "store holds: $(scores)"

# Ctrl+H shows the table of this board and speed.
e2e_focus "$win"
e2e_key ctrl+h
dlg=$(e2e_wait_window "High Scores")
e2e_shot "$dlg" "$shots/3-ctrl-h.png"
e2e_focus "$dlg"
e2e_key Return
e2e_wait_window_gone "High Scores"

# Move the window, and drag the toolbar by its handle to the left side.
xdotool windowmove "$win" 200 150
e2e_wait_geometry "$win" "200 150"
before=$(e2e_wait_board "$win" "$shots/4-before-drag.png")
xdotool mousemove --window "$win" 4 34 mousedown 1
for y in 50 80 120 160 200 210; do
    xdotool mousemove --window "$win" 8 "$y"
    sleep 0.05
done
xdotool mouseup 1
x_before=$(cut -d+ -f2 <<<"$before")
# Docked: the board has moved right to make room, the toolbar is no longer a
# window of its own, and the picture has settled.
toolbar_docked_left() {
    e2e_board_shows "$win" "$shots/5-toolbar-left.png" &&
        [ "$(cut -d+ -f2 <<<"$E2E_BOX")" -gt $((x_before + 15)) ] &&
        [ "$(e2e_app_windows)" = 1 ]
}
e2e_wait_until "the toolbar to dock on the left (board at $before)" toolbar_docked_left
e2e_wait_shot_steady "$win" "$shots/5-toolbar-left.png" 0.3
left=$(e2e_green_box "$shots/5-toolbar-left.png")
placed=$(e2e_geometry "$win")

e2e_key Escape
e2e_wait_app_exit
[ "$E2E_APP_RC" = 0 ] || e2e_fail "the program ended with $E2E_APP_RC (see app.log)"
grep -q '^\[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Control\]' "$COILIX_REGISTRY" ||
    e2e_fail "no toolbar state in the store"

# The next start: same place, same toolbar side, the name proposed again.
e2e_start_app
win=$(e2e_wait_window Coilix)
e2e_wait_geometry "$win" "$placed"
# The board stands where it stood with the toolbar on the left.
board_where_left() {
    e2e_board_shows "$win" "$shots/6-restarted.png" && [ "${E2E_BOX#*+}" = "${left#*+}" ]
}
e2e_wait_until "the board where it was left ($left): the toolbar on the left" board_where_left

play_to_high_score ""
rows=$(scores)
[ "$(grep -c '|Tester|100$' <<<"$rows")" = 2 ] || e2e_fail "the name was not proposed again: $rows"

e2e_focus "$win"
e2e_key Escape
e2e_wait_app_exit
[ "$E2E_APP_RC" = 0 ] || e2e_fail "the program ended with $E2E_APP_RC (see app.log)"
echo "PASS: fit, New Game dialog, high score, store, placement and toolbar"
