#!/bin/bash
# Layers include only downwards: each folder of src/ may include its own
# headers and those of the layers below it, never one above. A folder's
# tests may also use src/testsupport and the other core layers (a host test
# drives the league folder), but never src/app: tests that run whole window
# sequences live in src/app/tests. Run by ctest
# (layers.includes_run_downwards); prints each include that runs upwards.
set -u
src=${1:-$(dirname "$0")/../src}
declare -A allowed=(
  [text]="text"
  [host]="text host"
  [league]="text league"
  [snapshot]="text league snapshot"
  [results]="text league snapshot results"
  [additions]="text league snapshot results additions"
  [app]="text host league snapshot results additions app"
  [testsupport]="text host league snapshot results additions app testsupport"
)
bad=0
for layer in "${!allowed[@]}"; do
  [ -d "$src/$layer" ] || continue
  while IFS=: read -r file line include; do
    target=$(sed -E 's/^#include "([a-z_0-9]+)\/.*/\1/' <<<"$include")
    ok=no
    for a in ${allowed[$layer]}; do [ "$target" = "$a" ] && ok=yes; done
    case "$file" in */tests/*) [ "$target" != app ] && ok=yes ;; esac
    if [ $ok = no ]; then
      echo "${file#$src/}:$line: $layer includes $target: $include"
      bad=1
    fi
  done < <(grep -rnE '^#include "[a-z_0-9]+/' "$src/$layer" --include='*.h' --include='*.cpp')
done
exit $bad
