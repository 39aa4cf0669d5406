#!/usr/bin/env bash
# Installs what is missing, builds every target (native, Windows cross build, sanitizer and
# fuzzer builds) and the packages, and runs every test. Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

step() { printf '\n== %s\n' "$*"; }

step "dependencies"
bash scripts/deps.sh

step "native build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$jobs"

if [ -f shell/win32/CMakeLists.txt ] || [ -d shell/win32 ]; then
  step "Windows build (MinGW-w64)"
  bash scripts/build-windows.sh
fi

step "packages (dist/)"
bash scripts/package.sh

step "tests"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 900

step "data tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUELVAR_SANITIZE=ON -DQUELVAR_DATA_ONLY=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

step "fuzzing the loader, the importer and the annotation reader (libFuzzer, bounded)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_FUZZ=ON \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
seconds=$(( ${QUELVAR_FUZZ_SECONDS:-60} / 3 ))
for target in loader import annotation; do
  mkdir -p "$corpus/$target"
  seeds=tests/fuzz/seeds
  [ "$target" = import ] && seeds=tests/fuzz/import_seeds
  [ "$target" = annotation ] && seeds=tests/fuzz/annotation_seeds
  cp "$seeds"/* "$corpus/$target"/
  (cd build-fuzz && "./bin/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 \
    -print_final_stats=1 "$corpus/$target" 2>&1 | tail -n 6)
done
echo "fuzzing found no fault"

step "all tests passed"
