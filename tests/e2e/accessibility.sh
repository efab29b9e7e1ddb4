#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end through the accessibility bus (AT-SPI), as a screen reader reads
# the window: menu items are named without their keys and give the keys apart
# ("New..." gives F2), the toolbar holds nothing unnamed, and the board has a
# name and a description that follows the score and the state of play.
# The tree read is kept as atspi-*.txt with E2E_KEEP=1.
#
# usage: accessibility.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
here=$(cd "$(dirname "$0")" && pwd)
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

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 COILIX_TEST_SEED=7
e2e_start_window
e2e_focus "$E2E_WIN"
check() {
    "$PY" "$here/atspi_check.py" "$E2E_TMP/atspi-$1.txt" "${@:2}" ||
        e2e_fail "read through the accessibility bus ($1), see atspi-$1.txt"
}
check start static
e2e_key Right
check playing state "Playing..."
e2e_key Pause
check paused state "Pause"
e2e_quit_window
echo "PASS: menus, toolbar and board as a screen reader reads them"
