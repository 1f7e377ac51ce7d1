#!/usr/bin/env bash
# Sending to real servers on 127.0.0.1 (started here, once): a generated
# league published with --run and sent to the website by sftp (through a
# relay first, which cuts the connection half-way), explicit-TLS ftps and a
# folder, and its posts to a stand-in for Discord's webhook. Shows that the
# remote equals the html folder byte for byte, that the next export sends
# only what changed (counted in the sftp server's log) and a new set of messages, that
# the same period run again edits, that a cut send leaves no half file under
# a final name and the next run completes it, that each refusal (wrong
# password, unpinned or changed host key, unknown authority, a profile
# others may read) has its own message and sends nothing, that the settings
# dialog's "Test" lists each remote folder (and makes none), and that no
# secret appears in any output.
#
#   scripts/check-send.sh [--build DIR]
set -euo pipefail
script="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$script")/.."
build=build
case "${1:-}" in
    --build) build="${2:?--build DIR}" ;;
    "") ;;
    *) sed -n '2,14p' "$script" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
esac
build="$(cd "$build" && pwd)"
program="$build/vellor-results" generator="$build/make-sample-league" checker="$build/check-site"
# The servers run as root (sshd, and the FTP server's user switch), and
# need to be installed (scripts/install-deps.sh).
if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/sshd ] || ! command -v pure-ftpd >/dev/null || [ ! -x "$generator" ] || [ ! -x "$checker" ]; then
    echo "check-send: skipped: needs root, sshd, pure-ftpd, $generator and $checker" >&2
    exit 77
fi

work="$(mktemp -d)"
cleanup() { bash scripts/send-servers/stop.sh "$work"; rm -rf "$work"; }
trap cleanup EXIT
bash scripts/send-servers/start.sh "$work"
. "$work/servers.env"

below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
league="$work/league/$below"
"$generator" --drive "$work/league" --preset demo --last-simulated-day 249 >/dev/null
export VELLOR_DRIVE_C="$work/league" VELLOR_CACHE_DIR="$work/cache" VELLOR_CONFIG_DIR="$work/config"
mkdir -p "$work/config"
password="$(cat "$work/ftp_password")"
token="$(cat "$work/discord_token")"
webhook="https://127.0.0.1:$DISCORD_PORT/api/webhooks/1/$token"
outputs="$work/outputs"
mkdir -p "$outputs"
step=0

fail() {
    echo "check-send: $1" >&2
    for f in "$outputs"/*; do echo "--- $f" >&2; cat "$f" >&2; done
    exit 1
}
# profile TEXT: publish.ini, readable by its owner alone.
profile() { printf '%s\n' "$1" >"$work/config/publish.ini"; chmod 600 "$work/config/publish.ini"; }
# run EXPECTED-STATUS ARGS...: the program, its outputs kept for the end.
run() {
    local expected="$1"; shift
    step=$((step + 1))
    local status=0
    "$program" "$@" >"$outputs/$step.out" 2>"$outputs/$step.err" </dev/null || status=$?
    [ "$status" = "$expected" ] || fail "step $step ($*): status $status, not $expected"
}
# tested EXPECTED-STATUS TEXT: the dialog's "Test" of the profile's site
# answers TEXT on standard output.
tested() {
    step=$((step + 1))
    local status=0
    "$checker" "$work/config" >"$outputs/$step.out" 2>"$outputs/$step.err" </dev/null || status=$?
    [ "$status" = "$1" ] || fail "step $step (Test): status $status, not $1"
    grep -qF -- "$2" "$outputs/$step.out" || fail "step $step (Test): no \"$2\""
}
said() { grep -qF -- "$1" "$outputs/$step.err" || fail "step $step: no \"$1\" on standard error"; }
same_tree() { diff -r "$league/html" "$1" >/dev/null || fail "step $step: $1 differs from the html folder"; }
messages() { python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))))' "$work/discord/messages.json"; }
sftp_site() {
    printf '[site]\naddress = sftp://127.0.0.1:%s%s\nuser = %s\nkey = %s\nhost-key = %s\nweb = %s\n' \
        "$1" "$2" "$SSH_USER" "$work/user_key" "$3" "https://league.example/l/"
}
discord_section="$(printf '[discord]\nwebhook = %s\nca = %s\n' "$webhook" "$work/ca.pem")"

# A cut connection half-way: status 3, the local publications whole, no half
# file under a final name; the next run completes the remote.
relay_port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')"
python3 scripts/send-servers/relay.py "$relay_port" "$SSH_PORT" 300000 &
echo $! >"$work/relay.run.pid"
for _ in $(seq 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1',$relay_port),0.2)" 2>/dev/null && break
    sleep 0.1
done
profile "$(sftp_site "$relay_port" "$work/remote-sftp" "$HOST_KEY")"
run 3 --run
said "Sending to sftp://127.0.0.1:$relay_port$work/remote-sftp failed"
said "the next run sends what is due"
[ -s "$league/html/scoreboard.html" ] || fail "no scoreboard after a cut send"
finals=0
while IFS= read -r -d '' f; do
    rel="${f#"$work/remote-sftp/"}"
    case "$(basename "$rel")" in .vr-sending.*) continue ;; esac
    cmp -s "$f" "$league/html/$rel" || fail "a half file under its final name: $rel"
    finals=$((finals + 1))
done < <(find "$work/remote-sftp" -type f -print0)
total="$(find "$league/html" -type f | wc -l)"
[ "$finals" -gt 0 ] && [ "$finals" -lt "$total" ] || fail "the cut came at $finals of $total files"

# The whole season by sftp; Discord's 429 and 500 ridden out.
profile "$(sftp_site "$SSH_PORT" "$work/remote-sftp" "$HOST_KEY")
$discord_section"
run 0 --send
same_tree "$work/remote-sftp"
[ -z "$(find "$work/remote-sftp" -name '.vr-sending.*')" ] || fail "temporaries left on the remote"
posts="$(ls "$league/posts"/discord-*.md | wc -l)"
[ "$(messages)" = "$posts" ] || fail "Discord holds $(messages) messages, not $posts"
# Both posts end with the period's archived scoreboard and the list of
# periods on the website, pages the remote holds.
board="$(grep -o 'Scoreboard: <https://league.example/l/[^>]*>' "$league/posts/discord-$posts.md" | sed 's|.*<https://league.example/l/||; s|>$||')"
case "$board" in seasons/*/scoreboard-day249.html) ;; *) fail "no link to the period's scoreboard in Discord's last message" ;; esac
[ -f "$work/remote-sftp/$board" ] || fail "the linked $board is not on the remote"
grep -qF "<https://league.example/l/$board>" "$work/discord/messages.json" || fail "Discord got no link to $board"
tail -n 2 "$league/posts/forum.txt" | tr -d '\r' | diff - <(printf 'Scoreboard: [url]https://league.example/l/%s[/url]\nAll periods: [url]https://league.example/l/periods.html[/url]\n' "$board") \
    >/dev/null || fail "the forum post does not end with the period's links"
grep -q "^POST $token {\"parse\": \\[\\]}\$" "$work/discord/requests.log" || fail "mentions were not turned off"
grep -v '{"parse": \[\]}$' "$work/discord/requests.log" | grep -qv '^DELETE' && fail "a message with mentions on"

# "Test" lists the folder sent to.
entries="$(ls -A "$work/remote-sftp" | wc -l)"
first="$(ls -A "$work/remote-sftp" | LC_ALL=C sort | head -n 3 | paste -sd, - | sed 's/,/, /g')"
tested 0 "Connected to 127.0.0.1:$SSH_PORT: the folder $work/remote-sftp holds $entries files and folders ($first, …)."

# The next export: only the changed files go up, and a new set of messages.
(cd "$league/html" && find . -type f -exec md5sum {} + | sort -k2) >"$work/before.md5"
"$generator" --drive "$work/league" --preset demo --last-simulated-day 250 --over >/dev/null
grep -c '^open .* flags WRITE' "$work/sftp.log" >"$work/opens-before" || true
# The day since the last publication, as the cron recipe runs it: a period
# over the one published would replace it in the archive, whose old files
# stay on the remote.
run 0 --run --since-last
(cd "$league/html" && find . -type f -exec md5sum {} + | sort -k2) >"$work/after.md5"
changed="$(diff "$work/before.md5" "$work/after.md5" | grep -c '^>' || true)"
opens=$(( $(grep -c '^open .* flags WRITE' "$work/sftp.log") - $(cat "$work/opens-before") ))
[ "$opens" = "$changed" ] || fail "$opens files sent for $changed changed"
said "sent to sftp://127.0.0.1:$SSH_PORT$work/remote-sftp: $changed files"
same_tree "$work/remote-sftp"
new_posts="$(ls "$league/posts"/discord-*.md | wc -l)"
[ "$(messages)" = "$((posts + new_posts))" ] || fail "the new period's messages were not posted"
said "posted to Discord (day 250): $new_posts new"

# The same period again, with a Message now (an unattended run's own):
# its messages edited, never posted twice.
run 0 --run --last-day 250 --days 1 --message "Games at 7 tonight @everyone"
[ "$(messages)" = "$((posts + new_posts))" ] || fail "the same period was posted twice"
said "posted to Discord (day 250): 0 new, 1 edited"
grep -qF "Games at 7 tonight @everyone" "$work/discord/messages.json" || fail "the message was not edited"

# The same league by explicit-TLS ftps and into a folder.
profile "$(printf '[site]\naddress = ftps://127.0.0.1:%s/\nuser = vr\npassword = %s\nca = %s\n' \
    "$FTP_PORT" "$password" "$work/ca.pem")"
run 0 --send
same_tree "$work/remote-ftps"
tested 0 "Connected to 127.0.0.1:$FTP_PORT: the folder / holds $entries files and folders ($first, …)."
profile "$(printf '[site]\naddress = file://%s\n' "$work/remote-folder")"
run 0 --send
same_tree "$work/remote-folder"
tested 0 "The folder $work/remote-folder holds $entries files and folders ($first, …)."

# Each refusal: its own message, nothing sent.
refused() {
    profile "$1"
    run 3 --send
    said "$2"
    [ -z "$(ls -A "$3" 2>/dev/null)" ] || fail "step $step: something was sent to $3"
}
mkdir -p "$work/remote-ftps/empty" && chown nobody:nogroup "$work/remote-ftps/empty"
# "Test" of an empty folder and of folders not there yet, which it does not make.
profile "$(printf '[site]\naddress = ftps://127.0.0.1:%s/empty\nuser = vr\npassword = %s\nca = %s\n' \
    "$FTP_PORT" "$password" "$work/ca.pem")"
tested 0 "Connected to 127.0.0.1:$FTP_PORT: the folder /empty is empty."
profile "$(printf '[site]\naddress = ftps://127.0.0.1:%s/later\nuser = vr\npassword = %s\nca = %s\n' \
    "$FTP_PORT" "$password" "$work/ca.pem")"
tested 0 "Connected to 127.0.0.1:$FTP_PORT: the folder /later does not exist yet; the first send makes it."
[ ! -e "$work/remote-ftps/later" ] || fail "Test made the ftps folder"
profile "$(sftp_site "$SSH_PORT" "$work/sftp-empty" "$HOST_KEY")"
tested 0 "Connected to 127.0.0.1:$SSH_PORT: the folder $work/sftp-empty does not exist yet; the first send makes it."
[ ! -e "$work/sftp-empty" ] || fail "Test made the sftp folder"
# An unpinned key is offered for pinning; a wrong password is refused.
profile "$(sftp_site "$SSH_PORT" "$work/sftp-empty" "")"
tested 1 "fingerprint: $HOST_KEY"
profile "$(printf '[site]\naddress = ftps://127.0.0.1:%s/empty\nuser = vr\npassword = wrong-%s\nca = %s\n' \
    "$FTP_PORT" "$password" "$work/ca.pem")"
tested 1 "the server refused the user name or password"
refused "$(printf '[site]\naddress = ftps://127.0.0.1:%s/empty\nuser = vr\npassword = wrong-%s\nca = %s\n' \
    "$FTP_PORT" "$password" "$work/ca.pem")" "the server refused the user name or password" "$work/remote-ftps/empty"
refused "$(printf '[site]\naddress = ftps://127.0.0.1:%s/empty\nuser = vr\npassword = %s\n' "$FTP_PORT" "$password")" \
    "the server's certificate could not be verified" "$work/remote-ftps/empty"
refused "$(sftp_site "$SSH_PORT" "$work/sftp-empty" "")" "host-key = $HOST_KEY" "$work/sftp-empty"
refused "$(sftp_site "$SSH_PORT" "$work/sftp-empty" "SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")" \
    "is not the one pinned in publish.ini" "$work/sftp-empty"
profile "$(sftp_site "$SSH_PORT" "$work/sftp-empty" "$HOST_KEY")
$discord_section"
chmod 644 "$work/config/publish.ini"
step=$((step + 1))
status=0
"$program" --send >"$outputs/$step.out" 2>"$outputs/$step.err" || status=$?
[ "$status" = 3 ] || fail "a profile others may read: status $status"
said "chmod 600"
[ ! -e "$work/sftp-empty" ] || fail "sent with a profile others may read"

# Without a profile: as before.
rm "$work/config/publish.ini"
run 0 --run
# Nothing but the run's own summary line on standard error.
[ "$(wc -l <"$outputs/$step.err")" = 1 ] && grep -Eq '^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9:]{8} published ' "$outputs/$step.err" \
    || fail "output without a profile: $(cat "$outputs/$step.err")"

# No secret in any output.
if grep -rlF -e "$password" -e "$token" "$outputs"; then fail "a secret in an output"; fi
echo "send: sftp, ftps and folder equal the html folder; $changed of $total files for the next day; Discord $((posts + new_posts)) messages; cut, refusals, Test and no-profile as they should be"
