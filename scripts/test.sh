#!/usr/bin/env bash
# Set-up, build with g++ and with clang, then every test headless. Exits non-zero on any
# failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
# The same tree with clang (the sanitizer build, in its own folder; built, not run): what
# clang alone rejects must not wait for the next fuzz run to be found.
"$root/scripts/fuzz.sh" --build-all
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 300 "$@"
