#!/bin/bash
# Installs the Debian packages the project needs, when any is missing.
# Run as root on Debian 12; safe to run again (does nothing when all are there).
set -euo pipefail

PACKAGES=(
  cmake ninja-build make python3 python3-fonttools locales
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xauth x11-utils imagemagick fonts-wqy-zenhei
  googletest lzma-dev xz-utils 7zip
  gcc-multilib g++-multilib qemu-user-static
  clang libclang-rt-14-dev liblnk-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

# Wine converts file names with the host's locale: without a real zh_CN.UTF-8
# locale, Chinese file names cannot be created at all.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "Generating the zh_CN.UTF-8 locale"
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
