#!/usr/bin/env python3
"""Reference results of the real-model and rounding intrinsics for REAL and
DOUBLE PRECISION arguments spread over the whole range (subnormals
included), computed exactly from the bit patterns by the Fortran rules.
The same arguments and cases as a peer compiler's run over them, and the
same table: an earlier version of it was that run's output.  One line per
case:  name  x-bits  y-bits-or-integer  result-bits-or-integer  (hex).
Left out: NINT out of range, and SPACING of an argument whose spacing is
below TINY but not below the smallest subnormal (the library returns the
true gap, the peer TINY).

    python3 model.py > model.tsv
"""
import math
import struct

M64 = (1 << 64) - 1
seed = 20261206


def next_bits():
    global seed
    seed = (seed * 6364136223846793005 + 1442695040888963407) & M64
    return seed >> 11


def f32(v):  # v rounded to single precision (overflow to infinity)
    if math.isfinite(v) and abs(v) >= 2.0 ** 128 * (1 - 2.0 ** -25):
        return math.copysign(math.inf, v)
    return struct.unpack('<f', struct.pack('<f', v))[0]


def ldexp(v, n):
    try:
        return math.ldexp(v, n)
    except OverflowError:
        return math.copysign(math.inf, v)


class Kind:
    def __init__(self, real, word, digits, emin, width):
        self.real, self.word, self.p, self.emin, self.width = real, word, digits, emin, width

    def bits(self, v):
        return struct.unpack(self.word, struct.pack(self.real, v))[0]

    def value(self, b):
        return struct.unpack(self.real, struct.pack(self.word, b))[0]

    def hex(self, v):
        return '%0*X' % (self.width, self.bits(v))

    def exponent(self, x):
        return 0 if x == 0 else math.frexp(x)[1]

    def spacing(self, x):
        tiny = 2.0 ** (self.emin - 1)
        return tiny if x == 0 else max(2.0 ** (self.exponent(x) - self.p), tiny)

    def rrspacing(self, x):
        return abs(ldexp(x, self.p - self.exponent(x)))

    def nearest(self, x, s):
        if x == 0:
            return math.copysign(self.value(1), s)
        b = self.bits(x)
        return self.value(b + 1 if (x > 0) == (s > 0) else b - 1)


R = Kind('<f', '<I', 24, -125, 8)
D = Kind('<d', '<Q', 53, -1021, 16)
I32 = lambda i: '%08X' % (i & 0xFFFFFFFF)


def anint(x):
    t = math.copysign(float(math.trunc(x)), x)
    return t + math.copysign(1.0, x) if abs(x - t) >= 0.5 else t


def line(*fields):
    print(' '.join(fields))


for _ in range(400):
    xs = []
    for _ in range(2):
        b = next_bits()
        if b % 4 == 0:
            bits = (b >> 8) & 0xFFFFFFFF
        else:
            bits = ((126 + (b >> 40) % 30 - 5) << 23 | (b >> 8) & 0x807FFFFF) & 0xFFFFFFFF
        xs.append(R.value(bits))
    x, y = xs
    if not math.isfinite(x):
        continue
    h, e = R.hex(x), R.exponent(x)
    line('exponent_r', h, '-', I32(e))
    if x == 0 or e < -125 or e > -102:
        line('spacing_r', h, '-', R.hex(R.spacing(x)))
    line('rrspacing_r', h, '-', R.hex(R.rrspacing(x)))
    for s in (1.0, -1.0):
        line('nearest_r', h, R.hex(s), R.hex(R.nearest(x, s)))
    for k in (-150, -3, 0, 7, 130):
        line('scale_r', h, I32(k), R.hex(f32(ldexp(x, k))))
        line('setexp_r', h, I32(k), R.hex(0.0 if x == 0 else f32(ldexp(x, k - e))))
    line('aint_r', h, '-', R.hex(math.copysign(float(math.trunc(x)), x)))
    line('anint_r', h, '-', R.hex(anint(x)))
    if abs(x) < 2.0 ** 31:
        line('nint_r_i', h, '-', I32(int(anint(x))))
    if y != 0:
        line('mod_r', h, R.hex(y), R.hex(math.fmod(x, y)))
    line('sign_r', h, R.hex(y), R.hex(math.copysign(x, y)))
    line('dim_r', h, R.hex(y), R.hex(f32(x - y) if x > y else 0.0))

for _ in range(400):
    ds = []
    for _ in range(2):
        b = (next_bits() << 11) & M64
        b ^= next_bits()
        if next_bits() % 4 != 0:
            b = (1022 + next_bits() % 60 - 10) << 52 | b & 0x800FFFFFFFFFFFFF
        ds.append(D.value(b))
    d, y = ds
    if not math.isfinite(d):
        continue
    h, e = D.hex(d), D.exponent(d)
    line('exponent_d', h, '-', I32(e))
    if d == 0 or e < -1021 or e > -970:
        line('spacing_d', h, '-', D.hex(D.spacing(d)))
    line('rrspacing_d', h, '-', D.hex(D.rrspacing(d)))
    for s in (1.0, -1.0):
        line('nearest_d', h, D.hex(s), D.hex(D.nearest(d, s)))
    line('aint_d', h, '-', D.hex(math.copysign(float(math.trunc(d)), d)))
    line('anint_d', h, '-', D.hex(anint(d)))
    if abs(d) < 2.0 ** 31:
        line('nint_d_i', h, '-', I32(int(anint(d))))
    if y != 0:
        line('mod_d', h, D.hex(y), D.hex(math.fmod(d, y)))
    line('sign_d', h, D.hex(y), D.hex(math.copysign(d, y)))
