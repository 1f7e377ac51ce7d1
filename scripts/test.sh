#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; then builds the same
# tests with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# and runs them again. The window's tests and the packaging checks are left
# out of that second run (no Qt there), and it is built with -O1 to keep it
# quick. Then the tests that drive the work done on another thread (the
# play-by-play folder listed while the load reads) are built with
# ThreadSanitizer into build-tsan/ and run on a season-sized folder. Last,
# the Windows program is cross-built into build-windows/ and its
# tests run under Wine, its results compared with the Linux build's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --with-checks
bash scripts/build.sh
bash scripts/install-axe.sh build/axe
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

cmake -S . -B build-asan -G Ninja -DVR_SANITIZE=ON -DVR_BUILD_GUI=OFF \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 >/dev/null
ninja -C build-asan
cd build-asan
ctest --output-on-failure -j"$(nproc)"
cd ..

# Only the two test programs that start the listing on another thread.
cmake -S . -B build-tsan -G Ninja -DVR_TSAN=ON -DVR_BUILD_GUI=OFF \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE=-O1 >/dev/null
ninja -C build-tsan host_tests app_tests make-sample-league
(cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j"$(nproc)" \
    -R 'Prefetch|ListedAside|LargeFolder|IndexedLeague|PlayByPlayIndex|HeadlessFaults')

bash scripts/test-windows.sh
