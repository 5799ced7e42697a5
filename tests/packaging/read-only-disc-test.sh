#!/usr/bin/env bash
# The disc image as a user meets it: the ISO holds the shell, its components and the
# autorun file; extracted into a folder nobody may write (as a mounted disc is) and started
# by an unprivileged user, the shell goes through all three tabs with the web engine's
# sandbox on, writes nothing beside itself, and keeps settings, caches and the installed
# program in the user's folders.   read-only-disc-test.sh SAMPLE-DISC
set -euo pipefail
disc_source=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: switching to an unprivileged user needs root"
    exit 77
fi
work=$(mktemp -d)
chmod 755 "$work"
trap 'pkill -u nobody -f "$work" 2>/dev/null || true; rm -rf "$work"' EXIT

"$root/packaging/make-iso.sh" "$disc_source" "$root/packaging/autorun" "$work/disc.iso"
listing=$(xorriso -indev "$work/disc.iso" -find / -type f 2>/dev/null)
expected=(/autorun /tavo-shell /plugins/libtavo-webengine.so /plugins/libtavo-pdfreader.so
    /Setup/HD/setuphd.exe /Setup/Acrobat/SetupAcrobat.exe /Setup/PdfViewer/Documentation/TAVO_ENG.pdfv)
# A disc that carries its runtime carries it in the image too.
if [ -d "$disc_source/lib" ]; then
    expected+=(/qt.conf /lib/libQt6Core.so.6 /lib/qt6/libexec/QtWebEngineProcess
        /lib/qt6/plugins/platforms/libqxcb.so /Setup/HD/files/lib/libQt6Widgets.so.6)
fi
for file in "${expected[@]}"; do
    grep -qx "'$file'" <<<"$listing" || { echo "FAIL: the image lacks $file" >&2; exit 1; }
done

# What a mounted disc is: files nobody may change.
xorriso -osirrox on -indev "$work/disc.iso" -extract / "$work/disc" 2>/dev/null
chmod -R a-w "$work/disc"
[ -x "$work/disc/autorun" ] || { echo "FAIL: autorun is not executable" >&2; exit 1; }
mkdir -p "$work/home"
chown nobody:nogroup "$work/home"
touch "$work/before"
sleep 1

xvfb-run -a -s "-ac -screen 0 1280x800x24" bash -c '
    source "$1/DesktopSupport.sh"
    work=$2
    as_user() {
        setpriv --reuid=nobody --regid=nogroup --clear-groups \
            env -i HOME="$work/home" DISPLAY="$DISPLAY" PATH=/usr/bin:/bin LANG=C.UTF-8 \
            QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu "$@"
    }
    as_user openbox >/dev/null 2>&1 &
    sleep 0.5
    # Started as the desktop starts a disc: through its autorun file.
    as_user "$work/disc/autorun" >"$work/shell.log" 2>&1 &
    wait_for_window "Computer program Tavo C.H." >/dev/null || fail "the main window did not appear"
    shell=$(pgrep -u nobody -f "$work/disc/tavo-shell" | head -n 1)
    sleep 1
    click_tab Internet
    sleep 8
    kill -0 "$shell" || fail "the shell ended in the Internet tab"
    # The engine kept its sandbox: its page renderers are forked from a zygote that lives
    # in a user namespace of its own.
    sandboxed=0
    for p in $(pgrep -u nobody -f "QtWebEngineProcess --type=zygote"); do
        [ "$(readlink /proc/$p/ns/user)" != "$(readlink /proc/$shell/ns/user)" ] && sandboxed=$((sandboxed + 1))
    done
    [ "$sandboxed" -ge 2 ] || fail "the engine runs its pages without the sandbox"
    click_tab Manual
    dismiss_reader_warning || fail "the reader warning did not appear"
    sleep 4
    xdotool search --name "Tavo C.H. - Error" >/dev/null 2>&1 && fail "the manual could not be opened"
    click_tab Programs
    sleep 1
    xdotool mousemove 180 150 click 1  # Install the program
    for _ in $(seq 1 50); do
        [ -f "$work/home/.local/share/TavoCH32/HD.exe" ] && break
        sleep 0.2
    done
    kill -0 "$shell" || fail "the shell ended"
    kill "$shell"
' _ "$here" "$work"

changed=$(find "$work/disc" -newer "$work/before" | head -n 5)
[ -z "$changed" ] || { echo "FAIL: written beside the program: $changed" >&2; exit 1; }
for file in .config/tavo/user.reg .local/share/TavoCH32/HD.exe .local/share/tavo/windows/TAVHD3_2.ini; do
    [ -f "$work/home/$file" ] || { echo "FAIL: $file is not in the user's folder" >&2; ls -R "$work/home" >&2; exit 1; }
done
ls "$work"/home/.cache/tavo/*.sqlite >/dev/null 2>&1 || { echo "FAIL: no index of the manual in the user's cache" >&2; exit 1; }
echo "the disc ran read-only as nobody; the user's folders hold what it wrote"
