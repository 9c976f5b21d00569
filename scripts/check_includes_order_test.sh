#!/usr/bin/env bash
# Shows that check_includes.sh holds the source folders to one order of
# layers: it passes on the source tree and on a copy of it, and fails once an
# include that climbs the order is planted in the copy; in a small tree of one
# folder per layer it fails on every climbing include, lower layer to higher.
# Usage: check_includes_order_test.sh [ROOT]
set -euo pipefail
scripts="$(cd "$(dirname "$0")" && pwd)"
check="$scripts/check_includes.sh"
root="${1:-$(cd "$scripts/.." && pwd)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The layers, bottom first, each with a folder that stands for it.
layers="records platform/system stage database world actors player scene play app"

expect() {  # expect pass|fail TREE WHAT
    local want="$1" tree="$2" what="$3" got=pass
    "$check" "$tree" >"$work/out" 2>&1 || got=fail
    if [ "$got" != "$want" ]; then
        echo "check_includes_order_test: $what: expected the check to $want, it did $got" >&2
        cat "$work/out" >&2
        exit 1
    fi
}

# The source tree itself, and a copy of it with play including the
# application: the planted line is the one the check names.
expect pass "$root" "the source tree"
mkdir "$work/copy"
cp -r "$root/src" "$work/copy/src"
planted="src/play/play_scene.cpp:$(($(wc -l <"$work/copy/src/play/play_scene.cpp") + 1))"
printf '#include "app/main_window.h"\n' >>"$work/copy/src/play/play_scene.cpp"
expect fail "$work/copy" "play/play_scene.cpp including app/main_window.h"
if [ "$(grep -c '^check_includes: src/' "$work/out")" != 1 ] || ! grep -q "^check_includes: $planted: " "$work/out"; then
    echo "check_includes_order_test: the copy's only fault should be the planted line $planted:" >&2
    cat "$work/out" >&2
    exit 1
fi

# One folder per layer; each file includes its own header and the layer below.
small_tree() {
    rm -rf "$work/t"
    local below="" layer
    for layer in $layers; do
        mkdir -p "$work/t/src/$layer"
        printf '#pragma once\nint F();\n' >"$work/t/src/$layer/f.h"
        {
            printf '#include "%s/f.h"\n' "$layer"
            # The stage uses the records only, not the platform.
            case "$layer" in stage) printf '#include "records/f.h"\n' ;; *) [ -n "$below" ] && printf '#include "%s/f.h"\n' "$below" ;; esac
        } >"$work/t/src/$layer/f.cpp"
        below="$layer"
    done
}

small_tree
expect pass "$work/t" "one folder per layer, each including the layer below"
lower_layers=""
for upper in $layers; do
    for lower in $lower_layers; do
        small_tree
        printf '#include "%s/f.h"\n' "$upper" >>"$work/t/src/$lower/f.cpp"
        expect fail "$work/t" "$lower including $upper"
    done
    lower_layers="$lower_layers $upper"
done

echo "check_includes_order_test: the check refuses every include that climbs the layer order"
