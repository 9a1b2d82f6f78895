#!/bin/bash
# Fuzzes the resource pack index parser for about a minute with libFuzzer and
# AddressSanitizer (clang, libclang-rt-14-dev), starting from real packs and
# every input that once crashed it (tests/package/fuzz-corpus). A crash fails
# the check and leaves its input in the fuzz output folder: add it to the
# corpus once mended.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../.." && pwd)"
# wine-env.sh resolves TAVRIN_OUT (relative to the checkout, or absolute).
source "$ROOT/scripts/wine-env.sh"
out="$TAVRIN_OUT/fuzz"
rm -rf "$out/corpus"
mkdir -p "$out/corpus"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I "$ROOT" \
  "$ROOT/tests/package/PackIndexFuzz.cpp" "$ROOT/package/PackIndex.cpp" "$ROOT/package/Crc32.cpp" \
  -o "$out/pack-index-fuzz"
"$out/pack-index-fuzz" -max_total_time="${FUZZ_SECONDS:-60}" -rss_limit_mb=1024 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix="$out/" \
  "$out/corpus" "$ROOT/tests/package/fuzz-corpus" 2>"$out/fuzz.log" || {
  tail -40 "$out/fuzz.log" >&2
  exit 1
}
grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$out/fuzz.log" || true
