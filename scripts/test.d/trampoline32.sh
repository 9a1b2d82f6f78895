#!/bin/bash
# Builds the host trampoline's 32-bit machine code with the product's own
# builder into a static i386 Linux program and runs it under qemu-i386-static:
# no 32-bit code runs natively on these machines.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
# wine-env.sh resolves TAVRIN_OUT (relative to the checkout, or absolute).
source "$ROOT/scripts/wine-env.sh"
out="$TAVRIN_OUT/trampoline32"
mkdir -p "$out"
g++ -m32 -static -fno-pie -no-pie -O1 -std=c++17 -Wall -Wextra -Werror -I "$ROOT" \
  "$ROOT/tests/trampoline32/Trampoline32Check.cpp" "$ROOT/ui/core/HostTrampolineCode.cpp" \
  -o "$out/trampoline32-check"
qemu-i386-static "$out/trampoline32-check"
