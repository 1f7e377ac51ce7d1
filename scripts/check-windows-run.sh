#!/usr/bin/env bash
# The Windows program against the Linux one: on generated leagues (the demo,
# all edge cases, and broken ones of every stop kind) `--run` of the Windows
# console program under Wine must leave byte for byte the files the Linux
# program leaves, print the same score lines and message, and end with the
# same status.
#   bash scripts/check-windows-run.sh --linux-build DIR --windows-build DIR
# Exit status 77 (skipped) when either build lacks its program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$root/build
windows=$root/build-windows
while [ $# -gt 0 ]; do
  case "$1" in
    --linux-build) linux=$2; shift 2 ;;
    --windows-build) windows=$2; shift 2 ;;
    *) echo "usage: check-windows-run.sh [--linux-build DIR] [--windows-build DIR]" >&2; exit 2 ;;
  esac
done
linux=$(cd "$linux" 2>/dev/null && pwd || echo "$linux")
windows=$(cd "$windows" 2>/dev/null && pwd || echo "$windows")
for program in "$linux/vellor-results" "$linux/make-sample-league" "$windows/vellor-results-cli.exe"; do
  [ -x "$program" ] || [ -f "$program" ] || { echo "skipped: $program is not built"; exit 77; }
done

work=$(mktemp -d /tmp/vr-windows-run-XXXXXX)
trap 'rm -rf "$work"' EXIT
below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
failures=0
cases=0

# check NAME "GENERATOR OPTIONS" "MUTATION (shell, in the league folder)" RUN-ARGUMENTS...
check() {
  local name=$1 options=$2 mutation=$3
  shift 3
  cases=$((cases + 1))
  local base="$work/$name"
  mkdir -p "$base/linux" "$base/windows"
  # shellcheck disable=SC2086
  "$linux/make-sample-league" --drive "$base/linux" $options >/dev/null
  if [ -n "$mutation" ]; then (cd "$base/linux/$below" && eval "$mutation"); fi
  cp -a "$base/linux/." "$base/windows/"
  local ls=0 ws=0
  VELLOR_DRIVE_C="$base/linux" VELLOR_CACHE_DIR="$base/linux-cache" \
    "$linux/vellor-results" --run "$@" >"$base/linux.out" 2>"$base/linux.err" || ls=$?
  # The Windows program sees the same folder through drive Z:.
  VELLOR_DRIVE_C="Z:$base/windows" VELLOR_CACHE_DIR="Z:$base/windows-cache" \
    "$root/cmake/wine-run.sh" "$windows/vellor-results-cli.exe" --run "$@" \
    >"$base/windows.out" 2>"$base/windows.err" || ws=$?
  local bad=""
  [ "$ls" = "$ws" ] || bad+=" status(linux $ls, windows $ws)"
  cmp -s "$base/linux.out" "$base/windows.out" || bad+=" score-lines"
  # The message's first and last lines are the same on both, read without
  # their time, with one separator and the two copies of the league named
  # alike; advice between them names host folders in the host's own terms.
  norm() {
    sed -E 's/^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} //; s/\r$//' | tr '\\' '/' |
      sed "s|Z:$base/windows|LEAGUE|g; s|$base/linux|LEAGUE|g"
  }
  [ "$(head -n1 "$base/linux.err" | norm)" = "$(head -n1 "$base/windows.err" | norm)" ] || bad+=" message"
  [ "$(tail -n1 "$base/linux.err" | norm)" = "$(tail -n1 "$base/windows.err" | norm)" ] || bad+=" message-end"
  diff -r "$base/linux/$below" "$base/windows/$below" >"$base/files.diff" 2>&1 || bad+=" files"
  if [ -n "$bad" ]; then
    failures=$((failures + 1))
    echo "FAIL $name:$bad"
    head -n3 "$base/linux.err" "$base/windows.err" "$base/files.diff" | sed 's/^/    /'
  else
    echo "ok   $name (status $ls$( [ -s "$base/linux.err" ] && printf ', %s' "$(head -n1 "$base/linux.err")"))"
  fi
}

check demo "--preset demo --seed 3" ""
check edge-cases "--preset demo --seed 5 --all-edge-cases" ""
check postseason "--preset demo --seed 7 --postseason-past-365 --odd-names" ""
check period "--preset demo --seed 3" "" --last-day 245 --days 2
check no-index "--preset demo --seed 3" "" --no-index
check path-not-found "--preset demo" "rm -r html/rosters"
check file-not-found "--preset demo" "rm html/rosters/roster1.htm"
check end-of-file "--preset demo" "head -c 300 html/leagueschedule.htm > t && mv t html/leagueschedule.htm"
check type-mismatch "--preset demo" "" --last-day x
check subscript-out-of-range "--preset demo" "" --days -200
check permission-denied "--preset demo" "mkdir teaminfo.txt"

echo "$((cases - failures)) passed, $failures failed"
[ "$failures" = 0 ]
