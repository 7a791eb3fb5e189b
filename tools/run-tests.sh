#!/usr/bin/env bash
# Set-up, a build with AddressSanitizer and UndefinedBehaviorSanitizer, and every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
# -O1 -g1: the sanitizers find what they find at -O2, in half the build time; -g1 keeps the
# files and lines of their reports. Ninja starts the next compile without make's pauses.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" -DVARTESK_SANITIZE=ON \
    -DVARTESK_BENCH=OFF -DVARTESK_GUI=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure -j"$(nproc)" --timeout 600
