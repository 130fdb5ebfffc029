#!/usr/bin/env python3
"""Writes g_decades.tsv: Gw.d[Ee] fields of REAL and DOUBLE PRECISION values
next to the points where G editing changes form, near every power of ten
from 1e-5 to 1e20, for d = 1 .. 17, with and without a scale factor and an
exponent width.

The expected fields come from the Fortran rules worked out exactly on the
binary value (Python's rational arithmetic, no floating point): G takes
the F form Fw-n.d-s for 10^(s-1) - 0.5*10^(s-1-d) <= N < 10^s - 0.5*10^(s-d),
s = 0 .. d, and the E form otherwise; the digits are the exact value rounded
half to even.

usage: g_decades.py > g_decades.tsv          (the committed sample)
       g_decades.py --all > FILE              (every value with every form)
       g_decades.py --peer [--all]            (compares with gfortran; needs it)
"""
import os
import random
import struct
import subprocess
import sys
import tempfile
from decimal import Decimal
from fractions import Fraction

SEED = 20260521


def float_bits(x, single):
    return struct.pack('>f' if single else '>d', x).hex().upper()


def from_bits(b, single):
    return struct.unpack('>f' if single else '>d', bytes.fromhex(b))[0]


def neighbours(x, single, count):
    """The bit patterns of x (rounded to the type) and `count` neighbours on
    each side; x > 0."""
    n = int(float_bits(x, single), 16)
    width = 8 if single else 16
    return ['%0*X' % (width, n + i) for i in range(-count, count + 1)]


def boundary(p, d):
    """10^p - 0.5*10^(p-d): where the values that round to 10^p begin."""
    return Fraction(10) ** p - Fraction(1, 2) * Fraction(10) ** (p - d)


def round_half_even(q):
    """The rational q >= 0 rounded to an integer, half to even."""
    i, r = divmod(q.numerator, q.denominator)
    return i + 1 if 2 * r > q.denominator or (2 * r == q.denominator and i % 2 == 1) else i


def rounded(N, digits):
    """N > 0 rounded to `digits` significant digits: the digit string and X
    with N ~ 0.<digits> * 10^X."""
    t = 0
    while N >= Fraction(10) ** t:
        t += 1
    while N < Fraction(10) ** (t - 1):
        t -= 1
    # 10^(t-1) <= N < 10^t
    i = round_half_even(N * Fraction(10) ** (digits - t))
    if i == 10 ** digits:
        i //= 10
        t += 1
    return str(i), t


def f_text(N, decimals):
    s = str(round_half_even(N * 10 ** decimals)).rjust(decimals + 1, '0')
    return s[:len(s) - decimals] + '.' + s[len(s) - decimals:]


def e_field(N, sign, w, d, e, k):
    """Ew.d[Ee] under scale factor k (-d < k < d + 2)."""
    digits, x = rounded(N, d + k if k <= 0 else d + 1)
    ee = 2 if e is None else e
    room = w - d - ee - 4 - len(sign)
    lead = '0.'
    if k <= 0 and room < 0:
        lead, room = '.', room + 1
    if room < 0:
        return '*' * w
    mant = lead + '0' * -k + digits if k <= 0 else digits[:k] + '.' + digits[k:]
    x -= k
    ax = str(abs(x))
    xs = '-' if x < 0 else '+'
    if e is None:
        if len(ax) > 3:
            return None  # an I/O error; no such case is generated
        expo = ('E' + xs + ax.rjust(2, '0')) if len(ax) <= 2 else xs + ax
    else:
        if len(ax) > e:
            return '*' * w
        expo = 'E' + xs + ax.rjust(e, '0')
    return ' ' * room + sign + mant + expo


def g_field(value, w, d, e, k):
    N = abs(Fraction(value))
    sign = '-' if struct.pack('>d', value)[0] & 0x80 else ''
    n = 4 if e is None else e + 2
    for s in range(0, d + 1):
        if boundary(s - 1, d) <= N < boundary(s, d):
            text = sign + f_text(N, d - s)
            if len(text) == w - n + 1 and text.lstrip('-').startswith('0.'):
                text = text.replace('0.', '.', 1)
            if len(text) > w - n:
                return '*' * (w - n) + ' ' * n
            return text.rjust(w - n) + ' ' * n
    return e_field(N, sign, w, d, e, k)


def cases(everything):
    rng = random.Random(SEED)
    out = []
    forms = [(False, None), (False, 3), (True, None), (True, 3)]
    for single in (False, True):
        for p in range(-5, 21):
            for d in range(1, 18):
                b = boundary(p, d)
                x = float(Decimal(b.numerator) / Decimal(b.denominator))
                count = 2 if everything else 1
                for bits in neighbours(x, single, count):
                    chosen = forms if everything else rng.sample(forms, 2)
                    for scaled, e in chosen:
                        k = 0
                        if scaled:
                            k = rng.choice([kk for kk in (-2, -1, 1, 2, 3) if -d < kk < d + 2])
                        negative = rng.random() < 0.3
                        b2 = ('%X' % (int(bits, 16) | (1 << (31 if single else 63))) if negative else bits)
                        fmt = '(%sG%d.%d%s)' % ('%dP,' % k if k else '', d + 11, d,
                                                'E%d' % e if e is not None else '')
                        out.append(('real4' if single else 'real8', fmt, b2, k, e, d))
    # The values the report of the fault names, and one on the other side.
    for v, fmt in ((999.94999999999993, '(G15.4E3)'), (99999.99999999949, '(G24.14E4)'),
                   (999.95000000000005, '(G15.4E3)')):
        out.append(('real8', fmt, float_bits(v, False), 0, int(fmt[-2]), int(fmt.split('.')[1].split('E')[0])))
    return out


def expected(typ, fmt, bits, k, e, d):
    v = from_bits(bits, typ == 'real4')
    w = int(fmt.split('G')[1].split('.')[0])
    return g_field(v, w, d, e, k)


def peer(rows):
    """The records gfortran writes for the rows (its own runtime)."""
    here = os.path.dirname(os.path.abspath(__file__))
    with tempfile.TemporaryDirectory() as tmp:
        exe = os.path.join(tmp, 'peer')
        subprocess.run(['gfortran', '-O1', os.path.join(here, '..', 'golden', 'peer.f90'), '-o', exe],
                       check=True, cwd=tmp)
        text = ''.join('%d\t%s\t%s\t%s\n' % (i, r[0], r[1], r[2]) for i, r in enumerate(rows))
        res = subprocess.run([exe], input=text, capture_output=True, text=True, check=True, cwd=tmp)
    return [line.split('\t')[2][1:-1] for line in res.stdout.splitlines()]


def main():
    everything = '--all' in sys.argv
    rows = cases(everything)
    if '--peer' in sys.argv:
        got = peer(rows)
        differ = [(r, g) for r, g in zip(rows, got) if expected(*r) != g]
        for r, g in differ:
            print('%s %s %s %r: exact [%s] peer [%s]' % (r[0], r[1], r[2], from_bits(r[2], r[0] == 'real4'),
                                                       expected(*r), g))
        print('%d of %d fields differ from the peer' % (len(differ), len(rows)))
        return
    print('# Generated by g_decades.py (exact rational arithmetic): type, format,')
    print('# value (bit pattern in hexadecimal), the field.')
    for r in rows:
        print('%s\t%s\t%s\t[%s]' % (r[0], r[1], r[2], expected(*r)))


if __name__ == '__main__':
    main()
