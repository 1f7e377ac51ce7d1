#!/usr/bin/env bash
# Publishes two seasons of a generated league one after the other (the second
# laid over the first as the game's next season) and checks the archive as a
# reader meets it: both seasons listed in periods.html, every Boxscore link
# of every archived scoreboard opening the game it names after the second
# season rewrote the game's box score pages, and the newest period's page for
# phones valid (html5lib), free of axe-core violations in chromium, no wider
# than a 360-pixel screen, every link and picture opening a file. Saves
# pictures of that page at 360 and 1280 pixels.
#
#   scripts/check-archive-in-browser.sh [--build DIR] [--out DIR] [--no-install]
#
#   --build DIR    the build folder (default: build; built first unless --no-install)
#   --out DIR      where the pictures go (default: build/screenshots)
#   --no-install   install and build nothing; exit 77 (skipped) when chromium,
#                  python3 or axe-core (DIR/axe) is missing, or fail under
#                  CI=true, where the test command installed them
#
# Writes OUT/period-360.png and OUT/period-1280.png.
set -euo pipefail
cd "$(dirname "$0")/.."

help='2,19p'
. scripts/lib/browser-check.sh
browser_check_options "$@"
axe="$build/axe/node_modules/axe-core/axe.min.js"
browser_check_prepare imagemagick
if [ "$install" = 1 ]; then
    bash scripts/install-axe.sh "$build/axe"
else
    [ -f "$axe" ] || missing_tool "axe-core (scripts/install-axe.sh $build/axe)"
fi
build="$(cd "$build" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
drive="$work/drive"
league="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
html="$league/html"
run() { VELLOR_DRIVE_C="$drive" VELLOR_CACHE_DIR="$work/cache" "$build/vellor-results" --run "$@" >/dev/null; }

"$build/make-sample-league" --drive "$drive" --preset demo --odd-names >/dev/null
run --last-day 248
run --last-day 251
"$build/make-sample-league" --drive "$drive" --preset demo --odd-names --season 2010 --over >/dev/null
run --last-day 248
run --last-day 251

python3 tools/checks/archive_pages.py "$html" 2010-11 2009-10
page="$html/seasons/2010-11/period-day251.html"
/usr/bin/python3 -c "import html5lib,sys; html5lib.HTMLParser(strict=True).parse(open(sys.argv[1],'rb'))" "$page"
/usr/bin/python3 -c "import html5lib,sys; html5lib.HTMLParser(strict=True).parse(open(sys.argv[1],'rb'))" "$html/latest.html"

uri() { python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).resolve().as_uri())' "$1"; }
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
         --disable-component-update --disable-sync --hide-scrollbars --virtual-time-budget=10000
         --allow-file-access-from-files)

# axe-core in a copy of the page (the page itself has no script): the
# violations go into the document, which the browser hands back.
probe="$html/seasons/2010-11/axe-probe.html"
python3 - "$page" "$axe" "$probe" <<'PY'
import sys
page = open(sys.argv[1], encoding="utf-8").read()
axe = open(sys.argv[2], encoding="utf-8").read().replace("</script", "<\\/script")
run = """<script>%s</script><script>
axe.run(document, {resultTypes: ["violations"]}).then(function (r) {
  var p = document.createElement("pre"); p.id = "axe-result";
  p.textContent = JSON.stringify(r.violations.map(function (v) {
    return {id: v.id, impact: v.impact, nodes: v.nodes.map(function (n) { return n.html; })}; }));
  document.body.appendChild(p);
});</script>""" % axe
open(sys.argv[3], "w", encoding="utf-8").write(page.replace("</body>", run + "</body>"))
PY
timeout 120 "${browser[@]}" --window-size=1280,900 --user-data-dir="$work/profile-axe" --dump-dom "$(uri "$probe")" \
    >"$work/axe-dom.html" 2>"$work/chromium.log" || { cat "$work/chromium.log" >&2; exit 1; }
rm -f "$probe"
python3 - "$work/axe-dom.html" <<'PY'
import html, json, re, sys
dom = open(sys.argv[1], encoding="utf-8").read()
m = re.search(r'<pre id="axe-result">(.*?)</pre>', dom, re.S)
if not m:
    sys.exit("FAIL: axe-core gave no result")
violations = json.loads(html.unescape(m.group(1)))
for v in violations:
    print("FAIL: axe-core:", v["id"], v["impact"], v["nodes"][:3])
if violations:
    sys.exit(1)
print("axe-core: no violation")
PY

# Desktop browsers keep windows at least 500 pixels wide: the page is laid
# out in a frame of a phone's width, and a copy of it reports the width it
# takes to the frame's parent, which writes it into its title.
sed 's|</body>|<script>parent.postMessage("width=" + document.documentElement.scrollWidth, "*");</script></body>|' \
    "$page" >"$html/seasons/2010-11/width-probe.html"
phone() {
    cat >"$html/seasons/2010-11/$1" <<HTML
<!DOCTYPE html><html><head><title>waiting</title><style>body{margin:0}iframe{border:0;display:block}</style></head>
<body><iframe src="$2" width="360" height="$3"></iframe>
<script>addEventListener("message", function (e) { document.title = e.data; });</script></body></html>
HTML
}
phone phone-probe.html width-probe.html 800
phone phone.html period-day251.html 1600
timeout 120 "${browser[@]}" --window-size=500,800 --user-data-dir="$work/profile-dom" --dump-dom \
    "$(uri "$html/seasons/2010-11/phone-probe.html")" >"$work/dom.html" 2>"$work/chromium.log" ||
    { cat "$work/chromium.log" >&2; exit 1; }
width="$(sed -n 's|.*<title>width=\([0-9]*\)</title>.*|\1|p' "$work/dom.html")"
[ -n "$width" ] || { echo "FAIL: the browser gave no width" >&2; exit 1; }
[ "$width" -le 360 ] || { echo "FAIL: the period page is $width pixels wide on a 360-pixel screen" >&2; exit 1; }

timeout 120 "${browser[@]}" --window-size=500,1600 --user-data-dir="$work/profile-360" --screenshot="$work/360.png" \
    "$(uri "$html/seasons/2010-11/phone.html")" >/dev/null 2>"$work/chromium.log" || { cat "$work/chromium.log" >&2; exit 1; }
/usr/bin/convert "$work/360.png" -crop 360x1600+0+0 +repage "$out/period-360.png"
timeout 120 "${browser[@]}" --window-size=1280,1000 --user-data-dir="$work/profile-1280" --screenshot="$out/period-1280.png" \
    "$(uri "$page")" >/dev/null 2>"$work/chromium.log" || { cat "$work/chromium.log" >&2; exit 1; }
echo "period page: valid, no axe-core violation, $width pixels wide on a 360-pixel screen;" \
     "pictures in $out/period-360.png and $out/period-1280.png"
