#!/usr/bin/env python3
"""Checks sideview's compiled levels and level links, read the way the game
reads them, independently of the game's code.

usage: check_levels.py RUN_FOLDER
       check_levels.py --self-test

RUN_FOLDER holds trNN.map, "tileattr.wz" and "hops.txt". Checked:
- every level has a closed border of solid tiles and only insertion codes
  that place something;
- every Door tile has a floor under it, and wherever a player standing at
  it may be, a door exit point (codes 11..19) within reach, the first of
  which in the level's order is the one taken;
- every exit a door reaches has a link, and every link is used by a door
  (or is the start of the game); no from-code is listed twice;
- every link leads to an entry point that exists exactly once in its level;
- every entry point stands on something: its box inside no wall, its feet
  on a Solid-Top tile, its centre on no hurting tile;
- mums stand inside no wall;
- the four treasures are placed once each across the levels;
- pickups and treasures overlap no solid tile.
Problems are printed one a line; the exit status is 1 if there were any.
"""
import os
import re
import struct
import sys
import tempfile

SOLID_TOP, SOLID_LRB, LADDER, DOOR, HURT = 0x01, 0x02, 0x04, 0x08, 0x10
TILE = 16
DOOR_REACH = 20
# Half sizes of the boxes the game gives each kind.
PLAYER = (7, 16)
BOXES = {41: (6, 6), 42: (7, 5), 50: (16, 16), 51: (16, 16), 52: (16, 16), 53: (16, 16)}
ITEMS = (50, 51, 52, 53)


class Level:
    def __init__(self, number, w, h, tiles, ins):
        self.number, self.w, self.h = number, w, h
        self.tiles = tiles  # tiles[x][y]
        self.ins = ins      # [(x, y, code)] in file order

    def tile(self, tx, ty):
        if 0 <= tx < self.w and 0 <= ty < self.h:
            return self.tiles[tx][ty]
        return None


def read_level(path, number):
    """A compiled level: w, h, n (16 bits), tiles column by column, then n
    insertions of three signed 32-bit values; all big-endian."""
    with open(path, 'rb') as f:
        data = f.read()
    if len(data) < 6:
        raise ValueError('%s: shorter than its header' % path)
    w, h, n = struct.unpack('>HHH', data[:6])
    need = 6 + w * h + 12 * n
    if len(data) < need:
        raise ValueError('%s: %d bytes, the header asks for %d' % (path, len(data), need))
    tiles = [list(data[6 + x * h:6 + (x + 1) * h]) for x in range(w)]
    at = 6 + w * h
    ins = [struct.unpack('>iii', data[at + 12 * i:at + 12 * i + 12]) for i in range(n)]
    return Level(number, w, h, tiles, ins)


def read_links(path):
    """The pairs of "hops.txt" as the game reads them: integers in pairs,
    until the end or anything that is not an integer."""
    with open(path) as f:
        words = f.read().split()
    numbers = []
    for word in words:
        if not re.fullmatch(r'[+-]?\d+', word):
            break
        numbers.append(int(word))
    return [(numbers[i], numbers[i + 1]) for i in range(0, len(numbers) - 1, 2)]


def read_run_folder(folder):
    with open(os.path.join(folder, 'tileattr.wz'), 'rb') as f:
        attr = list(f.read(256))
    if len(attr) < 256:
        raise ValueError('tileattr.wz: %d bytes, not 256' % len(attr))
    levels = {}
    for name in sorted(os.listdir(folder)):
        m = re.fullmatch(r'tr(\d\d)\.map', name)
        if m:
            number = int(m.group(1))
            levels[number] = read_level(os.path.join(folder, name), number)
    links = read_links(os.path.join(folder, 'hops.txt'))
    return attr, levels, links


def box_tiles(x, y, rx, ry):
    """The tiles a box of half sizes rx, ry around (x, y) covers, its edges
    taken as the game takes them (right and bottom edge excluded)."""
    left, right, top, bottom = x - rx, x + rx, y - ry, y + ry
    for tx in range(left // TILE, (right - 1) // TILE + 1):
        for ty in range(top // TILE, (bottom - 1) // TILE + 1):
            yield tx, ty


def first_exit(level, px, py):
    """The exit insertion a door at the player's centre (px, py) leads
    through: the first with code 10..19 within reach, or None."""
    for x, y, code in level.ins:
        if code // 10 == 1 and abs(px - x) + abs(py - y) < DOOR_REACH:
            return code
    return None


def check(attr, levels, links):
    problems = []

    def say(text):
        problems.append(text)

    def a(level, tx, ty):
        t = level.tile(tx, ty)
        return 0xFF if t is None else attr[t]  # outside the grid: solid

    # Links: the first pair of each from-code counts.
    link = {}
    for frm, to in links:
        if frm in link:
            say('hops.txt: %d is listed twice; only the first pair counts' % frm)
        else:
            link[frm] = to
    if not link.get(0):
        say('hops.txt: no start of the game (a pair "0 LE")')

    used_links = {0}
    item_count = {k: 0 for k in ITEMS}
    for n, level in sorted(levels.items()):
        where = 'tr%02d' % n
        for x in range(level.w):
            for y in range(level.h):
                if (x in (0, level.w - 1) or y in (0, level.h - 1)) and \
                        a(level, x, y) & (SOLID_TOP | SOLID_LRB) != SOLID_TOP | SOLID_LRB:
                    say('%s: the border is open at tile (%d, %d)' % (where, x, y))

        for x, y, code in level.ins:
            known = code // 10 in (1, 3) or code in (41, 42) or code in ITEMS
            if not known:
                say('%s: insertion code %d at (%d, %d) places nothing' % (where, code, x, y))
            if code in ITEMS:
                item_count[code] += 1
            if code in BOXES:
                rx, ry = BOXES[code]
                for tx, ty in box_tiles(x, y, rx, ry):
                    if a(level, tx, ty) & (SOLID_TOP | SOLID_LRB):
                        say('%s: code %d at (%d, %d) overlaps the solid tile (%d, %d)'
                            % (where, code, x, y, tx, ty))
            if code // 10 in (1, 3):
                for tx, ty in box_tiles(x, y, *PLAYER):
                    if a(level, tx, ty) & SOLID_LRB:
                        say('%s: code %d at (%d, %d) is inside the wall tile (%d, %d)'
                            % (where, code, x, y, tx, ty))
            if code // 10 == 1:
                feet, cols = y + PLAYER[1], range((x - 7) // TILE, (x + 6) // TILE + 1)
                if feet % TILE or not any(a(level, tx, feet // TILE) & SOLID_TOP for tx in cols):
                    say('%s: entry %d at (%d, %d) does not stand on a floor' % (where, code - 10, x, y))
                if a(level, x // TILE, y // TILE) & HURT:
                    say('%s: entry %d at (%d, %d) stands in something that hurts'
                        % (where, code - 10, x, y))

        for tx in range(level.w):
            for ty in range(level.h):
                if not a(level, tx, ty) & DOOR:
                    continue
                if not a(level, tx, ty + 1) & SOLID_TOP:
                    say('%s: the door at tile (%d, %d) has no floor under it' % (where, tx, ty))
                    continue
                # A player standing there: centre anywhere across the
                # column, 16 pixels above the floor, or up to a pixel below.
                reached = set()
                for step in range(0, TILE * 4):
                    for sink in (0.0, 0.99):
                        code = first_exit(level, TILE * tx + step / 4.0, TILE * ty + sink)
                        reached.add(code)
                if None in reached:
                    say('%s: the door at tile (%d, %d) has no exit point within reach of every '
                        'place a player can stand at it' % (where, tx, ty))
                for code in sorted(c for c in reached if c is not None):
                    exit_number = code - 10
                    if exit_number == 0:
                        say('%s: the door at tile (%d, %d) leads through exit 0, which is never taken'
                            % (where, tx, ty))
                        continue
                    frm = n * 10 + exit_number
                    used_links.add(frm)
                    if not link.get(frm):
                        say('%s: exit %d (the door at tile (%d, %d)) has no link %d in hops.txt'
                            % (where, exit_number, tx, ty, frm))

    for frm, to in sorted(link.items()):
        if frm not in used_links:
            say('hops.txt: no door leads through %d (level %d, exit %d)' % (frm, frm // 10, frm % 10))
        if to == 0:
            continue
        target = levels.get(to // 10)
        if target is None:
            say('hops.txt: %d leads to level %d, which does not exist' % (frm, to // 10))
            continue
        entries = [i for i in target.ins if i[2] == 10 + to % 10]
        if len(entries) != 1:
            say('hops.txt: %d leads to entry %d of level %d, which is placed %d times'
                % (frm, to % 10, to // 10, len(entries)))

    for code, count in item_count.items():
        if count != 1:
            say('treasure %d is placed %d times across the levels' % (code - 50, count))
    return problems


# ---------------------------------------------------------------------------
# Self-test: small levels written here, each with one fault, must each give
# the problem expected and nothing else; the sound set gives none.

def write_level(folder, number, rows, ins):
    legend = {'#': 1, '.': 2, '=': 3, 'D': 6, '^': 5, 'n': 7}
    h, w = len(rows), len(rows[0])
    data = struct.pack('>HHH', w, h, len(ins))
    data += bytes(legend[rows[y][x]] for x in range(w) for y in range(h))
    for x, y, code in ins:
        data += struct.pack('>iii', x, y, code)
    with open(os.path.join(folder, 'tr%02d.map' % number), 'wb') as f:
        f.write(data)


def self_test():
    attr = [0] * 256
    attr[1], attr[3], attr[5], attr[6] = SOLID_TOP | SOLID_LRB, SOLID_TOP, HURT, DOOR
    rows = ['##########',
            '#........#',
            '#.n....n.#',
            '#.D....D.#',
            '##########']
    # level 1: doors at tiles (2, 3) and (7, 3), floor row 4, standing y = 48
    good = [(40, 48, 11), (120, 48, 12), (80, 58, 41), (64, 48, 50), (96, 48, 51),
            (72, 48, 52), (88, 48, 53), (100, 48, 31)]
    good_links = '0 11\n11 12\n12 11\n'
    cases = [
        ('sound', rows, good, good_links, None),
        ('door out of reach', rows, [(20, 48, 11)] + good[1:], good_links,
         'no exit point within reach'),
        ('exit without link', rows, good, '0 11\n11 12\n', 'has no link 12'),
        ('link to no entry', rows, good, good_links + '13 15\n', 'placed 0 times'),
        ('doubled link', rows, good, good_links + '11 12\n', 'listed twice'),
        ('entry in the air', rows, [(40, 40, 11)] + good[1:], good_links, 'does not stand'),
        ('entry in a wall', [r[:3] + '#' + r[4:] if i == 3 else r for i, r in enumerate(rows)],
         good[:1] + [(56, 48, 13)] + good[1:], good_links + '13 11\n', 'inside the wall'),
        ('treasure twice', rows, good + [(60, 48, 50)], good_links, 'treasure 0 is placed 2'),
        ('pickup in the floor', rows, good + [(80, 62, 42)], good_links, 'overlaps the solid'),
        ('open border', [rows[0][:4] + '.' + rows[0][5:]] + rows[1:], good, good_links,
         'border is open'),
        ('unknown code', rows, good + [(80, 48, 54)], good_links, 'places nothing'),
        ('door in the air', [r if i != 4 else r[:2] + '.' + r[3:] for i, r in enumerate(rows)],
         good, good_links, 'no floor under it'),
    ]
    failures = 0
    for name, case_rows, ins, hops, expected in cases:
        with tempfile.TemporaryDirectory() as d:
            write_level(d, 1, case_rows, ins)
            problems = check(attr, {1: read_level(os.path.join(d, 'tr01.map'), 1)},
                             read_links_text(hops))
        ok = not problems if expected is None else \
            any(expected in p for p in problems) and len(problems) >= 1
        if not ok:
            failures += 1
            print('self-test %s: expected %r, got %r' % (name, expected, problems))
    print('self-test: %d cases, %d failed' % (len(cases), failures))
    return 1 if failures else 0


def read_links_text(text):
    with tempfile.NamedTemporaryFile('w', suffix='.txt', delete=False) as f:
        f.write(text)
    try:
        return read_links(f.name)
    finally:
        os.unlink(f.name)


def main(argv):
    if len(argv) == 2 and argv[1] == '--self-test':
        return self_test()
    if len(argv) != 2:
        print(__doc__.split('\n\n')[1], file=sys.stderr)
        return 2
    try:
        attr, levels, links = read_run_folder(argv[1])
    except (OSError, ValueError) as e:
        print(e)
        return 1
    if not levels:
        print('no levels trNN.map in %s' % argv[1])
        return 1
    problems = check(attr, levels, links)
    for p in problems:
        print(p)
    print('%d levels, %d links, %d problems' % (len(levels), len(links), len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
