#!/usr/bin/env bash
# The watch mode of the real program on a generated league: exported through
# day 249 it publishes that day; when the next export (through day 251) is
# laid over it, it publishes days 250-251 once, the same ~daily.txt as
# --run --last-day 251 --days 2; idle it takes no measurable processor time;
# SIGTERM (on Windows Ctrl+C) ends it with status 0.
#
#   scripts/check-watch.sh [--build DIR] [--windows]
#
#   --windows   DIR is the Windows build (default build-windows): its console
#               program runs under Wine, which hands it SIGINT as Ctrl+C
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$script")/.."
usage() { sed -n '2,13p' "$script" | sed 's/^# \{0,1\}//' >&2; exit 2; }
build="" windows=""
while [ $# -gt 0 ]; do
    case "$1" in
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        --windows) windows=1; shift ;;
        *) usage ;;
    esac
done
if [ -n "$windows" ]; then
    build="$(cd "${build:-build-windows}" && pwd)"
    run="$PWD/cmake/wine-run.sh"
    program="$build/vellor-results-cli.exe" generator="$build/make-sample-league.exe"
    host() { echo "Z:$1"; }   # a path as the Windows program names it
    stop=INT
    # Under Wine each of the idle watch's once-a-second looks (a stat per
    # watched entry) costs milliseconds, on a slow machine enough to add up
    # to a few ticks in 5 s; one that published again each second would take
    # some thirty, and one that spun some five hundred.
    idle_ticks=10
else
    build="${build:-build}"
    run=""
    program="$build/vellor-results" generator="$build/make-sample-league"
    host() { echo "$1"; }
    stop=TERM
    idle_ticks=1
fi

work="$(mktemp -d)"
pid=""
cleanup() { [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
gen() { $run "$generator" --drive "$(host "$1")" --preset demo --last-simulated-day "$2" >/dev/null; }
gen "$work/watched" 249
gen "$work/next" 251
gen "$work/alone" 251
export VELLOR_CACHE_DIR="$(host "$work/cache")"

# Waits up to a minute for the log to hold n lines.
wait_lines() {
    for _ in $(seq 600); do
        [ -f "$work/watch.log" ] && [ "$(wc -l <"$work/watch.log")" -ge "$1" ] && return 0
        sleep 0.1
    done
    echo "the watch wrote no line $1:" >&2
    cat "$work/watch.out" >&2
    exit 1
}
# Processor time of the watch so far, in clock ticks.
ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }

# Under Wine the program is the process started (each step execs the next).
VELLOR_DRIVE_C="$(host "$work/watched")" $run "$program" --watch --settle 1 --log "$(host "$work/watch.log")" \
    >"$work/watch.out" 2>&1 </dev/null &
pid=$!
wait_lines 2 # the line saying it starts, then the first publication
cp -a "$work/next/." "$work/watched/"
wait_lines 3
sleep 3 # nothing more to publish
before="$(ticks)"
sleep 5
idle=$(( $(ticks) - before ))
kill -"$stop" "$pid"
status=0
wait "$pid" || status=$?
pid=""

fail() { echo "$1" >&2; cat "$work/watch.out" >&2; exit 1; }
[ "$status" = 0 ] || fail "SIG$stop ended the watch with $status"
[ "$idle" -le "$idle_ticks" ] || fail "idle, the watch took $idle ticks in 5 seconds"
[ "$(wc -l <"$work/watch.out")" = 4 ] || fail "not four lines"
stamp='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} '
sed -n 1p "$work/watch.out" | grep -Eq "${stamp}watching the league folder .*Marrowdeen for the game's exports" \
    || fail "no line saying the watch starts"
sed -n 2p "$work/watch.out" | grep -Eq "${stamp}published days 247-249: 36 games\$" || fail "first publication"
sed -n 3p "$work/watch.out" | grep -Eq ' published days 250-251: 24 games$' || fail "second publication"
sed -n 4p "$work/watch.out" | grep -Eq "${stamp}the watch stopped\.\$" || fail "no line saying the watch stopped"
cmp -s <(tr -d '\r' <"$work/watch.log") "$work/watch.out" || fail "the log differs from the console"

VELLOR_DRIVE_C="$(host "$work/alone")" $run "$program" --run --last-day 251 --days 2 >/dev/null
cmp "$work/watched/$below/~daily.txt" "$work/alone/$below/~daily.txt" || fail "~daily.txt differs from --run's"
echo "watch: two publications, $idle ticks idle in 5 s, SIG$stop ends it with 0"
