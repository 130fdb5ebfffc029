#!/usr/bin/env python3
"""A reference model of this library's output editing, written independently
of the C++ code, used to find where the library's defined output differs from
the peer runtime's and to record what the library writes there.

edit(typ, fmt, value_text) -> (status, record text).  status 0, or the I/O
error number that the item reports.
"""
import math
import re
import struct
from fractions import Fraction


class IoError(Exception):
    def __init__(self, code):
        super().__init__(code)
        self.code = code


class Modes:
    def __init__(self):
        self.k = 0
        self.sp = False
        self.nosep = False


def stars(w):
    return '*' * w


def is_negative(v):
    return math.copysign(1.0, v) < 0


# ---- real editing ---------------------------------------------------------

def inf_or_nan(v, w, d, e, m):
    text = 'NaN' if math.isnan(v) else 'INF'
    sign = ''
    if not math.isnan(v):
        if v < 0:
            sign = '-'
        elif m.sp:
            sign = '+'
    s = len(sign)
    if e == -1:
        t = d + 1
        l = w - (d + 1) - 3 - s
    else:
        l = max(w - d - e - 6 - s, 0)
        if m.k > 1:
            l += m.k - 1
        t = w - l - 3 - s
    if l < 0 or t < 0:
        return stars(w)
    return ' ' * l + sign + text + ' ' * t


def scale(v, k):
    rem = abs(k)
    def step(v, f):
        return v * f if k > 0 else v / f
    while rem > 5:
        v = step(v, 1e6)
        rem -= 6
    if rem > 2:
        v = step(v, 1e3)
        rem -= 3
    if rem == 2:
        v = step(v, 100.0)
    elif rem == 1:
        v = step(v, 10.0)
    return v


def format_F(v, w, d, m):
    if math.isnan(v) or math.isinf(v):
        return inf_or_nan(v, w, d, -1, m)
    if m.k != 0:
        scaled = scale(v, m.k)
        if math.isinf(scaled):
            # scaled past the double range: the leading digits of the value
            # with the point moved k places
            sign = '-' if is_negative(v) else ('+' if m.sp else '')
            mant, ex = ('%#.40E' % abs(v)).split('E')
            digits = mant.replace('.', '')
            ndig = int(ex) + m.k + 1
            text = (digits + '0' * ndig)[:ndig] + '.' + '0' * d
            if not (w == 0 or m.nosep):
                if len(text) + len(sign) > w:
                    return stars(w)
                return ' ' * (w - len(text) - len(sign)) + sign + text
            return sign + text
        v = scaled
    neg = is_negative(v)
    mag = abs(v)
    dd = min(d, 344)
    tz = d - dd
    text = '%#.*f' % (dd, mag)
    sign = '-' if neg else ('+' if m.sp else '')
    # the decimals beyond those converted are zeros, and part of the field
    L = len(text) + tz + len(sign)
    if L == w + 1 and text.startswith('0.') and len(text) > 2:
        text = text[1:]
        L -= 1
    pad = ''
    if not (w == 0 or m.nosep):
        if L > w:
            return stars(w)
        pad = ' ' * (w - L)
    return pad + sign + text + '0' * tz


def etype(v, w, d, e, letter, m):
    default = e == -1
    if default:
        e = 2
    k = m.k
    if not (-d < k < d + 2):
        raise IoError(102)
    if math.isnan(v) or math.isinf(v):
        return inf_or_nan(v, w, d, e, m)
    neg = is_negative(v)
    mag = abs(v)
    sign = '-' if neg else ('+' if m.sp else '')
    room = w - d - e - 4 - len(sign)
    lead = True
    if k <= 0:
        if room < 0:
            lead = False
            room += 1
        if room < 0:
            return stars(w)
    elif room < 0:
        return stars(w)
    p = d - 1 + k if k <= 0 else d
    pc = min(p, 40)
    tz = p - pc
    text = '%#.*E' % (pc, mag)
    mant, ex = text.split('E')
    x = int(ex)
    digits = mant.replace('.', '')
    if k != 1 and mag != 0:
        x = x + 1 - k
    exps = '%+.2d' % x
    ed = exps[1:]
    drop_letter = False
    if e == 1 and not default:
        if len(ed) != 2 or ed[0] != '0':
            return stars(w)
        ed = ed[1:]
    elif default:
        if len(ed) == 3:
            drop_letter = True
        elif len(ed) >= 4:
            raise IoError(103)
    else:
        if len(str(abs(x))) > e:
            return stars(w)
        ed = str(abs(x)).rjust(e, '0')
    out = ('' if m.nosep else ' ' * room) + sign
    if k == 1:
        out += digits[0] + '.' + digits[1:]
    elif k > 1:
        out += digits[:k] + '.' + digits[k:]
    else:
        out += ('0' if lead else '') + '.' + '0' * (-k) + digits
    out += '0' * tz
    out += ('' if drop_letter else letter) + exps[0] + ed
    return out


def roundup(digits, n):
    """digits: the significant digits of a "%#.*E" text.  Keeps n of them.
    Returns (kept digits, carry)."""
    kept = digits[:n]
    D = int(digits[n]) if n < len(digits) else 0
    rest = digits[n + 1:]
    if D >= 5 and kept == '9' * n:
        return '1' + '0' * n, True
    if D < 5:
        return kept, False
    if D == 5 and rest.strip('0') == '' and int(kept[-1]) % 2 == 0:
        return kept, False
    num = str(int(kept) + 1).rjust(n, '0')
    return num, False


def format_EN(v, w, d, e, m):
    if math.isnan(v) or math.isinf(v):
        saved = m.k
        m.k = 1
        try:
            return etype(v, w, d, e, 'E', m)
        finally:
            m.k = saved
    default = e == -1
    if default:
        e = 2
    neg = is_negative(v)
    sign = '-' if neg else ('+' if m.sp else '')
    room = w - d - e - 4 - len(sign)
    if room < 0:
        return stars(w)
    text = '%#.*E' % (d + 40, abs(v))
    mant, ex = text.split('E')
    x = int(ex)
    digits = mant.replace('.', '')
    n = x % 3 + 1
    kept, carry = roundup(digits, d + n)
    if carry:
        n = n % 3 + 1
        exp = x + 1 if n == 1 else x - n + 2
    else:
        exp = x - n + 1
    if default and abs(exp) > 99:
        raise IoError(103)
    if len(str(abs(exp))) > e:
        return stars(w)
    if room - (n - 1) < 0:
        return stars(w)
    return ' ' * (room - (n - 1)) + sign + kept[:n] + '.' + kept[n:n + d] + 'E' + '%+.*d' % (e, exp)


def format_exp(v, w, d, e, m):
    return etype(v, w, d, e, 'E', m)


def format_G(v, w, d, e, m):
    n = 4 if e == -1 else e + 2
    if w - n <= 0 and not (v == 0 and d == 0):
        # an F form would have no room at all (and F0 would mean free width)
        if v == 0 or (math.isfinite(v) and g_fixed_s(abs(v), d) is not None):
            return stars(w)
    if v == 0:
        if d > 0:
            saved = m.k
            m.k = 0
            try:
                return format_F(v, w - n, d - 1, m) + ' ' * n
            finally:
                m.k = saved
        return format_exp(v, w, d, e, m)
    if not (math.isnan(v) or math.isinf(v)):
        s = g_fixed_s(abs(v), d)
        if s is not None:
            saved = m.k
            m.k = 0
            try:
                return format_F(v, w - n, d - s, m) + ' ' * n
            finally:
                m.k = saved
    return format_exp(v, w, d, e, m)


def g_fixed_s(N, d):
    """s such that 10^s (0.1 - 0.5 10^-(d+1)) <= N < 10^(s+1) (0.1 - ...),
    compared exactly; None when G takes the E form."""
    n = Fraction(N)
    for s in range(0, d + 1):
        lo = Fraction(10) ** s * (Fraction(1, 10) - Fraction(1, 2) * Fraction(1, 10) ** (d + 1))
        if lo <= n < lo * 10:
            return s
    return None


def write_real(v, letter, second, w, d, e, m):
    if letter == 'F':
        return format_F(v, w, d, m)
    if letter == 'D':
        return etype(v, w, d, e, 'D', m)
    if letter == 'G':
        return format_G(v, w, d, e, m)
    if letter == 'E' and second == 'N':
        return format_EN(v, w, d, e, m)
    if letter == 'E' and second == 'S':
        saved = m.k
        m.k = 1
        try:
            return etype(v, w, d, e, 'E', m)
        finally:
            m.k = saved
    if letter == 'E':
        return etype(v, w, d, e, 'E', m)
    raise IoError(134)


# ---- integers, logicals, characters ----------------------------------------

def format_I(v, w, m_, sp):
    if w > 0 and m_ > w:
        raise IoError(135)
    if v < 0:
        sign = '-'
    elif sp and not (v == 0 and m_ == 0):
        sign = '+'
    else:
        sign = ''
    digits = '' if (v == 0 and m_ == 0) else str(abs(v))
    digits = digits.rjust(m_, '0')
    if w == 0 and m_ == 0 and v == 0:
        return ' '
    field = sign + digits
    if w == 0:
        return field
    if len(field) > w:
        return stars(w)
    return ' ' * (w - len(field)) + field


def format_boz(u, base, w, m_):
    digits = ''
    sym = '0123456789ABCDEF'
    while u:
        digits = sym[u % base] + digits
        u //= base
    n = len(digits)
    if w > 0 and m_ > w:
        raise IoError(135)
    if w == 0 and m_ == 0 and n == 0:
        return ' '
    width = w if w else n
    if n > width:
        return stars(width)
    return ' ' * max(width - max(n, m_), 0) + '0' * max(m_ - n, 0) + digits


# ---- format text: only the forms the golden cases use ------------------------

DESC = re.compile(r'^([A-Z]+)(\d*)(?:\.(\d+))?(?:E(\d+))?$')


def parse(fmt):
    """Returns the modes and the one data edit descriptor of a format such as
    (SP,1P,E12.4E3)."""
    m = Modes()
    items = fmt[1:-1].split(',')
    desc = None
    for it in items:
        it = it.strip().upper()
        if it == 'SP':
            m.sp = True
        elif re.fullmatch(r'-?\d+P', it):
            m.k = int(it[:-1])
        else:
            mo = re.fullmatch(r'(\d+P)?(.*)', it)
            if mo.group(1):
                m.k = int(mo.group(1)[:-1])
            desc = mo.group(2)
    mo = DESC.match(desc)
    letters, w, d, e = mo.group(1), mo.group(2), mo.group(3), mo.group(4)
    return m, letters, int(w) if w else 0, int(d) if d is not None else None, int(e) if e else -1


def parse_all(fmt):
    """The data edit descriptors of a format without groups, such as
    (SP,1P,E12.4,2F8.2), in order, each with the modes in force for it."""
    k, sp = 0, False
    out = []
    for it in fmt[1:-1].split(','):
        it = it.strip().upper()
        if it == 'SP':
            sp = True
            continue
        mo = re.fullmatch(r'(-?\d+P)?(\d*)(.*)', it)
        if mo.group(1):
            k = int(mo.group(1)[:-1])
        if not mo.group(3):
            continue
        d = DESC.match(mo.group(3))
        for _ in range(int(mo.group(2)) if mo.group(2) else 1):
            m = Modes()
            m.k, m.sp = k, sp
            out.append((m, d.group(1), int(d.group(2)) if d.group(2) else 0,
                        int(d.group(3)) if d.group(3) is not None else None,
                        int(d.group(4)) if d.group(4) else -1))
    return out


def list_part(typ, v):
    """One part of a list-directed complex value: no leading blanks."""
    m = Modes()
    m.nosep = True
    a = abs(v)
    if typ == 'cplx4':
        if 0.1 <= a < 100.0:
            return format_F(v, 11, 7, m)
        m.k = 1
        return etype(v, 15, 7, 2, 'E', m)
    if 0.1 <= a < 100.0:
        return format_F(v, 20, 16, m)
    m.k = 1
    e = 3 if not math.isnan(v) and (a < 9.999999995e-100 or a >= 9.999999995e99) else 2
    return etype(v, 24, 16, e, 'E', m)


def complex_parts(typ, text):
    if typ == 'cplx8':
        return [struct.unpack('>d', bytes.fromhex(text[i:i + 16]))[0] for i in (0, 16)]
    return [struct.unpack('>f', bytes.fromhex(text[i:i + 8]))[0] for i in (0, 8)]


def edit_complex(typ, fmt, text):
    re_, im = complex_parts(typ, text)
    try:
        if fmt == '*':
            return 0, ' (' + list_part(typ, re_) + ',' + list_part(typ, im) + ')'
        descs = parse_all(fmt)
        out = ''
        for v, (m, letters, w, d, e) in zip((re_, im), descs):
            if letters[0] not in 'FDEG':
                raise IoError(134)
            out += write_real(v, letters[0], letters[1:2], w, d, e, m)
        return 0, out
    except IoError as err:
        return err.code, ''


def value_of(typ, text):
    if typ.startswith('cplx'):
        return complex_parts(typ, text)
    if typ == 'real8':
        return struct.unpack('>d', bytes.fromhex(text))[0]
    if typ == 'real4':
        return struct.unpack('>f', bytes.fromhex(text))[0]
    if typ == 'char':
        return bytes.fromhex(text).decode('latin-1')
    return int(text)


INT_BITS = {'int1': 8, 'int2': 16, 'int4': 32, 'int8': 64}


def list_directed(typ, v):
    m = Modes()
    if typ in ('real8', 'real4'):
        a = abs(v)
        if typ == 'real4':
            if 0.1 <= a < 100.0:
                return ' ' + format_F(v, 11, 7, m)
            m.k = 1
            return ' ' + etype(v, 15, 7, 2, 'E', m)
        if 0.1 <= a < 100.0:
            return ' ' + format_F(v, 20, 16, m)
        m.k = 1
        e = 2
        if not math.isnan(v) and (a < 9.999999995e-100 or a >= 9.999999995e99):
            e = 3
        return ' ' + etype(v, 24, 16, e, 'E', m)
    if typ in INT_BITS:
        return ' ' + str(v)
    if typ.startswith('log'):
        return ' ' + ('T' if v else 'F')
    return ' ' + v


SIMPLE = re.compile(r'^\((SP,)?(-?\d+P,?)?[A-Z]+\d*(\.\d+)?(E\d+)?\)$')


def split_format(fmt):
    """The items of a format without groups; strings kept whole."""
    items, cur, i, body = [], '', 0, fmt[1:-1]
    while i < len(body):
        ch = body[i]
        if ch in '\'"':
            j = i + 1
            s = ''
            while True:
                if body[j] == ch and j + 1 < len(body) and body[j + 1] == ch:
                    s += ch
                    j += 2
                elif body[j] == ch:
                    break
                else:
                    s += body[j]
                    j += 1
            items.append(('str', s))
            i = j + 1
            continue
        mo = re.match(r'(\d+)H', body[i:], re.I)
        if mo and not cur:
            n = int(mo.group(1))
            start = i + len(mo.group(0))
            items.append(('str', body[start:start + n]))
            i = start + n
            continue
        if ch == ',':
            if cur:
                items.append(('ed', cur))
            cur = ''
        else:
            cur += ch
        i += 1
    if cur:
        items.append(('ed', cur))
    return items


def edit_positional(typ, fmt, text):
    """One item under a format with strings and control edits: the record
    as the format interpreter builds it (position, rightmost position
    reached, blanks filled in only when something follows)."""
    rec = []
    pos = top = 0
    m = Modes()
    done = False

    def pending():
        if top < pos:
            put(' ' * (pos - top), top)

    def put(s, at=None):
        nonlocal pos, top
        p = pos if at is None else at
        while len(rec) < p + len(s):
            rec.append(' ')
        rec[p:p + len(s)] = list(s)
        if at is None:
            pos += len(s)
        top = max(top, p + len(s))

    for kind, it in split_format(fmt):
        if kind == 'str':
            pending()
            put(it)
            continue
        u = re.sub(r'\s', '', it).upper()
        if u == ':':
            if done:
                pending()
                break
            continue
        if u in ('SP',):
            m.sp = True
        elif u in ('S', 'SS'):
            m.sp = False
        elif u in ('BN', 'BZ'):
            pass
        elif re.fullmatch(r'-?\d+P', u):
            m.k = int(u[:-1])
        elif re.fullmatch(r'\d+X', u):
            pos += int(u[:-1])
        elif u.startswith('TL'):
            pos = max(pos - int(u[2:]), 0)
        elif u.startswith('TR'):
            pos += int(u[2:])
        elif re.fullmatch(r'T\d+', u):
            pos = int(u[1:]) - 1
        else:
            if done:
                # a second data edit descriptor: the statement ends here
                break
            mo = re.fullmatch(r'(-?\d+P)?(.*)', u)
            if mo.group(1):
                m.k = int(mo.group(1)[:-1])
            f = '(' + ('SP,' if m.sp else '') + ('%dP,' % m.k if m.k else '') + mo.group(2) + ')'
            st, field = edit_simple(typ, f, text)
            if st:
                return st, ''
            pending()
            put(field)
            done = True
    else:
        pending()
    return 0, ''.join(rec)


def edit(typ, fmt, text):
    if typ.startswith('cplx'):
        return edit_complex(typ, fmt, text)
    if fmt != '*' and not SIMPLE.match(fmt.upper()):
        return edit_positional(typ, fmt, text)
    return edit_simple(typ, fmt, text)


def edit_simple(typ, fmt, text):
    v = value_of(typ, text)
    try:
        if fmt == '*':
            return 0, list_directed(typ, v)
        m, letters, w, d, e = parse(fmt)
        letter = letters[0]
        second = letters[1] if len(letters) > 1 else ''
        if typ in ('real8', 'real4'):
            if letter not in 'FDEG':
                raise IoError(134)
            return 0, write_real(float(v), letter, second, w, d, e, m)
        if typ in INT_BITS:
            bits = INT_BITS[typ]
            mm = d if d is not None else 1
            if letter == 'I':
                return 0, format_I(v, w, mm, m.sp)
            if letter == 'G':
                return 0, format_I(v, w, 1, m.sp)
            if letter in 'BOZ':
                ubits = 64 if bits == 64 else 32
                u = v & ((1 << bits) - 1)
                u &= (1 << ubits) - 1
                return 0, format_boz(u, {'B': 2, 'O': 8, 'Z': 16}[letter], w, mm)
            raise IoError(135)
        if typ.startswith('log'):
            if letter in 'LG':
                return 0, ' ' * (w - 1) + ('T' if v else 'F')
            raise IoError(136)
        if typ == 'char':
            if letter in 'AG':
                ww = w if w else len(v)
                if ww > len(v):
                    return 0, ' ' * (ww - len(v)) + v
                return 0, v[:ww]
            raise IoError(145)
    except IoError as err:
        return err.code, ''
    raise ValueError(typ)
