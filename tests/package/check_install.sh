#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` into a scratch prefix, then what a distribution runs after
# installing (the desktop, MIME and icon caches): the desktop entry and the
# metainfo validate, they and the file type are translated, the entry's
# program and icon are there, and a saved game is of the game's file type, by
# its name and by its content, which opens in the game.
#
# usage: check_install.sh BUILD_DIR WORK_DIR

. "$(dirname "$0")/lib.sh"
pkg_require "desktop-file-utils appstream shared-mime-info xdg-utils" \
    desktop-file-validate update-desktop-database appstreamcli update-mime-database xdg-mime
pkg_setup "$1" "$2"

prefix=$PKG_WORK/prefix
share=$prefix/share
id=$PKG_APP_ID
pkg_run "$PKG_WORK/install.log" cmake --install "$PKG_BUILD" --prefix "$prefix"

desktop=$share/applications/$id.desktop
desktop-file-validate "$desktop" || pkg_fail "desktop-file-validate: $desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" ||
    pkg_fail "appstreamcli validate: $share/metainfo/$id.metainfo.xml"

# Translated from the program's translation files: every text of every
# installed text file, in every language there but English, the source.
python3 "$(dirname "$0")/check_translated.py" "$PKG_SOURCE/res/translations" "$desktop" \
    "$share/metainfo/$id.metainfo.xml" "$share/mime/packages/$id.xml" ||
    pkg_fail "an installed text file lacks a translation"

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || pkg_fail "the entry runs '$exec_name', not in $prefix/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 32 48 64 128 256; do
    [ -f "$share/icons/hicolor/${size}x$size/apps/$icon.png" ] || pkg_fail "no $size px icon '$icon'"
done
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || pkg_fail "no scalable icon '$icon'"
[ -f "$share/man/man6/coilix.6" ] || pkg_fail "no manual page"

pkg_run "$PKG_WORK/caches.log" update-desktop-database "$share/applications"
pkg_run "$PKG_WORK/caches.log" update-mime-database "$share/mime"
if command -v gtk-update-icon-cache >/dev/null 2>&1; then
    pkg_run "$PKG_WORK/caches.log" gtk-update-icon-cache -f -t "$share/icons/hicolor"
fi

# Only the scratch prefix and the system's own folders, never the user's.
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$PKG_WORK/user-data"
export XDG_CONFIG_HOME="$PKG_WORK/user-config" XDG_CONFIG_DIRS="$PKG_WORK/no-config"
export PATH="$prefix/bin:$PATH"

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$share/mime/packages/$id.xml")
[ -n "$type" ] || pkg_fail "the file type names no MIME type"
grep -q "^MimeType=.*$type;" "$desktop" || pkg_fail "the entry does not take $type"
default=$(xdg-mime query default "$type")
[ "$default" = "$id.desktop" ] || pkg_fail "xdg-mime: $type opens with '$default'"

# GLib's view (file managers use it): the type by name and by content, and the
# program that opens it.
if command -v gio >/dev/null 2>&1; then
    cp "$PKG_SAVED_GAME" "$PKG_WORK/game.cx"
    cp "$PKG_SAVED_GAME" "$PKG_WORK/game-without-extension"
    for f in game.cx game-without-extension; do
        t=$(gio info -a standard::content-type "$PKG_WORK/$f" | sed -n 's/^ *standard::content-type: //p')
        [ "$t" = "$type" ] || pkg_fail "gio: $f is of type '$t', not $type"
    done
    opens=$(gio mime "$type")
    grep -q "^Default application for .*: $id.desktop\$" <<<"$opens" || pkg_fail "gio: $opens"
else
    echo "note: gio is not installed (package libglib2.0-bin); the type by content was not checked"
fi
echo "PASS: installed files validate, and $type opens with $default"
