#!/usr/bin/env bash
# Writes fresh seed inputs for every fuzz target into OUT/<target>/: pages of
# small generated leagues (plain, with every edge case, with odd names), the
# whole leagues packed for the whole-run target, and the unit tests' pages.
# Merge them into the corpora with campaign.sh's merge step.
#   fuzz/make-seeds.sh BUILD_DIR OUT
set -euo pipefail
build=$(realpath "$1")
out=$2
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

league_below="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
small=(--teams 4 --games-per-day 2 --first-day 240 --last-day 246 --last-simulated-day 244 --bracket 0)

# pack NAME LEAGUE: the league's files in the whole-run target's format.
# Play-by-play files keep their first lines and the last three, which hold
# the player of the game: the run reads nothing else of them.
pack() {
  local league=$2
  mkdir -p "$out/whole_run"
  (cd "$league" && find . -type f | LC_ALL=C sort | while read -r f; do
     printf '>>> %s\n' "$(printf '%s' "${f#./}" | tr / '\\')"
     case $f in
       ./pbp/*) head -n 8 "$f"; tail -n 3 "$f" ;;
       *) cat "$f" ;;
     esac
   done) > "$out/whole_run/gen-$1"
}

# league NAME OPTIONS...: one generated league's pages as seeds.
league() {
  local name=$1; shift
  local drive="$work/$name"
  "$build/make-sample-league" --drive "$drive" "$@" >/dev/null
  local l="$drive/$league_below"
  mkdir -p "$out"/{standings_page,roster_page,schedule_page,play_by_play,box_score_page,whole_run}
  cp "$l/html/standings.htm" "$out/standings_page/gen-$name"
  cp "$l/html/rosters/roster1.htm" "$out/roster_page/gen-$name"
  cp "$l/html/leagueschedule.htm" "$out/schedule_page/gen-$name"
  local pbp box
  pbp=$(ls "$l/pbp" | LC_ALL=C sort | head -1)
  box=$(ls "$l/html/boxes" | LC_ALL=C sort | head -1)
  cp "$l/pbp/$pbp" "$out/play_by_play/gen-$name"
  cp "$l/html/boxes/$box" "$out/box_score_page/gen-$name"
}

league small "${small[@]}"
league edges "${small[@]}" --last-day 250 --last-simulated-day 248 --all-edge-cases
league odd "${small[@]}" --odd-names --spaced-ranks --empty-box-values --seed 7

# Whole leagues: two teams, one game a day, so that a run stays quick.
tiny=(--teams 2 --games-per-day 1 --first-day 240 --bracket 0)
whole() {
  local name=$1; shift
  "$build/make-sample-league" --drive "$work/whole-$name" "$@" >/dev/null
  pack "$name" "$work/whole-$name/$league_below"
}
whole tiny "${tiny[@]}" --last-day 243 --last-simulated-day 242
whole tiny-odd "${tiny[@]}" --last-day 243 --last-simulated-day 242 --odd-names --spaced-ranks --empty-box-values
whole tiny-edges "${tiny[@]}" --last-day 248 --last-simulated-day 246 --all-edge-cases
"$build/fuzz/fuzz-seed-pages" "$out"
