#!/usr/bin/env python3
"""Runs a hand-calculation script and checks that the numbers it prints are
the ones a test holds, so that neither drifts from the other unseen.

Usage: hand_calc_check.py SCRIPT TEST_SOURCE

Each line the script prints must find its numbers, in their order, among
the numeric literals of the test source, with at most a few other literals
(a row's name, its switches) between one and the next. Numbers compare by
value: 59.6 holds for 59.60.
"""
import re
import subprocess
import sys

NUMBER = re.compile(r'(?<![\w.])-?\d+(?:\.\d*)?(?:[eE][-+]?\d+)?')
MOST_BETWEEN = 10


def numbers(text):
    return [float(t) for t in NUMBER.findall(text)]


def same(a, b):
    return abs(a - b) <= 1e-9 * max(1.0, abs(a), abs(b))


def held(line, literals):
    """Whether the line's numbers appear in order in the literals."""
    for start in range(len(literals)):
        if not same(literals[start], line[0]):
            continue
        at, ok = start, True
        for want in line[1:]:
            window = literals[at + 1:at + 2 + MOST_BETWEEN]
            step = next((i for i, v in enumerate(window) if same(v, want)), None)
            if step is None:
                ok = False
                break
            at += 1 + step
        if ok:
            return True
    return False


def main(script, source):
    printed = subprocess.run([sys.executable, script], check=True, capture_output=True, text=True).stdout
    with open(source, encoding='utf-8', errors='replace') as f:
        literals = numbers(f.read())
    missing = [line for line in printed.splitlines() if numbers(line) and not held(numbers(line), literals)]
    for line in missing:
        print('not in %s: %s' % (source, line.strip()))
    return 1 if missing else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2]))
