#!/usr/bin/env bash
# Line coverage of the readers reached by the committed corpora: builds the
# replay programs with clang's source-based coverage into COVERAGE_BUILD,
# replays each target's corpus and prints llvm-cov's report for the files
# that target reads with.
#   fuzz/coverage.sh [COVERAGE_BUILD]      (default: build-coverage)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${1:-$root/build-coverage}
flags="-fprofile-instr-generate -fcoverage-mapping"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" -DVR_BUILD_GUI=OFF >/dev/null
targets=(standings_page roster_page schedule_page play_by_play box_score_page settings_file whole_run)
ninja -C "$build" "${targets[@]/#/replay-}" >/dev/null

# The files each target reads with, besides the text layer they all use.
declare -A files=(
  [standings_page]="snapshot/team_list.cpp"
  [roster_page]="snapshot/team_profiles.cpp"
  [schedule_page]="results/schedule_reader.cpp results/schedule_row.cpp results/player_of_the_game.cpp results/top25_lists.cpp results/game_record.cpp"
  [play_by_play]="results/player_of_the_game.cpp"
  [box_score_page]="results/box_score_reader.cpp results/stat_leaders.cpp results/leader_date.cpp"
  [settings_file]="app/settings.cpp"
  [whole_run]="snapshot/*.cpp results/*.cpp app/*.cpp"
)
for t in "${targets[@]}"; do
  raw="$build/fuzz/$t.profraw"
  LLVM_PROFILE_FILE="$raw" "$build/fuzz/replay-$t" "$here/corpus/$t" >/dev/null 2>&1
  llvm-profdata-14 merge -sparse "$raw" -o "$build/fuzz/$t.profdata"
  sources=()
  for f in ${files[$t]} text/line_reader.cpp text/cuts.cpp text/numbers.cpp; do
    for g in "$root"/src/$f; do sources+=("$g"); done
  done
  echo "== $t"
  llvm-cov-14 report "$build/fuzz/replay-$t" -instr-profile="$build/fuzz/$t.profdata" "${sources[@]}" \
    | awk 'NR > 2 && $1 !~ /^-/ {printf "  %-32s lines %5s  missed %5s  %8s\n", $1, $8, $9, $10}' 
done
