#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing Vartesk.
# Runs apt-get only when a package is missing; non-interactive.
set -euo pipefail

packages=(
    cmake g++ make ninja-build
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format
    python3 python3-xlrd python3-ezdxf
    # The interop tests: LibreOffice opens, prints and saves our workbooks again.
    libreoffice-calc-nogui
    # The desktop program (Qt 6 Widgets, and QtTest for its tests), a font for its texts, and
    # an X server without a screen to start it as a person would.
    qt6-base-dev fonts-dejavu-core
    # Qt's own dialogs and buttons in Russian with the Russian interface.
    qt6-translations-l10n
    xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
