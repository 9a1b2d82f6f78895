#!/bin/bash
# Installs what is missing, builds, and starts the installer under Wine: on the
# caller's display when there is one, otherwise under Xvfb, where a screenshot
# is saved to out/screenshots/setup.png.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
cd "$ROOT"

bash scripts/install-deps.sh
bash scripts/build.sh x86 x64

source scripts/wine-env.sh
if display_works; then
  ensure_prefix
  exec env LC_ALL=zh_CN.UTF-8 "$WINE64" "$ROOT/dist/x64/setup.exe"
fi

ensure_display xvfb
ensure_prefix
wine_run "$ROOT/dist/x64/setup.exe" </dev/null >/dev/null 2>&1 &
sleep 5
mkdir -p out/screenshots
import -window root out/screenshots/setup.png
echo "The installer is running on the virtual display $DISPLAY."
echo "Screenshot: $ROOT/out/screenshots/setup.png"
echo "Stop it with: WINEPREFIX=$WINEPREFIX $WINESERVER -k"
