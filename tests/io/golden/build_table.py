#!/usr/bin/env python3
"""Joins the generated cases with the peer runtime's records into table.tsv,
and writes differences.tsv: every case where this library's defined output
(model.py) differs from the peer's, with the library's expected field and the
reason.  A difference that no rule below explains stops the build of the
table: it must be understood (a model fault, a library fault or a new
defined difference) before the table is committed.

usage: build_table.py CASES PEER_OUTPUT TABLE DIFFERENCES
"""
import math
import re
import sys

import model


def g_peer_rounded_twice(v, d, e, peer):
    """Whether the peer wrote v in the form of a higher decade than the one
    the value rounded once to d digits lies in (s = -1: E below 0.1, s = d + 1:
    E above)."""
    def decade(s):
        return s if s is not None else (-1 if abs(v) < 1 else d + 1)
    n = 4 if e == -1 else e + 2
    f = peer[:-n].strip() if peer.endswith(' ' * n) else ''
    peer_s = d - len(f.split('.')[1]) if re.fullmatch(r'[-+]?\d*\.\d*', f) else None
    return decade(peer_s) > decade(model.g_fixed_s(abs(v), d))


def reason(typ, fmt, val, ours_st, ours, peer_st, peer):
    if fmt == '*':
        return 'list-directed layout: one blank, then the fixed F/E widths of the library'
    v = model.value_of(typ, val)
    if typ in ('real4', 'real8') and not math.isfinite(v):
        return 'infinity/NaN: INF or NaN placed where the integer part ends'
    if ours_st == 102:
        return 'scale factor outside -d<k<d+2 (so also d=0 with k=0) is I/O error 102'
    if ours_st == 103:
        return 'EN without Ee: an exponent beyond +-99 is I/O error 103'
    if typ.startswith('cplx'):
        # each part under its own descriptor; F0.d parts without the zero
        parts = []
        for x, (m, letters, w, d, e) in zip(model.complex_parts(typ, val), model.parse_all(fmt)):
            f = model.write_real(x, letters[0], letters[1:2], w, d, e, m)
            if letters == 'F' and w == 0:
                f = f.replace('0.', '.', 1) if f.lstrip('+-').startswith('0.') else f
            parts.append(f)
        if peer_st == '0' and ''.join(parts) == peer:
            return 'F0.d keeps the optional leading zero of a value below 1'
        return None
    if not model.SIMPLE.match(fmt.upper()):
        return positional_reason(typ, fmt, val, ours, peer_st, peer)
    if peer_st == 'ERR' and ours_st == 0:
        return 'the peer rejects this descriptor; the library edits the field'
    m, letters, w, d, e = model.parse(fmt)
    if letters in ('E', 'D', 'ES') and d > 40:
        return 'E/D/ES with d > 40: digits past the 40th after the point are zeros'
    if letters == 'F' and w == 0 and peer_st == '0' and ours.replace('0.', '.', 1) == peer:
        return 'F0.d keeps the optional leading zero of a value below 1'
    if letters == 'F' and m.k != 0 and math.isinf(model.scale(v, m.k)):
        return 'F scaled past the double range: 41 significant digits, then zeros'
    if letters == 'F' and m.k != 0:
        return 'F with a scale factor: the value is scaled in binary, rounded at each step'
    if letters == 'G':
        n = 4 if e == -1 else e + 2
        if '*' in ours and ours.endswith(' ' * n) and not ours.endswith('*'):
            return 'G in F form that overflows: w-n asterisks, then the n blanks'
        if v != 0 and math.isfinite(v) and g_peer_rounded_twice(v, d, e, peer):
            return 'G near a boundary: the peer picks the form from digits it has rounded already (upper decade)'
    return None


def positional_reason(typ, fmt, val, ours, peer_st, peer):
    """Formats with strings and control edits around the item."""
    if peer_st == '0' and peer == ours.rstrip(' ') and re.search(r'(X|TR\d+)\s*\)$', fmt.upper()):
        return 'positioning at the end of the format is carried out: trailing blanks stay'
    return None


def main():
    cases_path, peer_path, table_path, diff_path = sys.argv[1:5]
    cases = [l.rstrip('\n').split('\t') for l in open(cases_path)]
    peer = [l.rstrip('\n').split('\t') for l in open(peer_path)]
    if len(cases) != len(peer):
        sys.exit('peer output has %d lines for %d cases' % (len(peer), len(cases)))
    unexplained = 0
    with open(table_path, 'w') as table, open(diff_path, 'w') as diffs:
        table.write('# Golden output table: one output item per case, the field written by the\n'
                    '# peer runtime. Columns: id, type, format, value (reals: bit pattern in hex;\n'
                    '# char: bytes in hex), peer status (0 or ERR), |record| between bars.\n')
        diffs.write('# Cases where this library\'s defined output differs from the peer\'s.\n'
                    '# Columns: id, our status (0 or the I/O error number), |our record|, reason.\n')
        for (cid, typ, fmt, val), (pid, pst, prec) in zip(cases, peer):
            if cid != pid:
                sys.exit('case %s: peer answered for %s' % (cid, pid))
            if not (prec.startswith('|') and prec.endswith('|')):
                sys.exit('case %s: malformed peer record %r' % (cid, prec))
            table.write('%s\t%s\t%s\t%s\t%s\t%s\n' % (cid, typ, fmt, val, pst, prec))
            pfield = prec[1:-1]
            ost, ofield = model.edit(typ, fmt, val)
            if (pst == '0' and ost == 0 and ofield == pfield) or (pst == 'ERR' and ost != 0):
                continue
            why = reason(typ, fmt, val, ost, ofield, pst, pfield)
            if why is None:
                unexplained += 1
                sys.stderr.write('unexplained: %s %s %s %s ours=%d|%s| peer=%s|%s|\n'
                                 % (cid, typ, fmt, val, ost, ofield, pst, pfield))
                continue
            diffs.write('%s\t%d\t|%s|\t%s\n' % (cid, ost, ofield, why))
    if unexplained:
        sys.exit('%d unexplained differences' % unexplained)


if __name__ == '__main__':
    main()
