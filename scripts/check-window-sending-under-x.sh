#!/usr/bin/env bash
# A season's first send (some 6,000 files, to a folder) with the window
# open under a real X server (Xvfb): after GO! the window answers while it
# sends (the status line counts the files, a text box takes typing), Exit
# closes it mid-send within seconds, the send stops between two files (no
# temporary under a final name), and the next --send completes the remote.
#
#   scripts/check-window-sending-under-x.sh [--build DIR] [--out DIR]
#
# Writes OUT/window-sending-full-season.png. Exit 77 (skipped) when Xvfb,
# xdotool or ImageMagick is missing, unless CI=true.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build out=""
while [ $# -gt 0 ]; do
    case "$1" in
        --build) build="$2"; shift 2 ;;
        --out) out="$2"; shift 2 ;;
        *) echo "usage: check-window-sending-under-x.sh [--build DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done
out="${out:-$build/screenshots}"
fail() { echo "check-window-sending-under-x: $1" >&2; exit 1; }
for tool in Xvfb xdotool /usr/bin/import; do
    if ! command -v "$tool" >/dev/null; then
        [ "${CI:-}" = true ] && fail "$tool is missing"
        echo "check-window-sending-under-x: skipped: $tool is missing"; exit 77
    fi
done

work="$(mktemp -d)" xvfb="" app=""
finish() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
league="$work/drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
"$build/make-sample-league" --drive "$work/drive" --preset full >/dev/null
mkdir -p "$work/config" "$out"
printf '[site]\naddress = file://%s/remote\n' "$work" >"$work/config/publish.ini"
export VELLOR_CONFIG_DIR="$work/config" VELLOR_CACHE_DIR="$work/cache" VELLOR_DRIVE_C="$work/drive"

exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

env -u QT_QPA_PLATFORM "$build/vellor-results" >"$work/window.log" 2>&1 &
app=$!
wid=""
for _ in $(seq 300); do
    wid="$(xdotool search --onlyvisible --name '^Vellor Results$' 2>/dev/null | head -n1 || true)"
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || fail "the window did not show"
xdotool mousemove --window "$wid" 550 90 click 1
sent() { find "$work/remote" -type f 2>/dev/null | wc -l; }
for _ in $(seq 600); do [ "$(sent)" -gt 1000 ] && break; sleep 0.1; done
[ "$(sent)" -gt 1000 ] || fail "the send did not get going"

# Mid-send the window answers: typing reaches the Message box, and the
# picture shows the files counted in the status line.
xdotool mousemove --window "$wid" 400 150 click 1 type "typed mid-send"
sleep 0.5
/usr/bin/import -window "$wid" "$out/window-sending-full-season.png"
started=$(date +%s%N)
xdotool mousemove --window "$wid" 573 713 click 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app" 2>/dev/null && fail "Exit did not close the window within 10 s of a send"
status=0
wait "$app" || status=$?
app=""
[ "$status" = 0 ] || fail "Exit ended the program with status $status"
took=$(( ($(date +%s%N) - started) / 1000000 ))
stopped_at=$(sent)
total=$(find "$league/html" -type f | wc -l)
[ "$stopped_at" -lt "$total" ] || fail "the send had finished before Exit; nothing was tested"
# Stopped between two files: every file under its final name is whole.
while IFS= read -r f; do
    cmp -s "$work/remote/$f" "$league/html/$f" || fail "$f is not whole on the remote"
done < <(cd "$work/remote" && find . -type f ! -name '.vr-sending.*' | sed 's|^\./||')

"$build/vellor-results" --send >/dev/null 2>"$work/send.err" || fail "--send failed: $(cat "$work/send.err")"
diff -r "$league/html" "$work/remote" >/dev/null || fail "the next --send left the remote unlike the html folder"
echo "PASS: $total files; Exit closed the window mid-send in $took ms at $stopped_at files; --send finished the remote"
