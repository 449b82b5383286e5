#!/usr/bin/env python3
"""Checks the search reference files: every code exists, no empty terms, no duplicate rows.

A code is valid when it is a chapter, heading or subheading of server/data/hs/harmonized-system.csv
(same notation: 2, 4 or 6 digits) or an 8-digit national line of server/data/tariff.csv.
Exits with status 1 and one message per fault.

Usage: check_references.py [CSV...]   (default: every CSV in server/data/references/)
"""
import csv
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
DATA = ROOT / 'server/data'


def known_codes():
    with open(DATA / 'hs/harmonized-system.csv', encoding='utf-8-sig', newline='') as f:
        codes = {row['hscode'] for row in csv.DictReader(f) if row['level'] in ('2', '4', '6')}
    with open(DATA / 'tariff.csv', encoding='utf-8-sig', newline='') as f:
        codes |= {row['code'] for row in csv.DictReader(f) if len(row['code']) == 8}
    return codes


def check(path, codes):
    faults = []
    seen = set()
    with open(path, encoding='utf-8-sig', newline='') as f:
        reader = csv.DictReader(f)
        if reader.fieldnames is None or not {'term', 'hscode'} <= set(reader.fieldnames):
            return [f'{path}: header must name the columns term,hscode']
        for line, row in enumerate(reader, start=2):
            term, code = (row['term'] or ''), (row['hscode'] or '')
            where = f'{path}:{line}'
            if not term.strip():
                faults.append(f'{where}: empty term')
            elif term != term.strip():
                faults.append(f'{where}: spaces around the term {term!r}')
            if code not in codes:
                faults.append(f'{where}: unknown code {code!r} for {term!r}')
            if (term, code) in seen:
                faults.append(f'{where}: duplicate row {term},{code}')
            seen.add((term, code))
    return faults


def main():
    paths = [Path(p) for p in sys.argv[1:]] or sorted((DATA / 'references').glob('*.csv'))
    codes = known_codes()
    faults = [fault for path in paths for fault in check(path, codes)]
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print('references OK: ' + ', '.join(p.name for p in paths))
    return 0


if __name__ == '__main__':
    sys.exit(main())
