#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the real window and every dialog in one language, on a
# private X server with a window manager (openbox), for a translator to see
# that every text fits: the four menus, New Game, Open, Print Setup, Print
# Preview, How to Play, About, High Scores, a game that ends in a new high score (New High
# Score, then the table), the message about a damaged saved game, and the
# window at its narrowest, on the smallest board. The
# dialogs are reached by clicks and keys that do not depend on the language.
#
# usage: docs/screenshots/dialogs.sh BUILD_DIR LANGUAGE OUT_DIR   (LANGUAGE: de, cs, en ...)
# Needs the packages xvfb, xdotool, x11-utils, imagemagick, openbox and wmctrl.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
lang=$2
mkdir -p "$3"
out=$(cd "$3" && pwd)
COILIX_BIN=$build/coilix-seeded
. "$here/../../tests/e2e/lib.sh"
e2e_require_tools
e2e_start_x
e2e_start_wm
export LANGUAGE=$lang LC_ALL=C.UTF-8
# With this seed a 30 x 20 game at normal speed sent left eats an apple and
# then runs into the wall (as in tests/e2e/highscore.sh).
export COILIX_TEST_SEED=34
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Array Size"=dword:00000002\n"Array Width"=dword:0000001e\n"Array Height"=dword:00000014\n"Game Speed"=dword:00000001\n"Sounds"=dword:00000000\n' \
    >"$COILIX_REGISTRY"

n=0
win=""
# The window $1 with the window manager's frame (its title bar) into OUT_DIR/NN-$2.png.
shot() {
    n=$((n + 1))
    local file
    file=$(printf '%s/%02d-%s.png' "$out" "$n" "$2")
    sleep 0.4
    import -window "$(e2e_frame_of "$1")" "$file"
    echo "$file"
}
# The screen where the main window is, with whatever is open over it.
shot_screen() {
    n=$((n + 1))
    local file x y w h
    file=$(printf '%s/%02d-%s.png' "$out" "$n" "$1")
    sleep 0.4
    read -r x y w h < <(e2e_settled_frame_geometry "$win")
    import -window root -crop "$((w + 200))x$((h + 60))+$x+$y" +repage "$file"
    echo "$file"
}
wait_dialog() {
    e2e_wait_dialog
    dlg=$E2E_DIALOG
}
wait_dialog_gone() {
    e2e_wait_dialog_gone
}
menu_item() {
    e2e_menu_item "$@"
}
open_menu() {
    e2e_open_menu "$@"
}

# A damaged saved game on the command line: the message, and the end.
: >"$E2E_TMP/damaged.cx"
e2e_start_app "$E2E_TMP/damaged.cx"
E2E_WIN=none
e2e_wait_until "the message" e2e_find_dialog
dlg=$E2E_DIALOG
shot "$dlg" message
e2e_focus "$dlg"
e2e_key Return
e2e_wait_app_exit

e2e_start_window
win=$E2E_WIN
e2e_focus "$win"
shot "$win" window

for m in 0 1 2 3; do
    open_menu "$m"
    shot_screen "menu-$m"
    e2e_key Escape
    e2e_key Escape
done

menu_item 0 1 && wait_dialog && shot "$dlg" new-game && e2e_key Escape && wait_dialog_gone
e2e_focus "$win"
e2e_key ctrl+o && wait_dialog && shot "$dlg" open && e2e_key Escape && wait_dialog_gone
menu_item 0 7 && wait_dialog && shot "$dlg" print-setup && e2e_key Escape && wait_dialog_gone
menu_item 0 6 && wait_dialog && shot "$dlg" print-preview && e2e_key Escape && wait_dialog_gone
e2e_focus "$win"
e2e_key F1 && wait_dialog && shot "$dlg" how-to-play && e2e_key Escape && wait_dialog_gone
menu_item 3 1 && wait_dialog && shot "$dlg" about && e2e_key Escape && wait_dialog_gone
e2e_focus "$win"
e2e_key ctrl+h && wait_dialog && shot "$dlg" high-scores-empty && e2e_key Escape && wait_dialog_gone

# The planned game: a new high score, its name, the table.
e2e_focus "$win"
e2e_key Left
wait_dialog
shot "$dlg" new-high-score
e2e_type "Anna"
e2e_key Return
wait_dialog_gone
wait_dialog
shot "$dlg" high-scores
e2e_key Return
wait_dialog_gone
shot "$win" game-over
e2e_close_window "$win"
e2e_wait_app_exit

# The smallest board: the window at its narrowest, in play.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Array Size"=dword:00000002\n"Array Width"=dword:00000005\n"Array Height"=dword:00000005\n"Sounds"=dword:00000000\n' \
    >"$COILIX_REGISTRY"
e2e_start_window
win=$E2E_WIN
e2e_focus "$win"
e2e_key Up
shot "$win" smallest
e2e_key Pause
shot "$win" smallest-paused
e2e_close_window "$win"
e2e_wait_app_exit
