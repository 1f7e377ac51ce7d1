#!/usr/bin/env bash
# The run's benchmark: builds in Release, writes the full-season sample league
# once, checks that the run's outputs are byte for byte those of the reference
# build, then measures warm, in alternating rounds, the headless run, the
# floor (the bare reading of the files the run reads) and the start-up, and
# prints medians, peak memory, the scaling over 1x, 2x and 4x the games, and
# the ratio (run - start-up) / floor last.
#
#   bash bench/run.sh [--rounds N] [--no-scaling] [--no-reference] [--micro]
#
# The build and the leagues go to build-bench/ (VR_BENCH_BUILD overrides).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

rounds=9
scaling=1
reference=1
micro=0
while [ $# -gt 0 ]; do
  case "$1" in
    --rounds) rounds=$2; shift 2 ;;
    --no-scaling) scaling=0; shift ;;
    --no-reference) reference=0; shift ;;
    --micro) micro=1; shift ;;
    *) echo "usage: bash bench/run.sh [--rounds N] [--no-scaling] [--no-reference] [--micro]" >&2; exit 2 ;;
  esac
done

# The last commit before the run was tuned: its outputs are the reference.
reference_commit=0ee794a

build=${VR_BENCH_BUILD:-$root/build-bench}
leagues=$build/leagues
league_path="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"

say() { printf '%s\n' "$*" >&2; }

bash scripts/install-deps.sh
say "== building (Release) in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVR_BUILD_TESTS=OFF -DVR_BUILD_BENCH=ON >/dev/null
ninja -C "$build" vellor-results make-sample-league bench-floor bench-timed micro-benchmarks >/dev/null
program=$build/vellor-results
timed=$build/bench-timed
floor=$build/bench-floor

# ---- leagues -------------------------------------------------------------

# The full preset with G games on each regular-season day (44 by default).
generate() { # name games-per-day
  local drive=$leagues/$1
  rm -rf "$drive"
  mkdir -p "$drive"
  say "== writing the $1 league ($2 games a day)"
  "$build/make-sample-league" --drive "$drive" --preset full --games-per-day "$2" >/dev/null
}

# The files a run must read, league-relative: the standings, every roster
# page, the schedule, the play-by-play file of every played game and the
# box score pages of the default period (the last simulated day and the two
# before it, games 1 up to each day's count).
file_list() { # name
  local drive=$leagues/$1
  awk -F'\t' '
    $1 == "league" { for (i = 2; i <= NF; i++) { split($i, kv, "="); if (kv[1] == "teams") teams = kv[2] } }
    $1 == "game" && $13 == "played" { pbp[++n] = "pbp/" $2 "-" $3 ".txt" }
    $1 == "day" && $3 > 0 { count[$2] = $3; if ($2 + 0 > last && $2 + 0 <= 400) last = $2 + 0 }
    END {
      print "html/standings.htm"
      for (t = 1; t <= teams; t++) print "html/rosters/roster" t ".htm"
      print "html/leagueschedule.htm"
      for (i = 1; i <= n; i++) print pbp[i]
      for (d = last - 2; d <= last; d++) for (g = 1; g <= count[d]; g++) print "html/boxes/box" d "-" g ".htm"
    }' "$drive/manifest.txt" > "$drive/read-list.txt"
}

run_program() { # program name [stdout file]
  VELLOR_DRIVE_C=$leagues/$2 "$1" --run > "${3:-/dev/null}"
}

# Every file of the league folder but the game's own pages and files, with
# the score list printed.
save_outputs() { # name target
  local folder=$leagues/$1/$league_path
  rm -rf "$2"
  mkdir -p "$2"
  (cd "$folder" && find . \( -path ./pbp -o -path ./html/boxes -o -path ./html/rosters \) -prune \
      -o -type f -print | while IFS= read -r f; do
        mkdir -p "$2/$(dirname "$f")"
        cp "$f" "$2/$f"
      done)
}

check_outputs() { # name
  local out=$build/outputs/$1
  mkdir -p "$build/outputs"
  if [ ! -x "$build/reference/vellor-results" ]; then
    say "== building the reference program ($reference_commit)"
    rm -rf "$build/reference" && mkdir -p "$build/reference/src"
    git archive "$reference_commit" | tar -x -C "$build/reference/src"
    cmake -S "$build/reference/src" -B "$build/reference" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DVR_BUILD_TESTS=OFF >/dev/null
    ninja -C "$build/reference" vellor-results >/dev/null
  fi
  run_program "$build/reference/vellor-results" "$1" "$out.reference.scores"
  save_outputs "$1" "$out.reference"
  run_program "$program" "$1" "$out.scores"
  save_outputs "$1" "$out"
  if cmp -s "$out.reference.scores" "$out.scores" && diff -r -q "$out.reference" "$out" >/dev/null; then
    say "== outputs on the $1 league: identical to the reference, $(find "$out" -type f | wc -l) files and the score list"
  else
    say "!! outputs on the $1 league differ from the reference:"
    cmp "$out.reference.scores" "$out.scores" >&2 || true
    diff -r -q "$out.reference" "$out" >&2 || true
    exit 1
  fi
}

# ---- measuring -----------------------------------------------------------

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# "lo..hi" of a column, scaled (1000 for ms) and with the decimals given.
spread() { sort -g | awk -v k="$1" -v d="$2" 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.*f..%.*f", d, lo * k, d, hi * k }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }

# Alternating rounds over one league: the run, the floor, the start-up, in an
# order that turns each round. Leaves per-round figures in $work/<name>.*.
measure() { # name rounds
  local name=$1 n=$2 drive=$leagues/$1 r
  local list=$drive/read-list.txt folder=$drive/$league_path
  work=$build/measure
  mkdir -p "$work"
  : > "$work/$name.run"; : > "$work/$name.floor"; : > "$work/$name.version"
  # Warm: every file in the page cache, every binary loaded once.
  run_program "$program" "$name"
  "$floor" "$folder" "$list" >/dev/null
  "$timed" "$program" --version >/dev/null
  for ((r = 0; r < n; r++)); do
    for step in 0 1 2; do
      case $(((r + step) % 3)) in
        0) VELLOR_DRIVE_C=$drive "$timed" "$program" --run >> "$work/$name.run" ;;
        1) "$floor" "$folder" "$list" >> "$work/$name.floor" ;;
        2) "$timed" "$program" --version >> "$work/$name.version" ;;
      esac
    done
  done
  # Pair by pair: (run - start-up) / floor of the same round.
  paste -d' ' "$work/$name.run" "$work/$name.version" "$work/$name.floor" |
    awk '{ printf "%.6f %.6f\n", $1 - $3, ($1 - $3) / $5 }' > "$work/$name.pairs"
}

col() { awk -v c="$1" '{ print $c }' "$2"; }

# ---- the benchmark -------------------------------------------------------

generate full 44
file_list full
if [ "$reference" = 1 ]; then check_outputs full; fi

say "== measuring the full season: $rounds alternating rounds"
measure full "$rounds"
w=$build/measure
read -r files bytes < <(awk 'END { print $3, $2 }' "$w/full.floor")
games=$(awk -F'\t' '$1 == "game" && $13 ~ /^played/' "$leagues/full/manifest.txt" | wc -l)
run_med=$(col 1 "$w/full.run" | median); run_rss=$(col 2 "$w/full.run" | median)
floor_med=$(col 1 "$w/full.floor" | median)
ver_med=$(col 1 "$w/full.version" | median); ver_rss=$(col 2 "$w/full.version" | median)
net_med=$(col 1 "$w/full.pairs" | median)
ratio_med=$(col 2 "$w/full.pairs" | median)

if [ "$scaling" = 1 ]; then
  generate x2 88
  file_list x2
  generate x4 176
  file_list x4
  scale_rounds=$(( rounds < 5 ? rounds : 5 ))
  say "== measuring 2x and 4x the games: $scale_rounds rounds each"
  measure x2 "$scale_rounds"
  measure x4 "$scale_rounds"
fi

if [ "$micro" = 1 ]; then
  "$build/micro-benchmarks" --benchmark_min_time=0.2
fi

echo
echo "Full season: $games played games; the floor reads $files files, $((bytes / 1024 / 1024)) MiB."
echo "Medians of $rounds alternating warm rounds (spread min..max in ms):"
printf '  %-34s %9s ms   %s\n' "1  vellor-results --run" "$(ms "$run_med")" "$(col 1 "$w/full.run" | spread 1000 1)"
printf '  %-34s %9s ms   %s\n' "2  floor (read() of those files)" "$(ms "$floor_med")" "$(col 1 "$w/full.floor" | spread 1000 1)"
printf '  %-34s %9s ms   %s\n' "3  vellor-results --version" "$(ms "$ver_med")" "$(col 1 "$w/full.version" | spread 1000 1)"
printf '  %-34s %9s ms\n' "1 - 3 (pair by pair)" "$(ms "$net_med")"
awk -v a="$run_rss" -v b="$ver_rss" 'BEGIN {
  printf "  %-34s %9.1f MiB beside %.1f MiB for --version: %.1f MiB above (target <= 16)\n", "peak resident memory of 1", a / 1024, b / 1024, (a - b) / 1024 }'

if [ "$scaling" = 1 ]; then
  echo
  echo "Scaling (run less start-up, pair by pair, medians):"
  printf '  %-6s %7s %9s %8s %9s %7s\n' league games "run-3 ms" "x 1x" "floor ms" "ratio"
  base=$net_med
  for name in full x2 x4; do
    g=$(awk -F'\t' '$1 == "game" && $13 ~ /^played/' "$leagues/$name/manifest.txt" | wc -l)
    n=$(col 1 "$w/$name.pairs" | median)
    f=$(col 1 "$w/$name.floor" | median)
    q=$(col 2 "$w/$name.pairs" | median)
    awk -v name="$name" -v g="$g" -v n="$n" -v b="$base" -v f="$f" -v q="$q" 'BEGIN {
      printf "  %-6s %7d %9.1f %8.2f %9.1f %7.2f\n", (name == "full" ? "1x" : substr(name, 2) "x"), g, n * 1000, n / b, f * 1000, q }'
  done
  echo "  (targets: 4x at most 4.4 times 1x)"
fi

echo
echo "Ratio (1 - 3) / 2, pair by pair: median $(awk -v r="$ratio_med" 'BEGIN { printf "%.2f", r }')" \
  "(rounds $(col 2 "$w/full.pairs" | spread 1 2); target <= 1.5)"
