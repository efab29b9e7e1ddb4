# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the end-to-end scripts: a private X server, the program started
# on a store file of its own, real key presses with xdotool, screenshots, and
# cleaning up every process the script started. Scripts never sleep for a
# result: they wait for the change they expect (a window, a title, focus, a
# screenshot, the program's end) and fail when it does not come within
# E2E_TIMEOUT seconds (10 by default).
#
# Sourced with COILIX_BIN set to the program. Screenshots and the store are
# copied to $E2E_ARTIFACTS when the test fails, or always with E2E_KEEP=1. Exits 77 (skipped) when a tool
# is missing.

set -euo pipefail

E2E_SKIP=77

# Every script runs on a session bus of its own, as a desktop session has one.
# Without any, the desktop libraries start one themselves by forking from a
# thread, and that child can hang the program (it does under the sanitizers).
if [ -z "${E2E_IN_SESSION:-}" ] && command -v dbus-run-session >/dev/null 2>&1; then
    E2E_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi

e2e_require_tools() {
    local tool
    for tool in Xvfb xdotool xwininfo import compare; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (packages xvfb, xdotool, x11-utils, imagemagick)"
            exit "$E2E_SKIP"
        fi
    done
    # ImageMagick's own convert (another one may come first on the PATH).
    CONVERT=""
    local c
    for c in /usr/bin/convert /usr/bin/convert-im6.q16; do
        if [ -x "$c" ]; then
            CONVERT="$c"
            break
        fi
    done
    if [ -z "$CONVERT" ]; then
        echo "SKIP: ImageMagick's convert is not installed"
        exit "$E2E_SKIP"
    fi
}

E2E_XVFB_PID=""
E2E_APP_PID=""
E2E_TMP=""

e2e_cleanup() {
    local rc=$?
    if [ -n "$E2E_APP_PID" ] && kill -0 "$E2E_APP_PID" 2>/dev/null; then
        kill "$E2E_APP_PID" 2>/dev/null || true
        wait "$E2E_APP_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_XVFB_PID" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        kill "$E2E_XVFB_PID" 2>/dev/null || true
        wait "$E2E_XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "$E2E_TMP" ]; then
        if { [ "$rc" -ne 0 ] || [ -n "${E2E_KEEP:-}" ]; } && [ -n "${E2E_ARTIFACTS:-}" ]; then
            mkdir -p "$E2E_ARTIFACTS"
            cp -r "$E2E_TMP"/. "$E2E_ARTIFACTS"/ 2>/dev/null || true
            echo "screenshots and store kept in $E2E_ARTIFACTS"
        fi
        rm -rf "$E2E_TMP"
    fi
    exit "$rc"
}

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

E2E_POLL=0.05

# Runs "$@" every E2E_POLL seconds until it succeeds; fails with "$1" (what
# was awaited) after E2E_TIMEOUT seconds. A check may say what it saw last in
# E2E_SEEN, for the failure message.
e2e_wait_until() {
    local what=$1
    shift
    local deadline=$((SECONDS + ${E2E_TIMEOUT:-10}))
    E2E_SEEN=""
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] ||
            e2e_fail "timed out waiting for $what${E2E_SEEN:+ (last seen: $E2E_SEEN)}"
        sleep "$E2E_POLL"
    done
}

# A temporary folder, a fresh store in it, and an X server on a display number
# of our own.
e2e_start_x() {
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM
    E2E_TMP=$(mktemp -d)
    export COILIX_REGISTRY="$E2E_TMP/store.reg"
    unset QT_QPA_PLATFORM
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # Xvfb picks a free display number itself and writes it to fd 9 once it
    # accepts connections, so parallel tests never race for one.
    : >"$E2E_TMP/display"
    # -noreset: the server must not reset (and refuse connections for a
    # moment) each time its last client, a program or xdotool, goes away.
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        9>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_wait_until "Xvfb to report its display" e2e_xvfb_display
    export DISPLAY=":$E2E_DISPLAY"
    e2e_wait_until "Xvfb on $DISPLAY to answer" e2e_xvfb_answers
}

# Sets E2E_DISPLAY once Xvfb has written its display number.
e2e_xvfb_display() {
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    E2E_DISPLAY=$(tr -dc '0-9' <"$E2E_TMP/display")
    [ -n "$E2E_DISPLAY" ]
}

e2e_xvfb_answers() {
    kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
    xdotool getdisplaygeometry >/dev/null 2>&1
}

e2e_start_app() {
    "$COILIX_BIN" "$@" >>"$E2E_TMP/app.log" 2>&1 &
    E2E_APP_PID=$!
}

# Waits for the program to end by itself; its exit code goes to E2E_APP_RC.
# (Not in a subshell: only this shell can collect its child's exit code.)
E2E_APP_RC=""
e2e_wait_app_exit() {
    e2e_wait_until "the program to end" e2e_app_gone
    E2E_APP_RC=0
    wait "$E2E_APP_PID" || E2E_APP_RC=$?
    E2E_APP_PID=""
}

e2e_app_gone() {
    ! kill -0 "$E2E_APP_PID" 2>/dev/null
}

# Prints the id of a visible window whose title is exactly $1, once there is one.
e2e_wait_window() {
    E2E_FOUND=""
    e2e_wait_until "a window titled '$1'" e2e_find_window "$1"
    echo "$E2E_FOUND"
}

# Sets E2E_FOUND to a visible window titled exactly $1; fails when there is none.
e2e_find_window() {
    E2E_FOUND=$(xdotool search --onlyvisible --name "^${1}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$E2E_FOUND" ]
}

# Waits until no visible window is titled exactly $1.
e2e_wait_window_gone() {
    e2e_wait_until "the window '$1' to close" e2e_no_window "$1"
}

e2e_no_window() {
    ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# There is no window manager: give the keyboard to a window ourselves, and
# wait until it has it.
e2e_focus() {
    xdotool windowfocus "$1" 2>/dev/null || true
    e2e_wait_until "window $1 to have the keyboard" e2e_has_focus "$1"
}

e2e_has_focus() {
    E2E_SEEN="focus on $(xdotool getwindowfocus 2>/dev/null || true)"
    [ "$E2E_SEEN" = "focus on $1" ]
}

e2e_key() {
    xdotool key --delay 60 "$@"
}

e2e_type() {
    xdotool type --delay 60 "$1"
}

# Screenshot of a window into $2.
e2e_shot() {
    import -window "$1" "$2"
}

# Number of pixels that differ between two screenshots.
e2e_diff() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# "WxH+X+Y": where the pure green of the board lies in a screenshot.
e2e_green_box() {
    "$CONVERT" "$1" -fill black +opaque "#00ff00" -trim -format "%wx%h%O" info: 2>/dev/null
}

# "X Y W H" of a window on the screen.
e2e_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# Screenshots of window $1 into $2 until one differs from the screenshot $3
# (the picture changed: a move, a redraw).
e2e_wait_shot_differs() {
    e2e_wait_until "window $1 to change from $(basename "$3")" e2e_shot_differs "$@"
}

e2e_shot_differs() {
    e2e_shot "$1" "$2" 2>/dev/null && [ "$(e2e_diff "$2" "$3")" != 0 ]
}

# Screenshots of window $1 into $2 until two in a row, $3 seconds apart, are
# the same (nothing moves any more: paused, ended, settled).
e2e_wait_shot_steady() {
    e2e_shot "$1" "$2"
    e2e_wait_until "window $1 to stand still" e2e_shot_steady "$@"
}

e2e_shot_steady() {
    local next="${2%.png}.next.png" d
    sleep "$3"
    e2e_shot "$1" "$next" 2>/dev/null || return 1
    d=$(e2e_diff "$2" "$next")
    mv "$next" "$2"
    E2E_SEEN="$d pixels changed"
    [ "$d" = 0 ]
}

# Screenshots of window $1 into $2 for $3 seconds; fails at the first that
# differs from $2's first.
e2e_expect_still() {
    local win=$1 shot=$2 deadline=$((SECONDS + $3)) next="${2%.png}.next.png" d
    e2e_shot "$win" "$shot"
    while [ "$SECONDS" -lt "$deadline" ]; do
        e2e_shot "$win" "$next"
        d=$(e2e_diff "$shot" "$next")
        [ "$d" = 0 ] || e2e_fail "window $win changed ($d pixels) while it should stand still"
    done
    rm -f "$next"
}

# Screenshots of window $1 into $2 until the board's green shows in it, and
# until the box of green is $3 when given ("WxH", "WxH+X+Y" or a prefix of
# it); prints the box.
e2e_wait_board() {
    E2E_BOX=""
    e2e_wait_until "the board in window $1${3:+ at $3}" e2e_board_shows "$@"
    echo "$E2E_BOX"
}

e2e_board_shows() {
    e2e_shot "$1" "$2" 2>/dev/null || return 1
    E2E_BOX=$(e2e_green_box "$2" || true)
    E2E_SEEN="green ${E2E_BOX:-nowhere}"
    [ -n "$E2E_BOX" ] && [[ $E2E_BOX == "${3:-}"* ]]
}

# Waits until window $1 stands at "X Y W H" $2 (or X Y only, when $2 has two
# numbers).
e2e_wait_geometry() {
    e2e_wait_until "window $1 at $2" e2e_geometry_is "$@"
}

e2e_geometry_is() {
    E2E_SEEN=$(e2e_geometry "$1")
    [[ "$E2E_SEEN " == "$2 "* ]]
}

# Waits until the program shows more than $1 visible windows (a menu or a
# dialog opened).
e2e_wait_app_windows_above() {
    e2e_wait_until "a window of the program to open" e2e_app_windows_above "$1"
}

e2e_app_windows_above() {
    [ "$(e2e_app_windows)" -gt "$1" ]
}

# How many visible windows the program shows.
e2e_app_windows() {
    xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null | wc -l
}

# ---- a window manager, and the frame it puts around a window ----------------

# Starts openbox on the private X server (after e2e_start_x); skips without it.
E2E_WM_PID=""
e2e_start_wm() {
    if ! command -v openbox >/dev/null 2>&1 || ! command -v wmctrl >/dev/null 2>&1; then
        echo "SKIP: openbox or wmctrl is not installed"
        exit "$E2E_SKIP"
    fi
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_WM_PID=$!
    # Ends with the script, before the rest is cleaned up.
    trap 'rc=$?; set +e; kill "$E2E_WM_PID" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
    local i
    for i in $(seq 1 100); do
        wmctrl -m >/dev/null 2>&1 && return 0
        kill -0 "$E2E_WM_PID" 2>/dev/null || e2e_fail "openbox did not start: $(cat "$E2E_TMP/openbox.log")"
        sleep 0.05
    done
    e2e_fail "openbox did not answer"
}

# The window manager's frame around client window $1: its ancestor that is a
# child of the root window.
e2e_frame_of() {
    local id=$1 root parent
    while :; do
        read -r root parent < <(xwininfo -id "$id" -children |
            awk '/Root window id/ {r = $4} /Parent window id/ {p = $4} END {print r, p}')
        if [ -z "$parent" ] || [ "$parent" = "$root" ]; then
            echo "$id"
            return 0
        fi
        id=$parent
    done
}

# Polls until "X Y W H" of the frame around client $1 stays the same for
# three reads in a row (the window manager has finished placing it), and
# prints it; fails when it has not stood still within E2E_TIMEOUT seconds.
e2e_settled_frame_geometry() {
    E2E_FRAME_AT="" E2E_FRAME_SAME=0
    E2E_POLL=0.1 e2e_wait_until "the frame of window $1 to stand still" e2e_frame_stands "$1"
    echo "$E2E_FRAME_AT"
}

e2e_frame_stands() {
    local g
    g=$(e2e_geometry "$(e2e_frame_of "$1")")
    if [ "$g" = "$E2E_FRAME_AT" ]; then
        E2E_FRAME_SAME=$((E2E_FRAME_SAME + 1))
    else
        E2E_FRAME_SAME=0
    fi
    E2E_FRAME_AT=$g
    E2E_SEEN="frame at $g"
    [ "$E2E_FRAME_SAME" -ge 3 ]
}

# Waits until the window manager has handled every request made before this
# call (a move, a resize, a click it acts on): it asks for a state of window
# $1 that changes nothing here (out of pagers), waits for the answer, and
# takes it back. The window manager answers requests in the order they came.
e2e_wm_sync() {
    wmctrl -i -r "$1" -b add,skip_pager
    e2e_wait_until "the window manager's answer" e2e_wm_state_is "$1" present _NET_WM_STATE_SKIP_PAGER
    wmctrl -i -r "$1" -b remove,skip_pager
    e2e_wait_until "the window manager's answer" e2e_wm_state_is "$1" absent _NET_WM_STATE_SKIP_PAGER
}

# Whether window $1's _NET_WM_STATE holds ($2 present) or lacks ($2 absent) $3.
e2e_wm_state_is() {
    E2E_SEEN=$(e2e_wm_state "$1")
    if [ "$2" = present ]; then
        [[ $E2E_SEEN == *"$3"* ]]
    else
        [[ $E2E_SEEN != *"$3"* ]]
    fi
}

# Asks the window manager to close window $1 as its close box does.
e2e_close_window() {
    wmctrl -i -c "$1"
}

# The _NET_WM_STATE of window $1 (e.g. "_NET_WM_STATE_MAXIMIZED_VERT, ...").
e2e_wm_state() {
    xprop -id "$1" _NET_WM_STATE | sed 's/^[^=]*= *//'
}

# Starts the program (arguments passed on) and sets E2E_WIN to its main window.
E2E_WIN=""
e2e_start_window() {
    e2e_start_app "$@"
    E2E_WIN=$(e2e_wait_window Coilix)
}

# Closes the main window as its close box does; the program must end with 0.
e2e_quit_window() {
    e2e_close_window "$E2E_WIN"
    e2e_wait_app_exit
    [ "$E2E_APP_RC" = 0 ] || e2e_fail "the program ended with $E2E_APP_RC (see app.log)"
}

# ---- dialogs and menus, reached the same way in every language --------------

# The dialog the program opened last (its newest visible window other than
# E2E_WIN) into E2E_DIALOG, once there is one, with the keyboard.
E2E_DIALOG=""
e2e_wait_dialog() {
    e2e_wait_until "a dialog" e2e_find_dialog
    e2e_focus "$E2E_DIALOG"
}
e2e_find_dialog() {
    E2E_DIALOG=$(xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null |
        grep -vx "$E2E_WIN" | tail -n 1 || true)
    [ -n "$E2E_DIALOG" ]
}
e2e_wait_dialog_gone() {
    e2e_wait_until "the dialog to close" e2e_dialog_gone
}
e2e_dialog_gone() {
    ! xdotool search --onlyvisible --pid "$E2E_APP_PID" 2>/dev/null | grep -qx "$E2E_DIALOG"
}

# Opens menu $1 (0 the first) of E2E_WIN with a click on the first and Right
# arrows (needs the window manager).
e2e_open_menu() {
    local x y w h i
    read -r x y w h < <(e2e_geometry "$E2E_WIN")
    e2e_focus "$E2E_WIN"
    xdotool mousemove $((x + 12)) $((y + 10)) click 1
    e2e_wait_app_windows_above 1
    for ((i = 0; i < $1; i++)); do e2e_key Right; done
}
# Runs item $2 of menu $1, separators not counted. The first menu opens on
# the click with no item chosen, so 1 is its first item; a menu reached with
# Right opens with its first item chosen, so there 1 is the second.
e2e_menu_item() {
    e2e_open_menu "$1"
    local i
    for ((i = 0; i < $2; i++)); do e2e_key Down; done
    e2e_key Return
}
