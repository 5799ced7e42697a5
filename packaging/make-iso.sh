#!/bin/sh
# Writes the ISO 9660 image (Rock Ridge and Joliet) of a disc folder, with the freedesktop
# autorun file in its root.   make-iso.sh DISC-FOLDER AUTORUN OUT.iso
set -eu
[ $# -eq 3 ] || { echo "usage: make-iso.sh DISC-FOLDER AUTORUN OUT.iso" >&2; exit 2; }
rm -f "$3"
exec xorriso -as mkisofs -quiet -R -J -V TAVO_CH_3_2 -o "$3" -graft-points "$1" "autorun=$2"
