#!/usr/bin/env bash
# The shell started on its Internet tab, as the reader installer restarts it on the Manual
# tab, under a real window manager: the web view re-creates the window natively, and the
# window must still fill the screen afterwards.   start-tab-test.sh SAMPLE-DISC
set -euo pipefail
disc=$1
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$@"
fi
unset QT_QPA_PLATFORM  # a real X window under a real window manager
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=DesktopSupport.sh
. "$here/DesktopSupport.sh"
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache TAVO_WINDOWS_DIR=$work/windows XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$TAVO_WINDOWS_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5
"$disc/tavo-shell" --tab internet >"$work/shell.log" 2>&1 &
pids+=($!)
wait_for_window "^Computer program Tavo C.H.$" >/dev/null
# By then the view exists and the window has been re-created under another id.
sleep 4
id=$(xdotool search --onlyvisible --name "^Computer program Tavo C.H.$" | tail -n 1)
width=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
[ "${width:-0}" -ge 1200 ] || fail "the window is $width pixels wide after opening on the Internet tab"
echo "the window is $width pixels wide on the Internet tab"
