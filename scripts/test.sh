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
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
"$root/scripts/check-translations.sh"
if [ -z "${TAVO_QUICK:-}" ]; then
    "$root/scripts/check-format.sh"
    "$root/scripts/fuzz.sh" --build-all
    "$root/scripts/fuzz.sh" "${TAVO_FUZZ_SECONDS:-10}"
    "$root/scripts/soak.sh" "${TAVO_SOAK_MINUTES:-1}"
    "$root/scripts/sanitize.sh"
fi
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
