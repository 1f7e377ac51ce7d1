#!/bin/bash
# Layers include only downwards: each folder of src/ may include its own
# headers and those of the layers below it, never one above. A folder's
# tests may also use src/testsupport and the other core layers (a host test
# drives the league folder), but never src/app: tests that run whole window
# sequences live in src/app/tests. Run by ctest
# (layers.includes_run_downwards); prints each include that runs upwards.
set -u
src=${1:-$(dirname "$0")/../src}
cd "$src" || exit 2
grep -rnE '^#include "[a-z_0-9]+/' --include='*.h' --include='*.cpp' \
    text host league snapshot results additions send app testsupport |
awk -F: '
  BEGIN {
    allowed["text"] = " text "
    allowed["host"] = " text host "
    allowed["league"] = " text league "
    allowed["snapshot"] = " text league snapshot "
    allowed["results"] = " text league snapshot results "
    allowed["additions"] = " text league snapshot results additions "
    allowed["send"] = " text host send "
    allowed["app"] = " text host league snapshot results additions send app "
    allowed["testsupport"] = " text host league snapshot results additions send app testsupport "
  }
  {
    split($1, parts, "/"); layer = parts[1]
    include = $3; for (i = 4; i <= NF; i++) include = include ":" $i
    target = include; sub(/^#include "/, "", target); sub(/\/.*/, "", target)
    ok = index(allowed[layer], " " target " ") > 0
    if ($1 ~ /\/tests\// && target != "app") ok = 1
    if (!ok) { printf "%s:%s: %s includes %s: %s\n", $1, $2, layer, target, include; bad = 1 }
  }
  END { exit bad }'
