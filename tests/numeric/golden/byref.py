#!/usr/bin/env python3
"""Reference values for the by-reference (x87) family: for each function,
arguments exactly representable in single precision, and the correctly
rounded DOUBLE PRECISION and REAL results computed with 200-bit arithmetic
(mpmath).  Arguments where a trigonometric result is tiny (near a zero of
the function) are left out: there the hardware's own approximation of pi
dominates the error.

    python3 byref.py > byref.tsv
"""
import random
import struct

import mpmath

mpmath.mp.prec = 200
rng = random.Random(13)


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def hex64(x):
    return struct.pack('>d', x).hex()


def hex32(x):
    return struct.pack('>f', x).hex()


def rounded(v):
    # The correctly rounded double, and the REAL result as the entries form
    # it: that double rounded again to single.
    d = float(v)
    return d, f32(d)


FUNCS = {
    'sqrt': (mpmath.sqrt, lambda: rng.uniform(0, 1e6)),
    'exp': (mpmath.exp, lambda: rng.uniform(-80, 80)),
    'log': (mpmath.log, lambda: 10 ** rng.uniform(-30, 30)),
    'log10': (mpmath.log10, lambda: 10 ** rng.uniform(-30, 30)),
    'sin': (mpmath.sin, lambda: rng.uniform(-100, 100)),
    'cos': (mpmath.cos, lambda: rng.uniform(-100, 100)),
    'tan': (mpmath.tan, lambda: rng.uniform(-100, 100)),
    'asin': (mpmath.asin, lambda: rng.uniform(-1, 1)),
    'acos': (mpmath.acos, lambda: rng.uniform(-1, 1)),
    'atan': (mpmath.atan, lambda: rng.uniform(-50, 50)),
    'sinh': (mpmath.sinh, lambda: rng.uniform(-80, 80)),
    'cosh': (mpmath.cosh, lambda: rng.uniform(-80, 80)),
    'tanh': (mpmath.tanh, lambda: rng.uniform(-20, 20)),
}

for name, (fn, draw) in FUNCS.items():
    n = 0
    while n < 150:
        x = f32(draw())
        v = fn(mpmath.mpf(x))
        if name in ('sin', 'cos', 'tan') and abs(v) < 1e-3:
            continue
        if name in ('tan',) and abs(v) > 1e3:
            continue
        d, s = rounded(v)
        print(f'{name}\t{hex64(x)}\t-\t{hex64(d)}\t{hex32(s)}')
        n += 1

n = 0
while n < 150:
    y, x = f32(rng.uniform(-10, 10)), f32(rng.uniform(-10, 10))
    d, s = rounded(mpmath.atan2(mpmath.mpf(y), mpmath.mpf(x)))
    print(f'atan2\t{hex64(y)}\t{hex64(x)}\t{hex64(d)}\t{hex32(s)}')
    n += 1
