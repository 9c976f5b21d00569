#!/usr/bin/env bash
# Builds DIR with ThreadSanitizer and runs the suites that start threads: the
# thread and main-thread-request tests, the sound tests and stage loading.
# Any report makes the test binary exit with 66.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$1"
"$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TSAN=ON -DQV_BENCH=OFF \
    --target test_platform test_app
export QV_TEST_DATA="$root/tests/data"
run() { echo "tsan.sh: $*"; "$@"; }
run "$dir/test_platform" --gtest_brief=1 \
    --gtest_filter='ThreadQueue.*:ThreadTest.*:ThreadSelf.*:WindowTest.*:X11WindowTest.*:SoundEffectsTest.*:MidiStreamTest.*:MusicTest.*:SmfTest.*'
# The audio-device tests change DISPLAY, which would skip the real-window tests in the same run.
run "$dir/test_platform" --gtest_brief=1 --gtest_filter='SoundDeviceTest.*'
run "$dir/test_app" --gtest_brief=1 --gtest_filter='StageLoadTest.*'
