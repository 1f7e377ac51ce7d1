#!/usr/bin/env bash
# Opens the archive's index page (html/periods.html) of a generated league
# with three published periods in a real browser (Debian's chromium,
# headless) at a phone's width of 360 pixels, saves a picture of it and
# checks that nothing on it is wider than the screen.
#
#   scripts/check-periods-in-browser.sh [--build DIR] [--out DIR] [--no-install]
#
#   --build DIR    the build folder (default: build; built first unless --no-install)
#   --out DIR      where the picture goes (default: build/screenshots)
#   --no-install   install and build nothing; exit 77 (skipped) when chromium,
#                  python3 or imagemagick is missing (so the test suite can
#                  call it), or fail under CI=true, where the test command
#                  installed them
#
# Writes OUT/periods-360.png.
set -euo pipefail
cd "$(dirname "$0")/.."

help='2,16p'
. scripts/lib/browser-check.sh
browser_check_options "$@"
browser_check_prepare imagemagick
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
drive="$work/drive"
"$build/make-sample-league" --drive "$drive" --preset demo --odd-names >/dev/null
league="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
last_day="$(sed -n 's/^league\t.*last_simulated_day=\([0-9]*\).*/\1/p' "$drive/manifest.txt")"
for back in 6 3 0; do
    VELLOR_DRIVE_C="$drive" VELLOR_CACHE_DIR="$work/cache" "$build/vellor-results" --run \
        --last-day $((last_day - back)) --days 3 >/dev/null
done
page="$league/html/periods.html"

# Desktop browsers keep windows at least 500 pixels wide: the page is laid
# out in a frame of a phone's width instead, and a copy of it reports the
# width it takes to the frame's parent, which writes it into its title.
probe="$league/html/periods-probe.html"
sed 's|</body>|<script>parent.postMessage("width=" + document.documentElement.scrollWidth, "*");</script></body>|' \
    "$page" >"$probe"
phone() {
    cat >"$league/html/$1" <<HTML
<!DOCTYPE html><html><head><title>waiting</title><style>body{margin:0}iframe{border:0;display:block}</style></head>
<body><iframe src="$2" width="360" height="800"></iframe>
<script>addEventListener("message", function (e) { document.title = e.data; });</script></body></html>
HTML
}
phone phone-probe.html periods-probe.html
phone phone.html periods.html
uri() { python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$1"; }
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
         --disable-component-update --disable-sync --hide-scrollbars --window-size=500,800
         --virtual-time-budget=5000)
timeout 120 "${browser[@]}" --user-data-dir="$work/profile-dom" --dump-dom "$(uri "$league/html/phone-probe.html")" \
    >"$work/dom.html" 2>"$work/chromium.log" || { cat "$work/chromium.log" >&2; exit 1; }
width="$(sed -n 's|.*<title>width=\([0-9]*\)</title>.*|\1|p' "$work/dom.html")"
[ -n "$width" ] || { echo "the browser gave no width" >&2; exit 1; }
[ "$width" -le 360 ] || { echo "periods.html is $width pixels wide on a 360-pixel screen" >&2; exit 1; }
for day in $((last_day - 6)) $((last_day - 3)) "$last_day"; do
    grep -q "href=\"seasons/2009-10/scoreboard-day$day.html\"" "$page" || { echo "day $day not listed" >&2; exit 1; }
done

timeout 120 "${browser[@]}" --user-data-dir="$work/profile-shot" --screenshot="$work/shot.png" \
    "$(uri "$league/html/phone.html")" >/dev/null 2>"$work/chromium.log" || { cat "$work/chromium.log" >&2; exit 1; }
/usr/bin/convert "$work/shot.png" -crop 360x800+0+0 +repage "$out/periods-360.png"
echo "periods.html: $width pixels wide on a 360-pixel screen; picture in $out/periods-360.png"
