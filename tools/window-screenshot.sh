#!/usr/bin/env bash
# Saves a PNG picture of the window, drawn offscreen (no display needed), so
# anyone can look at it. Builds nothing: it runs the window's screenshot test
# program from an existing build folder.
#
#   tools/window-screenshot.sh OUT.png [--drive DIR] [--go] [--build DIR]
#
#   --drive DIR   the folder standing for C:\ that holds the league folder
#                 (default: a small league of its own in a temporary folder)
#   --go          press GO! before the picture (the period is the one the
#                 window load found; the score list fills)
#   --build DIR   the build folder (default: build)
set -euo pipefail

usage() { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }

out=""
drive=""
go=0
build="build"
while [ $# -gt 0 ]; do
    case "$1" in
        --drive) [ $# -ge 2 ] || usage; drive="$2"; shift 2 ;;
        --go) go=1; shift ;;
        --build) [ $# -ge 2 ] || usage; build="$2"; shift 2 ;;
        -h|--help) usage ;;
        -*) usage ;;
        *) [ -z "$out" ] || usage; out="$1"; shift ;;
    esac
done
[ -n "$out" ] || usage

program="$build/src/window_screenshot_test"
if [ ! -x "$program" ]; then
    echo "window-screenshot: $program not found; build the project first" >&2
    exit 1
fi
case "$out" in /*) ;; *) out="$PWD/$out" ;; esac
if [ -n "$drive" ]; then
    [ -d "$drive" ] || { echo "window-screenshot: no folder $drive" >&2; exit 1; }
    drive="$(cd "$drive" && pwd)"
fi

env QT_QPA_PLATFORM=offscreen VELLOR_SCREENSHOT="$out" VELLOR_SCREENSHOT_GO="$go" \
    ${drive:+VELLOR_DRIVE_C="$drive"} "$program" -silent >&2
echo "$out"
