#!/usr/bin/env python3
"""Builds server/data/hs/names-zh.csv: a Chinese name for every code of the HS nomenclature.

Names come from Taiwan's bilingual tariff text (HS 2017, traditional characters), converted with
OpenCC's tw2sp configuration, cleaned of the text's layout marks and given mainland terms
(mainland-terms.csv). Codes HS 2022 added or whose meaning it changed take our own working
translation from ours-hs-zh.csv instead. Needs the `opencc` command (Debian package opencc).

Usage: hs_names_zh.py [TW_TEXT_DIR] [REPO_ROOT]
"""
import csv
import re
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
TW_DIR = Path(sys.argv[1]) if len(sys.argv) > 1 else Path('/work/shared/data/tw-tariff')
ROOT = Path(sys.argv[2]) if len(sys.argv) > 2 else HERE.parent.parent
HS_CSV = ROOT / 'server/data/hs/harmonized-system.csv'
OUT_CSV = ROOT / 'server/data/hs/names-zh.csv'

# Taiwan's text stores a few characters outside Big5 in the private use area.
PRIVATE_CHARACTERS = {
    '\ue14e': '皂',      # 膨潤土或皂土, bentonite
    '\ue3c3': '苄',      # 苄甲苯異丙胺, benzfetamine
    '\U000fb467': '腖',  # 蛋白腖, peptone
    '\ue495': '茚',      # 薰草酮茚樹脂, coumarone-indene resin
    '\ue716': '10⁻⁶',    # linear expansion coefficient 5×10⁻⁶ per kelvin
}


def read_tw_text(path):
    """Code -> description from one of the fixed-column files (code in the first 9 characters)."""
    names = {}
    for line in path.read_text(encoding='utf-8').splitlines()[1:]:
        code = line[:9].strip()
        if code:
            names[code] = line[9:].strip()
    return names


def fix_private(text):
    text = text.replace('Ｃ\ue714', '立方厘米')  # 300㏄
    for private, plain in PRIVATE_CHARACTERS.items():
        text = text.replace(private, plain)
    if re.search('[\ue000-\uf8ff\U000f0000-\U0010ffff]', text):
        raise SystemExit(f'unmapped private-use character in: {text}')
    return text


def to_simplified(texts):
    """Converts all texts in one opencc run (one text a line)."""
    joined = '\n'.join(texts) + '\n'
    result = subprocess.run(['opencc', '-c', 'tw2sp.json'], input=joined, capture_output=True,
                            text=True, check=True)
    converted = result.stdout.split('\n')[:len(texts)]
    if len(converted) != len(texts):
        raise SystemExit('opencc returned a different number of lines')
    return converted


def half_width(text):
    """Full-width digits, Latin letters and number signs to ASCII, as mainland texts print them."""
    out = []
    for ch in text:
        code = ord(ch)
        if 0xFF10 <= code <= 0xFF19 or 0xFF21 <= code <= 0xFF3A or 0xFF41 <= code <= 0xFF5A:
            ch = chr(code - 0xFEE0)
        out.append({'．': '.', '﹒': '.', '％': '%', '／': '/', '＋': '+', '﹐': '，',
                    '﹝': '〔', '﹞': '〕', '︰': '：'}.get(ch, ch))
    text = ''.join(out)
    # A hyphen or comma between Latin letters or digits belongs to a chemical name or a number.
    text = text.replace('－', '-').replace('─', '-')  # only the leading marks are layout; inside, a hyphen
    text = re.sub(r'(?<=[0-9A-Za-z])，(?=[0-9A-Za-z])', ',', text)
    return text


def clean(text):
    text = re.sub(r'^第[0-9０-９]+章[\s\u3000]*', '', text)   # chapter titles: 第１章　
    text = re.sub(r'^[─－—\-\s]+', '', text)                # indent dashes of groupings
    text = text.replace('\u3000', '').replace(' ', '')      # layout spaces inside the text
    text = half_width(text)
    text = re.sub(r'[：:\s]+$', '', text)                   # trailing colon of a grouping
    return text


def load_terms():
    with open(HERE / 'mainland-terms.csv', encoding='utf-8', newline='') as f:
        return [(row['converted'], row['mainland']) for row in csv.DictReader(f)]


def dotted(numbers, width):
    """0304 -> 03.04, 847141 -> 8471.41: how mainland texts write headings and subheadings."""
    return re.sub(r'\d{%d}' % width, lambda m: m.group()[:4 if width == 6 else 2] + '.' +
                  m.group()[4 if width == 6 else 2:], numbers)


def mainland(text, terms):
    for converted, replacement in terms:
        text = text.replace(converted, replacement)
    # Taiwan's 第0304節 / 第030291至030299目 are the mainland's 税目03.04 / 子目0302.91至0302.99.
    text = re.sub(r'第([\d,，、及或至]+)节', lambda m: '税目' + dotted(m.group(1), 4), text)
    text = re.sub(r'第([\d.,，、及或至]+)(?:等)?目', lambda m: '子目' + dotted(m.group(1), 6), text)
    # Classical 之 as a possessive reads as 的; fixed words keep it.
    text = text.replace('之用', '用')
    text = re.sub(r'(?<=[\u4e00-\u9fff）」%⁶\d])之(?![间内前下]|一(?!部)|后(?!视)|外(?![皮科壳])|上(?!者)|中(?![间央]))', '的', text)
    return text


def main():
    tw = read_tw_text(TW_DIR / 'note_8_C.txt')
    with open(HERE / 'ours-hs-zh.csv', encoding='utf-8', newline='') as f:
        ours = {row['hscode']: row['name'] for row in csv.DictReader(f)}
    with open(HS_CSV, encoding='utf-8-sig', newline='') as f:
        codes = [row['hscode'] for row in csv.DictReader(f) if row['level'] in ('2', '4', '6')]

    from_tw = [c for c in codes if c not in ours]
    missing = [c for c in from_tw if c not in tw]
    if missing:
        raise SystemExit('no Chinese name for: ' + ' '.join(missing))
    unused = sorted(set(ours) - set(codes))
    if unused:
        raise SystemExit('ours-hs-zh.csv names codes not in the nomenclature: ' + ' '.join(unused))

    terms = load_terms()
    converted = to_simplified([fix_private(tw[c]) for c in from_tw])
    names = {c: (mainland(clean(t), terms), 'tw') for c, t in zip(from_tw, converted)}
    names.update({c: (ours[c], 'ours') for c in codes if c in ours})

    with open(OUT_CSV, 'w', encoding='utf-8', newline='') as f:
        out = csv.writer(f, lineterminator='\n')
        out.writerow(['hscode', 'name', 'source'])
        for code in codes:
            name, source = names[code]
            if not name:
                raise SystemExit(f'empty name for {code}')
            out.writerow([code, name, source])
    counts = {s: sum(1 for n in names.values() if n[1] == s) for s in ('tw', 'ours')}
    print(f'{OUT_CSV}: {len(codes)} rows, tw {counts["tw"]}, ours {counts["ours"]}')


if __name__ == '__main__':
    main()
