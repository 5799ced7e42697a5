#!/usr/bin/env bash
# Set-up, build, then start the shell from the sample disc in the build tree.
# Without a display it runs under xvfb-run, takes a screenshot of the main window and
# says where it is (TAVO_SHOT overrides the file name).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
shell="$build/sample-disc/tavo-shell"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$shell"
fi

# Xvfb has no GPU; the web engine draws nothing unless told to render in software.
export QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
shot=${TAVO_SHOT:-$root/shots/main-window.png}
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    # A window manager, so that the window is decorated and maximised as on a desktop.
    if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & sleep 0.5; fi
    "$1" &
    pid=$!
    # Wait for the main window (its title is the program name), then let it settle.
    for _ in $(seq 1 100); do
        if xdotool search --name "Computer program Tavo C.H." >/dev/null 2>&1; then break; fi
        sleep 0.1
    done
    sleep 2
    import -window root "$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' _ "$shell" "$shot"
echo "The shell ran headless; screenshot of the main window: $shot"
