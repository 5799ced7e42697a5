#!/usr/bin/env bash
# Prints the folder of a minimal Debian root: a desktop that has never seen us, with only
# the X client libraries, fonts and GL. Made from Debian's packages once (about a minute)
# and kept in the user's cache, keyed by the package list, so later runs reuse it.
#   minimal-root.sh        the root's folder on standard output
set -euo pipefail
suite=bookworm
include=libx11-xcb1,libxcb1,libgl1,libfontconfig1,fonts-dejavu-core,libxkbcommon0
key=$(printf '%s %s essential' "$suite" "$include" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tavo
root=$cache/minimal-root-$key
if [ -f "$root/.complete" ]; then
    echo "$root"
    exit 0
fi
command -v mmdebstrap >/dev/null || { echo "mmdebstrap is missing (scripts/setup.sh installs it)" >&2; exit 1; }
mkdir -p "$cache"
# Made beside its final place and renamed, so an interrupted run leaves nothing half made.
tmp=$(mktemp -d "$cache/.minimal-root.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
start=$SECONDS
mmdebstrap --quiet --variant=essential --include="$include" \
    --aptopt='Acquire::Check-Valid-Until "false"' \
    "$suite" "$tmp/root" >&2
touch "$tmp/root/.complete"
# Another run may have made it meanwhile: the first one stays, in use.
if [ ! -f "$root/.complete" ]; then
    rm -rf "$root"
    mv "$tmp/root" "$root"
fi
echo "made the minimal root $root in $((SECONDS - start)) s" >&2
echo "$root"
