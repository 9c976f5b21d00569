#!/usr/bin/env bash
# Configures (once) and builds one build tree.
# Usage: build.sh DIR [cmake args...] [--target TARGET...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"; shift
cmake_args=() targets=()
while [ $# -gt 0 ]; do
  if [ "$1" = "--target" ]; then shift; targets+=("$@"); break; fi
  cmake_args+=("$1"); shift
done
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${cmake_args[@]}" >/dev/null
fi
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$dir" --target "${targets[@]}" -- -j"$(nproc)"
else
  cmake --build "$dir" -- -j"$(nproc)"
fi
