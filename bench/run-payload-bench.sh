#!/bin/bash
# Unpacking benchmark on the build's own payload (dist/x64/payload.bin, the
# sample application, about 15 MB unpacked). In one run, best of 3 each:
#   product  DecompressPayload + ResPack::ExtractAll into an empty folder,
#            64-bit build under Wine (timed inside the process)
#   xz       xz -d of the same LZMA stream (given the .lzma header) to a file
#   7zz      7zz x of a .7z of the same folder (LZMA, same dictionary)
# and prints the ratios and the product's peak memory.
# Usage: TAVRIN_OUT=out/<name> bash bench/run-payload-bench.sh  (after build.sh x64)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"
source scripts/wine-env.sh
ensure_display >/dev/null
ensure_prefix
build="$TAVRIN_OUT/build-x64"
payload="$ROOT/dist/x64/payload.bin"
app="$build/payload/app"
bench_exe="$build/bin/package_payload_bench.exe"
[ -f "$payload" ] && [ -x "$bench_exe" ] || { echo "build x64 first" >&2; exit 1; }
work="$(mktemp -d "$TAVRIN_OUT/bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

best_of_3() { # runs "$@" three times, prints the best wall time in seconds
  local best=""
  for _ in 1 2 3; do
    rm -rf "$work/out"; mkdir -p "$work/out"
    local start end
    start=$(date +%s.%N); "$@" >/dev/null 2>&1; end=$(date +%s.%N)
    best=$(python3 -c "b='$best'; t=$end-$start; print(t if not b else min(float(b), t))")
  done
  echo "$best"
}

# .lzma for xz: properties, unpacked size as u64, then the stream.
python3 - "$payload" "$work/payload.lzma" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
stream, props, size = data[:-9], data[-9:-4], struct.unpack('<I', data[-4:])[0]
open(sys.argv[2], 'wb').write(props + struct.pack('<Q', size) + stream)
PY
dict_bytes=$(python3 -c "import struct; print(struct.unpack('<I', open('$payload','rb').read()[-8:-4])[0])")
(cd "$app" && 7zz a -bd -t7z -m0=lzma -mx=5 -md="${dict_bytes}b" -mmt=1 "$work/app.7z" . >/dev/null)

xz_s=$(best_of_3 bash -c "xz --format=lzma -dc '$work/payload.lzma' > '$work/out/pack'")
szip_s=$(best_of_3 7zz x -y -bd -mmt=1 -o"$work/out" "$work/app.7z")

win_work="Z:${work//\//\\}\\product"
rm -rf "$work/product"; mkdir -p "$work/product"
product_out=$(wine_run "$bench_exe" "Z:${payload//\//\\}" "$win_work" 3 | tr -d '\r')
product_s=$(awk '/^seconds/ {print $2}' <<<"$product_out")
decode_s=$(awk '/^decode_seconds/ {print $2}' <<<"$product_out")
payload_bytes=$(awk '/^payload_bytes/ {print $2}' <<<"$product_out")
unpacked=$(awk '/^unpacked_bytes/ {print $2}' <<<"$product_out")
base=$(awk '/^baseline_working_set/ {print $2}' <<<"$product_out")
peak=$(awk '/^peak_working_set/ {print $2}' <<<"$product_out")

python3 - <<PY
product, decode, xz, szip = $product_s, $decode_s, $xz_s, $szip_s
payload, unpacked, base, peak = $payload_bytes, $unpacked, $base, $peak
mb = lambda b: b / 1048576
print(f"payload {mb(payload):.2f} MiB, unpacked {mb(unpacked):.2f} MiB")
print(f"product decode+extract (Wine, x64): {product:.3f} s  (decode {decode:.3f} s, extract {product - decode:.3f} s)")
print(f"xz -d of the same stream:           {xz:.3f} s")
print(f"7zz x of an equivalent .7z:         {szip:.3f} s")
print(f"ratio product / 7zz x: {product / szip:.2f}  (aim <= 1.30)")
print(f"ratio product / xz -d: {product / xz:.2f}")
used = peak - base
limit = payload + 2.2 * unpacked
print(f"peak memory of the product's path: {mb(used):.1f} MiB above a {mb(base):.1f} MiB baseline "
      f"(limit payload + 2.2 x unpacked = {mb(limit):.1f} MiB; ratio {used / limit:.2f})")
PY
