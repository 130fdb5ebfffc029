#!/usr/bin/env python3
"""What a trim of the suite to a share of the code would cost.

Reads the kill matrix of `scripts/mutate.sh --all` (results.tsv, tests.tsv
and failing-unmutated in its scratch directory) and the lines of each test
(its TEST body and the comment above it), then removes tests greedily,
cheapest first: the fewest entries left caught by no test per line freed.
Prints the tests it would remove and the entries nothing would then catch.
Tests the x86-64 build cannot judge are never removed (the matrix knows
nothing of them), nor those matching --keep.

usage: scripts/trim-cost.py [--share 0.34] [--scratch build/mutate]
                            [--keep REGEX]
"""
import argparse
import pathlib
import re

root = pathlib.Path(__file__).resolve().parent.parent
ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
ap.add_argument('--share', type=float, default=0.34, help='tests as a share of src/ and include/')
ap.add_argument('--scratch', default=str(root / 'build/mutate'), help='where mutate.sh --all wrote')
ap.add_argument('--keep', default='^$', help='regex of tests never to remove')
args = ap.parse_args()
scratch = pathlib.Path(args.scratch)


def lines(top, suffixes):
    return sum(len(p.read_text(errors='replace').splitlines())
               for d in top for p in (root / d).rglob('*') if p.suffix in suffixes)


tests_lines = lines(['tests'], {'.cpp', '.h', '.f90'})
code_lines = lines(['src', 'include'], {'.cpp', '.h'})
need = tests_lines - int(args.share * code_lines)

# Entry -> the tests that caught it.
catchers = {}
for row in (scratch / 'results.tsv').read_text().splitlines():
    f = row.split('\t')
    if f[1] == 'caught':
        catchers[f[0]] = frozenset(f[4].split())

span = {}
for path in (root / 'tests').rglob('*.cpp'):
    text = path.read_text(errors='replace').splitlines()
    starts = [(i, f'{m[1]}.{m[2]}') for i, line in enumerate(text)
              if (m := re.match(r'TEST(?:_F)?\((\w+),\s*(\w+)\)', line))]
    for k, (i, name) in enumerate(starts):
        first = i
        while first > 0 and text[first - 1].startswith('//'):
            first -= 1
        span[name] = (starts[k + 1][0] if k + 1 < len(starts) else len(text)) - first

judged = {row.split('\t')[0] for row in (scratch / 'tests.tsv').read_text().splitlines()}
failing = scratch / 'failing-unmutated'
unjudged = set(failing.read_text().split()) if failing.exists() else set()
keep = re.compile(args.keep)
candidates = {t for t in span if t in judged and t not in unjudged and not keep.search(t)}


def lost(removed):
    return {e for e, by in catchers.items() if by <= removed}


removed, freed = set(), 0
while freed < need and candidates - removed:
    base = len(lost(removed))
    t = min(candidates - removed,
            key=lambda t: ((len(lost(removed | {t})) - base) / span[t], -span[t], t))
    removed.add(t)
    freed += span[t]

print(f'tests {tests_lines} lines, code {code_lines}: {tests_lines / code_lines:.1%}; '
      f'{args.share:.0%} wants {max(need, 0)} lines fewer')
for t in sorted(removed):
    print(f'  remove {t} ({span[t]} lines)')
gone = sorted(lost(removed))
print(f'{len(removed)} tests, {freed} lines: {len(gone)} of {len(catchers)} caught entries '
      f'would be caught by no test{":" if gone else ""} {" ".join(gone)}')
