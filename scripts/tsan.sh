#!/usr/bin/env bash
# Builds DIR with ThreadSanitizer and runs the suites that start threads: the
# thread and main-thread-request tests, the sound tests, the play suite (the
# pause and ranking worker threads), and the application frame's threads (the
# frame driver, the main window's requests, the window's close, message boxes
# in the window, stage loading, whole runs of the game: the sample's start,
# and its first stage played by the game program and in the test's process).
# Any report makes the test binary (and the game program) exit with 66.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
"$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TSAN=ON -DQV_BENCH=OFF \
    --target test_platform test_play test_app
export QV_TEST_DATA="$root/tests/data"
# The window tests draw with SDL's software renderer, which the program keeps
# off OpenGL: no GL driver is loaded, so none of its uninstrumented threads
# (Mesa's llvmpipe workers) run beside ours.
export SDL_RENDER_DRIVER=software
# The game program that the whole-run tests start takes the test binaries'
# suppressions (libgomp's own barriers, the dynamic loader's unloading of the
# C library's converter modules; see tests/support) from the environment.
supp="$(cd "$dir" && pwd)/tsan.supp"
printf 'race:libgomp.so.1\nrace:_dl_close_worker\n' > "$supp"
export TSAN_OPTIONS="suppressions=$supp${TSAN_OPTIONS:+ $TSAN_OPTIONS}"
run() { echo "tsan.sh: $*"; "$@"; }
run "$dir/test_platform" --gtest_brief=1 \
    --gtest_filter='ThreadQueue.*:ThreadTest.*:ThreadSelf.*:WindowTest.*:X11WindowTest.*:SoundEffectsTest.*:MidiStreamTest.*:MusicTest.*:SmfTest.*'
# The audio-device tests change DISPLAY, which would skip the real-window tests in the same run.
run "$dir/test_platform" --gtest_brief=1 --gtest_filter='SoundDeviceTest.*'
run "$dir/test_play" --gtest_brief=1
run "$dir/test_app" --gtest_brief=1 \
    --gtest_filter='SceneFrameTest.*:MainWindowTest.*:WindowCloseTest.*:WindowDialogTest.*:StageLoadTest.*:GameRun.*:PlayRun.*:PlayRunInProcess.*:PauseWaitRun.*'
