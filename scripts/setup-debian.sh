#!/usr/bin/env bash
# Installs what building, testing and running the program need on Debian 12.
# Packages already present are skipped, so running it again costs nothing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-websockets-dev qt6-multimedia-dev qt6-svg-dev
  libqt6opengl6-dev qt6-5compat-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-qpa-plugins qt6-translations-l10n
  libquazip1-qt6-dev zlib1g-dev libssl-dev
  libgl1-mesa-dri libgl-dev libegl-dev xvfb xauth fonts-dejavu-core fonts-comic-neue
  libx11-dev libxtst-dev
  libbenchmark-dev clang libclang-rt-14-dev
  openssl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
