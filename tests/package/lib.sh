# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the package checks: failing with a message, skipping (exit 77)
# when a tool is missing, a fresh work folder, and what the build folder says.

set -euo pipefail

PKG_SOURCE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PKG_SAVED_GAME="$PKG_SOURCE/tests/data/savedgame/example-17x13.cx"
PKG_APP_ID=org.halvorn.Coilix

pkg_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# pkg_require "PACKAGES" TOOL...: skips the check unless every tool is on the PATH.
pkg_require() {
    local packages=$1 tool
    shift
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: $tool is not installed (packages: $packages)"
            exit 77
        fi
    done
}

# pkg_setup BUILD_DIR WORK_DIR: sets PKG_BUILD and PKG_WORK (absolute, the
# work folder emptied) and PKG_VERSION, the project's version.
pkg_setup() {
    PKG_BUILD=$(cd "$1" && pwd)
    rm -rf "$2"
    mkdir -p "$2"
    PKG_WORK=$(cd "$2" && pwd)
    PKG_VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$PKG_BUILD/CMakeCache.txt")
    [ -n "$PKG_VERSION" ] || pkg_fail "no project version in $PKG_BUILD/CMakeCache.txt"
    # The program's store and runtime folder stay in the work folder.
    export COILIX_REGISTRY="$PKG_WORK/store.reg"
    export XDG_RUNTIME_DIR="$PKG_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# pkg_run LOG COMMAND...: runs a command with its output in LOG, shown when it fails.
pkg_run() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        pkg_fail "$* failed"
    fi
}
