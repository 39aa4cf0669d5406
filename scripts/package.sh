#!/usr/bin/env bash
# Writes the packages into dist/: quelvar_<version>_amd64.deb and
# quelvar-<version>-linux-x86_64.tar.gz from the native build (build/), and
# quelvar-<version>-windows-x86_64.zip from the MinGW-w64 build (build-windows/). Builds
# only what the packages hold; after scripts/test.sh's builds it only packs.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)
jobs=${QUELVAR_JOBS:-$(nproc)}

command -v help2man >/dev/null || { echo "package.sh: help2man is missing; run scripts/deps.sh" >&2; exit 1; }

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
# The manual pages need every installed program, so this one target builds them all.
cmake --build build -j "$jobs" --target man_pages
bash scripts/build-windows.sh

mkdir -p dist
staging=$(mktemp -d "$(pwd)/build/cpack.XXXXXX")
trap 'rm -rf "$staging"' EXIT
cpack --config build/CPackConfig.cmake -B "$staging" >/dev/null
cpack --config build-windows/CPackConfig.cmake -B "$staging" >/dev/null
for package in "$staging"/*.deb "$staging"/*.tar.gz "$staging"/*.zip; do
  [ -f "$package" ] || { echo "package.sh: CPack wrote no $(basename "$package")" >&2; exit 1; }
  mv -f "$package" dist/
  printf '%8d bytes  dist/%s\n' "$(stat -c %s "dist/${package##*/}")" "${package##*/}"
done
echo "packages built in $(($(date +%s) - started)) s"
