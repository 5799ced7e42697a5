#!/usr/bin/env bash
# Set-up, build, then the Debian package (build/packages/tavo-disc_*.deb), checked by lintian.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/packages/tavo-disc_*.deb | head -n 1)
echo "Package: $deb"
# Errors fail the script; warnings are shown.
lintian --fail-on error --no-tag-display-limit "$deb"
