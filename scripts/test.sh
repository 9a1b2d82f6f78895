#!/bin/bash
# Installs what is missing, builds every configuration and runs every test:
# the Windows tests under Wine (64-bit build, Xvfb display), the host tests
# natively, then the extra checks in scripts/test.d. Ends with one summary
# line. Honours TAVRIN_OUT (see build.sh); the Wine prefix lives there too.
set -uo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

bash scripts/install-deps.sh || exit 1
bash scripts/build.sh || exit 1

source scripts/wine-env.sh
ensure_display xvfb || exit 1
ensure_prefix
trap stop_wine EXIT

passed=0
failed=0
count() { # adds one ctest run's figures from its log
  local line
  line="$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)"
  [ -n "$line" ] || { failed=$((failed + 1)); return; }
  local f total
  f="$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")"
  total="$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")"
  passed=$((passed + total - f))
  failed=$((failed + f))
}

out="${TAVRIN_OUT:-out}"
for dir in "$out/build-x64" "$out/build-host"; do
  echo "== ctest $dir"
  ctest --test-dir "$dir" --output-on-failure -j1 2>&1 | tee "$dir/ctest.log"
  count "$dir/ctest.log"
done

for extra in scripts/test.d/*.sh; do
  [ -f "$extra" ] || continue
  echo "== $extra"
  if bash "$extra"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done

echo
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
