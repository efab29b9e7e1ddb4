#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Pictures of the status bar for every command's prompt, in one language at
# one screen scale, in the window of the very first start on the Small board
# (the narrowest window the game takes by itself), on a private X server with
# a window manager (openbox): for a translator to see that every prompt shows
# whole. The pointer crosses the toolbar (the game paused, so every button
# answers), and each menu is opened and walked with Down. Each picture is
# OUT_DIR/NN-WHERE.png; OUT_DIR/all.png is all of them, one under another.
#
# usage: docs/screenshots/prompts.sh BUILD_DIR LANGUAGE SCALE OUT_DIR   (LANGUAGE: de, cs, en ...; SCALE: 1, 2 ...)
# Needs the packages xvfb, xdotool, x11-utils, imagemagick, openbox and wmctrl.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
lang=$2
scale=$3
mkdir -p "$4"
out=$(cd "$4" && pwd)
COILIX_BIN=$build/coilix-seeded
. "$here/../../tests/e2e/lib.sh"
e2e_require_tools
e2e_start_x
e2e_start_wm
export LANGUAGE=$lang LC_ALL=C.UTF-8 QT_SCALE_FACTOR=$scale COILIX_TEST_SEED=5
# No placement: the very first start, on the Small board.
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Halvorn\\Coilix\\Settings]\n"Sounds"=dword:00000000\n' \
    >"$COILIX_REGISTRY"

px() { awk -v n="$1" -v s="$scale" 'BEGIN { printf "%d", n * s }'; }

e2e_start_window
win=$E2E_WIN
e2e_settled_frame_geometry "$win" >/dev/null
read -r cx cy cw ch < <(e2e_geometry "$win")
bar_h=$(px 24)
bar="${cw}x${bar_h}+${cx}+$((cy + ch - bar_h))"
e2e_shot "$(e2e_frame_of "$win")" "$out/window.png"

n=0
last=""
# The status bar now into OUT_DIR/NN-$1.png; with "new" only when it differs
# from the last picture taken.
bar_shot() {
    local file tmp="$E2E_TMP/bar.png"
    sleep 0.15
    import -window root -crop "$bar" +repage "$tmp"
    if [ "${2:-}" = new ] && [ -n "$last" ] && [ "$(e2e_diff "$tmp" "$last")" = 0 ]; then
        return 0
    fi
    n=$((n + 1))
    file=$(printf '%s/%02d-%s.png' "$out" "$n" "$1")
    mv "$tmp" "$file"
    last=$file
}

# The game started and paused at once: Pause answers too.
e2e_focus "$win"
e2e_key Down Pause

# The toolbar, crossed at its middle row from its left end to its last button.
y=$((cy + $(px 33)))
for ((x = cx + 2; x < cx + $(px 240); x += $(px 2))); do
    xdotool mousemove "$x" "$y"
    bar_shot toolbar new
done
xdotool mousemove $((cx + cw / 2)) $((cy + ch / 2))

menu_closed() { [ "$(e2e_app_windows)" -le 1 ]; }

# Each menu, item by item. The first opens on a click with no item chosen;
# one reached with Right opens on its first item.
for m in 0 1 2 3; do
    e2e_open_menu "$m"
    [ "$m" = 0 ] && e2e_key Down
    first=""
    for ((i = 0; i < 16; i++)); do
        bar_shot "menu$m" new
        [ -n "$first" ] || first=$last
        e2e_key Down
        sleep 0.15
        import -window root -crop "$bar" +repage "$E2E_TMP/next.png"
        # Back at the first item: every item seen.
        [ "$(e2e_diff "$E2E_TMP/next.png" "$first")" != 0 ] || break
    done
    e2e_key Escape
    e2e_wait_until "the menu to close" menu_closed
done

"$CONVERT" "$out"/[0-9]*.png -background gray50 -splice 0x2 -append "$out/all.png"
ls "$out"
