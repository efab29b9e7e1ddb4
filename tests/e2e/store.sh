#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end with a window manager (openbox): a store notice at start-up
# opens centred on the main window, once the window manager has placed it;
# quitting with a store that cannot be written says so in a box over the
# still shown window, centred on it, and the program ends with 1.
#
# usage: store.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
. "$(dirname "$0")/lib.sh" || exit 1
e2e_require_tools
e2e_start_x
e2e_start_wm
shots=$E2E_TMP

# The program's two windows (main window, message box), each "X Y W H" of its
# frame once settled, the larger first.
frames() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$E2E_APP_PID"); do
        echo "$(e2e_settled_frame_geometry "$w") $w"
    done | sort -k3,3nr -k4,4nr
}

# Fails unless the second frame's centre is within 4 pixels of the first's.
expect_centred() {
    local main box
    main=$(sed -n 1p <<<"$1")
    box=$(sed -n 2p <<<"$1")
    [ -n "$box" ] || e2e_fail "no message box: $1"
    read -r mx my mw mh _ <<<"$main"
    read -r bx by bw bh _ <<<"$box"
    local dx=$(((2 * bx + bw) - (2 * mx + mw))) dy=$(((2 * by + bh) - (2 * my + mh)))
    [ "${dx#-}" -le 8 ] && [ "${dy#-}" -le 8 ] ||
        e2e_fail "$2: the box at $bx,$by ${bw}x$bh is not centred on the window at $mx,$my ${mw}x$mh"
}

# A damaged store: its notice comes at start-up.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Array Size"=dword:00000001\ngarbage\n' \
    >"$COILIX_REGISTRY"
e2e_start_app
e2e_wait_app_windows_above 1
expect_centred "$(frames)" "start-up"
import -window root "$shots/start-up-notice.png"
box=$(frames | sed -n 2p | awk '{print $5}')
e2e_focus "$box"
e2e_key Return
e2e_wait_until "the notice to close" eval '[ "$(e2e_app_windows)" -eq 1 ]'
E2E_WIN=$(e2e_wait_window Coilix)
e2e_quit_window

# A store that can be read but not written: the box comes as Esc quits,
# while the window is still shown.
rm -f "$COILIX_REGISTRY.lock"
mkdir "$COILIX_REGISTRY.lock"
e2e_start_window
e2e_settled_frame_geometry "$E2E_WIN" >/dev/null
e2e_focus "$E2E_WIN"
e2e_key Escape
e2e_wait_app_windows_above 1
expect_centred "$(frames)" "at exit"
import -window root "$shots/exit-notice.png"
box=$(frames | sed -n 2p | awk '{print $5}')
e2e_focus "$box"
e2e_key Return
e2e_wait_app_exit
[ "$E2E_APP_RC" = 1 ] || e2e_fail "the program ended with $E2E_APP_RC, not 1"
grep -q "coilix:" "$E2E_TMP/app.log" && e2e_fail "told on the error output too: $(cat "$E2E_TMP/app.log")"
echo "PASS"
