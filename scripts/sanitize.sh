#!/usr/bin/env bash
# Builds the Qt-free libraries (platform, objects) and their tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs the tests once.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_ASAN_BUILD_DIR:-$root/build-asan}
"$root/scripts/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVO_WITH_QT=OFF -DTAVO_SANITIZE=ON -DTAVO_BUILD_BENCH=OFF
fi
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300
