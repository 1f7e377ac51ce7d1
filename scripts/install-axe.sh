#!/usr/bin/env bash
# Installs axe-core, the accessibility checker the archive's browser check
# runs in chromium, from the npm registry into DIR (DIR/node_modules/axe-core).
#
#   scripts/install-axe.sh DIR
set -euo pipefail
[ $# -eq 1 ] || { sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
[ -f "$1/node_modules/axe-core/axe.min.js" ] && exit 0
if ! command -v npm >/dev/null; then
    as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends npm
fi
mkdir -p "$1"
npm install --prefix "$1" --no-audit --no-fund --silent axe-core@4.10.3
