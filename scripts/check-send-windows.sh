#!/usr/bin/env bash
# The Windows console program sends under Wine to the same real servers on
# 127.0.0.1 as the Linux one's check: a generated league published with
# --send and --run, its html folder mirrored by sftp and by explicit-TLS ftps, its
# period posted to the Discord stand-in. The remotes must equal the html
# folder byte for byte, the next run must send nothing again, and no secret
# may appear in any output. Skipped (77) without root, the servers or the
# Linux build's generator.
#   bash scripts/check-send-windows.sh --linux-build DIR --windows-build DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$root/build
windows=$root/build-windows
while [ $# -gt 0 ]; do
  case "$1" in
    --linux-build) linux=$2; shift 2 ;;
    --windows-build) windows=$2; shift 2 ;;
    *) echo "usage: check-send-windows.sh [--linux-build DIR] [--windows-build DIR]" >&2; exit 2 ;;
  esac
done
generator="$linux/make-sample-league" program="$windows/vellor-results-cli.exe"
if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/sshd ] || ! command -v pure-ftpd >/dev/null ||
   [ ! -x "$generator" ] || [ ! -f "$program" ]; then
  echo "check-send-windows: skipped: needs root, sshd, pure-ftpd, $generator and $program"
  exit 77
fi
cd "$root"
work="$(mktemp -d /tmp/vr-send-windows-XXXXXX)"
cleanup() { bash scripts/send-servers/stop.sh "$work"; [ -n "${VR_KEEP:-}" ] || rm -rf "$work"; }
trap cleanup EXIT
VR_SSH_ECDSA=1 bash scripts/send-servers/start.sh "$work"
. "$work/servers.env"

below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
league="$work/league/$below"
"$generator" --drive "$work/league" --preset demo --last-simulated-day 249 >/dev/null
# The program sees the Unix root as drive Z:.
export VELLOR_DRIVE_C="Z:$work/league" VELLOR_CACHE_DIR="Z:$work/cache" VELLOR_CONFIG_DIR="Z:$work/config"
mkdir -p "$work/config" "$work/outputs"
password="$(cat "$work/ftp_password")" token="$(cat "$work/discord_token")"
step=0
fail() {
  echo "check-send-windows: $1" >&2
  for f in "$work/outputs"/*; do echo "--- $f" >&2; cat "$f" >&2; done
  exit 1
}
profile() { printf '%s\n' "$1" >"$work/config/publish.ini"; }
run() {
  local expected="$1"; shift
  step=$((step + 1))
  local status=0
  "$root/cmake/wine-run.sh" "$program" "$@" >"$work/outputs/$step.out" 2>"$work/outputs/$step.err" </dev/null ||
    status=$?
  [ "$status" = "$expected" ] || fail "step $step ($*): status $status, not $expected"
}
said() { grep -qF -- "$1" "$work/outputs/$step.err" || fail "step $step: no \"$1\" on standard error"; }
same_tree() { diff -r "$league/html" "$1" >/dev/null || fail "step $step: $1 differs from the html folder"; }
messages() { python3 -c 'import json,sys; print(len(json.load(open(sys.argv[1]))))' "$work/discord/messages.json"; }

# sftp by key, the server's ECDSA host key pinned: the remote equals the
# html folder. (libssh2 1.10 on Windows knows no Ed25519 keys.)
profile "$(printf '[site]\naddress = sftp://127.0.0.1:%s%s\nuser = %s\nkey = Z:%s\nhost-key = %s\n' \
  "$SSH_PORT" "$work/remote-sftp" "$SSH_USER" "$work/user_key" "$HOST_KEY")"
run 0 --send
same_tree "$work/remote-sftp"
# A host key other than the pinned one sends nothing and names the one seen.
profile "$(printf '[site]\naddress = sftp://127.0.0.1:%s%s-other\nuser = %s\nkey = Z:%s\nhost-key = SHA256:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n' \
  "$SSH_PORT" "$work/remote-sftp" "$SSH_USER" "$work/user_key")"
run 3 --send
said "$HOST_KEY"
[ ! -e "$work/remote-sftp-other" ] || fail "sent to a server whose key was not the pinned one"

discord="$(printf '[discord]\nwebhook = https://localhost:%s/api/webhooks/1/%s\nca = Z:%s\n' \
  "$DISCORD_PORT" "$token" "$work/ca.pem")"

# Explicit-TLS ftps by password and the Discord stand-in over HTTPS, both
# certificates verified against the tests' own authority (ca =); the
# certificate names localhost, as Schannel in this libcurl matches DNS
# names only.
profile "$(printf '[site]\naddress = ftps://localhost:%s/\nuser = vr\npassword = %s\nca = Z:%s\n' \
  "$FTP_PORT" "$password" "$work/ca.pem")
$discord"
run 0 --run
same_tree "$work/remote-ftps"
posts="$(ls "$league/posts"/discord-*.md | wc -l)"
[ -z "$(find "$work/remote-ftps" -name '.vr-sending.*')" ] || fail "temporaries left on the remote"
[ "$(messages)" = "$posts" ] || fail "Discord holds $(messages) messages, not $posts"
run 0 --send
said "nothing changed"
[ "$(messages)" = "$posts" ] || fail "the same period was posted twice"

# A folder of this machine, named by its Windows path.
profile "$(printf '[site]\naddress = file:///Z:%s\n' "$work/remote-folder")"
run 0 --send
same_tree "$work/remote-folder"

if grep -rlF -e "$password" -e "$token" "$work/outputs"; then fail "a secret in an output"; fi
echo "send under Wine: ftps and a folder equal the html folder, Discord $posts messages, nothing sent twice"
