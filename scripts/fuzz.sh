#!/usr/bin/env bash
# Builds every libFuzzer target with clang, ASan and UBSan in build-fuzz/ and runs each for
# SECONDS (default 60) on its seed corpus. One allocation may take at most 256 MiB; the whole
# process may grow to 1 GiB, since ASan's quarantine and shadow grow with the number of runs.
# Runs longer than TAVO_FUZZ_FORK_AFTER seconds (default 600) fuzz in a child process that is
# replaced every few minutes: ASan keeps every distinct allocation stack it has seen for the
# life of a process (about 0.6 KB more per run of the search query fuzzer), so one process
# fuzzing for an hour would pass the limit although no single input needs that much.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET-NAME-PATTERN]
#        scripts/fuzz.sh --build-all
# --build-all builds the whole tree there (fuzz targets, libraries, programs, plugins) and
# runs nothing: CI's proof that the project builds with clang as well as with g++.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_all=false
if [ "${1:-}" = "--build-all" ]; then
    build_all=true
    shift
fi
seconds=${1:-60}
pattern=${2:-}
build=${TAVO_FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/scripts/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVO_BUILD_FUZZ=ON -DTAVO_SANITIZE=ON -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCH=OFF
fi
# A fuzz run builds only the fuzz targets and what they link: the executables that land in
# fuzz/. The rest of the tree is no fuzzer's business.
cmake --build "$build" --target help >/dev/null  # regenerates the build files if stale
mapfile -t targets < <(ninja -C "$build" -t targets all |
    sed -n 's|^fuzz/\([^/:]*\): CXX_EXECUTABLE_LINKER.*|\1|p')
if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build" >&2
    exit 1
fi
start=$(date +%s)
if $build_all; then
    cmake --build "$build" -j"$(nproc)"
    echo "== built the tree with clang (${#targets[@]} fuzz targets) in $(($(date +%s) - start))s"
    exit 0
fi
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
echo "== built ${#targets[@]} fuzz targets with clang in $(($(date +%s) - start))s"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1:quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
fork_after=${TAVO_FUZZ_FORK_AFTER:-600}
mode=()
if [ "$seconds" -gt "$fork_after" ]; then
    # Crashes, leaks, timeouts and memory overruns still stop the run, as without fork mode.
    mode=(-fork=1 -ignore_crashes=0 -ignore_timeouts=0 -ignore_ooms=0)
fi
failed=()
marker="$build/.fuzz-run-started"
touch "$marker"
for name in "${targets[@]}"; do
    fuzzer="$build/fuzz/$name"
    [[ -z "$pattern" || "$name" == *$pattern* ]] || continue
    corpus="$root/fuzz/corpus/$name"
    work="$build/corpus/$name"
    mkdir -p "$work"
    dirs=("$work")
    [ -d "$corpus" ] && dirs+=("$corpus")
    echo "== $name: ${seconds}s"
    if ! "$fuzzer" "${mode[@]}" -max_total_time="$seconds" -rss_limit_mb=1024 -malloc_limit_mb=256 \
        -timeout=10 -artifact_prefix="$build/$name-" "${dirs[@]}"; then
        failed+=("$name")
    fi
done
# Said last, so that the end of a long log names what failed and the input that replays it.
if [ ${#failed[@]} -gt 0 ]; then
    for name in "${failed[@]}"; do
        echo "== FAILED: $name" >&2
        find "$build" -maxdepth 1 -name "$name-*" -newer "$marker" | while read -r artifact; do
            echo "   replay: $build/fuzz/$name $artifact" >&2
            # A small input is printed whole, so a failure on another machine replays here.
            if [ "$(stat -c %s "$artifact")" -le 4096 ]; then
                echo "   base64: $(base64 -w0 "$artifact")" >&2
            fi
        done
    done
    exit 1
fi
