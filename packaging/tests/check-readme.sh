#!/usr/bin/env bash
# The README's promises to a commissioner, checked against the program: the
# quick start comes first, the developers' pages are under docs/, every
# option the README names is one the program takes, every error kind it
# reports is explained, and the cron recipe's log reads as promised: one
# timestamped summary line per run, a stopped run's entry starting with its
# stop and holding no score list.
#
#   check-readme.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1" source="$2"
readme="$source/README.md"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# ---------------------------------------------------------------- layout
line() { grep -n -m1 -xF "$1" "$readme" | cut -d: -f1; }
quick="$(line '## Quick start')"
[ -n "$quick" ] && [ "$quick" -le 40 ] || fail "the quick start does not begin within the first 40 lines"
for step in setup.exe .deb GO!; do
    head -40 "$readme" | grep -qF "$step" || fail "the first 40 lines do not mention $step"
done
for heading in '## Using it' '## What it writes' '## What each error means' '## For developers'; do
    [ -n "$(line "$heading")" ] || fail "no section \"$heading\""
done
for heading in '## Development' '## Performance' '## Reliability'; do
    [ -z "$(line "$heading")" ] || fail "\"$heading\" belongs under docs/, not in the README"
done
developers="$(sed -n '/^## For developers/,/^## /p' "$readme")"
for command in 'bash scripts/demo.sh' 'bash scripts/test.sh'; do
    grep -qF "$command" <<<"$developers" || fail "\"For developers\" lacks $command"
done
for page in $(grep -oE '\(docs/[a-z-]+\.md\)' "$readme" | tr -d '()'); do
    [ -f "$source/$page" ] || fail "the README links $page, which is missing"
done
for page in building development benchmark reliability fuzzing; do
    grep -qF "(docs/$page.md)" "$readme" || fail "the README does not link docs/$page.md"
done

# ---------------------------------------------------------------- options and errors
help="$("$build/vellor-results" --help)"
for option in $(grep -oE -- '--[a-z][a-z-]+' "$readme" | sort -u); do
    case "$option" in --user|--now|--config|--prefix|--test|--no-install) continue ;; esac  # other tools' options
    grep -qF -- "$option" <<<"$help" || fail "the README names $option, which --help does not"
done
errors="$(sed -n '/^## What each error means/,/^## /p' "$readme")"
while IFS= read -r kind; do
    grep -qF "| $kind |" <<<"$errors" || fail "\"What each error means\" does not explain '$kind'"
done < <(sed -n 's/^ *case StopKind::[A-Za-z]*: return "\(.*\)";$/\1/p' "$source/src/text/errors.cpp")

# ---------------------------------------------------------------- the cron recipe's log
drive="$(mktemp -d)"
trap 'rm -rf "$drive"' EXIT
"$build/make-sample-league" --drive "$drive" --preset demo >/dev/null
log="$drive/vellor-results.log"
cron() {  # as cron starts it: an empty environment, both streams to the log
    env -i HOME="$drive/home" VELLOR_DRIVE_C="$drive" "$build/vellor-results" --run "$@" >>"$log" 2>&1 || true
}
stamp='^[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} '
cron --since-last
[ "$(grep -cE "${stamp}published days [0-9]+-[0-9]+: [0-9]+ games$" "$log")" = 1 ] \
    || fail "the first run's entry has no summary line: $(cat "$log")"
grep -qE "${stamp}published" <(tail -1 "$log") || fail "the first run's entry does not end with its summary"
before="$(wc -l <"$log")"
cron --last-day 25l
entry="$(tail -n +"$((before + 1))" "$log")"
grep -qE "${stamp}Type mismatch: Last Day that was Simulated must be a whole number; you typed '25l'" \
    <(head -1 <<<"$entry") || fail "the stopped run's entry does not start with its stop: $entry"
grep -qE "${stamp}Nothing was published" <(tail -1 <<<"$entry") || fail "the stopped run's entry does not end with what it left"
[ "$(wc -l <<<"$entry")" = 2 ] || fail "the stopped run's entry holds more than its stop: $entry"
cron --since-last
grep -qE "${stamp}Nothing was published: day [0-9]+, the last simulated, was published already\.$" <(tail -1 "$log") \
    || fail "a run with nothing new does not say so: $(tail -1 "$log")"

# ---------------------------------------------------------------- a page's message
# A score without its "-": the stop names the page and line, then the score.
page="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen/html/leagueschedule.htm"
sed -i '0,/>\([0-9]\+\)-\([0-9]\+\)<\/a><\/font><\/td>/s//>\1 \2<\/a><\/font><\/td>/' "$page"
before="$(wc -l <"$log")"
cron
entry="$(tail -n +"$((before + 1))" "$log")"
grep -qE "${stamp}Invalid argument: html/leagueschedule.htm, line [0-9]+: the score '[0-9]+ [0-9]+' has no '-' between the two teams' scores\$" \
    <(head -1 <<<"$entry") || fail "a damaged score is not named as the README says: $entry"

[ "$failures" = 0 ] || exit 1
echo "PASS: the README's promises hold"
