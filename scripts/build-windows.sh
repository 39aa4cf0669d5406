#!/usr/bin/env bash
# Cross-builds the viewer for 64-bit Windows with MinGW-w64 into build-windows/, giving
# build-windows/bin/quelvar.exe and the tools that run on Windows, with their runtimes
# linked in, and checks that none needs a DLL beyond the system's.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$(pwd)/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build build-windows -j "${QUELVAR_JOBS:-$(nproc)}"

[ -f build-windows/bin/quelvar.exe ] || { echo "build-windows.sh: quelvar.exe was not built" >&2; exit 1; }
system_dlls='^(kernel32|user32|gdi32|opengl32|msvcrt|advapi32|shell32|ole32|ws2_32|ucrtbase|api-ms-win-.*)\.dll$'
for program in build-windows/bin/*.exe; do
  foreign=$(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ {print tolower($3)}' \
    | grep -Ev "$system_dlls" || true)
  if [ -n "$foreign" ]; then
    echo "build-windows.sh: $program needs DLLs the system does not have: $foreign" >&2
    exit 1
  fi
done
echo "built $(cd build-windows/bin && echo *.exe)"
