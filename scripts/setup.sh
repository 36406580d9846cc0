#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Idempotent: packages already present are left alone, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev libuemf-dev emf2svg
  libgtest-dev
  fonts-dejavu-core
  xvfb xauth x11-apps imagemagick xdotool
  poppler-utils python3 python3-pil
  clang libclang-rt-14-dev clang-format
  libbenchmark-dev libqcustomplot-dev libqcustomplot2.1-qt6 valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
