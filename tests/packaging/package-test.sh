#!/usr/bin/env bash
# The Debian package: built from the build tree, clean under lintian, and, unpacked into a
# temporary root, a shell that starts, finds its disc image and its components there and
# opens the manual.   package-test.sh BUILD-DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pkg" \
    -D CPACK_OUTPUT_FILE_PREFIX="$work/pkg" >/dev/null
deb=$(ls "$work"/pkg/tavo-disc_*.deb)
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "lintian reports errors" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q "libqt6webenginecore6" || { echo "no computed dependencies" >&2; exit 1; }
dpkg-deb -x "$deb" "$work/root"
mkdir -p "$work/home"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache TAVO_MACHINE_HIVE=$work/home/machine.reg
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu TAVO_LIFE_LOG=1
unset QT_QPA_PLATFORM TAVO_PLUGIN_PATH
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    source "$1/DesktopSupport.sh"
    openbox >/dev/null 2>&1 &
    "$2/usr/bin/tavo-shell" >"$3/shell.log" 2>&1 &
    shell=$!
    wait_for_window "Computer program Tavo C.H." >/dev/null || fail "the main window did not appear"
    sleep 1
    click_tab Manual
    dismiss_reader_warning || fail "the reader warning did not appear"
    sleep 4
    xdotool search --name "Tavo C.H. - Error" >/dev/null 2>&1 && fail "the manual could not be opened"
    kill -0 $shell || fail "the shell ended"
    import -window root "$3/manual.png"
    kill $shell
    grep -q "component created" "$3/shell.log" || fail "no reader component was loaded from the package"
    echo "the unpacked shell showed its main window and loaded the reader from lib/tavo/plugins"
' _ "$here" "$work/root" "$work"
