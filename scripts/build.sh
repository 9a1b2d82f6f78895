#!/bin/bash
# Builds every configuration:
#   out/build-x86   the product, copied to dist/setup.exe
#   out/build-x64   the 64-bit build, dist/x64/setup.exe, and the Windows tests
#   out/build-host  pure logic, host tools and fuzzers (clang, for libFuzzer)
# Usage: scripts/build.sh [x86|x64|host ...]   (default: all three)
# TAVRIN_OUT moves the build folders (default: out), so that several people
# can build and test one checkout side by side.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(x86 x64 host)
jobs="$(nproc)"

for t in "${targets[@]}"; do
  case "$t" in
    x86)  args=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" -DTAVRIN_TESTS=OFF) ;;
    x64)  args=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-x86_64.cmake") ;;
    host) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "unknown target $t" >&2; exit 2 ;;
  esac
  dir="${TAVRIN_OUT:-out}/build-$t"
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${args[@]}" >/dev/null
  fi
  echo "== building $t"
  cmake --build "$dir" -j "$jobs"
done
