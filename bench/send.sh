#!/usr/bin/env bash
# The sending's benchmark rows: the full season's html folder sent to an
# sftp server on 127.0.0.1 (scripts/send-servers/start.sh), the first send
# whole and then the send after one more sim day, which must carry only the
# files that day changed. Medians of N rounds, wall time of --send alone
# (the publishing is done before, with --no-send).
#
#   bash bench/send.sh PROGRAM GENERATOR WORK [--rounds N]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 3 ] || { sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
program="$(realpath "$1")" generator="$(realpath "$2")" work="$3"
rounds=3
[ "${4:-}" = --rounds ] && rounds="$5"
mkdir -p "$work"
work="$(cd "$work" && pwd)"
servers="$work/servers"
rm -rf "$servers" && mkdir -p "$servers"
trap 'bash "$here/scripts/send-servers/stop.sh" "$servers"' EXIT
bash "$here/scripts/send-servers/start.sh" "$servers"
. "$servers/servers.env"
below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
export VELLOR_DRIVE_C="$work/league" VELLOR_CONFIG_DIR="$work/config"
mkdir -p "$work/config"
printf '[site]\naddress = sftp://127.0.0.1:%s%s/remote\nuser = %s\nkey = %s\nhost-key = %s\n' \
    "$SSH_PORT" "$work" "$SSH_USER" "$servers/user_key" "$HOST_KEY" >"$work/config/publish.ini"
chmod 600 "$work/config/publish.ini"

seconds() { local s e; s=$(date +%s.%N); "$@"; e=$(date +%s.%N); awk -v s="$s" -v e="$e" 'BEGIN { printf "%.3f\n", e - s }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "sent to ...: F files, M MB (...)" -> "F M"
sent() { sed -n 's/^sent to .*: \([0-9]*\) files\{0,1\}, \([0-9.]*\) MB.*/\1 \2/p' "$1"; }

: >"$work/first" && : >"$work/update"
for round in $(seq "$rounds"); do
    rm -rf "$work/remote" "$work/cache" "$work/league"
    export VELLOR_CACHE_DIR="$work/cache"
    "$generator" --drive "$work/league" --preset full --last-simulated-day 369 >/dev/null
    "$program" --run --no-send >/dev/null
    t=$(seconds "$program" --send 2>"$work/first.err" </dev/null)
    echo "$t $(sent "$work/first.err")" >>"$work/first"
    diff -r "$work/league/$below/html" "$work/remote" >/dev/null || { echo "the remote differs" >&2; exit 1; }
    (cd "$work/league/$below/html" && find . -type f -exec md5sum {} + | sort -k2) >"$work/before.md5"
    "$generator" --drive "$work/league" --preset full --over >/dev/null
    "$program" --run --no-send >/dev/null
    (cd "$work/league/$below/html" && find . -type f -exec md5sum {} + | sort -k2) >"$work/after.md5"
    changed="$(diff "$work/before.md5" "$work/after.md5" | grep -c '^>' || true)"
    t=$(seconds "$program" --send 2>"$work/update.err" </dev/null)
    read -r files mb < <(sent "$work/update.err")
    [ "$files" = "$changed" ] || { echo "$files files sent for $changed changed" >&2; exit 1; }
    bytes="$({ diff "$work/before.md5" "$work/after.md5" || true; } | sed -n 's/^> [0-9a-f]*  \.\///p' |
        (cd "$work/league/$below/html" && xargs -d '\n' stat -c %s) | awk '{ s += $1 } END { print s + 0 }')"
    echo "$t $files $bytes" >>"$work/update"
done
col() { awk -v c="$1" '{ print $c }' "$2"; }
echo "Sending the html folder to sftp on 127.0.0.1, medians of $rounds rounds (wall time of --send):"
printf '  S1 first full send:           %6s files %8s MB  %7s s\n' "$(col 2 "$work/first" | median)" \
    "$(col 3 "$work/first" | median)" "$(col 1 "$work/first" | median)"
printf '  S2 after one more sim day:    %6s files %8s bytes %6s s  (exactly the files that day changed)\n' \
    "$(col 2 "$work/update" | median)" "$(col 3 "$work/update" | median)" "$(col 1 "$work/update" | median)"
