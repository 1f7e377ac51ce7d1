#!/usr/bin/env bash
# Ctrl+C at many moments of a --run of the Windows console program under
# Wine (which hands SIGINT to the program's console handler as Ctrl+C): the
# publications are one run's whole set, the status is 1 with a line saying
# which moment it was, and the next run leaves no twin behind.
#
#   scripts/check-windows-ctrl-c.sh [--build DIR]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build="build-windows"
[ "${1:-}" = --build ] && { build="$2"; shift 2; }
[ $# -eq 0 ] || { sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
build="$(cd "$build" && pwd)"
run="$PWD/cmake/wine-run.sh"
program="$build/vellor-results-cli.exe"
work="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
fail() { echo "FAIL: $*" >&2; exit 1; }
sums() { (cd "$1/$below" && find . -type f ! -name '*.new' -print0 | sort -z | xargs -0 md5sum); }
twins() { find "$1/$below" -name '*.new'; }
publish() { VELLOR_DRIVE_C="Z:$1" "$run" "$program" --run --no-index --days "$2" >/dev/null 2>&1; }

"$run" "$build/make-sample-league.exe" --drive "Z:$work/t" --preset demo >/dev/null
publish "$work/t" 2
old="$(sums "$work/t")"
cp -a "$work/t" "$work/t3" && publish "$work/t3" 3
new="$(sums "$work/t3")"
[ "$old" != "$new" ] || fail "the two periods publish the same files"

before=0 after=0
for delay in 0 0.02 0.05 0.1 0.2 0.3 0.5 0.8; do
    rm -rf "$work/k" && cp -a "$work/t" "$work/k"
    VELLOR_DRIVE_C="Z:$work/k" "$run" "$program" --run --no-index --days 3 >/dev/null 2>"$work/int.err" &
    pid=$!
    # Wine itself takes a signal that comes while it starts the program
    # badly: the moment is counted from the run's first open file.
    for _ in $(seq 6000); do
        ls -l "/proc/$pid/fd" 2>/dev/null | grep -qF "$work/k/" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.005
    done
    sleep "$delay"; kill -INT "$pid" 2>/dev/null || true
    set +e; wait "$pid"; status=$?; set -e
    pid=""
    now="$(sums "$work/k")"
    said="$(tr -d '\r' <"$work/int.err")"
    case "$status:$now" in
        "1:$old") grep -q "Ended by Ctrl+C before the publications were put in place" <<<"$said" \
                      || fail "Ctrl+C after ${delay}s, old files, said: $said"
                  before=$((before + 1)) ;;
        "1:$new") grep -q "Ended by Ctrl+C once the publications were put in place" <<<"$said" \
                      || fail "Ctrl+C after ${delay}s, new files, said: $said"
                  after=$((after + 1)) ;;
        "0:$new") ;; # the run had ended already
        *) fail "Ctrl+C after ${delay}s: status $status, $( [ "$now" = "$old" ] && echo old files ||
                  { [ "$now" = "$new" ] && echo new files || echo a mixed set; })"$'\n'"$said" ;;
    esac
    publish "$work/k" 3
    [ -z "$(twins "$work/k")" ] || fail "twins left after Ctrl+C at ${delay}s: $(twins "$work/k")"
done
[ $((before + after)) -gt 0 ] || fail "no run took Ctrl+C"
echo "Ctrl+C: one run's whole set each time ($before stopped before, $after after putting files in place), no twin left"
