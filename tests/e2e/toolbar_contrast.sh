#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The toolbar's images stand out on light and on dark toolbars: the real
# window, in play (so that every button is enabled), is photographed under
# Qt's Fusion style with its own light palette, under Fusion with the dark
# palette of GTK's Adwaita theme, and under Qt's GTK theme (Adwaita, light),
# at screen scales 1, 2 and 3; toolbar_contrast.py finds each image on the
# screenshot and measures it against the toolbar's background there.
# Screenshots are kept as toolbar-<look>-<scale>.png with E2E_KEEP=1.
#
# usage: toolbar_contrast.sh COILIX-BINARY

set -euo pipefail
COILIX_BIN=$1
here=$(cd "$(dirname "$0")" && pwd)
images=$here/../../res/toolbar
. "$here/lib.sh" || exit 1
e2e_require_tools
if ! ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1; then
    echo "SKIP: Qt's GTK theme is not installed (package qt6-gtk-platformtheme)"
    exit "$E2E_SKIP"
fi
e2e_start_x

# The images as each scale draws them, as raw RGBA for the measuring script.
for scale in 1 2 3; do
    mkdir -p "$E2E_TMP/images-$scale"
    dir=$images
    [ "$scale" = 1 ] || dir=$images/${scale}x
    for png in "$dir"/*.png; do
        "$CONVERT" "$png" -depth 8 "rgba:$E2E_TMP/images-$scale/$(basename "$png" .png).rgba"
    done
done

# Measures screenshot $1 at scale $2; 3 while an image is not (yet) there.
measure() {
    local size
    size=$(identify -format '%w %h' "$1")
    "$CONVERT" "$1" -depth 8 "rgb:$1.rgb"
    # shellcheck disable=SC2086
    python3 "$here/toolbar_contrast.py" "$1.rgb" $size "$2" "$E2E_TMP/images-$2"/*.rgba \
        >"$1.txt" 2>&1
}

# Takes screenshots until every image shows (the Pause button is enabled
# once the game plays), then keeps the measurement of the last one.
shot_measured() {
    local rc=0
    e2e_shot "$E2E_WIN" "$shot"
    measure "$shot" "$scale" || rc=$?
    E2E_SEEN=$(grep -c FAIL "$shot.txt" || true)" images missing or illegible"
    [ "$rc" != 3 ] && { echo "$rc" >"$shot.rc"; return 0; }
    return 1
}

failed=0
for look in fusion-light fusion-dark gtk; do
    case $look in
    fusion-light) env=(QT_QPA_PLATFORMTHEME=generic) args=(-style Fusion) ;;
    fusion-dark) env=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark) args=(-style Fusion) ;;
    gtk) env=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita) args=() ;;
    esac
    for scale in 1 2 3; do
        shot=$E2E_TMP/toolbar-$look-$scale.png
        env "${env[@]}" QT_SCALE_FACTOR="$scale" "$COILIX_BIN" "${args[@]}" \
            >>"$E2E_TMP/app.log" 2>&1 &
        E2E_APP_PID=$!
        E2E_WIN=$(e2e_wait_window Coilix)
        e2e_focus "$E2E_WIN"
        e2e_key Right
        e2e_wait_until "every toolbar image on the $look toolbar at scale $scale" shot_measured
        echo "== $look, scale $scale"
        cat "$shot.txt"
        [ "$(cat "$shot.rc")" = 0 ] || failed=1
        kill "$E2E_APP_PID"
        wait "$E2E_APP_PID" 2>/dev/null || true
        E2E_APP_PID=""
    done
done
[ "$failed" = 0 ] || e2e_fail "a toolbar image does not stand out (see above)"
echo "PASS: every toolbar image stands out at 3:1 under three looks at scales 1 to 3"
