#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a build folder (`cpack -G DEB`) and checks it:
# lintian finds no error and no warning, the dependencies name the Qt
# libraries, it recommends Qt's translations and Wayland platform and SDL
# (for gamepads) and suggests a sound server (packages the archive has), and the program
# unpacked into a scratch root (dpkg -x) runs with the system's Qt:
# --version, and /pt writing a saved game to a PDF.
#
# usage: check_deb.sh BUILD_DIR WORK_DIR   (the package is left in WORK_DIR/cpack)

. "$(dirname "$0")/lib.sh"
pkg_require "cmake dpkg-dev lintian file" cpack dpkg-deb dpkg-shlibdeps lintian file
pkg_setup "$1" "$2"

(cd "$PKG_BUILD" && pkg_run "$PKG_WORK/cpack.log" cpack -G DEB -B "$PKG_WORK/cpack")
debs=("$PKG_WORK"/cpack/*.deb)
[ "${#debs[@]}" = 1 ] && [ -f "${debs[0]}" ] || pkg_fail "cpack made no single package: ${debs[*]}"
deb=${debs[0]}
dpkg-deb --info "$deb"

[ "$(dpkg-deb -f "$deb" Version)" = "$PKG_VERSION" ] ||
    pkg_fail "the package's version is $(dpkg-deb -f "$deb" Version), the project's $PKG_VERSION"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
    grep -q "\\b$lib\\b" <<<"$depends" || pkg_fail "Depends lacks $lib: $depends"
done
# The relations dpkg-shlibdeps cannot find. A relation is one entry of the
# comma-separated field, alternatives included.
has_relation() { # FIELD RELATION
    local value
    value=$(dpkg-deb -f "$deb" "$1")
    tr ',' '\n' <<<"$value" | sed 's/^ *//; s/ *$//' | grep -qxF "$2" ||
        pkg_fail "$1 lacks '$2': '$value'"
}
has_relation Recommends qt6-translations-l10n
has_relation Recommends qt6-wayland
has_relation Recommends "libsdl2-2.0-0 (>= 2.24)"
has_relation Recommends libpulse0
has_relation Suggests "pulseaudio | pipewire-pulse"
# Every package named is one the archive knows (where apt has its lists).
if [ -n "$(apt-cache pkgnames qt6-base-dev 2>/dev/null)" ]; then
    for p in $(dpkg-deb -f "$deb" Recommends Suggests | sed 's/^[A-Za-z]*://; s/([^)]*)//g' | tr ',|' '  '); do
        [ -n "$(apt-cache pkgnames "$p" | grep -xF "$p")" ] || pkg_fail "apt knows no package '$p'"
    done
else
    echo "note: apt has no package lists; the names of the relations were not looked up"
fi

echo "-- lintian"
lintian --fail-on error,warning --display-info "$deb" || pkg_fail "lintian found errors or warnings"

root=$PKG_WORK/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/games/coilix
[ -x "$bin" ] || pkg_fail "no $bin in the package"

out=$(env -u LD_LIBRARY_PATH "$bin" --version)
[ "$out" = "Coilix $PKG_VERSION" ] || pkg_fail "--version printed '$out'"

pdf=$PKG_WORK/board.pdf
QT_QPA_PLATFORM=offscreen pkg_run "$PKG_WORK/print.log" \
    env -u LD_LIBRARY_PATH "$bin" /pt "$PKG_SAVED_GAME" "$pdf"
[ "$(head -c 5 "$pdf")" = "%PDF-" ] || pkg_fail "/pt wrote no PDF"
if command -v pdfinfo >/dev/null 2>&1; then
    pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 1 ] || pkg_fail "the PDF has '$pages' pages"
fi
echo "PASS: $(basename "$deb"): lintian clean, runs from $root"
