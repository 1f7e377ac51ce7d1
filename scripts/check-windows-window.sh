#!/usr/bin/env bash
# The native Windows window under Wine on a real X server (Xvfb), on a
# generated league:
#   - the window's test program drives it through its messages and keys
#     (controls by name and box at 96 dpi, tab order, colours read back from
#     its pixels, GO! red during the run and green after it, the score list,
#     a rejected period, stops and exit statuses, the status line while a
#     send goes and when it fails, the sending dialog); its "Test" reaches
#     an sftp server and the Discord stand-in started on 127.0.0.1 (as
#     root, with sshd and pure-ftpd);
#   - vellor-results.exe itself, GO! clicked as a user would (xdotool):
#     pictures before and after GO!, the files it wrote equal those of
#     vellor-results-cli.exe --run on a copy of the league, Exit ends it
#     with status 0;
#   - vellor-results.exe --watch started hidden publishes, and taskkill
#     ends it with status 0.
#
#   scripts/check-windows-window.sh [--build DIR] [--out DIR]
#
#   --build DIR   the Windows build folder (default: build-windows), built
#   --out DIR     where the pictures go (default: DIR/screenshots)
#
# Writes OUT/window-loaded.png, OUT/window-after-go.png, OUT/window-sent.png,
# OUT/window-send-dialog.png and the test program's pictures:
# window-sending-{published,sending,sent,failed}.png and
# window-send-dialog-tested.png. Exits 77 (skipped) when Xvfb, xdotool or
# ImageMagick is missing, unless CI=true.
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$script")/.."

usage() { sed -n '2,21p' "$script" | sed 's/^# \{0,1\}//' >&2; exit 2; }
build="build-windows"
out=""
while [ $# -gt 0 ]; do
    case "$1" in
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        --out) [ $# -ge 2 ] || usage; out="$2"; shift 2 ;;
        *) usage ;;
    esac
done
build="$(cd "$build" && pwd)"
out="${out:-$build/screenshots}"
run="$PWD/cmake/wine-run.sh"

# The window's layout, in client pixels at 96 dpi (609 x 739).
readonly go_x=552 go_y=88      # middle of GO! (504..601, 64..113)
readonly exit_x=572 exit_y=714 # middle of Exit (544..601, 696..733)

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool /usr/bin/import /usr/bin/convert; do
    if ! command -v "$tool" >/dev/null; then
        [ "${CI:-}" = true ] && fail "$tool is not installed"
        echo "SKIP: $tool is not installed" >&2
        exit 77
    fi
done
for exe in vellor-results vellor-results-cli win32_window_tests make-sample-league; do
    [ -f "$build/$exe.exe" ] || fail "$build/$exe.exe is not built"
done

work="$(mktemp -d)"
xvfb="" app="" servers=""
# Wine's desktop, and with it the screen size that bounds every window, is
# made once per wineserver. One started by the suite's earlier programs,
# which have no display, keeps a 1024 x 768 screen, too small for the window
# at 144 dpi; so this check has a server of its own, ended when it ends
# (before its Xvfb does, so that no later program finds a desktop on a
# display that is gone).
export VR_WINEPREFIX="${VR_WINEPREFIX:-$build/wine-prefix}"
prefix="$VR_WINEPREFIX"
server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
end_server() { WINEPREFIX="$prefix" "$server" -k >/dev/null 2>&1 || true; WINEPREFIX="$prefix" "$server" -w >/dev/null 2>&1 || true; }
finish() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$servers" ] && bash scripts/send-servers/stop.sh "$servers"
    end_server
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
end_server

# A free display of its own, large enough for the window at 144 dpi.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1280x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

"$run" "$build/make-sample-league.exe" --drive "Z:$work/drive" >/dev/null
export VELLOR_CACHE_DIR="Z:$work/cache"

# The sending dialog's Test against real servers: sftp by a key, its host
# key pinned, into a folder of four files; the Discord stand-in's webhook.
send_profile=""
if [ "$(id -u)" = 0 ] && [ -x /usr/sbin/sshd ] && command -v pure-ftpd >/dev/null; then
    servers="$work/servers"
    mkdir -p "$servers/remote-sftp"
    VR_SSH_ECDSA=1 bash scripts/send-servers/start.sh "$servers"
    . "$servers/servers.env"
    for name in a b c d; do echo "$name" >"$servers/remote-sftp/$name.html"; done
    printf '[site]\naddress = sftp://127.0.0.1:%s%s\nuser = %s\nkey = Z:%s\nhost-key = %s\n' \
        "$SSH_PORT" "$servers/remote-sftp" "$SSH_USER" "$servers/user_key" "$HOST_KEY" >"$servers/publish.ini"
    printf '[discord]\nwebhook = https://localhost:%s/api/webhooks/1/%s\nca = Z:%s\n' \
        "$DISCORD_PORT" "$(cat "$servers/discord_token")" "$servers/ca.pem" >>"$servers/publish.ini"
    send_profile="Z:$servers/publish.ini"
else
    [ "${CI:-}" = true ] && fail "the sending dialog's Test needs root, sshd and pure-ftpd"
    echo "SKIP: the sending dialog's Test against servers (needs root, sshd and pure-ftpd)" >&2
fi

echo "== the window's test program"
mkdir -p "$out"
VR_SEND_PROFILE="$send_profile" VR_SCREENSHOTS="Z:$work/pictures" VR_BUILD_DIR="Z:$build" \
    VR_WINDOW_TEST_DRIVE="Z:$work/drive" "$run" "$build/win32_window_tests.exe" </dev/null
for picture in "$work"/pictures/*.bmp; do
    [ -e "$picture" ] || continue
    name="$(basename "$picture" .bmp)"
    /usr/bin/convert "$picture" "$out/$name.png"
done
[ -s "$out/window-sending-failed.png" ] || fail "the test program drew no pictures of the status line"

echo "== vellor-results.exe, GO! clicked"
league="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
cp -r "$work/drive" "$work/window"
cp -r "$work/drive" "$work/headless"
VELLOR_DRIVE_C="Z:$work/headless" "$run" "$build/vellor-results-cli.exe" --run >"$work/headless.out" </dev/null

# The window sends after GO!: to a folder, through the profile of its own
# configuration folder (the league folder stays as the headless run's).
mkdir -p "$work/config"
printf '[site]\naddress = file:///Z:%s/remote\n' "$work" >"$work/config/publish.ini"
VELLOR_CONFIG_DIR="Z:$work/config" VELLOR_DRIVE_C="Z:$work/window" "$run" "$build/vellor-results.exe" </dev/null >/dev/null 2>&1 &
app=$!
wid=""
for _ in $(seq 300); do
    wid="$(xdotool search --onlyvisible --name '^Vellor Results$' 2>/dev/null | head -n1 || true)"
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || fail "the window did not show"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 609 ] && [ "$HEIGHT" = 739 ] || fail "the client area is ${WIDTH}x$HEIGHT, not 609x739"

# The colour at (x, y) of the window as the X server shows it.
pixel() { /usr/bin/convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6; }
shoot() { sleep 0.5; /usr/bin/import -window "$wid" "$work/shot.png"; }

shoot
cp "$work/shot.png" "$out/window-loaded.png"
[ "$(pixel 4 4)" = 002856 ] || fail "the background is $(pixel 4 4), not navy"
[ "$(pixel 510 70)" = 00853B ] || fail "GO! is $(pixel 510 70), not green"
[ "$(pixel 550 700)" = FF0000 ] || fail "Exit is $(pixel 550 700), not red"

xdotool mousemove --window "$wid" "$go_x" "$go_y" click 1
# The run has ended when ~daily.txt has its last lines and GO! is green again.
daily="$work/window/$league/~daily.txt"
for _ in $(seq 600); do
    if [ -f "$daily" ] && cmp -s "$daily" "$work/headless/$league/~daily.txt"; then
        shoot
        [ "$(pixel 510 70)" = 00853B ] && break
    fi
    sleep 0.1
done
cp "$work/shot.png" "$out/window-after-go.png"
[ "$(pixel 510 70)" = 00853B ] || fail "GO! did not turn green again"
[ "$(pixel 20 190)" = FFFFFF ] || fail "the score list is $(pixel 20 190), not white"

# Everything GO! wrote is what the headless run wrote (the settings file too).
diff -r "$work/window/$league" "$work/headless/$league" >"$work/diff" || fail "files differ: $(head -20 "$work/diff")"
[ -s "$work/headless.out" ] || fail "the headless run printed no score lines"

# The send runs beside the window; its status line says where it went.
for _ in $(seq 300); do diff -r "$work/window/$league/html" "$work/remote" >/dev/null 2>&1 && break; sleep 0.1; done
diff -r "$work/window/$league/html" "$work/remote" >/dev/null || fail "the window's send left the remote unlike the html folder"
shoot
cp "$work/shot.png" "$out/window-sent.png"
# Text drawn on the navy below the list and left of Exit: more than one colour.
[ "$(/usr/bin/convert "$work/shot.png" -crop 500x30+8+700 +repage -format %k info:)" -gt 1 ] ||
    fail "no status line in the bottom-left corner"
# Ctrl+, opens the sending's settings; Escape closes them unchanged.
xdotool mousemove --window "$wid" 20 200 click 1
xdotool key --window "$wid" ctrl+comma
dialog=""
for _ in $(seq 100); do
    dialog="$(xdotool search --onlyvisible --name '^Sending$' 2>/dev/null | head -n1 || true)"
    [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "Ctrl+, did not open the sending dialog"
sleep 0.5
/usr/bin/import -window "$dialog" "$out/window-send-dialog.png"
cp "$work/config/publish.ini" "$work/publish.before"
xdotool key --window "$dialog" Escape
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Sending$' >/dev/null 2>&1 || break; sleep 0.1; done
cmp -s "$work/config/publish.ini" "$work/publish.before" || fail "Cancel changed the profile"

xdotool mousemove --window "$wid" "$exit_x" "$exit_y" click 1
status=0
wait "$app" || status=$?
app=""
[ "$status" = 0 ] || fail "Exit ended the program with status $status"

echo "== vellor-results.exe --watch, hidden, ended by taskkill"
# Started as Task Scheduler starts it: no console, no standard handles. Its
# hidden window takes taskkill's close (which needs Wine's desktop, so here).
cp -r "$work/drive" "$work/watched"
VELLOR_DRIVE_C="Z:$work/watched" "$run" "$build/vellor-results.exe" --watch --settle 1 \
    --log "Z:$work/watch.log" </dev/null >&- 2>&- &
app=$!
# Its log opens with the line saying what it watches; the publication follows.
for _ in $(seq 300); do grep -q ' published days ' "$work/watch.log" 2>/dev/null && break; sleep 0.1; done
grep -q ' published days ' "$work/watch.log" 2>/dev/null || fail "the hidden watch published nothing"
"$run" taskkill /IM vellor-results.exe </dev/null >/dev/null || fail "taskkill found no vellor-results.exe"
status=0
timeout 30 tail --pid="$app" -f /dev/null || fail "taskkill did not end the watch"
wait "$app" || status=$?
app=""
[ "$status" = 0 ] || fail "taskkill ended the watch with status $status"
echo "PASS: the window under Wine; pictures in $out"
