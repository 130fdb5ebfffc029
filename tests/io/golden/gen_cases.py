#!/usr/bin/env python3
"""Generates the cases of the golden output table, deterministically.

Each case is one output item under one format: (type, format text, value).
Reals are given as exact bit patterns so that both runtimes edit the very
same number.  Output: lines "id<TAB>type<TAB>format<TAB>value" on stdout.
"""
import math
import random
import struct
import sys

SEED = 20261206
rng = random.Random(SEED)


def hex64(x):
    return struct.pack('>d', x).hex().upper()


def hex32(x):
    return struct.pack('>f', x).hex().upper()


def from_bits64(b):
    return struct.unpack('>d', struct.pack('>Q', b))[0]


def nextup(x):
    return math.nextafter(x, math.inf)


def nextdown(x):
    return math.nextafter(x, -math.inf)


# --- real values --------------------------------------------------------

def rounding_values():
    """Values at or next to a decimal rounding boundary of some field."""
    vals = [0.125, 0.375, 0.625, 2.5, 3.5, 0.5, 1.5, 0.25, 0.75, 1234.5, 1234.56,
            999.96, 999.9, 999.5, 99.95, 99.5, 9.95, 9.5, 0.95, 0.05, 0.005,
            0.09995, 0.1, 9.9995, 0.0995, 0.995, 9.995, 99.995, 999.95, 0.9995,
            99.9995, 999.9995, 9999.5, 0.099995, 0.09999995, 12.5, 1.2345e4,
            1.23456e5, 3.14159, 2.0 / 3.0, 1.0 / 3.0, 0.3, 0.7, 1.0e-5, 4.5, 5.5,
            0.045, 0.0045, 1.0 - 2.0 ** -53, 1.0 + 2.0 ** -52, 8.5, 0.875, 10.5,
            1.25, 1.75, 2.25, 0.1875, 6.25e-2, 1.5625e-2, 123456.5, 0.96, 0.994999,
            9999999.5, 99999.95, 0.00999, 0.999]
    out = []
    for v in vals:
        out += [v, nextup(v), nextdown(v)]
    return out


def special_values():
    vals = [0.0, -0.0, 1.0, -1.0, 5.0, 5.0e10, 1.0e100, 1.0e-100, 1.0e200,
            1.0e-150, 1.0e99, 9.999999995e99, 9.99999999e99, 1.0e-99,
            1.7976931348623157e308, 2.2250738585072014e-308, 5e-324,
            2.2250738585072009e-308, 1.0e-310, 4.9406564584124654e-322,
            2.0 ** 53, 2.0 ** 63, 2.0 ** 64, 1.0e22, 1.0e23, 9.007199254740993e15,
            -0.001, -0.25, 0.25, 0.4, 123.456, -123.456, 1.0e-3]
    for p in range(-30, 31):
        vals.append(float('1e%d' % p))
    for p in (-300, -200, -120, -101, -100, -99, 98, 99, 100, 101, 150, 250, 300, 308):
        vals.append(float('1e%d' % p))
        vals.append(float('9.5e%d' % p))
    return vals


def random_values(n):
    out = []
    for _ in range(n):
        kind = rng.random()
        if kind < 0.35:
            # short decimals: few significant digits at a random scale
            digits = rng.randint(1, 7)
            m = rng.randint(1, 10 ** digits - 1)
            v = float('%de%d' % (m, rng.randint(-12, 12)))
        elif kind < 0.55:
            # dyadic values: exact binary ties of decimal rounding
            v = rng.randint(1, 1 << rng.randint(1, 24)) / float(1 << rng.randint(0, 12))
        elif kind < 0.8:
            # moderate magnitudes, full mantissa
            v = rng.uniform(1.0, 10.0) * 10.0 ** rng.randint(-8, 10)
        else:
            # anywhere in the finite range, subnormals included
            bits = rng.getrandbits(63)
            v = from_bits64(bits)
            if math.isnan(v) or math.isinf(v):
                v = 1.0
        if rng.random() < 0.3:
            v = -v
        out.append(v)
    return out


# --- real descriptors ---------------------------------------------------

def real_descriptor(v):
    """A random real edit descriptor, with scale factor and sign mode."""
    a = abs(v)
    letter = rng.choice(['F', 'F', 'E', 'E', 'ES', 'EN', 'D', 'G', 'G'])
    prefix = []
    if rng.random() < 0.15:
        prefix.append('SP')
    k = 0
    if letter == 'F':
        d = rng.choice([0, 1, 2, 3, 4, 5, 6, 8, 10, 12, 16, 20, 25, 30])
        if rng.random() < 0.15:
            k = rng.randint(-3, 4)
        # a width that sometimes just fits and sometimes overflows
        lg = 1 if a < 1 else int(math.log10(a)) + 1
        if a < 1e40 and rng.random() < 0.8:
            need = max(lg + k, 1) + d + 2
            w = max(1, need + rng.randint(-2, 3))
        else:
            w = rng.randint(1, 60)
        if rng.random() < 0.08:
            w = 0
        desc = 'F%d.%d' % (w, d)
    elif letter in ('E', 'D'):
        d = rng.randint(1, 20)
        if rng.random() < 0.3:
            k = rng.randint(-d + 1, min(d + 1, 6))
        e = -1
        if letter == 'E' and rng.random() < 0.4:
            e = rng.randint(1, 4)
        w = d + rng.randint(4, 12)
        if rng.random() < 0.15:
            w = max(1, d + rng.randint(0, 4))
        desc = '%s%d.%d' % (letter, w, d) + ('E%d' % e if e > 0 else '')
    elif letter in ('ES', 'EN'):
        d = rng.randint(0, 18)
        e = rng.randint(1, 4) if rng.random() < 0.4 else -1
        if letter == 'EN' and e < 0 and (a >= 1e99 or (0 < a < 1e-98)):
            e = 3  # keep EN exponents within the field
        w = d + rng.randint(5, 12)
        if rng.random() < 0.15:
            w = max(1, d + rng.randint(2, 6))
        desc = '%s%d.%d' % (letter, w, d) + ('E%d' % e if e > 0 else '')
    else:  # G
        d = rng.randint(1, 17)
        e = rng.randint(1, 4) if rng.random() < 0.3 else -1
        if rng.random() < 0.15:
            k = rng.randint(-d + 1, min(d + 1, 4))
        w = d + rng.randint(6, 14)
        desc = 'G%d.%d' % (w, d) + ('E%d' % e if e > 0 else '')
    if k != 0:
        prefix.append('%dP' % k)
    return '(' + ','.join(prefix + [desc]) + ')'


def g_boundary_cases():
    """Values at the G switching points b(s) = 10^s (0.1 - 0.5 10^-(d+1))."""
    out = []
    for d in range(1, 8):
        for s in range(0, d + 2):
            b = float('%.20e' % ((0.1 - 0.5 * 10.0 ** -(d + 1)) * 10.0 ** s))
            b = float(repr(round(b, d + 3 - s)) if s < d + 3 else b)
            for v in (b, nextup(b), nextdown(b)):
                out.append(('real8', '(G%d.%d)' % (d + 10, d), hex64(v)))
    for v in (0.09995, 0.1, 9.9995, 99.995, 0.0995, 0.995, 9.995, 999.95, 0.09999995):
        for d in (2, 3, 4, 5, 7):
            for x in (v, nextup(v), nextdown(v)):
                out.append(('real8', '(G15.%d)' % d, hex64(x)))
    return out


def fixed_real_cases():
    """Hand-picked fields: edge widths, ties, exponent forms."""
    c = []
    add = lambda f, v: c.append(('real8', f, hex64(v)))
    for f, v in [('(F3.2)', 0.25), ('(F4.2)', 0.25), ('(F2.2)', 0.25), ('(F4.2)', -0.25),
                 ('(F5.1)', -0.0), ('(F6.2)', -0.001), ('(F0.2)', 3.14159),
                 ('(SP,F0.2)', 3.14159), ('(F10.2)', 1.0e200), ('(1P,F8.2)', 12.5),
                 ('(E10.3)', 0.0), ('(1P,E10.3)', 0.0), ('(5P,E12.4)', 1234.56),
                 ('(E12.4)', 1.0e100), ('(E12.4E3)', 1.0e100), ('(E12.4E2)', 1.0e100),
                 ('(E8.1E1)', 5.0), ('(E8.1E1)', 5.0e10), ('(D12.4)', 1234.56),
                 ('(E12.4)', 1234.5), ('(ES12.4)', 1234.5), ('(EN12.4)', 1234.5),
                 ('(EN12.4)', 1.2345e4), ('(EN10.2)', 0.5), ('(EN9.1)', 999.96),
                 ('(EN9.1)', 999.9), ('(EN8.0)', 2.5), ('(EN8.0)', 3.5),
                 ('(G10.3)', 0.3), ('(G10.3)', 1.23456e5), ('(G10.3)', 0.0),
                 ('(F5.2)', 0.125), ('(F5.2)', 0.375), ('(F3.0)', 0.4), ('(F3.0)', 0.5),
                 ('(F3.0)', 1.5), ('(F3.0)', 2.5), ('(F4.1)', 0.25), ('(F4.1)', 0.35),
                 ('(2P,E12.4)', 1234.56), ('(-1P,E12.4)', 1234.56), ('(E12.4)', 1.0e-150),
                 ('(E7.1)', -1.0), ('(E6.1)', 1.0), ('(E5.1)', 1.0), ('(E6.1)', -1.0),
                 ('(1P,E6.1)', 1.0), ('(F0.0)', 0.4), ('(F0.0)', 0.0), ('(F0.0)', -0.0),
                 ('(F0.3)', -0.0004), ('(F1.0)', 0.4), ('(F2.0)', 9.5), ('(F40.30)', 0.1),
                 ('(F60.50)', 1.0 / 3.0), ('(E50.40)', 1.0 / 3.0), ('(ES45.40)', 0.1),
                 ('(F400.320)', 5e-324), ('(G20.10)', 1.0e10), ('(G20.10)', 9999999999.5),
                 ('(G12.3E1)', 5.0), ('(G12.3E4)', 123.0), ('(SP,G12.3)', 1.0),
                 ('(SP,E12.4)', 0.0), ('(SP,ES12.4)', -0.0), ('(SP,EN12.4)', 7.0),
                 ('(ES9.1E1)', 1.0e-9), ('(ES9.1E1)', 1.0e-10), ('(EN12.3E1)', 1.0e-3),
                 ('(EN12.3E3)', 1.0e-300), ('(EN15.3E3)', 1.0e300), ('(ES25.17)', 0.1),
                 ('(ES24.16)', 2.0 / 3.0), ('(F12.4)', 12345678.12345),
                 ('(G15.7)', 1234567.5), ('(G15.7)', 0.1), ('(G15.7)', 12345678.0),
                 ('(E10.0)', 5.0), ('(1P,E10.0)', 5.0), ('(D10.0)', -5.0), ('(G10.0)', 0.25),
                 ('(G10.0)', 5.0), ('(G10.0)', 0.0), ('(1P,G10.0)', 0.0), ('(EN12.4)', 1.0e100),
                 ('(EN12.4)', 1.0e-100), ('(EN12.4)', 1.0e99), ('(E12.4)', 0.0),
                 ('(G4.1)', 0.0), ('(G5.1)', 0.0), ('(G6.1)', 0.0), ('(G5.2)', 1.0),
                 ('(G8.3E1)', 0.0), ('(G9.3)', 999.5), ('(G9.3)', 999.4),
                 ('(G12.5)', 655.43757), ('(-2P,F10.3)', 0.1875), ('(F0.3)', 0.5),
                 ('(F0.0)', 2.5), ('(F0.0)', 3.5), ('(F0.1)', -0.04),
                 ('(F360.350)', 0.5), ('(F352.350)', -0.5), ('(F351.350)', 0.5),
                 ('(F0.350)', 0.75), ('(E60.50)', 1.0 / 3.0), ('(1P,E60.50)', 1.0 / 3.0),
                 ('(-5P,E60.50)', 2.0 / 3.0), ('(D70.60)', 0.1), ('(ES70.60)', 0.1),
                 ('(EN70.60)', 0.1), ('(G70.60)', 0.1), ('(G70.60)', 1.0e30),
                 ('(3P,F400.1)', 1.0e307), ('(5P,F0.2)', -1.5e305), ('(3P,F100.1)', 1.0e307)]:
        add(f, v)
    # the most negative exponents, subnormals and the largest value under every form
    for v in (5e-324, -5e-324, 1e-310, 2.2250738585072014e-308, 1.7976931348623157e308,
              -1.7976931348623157e308):
        for f in ('(E12.4)', '(E14.5E3)', '(ES14.5E3)', '(EN16.5E3)', '(D13.4)',
                  '(G14.5)', '(G14.5E3)', '(ES30.20)', '(E30.20E4)', '(F20.5)'):
            add(f, v)
    # powers of ten under every descriptor
    for p in range(-12, 13):
        v = float('1e%d' % p)
        for f in ('(F20.6)', '(E12.4)', '(ES12.4)', '(EN12.4)', '(G12.4)', '(G12.4E3)'):
            add(f, v)
    # EN around every exponent step and the carry into a new group of three
    for v in (0.9995, 9.9995, 99.995, 999.95, 0.099995, 0.0099995, 1.0e-3, 1.0e-4, 1.0e-5):
        for d in (0, 1, 2, 3):
            add('(EN14.%d)' % d, v)
            add('(EN14.%d)' % d, -v)
    # E with every valid scale factor at a few d
    for d in (1, 2, 3, 5):
        for k in range(-d + 1, d + 2):
            for v in (1234.56, 0.000123456, 9.9999, 0.95, 5e-324):
                add('(%dP,E16.%d)' % (k, d), v)
                add('(%dP,D16.%d)' % (k, d), -v)
    return c


def list_cases():
    c = []
    for v in (1.0, -1.0, 0.0, 0.1, 100.0, 1.0e-100, 1.0e100, 1.0e-5, 123.456):
        c.append(('real8', '*', hex64(v)))
        if abs(v) < 3.4e38:
            c.append(('real4', '*', hex32(v)))
    for v in (0, 1, -20, 2147483647, -2147483648):
        c.append(('int4', '*', str(v)))
    c.append(('int8', '*', '-9223372036854775808'))
    c.append(('log4', '*', '1'))
    c.append(('char', '*', 'hello'.encode().hex().upper()))
    return c


def nonfinite_cases():
    c = []
    inf = float('inf')
    nan = float('nan')
    for v in (inf, -inf, nan):
        for f in ('(F8.2)', '(SP,F8.2)', '(F4.1)', '(F3.0)', '(E12.4)', '(SP,E12.4)',
                  '(ES12.4)', '(EN12.4)', '(D12.4)', '(G12.4)', '(2P,E12.4)', '(E8.1)'):
            c.append(('real8', f, hex64(v)))
    return c


# --- integers, logicals, characters ------------------------------------

INT_RANGES = {'int1': 8, 'int2': 16, 'int4': 32, 'int8': 64}


def int_values(typ):
    bits = INT_RANGES[typ]
    lo, hi = -(1 << (bits - 1)), (1 << (bits - 1)) - 1
    vals = [0, 1, -1, 7, 42, -42, 100, -100, lo, hi, lo + 1, hi - 1, 255 if bits > 8 else 127]
    for _ in range(40):
        b = rng.randint(1, bits - 1)
        v = rng.randint(0, (1 << b) - 1)
        vals.append(-v if rng.random() < 0.4 else v)
    return [max(lo, min(hi, v)) for v in vals]


def int_descriptor():
    letter = rng.choice(['I', 'I', 'I', 'B', 'O', 'Z', 'G'])
    sp = rng.random() < 0.15
    if letter == 'G':
        w = rng.randint(1, 25)
        desc = 'G%d.%d' % (w, rng.randint(0, 5))
    else:
        w = rng.choice([0, 0] + list(range(1, 30)) + [66, 70])
        if rng.random() < 0.4:
            top = w if w > 0 else 30
            m = rng.randint(0, top)
            desc = '%s%d.%d' % (letter, w, m)
        else:
            desc = '%s%d' % (letter, w)
    return '(' + ('SP,' if sp else '') + desc + ')'


def int_cases():
    c = []
    for typ in INT_RANGES:
        for v in int_values(typ):
            for _ in range(6):
                c.append((typ, int_descriptor(), str(v)))
    fixed = [('int4', '(I5)', 42), ('int4', '(I5)', -42), ('int4', '(SP,I5)', 42),
             ('int4', '(I5.3)', 7), ('int4', '(I5.0)', 0), ('int4', '(I0.0)', 0),
             ('int4', '(I0)', 0), ('int4', '(I0)', -123), ('int4', '(I3)', 1234),
             ('int4', '(I3)', -100), ('int4', '(I40.30)', -5), ('int4', '(I11)', -2147483648),
             ('int4', '(B8)', 5), ('int4', '(B8.6)', 5), ('int4', '(O4)', -1),
             ('int4', '(Z8)', -1), ('int4', '(Z4)', 255), ('int4', '(B0)', 0),
             ('int4', '(B3.0)', 0), ('int1', '(Z0)', -1), ('int1', '(I0)', -1),
             ('int8', '(I0)', -9223372036854775808), ('int8', '(Z0)', -1),
             ('int8', '(B0)', -9223372036854775808), ('int8', '(O0)', -1),
             ('int2', '(B0)', -1), ('int2', '(O0)', -32768), ('int4', '(SP,I0.0)', 0),
             ('int4', '(SP,I3.0)', 0), ('int4', '(SP,I0)', 0), ('int8', '(SP,I20)', 9223372036854775807),
             ('int4', '(SP,Z8)', 255), ('int4', '(I1)', 0), ('int4', '(I1)', -1),
             ('int4', '(G5.2)', 42), ('int8', '(G30.0)', -9223372036854775808),
             ('int4', '(I4.5)', 1), ('int4', '(B2.3)', 1), ('int8', '(Z1.2)', 0), ('int2', '(O3.4)', 7)]
    c += [(t, f, str(v)) for t, f, v in fixed]
    return c


def log_cases():
    c = []
    for typ in ('log1', 'log2', 'log4', 'log8'):
        for v in (0, 1):
            for w in (1, 2, 4, 10):
                c.append((typ, '(L%d)' % w, str(v)))
            c.append((typ, '(G3.1)', str(v)))
    return c


def char_cases():
    c = []
    alphabet = 'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;:-+*/()\'"'
    texts = ['abc', 'it\'s', 'x', 'hello world', ' lead', 'trail ']
    for _ in range(30):
        texts.append(''.join(rng.choice(alphabet) for _ in range(rng.randint(1, 40))))
    for t in texts:
        h = t.encode().hex().upper()
        for f in ['(A)', '(A1)', '(A%d)' % len(t), '(A%d)' % (len(t) + 3), '(A%d)' % max(1, len(t) - 2),
                  '(G%d.1)' % (len(t) + 1)]:
            c.append(('char', f, h))
    return c


def complex_cases():
    c = []
    formats = ['(2F10.3)', '(2ES14.5)', '(F9.2,E12.4)', '(SP,2G14.5)', '(1P,2E13.4)',
               '(2EN12.3)', '(2D15.6)', '(F0.3,F0.3)', '(E10.3E1,F5.1)', '*']
    vals = [0.0, -0.0, 1.0, -2.5, 0.1, 100.0, 1.0e-5, 1.0e100, 123.456]
    pairs = [(1.0, 2.0), (0.0, 1.0)] + [(rng.choice(vals), rng.choice(vals)) for _ in range(20)]
    pairs += list(zip(random_values(40), random_values(40)))
    for re_, im in pairs:
        for f in rng.sample(formats, 4) + ['*']:
            c.append(('cplx8', f, hex64(re_) + hex64(im)))
            if abs(re_) < 3.4e38 and abs(im) < 3.4e38:
                c.append(('cplx4', f, hex32(re_) + hex32(im)))
    return c


def positional_cases():
    """One item among strings and control edit descriptors."""
    fmts = ["(1X,I5)", "('ab',I3,'cd')", "(T5,I3)", "(I5,TL3,'ab')", "('abcdef',T2,I2)",
            "(TR2,I4)", "(I3,2X)", "(I2,TR3)", "(I2,T1)", "(I3,:,'end')", "(1H*,I3)",
            "('it''s',I2)", '("q""",I2)', "(SP,I4,SS)", "(S,SP,I4)", "(SP,I3,' ',SS)",
            "(BN,I3)", "(BZ,I3)", "(TL5,I3)", "(5X,TL2,I2)", "(T10,I3,T1,'x')",
            "(I6,TL4,'--')", "(3X,I2,'|')", "('x',2X,I1,2X)", "(4HabcdI3)", "( i 5 )",
            "(1X, I4, T3, 'Z')", "(T3,I2,TL4,'ab')", "(I3,' end',:,' more')"]
    rfmts = ["(F6.2,' m')", "(ES10.3,1X,'units')", "(2P,F8.3,' k')", "(1X,SP,E12.4)",
             "('v=',G12.4)", "(T4,F5.1,T1,'>')", "(SP,F7.2,S,' x')", "(-1P,F8.3,2X)"]
    c = []
    for f in fmts:
        for v in ('42', '-7', '0', '123456'):
            c.append(('int4', f, v))
    for f in rfmts:
        for v in (3.25, -0.5, 1234.5678, 0.0):
            c.append(('real8', f, hex64(v)))
    for f in ("(2X,A)", "(A,TL2,'!')", "('[',A3,']')", "(T3,A,T1,'<')"):
        for t in ('abc', 'hello world'):
            c.append(('char', f, t.encode().hex().upper()))
    return c


def main():
    cases = []
    cases += fixed_real_cases()
    cases += g_boundary_cases()
    cases += nonfinite_cases()
    values = [v for v in rounding_values() + special_values() + random_values(1400)
              if math.isfinite(v)]
    for v in values:
        for _ in range(2):
            cases.append(('real8', real_descriptor(v), hex64(v)))
    # single precision items: values that a REAL holds exactly
    for v in random_values(300) + [0.1, 1.0 / 3.0, 0.125, 2.5, 999.96, 1.0e-40, 3.4e38, 1.0e-45]:
        f = struct.unpack('>f', struct.pack('>f', v if abs(v) < 3.4e38 else 3.4e38))[0]
        cases.append(('real4', real_descriptor(f), hex32(f)))
    cases += int_cases()
    cases += log_cases()
    cases += char_cases()
    cases += list_cases()
    cases += complex_cases()
    cases += positional_cases()
    seen = set()
    n = 0
    for typ, fmt, val in cases:
        if (typ, fmt, val) in seen:
            continue
        seen.add((typ, fmt, val))
        n += 1
        sys.stdout.write('%d\t%s\t%s\t%s\n' % (n, typ, fmt, val))


if __name__ == '__main__':
    main()
