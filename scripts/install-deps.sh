#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12 (as root, or
# through sudo when it is there).
#
#   scripts/install-deps.sh [--with-checks]
#
#   --with-checks   also what the checks with the tools people use need: the
#                   browser (chromium, large) and the X server, its input and
#                   picture tools and the accessibility bus; strace, and node
#                   with npm for the forum and chat parsers of the posts. The test command
#                   installs them, so that the checks run wherever it does.
set -euo pipefail
packages=(g++ cmake ninja-build pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation fonts-comfortaa desktop-file-utils
          dpkg-dev man-db appstream lintian python3-html5lib
          libcurl4-openssl-dev libssl-dev nlohmann-json3-dev
          # the servers the sending tests start on 127.0.0.1
          openssh-server openssh-client pure-ftpd openssl python3)
case "${1:-}" in
  --with-checks)
    packages+=(chromium python3 strace xvfb xdotool x11-utils imagemagick dbus at-spi2-core
               python3-gi gir1.2-atspi-2.0) ;;
  "") ;;
  *) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
esac
# node with npm, for the parsers the checks fetch: Debian's pair, unless a
# node that brings its own npm is installed already (Debian's npm conflicts
# with such a node).
if [ "${1:-}" = --with-checks ] && ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
# The servers the tests start themselves: their packages must not start
# system-wide ones (listening on every address) as they install.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${as_root[@]}" tee "$policy" >/dev/null
    "${as_root[@]}" chmod 755 "$policy"
    trap '"${as_root[@]}" rm -f "$policy"' EXIT
fi
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
