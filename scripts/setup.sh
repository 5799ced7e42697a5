#!/usr/bin/env bash
# Installs every system package the build, the tests and the tools need.
# Idempotent and non-interactive: packages already present are skipped.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ clang libclang-rt-14-dev
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-svg-dev qt6-tools-dev-tools libqt6sql6-sqlite
    libqt6opengl6-dev libpoppler-qt6-dev libpoppler-private-dev libcairo2-dev poppler-utils
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xdotool imagemagick x11-utils openbox gdb python3
    fonts-dejavu-core locales
    libcanberra0 libxcb1-dev python3 openssl
    qt6-l10n-tools qt6-translations-l10n python3-pyatspi dbus-x11 at-spi2-core
    desktop-file-utils appstream lintian xorriso dpkg-dev fakeroot
    patchelf mmdebstrap bubblewrap
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# The tests check number formatting under a locale with a decimal comma.
ensure_locale() {
    if ! locale -a 2>/dev/null | grep -qi '^pl_PL\.utf-\?8$'; then
        $sudo sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^pl_PL.UTF-8 UTF-8' /etc/locale.gen || echo 'pl_PL.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
        $sudo locale-gen >/dev/null
    fi
}

if [ ${#missing[@]} -eq 0 ]; then
    ensure_locale
    exit 0
fi

# A fresh machine may have no package lists yet.
if [ -z "$(find /var/lib/apt/lists -maxdepth 1 -name '*_Packages*' -print -quit 2>/dev/null)" ]; then
    $sudo apt-get update -q
fi
if ! $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    # Stale lists: refresh once and try again.
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
ensure_locale
