#!/usr/bin/env bash
# Usage: english-synonyms.sh WORDNET_FOLDER SCOWL_FOLDER > english-synonyms.txt
#
# Pairs of English words that name the same goods, one pair a line, from two
# word lists Debian packages: WordNet (wordnet-base) and SCOWL (scowl). Words
# of two parts are written joined (mobile phone: mobilephone), as the search
# index holds them. The search uses a pair only where its texts hold one of
# the two words.
#
# WordNet: two words are synonyms where they share a meaning that is the first
# meaning of one of them and one of the first two of the other, and that
# meaning is an animal, a made thing, a food, a plant or a substance. So
# eggplant and aubergine pair (the vegetable), corn and maize (the plant),
# tire and tyre; a word whose everyday meaning is something else does not,
# nor one whose first meaning is used ten times as often as the one shared
# (steel, which names a sword only now and then).
#
# SCOWL: a British spelling and an American one pair where a common spelling
# rule turns the one into the other and both lists hold the result (colour
# and color, aluminium and aluminum, moulded and molded).
set -euo pipefail
wordnet=$1
scowl=$2

# The common lists, sizes up to 70: rarer words only add noise.
lists() { for size in 10 20 35 40 50 55 60 70; do [ ! -f "$scowl/$1-words.$size" ] || cat "$scowl/$1-words.$size"; done; }

{
LC_ALL=C awk '
  function hex(text,   i, n) {
    n = 0
    for (i = 1; i <= length(text); i++)
      n = n * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
    return n
  }
  # Whether the meaning on this line of data.noun is the first of word, or
  # its second where that is not rare.
  function held(word) {
    return $1 == first[word] || ($1 == second[word] && !rare[word])
  }
  # cntlist.rev: how often tagged texts use each meaning of a word. A second
  # meaning is rare where the first is used ten times as often or more.
  FILENAME ~ /cntlist\.rev$/ {
    if (split($1, key, "%") == 2 && substr(key[2], 1, 1) == "1")
      used[key[1], $2] = $3
    next
  }
  # index.noun: a lemma, its meanings in order of use (offsets at the end).
  FILENAME ~ /index\.noun$/ && !/^ / {
    senses = $3
    first[$1] = $(NF - senses + 1)
    second[$1] = senses > 1 ? $(NF - senses + 2) : ""
    rare[$1] = used[$1, 1] >= 10 * (used[$1, 2] > 1 ? used[$1, 2] : 1)
    next
  }
  # data.noun: a meaning, its kind (05 animal, 06 made thing, 13 food,
  # 20 plant, 27 substance) and its words.
  FILENAME ~ /data\.noun$/ && !/^ / {
    if ($2 != "05" && $2 != "06" && $2 != "13" && $2 != "20" && $2 != "27")
      next
    count = hex($4)
    n = 0
    for (i = 0; i < count; i++) {
      w = $(5 + 2 * i)
      if (w ~ /[^a-z_-]/ || split(w, parts, /[_-]/) > 2)
        continue
      words[++n] = w
    }
    for (i = 1; i <= n; i++)
      for (j = i + 1; j <= n; j++) {
        a = words[i]; b = words[j]
        if (!(a in first) || !(b in first))
          continue
        if (held(a) && held(b) && ($1 == first[a] || $1 == first[b])) {
          gsub(/[_-]/, "", a); gsub(/[_-]/, "", b)
          if (a != b)
            print a, b
        }
      }
  }
' "$wordnet/cntlist.rev" "$wordnet/index.noun" "$wordnet/data.noun"

LC_ALL=C awk '
  NR == FNR { american[$0] = 1; next }
  BEGIN {
    # A British spelling -> the American one, tried at every place in a word.
    n = split("our or|ise ize|isa iza|yse yze|tre ter|ogue og|ae e|oe e|ll l|ence ense|" \
              "ould old|yre ire|ium um|grey gray|ough ow|ph f|mme m|que ck|pyj paj|eable able", rules, "|")
  }
  /^[a-z]+$/ {
    for (r = 1; r <= n; r++) {
      split(rules[r], rule, " ")
      from = rule[1]; to = rule[2]
      for (at = index($0, from); at > 0; ) {
        candidate = substr($0, 1, at - 1) to substr($0, at + length(from))
        if (candidate in american) {
          print $0, candidate
          break
        }
        further = index(substr($0, at + 1), from)
        at = further ? at + further : 0
      }
    }
  }
' <(lists american) <(lists british)
} | LC_ALL=C sort -u
