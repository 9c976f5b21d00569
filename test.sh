#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build first,
# then the sanitizer build (ASan + UBSan) unless QV_SANITIZE=0.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh"

export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
jobs="$(nproc)"

# Tests that open a real window use this X server.
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  fi
done

run_suite() {
  local dir="$1"; shift
  "$root/scripts/build.sh" "$dir" "$@"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600
}

run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${QV_SANITIZE:-1}" != "0" ]; then
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$root/tests/lsan.supp \
    run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON
fi
