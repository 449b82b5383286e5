#!/usr/bin/env python3
"""Builds server/data/references/en.csv from the UK tariff's search references.

Each term keeps the first six digits of its 10-digit commodity code (the HS subheading). A term whose
subheading is not in our nomenclature falls back to its 4-digit heading, or is dropped when that is
missing too.

Usage: uk_references.py [SEARCH_REFERENCES_JSON] [REPO_ROOT]
"""
import csv
import json
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(
    '/work/shared/data/uk-search-references/search_references.json')
ROOT = Path(sys.argv[2]) if len(sys.argv) > 2 else HERE.parent.parent
HS_CSV = ROOT / 'server/data/hs/harmonized-system.csv'
OUT_CSV = ROOT / 'server/data/references/en.csv'


def main():
    with open(HS_CSV, encoding='utf-8-sig', newline='') as f:
        codes = {row['hscode'] for row in csv.DictReader(f)}
    references = json.loads(SOURCE.read_text(encoding='utf-8'))

    rows, to_heading, dropped = set(), 0, []
    for term, commodity in references.items():
        term = ' '.join(term.split())
        subheading, heading = commodity[:6], commodity[:4]
        if subheading in codes:
            rows.add((term, subheading))
        elif heading in codes:
            rows.add((term, heading))
            to_heading += 1
        else:
            dropped.append(f'{term} ({commodity})')

    with open(OUT_CSV, 'w', encoding='utf-8', newline='') as f:
        out = csv.writer(f, lineterminator='\n')
        out.writerow(['term', 'hscode'])
        out.writerows(sorted(rows))
    print(f'{OUT_CSV}: {len(rows)} rows from {len(references)} terms, '
          f'{to_heading} mapped to their heading, {len(dropped)} dropped')
    for term in dropped:
        print('  dropped:', term)


if __name__ == '__main__':
    main()
