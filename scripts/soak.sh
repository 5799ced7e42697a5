#!/usr/bin/env bash
# The soak: the whole shell with both components, built with clang, ASan and UBSan
# (build-fuzz/, as scripts/fuzz.sh --build-all makes it), driven for MINUTES (default 1) by
# seeded random input on a virtual screen with a window manager, with pages served on
# 127.0.0.1. It fails on any sanitizer report, any leak outside the system's libraries
# (tests/soak/lsan.supp), a hang of the event loop (5 s), a crash, the shell closing by
# itself, or a program the shell started still running afterwards. It prints its seed:
# scripts/soak.sh MINUTES SEED runs the same input again.
# Usage: scripts/soak.sh [MINUTES] [SEED]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
minutes=${1:-1}
seed=${2:-$((RANDOM * 32768 + RANDOM))}
build=${TAVO_FUZZ_BUILD_DIR:-$root/build-fuzz}
if ! [[ "$minutes" =~ ^[0-9]+$ && "$minutes" -gt 0 && "$seed" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/soak.sh [MINUTES] [SEED]" >&2
    exit 2
fi
"$root/scripts/setup.sh"
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTAVO_BUILD_FUZZ=ON -DTAVO_SANITIZE=ON -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCH=OFF
fi
cmake --build "$build" -j"$(nproc)" --target tavo-soak
soak="$build/soak-disc/tavo-soak"

work=$(mktemp -d /tmp/tavo-soak-run.XXXXXX)
pids=()
cleanup() {
    for p in "${pids[@]}"; do
        kill "$p" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# Pages that link to each other, with a form, a long text and a picture.
mkdir -p "$work/pages"
for i in 0 1 2 3 4 5; do
    {
        echo "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Page $i</title></head><body>"
        echo "<h1>Page $i</h1><p><a href=\"page$(((i + 1) % 6)).html\">next</a>"
        echo "<a href=\"page$(((i + 5) % 6)).html\">previous</a> <a href=\"missing.html\">missing</a></p>"
        echo "<form action=\"page$(((i + 2) % 6)).html\"><input name=\"q\" value=\"kocioł\"><button>Go</button></form>"
        echo "<svg width=\"120\" height=\"60\"><rect width=\"120\" height=\"60\" fill=\"#2a5\"/></svg>"
        for n in $(seq 1 $((20 * (i + 1)))); do
            echo "<p>Line $n of page $i: radiators, pipes and the boiler room.</p>"
        done
        echo "</body></html>"
    } >"$work/pages/page$i.html"
done
/usr/bin/python3 -u -m http.server --bind 127.0.0.1 --directory "$work/pages" 0 \
    >"$work/server.log" 2>&1 &
pids+=($!)
port=""
for _ in $(seq 1 100); do
    port=$(sed -n 's/.* port \([0-9]*\) .*/\1/p' "$work/server.log" | head -1)
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "soak: the page server did not start" >&2; cat "$work/server.log" >&2; exit 1; }

# A screen of its own, with a window manager, so windows really maximise and take focus.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
export DISPLAY=":$(head -1 "$work/display")"
if command -v openbox >/dev/null; then
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
fi

# Sanitizers. The web engine (Chromium, not built with ASan) runs inside the process and, when
# a page is destroyed, frees some of its own objects with a sized delete of a smaller type;
# ASan checks sized deletes in the allocator every module shares, so new_delete_type_mismatch
# is off here. Our own code is held to that check by the fuzzers and by scripts/sanitize.sh.
# Leaks are reported whole at exit and judged by tests/soak/check-leaks.sh: the project's own
# fail, and so do those of a system library that tests/soak/lsan.supp does not list.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:halt_on_error=1:new_delete_type_mismatch=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-$(command -v llvm-symbolizer || true)}
export TMPDIR="$work"  # the soak's private folders, and nothing of it elsewhere
unset QT_QPA_PLATFORM

echo "== soak: ${minutes} min, seed $seed"
start=$(date +%s)
status=0
timeout --kill-after=30 $((minutes * 60 + 300)) \
    "$soak" --seconds $((minutes * 60)) --seed "$seed" --pages "http://127.0.0.1:$port/" \
    --log "$work/actions.log" --maps "$work/maps" >"$work/soak.out" 2>&1 || status=$?
grep '^soak:' "$work/soak.out" || true

if grep -Eq 'ERROR: AddressSanitizer|runtime error:' "$work/soak.out"; then
    echo "soak: a sanitizer report:" >&2
    grep -E -A40 'ERROR: AddressSanitizer|runtime error:' "$work/soak.out" | head -120 >&2
    [ "$status" -ne 0 ] || status=1
elif grep -q 'ERROR: LeakSanitizer' "$work/soak.out"; then
    # The leak check is the last thing the process does: a run that passed until then and
    # leaked only what the system's libraries keep has passed.
    if sed -n '/ERROR: LeakSanitizer/,$p' "$work/soak.out" |
        "$root/tests/soak/check-leaks.sh" "$root/tests/soak/lsan.supp" "$work/maps" &&
        grep -q '^soak: passed' "$work/soak.out" && [ "$status" -lt 128 ]; then
        status=0
    else
        [ "$status" -ne 0 ] || status=1
    fi
fi
# Nothing the shell started may outlive the soak.
left=()
for exe in /proc/[0-9]*/exe; do
    target=$(readlink "$exe" 2>/dev/null) || continue
    [[ "$target" == "$work"/* ]] && left+=("${exe//[^0-9]/} $target")
done
if [ ${#left[@]} -gt 0 ]; then
    echo "soak: programs left running (now ended):" >&2
    printf '  %s\n' "${left[@]}" >&2
    for p in "${left[@]}"; do
        kill -KILL "${p%% *}" 2>/dev/null || true
    done
    status=1
fi
elapsed=$(($(date +%s) - start))
if [ "$status" -ne 0 ]; then
    echo "soak: FAILED after ${elapsed}s (exit $status), seed $seed; replay: scripts/soak.sh $minutes $seed" >&2
    echo "soak: output and the actions done are kept in $work" >&2
    tail -40 "$work/soak.out" >&2
    trap - EXIT
    cleanup
    exit 1
fi
echo "== soak passed: ${minutes} min, seed $seed, in ${elapsed}s"
cleanup
rm -rf "$work"
