#!/usr/bin/env bash
# Set-up, then the gates CI holds the project to, then every test headless. Exits non-zero
# on any failure:
#   the tree built with g++ (tests and benchmarks built, not timed);
#   every source in the project's format;
#   every text translated (scripts/check-translations.sh);
#   the whole tree built with clang too, and every fuzz target run for 10 s under ASan
#   and UBSan on its corpus;
#   the soak: the clang-built shell and components driven by random input for 60 s
#   (TAVO_SOAK_MINUTES), with a new seed each run (printed, so a failure replays);
#   the Qt-free libraries' tests once under ASan and UBSan;
#   every test (ctest), last, so that its summary is what the run ends with.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
# A failed step is named last on both streams: a log that keeps only the tail of one of
# them still says which step it was.
step() {
    local name=$1
    shift
    if ! "$@"; then
        local failed=""
        # ctest's own list of what failed, where the step ran tests.
        if [ -f Testing/Temporary/LastTestsFailed.log ]; then
            failed=" ($(cut -d: -f2 Testing/Temporary/LastTestsFailed.log | head -20 | paste -sd' '))"
        fi
        echo "== FAILED: $name$failed" >&2
        echo "== FAILED: $name$failed"
        exit 1
    fi
}
step "set-up" "$root/scripts/setup.sh"
step "g++ build" "$root/scripts/build.sh"
step "translations" "$root/scripts/check-translations.sh"
if [ -z "${TAVO_QUICK:-}" ]; then
    step "format" "$root/scripts/check-format.sh"
    step "clang build" "$root/scripts/fuzz.sh" --build-all
    step "fuzz" "$root/scripts/fuzz.sh" "${TAVO_FUZZ_SECONDS:-10}"
    step "soak" "$root/scripts/soak.sh" "${TAVO_SOAK_MINUTES:-1}"
    step "sanitizer tests" "$root/scripts/sanitize.sh"
fi
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
cd "$build"
step "tests" ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
