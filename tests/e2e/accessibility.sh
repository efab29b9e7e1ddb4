#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end through the accessibility bus (AT-SPI), as a screen reader reads
# the program, in English, Czech and German: the main window at the start,
# in play, paused and after a game over (menus, toolbar, status bar, board),
# and every dialog of the program (New Game, How to Play, About, High Scores
# empty and with a row, New High Score). atspi_check.py says what is checked. The trees
# read are kept as atspi-<language>-<step>.txt with E2E_KEEP=1.
#
# usage: accessibility.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
PY=/usr/bin/python3
LAUNCHER=/usr/libexec/at-spi-bus-launcher
if ! "$PY" -c 'import pyatspi' 2>/dev/null || [ ! -x "$LAUNCHER" ] ||
    ! command -v dbus-run-session >/dev/null 2>&1; then
    echo "SKIP: needs python3-pyatspi, at-spi2-core and dbus"
    exit 77
fi
# lib.sh gives the script a session bus of its own, for the accessibility
# bus to live on.
. "$here/lib.sh" || exit 1
e2e_require_tools
e2e_start_x
e2e_start_wm
"$LAUNCHER" --launch-immediately >"$E2E_TMP/atspi.log" 2>&1 &
launcher=$!
trap 'rc=$?; set +e; kill "$launcher" "$E2E_WM_PID" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8

# check STEP window|dialog ARGS...: reads the program as atspi_check.py does.
check() {
    "$PY" "$here/atspi_check.py" "$E2E_TMP/atspi-$LANGUAGE-$1.txt" "$source_dir" \
        "$LANGUAGE" "${@:2}" || e2e_fail "read through the accessibility bus ($LANGUAGE, $1)"
}

# The High Scores table as it must read: the rows given, then the remaining
# positions of the ten, blank.
ten_rows() {
    local rows=("$@") i
    for ((i = ${#rows[@]} + 1; i <= 10; i++)); do rows+=("$i.||"); done
    printf '%s\n' "${rows[@]}"
}

# A store with a custom board of $1 x $2 cells at speed $3 (0 slow, 1 normal),
# sounds off.
store() {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Array Size"=dword:00000002\n"Array Width"=dword:%08x\n"Array Height"=dword:%08x\n"Game Speed"=dword:%08x\n"Sounds"=dword:00000000\n' \
        "$1" "$2" "$3" >"$COILIX_REGISTRY"
}

for LANGUAGE in en cs de; do
    export LANGUAGE
    # A 70 x 70 board at the slow speed: the crawler sent right plays for
    # many seconds before it could reach the wall.
    store 70 70 0
    export COILIX_TEST_SEED=7
    e2e_start_window
    e2e_focus "$E2E_WIN"
    check start window start
    e2e_key Right
    check playing window playing
    e2e_key Pause
    check paused window paused
    e2e_quit_window

    # With this seed a 30 x 20 game sent left eats an apple and then runs
    # into the wall: a new high score (as in highscore.sh).
    store 30 20 1
    export COILIX_TEST_SEED=34
    e2e_start_window
    e2e_menu_item 0 1 && e2e_wait_dialog
    check new-game dialog new-game
    e2e_key Escape && e2e_wait_dialog_gone
    e2e_focus "$E2E_WIN"
    e2e_key F1 && e2e_wait_dialog
    check how-to-play dialog how-to-play
    e2e_key Escape && e2e_wait_dialog_gone
    e2e_menu_item 3 1 && e2e_wait_dialog
    check about dialog about
    e2e_key Escape && e2e_wait_dialog_gone
    e2e_focus "$E2E_WIN"
    e2e_key ctrl+h && e2e_wait_dialog
    mapfile -t rows < <(ten_rows)
    check high-scores-empty dialog high-scores "${rows[@]}"
    e2e_key Escape && e2e_wait_dialog_gone
    e2e_focus "$E2E_WIN"
    e2e_key Left
    e2e_wait_dialog
    check new-high-score dialog new-high-score
    e2e_type "Anna"
    e2e_key Return
    e2e_wait_dialog_gone
    e2e_wait_dialog
    mapfile -t rows < <(ten_rows "1.|Anna|100")
    check high-scores dialog high-scores "${rows[@]}"
    e2e_key Return
    e2e_wait_dialog_gone
    check over window over
    e2e_quit_window
done
echo "PASS: the window, its menus and its dialogs as a screen reader reads them, in en, cs, de"
