#!/usr/bin/env bash
# The dialogs' pictures must not depend on the processor they are drawn on.
# Dear ImGui places its geometry with the processors' approximate reciprocal
# square root (RSQRTSS), whose last bits differ between makers (1.0 gives
# 0x3f7ff800 on one, 0x3f7ff000 on another): a line's edge a hair below a
# whole pixel on one machine loses a row there. This runs a test binary's
# golden-frame cases under gdb with every such instruction answering the exact
# value, and the exact value at either end of the approximation's allowed
# error (1.5 * 2^-12), so the frames must come out the same on every machine.
# Usage: render_determinism.sh TEST_BINARY GTEST_FILTER
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
binary="$1"
filter="$2"
# offset:kind:source:destination:length for each register-to-register use.
sites="$(objdump -d "$binary" | awk '
  /^ *[0-9a-f]+:\t/ && /\t(rsqrtss|rcpss) +%xmm[0-9]+,%xmm[0-9]+$/ {
    addr = $1; sub(":", "", addr)
    n = split($0, f, "\t"); bytes = f[2]; gsub(/ +$/, "", bytes); len = split(bytes, b, " ")
    split(f[3], ins, /[ ,%]+/)
    printf "%s:%s:%s:%s:%d ", addr, ins[1], ins[2], ins[3], len
  }')"
if [ -z "$sites" ]; then
  echo "render_determinism: no approximate instruction in $binary; nothing to vary"
  exit 0
fi
echo "render_determinism: $(wc -w <<<"$sites") approximate instructions in $(basename "$binary")"
for factor in 0.999633789 0.999755859375 1 1.000244140625 1.000366211; do
  if ! QV_APPROX_SITES="$sites" QV_APPROX_FACTOR="$factor" gdb -q -batch -nx -ex "set pagination off" \
      -ex "source $root/scripts/render_determinism.py" --args "$binary" --gtest_filter="$filter" --gtest_brief=1 \
      >"${TMPDIR:-/tmp}/render_determinism.log" 2>&1 ||
      ! grep -q '^\[  PASSED  \]' "${TMPDIR:-/tmp}/render_determinism.log" ||
      grep -q '^\[  FAILED  \]' "${TMPDIR:-/tmp}/render_determinism.log"; then
    echo "render_determinism: $filter differs with the approximations scaled by $factor:" >&2
    grep -E 'differs|FAILED|Error' "${TMPDIR:-/tmp}/render_determinism.log" | head -20 >&2
    exit 1
  fi
done
echo "render_determinism: $filter the same at every approximation"
