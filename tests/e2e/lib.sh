# Shared by the end-to-end scripts: a private X server, the program started
# on a store file of its own, real key presses with xdotool, screenshots, and
# cleaning up every process the script started.
#
# Sourced with COILIX_BIN set to the program. Screenshots and the store are
# copied to $E2E_ARTIFACTS when the test fails, or always with E2E_KEEP=1. Exits 77 (skipped) when a tool
# is missing.

set -euo pipefail

E2E_SKIP=77

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
    local i n=""
    for i in $(seq 1 200); do
        n=$(tr -dc '0-9' <"$E2E_TMP/display")
        [ -n "$n" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
        sleep 0.05
    done
    [ -n "$n" ] || e2e_fail "Xvfb did not report its display"
    export DISPLAY=":$n"
    for i in $(seq 1 100); do
        if xdotool getdisplaygeometry >/dev/null 2>&1; then return 0; fi
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || e2e_fail "Xvfb did not start: $(cat "$E2E_TMP/xvfb.log")"
        sleep 0.05
    done
    e2e_fail "Xvfb on $DISPLAY did not answer"
}

e2e_start_app() {
    "$COILIX_BIN" "$@" >>"$E2E_TMP/app.log" 2>&1 &
    E2E_APP_PID=$!
}

# Waits for the program to end by itself; its exit code goes to E2E_APP_RC.
# (Not in a subshell: only this shell can collect its child's exit code.)
E2E_APP_RC=""
e2e_wait_app_exit() {
    local i
    for i in $(seq 1 100); do
        if ! kill -0 "$E2E_APP_PID" 2>/dev/null; then
            E2E_APP_RC=0
            wait "$E2E_APP_PID" || E2E_APP_RC=$?
            E2E_APP_PID=""
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "the program did not end"
}

# Prints the id of a visible window whose title is exactly $1, waiting up to 10 s.
e2e_wait_window() {
    local title=$1 i id
    for i in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no window titled '$title' appeared"
}

# Waits until no visible window is titled exactly $1.
e2e_wait_window_gone() {
    local i
    for i in $(seq 1 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "the window '$1' did not close"
}

# There is no window manager: give the keyboard to a window ourselves.
e2e_focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.1
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
        root=$(xwininfo -id "$id" -children | awk '/Root window id/ {print $4}')
        parent=$(xwininfo -id "$id" -children | awk '/Parent window id/ {print $4}')
        if [ -z "$parent" ] || [ "$parent" = "$root" ]; then
            echo "$id"
            return 0
        fi
        id=$parent
    done
}

# Polls until "X Y W H" of the frame around client $1 stays the same for
# three reads in a row (the window manager has finished placing it).
e2e_settled_frame_geometry() {
    local frame prev="" same=0 g i
    for i in $(seq 1 100); do
        frame=$(e2e_frame_of "$1")
        g=$(e2e_geometry "$frame")
        if [ "$g" = "$prev" ]; then
            same=$((same + 1))
            [ "$same" -ge 3 ] && { echo "$g"; return 0; }
        else
            same=0
        fi
        prev=$g
        sleep 0.1
    done
    echo "$g"
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
