#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the direction of the folders' includes: each folder may include its
# own headers and those of the folders below it, and the Qt-free core (game/,
# store/) includes no Qt at all. The build enforces the same through its
# include directories; this says which line is wrong, without building.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [game]="game"
  [store]="game store"
  [framework]="framework"
  [res]="framework res"
  [view]="game store framework res view"
  [app]="game store framework res view app"
)

status=0
for folder in "${!allowed[@]}"; do
  while IFS= read -r line; do
    file=${line%%:*}
    inc=$(sed -E 's/.*#include "([^"/]+)\/.*/\1/' <<<"$line")
    if [[ " ${allowed[$folder]} " != *" $inc "* ]]; then
      echo "$line: $folder/ may not include $inc/" >&2
      status=1
    fi
  done < <(grep -Hn '#include "[^"]*/' $(git ls-files "$folder/*.h" "$folder/*.cpp") || true)
  if [[ $folder == game || $folder == store ]]; then
    if grep -Hn '#include <Q' $(git ls-files "$folder/*.h" "$folder/*.cpp"); then
      echo "$folder/ is Qt-free and may not include Qt" >&2
      status=1
    fi
  fi
done
[[ $status == 0 ]] && echo "layers: every include goes down"
exit $status
