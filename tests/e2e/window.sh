#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end with a window manager (openbox): the first start fits the window
# to the board exactly, with no scroll bars, at device pixel ratios 1 to 3, in
# English, Czech and German, under other styles and the GTK platform theme,
# and the tiles are drawn pixel for pixel from the set for the ratio; a board
# larger than the screen gives a window within the screen that scrolls; the
# window cannot be made smaller than its minimum, frame included; a floating
# toolbar is a captioned window kept above the main window, also after a
# restart.
# Screenshots of every run are kept with E2E_KEEP=1.
#
# usage: window.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
TILES="$(cd "$(dirname "$0")/../../res/tiles" && pwd)"
. "$(dirname "$0")/lib.sh" || exit 1
e2e_require_tools
e2e_start_x
e2e_start_wm

start() {
    e2e_start_window
    win=$E2E_WIN
}
quit() {
    E2E_WIN=$win
    e2e_quit_window
}
# A store with a custom board and no placement: the very first start.
board_store() {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Array Size"=dword:00000002\n"Array Width"=dword:%08x\n"Array Height"=dword:%08x\n"Sounds"=dword:00000000\n' \
        "$1" "$2" >"$COILIX_REGISTRY"
}

# ---- the first fit, at every ratio, language and style ----------------------
export COILIX_TEST_SEED=5
W=11 H=9
runs=(
    "1 en default"
    "1.25 en default"
    "1.5 en default"
    "2 en default"
    "3 en default"
    "1 cs default"
    "1.25 cs default"
    "1.5 cs default"
    "2 cs default"
    "3 cs default"
    "1 de default"
    "2 de default"
    "1 en windows"
    "1.5 en windows"
    "1 en fusion"
    "1 en gtk3"
    "1.25 cs gtk3"
    "1.5 de gtk3"
)
for run in "${runs[@]}"; do
    read -r ratio lang style <<<"$run"
    name="fit-${ratio}-${lang}-${style}"
    board_store "$W" "$H"
    (
        # A failure in here ends this subshell: its program goes with it.
        trap '[ -z "$E2E_APP_PID" ] || kill "$E2E_APP_PID" 2>/dev/null || true' EXIT
        export QT_SCALE_FACTOR=$ratio
        [ "$lang" = en ] || export LANGUAGE=$lang
        case $style in
            default) ;;
            gtk3)
                if [ ! -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqgtk3.so ] &&
                    ! ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1; then
                    echo "SKIP $name: qt6-gtk-platformtheme is not installed"
                    exit 0
                fi
                export QT_QPA_PLATFORMTHEME=gtk3 XDG_CURRENT_DESKTOP=GNOME
                ;;
            *) export QT_STYLE_OVERRIDE=$style ;;
        esac
        start
        px=$(awk -v r="$ratio" 'BEGIN { printf "%d", 24 * r }')
        want="$((W * px))x$((H * px))"
        # At a fractional ratio the fit takes more than one round through the
        # window manager (a pixel lost to rounding is given back after the
        # frame is on screen): the board is waited for until it shows whole,
        # however long each round takes on a busy machine.
        box=$(e2e_wait_board "$win" "$E2E_TMP/$name.png" "$want+")
        # The crawler's first tile, in the middle cell, is the tile set's own picture.
        IFS=+ read -r _ bx by <<<"$box"
        "$CONVERT" "$E2E_TMP/$name.png" -crop "${px}x${px}+$((bx + W / 2 * px))+$((by + H / 2 * px))" \
            +repage "$E2E_TMP/$name-tile.png"
        d=$(e2e_diff "$E2E_TMP/$name-tile.png" "$TILES/$px/start.png")
        [ "$d" = 0 ] || e2e_fail "$name: the start tile differs from the ${px} px picture in $d pixels"
        quit
    ) || exit 1
done

# ---- a board larger than the screen ------------------------------------------
board_store 70 70
start
read -r x y w h <<<"$(e2e_settled_frame_geometry "$win")"
read -r sw sh <<<"$(xdotool getdisplaygeometry)"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ] ||
    e2e_fail "a 70 x 70 board made the window $w x $h at $x,$y on a $sw x $sh screen"
e2e_shot root "$E2E_TMP/large.png"
box=$(e2e_green_box "$E2E_TMP/large.png")
read -r bw bh <<<"$(tr 'x+' '  ' <<<"${box%%+*}")"
[ "$bw" -lt 1680 ] && [ "$bh" -lt 1680 ] || e2e_fail "a 70 x 70 board shows as $box"
# Auto Resize (Options menu) keeps it on the screen too. Once its menu has
# closed the command has run, and once the window manager has answered what
# came before the frame is where the fit put it.
e2e_focus "$win"
e2e_key alt+o
e2e_wait_app_windows_above 1
e2e_key a
e2e_wait_until "the menu to close" eval '[ "$(e2e_app_windows)" -eq 1 ]'
e2e_wm_sync "$win"
read -r x y w h <<<"$(e2e_settled_frame_geometry "$win")"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ] ||
    e2e_fail "Auto Resize made the window $w x $h at $x,$y"
quit

# ---- the minimum size bounds the frame -----------------------------------------
board_store 17 13
start
wmctrl -i -r "$win" -e 0,100,100,50,50
e2e_wm_sync "$win"
read -r x y w h <<<"$(e2e_settled_frame_geometry "$win")"
[ "$w $h" = "225 275" ] || e2e_fail "the smallest frame is $w x $h, not 225 x 275"
quit

# ---- the floating toolbar --------------------------------------------------------
rm -f "$COILIX_REGISTRY"
start
e2e_settled_frame_geometry "$win" >/dev/null
read -r cx cy _ _ <<<"$(e2e_geometry "$win")"
# Drag the toolbar by its grip (left end, below the menu bar) away from the window.
xdotool mousemove $((cx + 5)) $((cy + 36)) mousedown 1 sleep 0.2 mousemove $((cx + 30)) $((cy + 70)) \
    sleep 0.2 mousemove $((cx + 300)) $((cy + 350)) sleep 0.2 mousemove $((cx + 520)) $((cy + 460)) \
    sleep 0.3 mouseup 1
toolbar_state() {  # prints why the toolbar is not yet a captioned tool window above $win
    local tb
    tb=$(xdotool search --onlyvisible --name '^Toolbar$' 2>/dev/null | head -n 1 || true)
    [ -n "$tb" ] || { echo "no floating toolbar window"; return; }
    xprop -id "$tb" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$win")" ||
        { echo "the toolbar does not belong to the main window"; return; }
    xprop -id "$tb" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_CLOSE ||
        { echo "the toolbar has no close box"; return; }
    [ "$(e2e_frame_of "$tb")" != "$tb" ] || { echo "the toolbar has no caption (not framed)"; return; }
    xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | awk -v m="$(printf '0x%x' "$win")" \
        -v t="$(printf '0x%x' "$tb")" '{ for (i = 1; i <= NF; i++) { if ($i == m) mi = i; if ($i == t) ti = i } }
        END { exit !(ti > mi) }' || { echo "the toolbar is below the main window"; return; }
}
toolbar_settled() {
    E2E_SEEN=$(toolbar_state)
    [ -z "$E2E_SEEN" ]
}
check_toolbar() {  # waits for the toolbar to settle as it should
    e2e_wait_until "$1: the toolbar a captioned window above the main window" toolbar_settled
}
check_toolbar "after the drag"
e2e_shot root "$E2E_TMP/toolbar-floating.png"
quit
start
check_toolbar "after a restart"
# A click on the board leaves it above.
read -r cx cy cw ch <<<"$(e2e_geometry "$win")"
xdotool mousemove $((cx + cw / 2)) $((cy + ch / 2)) click 1
e2e_wm_sync "$win"  # the window manager has raised the window it was clicked in
check_toolbar "after a click on the board"
e2e_shot root "$E2E_TMP/toolbar-restarted.png"
# Its close box hides it, and it stays hidden over a restart: View > Toolbar
# then shows it again as a window of its own (were it shown, the item would
# hide it instead, and no toolbar would come).
e2e_close_window "$(e2e_wait_window Toolbar)"
e2e_wait_window_gone Toolbar
quit
start
e2e_focus "$win"
windows=$(e2e_app_windows)
e2e_key alt+v
e2e_wait_app_windows_above "$windows"
e2e_key t
check_toolbar "shown again from the View menu after a restart with it closed"
quit
echo "PASS: exact fit at every ratio, language and style, crisp tiles, the screen, the minimum, the floating toolbar"
