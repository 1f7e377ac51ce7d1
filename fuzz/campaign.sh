#!/usr/bin/env bash
# One fuzz campaign: runs a target's libFuzzer program for a number of
# executions from its committed corpus (and any seed folders given), under
# the sanitizers it was built with, then merges what it found into a fresh
# minimal corpus beside the committed one.
#   fuzz/campaign.sh FUZZ_BUILD TARGET RUNS [SEED_FOLDER...]
# FUZZ_BUILD is a build folder configured with -DVR_FUZZ=ON (see README).
# Logs, the working corpus and any crash land in ${VR_FUZZ_WORK:-/tmp/vr-fuzz}/TARGET/;
# the merged corpus in .../TARGET/merged (copy it over fuzz/corpus/TARGET).
# VR_FUZZ_FLAGS adds libFuzzer options, e.g. "-max_len=4096" to keep a slow
# target's inputs short.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "$1")
target=$2
runs=$3
shift 3
program="$build/fuzz/fuzz-$target"
[ -x "$program" ] || { echo "no $program: build with -DVR_FUZZ=ON" >&2; exit 2; }
work="${VR_FUZZ_WORK:-/tmp/vr-fuzz}/$target"
mkdir -p "$work/corpus" "$work/artifacts"
cp -n "$here/corpus/$target"/* "$work/corpus/" 2>/dev/null || true
for seeds in "$@"; do cp -n "$seeds"/* "$work/corpus/" 2>/dev/null || true; done

# No input may take a second, leak, or crash; UBSan findings are errors.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
status=0
"$program" -runs="$runs" -timeout=1 -rss_limit_mb=2048 -print_final_stats=1 \
  -dict="$here/dict/$target.dict" -artifact_prefix="$work/artifacts/" ${VR_FUZZ_FLAGS:-} \
  "$work/corpus" > "$work/fuzz.log" 2>&1 || status=$?
grep -E "^stat::|DONE|ERROR|Test unit written" "$work/fuzz.log" || true
if [ "$status" -ne 0 ]; then
  echo "$target: the fuzzer stopped with status $status; see $work/fuzz.log and $work/artifacts/" >&2
  exit "$status"
fi

# The smallest set of inputs that keeps every feature found.
rm -rf "$work/merged" && mkdir -p "$work/merged"
"$program" -merge=1 -timeout=1 "$work/merged" "$here/corpus/$target" "$work/corpus" > "$work/merge.log" 2>&1
echo "$target: $(ls "$work/merged" | wc -l) inputs, $(du -sk "$work/merged" | cut -f1) KB merged into $work/merged"
