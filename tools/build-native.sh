#!/bin/bash
# Builds a host-native program from C++ and C sources with the host's own
# compilers, for the Windows configurations that need a host tool while
# cross-compiling.
#   build-native.sh OUTPUT ROOT SOURCE...   (.c files as C, the rest as C++)
set -euo pipefail
output="$1"; root="$2"; shift 2
work="$output.objects"
rm -rf "$work"; mkdir -p "$work"
objects=()
for source in "$@"; do
  object="$work/$(echo "$source" | tr '/' '_').o"
  case "$source" in
    *.c) cc -O2 -w -D_7ZIP_ST -I /usr/include/lzma -c "$source" -o "$object" ;;
    *) c++ -O2 -std=c++17 -Wall -Wextra -Werror -D_7ZIP_ST -I "$root" -isystem /usr/include/lzma \
         -c "$source" -o "$object" ;;
  esac
  objects+=("$object")
done
c++ -o "$output" "${objects[@]}"
rm -rf "$work"
