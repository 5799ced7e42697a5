#!/bin/sh
# Demo installer of the heating program Tavo C.H. 3.2.
# Copies HD.exe and its data folder into a per-user folder and writes TAVHD3_2.ini with
# PROGPATH (the installation folder) into the Windows folder, which is where the disc's
# shell looks for it. Folders follow the shell's rules:
#   installation  $TAVO_INSTALL_DIR, else ${XDG_DATA_HOME:-~/.local/share}/TavoCH32
#   Windows       $TAVO_WINDOWS_DIR, else ${XDG_DATA_HOME:-~/.local/share}/tavo/windows
set -eu

here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
data_home=${XDG_DATA_HOME:-${HOME:?}/.local/share}
dest=${TAVO_INSTALL_DIR:-$data_home/TavoCH32}
windir=${TAVO_WINDOWS_DIR:-$data_home/tavo/windows}

mkdir -p "$dest/data" "$windir"
# The program's runtime, when the disc carries one, goes first: the program finds it beside
# itself.
if [ -d "$here/files/lib" ]; then
    rm -rf "$dest/lib.new"
    cp -R "$here/files/lib" "$dest/lib.new"
    rm -rf "$dest/lib"
    mv "$dest/lib.new" "$dest/lib"
    cp "$here/files/qt.conf" "$dest/qt.conf"
fi
cp "$here/files/HD.exe" "$dest/HD.exe.new"
chmod 755 "$dest/HD.exe.new"
mv -f "$dest/HD.exe.new" "$dest/HD.exe"
cp -R "$here/files/data/." "$dest/data/"

# The profile is replaced in one step, so the shell never reads half of it.
tmp="$windir/.TAVHD3_2.ini.$$"
printf '[STARTUP]\r\nPROGPATH=%s\r\n' "$dest" > "$tmp"
mv -f "$tmp" "$windir/TAVHD3_2.ini"

echo "Tavo C.H. 3.2 has been installed in $dest"
# Tell the user, unless there is nobody to tell.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${TAVO_INSTALL_QUIET:-}" ]; then
    "$dest/HD.exe" --installed "$dest" >/dev/null 2>&1 &
fi
exit 0
