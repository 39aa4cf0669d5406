#!/usr/bin/env bash
# Installs, with apt-get, every Debian package that building, running and testing needs.
# Only packages that are missing are installed, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libegl-dev libgl-dev libopengl-dev libegl-mesa0 libgl1-mesa-dri libpng-dev
  libstb-dev fonts-dejavu-core libglfw3-dev libx11-dev xvfb xauth x11-utils xdotool imagemagick strace
  g++-mingw-w64-x86-64 wine64 wine
  mummer ncbi-blast+ minimap2 kleborate-examples xz-utils gawk mawk python3
  libminimap2-dev zlib1g-dev ragout-examples maffilter-examples
  help2man
  zlib1g-dev libz-mingw-w64-dev libminimap2-dev trf tabix ragout-examples kaptive-example
  tesseract-ocr librsvg2-bin libxml2-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; else sudo=""; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
