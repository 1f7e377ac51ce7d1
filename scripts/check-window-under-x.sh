#!/usr/bin/env bash
# Runs the window under a real X server (Xvfb) on a generated league, clicks
# GO! as a user would (xdotool), waits for the run to end, takes pictures
# (ImageMagick's import) and checks what the window shows:
#   - the window's size, its icon and class, and its colours where the
#     layout puts them;
#   - the score list, read through the accessibility bus as a screen reader
#     reads it, equals the headless run's score list on a copy of the league;
#   - the list draws as many lines as it shows, and their right edges line
#     up on one character width (the monospaced face);
#   - the files GO! wrote equal the headless run's, byte for byte;
#   - Exit ends the program with status 0.
#
#   scripts/check-window-under-x.sh [--build DIR] [--out DIR] [--no-install]
#
#   --build DIR    the build folder (default: build; built first unless --no-install)
#   --out DIR      where the pictures go (default: build/screenshots)
#   --no-install   install and build nothing; exit 77 (skipped) when a tool is
#                  missing (so the test suite can call it), or fail under
#                  CI=true, where the test command installed them
#
# Writes OUT/window-loaded.png (after the window load) and OUT/window-after-go.png.
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$script")/.."

usage() { sed -n '2,22p' "$script" | sed 's/^# \{0,1\}//' >&2; exit 2; }
build="build"
out=""
install=1
session=""
while [ $# -gt 0 ]; do
    case "$1" in
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        --out) [ $# -ge 2 ] || usage; out="$2"; shift 2 ;;
        --no-install) install=0; shift ;;
        --in-session) [ $# -ge 2 ] || usage; session="$2"; shift 2 ;;  # internal
        *) usage ;;
    esac
done
out="${out:-$build/screenshots}"

# The window's layout, in pixels of its client area (609 x 739).
readonly go_x=552 go_y=88                 # middle of GO! (504..601, 64..113)
readonly exit_x=572 exit_y=714            # middle of Exit (544..601, 696..733)
readonly list_x=8 list_y=176 list_w=593 list_h=514

fail() { echo "FAIL: $*" >&2; exit 1; }
# A tool missing: the check is skipped, except in CI, where it must run.
missing_tool() {
    if [ "${CI:-}" = true ]; then
        fail "$1 is not installed (CI=true: the check must run; scripts/install-deps.sh --with-checks installs it)"
    fi
    echo "skipped: $1 is not installed" >&2
    exit 77
}

# What the session started, ended when it ends (by process id).
xvfb="" launcher="" app=""
end_started() {
    local p
    for p in $app $launcher $xvfb; do kill "$p" 2>/dev/null || true; done
}

# ---------------------------------------------------------------- in the session
# Everything that needs the X server and the session bus; the work folder
# holds the league and the headless run's results.
in_session() {
    local work="$1"
    local drive="$work/drive"
    local league="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
    trap end_started EXIT

    # A free display of its own; Xvfb writes its number once it is ready.
    exec 5>"$work/display"
    Xvfb -displayfd 5 -screen 0 800x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb=$!
    exec 5>&-
    local i
    for i in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$(head -n1 "$work/display")"

    # The accessibility bus first: the program looks for it when it starts.
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
    launcher=$!
    sleep 1

    # On the X server, whatever platform the caller's environment names
    # (the test suite runs with the offscreen one).
    env -u QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 VELLOR_DRIVE_C="$drive" \
        "$build/vellor-results" >"$work/window.log" 2>&1 &
    app=$!
    local wid=""
    for i in $(seq 200); do
        wid="$(xdotool search --onlyvisible --name '^Vellor Results$' 2>/dev/null | head -n1 || true)"
        [ -n "$wid" ] && break
        kill -0 "$app" 2>/dev/null || fail "the program ended before its window showed: $(cat "$work/window.log")"
        sleep 0.1
    done
    [ -n "$wid" ] || fail "no window named Vellor Results"
    sleep 0.5  # let the first paint land

    local geometry x y w h
    geometry="$(xdotool getwindowgeometry --shell "$wid")"
    x="$(sed -n 's/^X=//p' <<<"$geometry")"; y="$(sed -n 's/^Y=//p' <<<"$geometry")"
    w="$(sed -n 's/^WIDTH=//p' <<<"$geometry")"; h="$(sed -n 's/^HEIGHT=//p' <<<"$geometry")"
    [ "${w}x${h}" = "609x739" ] || fail "the window is ${w}x${h}, expected 609x739"

    # The window carries the program's icon at the sizes it ships (Qt leaves
    # out 256, too large for one X request), and the class the desktop
    # entry's StartupWMClass names.
    local props size
    props="$(xprop -id "$wid" WM_CLASS _NET_WM_ICON | grep -E '^WM_CLASS|Icon \(')"
    for size in 16 32 48 64 128; do
        grep -qF "Icon ($size x $size)" <<<"$props" || fail "no $size x $size icon on the window: $props"
    done
    grep -q '^WM_CLASS.*"vellor-results"' <<<"$props" || fail "the window's class is not vellor-results: $props"

    shot() { import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"; }
    pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
    expect_colour() {  # picture, x, y, colour, what
        local got
        got="$(pixel "$1" "$2" "$3")"
        [ "$got" = "$4" ] || fail "$5 at ($2,$3) is $got, expected $4"
    }

    shot "$out/window-loaded.png"
    local navy="srgb(0,40,86)" green="srgb(0,133,59)" red="srgb(255,0,0)" white="srgb(255,255,255)"
    expect_colour "$out/window-loaded.png" 3 3 "$navy" "the window's background"
    expect_colour "$out/window-loaded.png" 12 12 "$green" "the title"
    expect_colour "$out/window-loaded.png" 212 68 "$green" "TxtLastDay"
    expect_colour "$out/window-loaded.png" 300 165 "$green" "TxtMessage"
    expect_colour "$out/window-loaded.png" 510 70 "$green" "GO!"
    expect_colour "$out/window-loaded.png" 550 700 "$red" "Exit"
    expect_colour "$out/window-loaded.png" 300 400 "$white" "the score list"

    # The window load's texts, read as a screen reader reads them.
    /usr/bin/python3 tools/checks/window_a11y.py texts >"$work/texts.txt"
    local last_day
    last_day="$(sed -n 's/^league\t.*last_simulated_day=\([0-9]*\).*/\1/p' "$drive/manifest.txt")"
    grep -qxF "Last Day that was Simulated:	$last_day" "$work/texts.txt" \
        || fail "TxtLastDay does not show $last_day: $(cat "$work/texts.txt")"
    grep -qxF "Number of days that were ran during the last sim period:	3" "$work/texts.txt" \
        || fail "TxtDaysSimmed does not show 3: $(cat "$work/texts.txt")"

    # GO!, as a click of the mouse. The run ends when ~daily.txt is there
    # (GO! writes it late in the run) and the button is green again.
    [ ! -e "$league/~daily.txt" ] || fail "~daily.txt exists before GO!"
    xdotool mousemove --window "$wid" "$go_x" "$go_y" click 1
    local done=0
    for i in $(seq 300); do
        if [ -e "$league/~daily.txt" ]; then
            shot "$work/poll.png"
            [ "$(pixel "$work/poll.png" 510 70)" = "$green" ] && { done=1; break; }
        fi
        kill -0 "$app" 2>/dev/null || fail "the program ended during GO!: $(cat "$work/window.log")"
        sleep 0.1
    done
    [ "$done" = 1 ] || fail "the run did not end within 30 seconds"
    sleep 0.3
    shot "$out/window-after-go.png"

    /usr/bin/python3 tools/checks/window_a11y.py scores >"$work/window-scores.txt"
    diff "$work/headless-scores.txt" "$work/window-scores.txt" >"$work/scores.diff" \
        || fail "the window's score list differs from the headless run's (< headless, > window):
$(cat "$work/scores.diff")"

    check_list_picture "$out/window-after-go.png" "$work/headless-scores.txt" "$work"

    local f
    for f in "~daily.txt" html/scoreboard.html Test.txt TopResults.txt Upsets.txt settings2.txt; do
        cmp -s "$league/$f" "$work/headless/$f" || fail "$f differs from the headless run's"
    done

    xdotool mousemove --window "$wid" "$exit_x" "$exit_y" click 1
    local status=0
    for i in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app" 2>/dev/null && fail "Exit did not end the program"
    wait "$app" || status=$?
    app=""
    [ "$status" = 0 ] || fail "the program ended with status $status after Exit"
    echo "window under X: loaded, GO! clicked, $(wc -l <"$work/window-scores.txt") score lines as the headless run, Exit with 0"
}

# The list as drawn: the rows holding text pixels (the list's green, pure
# or blended into the white), grouped into lines, must be as many as the
# list shows (all lines, or as many as fit), and each line's right edge must
# lie where its length in characters puts it: a straight line through all
# of them, at the character width of a 13-pixel monospaced face.
check_list_picture() {
    local picture="$1" scores="$2" work="$3"
    # Text pixels have little blue: white has all of it, the green none.
    convert "$picture" -crop "$((list_w - 20))x$((list_h - 4))+$((list_x + 2))+$((list_y + 2))" +repage \
        -channel B -separate +channel -threshold 50% -negate -depth 8 txt:- \
        | awk -F'[,: ]+' '/gray\(255\)|#FFFFFF/ { print $1, $2 }' >"$work/list-pixels.txt"
    awk '{ if (!($2 in maxx) || $1 > maxx[$2]) maxx[$2] = $1 } END { for (r in maxx) print r, maxx[r] }' \
        "$work/list-pixels.txt" | sort -n >"$work/list-rows.txt"
    # Lines: runs of rows with text, split where a row has none.
    awk 'NR == 1 || $1 != prev + 1 { if (NR > 1) print right; right = 0 }
         { if ($2 > right) right = $2; prev = $1 } END { if (NR) print right }' \
        "$work/list-rows.txt" >"$work/list-lines.txt"
    local drawn shown
    drawn="$(wc -l <"$work/list-lines.txt")"
    shown="$(wc -l <"$scores")"
    [ "$shown" -gt 34 ] && shown=34  # 34 rows of 15 pixels fit in the list
    [ "$drawn" = "$shown" ] || fail "the list shows $drawn lines of text, expected $shown"
    # Characters, not bytes: the names are in the league's code page.
    head -n "$shown" "$scores" | iconv -f UTF-8 -t CP1252 | awk '{ print length($0) }' >"$work/list-lengths.txt"
    paste -d' ' "$work/list-lengths.txt" "$work/list-lines.txt" | awk '
        { n[NR] = $1; r[NR] = $2; sn += $1; sr += $2; snn += $1 * $1; snr += $1 * $2 }
        END {
            width = (NR * snr - sn * sr) / (NR * snn - sn * sn)
            start = (sr - width * sn) / NR
            if (width < 7 || width > 9) { printf "character width %.2f px\n", width; bad = 1 }
            for (i = 1; i <= NR; i++) {
                off = r[i] - (start + width * n[i])
                if (off < -3 || off > 3) {
                    printf "line %d (%d characters) ends at x=%d, %.1f px off\n", i, n[i], r[i], off
                    bad = 1
                }
            }
            exit bad
        }' >"$work/list-columns.txt" \
        || fail "the list's characters do not line up on one width:
$(cat "$work/list-columns.txt")"
}

if [ -n "$session" ]; then
    in_session "$session"
    exit 0
fi

# ---------------------------------------------------------------- preparation
tools=(Xvfb xdotool xprop import convert dbus-run-session /usr/libexec/at-spi-bus-launcher /usr/bin/python3)
if [ "$install" = 1 ]; then
    bash scripts/install-deps.sh --with-checks
    cmake -S . -B "$build" -G Ninja >/dev/null
    ninja -C "$build" vellor-results make-sample-league >/dev/null
else
    for t in "${tools[@]}"; do
        command -v "$t" >/dev/null || missing_tool "$t"
    done
    /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
        || missing_tool "python3-gi or gir1.2-atspi-2.0"
fi

mkdir -p "$out"
out="$(cd "$out" && pwd)"
build="$(cd "$build" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/make-sample-league" --drive "$work/drive" --preset demo >/dev/null
# The headless run on a copy of the same league: the same period (the last
# day found and 3 days), so the same score list and the same files.
cp -a "$work/drive" "$work/headless-drive"
VELLOR_DRIVE_C="$work/headless-drive" "$build/vellor-results" --run >"$work/headless-scores.txt"
ln -s "$work/headless-drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen" \
    "$work/headless"

dbus-run-session -- bash "$script" --build "$build" --out "$out" --in-session "$work" 2> >(grep -v 'dbus-daemon\|SpiRegistry' >&2)
echo "pictures: $out/window-loaded.png $out/window-after-go.png"
