#!/usr/bin/env bash
# Configures and builds everything into build/ (the program: build/vellor-results).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@" >/dev/null
ninja -C build
