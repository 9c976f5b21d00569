#!/usr/bin/env bash
# Shows that check_includes.sh catches what it must: it passes on a small clean
# tree, and fails on each kind of stray include planted in a copy of it.
set -euo pipefail
check="$(cd "$(dirname "$0")" && pwd)/check_includes.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

clean_tree() {
    rm -rf "$work/t"
    mkdir -p "$work/t/src/records" "$work/t/src/stage" "$work/t/src/platform/system" \
             "$work/t/src/platform/seam" "$work/t/tests" "$work/t/bench" "$work/t/fuzz"
    printf '#pragma once\nint Rec();\n' >"$work/t/src/records/rec.h"
    printf '#include "records/rec.h"\n' >"$work/t/src/stage/stage.cpp"
    printf '#pragma once\nstruct NativeWindow;\n' >"$work/t/src/platform/system/win.h"
    printf '#include <SDL.h>\n#include "platform/system/win.h"\nSDL_Window* w;\n' >"$work/t/src/platform/seam/win.cpp"
}

expect() {  # expect pass|fail WHAT
    local want="$1" what="$2" got=pass
    "$check" "$work/t" >/dev/null 2>&1 || got=fail
    if [ "$got" != "$want" ]; then
        echo "check_includes_test: $what: expected the check to $want, it did $got" >&2
        exit 1
    fi
}

clean_tree
expect pass "a clean tree"

clean_tree
printf '#include <SDL.h>\n' >>"$work/t/src/stage/stage.cpp"
expect fail "SDL included outside the seam"

clean_tree
printf '#include <iconv.h>\n' >"$work/t/tests/t.cpp"
expect fail "iconv included by a test outside the seam's tests"

clean_tree
printf 'void Show(SDL_Window* w);\n' >>"$work/t/src/platform/system/win.h"
expect fail "an SDL type in a header outside the seam"

clean_tree
printf '#include "platform/system/win.h"\n' >>"$work/t/src/stage/stage.cpp"
expect fail "stage including the platform layer"

clean_tree
printf '#include "platform/seam/owners.h"\n' >"$work/t/src/platform/system/x.cpp"
expect fail "a platform folder including the seam"

echo "check_includes_test: the check catches every planted stray include"
