#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build first,
# then the sanitizer build (ASan + UBSan) unless QV_SANITIZE=0.
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh"

export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
# Xvfb has no GPU: render in software rather than load a GL driver for nothing.
export SDL_RENDER_DRIVER="${SDL_RENDER_DRIVER:-software}"
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

# run_suite DIR [cmake args...] [-R|-E regex]: builds DIR and runs its tests.
run_suite() {
  local dir="$1"; shift
  local cmake_args=() ctest_args=()
  while [ $# -gt 0 ]; do
    case "$1" in
      -R|-E) ctest_args+=("$1" "$2"); shift 2 ;;
      *) cmake_args+=("$1"); shift ;;
    esac
  done
  "$root/scripts/build.sh" "$dir" "${cmake_args[@]}"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600 "${ctest_args[@]}"
}

# A fuzz run over stage loading (clang, libFuzzer, ASan + UBSan); a crash fails the test command.
# By default a bounded run: seed 1 and QV_FUZZ_RUNS inputs from a fresh corpus of seed stages.
# QV_FUZZ_TIME=N explores for N seconds instead; QV_FUZZ_TIME=0 or QV_FUZZ_RUNS=0 skips it.
fuzz_runs="${QV_FUZZ_RUNS:-150000}"
fuzz_time="${QV_FUZZ_TIME:-}"
if [ "$fuzz_runs" != "0" ] && [ "$fuzz_time" != "0" ]; then
  fuzz_dir="$root/build-fuzz"
  if [ ! -f "$fuzz_dir/build.ninja" ]; then
    cmake -S "$root" -B "$fuzz_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DQV_FUZZ=ON -DQV_TESTS=OFF -DQV_BENCH=OFF >/dev/null
  fi
  cmake --build "$fuzz_dir" --target fuzz_stage fuzz_stage_seeds -- -j"$jobs"
  rm -rf "$fuzz_dir/corpus"
  mkdir -p "$fuzz_dir/corpus"
  "$fuzz_dir/fuzz_stage_seeds" "$fuzz_dir/corpus"
  if [ -n "$fuzz_time" ]; then limit=(-max_total_time="$fuzz_time"); else limit=(-seed=1 -runs="$fuzz_runs"); fi
  "$fuzz_dir/fuzz_stage" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$fuzz_dir/" -print_final_stats=1 "$fuzz_dir/corpus"
fi

# The test suites run last, so that their summaries close the output.
run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${QV_SANITIZE:-1}" != "0" ]; then
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The leak checker's tracer can crash in processes that hold an X11
  # connection's threads: tests of the real window run without it.
  real_window='^(X11WindowTest|DDWindowTest)\.'
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
    -DQV_SANITIZE=ON -R "$real_window"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug \
    -DQV_SANITIZE=ON -E "$real_window"
fi

