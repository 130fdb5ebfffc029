#!/usr/bin/env python3
"""Reference values of the complex elementary functions: arguments exact in
single precision, results correctly rounded to double from 200-bit
arithmetic (mpmath).  One line per case: function, argument (re, im),
result (re, im; ABS only re), as hexadecimal floating point.

    python3 complex.py > complex.tsv
"""
import random
import struct

import mpmath

mpmath.mp.prec = 200
rng = random.Random(7)


def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


FUNCS = {'exp': mpmath.exp, 'log': mpmath.log, 'sin': mpmath.sin, 'cos': mpmath.cos,
         'sqrt': mpmath.sqrt, 'abs': lambda z: mpmath.mpc(abs(z))}
for name, fn in FUNCS.items():
    args = [(f32(rng.uniform(-4, 4)), f32(rng.uniform(-4, 4))) for _ in range(8)]
    if name == 'abs':
        args += [(f32(1e30), f32(1e30)), (f32(-3e-30), f32(4e-30)), (f32(1e30), f32(1e20))]
    for re, im in args:
        w = fn(mpmath.mpc(re, im))
        print('\t'.join([name, re.hex(), im.hex(), float(w.real).hex(), float(w.imag).hex()]))
