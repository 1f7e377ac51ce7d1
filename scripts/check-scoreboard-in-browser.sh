#!/usr/bin/env bash
# Opens the scoreboard page of a generated league in a real browser (Debian's
# chromium, headless), saves a picture of it and checks the document the
# browser built against the league's facts: every game box of the period with
# its two teams, the winner's name in its winner cell, the logos' paths and
# the Boxscore links.
#
#   scripts/check-scoreboard-in-browser.sh [--build DIR] [--out DIR] [--no-install]
#
#   --build DIR    the build folder (default: build; built first unless --no-install)
#   --out DIR      where the picture and the browser's document go
#                  (default: build/screenshots)
#   --no-install   install and build nothing; exit 77 (skipped) when chromium
#                  or python3 is missing (so the test suite can call it), or
#                  fail under CI=true, where the test command installed them
#
# Writes OUT/scoreboard.png and OUT/scoreboard-dom.html. The league is the
# demo one with every edge case of the generator, and the period its last
# five days: a tie, a day without games and a game without play-by-play.
set -euo pipefail
cd "$(dirname "$0")/.."

help='2,19p'
. scripts/lib/browser-check.sh
browser_check_options "$@"
browser_check_prepare
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
drive="$work/drive"
"$build/make-sample-league" --drive "$drive" --preset demo --all-edge-cases >/dev/null
league="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
last_day="$(sed -n 's/^league\t.*last_simulated_day=\([0-9]*\).*/\1/p' "$drive/manifest.txt")"
days=5

VELLOR_DRIVE_C="$drive" "$build/vellor-results" --run --last-day "$last_day" --days "$days" \
    >"$work/scores.txt"
page="$league/html/scoreboard.html"
uri() { python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$1"; }
url="$(uri "$page")"
# The document is read from a copy beside the page (the same relative
# paths) that, once everything has loaded, marks each image with the width
# the browser decoded: 0 for a picture missing or broken.
probe="$league/html/scoreboard-probe.html"
sed '1a <script>addEventListener("load", function () { for (const i of document.images) i.setAttribute("data-natural-width", i.naturalWidth); document.documentElement.setAttribute("data-loaded", "yes"); });</script>' \
    "$page" >"$probe"

# Root needs --no-sandbox; a fresh profile each time, and nothing fetched.
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run
         --disable-background-networking --disable-component-update --disable-sync
         --hide-scrollbars)
# Two boxes side by side at this width; tall enough for every box.
boxes="$(grep -c '^<div class=boxscore>' "$page" || true)"
height=$((160 + 45 * days + 125 * ((boxes + 1) / 2)))
timeout 120 "${browser[@]}" --user-data-dir="$work/profile-dom" \
    --dump-dom "$(uri "$probe")" >"$out/scoreboard-dom.html" 2>"$work/chromium.log" \
    || { cat "$work/chromium.log" >&2; exit 1; }
timeout 120 "${browser[@]}" --user-data-dir="$work/profile-shot" \
    --window-size="1100,$height" --screenshot="$out/scoreboard.png" "$url" \
    >>"$work/chromium.log" 2>&1 \
    || { cat "$work/chromium.log" >&2; exit 1; }
[ -s "$out/scoreboard.png" ] || { echo "no screenshot written" >&2; exit 1; }

python3 tools/checks/scoreboard_dom.py "$out/scoreboard-dom.html" "$drive/manifest.txt" \
    --last-day "$last_day" --days "$days" --html-dir "$league/html"
echo "picture: $out/scoreboard.png"
