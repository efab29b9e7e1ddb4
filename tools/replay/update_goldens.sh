#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the golden transcripts of the headless driver again, each from the
# arguments that tests/data/replay/cases.txt gives it, with the driver of a
# build folder (the first argument, default build/). Then each transcript is
# checked against the rules (check_transcript.py). Look at `git diff` before
# committing: a changed transcript is a change of what the player sees.
#
# usage: tools/replay/update_goldens.sh [BUILD-DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
replay=$build/coilix-replay
[ -x "$replay" ] || { echo "no $replay: build first" >&2; exit 1; }

cd "$root/tests/data/replay"
while read -r golden args; do
    case "$golden" in '' | '#'*) continue ;; esac
    # The arguments are plain words: no quoting in cases.txt.
    read -ra argv <<<"$args"
    "$replay" "${argv[@]}" >"$golden"
    width=17 height=13
    for ((i = 0; i < ${#argv[@]} - 1; i++)); do
        case "${argv[i]}" in
            --width) width=${argv[i + 1]} ;;
            --height) height=${argv[i + 1]} ;;
        esac
    done
    printf '%s: ' "$golden"
    python3 "$root/tools/replay/check_transcript.py" --width "$width" --height "$height" "$golden" |
        tr '\n' ' '
    echo
done <cases.txt
