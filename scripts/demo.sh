#!/usr/bin/env bash
# Installs what is needed, builds, writes a fresh sample league and starts the
# program on it: the window where there is a display, else the headless run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Only what the demo runs: the program and the league generator, not the
# tests (a first build of everything is some 225 targets).
cmake -S . -B build -G Ninja >/dev/null
ninja -C build vellor-results make-sample-league
drive="$PWD/build/demo-drive"
rm -rf "$drive"
build/make-sample-league --drive "$drive" --preset demo
export VELLOR_DRIVE_C="$drive"
league="$drive/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen"
echo "Sample league written to: $league"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/vellor-results
fi
echo "No display: the headless run (window load, then GO!). Score list:"
build/vellor-results --run
echo
echo "Files written:"
for f in teams.txt teaminfo.txt schedfile.txt settings2.txt leaguesettings.txt \
         Test.txt TopResults.txt Upsets.txt "~daily.txt" html/scoreboard.html; do
  [ -f "$league/$f" ] && printf '  %-22s %8d bytes\n' "$f" "$(stat -c %s "$league/$f")"
done
