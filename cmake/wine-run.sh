#!/usr/bin/env bash
# Runs a Windows program under Wine for the cross-build: ctest, test
# discovery and the end-to-end checks all come through here.
#
# One prefix per build folder (VR_WINEPREFIX, else wine-prefix/ beside the
# program's build folder), booted once under a lock, and one persistent
# wineserver for it. Both are started with their output sent away: Wine's
# background services inherit the standard handles of the process that
# starts them, and a caller reading a pipe (ctest) would otherwise wait for
# them for ever.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: wine-run.sh PROGRAM.exe [ARGS...]" >&2; exit 2; }

if [ -z "${VR_WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$1")" && pwd)
  # The build folder is the nearest one above the program holding CMakeCache.txt.
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ "$dir" = / ] && dir=$(cd "$(dirname "$1")" && pwd)
  VR_WINEPREFIX="$dir/wine-prefix"
fi
export WINEPREFIX="$VR_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
# No desktop integration, no Mono or Gecko prompts: none is needed here.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine-run.sh: wine64 is not installed" >&2; exit 127; }
server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)

mkdir -p "$WINEPREFIX"
(
  flock 9
  # A persistent server first (it stays when the last program ends); one
  # already running for the prefix refuses a second at once.
  if "$server" -p </dev/null >/dev/null 2>&1 9>&-; then
    # A new server: the prefix is booted, or its services started, by a
    # process of our own whose output goes nowhere, before any program the
    # caller waits on. The lock's descriptor is closed for all of them.
    if [ -f "$WINEPREFIX/.vr-booted" ]; then
      "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
    else
      "$wine" wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
      touch "$WINEPREFIX/.vr-booted"
    fi
  fi
) 9>"$WINEPREFIX.lock"

exec "$wine" "$@"
