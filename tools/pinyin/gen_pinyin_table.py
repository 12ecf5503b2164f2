#!/usr/bin/env python3
"""Generates core/util/PinyinTable.inc, the compiled pinyin readings of the 6763 GB2312 characters.

Source: the character readings of the Rime "Luna Pinyin" dictionary that Debian ships in the
package rime-data-luna-pinyin (/usr/share/rime-data/luna_pinyin.dict.yaml: character, reading
and an optional weight per line). The generated file is committed; regenerate only when the
table must change:

    apt-get install rime-data-luna-pinyin
    python3 tools/pinyin/gen_pinyin_table.py            # writes core/util/PinyinTable.inc
    python3 tools/pinyin/gen_pinyin_table.py --check    # only verifies, writes nothing

Level 1 (zones 16-55) is sorted by reading, so it becomes a chain of code ranges: every
character is given one of its readings such that the readings never go backwards along the
zone order (a minimum-cost monotone assignment); every character must get one of its own
readings (EXTRA_READINGS supplies the few the dictionary lacks). The result must reproduce the known first and last rows below, or the
script stops with an error. Level 2 (zones 56-87, sorted by radical) becomes a direct
code-to-syllable map: the most frequent reading where the dictionary weighs them, else the
first one listed.
"""
import argparse
import collections
import os
import sys

DICTIONARY = "/usr/share/rime-data/luna_pinyin.dict.yaml"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "core", "util", "PinyinTable.inc")

# Rows of the level-1 chain that are known from the character set's published order.
EXPECTED_FIRST_ROWS = [
    (1601, 1602, "A"), (1603, 1615, "AI"), (1616, 1624, "AN"), (1625, 1627, "ANG"),
    (1628, 1636, "AO"), (1637, 1654, "BA"), (1655, 1662, "BAI"), (1663, 1677, "BAN"),
    (1678, 1689, "BANG"), (1690, 1712, "BAO"), (1713, 1727, "BEI"), (1728, 1731, "BEN"),
    (1732, 1737, "BENG"), (1738, 1761, "BI"), (1762, 1773, "BIAN"),
]
EXPECTED_LAST_ROWS = [
    (5562, 5565, "ZOU"), (5566, 5573, "ZU"), (5574, 5575, "ZUAN"), (5576, 5579, "ZUI"),
    (5580, 5581, "ZUN"), (5582, 5589, "ZUO"),
]
# Known level-2 assignments.
EXPECTED_LEVEL2 = {5601: "CHU", 5616: "BI", 5634: "MI", 5635: "BEI"}

# The dictionary spells the syllabic nasal of this character "en"; the table keeps "N".
OVERRIDES = {"嗯": "N"}
# Readings the dictionary lacks but the character set files the character under
# (挝 as in 老挝 stands among the "wo" characters).
EXTRA_READINGS = {"挝": "WO"}

LEVEL1_ZONES = range(16, 56)
LEVEL2_ZONES = range(56, 88)
LAST_LEVEL1_POSITION_OF_ZONE_55 = 89


def normalise(reading):
    """Upper-case Latin letters without tones; u-umlaut (written v) becomes U."""
    return reading.strip().lower().replace("v", "u").replace("ü", "u").upper()


def load_readings(path):
    """Returns {character: [(syllable, weight or None), ...]} in dictionary order."""
    with open(path, encoding="utf-8") as handle:
        lines = handle.read().split("\n")
    try:
        body = lines[lines.index("...") + 1:]
    except ValueError:
        sys.exit("dictionary header end '...' not found in " + path)
    readings = collections.defaultdict(list)
    for line in body:
        if not line or line.startswith("#"):
            continue
        parts = line.split("\t")
        if len(parts[0]) != 1:
            continue
        rest = " ".join(parts[1:]).split()
        if not rest or not rest[0].isalpha():
            continue
        weight = None
        if len(rest) > 1:
            try:
                weight = float(rest[1].rstrip("%"))
            except ValueError:
                weight = None
        syllable = normalise(rest[0])
        if all(existing != syllable for existing, _ in readings[parts[0]]):
            readings[parts[0]].append((syllable, weight))
    return readings


def character_of(code):
    zone, position = divmod(code, 100)
    return bytes([zone + 160, position + 160]).decode("gb2312")


def codes_of(zones, last_zone_limit=None):
    codes = []
    for zone in zones:
        last = 94
        if last_zone_limit and zone == zones[-1]:
            last = last_zone_limit
        codes.extend(zone * 100 + position for position in range(1, last + 1))
    return codes


def preferred_reading(character, readings):
    if character in OVERRIDES:
        return OVERRIDES[character]
    options = readings.get(character)
    if not options:
        return None
    weighted = [option for option in options if option[1] is not None]
    if weighted:
        return max(weighted, key=lambda option: option[1])[0]  # max keeps the first of equals
    return options[0][0]


def assign_level1(codes, readings):
    """Minimum number of characters whose assigned syllable is not one of their readings,
    under the rule that syllables never decrease along the codes."""
    sets = []
    for code in codes:
        character = character_of(code)
        if character in OVERRIDES:
            sets.append({OVERRIDES[character]})
        else:
            own = {syllable for syllable, _ in readings.get(character, [])}
            if character in EXTRA_READINGS:
                own.add(EXTRA_READINGS[character])
            sets.append(own)
    syllables = sorted(set().union(*sets))
    count = len(syllables)
    infinity = len(codes) + 1
    previous = [0 if syllables[s] in sets[0] else 1 for s in range(count)]
    choices = []  # for each character after the first: best predecessor state per state
    for index in range(1, len(codes)):
        best_cost, best_state = infinity, 0
        current, back = [0] * count, [0] * count
        for state in range(count):
            if previous[state] < best_cost:  # strict: prefer the earliest syllable on ties
                best_cost, best_state = previous[state], state
            current[state] = best_cost + (0 if syllables[state] in sets[index] else 1)
            back[state] = best_state
        choices.append(back)
        previous = current
    state = min(range(count), key=lambda s: previous[s])
    assigned = [state]
    for back in reversed(choices):
        state = back[state]
        assigned.append(state)
    assigned.reverse()
    misfits = [(code, character_of(code), sorted(sets[i]), syllables[assigned[i]])
               for i, code in enumerate(codes) if syllables[assigned[i]] not in sets[i]]
    return [syllables[s] for s in assigned], misfits


def ranges_of(codes, assigned):
    rows = []
    for code, syllable in zip(codes, assigned):
        if rows and rows[-1][2] == syllable:
            rows[-1][1] = code
        else:
            rows.append([code, code, syllable])
    return [tuple(row) for row in rows]


def check(rows, level2):
    problems = []
    if rows[:len(EXPECTED_FIRST_ROWS)] != EXPECTED_FIRST_ROWS:
        problems.append("first level-1 rows differ:\n  got      %s\n  expected %s"
                        % (rows[:len(EXPECTED_FIRST_ROWS)], EXPECTED_FIRST_ROWS))
    if rows[-len(EXPECTED_LAST_ROWS):] != EXPECTED_LAST_ROWS:
        problems.append("last level-1 rows differ:\n  got      %s\n  expected %s"
                        % (rows[-len(EXPECTED_LAST_ROWS):], EXPECTED_LAST_ROWS))
    names = [row[2] for row in rows]
    if len(names) != len(set(names)):
        problems.append("a syllable occupies two separate level-1 ranges")
    for code, syllable in EXPECTED_LEVEL2.items():
        if level2.get(code) != syllable:
            problems.append("level-2 code %d is %s, expected %s" % (code, level2.get(code), syllable))
    return problems


def render(rows, level2_codes, level2, source):
    syllables = sorted(set(row[2] for row in rows) | set(level2.values()))
    index = {syllable: i for i, syllable in enumerate(syllables)}
    out = []
    out.append("// Generated by tools/pinyin/gen_pinyin_table.py from %s; do not edit by hand." % source)
    out.append("// Included once by Pinyin.cpp.")
    out.append("")
    out.append("static const char* const kPinyinSyllables[%d] = {" % len(syllables))
    for start in range(0, len(syllables), 10):
        out.append("    " + " ".join('"%s",' % s for s in syllables[start:start + 10]))
    out.append("};")
    out.append("")
    out.append("// Level 1: ascending ranges of zone-position codes, one syllable each.")
    out.append("static const PinyinRange kPinyinLevel1[%d] = {" % len(rows))
    for first, last, syllable in rows:
        out.append("    {%d, %d, %d}, // %s" % (first, last, index[syllable], syllable))
    out.append("};")
    out.append("")
    out.append("// Level 2: syllable index of every code from %d on, %d codes per zone."
               % (level2_codes[0], 94))
    out.append("static const unsigned short kPinyinLevel2[%d] = {" % len(level2_codes))
    values = [index[level2[code]] for code in level2_codes]
    for start in range(0, len(values), 16):
        out.append("    " + " ".join("%d," % v for v in values[start:start + 16]))
    out.append("};")
    out.append("")
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--dictionary", default=DICTIONARY)
    parser.add_argument("--output", default=OUTPUT)
    parser.add_argument("--check", action="store_true", help="verify only, write nothing")
    args = parser.parse_args()
    if not os.path.exists(args.dictionary):
        sys.exit("%s missing: apt-get install rime-data-luna-pinyin" % args.dictionary)

    readings = load_readings(args.dictionary)
    level1_codes = codes_of(list(LEVEL1_ZONES), LAST_LEVEL1_POSITION_OF_ZONE_55)
    level2_codes = codes_of(list(LEVEL2_ZONES))

    assigned, misfits = assign_level1(level1_codes, readings)
    rows = ranges_of(level1_codes, assigned)

    level2 = {}
    missing = []
    for code in level2_codes:
        syllable = preferred_reading(character_of(code), readings)
        if syllable is None:
            missing.append(code)
        level2[code] = syllable
    if missing:
        sys.exit("level-2 characters without a reading: %s" % missing)

    problems = check(rows, level2)
    if problems:
        sys.exit("generated table does not match the known rows:\n" + "\n".join(problems))

    if misfits:
        sys.exit("level-1 characters whose place fits none of their readings (add them to "
                 "EXTRA_READINGS after checking):\n" + "\n".join(
                     "  %d %s readings %s, placed among %s" % misfit for misfit in misfits))
    print("level 1: %d ranges" % len(rows), file=sys.stderr)
    print("level 2: %d codes" % len(level2_codes), file=sys.stderr)

    if not args.check:
        text = render(rows, level2_codes, level2, os.path.basename(args.dictionary))
        with open(args.output, "w", encoding="utf-8", newline="\n") as handle:
            handle.write(text)
        print("wrote " + os.path.normpath(args.output), file=sys.stderr)


if __name__ == "__main__":
    main()
