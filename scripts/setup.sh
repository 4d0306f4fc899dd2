#!/usr/bin/env bash
# Installs every Debian package the project needs. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-charts-dev libqt6opengl6-dev
  xvfb xauth fonts-dejavu-core imagemagick
  # The fonts a typical desktop has: "Courier New" and its kin then resolve
  # to their substitutes there, as on a user's machine.
  fonts-urw-base35 fonts-liberation2
  tshark tcpdump
  tzdata
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && { echo "setup: all packages present"; exit 0; }

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
# tshark asks whether non-root users may capture; answer no without a prompt.
echo "wireshark-common wireshark-common/install-setuid boolean false" | "${SUDO[@]}" debconf-set-selections
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
