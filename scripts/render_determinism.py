# gdb script for render_determinism.sh: every approximate reciprocal square
# root (RSQRTSS) or reciprocal (RCPSS) of the program gets the exact value
# scaled by QV_APPROX_FACTOR instead of this processor's approximation.
import math
import os
import struct

import gdb

FACTOR = float(os.environ["QV_APPROX_FACTOR"])
# "offset:kind:source:destination" for each instruction, offsets in the binary.
SITES = [s.split(":") for s in os.environ["QV_APPROX_SITES"].split()]


def to_float(v):
    return struct.unpack("<f", struct.pack("<f", v))[0]


class Approximation(gdb.Breakpoint):
    def __init__(self, address, kind, src, dst, length):
        super().__init__("*0x%x" % address, internal=True)
        self.kind, self.src, self.dst, self.length = kind, src, dst, length

    def stop(self):
        x = float(gdb.parse_and_eval("$%s.v4_float[0]" % self.src))
        exact = 1.0 / math.sqrt(x) if self.kind == "rsqrtss" else 1.0 / x
        value = to_float(to_float(exact) * FACTOR)
        gdb.execute("set var $%s.v4_float[0] = %r" % (self.dst, value), to_string=True)
        gdb.execute("set var $pc = $pc + %d" % self.length, to_string=True)
        return False


gdb.execute("starti", to_string=True)
binary = os.path.realpath(gdb.current_progspace().filename)
with open("/proc/%d/maps" % gdb.selected_inferior().pid) as maps:
    base = min(int(line.split("-")[0], 16) for line in maps if line.rstrip().endswith(binary))
for offset, kind, src, dst, length in SITES:
    Approximation(base + int(offset, 16), kind, src, dst, int(length))
gdb.execute("continue")
