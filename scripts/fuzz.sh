#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz/ and runs each for
# SECONDS (default 60) on its seed corpus, with a 256 MiB memory limit.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET-NAME-PATTERN]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
pattern=${2:-}
build=${TAVO_FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVO_BUILD_FUZZ=ON -DTAVO_SANITIZE=ON -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCH=OFF
fi
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
status=0
for fuzzer in "$build"/fuzz/*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    [[ -z "$pattern" || "$name" == *$pattern* ]] || continue
    corpus="$root/fuzz/corpus/$name"
    work="$build/corpus/$name"
    mkdir -p "$work"
    echo "== $name: ${seconds}s"
    if ! "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=256 -timeout=10 \
        -artifact_prefix="$build/$name-" "$work" "$corpus"; then
        status=1
    fi
done
exit $status
