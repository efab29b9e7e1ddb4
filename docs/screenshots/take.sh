#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots named in the AppStream metainfo from the real window
# on a private X server (Xvfb): a game in play on a 30 x 20 board, and the
# New Game dialog over it. The game is a saved one made with the headless
# driver, so every run shows the same board.
#
# usage: docs/screenshots/take.sh BUILD_DIR [OUT_DIR]   (OUT_DIR: docs/screenshots)
# Needs the packages xvfb, xdotool, x11-utils and imagemagick.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
out=$(cd "${2:-$here}" && pwd)
COILIX_BIN=$build/coilix
. "$here/../../tests/e2e/lib.sh"
e2e_require_tools
e2e_start_x
export LANGUAGE=en LC_ALL=C.UTF-8

# A game 260 ticks in, four apples eaten, the head at (26, 9) going right:
# found by trying seeds and routes with coilix-replay.
route='L.....U...L....D......R....U....L...D......R.........U....L...U.....R.....D.........'
route+='L.........U.....R.....U........L.....D......R.........D....L......U...R.....U.....'
route+='R........D........L........U.........L........D.........L...U.....R......D...L...D.'
route+='....R........U........R.....U.....L.....D.......R.........'
"$build/coilix-replay" --seed 2692 --width 30 --height 20 --events "$route" \
    --save "$E2E_TMP/game.cx" >/dev/null

# Writes the PNG without time stamps, so that the same picture gives the same file.
save() {
    "$CONVERT" "$1" -strip "$2"
    echo "$2"
}

e2e_start_app "$E2E_TMP/game.cx"
win=$(e2e_wait_window "game.cx - Coilix")
e2e_focus "$win"
sleep 0.5

# The New Game dialog over the paused game, set to its board, cut from the
# screen to the main window's rectangle.
e2e_key alt+g
sleep 0.3
e2e_key n
dlg=$(e2e_wait_window "New Game")
e2e_focus "$dlg"
e2e_key c
e2e_key Tab
e2e_key ctrl+a
e2e_type 30
e2e_key Tab
e2e_key ctrl+a
e2e_type 20
e2e_key Tab
sleep 0.3
read -r x y w h < <(e2e_geometry "$win")
import -window root -crop "${w}x$h+$x+$y" +repage "$E2E_TMP/new-game.png"
save "$E2E_TMP/new-game.png" "$out/new-game.png"
e2e_key Escape
e2e_wait_window_gone "New Game"

# The game resumed: two ticks down.
e2e_focus "$win"
e2e_key Down
sleep 0.6
e2e_shot "$win" "$E2E_TMP/game.png"
save "$E2E_TMP/game.png" "$out/game.png"
e2e_key Escape
e2e_wait_app_exit
