#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the include rules (and a check that the check itself catches a stray include);
#   2. a bounded fuzz run over every file reader (QV_FUZZ_TIME=0 skips it);
#   3. every suite whole in one process, shuffled with two seeds, and the
#      dialogs' golden frames with other processors' approximations;
#   4. the ThreadSanitizer build over the suites that start threads (QV_TSAN=0 skips it);
#   5. the normal build's tests through CTest;
#   6. the ASan + UBSan build's tests through CTest (QV_SANITIZE=0 skips it).
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
"$root/scripts/setup.sh"

export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
# Xvfb has no GPU: render in software rather than load a GL driver for nothing.
export SDL_RENDER_DRIVER="${SDL_RENDER_DRIVER:-software}"
# With no session bus, SDL's start has libdbus fork a dbus-launch; a fork while
# other threads allocate can leave the child stuck in AddressSanitizer's
# allocator, and the test waiting on it. An address that cannot connect makes
# D-Bus give up at once, without the fork.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/no-session-bus}"
jobs="$(nproc)"

"$root/scripts/check_includes_test.sh"
"$root/scripts/check_includes.sh" "$root"

# Tests that open a real window use an X server of their own. Xvfb picks a free
# display itself (-displayfd) and writes its number once it accepts clients, so
# two test runs on one machine never share a display.
xvfb_pid=""
xvfb_out="$(mktemp)"
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -f "$xvfb_out"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_out" >/dev/null 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 1 100); do
  display="$(tr -dc 0-9 <"$xvfb_out")"
  [ -n "$display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$display" ] || ! DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then
  echo "test.sh: the X server for the window tests (Xvfb) did not start; is the xvfb package installed?" >&2
  exit 1
fi
export DISPLAY=":$display"
echo "test.sh: window tests use Xvfb on display :$display"

# build DIR [cmake args...]: configures (once) and builds DIR.
build() { "$root/scripts/build.sh" "$@"; }

# Every reader of a game folder's files fuzzed (clang, libFuzzer, ASan + UBSan);
# a crash, leak, timeout or out-of-memory fails the test command. By default a
# bounded run (seed 1, a fixed number of inputs per harness) from fresh seed
# corpora; QV_FUZZ_TIME=N explores each harness for N seconds instead;
# QV_FUZZ_TIME=0 or QV_FUZZ_RUNS=0 skips it.
"$root/scripts/fuzz.sh" "$root/build-fuzz"

# The normal build; its suites also run whole in one process, shuffled, so that
# a test that leans on another's leftovers fails here.
build "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(
  cd "$root/build"
  export QV_TEST_DATA="$root/tests/data"
  for suite in test_*; do
    [ -x "$suite" ] || continue
    for seed in 1 14; do
      echo "test.sh: $suite in one process, shuffled with seed $seed"
      scratch="$(mktemp -d)"
      (cd "$scratch" && "$root/build/$suite" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1) ||
        { echo "test.sh: $suite failed in one process with seed $seed" >&2; rm -rf "$scratch"; exit 1; }
      rm -rf "$scratch"
    done
  done
)

# The dialogs' golden frames again with the processor's approximate square
# roots answering as other processors would: they must not change.
(
  cd "$(mktemp -d)"
  QV_TEST_DATA="$root/tests/data" "$root/scripts/render_determinism.sh" "$root/build/test_player" \
    'PlayerDialogTest.TheNameDialogAndTheFileListsShowTheirTextsWhole'
)

# The ThreadSanitizer build over the suites that start threads.
if [ "${QV_TSAN:-1}" != "0" ]; then
  "$root/scripts/tsan.sh" "$root/build-tsan"
fi

# CTest closes the output: the normal build's tests, then the sanitizer build's.
ctest --test-dir "$root/build" --output-on-failure -j"$jobs" --timeout 600
if [ "${QV_SANITIZE:-1}" != "0" ]; then
  build "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The leak checker's tracer can crash in processes that hold an X11
  # connection's threads: tests of the real window run without it.
  # So do the tests that run the whole program inside the test process: the
  # libraries it loads and unloads leave allocations no symbol can name.
  real_window='^(X11WindowTest|DDWindowTest|WindowCloseTest|WindowDialogTest|WindowAudioTest|WorldMapSceneTest|PlayRunInProcess|ReplayTitleTest|WholeGameInProcess|StoryRun|FullScreenRun)\.'
  # The game program that some tests start has no compiled-in suppressions.
  export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp"
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 ctest --test-dir "$root/build-asan" --output-on-failure \
    -j"$jobs" --timeout 600 -R "$real_window"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 ctest --test-dir "$root/build-asan" --output-on-failure \
    -j"$jobs" --timeout 600 -E "$real_window"
fi
