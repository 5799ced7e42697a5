#!/bin/sh
# The disc's PDF reader installer: copies the reader component that lies beside it into the
# user's plugin folder, where the shell looks for components when it starts. Nothing needs
# administrator rights; running it again replaces the installed copy.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
plugin="$here/libtavo-pdfreader.so"
data="${XDG_DATA_HOME:-}"
[ -n "$data" ] || data="$HOME/.local/share"
target="$data/tavo/plugins"

if [ ! -f "$plugin" ]; then
    echo "SetupAcrobat: the reader component $plugin is missing from the disc." >&2
    exit 1
fi
mkdir -p "$target"
# Copied under a temporary name and renamed, so a shell starting meanwhile never loads half
# a file.
tmp="$target/.libtavo-pdfreader.so.$$"
trap 'rm -f "$tmp"' EXIT
cp "$plugin" "$tmp"
chmod 0755 "$tmp"
mv -f "$tmp" "$target/libtavo-pdfreader.so"
trap - EXIT
echo "SetupAcrobat: the PDF reader is installed in $target; start the program again to read the manual."
