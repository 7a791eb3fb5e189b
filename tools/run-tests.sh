#!/usr/bin/env bash
# Set-up, a build with AddressSanitizer and UndefinedBehaviorSanitizer, and every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARTESK_SANITIZE=ON \
    -DVARTESK_BENCH=OFF -DVARTESK_GUI=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd build-asan
ctest --output-on-failure -j"$(nproc)" --timeout 600
