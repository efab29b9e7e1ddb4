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
  [devices]="devices"
  [framework]="devices framework"
  [res]="framework res"
  [view]="game store devices framework res view"
  [app]="game store devices framework res view app"
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
# The framework and the device services are for any Qt program: they name
# no program, maker or game thing, in code or in comments. Words are matched
# whole, in any case.
framework_words='coilix|halvorn|games?|scores?|high ?scores?|crawlers?|boards?|apples?|coins?|skulls?|droppings?|tiles?'
for folder in framework devices; do
  if grep -HniwE "$framework_words" $(git ls-files "$folder/*.h" "$folder/*.cpp"); then
    echo "$folder/ knows nothing of the program or its game: the lines above name them" >&2
    status=1
  fi
done

[[ $status == 0 ]] && echo "layers: every include goes down, and the framework and devices name no game"
exit $status
