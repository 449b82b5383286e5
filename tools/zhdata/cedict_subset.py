#!/usr/bin/env python3
"""Builds server/data/cedict/zh-en.csv: the part of CC-CEDICT useful for goods search.

Keeps simplified headwords of two or more characters (common words, not proper names) and, for each,
up to three short English glosses whose last word is a noun of the goods vocabulary: the words of the
HS English descriptions and of the English search references. Glosses are stripped of classifiers,
pinyin, cross-references and register labels such as "(literary)". The output is CC BY-SA 4.0 like its
source and stays in server/data/cedict/ with its own README.

Usage: cedict_subset.py [CEDICT_FILE] [REPO_ROOT]
"""
import csv
import re
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
SOURCE = Path(sys.argv[1]) if len(sys.argv) > 1 else Path('/work/shared/data/cedict/cedict_ts.u8')
ROOT = Path(sys.argv[2]) if len(sys.argv) > 2 else HERE.parent.parent
HS_CSV = ROOT / 'server/data/hs/harmonized-system.csv'
REFERENCES_CSV = ROOT / 'server/data/references/en.csv'
OUT_CSV = ROOT / 'server/data/cedict/zh-en.csv'

GLOSSES_PER_WORD = 3
MAX_GLOSS_WORDS = 5

ENTRY = re.compile(r'^(\S+) (\S+) \[([^\]]*)\] /(.*)/\s*$')
CJK = re.compile(r'[\u3400-\u9fff\U00020000-\U0003ffff]')
# Words that end glosses without naming goods: function words, adjectives and the like.
NOT_GOODS = set('''
other others whether thereof etc kind kinds form forms use used more less only also than not
all any each such like same type types part parts article articles product products good goods thing
things item items way set sets piece pieces state condition purpose purposes one two three
n e c nec incl including excluding exceeding new old high low small large long short whole
certain similar various general special main principal fresh live dried frozen chilled raw
simple plain pure fine heavy light hard soft hot cold dry wet green white black red blue yellow
brown grey gray natural artificial synthetic manufacture matter material materials work works
person people man men woman women child children boy boys girl girls human
for time line point day area life room number year family group name face level school side out age
case end money with office order rate road country service night party show station business view
field strength writing mother father value figure sign talk voice off student interest heart control
down plan education change effect war space object back well action together section stage origin
property drive front strong trade movement account loss trick this that grade soldier science top
range date dark function master source title before after care first example staff run standard
rule principle will payment free weather examination still minister sight scenery around stop
better individual deep development direction late household foundation symbol vision structure
operation message reaction motion very beauty call camp contract street different means leave issue
total reality measure support content factor training true noise peak spirit industry society
situation relation relationship question problem matter idea thought mind feeling word words
period moment season month week hour minute history culture politics policy law government army
team member friend husband wife son daughter brother sister teacher worker official officer leader
king emperor god heaven world nation people place region city town village province district
and but from when over half through between along via above just sweet rare remote mean even outside
open clean variable instant known medium young flexible full sensitive solid thick common suitable
sharp empty loose continuous made dead constant complete straight eccentric grand big being capable
rough must visible rigid moving last cannot essential slack active tight hollow following precious
external fertile virgin tender coarse endless major smart efficient ready personal tall false broad
complex own every single multiple pressing direct equivalent extra self wise equal minor
'''.split())


def singular(word):
    if word.endswith('ies') and len(word) > 4:
        return word[:-3] + 'y'
    if word.endswith(('ches', 'shes', 'sses', 'xes')):
        return word[:-2]
    if word.endswith('s') and not word.endswith(('ss', 'us', 'is')) and len(word) > 3:
        return word[:-1]
    return word


def goods_vocabulary():
    words = set()
    with open(HS_CSV, encoding='utf-8-sig', newline='') as f:
        texts = [row['description'] for row in csv.DictReader(f)]
    with open(REFERENCES_CSV, encoding='utf-8', newline='') as f:
        texts += [row['term'] for row in csv.DictReader(f)]
    for text in texts:
        for word in re.findall(r'[a-z]+', text.lower()):
            if len(word) > 2 and not word.endswith(('ed', 'ly')):
                words.add(singular(word))
    return words - NOT_GOODS


def split_glosses(definitions):
    """Splits at '/', ',' and ';' outside parentheses."""
    parts, depth, current = [], 0, []
    for ch in definitions:
        if ch == '(':
            depth += 1
        elif ch == ')':
            depth = max(0, depth - 1)
        if ch in '/,;' and depth == 0:
            parts.append(''.join(current))
            current = []
        else:
            current.append(ch)
    parts.append(''.join(current))
    return parts


def clean_gloss(gloss):
    gloss = re.sub(r'\[[^\]]*\]', '', gloss)                 # pinyin
    while re.search(r'\([^()]*\)', gloss):                 # register labels and asides
        gloss = re.sub(r'\([^()]*\)', '', gloss)
    gloss = re.sub(r'\bCL:.*', '', gloss)                    # classifiers
    gloss = re.sub(r'\S*\|\S*', '', gloss)                   # traditional|simplified references
    gloss = re.sub(r'^(a|an|the) ', '', gloss.strip())
    gloss = CJK.sub('', gloss)
    gloss = re.sub(r'\s+', ' ', gloss).strip(' .,;:-"\'')
    return gloss


def useful(gloss, vocabulary):
    lower = gloss.lower()
    if not gloss or lower.startswith(('to ', 'variant of', 'see ', 'also written', 'abbr', 'old ',
                                      'surname', 'used in', 'classifier', 'unit of', 'name of', 'fig.',
                                      'lit.', 'sb', 'sth', 'one\'s')):
        return False
    words = re.findall(r'[a-z]+', lower)
    if not words or len(words) > MAX_GLOSS_WORDS or gloss[0].isupper():
        return False
    return singular(words[-1]) in vocabulary


def main():
    vocabulary = goods_vocabulary()
    rows, seen = [], set()
    for line in SOURCE.read_text(encoding='utf-8').splitlines():
        match = ENTRY.match(line)
        if not match:
            continue
        _, simplified, pinyin, definitions = match.groups()
        if len(simplified) < 2 or not CJK.search(simplified) or pinyin[:1].isupper():
            continue  # single characters and proper names
        kept = 0
        for gloss in split_glosses(definitions):
            gloss = clean_gloss(gloss)
            if kept < GLOSSES_PER_WORD and useful(gloss, vocabulary) and (simplified, gloss) not in seen:
                seen.add((simplified, gloss))
                rows.append((simplified, gloss))
                kept += 1
    OUT_CSV.parent.mkdir(parents=True, exist_ok=True)
    with open(OUT_CSV, 'w', encoding='utf-8', newline='') as f:
        out = csv.writer(f, lineterminator='\n')
        out.writerow(['simplified', 'english'])
        out.writerows(rows)
    print(f'{OUT_CSV}: {len(rows)} rows, {len({r[0] for r in rows})} headwords, '
          f'{OUT_CSV.stat().st_size} bytes')


if __name__ == '__main__':
    main()
