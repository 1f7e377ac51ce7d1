#!/usr/bin/env bash
# Cross-builds the Windows program on Debian 12 into build-windows/: the
# MinGW-w64 compilers, Wine to run the tests, NSIS for the installer.
#   bash scripts/build-windows.sh [--no-install] [--test]
# --test runs the Windows test suite under Wine afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
install=1
test=0
for a in "$@"; do
  case "$a" in
    --no-install) install=0 ;;
    --test) test=1 ;;
    *) echo "usage: build-windows.sh [--no-install] [--test]" >&2; exit 2 ;;
  esac
done

if [ "$install" = 1 ]; then
  packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 nsis libgtest-dev
            cmake ninja-build imagemagick icoutils zip dpkg-dev nlohmann-json3-dev)
  missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    as_root=()
    [ "$(id -u)" -ne 0 ] && as_root=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi

# libcurl and libssh2 for Windows, built once into build-windows/third-party/.
bash scripts/build-windows-third-party.sh build-windows/third-party

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# -O1: the Windows build is for running the same tests under Wine and for
# the installer; its speed is measured on Linux.
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 -DCMAKE_C_FLAGS_RELEASE=-O1 \
      "${launcher[@]}" >/dev/null
ninja -C build-windows ${VR_NINJA_JOBS:+-j"$VR_NINJA_JOBS"}

if [ "$test" = 1 ]; then
  bash scripts/test-windows.sh
fi
