#!/usr/bin/env python3
"""hand_calc_check.py SCRIPT TEST_SOURCE LINES: the hand calculation prints
LINES lines of numbers, and every one of them must stand, in its order, among
the numeric literals of the test, at most a few other literals (a row's name,
its switches) apart. The count keeps a script that stopped printing, or
prints fewer rows than the test holds, from passing with nothing to check."""
import re
import subprocess
import sys

NUMBER = re.compile(r'(?<![\w.])-?\d+(?:\.\d*)?(?:[eE][-+]?\d+)?')


def numbers(text):
    return [float(t) for t in NUMBER.findall(text)]


def held(line, literals, apart=10):
    same = lambda a, b: abs(a - b) <= 1e-9 * max(1.0, abs(a), abs(b))
    for start in (i for i, v in enumerate(literals) if same(v, line[0])):
        at = start
        for want in line[1:]:
            at = next((j for j in range(at + 1, at + 2 + apart) if j < len(literals) and same(literals[j], want)), None)
            if at is None:
                break
        if at is not None:
            return True
    return False


script, source, expected = sys.argv[1], sys.argv[2], int(sys.argv[3])
printed = subprocess.run([sys.executable, script], check=True, capture_output=True, text=True).stdout
literals = numbers(open(source, encoding='utf-8', errors='replace').read())
rows = [line for line in printed.splitlines() if numbers(line)]
missing = [line for line in rows if not held(numbers(line), literals)]
for line in missing:
    print('not in %s: %s' % (source, line.strip()))
if len(rows) != expected:
    print('%s printed %d lines of numbers, not %d' % (script, len(rows), expected))
sys.exit(1 if missing or len(rows) != expected else 0)
