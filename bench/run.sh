#!/usr/bin/env bash
# The run's benchmark: builds in Release, writes the full-season sample league
# once, checks that the run's outputs are byte for byte those of the reference
# build, then measures warm, in alternating rounds, the headless run, the
# floor (the bare reading of the files the run reads) and the start-up, and
# prints medians, peak memory, the scaling over 1x, 2x and 4x the games, and
# the ratio (run - start-up) / floor last. The run is measured without the
# play-by-play index (--no-index), as every file is read, and with a warm
# index: the second of two runs, the league's export moved on by one day in
# between, as after a sim. Last, the sending rows (bench/send.sh).
#
#   bash bench/run.sh [--rounds N] [--no-scaling] [--no-reference] [--micro] [--in-memory] [--wine EXE]
#   bash bench/run.sh --baseline COMMIT [--rounds N] [--wine EXE --baseline-wine EXE]
#
# --baseline COMMIT builds that commit's program (Release, into
# build-bench/baseline-COMMIT) and times it beside the current build in the
# same alternating rounds, the order turning each round: the warm-index run
# and the --no-index run of each on its own copy of the season, with its own
# index. It prints the medians of the per-round ratios current / baseline
# with their spread, and each program's peak memory above its start-up; then
# stops. With --wine and --baseline-wine (the baseline's Windows console
# program, cross-built by the caller) the Wine rows likewise.
#
# --wine EXE also times EXE, the Windows console program (build-windows/
# vellor-results-cli.exe), under Wine on the same season, without the index
# and with a warm one: Wine's figures compare only with Wine's.
#
# The build and the leagues go to build-bench/ (VR_BENCH_BUILD overrides;
# VR_BENCH_PROGRAM names another vellor-results to measure);
# with --in-memory the leagues go to /dev/shm instead (removed at the end),
# so that the outputs' files cost no journal of a disk: the floor writes
# nothing, and on a busy disk emptying ten files can take longer than the
# whole reading.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

rounds=9
scaling=1
reference=1
micro=0
in_memory=0
wine_exe=
baseline_commit=
baseline_wine=
while [ $# -gt 0 ]; do
  case "$1" in
    --in-memory) in_memory=1; shift ;;
    --rounds) rounds=$2; shift 2 ;;
    --no-scaling) scaling=0; shift ;;
    --no-reference) reference=0; shift ;;
    --micro) micro=1; shift ;;
    --wine) wine_exe=$(realpath "$2"); shift 2 ;;
    --baseline) baseline_commit=$(git rev-parse --short "$2^{commit}"); shift 2 ;;
    --baseline-wine) baseline_wine=$(realpath "$2"); shift 2 ;;
    *) sed -n '12,13p' "$0" | sed 's/^# \{0,1\}/usage: /' >&2; exit 2 ;;
  esac
done

# The last commit before the run was tuned: its outputs are the reference.
reference_commit=0ee794a

build=${VR_BENCH_BUILD:-$root/build-bench}
leagues=$build/leagues
if [ "$in_memory" = 1 ]; then
  leagues=$(mktemp -d /dev/shm/vellor-bench.XXXXXX)
  trap 'rm -rf "$leagues"' EXIT
fi
league_path="Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"

say() { printf '%s\n' "$*" >&2; }

bash scripts/install-deps.sh
say "== building (Release) in $build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVR_BUILD_TESTS=OFF -DVR_BUILD_BENCH=ON >/dev/null
ninja -C "$build" vellor-results make-sample-league bench-floor bench-timed micro-benchmarks >/dev/null
# VR_BENCH_PROGRAM measures another build of the program (the reference's,
# say) on the same leagues.
program=${VR_BENCH_PROGRAM:-$build/vellor-results}
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

# The index of the play-by-play files lives here, not in the user's cache.
export VELLOR_CACHE_DIR=$build/cache
# Every file read, where the program has an index to leave aside.
no_index=()
"$program" --help 2>/dev/null | grep -q -- --no-index && no_index=(--no-index)

run_program() { # program name [stdout file]
  VELLOR_DRIVE_C=$leagues/$2 "$1" --run > "${3:-/dev/null}"
}

# Every file of the league folder but the game's own pages and files and the
# archive and posts (which the reference build does not make), with the
# score list printed.
save_outputs() { # name target
  local folder=$leagues/$1/$league_path
  rm -rf "$2"
  mkdir -p "$2"
  (cd "$folder" && find . \( -path ./pbp -o -path ./html/boxes -o -path ./html/rosters \) -prune \
      -o -path ./posts -prune -o -path ./html/seasons -prune -o -path './html/scoreboard-day*' \
      -o -path './html/digest-day*' -o -path ./html/periods.html -o -path ./html/latest.html \
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
col() { awk -v c="$1" '{ print $c }' "$2"; }
# A number scaled (1000 for ms) with the decimals given.
num() { awk -v v="$1" -v k="$2" -v d="$3" 'BEGIN { printf "%.*f", d, v * k }'; }
# The median of a column of a file, scaled.
med() { num "$(col "$1" "$2" | median)" "${3:-1000}" "${4:-1}"; }

# Alternating rounds over one league: the run, the floor, the start-up, in an
# order that turns each round. Per round, in $work/<name>.*: the run and the
# start-up as "wall rss cpu", the floor as "wall cpu bytes files", and the
# pairs as "wall(1-3) wall(1-3)/wall(2) cpu(1-3) cpu(1-3)/cpu(2)".
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
      # The last round's outputs go to the disk first: a commissioner's runs
      # lie minutes apart, and a run must not wait here for the writing-out
      # of the one before it, which emptying those files again would do.
      sync
      case $(((r + step) % 3)) in
        0) VELLOR_DRIVE_C=$drive "$timed" "$program" --run "${no_index[@]}" >> "$work/$name.run" ;;
        1) "$floor" "$folder" "$list" >> "$work/$name.floor" ;;
        2) "$timed" "$program" --version >> "$work/$name.version" ;;
      esac
    done
  done
  paste -d' ' "$work/$name.run" "$work/$name.version" "$work/$name.floor" |
    awk '{ printf "%.6f %.6f %.6f %.6f\n", $1 - $4, ($1 - $4) / $7, $3 - $6, ($3 - $6) / $8 }' > "$work/$name.pairs"
}

# The warm index, round by round on the league `name` (the full season one
# day short): the export of that day laid over it and a run that leaves its
# index, then the next day's export laid over it and the timed run, with the
# floor and the start-up timed beside it in the same round (the machine's
# speed drifts over minutes, and a pair from other rounds would carry that).
measure_warm() { # name rounds
  local name=$1 n=$2 drive=$leagues/$1 r
  local list=$leagues/full/read-list.txt folder=$leagues/full/$league_path
  : > "$work/$name.run"; : > "$work/$name.floor"; : > "$work/$name.version"
  for ((r = 0; r < n; r++)); do
    "$build/make-sample-league" --drive "$drive" --preset full --last-simulated-day 369 --over >/dev/null
    run_program "$program" "$name"
    "$build/make-sample-league" --drive "$drive" --preset full --over >/dev/null
    sync
    VELLOR_DRIVE_C=$drive "$timed" "$program" --run >> "$work/$name.run"
    "$floor" "$folder" "$list" >> "$work/$name.floor"
    "$timed" "$program" --version >> "$work/$name.version"
  done
  paste -d' ' "$work/$name.run" "$work/$name.version" "$work/$name.floor" |
    awk '{ printf "%.6f %.6f %.6f %.6f\n", $1 - $4, ($1 - $4) / $7, $3 - $6, ($3 - $6) / $8 }' > "$work/$name.pairs"
}

# The Windows program under Wine on the warm-index league: per round the
# run that leaves the index and the timed run a day on, then the run without
# the index and the start-up. One persistent server for all of it.
measure_wine() { # rounds
  local n=$1 drive=$leagues/warm r
  export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all
  local server; server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
  # Debian's wine64 package puts wineboot on no PATH: it is run through wine.
  local wine; wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
  "$wine" wineboot -i </dev/null >/dev/null 2>&1
  # The server wineboot started may still be there: it refuses a second.
  "$server" -p </dev/null >/dev/null 2>&1 || true
  local wrun=(env VELLOR_DRIVE_C="Z:$drive" VELLOR_CACHE_DIR="Z:$build/cache-wine" "$wine" "$wine_exe")
  : > "$work/wine.warm"; : > "$work/wine.cold"; : > "$work/wine.version"
  "${wrun[@]}" --version >/dev/null
  for ((r = 0; r < n; r++)); do
    "$build/make-sample-league" --drive "$drive" --preset full --last-simulated-day 369 --over >/dev/null
    "${wrun[@]}" --run >/dev/null
    "$build/make-sample-league" --drive "$drive" --preset full --over >/dev/null
    sync
    "$timed" "${wrun[@]}" --run >> "$work/wine.warm"
    "$timed" "${wrun[@]}" --run --no-index >> "$work/wine.cold"
    "$timed" "${wrun[@]}" --version >> "$work/wine.version"
  done
  "$server" -k >/dev/null 2>&1 || true
}

# ---- side by side with a baseline build ----------------------------------

build_baseline() { # commit -> the program's path on stdout
  local dir=$build/baseline-$1
  if [ ! -x "$dir/vellor-results" ]; then
    say "== building the baseline program ($1) in $dir"
    rm -rf "$dir" && mkdir -p "$dir/src"
    git archive "$1" | tar -x -C "$dir/src"
    cmake -S "$dir/src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVR_BUILD_TESTS=OFF >/dev/null
    ninja -C "$dir" vellor-results >/dev/null
  fi
  echo "$dir/vellor-results"
}

# One side's round on its own league copy and index: the export a day short
# and a run that leaves the index, the day's export laid over it, then the
# timed warm-index run, the timed run without the index and the start-up.
# `drive_prefix` is how the program names the build's folders ("Z:" under
# Wine).
beside_round() { # side drive_prefix command...
  local side=$1 prefix=$2; shift 2
  local drive=$leagues/beside-$side cache=$build/cache-beside-$side
  "$build/make-sample-league" --drive "$drive" --preset full --last-simulated-day 369 --over >/dev/null
  VELLOR_DRIVE_C="$prefix$drive" VELLOR_CACHE_DIR="$prefix$cache" "$@" --run >/dev/null
  "$build/make-sample-league" --drive "$drive" --preset full --over >/dev/null
  sync
  VELLOR_DRIVE_C="$prefix$drive" VELLOR_CACHE_DIR="$prefix$cache" "$timed" "$@" --run >> "$work/$side.warm"
  VELLOR_DRIVE_C="$prefix$drive" "$timed" "$@" --run --no-index >> "$work/$side.cold"
  "$timed" "$@" --version >> "$work/$side.version"
}

# Rounds of both sides, the order turning each round; then the rows.
beside() { # label rounds prefix current-command baseline-command (each one word or "wine EXE")
  local label=$1 n=$2 prefix=$3 cur=$4 base=$5 r side
  work=$build/measure
  mkdir -p "$work"
  for side in cur base; do
    rm -rf "$leagues/beside-$side" "$build/cache-beside-$side"
    mkdir -p "$leagues/beside-$side" "$build/cache-beside-$side"
    "$build/make-sample-league" --drive "$leagues/beside-$side" --preset full --last-simulated-day 369 >/dev/null
    find "$leagues/beside-$side" -type f -exec touch -d '-1 hour' {} +
    : > "$work/$side.warm"; : > "$work/$side.cold"; : > "$work/$side.version"
  done
  for ((r = 0; r < n; r++)); do
    if ((r % 2 == 0)); then order=(cur base); else order=(base cur); fi
    for side in "${order[@]}"; do
      if [ "$side" = cur ]; then read -r -a cmd <<<"$cur"; else read -r -a cmd <<<"$base"; fi
      beside_round "$side" "$prefix" "${cmd[@]}"
    done
  done
  echo "$label: $n alternating rounds, wall time; ratio = current / baseline in the same round"
  for kind in warm cold; do
    paste -d' ' "$work/cur.$kind" "$work/base.$kind" | awk '{ print $1 / $4 }' > "$work/ratio.$kind"
    printf '  %-22s current %7s ms (%s)  baseline %7s ms (%s)  ratio median %s (rounds %s)\n' \
      "$([ $kind = warm ] && echo "--run, warm index" || echo "--run --no-index")" \
      "$(med 1 "$work/cur.$kind")" "$(col 1 "$work/cur.$kind" | spread 1000 1)" \
      "$(med 1 "$work/base.$kind")" "$(col 1 "$work/base.$kind" | spread 1000 1)" \
      "$(med 1 "$work/ratio.$kind" 1 3)" "$(col 1 "$work/ratio.$kind" | spread 1 3)"
  done
  for side in cur base; do
    awk -v w="$(col 2 "$work/$side.warm" | median)" -v c="$(col 2 "$work/$side.cold" | median)" \
        -v v="$(col 2 "$work/$side.version" | median)" -v s="$side" 'BEGIN {
      printf "  peak memory above start-up, %s: warm index %.1f MiB, --no-index %.1f MiB (target <= 16)\n",
        (s == "cur" ? "current " : "baseline"), (w - v) / 1024, (c - v) / 1024 }'
  done
}

if [ -n "$baseline_commit" ]; then
  base_program=$(build_baseline "$baseline_commit")
  echo
  beside "Full season, warm, beside $baseline_commit" "$rounds" "" "$program" "$base_program"
  if [ -n "$wine_exe" ] && [ -n "$baseline_wine" ]; then
    export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
    echo
    beside "Under Wine, beside $(basename "$baseline_wine")" "$rounds" "Z:" "$wine $wine_exe" "$wine $baseline_wine"
  fi
  exit 0
fi

played() { awk -F'\t' '$1 == "game" && $13 ~ /^played/' "$leagues/$1/manifest.txt" | wc -l; }

# ---- the benchmark -------------------------------------------------------

generate full 44
file_list full
if [ "$reference" = 1 ]; then check_outputs full; fi

say "== measuring the full season: $rounds alternating rounds"
measure full "$rounds"
w=$build/measure

warm=0
if [ ${#no_index[@]} -gt 0 ]; then
  warm=1
  # Its files an hour old, as the days before a sim's are.
  rm -rf "$leagues/warm" && mkdir -p "$leagues/warm"
  say "== writing the warm-index league (the full season through day 369)"
  "$build/make-sample-league" --drive "$leagues/warm" --preset full --last-simulated-day 369 >/dev/null
  find "$leagues/warm" -type f -exec touch -d '-1 hour' {} +
  say "== measuring the run with a warm index: $rounds rounds"
  measure_warm warm "$rounds"
fi

if [ -n "$wine_exe" ] && [ "$warm" = 1 ]; then
  say "== measuring $(basename "$wine_exe") under Wine: $rounds rounds"
  measure_wine "$rounds"
fi

if [ "$scaling" = 1 ]; then
  generate x2 88
  file_list x2
  generate x4 176
  file_list x4
  if [ "$reference" = 1 ]; then check_outputs x4; fi
  say "== measuring 2x and 4x the games: $rounds rounds each"
  measure x2 "$rounds"
  measure x4 "$rounds"
fi

if [ "$micro" = 1 ]; then
  echo
  "$build/micro-benchmarks" --benchmark_min_time=0.2
fi

read -r bytes files < <(awk 'END { print $3, $4 }' "$w/full.floor")
echo
where="on disk, $leagues"
[ "$in_memory" = 1 ] && where="in memory (tmpfs)"
echo "Full season: $(played full) played games; the run reads $files files, $((bytes / 1024 / 1024)) MiB, as the floor does; league $where."
echo "Medians of $rounds alternating warm rounds, wall time (spread min..max) and processor time (user + system):"
row() { # label file wall-column cpu-column
  printf '  %-34s %8s ms  %-13s %8s ms\n' "$1" "$(med "$3" "$2")" "$(col "$3" "$2" | spread 1000 1)" "$(med "$4" "$2")"
}
row "1  vellor-results --run ${no_index[*]}" "$w/full.run" 1 3
[ "$warm" = 1 ] && row "1i --run, warm index (a day on)" "$w/warm.run" 1 3
row "2  floor: read() of those files" "$w/full.floor" 1 2
row "3  vellor-results --version" "$w/full.version" 1 3
if [ "$warm" = 1 ]; then
  row "2i floor, in the warm-index rounds" "$w/warm.floor" 1 2
  row "3i --version, in those rounds" "$w/warm.version" 1 3
fi
row "1 - 3, pair by pair" "$w/full.pairs" 1 3
[ "$warm" = 1 ] && row "1i - 3i, pair by pair" "$w/warm.pairs" 1 3
awk -v a="$(col 2 "$w/full.run" | median)" -v b="$(col 2 "$w/full.version" | median)" 'BEGIN {
  printf "  peak resident memory of 1: %.1f MiB, of 3: %.1f MiB; 1 is %.1f MiB above 3 (target <= 16)\n", a / 1024, b / 1024, (a - b) / 1024 }'

if [ "$scaling" = 1 ]; then
  echo
  echo "Scaling: run less start-up, pair by pair (medians), against the games read:"
  printf '  %-6s %7s %10s %7s %10s %7s %10s\n' games played "1-3 ms" "x 1x" "cpu ms" "x 1x" "floor ms"
  base=$(col 1 "$w/full.pairs" | median)
  base_cpu=$(col 3 "$w/full.pairs" | median)
  for name in full x2 x4; do
    awk -v name="$name" -v g="$(played "$name")" -v n="$(col 1 "$w/$name.pairs" | median)" -v b="$base" \
        -v c="$(col 3 "$w/$name.pairs" | median)" -v bc="$base_cpu" -v f="$(col 1 "$w/$name.floor" | median)" 'BEGIN {
      printf "  %-6s %7d %10.1f %7.2f %10.1f %7.2f %10.1f\n", (name == "full" ? "1x" : substr(name, 2) "x"), g,
        n * 1000, n / b, c * 1000, c / bc, f * 1000 }'
  done
  echo "  (target: 4x at most 4.4 times 1x)"
fi

echo
echo "Ratio (1 - 3) / 2, pair by pair: median $(med 2 "$w/full.pairs" 1 2) (rounds $(col 2 "$w/full.pairs" | spread 1 2));" \
  "in processor time $(med 4 "$w/full.pairs" 1 2) (rounds $(col 4 "$w/full.pairs" | spread 1 2)). Target <= 1.5."
if [ "$warm" = 1 ]; then
  echo "Ratio (1i - 3i) / 2i, the warm index: median $(med 2 "$w/warm.pairs" 1 2) (rounds $(col 2 "$w/warm.pairs" | spread 1 2));" \
    "in processor time $(med 4 "$w/warm.pairs" 1 2). Target <= 0.5."
fi
if [ -n "$wine_exe" ] && [ "$warm" = 1 ]; then
  echo
  echo "Under Wine ($(basename "$wine_exe")), medians of $rounds rounds, wall time:"
  row "W1  --run --no-index" "$w/wine.cold" 1 3
  row "W1i --run, warm index (a day on)" "$w/wine.warm" 1 3
  row "W3  --version" "$w/wine.version" 1 3
  awk -v c="$(col 1 "$w/wine.cold" | median)" -v i="$(col 1 "$w/wine.warm" | median)" \
      -v v="$(col 1 "$w/wine.version" | median)" 'BEGIN {
    printf "  run less start-up: %.1f ms without the index, %.1f ms with it (%.2f of it)\n", (c - v) * 1000, (i - v) * 1000, (i - v) / (c - v) }'
fi

# The sending: the full season to sftp on 127.0.0.1, then a sim day's update.
echo
bash bench/send.sh "$build/vellor-results" "$build/make-sample-league" "$build/send-bench" --rounds $(( rounds < 3 ? rounds : 3 ))
