#!/usr/bin/env bash
# The headless run of the real program against what a hostile or unlucky
# machine gives it, on a small generated league (POSIX only):
#  - strace: each twin is fsync'ed before its rename, each folder after its
#    renames;
#  - a FIFO where leaguesettings.txt, Test.txt.new or the cache's index
#    belongs: the run ends within seconds with a message;
#  - a 100 MB single-line play-by-play file, and a 2 GB single-line schedule
#    page under `ulimit -v 1500000`: a named stop within seconds, no abort;
#  - `--run | head -1`: the publications whole, the status 1;
#  - SIGTERM at many moments of a run: the publications are one run's whole
#    set, status 1 with a line saying so, and the next run leaves no twin;
#  - a league whose names hold forum tags, a script, @everyone and a web
#    address: no tag from a name in two BBCode parsers, no link from a name
#    in two Discord-markdown parsers, no script run by the scoreboard in
#    chromium.
#
#   scripts/check-hostile-run.sh [--build DIR]
#
# Tools missing (strace, node and npm, chromium): the check is skipped (77),
# except under CI=true, where the test command installed them. The npm
# parsers are installed into DIR/npm-checks the first time.
set -euo pipefail
# Each stop and summary line of --run starts with the local time.
stamp='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} '
cd "$(dirname "$0")/.."
build="build"
[ "${1:-}" = --build ] && { build="$2"; shift 2; }
[ $# -eq 0 ] || { sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
for tool in strace node npm chromium python3; do
    if ! command -v "$tool" >/dev/null; then
        [ "${CI:-}" = true ] && { echo "FAIL: $tool is not installed" >&2; exit 1; }
        echo "skipped: $tool is not installed" >&2; exit 77
    fi
done
build="$(cd "$build" && pwd)"
program="$build/vellor-results"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
fail() { echo "FAIL: $*" >&2; exit 1; }
gen() { "$build/make-sample-league" --drive "$1" --teams 6 --games-per-day 3 --first-day 240 --last-day 250 \
        --last-simulated-day 248 --bracket 0 >/dev/null; }
run() { VELLOR_DRIVE_C="$1" VELLOR_CACHE_DIR="$work/cache" timeout 60 "$program" --run "${@:2}"; }
outputs=(leaguesettings.txt settings2.txt teams.txt teaminfo.txt schedfile.txt Upsets.txt TopResults.txt
         Test.txt '~daily.txt' html/scoreboard.html html/periods.html posts/forum.txt)
sums() { (cd "$1/$below" && md5sum "${outputs[@]}" 2>/dev/null || true); }
twins() { find "$1/$below" -name '*.new' | sort; }

# 1. fsync before each rename, and of each folder after.
gen "$work/a"
strace -f -y -qq -e trace=fsync,rename,renameat,renameat2 -o "$work/strace.txt" \
    env VELLOR_DRIVE_C="$work/a" "$program" --run --no-index >/dev/null
python3 - "$work/strace.txt" <<'EOF'
import os, re, sys
events = [l.split(None, 1)[1] for l in open(sys.argv[1]) if ' ' in l]
synced, renames = {}, 0
for i, e in enumerate(events):
    m = re.match(r'fsync\(\d+<(.*)>\)\s+= 0', e)
    if m:
        synced[m.group(1)] = i
        continue
    m = re.match(r'rename(?:at2?)?\(.*?"([^"]*)".*?"([^"]*)"', e)
    if not m or not m.group(1).endswith('.new'):
        continue
    renames += 1
    twin, target = m.group(1), m.group(2)
    assert synced.get(twin, len(events)) < i, 'no fsync of %s before its rename' % twin
    folder = os.path.dirname(target)
    later = [j for j, f in enumerate(events) if j > i and re.match(r'fsync\(\d+<%s>\)' % re.escape(folder), f)]
    assert later, 'no fsync of %s after the rename of %s' % (folder, twin)
assert renames >= 12, 'only %d renames of twins' % renames
print('fsync: %d twins synced before their renames, their folders after' % renames)
EOF

# 2. FIFOs where the program writes.
gen "$work/f"
league="$work/f/$below"
rm -f "$league/leaguesettings.txt" && mkfifo "$league/leaguesettings.txt"
msg="$(run "$work/f" 2>&1 >/dev/null)" && fail "a FIFO for leaguesettings.txt did not stop the run"
grep -Eq "${stamp}Permission denied: leaguesettings.txt" <<<"$msg" || fail "FIFO leaguesettings.txt: $msg"
rm "$league/leaguesettings.txt" && mkfifo "$league/Test.txt.new"
msg="$(run "$work/f" 2>&1 >/dev/null)" && fail "a FIFO for Test.txt.new did not stop the run"
grep -Eq "${stamp}Permission denied: Test.txt" <<<"$msg" || fail "FIFO Test.txt.new: $msg"
rm -f "$league/Test.txt.new"
run "$work/f" >/dev/null
for index in "$work"/cache/*/*.index "$work"/cache/*.index; do [ -e "$index" ] && break; done
[ -e "$index" ] || fail "no index in $work/cache"
rm "$index" && mkfifo "$index" "$index.new"
run "$work/f" >/dev/null || fail "a FIFO for the index stopped the run"
echo "FIFOs: each refused or passed over at once"

# 3. A 100 MB single-line play-by-play file; a 2 GB single-line page in 1.5 GB.
pbp="$(ls "$league/pbp" | head -1)"
head -c 100000000 /dev/zero | tr '\0' x >"$league/pbp/$pbp"
start=$SECONDS
msg="$(run "$work/f" --no-index 2>&1 >/dev/null)" && fail "a 100 MB line was read as a page"
grep -Eq "${stamp}Invalid argument: pbp/$pbp, line 1" <<<"$msg" || fail "100 MB line: $msg"
[ $((SECONDS - start)) -le 10 ] || fail "the 100 MB line took $((SECONDS - start)) s"
gen "$work/g"
rm "$work/g/$below/html/leagueschedule.htm"
truncate -s 2G "$work/g/$below/html/leagueschedule.htm"
set +e
msg="$(ulimit -v 1500000; VELLOR_DRIVE_C="$work/g" timeout 60 "$program" --run --no-index 2>&1 >/dev/null)"
status=$?
set -e
[ $status -eq 1 ] || fail "a 2 GB line in 1.5 GB ended with status $status: $msg"
grep -Eq "${stamp}Invalid argument: html/leagueschedule.htm, line 1" <<<"$msg" || fail "2 GB line: $msg"
echo "long lines: named stops within seconds"

# 4. A reader that goes after one line.
gen "$work/p"
gen "$work/reference"
run "$work/reference" --no-index >/dev/null
# The reader gone before the first score line (as `| head -1` is, soon after
# the first): a pipe whose reading end is closed, then a full disk.
status="$(ERR="$work/pipe.err" VELLOR_DRIVE_C="$work/p" python3 -c '
import os, subprocess, sys
r, w = os.pipe()
os.close(r)
print(subprocess.run(sys.argv[1:], stdout=w, stderr=open(os.environ["ERR"], "w")).returncode)
' "$program" --run --no-index)" 
[ "$status" = 1 ] || fail "a closed pipe: status $status"
grep -q 'could not be written' "$work/pipe.err" || fail "a closed pipe: $(cat "$work/pipe.err")"
[ "$(sums "$work/p")" = "$(sums "$work/reference")" ] || fail "a closed pipe: other files published"
set +e
VELLOR_DRIVE_C="$work/p" "$program" --run --no-index >/dev/full 2>/dev/null
status=$?
set -e
[ $status -eq 1 ] || fail ">/dev/full: status $status"
echo "closed pipe: published whole, status 1"

# 5. SIGTERM at many moments: the files are the old run's or the new run's.
gen "$work/t"
run "$work/t" --no-index --days 2 >/dev/null
old="$(sums "$work/t")"
cp -a "$work/t" "$work/t3" && run "$work/t3" --no-index --days 3 >/dev/null
new="$(sums "$work/t3")"
[ "$old" != "$new" ] || fail "the two periods publish the same files"
for delay in 0 0.002 0.005 0.01 0.02 0.03 0.05 0.08 0.12 0.2; do
    rm -rf "$work/k" && cp -a "$work/t" "$work/k"
    VELLOR_DRIVE_C="$work/k" "$program" --run --no-index --days 3 >/dev/null 2>"$work/term.err" &
    pid=$!
    sleep "$delay"; kill -TERM $pid 2>/dev/null || true
    set +e; wait $pid; status=$?; set -e
    now="$(sums "$work/k")"
    if [ "$now" != "$old" ] && [ "$now" != "$new" ]; then fail "SIGTERM after ${delay}s left a mixed set"; fi
    # 143: killed before the program had started to take signals.
    if [ $status -eq 143 ]; then
        [ "$now" = "$old" ] || fail "SIGTERM after ${delay}s killed a run that had written"
    elif [ $status -ne 0 ]; then
        [ $status -eq 1 ] || fail "SIGTERM after ${delay}s: status $status"
        grep -Eq "${stamp}Ended by SIGTERM" "$work/term.err" || fail "SIGTERM after ${delay}s said: $(cat "$work/term.err")"
    fi
    run "$work/k" --no-index --days 3 >/dev/null
    [ -z "$(twins "$work/k")" ] || fail "twins left after SIGTERM at ${delay}s: $(twins "$work/k")"
done
echo "SIGTERM: one run's whole set each time, no twin left"

# 6. Hostile names.
gen "$work/h"
league="$work/h/$below"
bad='[/code][b]Evil[url=http://x]X[img]y @everyone http://evil.example]East'
python3 - "$league" "$bad" <<'EOF'
import glob, os, re, sys
league, bad = sys.argv[1], sys.argv[2]
# Every player of the game gets a name that is markup, and a team that is.
for path in glob.glob(os.path.join(league, 'pbp', '*.txt')):
    data = open(path, 'rb').read()
    data = re.sub(rb'Player of the Game: [^\r\n]*',
                  b'Player of the Game: <script>document.title="pwned"</script><b>Z</b> - ' + bad.encode(), data)
    open(path, 'wb').write(data)
# Every team on the schedule page, as the page writes text.
page = os.path.join(league, 'html', 'leagueschedule.htm')
data = open(page, 'rb').read()
for k, name in enumerate(sorted(set(re.findall(rb"roster\d+\.htm'>([^<]+)</a>", data)))):
    data = data.replace(b'>' + name + b'</a>', b'>' + bad.encode().replace(b'&', b'&amp;') + b' %d</a>' % k)
open(page, 'wb').write(data)
# The Message too.
open(os.path.join(league, 'settings2.txt'), 'wb').write(b'http://www.marrowdeen.example/\r\n' + bad.encode() + b'\r\n')
EOF
VELLOR_DRIVE_C="$work/h" "$program" --run --no-index >/dev/null
npmdir="$build/npm-checks"
if [ ! -d "$npmdir/node_modules/discord-markdown-parser" ]; then
    mkdir -p "$npmdir"
    (cd "$npmdir" && npm install --no-audit --no-fund --silent @bbob/parser@4.4.1 @bbob/html@4.4.1 \
        @bbob/preset-html5@4.4.1 bbcode@0.1.5 discord-markdown@2.5.1 discord-markdown-parser@1.3.1 >/dev/null)
fi
[ "$(grep -c Evil "$league/posts/forum.txt")" -ge 2 ] || fail "the hostile names did not reach the forum post"
[ "$(cat "$league"/posts/discord-*.md | grep -c Evil)" -ge 2 ] || fail "the hostile names did not reach the Discord post"
NODE_PATH="$npmdir/node_modules" node tools/checks/posts_markup.js "$league/posts"
page="$league/html/scoreboard.html"
timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --user-data-dir="$work/profile" --dump-dom "file://$page" >"$work/dom.html" 2>"$work/chromium.log" \
    || { cat "$work/chromium.log" >&2; fail "chromium"; }
grep -q '<title>Scoreboard</title>' "$work/dom.html" || fail "the scoreboard's title changed: a script ran"
grep -q 'pwned' "$work/dom.html" && ! grep -q '&lt;script&gt;document.title="pwned"' "$work/dom.html" \
    && fail "the player of the game's script is markup in the page"
grep -qF '&lt;b>Z&lt;/b>' "$page" || fail "the player of the game is not written with '<' as &lt; alone"
echo "hostile names: text in the forum and Discord parsers and in chromium"
echo "check-hostile-run: all passed"
