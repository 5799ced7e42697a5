#!/usr/bin/env bash
# The disc on a desktop that has never seen us: a minimal Debian root with only the X
# client libraries, fonts and GL (minimal-root.sh). The disc folder is mounted read-only
# into it, as a disc is; every program and component on it finds everything it links
# (ldd inside the root), and the shell started there as a user, under a virtual X server
# whose socket the root shares, shows its window, installs and starts the demo program,
# shows a page served on 127.0.0.1 with the engine's sandbox on, and opens the manual and
# finds a word in it. Processes and mounts live in namespaces that end with the test.
#   disc-runtime-test.sh SAMPLE-DISC [SCREENSHOT.png]
set -euo pipefail
disc=$(cd "$1" && pwd)
shot=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" -ne 0 ] || ! command -v bwrap >/dev/null || ! command -v mmdebstrap >/dev/null; then
    echo "skipped: needs root, bwrap and mmdebstrap (scripts/setup.sh)"
    exit 77
fi
[ -d "$disc/lib" ] || { echo "FAIL: the disc carries no runtime (lib/ is missing)" >&2; exit 1; }
root=$("$here/minimal-root.sh")
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/home" "$work/site"
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ ! -f "$work/shell.log" ] || tail -n 20 "$work/shell.log" >&2
    exit 1
}

# The root as the disc meets it: read-only, the disc at /media/cdrom, a user's home and
# the X socket. Its process tree dies with the sandbox.
sandbox() {
    bwrap --ro-bind "$root" / --tmpfs /media --ro-bind "$disc" /media/cdrom \
        --proc /proc --dev /dev --tmpfs /tmp --tmpfs /run --tmpfs /home \
        --bind "$work/home" /home/user --bind /tmp/.X11-unix /tmp/.X11-unix \
        --unshare-user --uid 1000 --gid 1000 --unshare-pid --unshare-ipc --die-with-parent \
        --clearenv --setenv HOME /home/user --setenv PATH /usr/bin:/bin --setenv LANG C.UTF-8 \
        --setenv DISPLAY "${DISPLAY:-}" --setenv XDG_RUNTIME_DIR /tmp \
        --setenv QTWEBENGINE_CHROMIUM_FLAGS "--disable-gpu --host-resolver-rules=\"MAP * 127.0.0.1:${port:-1}\"" \
        "$@"
}

# 1. Nothing the disc's files link is missing from the root.
sandbox /bin/sh -c '
    cd /media/cdrom
    find . -type f | while read -r f; do
        [ "$(head -c 4 "$f" | od -An -c | tr -d " ")" = 177ELF ] || continue
        echo "$f" >>/tmp/elf
        ldd "$f" | sed -n "s|^\(.*not found\)|$f:\1|p"
    done
    echo "$(wc -l </tmp/elf) ELF files checked" >&2' >"$work/missing" 2>"$work/ldd.log"
cat "$work/ldd.log"
if [ -s "$work/missing" ]; then
    cat "$work/missing" >&2
    fail "files on the disc link libraries that neither the disc nor the desktop has"
fi
grep -q '^[1-9][0-9]* ELF files checked' "$work/ldd.log" || fail "no ELF file on the disc was checked"

# 2. The distributor's page, served here; the engine is told that every host is here.
cat >"$work/site/index.html" <<'EOF'
<!doctype html><title>Runtime check page</title>
<body style="margin:0;background:#1b7f4c"><h1 style="color:#fff">Served on 127.0.0.1</h1></body>
EOF
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$work/site" "$port" >"$work/http.log" 2>&1 &
pids+=($!)

xvfb-run -a -s "-ac -screen 0 1280x800x24" bash -c "
    source '$here/DesktopSupport.sh'
    $(declare -f sandbox fail)
    root='$root' disc='$disc' work='$work' port='$port' shot='$shot'
    # The window manager and the sandbox go with this script, whatever its end; the
    # sandbox takes every process in it along.
    trap 'kill \$(jobs -p) 2>/dev/null; wait' EXIT
    openbox >/dev/null 2>&1 &
    sleep 0.5
    sandbox /media/cdrom/tavo-shell >\"\$work/shell.log\" 2>&1 &
    wait_for_window 'Computer program Tavo C.H.' >/dev/null || fail 'the main window did not appear'
    shell=\$(pgrep -f '^/media/cdrom/tavo-shell' | head -n 1)
    [ -n \"\$shell\" ] || fail 'the shell is not running'
    # It runs on the disc's libraries, not on any the machine outside the root has.
    grep -q '/media/cdrom/lib/libQt6Core.so.6' /proc/\$shell/maps || fail 'the shell does not use the disc'\"'\"'s Qt'
    sleep 1
    [ -z \"\$shot\" ] || import -window root \"\$shot\"

    # Install: the disc's installer copies the program with its runtime and starts it.
    xdotool mousemove 180 150 click 1
    wait_for_window 'Tavo C.H. 3.2 - Setup' >/dev/null || fail 'the installed program did not start after installing'
    for f in .local/share/TavoCH32/HD.exe .local/share/TavoCH32/lib/libQt6Widgets.so.6 .local/share/tavo/windows/TAVHD3_2.ini; do
        [ -f \"\$work/home/\$f\" ] || fail \"the installer did not write \$f\"
    done
    grep -q 'PROGPATH=/home/user/.local/share/TavoCH32' \"\$work/home/.local/share/tavo/windows/TAVHD3_2.ini\" ||
        fail 'the profile does not name the installed folder'
    pkill -f '^/home/user/.local/share/TavoCH32/HD.exe --installed' || true
    # Start: the installed program runs in its data folder.
    xdotool mousemove 180 196 click 1
    wait_for_window '^Tavo C.H. 3.2$' >/dev/null || fail 'the installed program did not start'
    hd=\$(pgrep -f '^/home/user/.local/share/TavoCH32/HD.exe\$' | head -n 1)
    [ -n \"\$hd\" ] || fail 'the started program is not the installed one'
    case \$(readlink /proc/\$hd/cwd) in */TavoCH32/data) ;; *) fail 'the program did not start in its data folder' ;; esac
    grep -q '/TavoCH32/lib/libQt6Core.so.6' /proc/\$hd/maps || fail 'the installed program does not use its own runtime'
    kill \$hd

    # Internet: the home page, served here, with the engine's sandbox on.
    click_tab Internet
    for _ in \$(seq 1 100); do
        grep -q 'GET / ' \"\$work/http.log\" && break
        sleep 0.2
    done
    grep -q 'GET / ' \"\$work/http.log\" || fail 'the browser did not ask 127.0.0.1 for the home page'
    sleep 3
    import -window root \"\$work/internet.png\"
    green=\$(convert \"\$work/internet.png\" -fill black +opaque '#1b7f4c' -fill white -opaque '#1b7f4c' -format '%[fx:mean]' info:)
    awk -v g=\"\$green\" 'BEGIN { exit !(g > 0.2) }' || fail \"the page is not on the screen (share of its colour: \$green)\"
    sandboxed=0
    for p in \$(pgrep -f '^/media/cdrom/lib/qt6/libexec/QtWebEngineProcess --type=zygote'); do
        [ \"\$(readlink /proc/\$p/ns/user)\" != \"\$(readlink /proc/\$shell/ns/user)\" ] && sandboxed=\$((sandboxed + 1))
    done
    [ \"\$sandboxed\" -ge 1 ] || fail 'the engine runs its pages without the sandbox'

    # Manual: a document is shown and the search finds a word in it.
    click_tab Manual
    dismiss_reader_warning || fail 'the reader warning did not appear'
    sleep 3
    xdotool search --name 'Tavo C.H. - Error' >/dev/null 2>&1 && fail 'the manual could not be opened'
    pgrep -f '^/media/cdrom/Setup/Acrobat' >/dev/null && fail 'the reader was missing: its installer was offered'
    xdotool key ctrl+f
    sleep 0.5
    xdotool type --delay 50 radiator
    for _ in \$(seq 1 100); do
        ls \"\$work\"/home/.cache/tavo/*.sqlite >/dev/null 2>&1 && break
        sleep 0.2
    done
    sleep 3
    import -window root \"\$work/manual.png\"
    kill -0 \$shell || fail 'the shell ended'
    # What it loaded at run time came from the disc too.
    for lib in qt6/plugins/platforms/libqxcb.so qt6/plugins/iconengines/libqsvgicon.so \
        qt6/plugins/sqldrivers/libqsqlite.so libpoppler.so.126 libsqlite3.so.0; do
        grep -q \"/media/cdrom/.*lib/\$lib\" /proc/\$shell/maps || fail \"the shell did not load the disc's lib/\$lib\"
    done
    kill \$shell
    if [ -n \"\$shot\" ]; then
        cp \"\$work/internet.png\" \"\${shot%.png}-internet.png\"
        cp \"\$work/manual.png\" \"\${shot%.png}-manual.png\"
    fi
" || exit 1

index=$(ls "$work"/home/.cache/tavo/*.sqlite 2>/dev/null | head -n 1)
[ -n "$index" ] || fail "the manual's index was not made"
python3 - "$index" <<'EOF' || fail "the manual's index does not find the word"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
tables = [r[0] for r in db.execute("select name from sqlite_master where type='table'")]
found = 0
for t in tables:
    cols = [r[1] for r in db.execute(f"pragma table_info('{t}')")]
    for c in cols:
        try:
            found += db.execute(f"select count(*) from '{t}' where \"{c}\" like '%radiator%'").fetchone()[0]
        except sqlite3.Error:
            pass
sys.exit(0 if found else 1)
EOF
echo "the disc ran in a minimal root: window, install and start, the page on 127.0.0.1, the manual"
