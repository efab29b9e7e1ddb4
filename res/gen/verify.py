#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Check the committed pictures and sounds against the rules the game needs.

    python3 res/gen/verify.py [RESDIR]     (default: res/)

It reads the files as the game would (it decodes them; it does not ask the
generator what it meant to draw) and checks:

* tiles: each of the 23 at every size in TILE_SIZES, square, opaque, at
  most 16 colours, pure green corners; every crawler piece has a stub of
  outline-yellow-outline exactly where STUBS puts it on the edges it joins
  and pure green at the middle of every other edge; items and the start
  face join nothing; every size of a tile has exactly the colours of its
  24 px version (a feature lost or recoloured at one size shows), and the
  48 and 72 px tiles are redrawn, not the 24 px tile enlarged;
* sounds: one per sound id the program declares (IDW_...), 16-bit mono
  PCM at 22050 Hz, of about the intended length, quiet at both ends, not
  clipped;
* toolbar images: 16 x 15 (2x: 32 x 30, 3x: 48 x 45) RGBA with a
  transparent ground and nothing half transparent;
* icons: square RGBA PNGs of each size, and a well-formed SVG;
* resources.qrc: lists exactly the generated files, all present.

Prints one line per failure and ends with 'N passed, N failed'; the exit
status is 1 when anything failed.
"""

import os
import re
import sys
import wave
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

import pngio  # noqa: E402

GREEN = (0, 255, 0, 255)
BLACK = (0, 0, 0, 255)

# Cell type, file name and the edges each crawler piece joins. Written out
# here again on purpose: this table is what the game expects, independent
# of how the generator happens to be organised.
TILES = [
    (1, "body_horz", {"left", "right"}), (2, "body_vert", {"top", "bottom"}),
    (3, "head_right", {"left"}), (4, "head_left", {"right"}),
    (5, "head_down", {"top"}), (6, "head_up", {"bottom"}),
    (7, "frown_right", {"left"}), (8, "frown_left", {"right"}),
    (9, "frown_down", {"top"}), (10, "frown_up", {"bottom"}),
    (11, "body_up_right", {"top", "right"}), (12, "body_down_right", {"right", "bottom"}),
    (13, "body_down_left", {"left", "bottom"}), (14, "body_up_left", {"top", "left"}),
    (15, "tail_left", {"left"}), (16, "tail_right", {"right"}),
    (17, "tail_up", {"top"}), (18, "tail_down", {"bottom"}),
    (19, "skull", set()), (20, "dropping", set()), (21, "apple", set()),
    (22, "coin", set()), (23, "start", set()),
]
# The tile sizes in pixels (24 x the device pixel ratios 1, 1.25, ... 3) and,
# for each, where a join's stub lies along the tile edge: its first pixel and
# the width of its black sides. The stub runs from that pixel to the same
# distance from the far end of the edge (pixels first .. size-1-first), so
# the stubs of two neighbours meet edge to edge. The same width of black is
# the outline of the whole piece, and the stub fills the green gap between
# disc and edge, which is that many lines deep.
TILE_SIZES = [24, 30, 36, 42, 48, 54, 60, 66, 72]
STUBS = {24: (9, 1), 30: (11, 1), 36: (13, 2), 42: (16, 2), 48: (18, 2),
         54: (20, 2), 60: (22, 3), 66: (25, 3), 72: (27, 3)}
SOUND_SECONDS = {150: 0.03, 152: 0.08, 153: 0.39, 154: 0.26, 155: 0.83, 156: 0.51, 159: 0.79}
SOUND_FILES = {150: "move", 152: "apple", 153: "coin", 154: "skull", 155: "crash",
               156: "dropping", 159: "highscore"}
TOOLBAR = ["new", "open", "save", "pause", "sound_off", "auto_resize", "print", "about"]
TOOLBAR_SETS = [(1, "toolbar"), (2, "toolbar/2x"), (3, "toolbar/3x")]
ICON_SIZES = [16, 32, 48, 64, 128, 256]


class Report:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL: %s" % what)
        return ok


def load_png(path):
    with open(path, "rb") as f:
        return pngio.decode(f.read())


def edge_line(px, edge, depth):
    """The pixels of the line ``depth`` pixels in from the given edge,
    ordered left to right (top and bottom) or top to bottom (left and right)."""
    n = len(px)
    if edge == "top":
        return px[depth]
    if edge == "bottom":
        return px[n - 1 - depth]
    if edge == "left":
        return [row[depth] for row in px]
    return [row[n - 1 - depth] for row in px]


def stub_yellow(px):
    """The yellow of the crawler: the colour at the middle of the stub on the
    left edge of body_horz is taken as the reference."""
    return px[len(px) // 2][0]


def check_tiles(rep, res):
    base = {}            # name -> pixels of the 24 px tile
    yellow = {}          # size -> stub yellow
    for size in TILE_SIZES:
        path = os.path.join(res, "tiles", str(size), "body_horz.png")
        if os.path.isfile(path):
            yellow[size] = stub_yellow(load_png(path)[3])
    if 24 in yellow:
        y = yellow[24]
        rep.check(y[0] > 200 and y[1] > 180 and y[2] < 100, "crawler stub colour %r is not a yellow" % (y,))
    for size, y in sorted(yellow.items()):
        rep.check(y == yellow.get(24), "tiles/%d: crawler stub colour %r differs from the 24 px one" % (size, y))

    for ct, name, joins in TILES:
        for size in TILE_SIZES:
            label = "tiles/%d/%s.png" % (size, name)
            path = os.path.join(res, "tiles", str(size), name + ".png")
            if not rep.check(os.path.isfile(path), "%s is missing" % label):
                continue
            w, h, info, px = load_png(path)
            if not rep.check((w, h) == (size, size), "%s is %dx%d, not %dx%d" % (label, w, h, size, size)):
                continue
            colours = {p for row in px for p in row}
            rep.check(len(colours) <= 16, "%s has %d colours" % (label, len(colours)))
            rep.check(all(p[3] == 255 for p in colours), "%s is not opaque" % label)
            rep.check(info["colour_type"] == 3 and len(info["palette"]) <= 16,
                      "%s is not a palette image of at most 16 entries" % label)
            corners = [px[0][0], px[0][-1], px[-1][0], px[-1][-1]]
            rep.check(all(c == GREEN for c in corners), "%s has a corner that is not pure green" % label)
            rep.check(GREEN in colours and len(colours) > 2, "%s shows nothing on the green" % label)
            check_stubs(rep, label, px, size, joins, yellow.get(size))

            if size == 24:
                base[name] = px
            elif name in base:
                # the same picture at every size: every colour of the 24 px
                # tile and no other, so no feature is lost, added or recoloured
                one = {p for row in base[name] for p in row}
                rep.check(colours == one, "%s: colours %s differ from the 24 px tile's (%s)"
                          % (label, sorted(colours - one), sorted(one - colours)))
                k = size // 24
                if size % 24 == 0:
                    copied = all(px[y][x] == base[name][y // k][x // k] for y in range(size) for x in range(size))
                    rep.check(not copied, "%s is only the 24 px tile enlarged" % label)


def check_stubs(rep, label, px, size, joins, want_yellow):
    """Every joined edge carries the stub exactly as STUBS gives it for this
    size, in every line of the gap between the disc and the edge; the middle
    of every other edge is green."""
    first, line = STUBS[size]
    last = size - 1 - first
    mid = range(first, last + 1)
    black = set(range(first, first + line)) | set(range(last - line + 1, last + 1))
    for edge in ("top", "bottom", "left", "right"):
        if edge in joins:
            for depth in range(line):
                row = edge_line(px, edge, depth)
                bad = [i for i in mid if (row[i] != BLACK if i in black else row[i] != want_yellow)]
                rep.check(not bad, "%s: stub on the %s edge (line %d) is wrong at %s" % (label, edge, depth, bad))
                outside = [i for i in range(size) if i not in mid and row[i] != GREEN]
                rep.check(not outside, "%s: %s edge (line %d) is not green outside the stub at %s"
                          % (label, edge, depth, outside))
        else:
            row = edge_line(px, edge, 0)
            bad = [i for i in mid if row[i] != GREEN]
            rep.check(not bad, "%s: %s edge is joined nowhere but not green in its middle at %s"
                      % (label, edge, bad))


# Where the program declares its sound ids (IDW_...), relative to res/: as
# enumerators beside the game rules.
SOUND_ID_FILES = [os.path.join("..", "game", "GameHost.h")]


def resource_sound_ids(res):
    ids = {}
    for rel in SOUND_ID_FILES:
        path = os.path.join(res, rel)
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8") as f:
            for line in f:
                m = re.match(r"\s*(IDW_\w+)\s*=\s*(\d+)\b", line)
                if m:
                    ids[m.group(1)] = int(m.group(2))
    return ids


def check_sounds(rep, res):
    ids = set(resource_sound_ids(res).values())
    rep.check(ids == set(SOUND_FILES), "the program's sound ids %s differ from the sound files %s"
              % (sorted(ids), sorted(SOUND_FILES)))
    for sid, name in sorted(SOUND_FILES.items()):
        label = "sounds/%s.wav" % name
        path = os.path.join(res, "sounds", name + ".wav")
        if not rep.check(os.path.isfile(path), "%s is missing" % label):
            continue
        with wave.open(path, "rb") as w:
            fmt = (w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype())
            n = w.getnframes()
            data = w.readframes(n)
        if not rep.check(fmt == (1, 2, 22050, "NONE"), "%s is not 16-bit mono PCM at 22050 Hz: %r"
                         % (label, fmt)):
            continue
        seconds = n / 22050.0
        want = SOUND_SECONDS[sid]
        rep.check(abs(seconds - want) <= max(0.005, 0.05 * want),
                  "%s lasts %.3f s, wanted about %.2f s" % (label, seconds, want))
        s = [int.from_bytes(data[i:i + 2], "little", signed=True) for i in range(0, len(data), 2)]
        peak = max(abs(v) for v in s)
        rep.check(3000 < peak < 32000, "%s peaks at %d (silent or clipped)" % (label, peak))
        rep.check(abs(s[0]) < 300 and abs(s[-1]) < 300,
                  "%s does not fade at its ends (%d ... %d)" % (label, s[0], s[-1]))


def check_toolbar(rep, res):
    for scale, sub in TOOLBAR_SETS:
        for name in TOOLBAR:
            label = "%s/%s.png" % (sub, name)
            path = os.path.join(res, sub, name + ".png")
            if not rep.check(os.path.isfile(path), "%s is missing" % label):
                continue
            w, h, info, px = load_png(path)
            rep.check((w, h) == (16 * scale, 15 * scale), "%s is %dx%d" % (label, w, h))
            rep.check(info["colour_type"] == 6, "%s is not RGBA" % label)
            alphas = [p[3] for row in px for p in row]
            rep.check(alphas.count(0) > len(alphas) // 5, "%s has little transparent ground" % label)
            rep.check(alphas.count(255) > len(alphas) // 5, "%s draws almost nothing" % label)
            rep.check(set(alphas) <= {0, 255}, "%s is half transparent somewhere" % label)


def check_icons(rep, res):
    for size in ICON_SIZES:
        label = "icons/coilix-%d.png" % size
        path = os.path.join(res, "icons", "coilix-%d.png" % size)
        if not rep.check(os.path.isfile(path), "%s is missing" % label):
            continue
        w, h, info, px = load_png(path)
        rep.check((w, h) == (size, size), "%s is %dx%d" % (label, w, h))
        rep.check(info["colour_type"] == 6, "%s is not RGBA" % label)
        rep.check(px[0][0][3] < 255 and px[size // 2][size // 2][3] == 255,
                  "%s should be transparent at the corner and opaque in the middle" % label)
    path = os.path.join(res, "icons", "coilix.svg")
    if rep.check(os.path.isfile(path), "icons/coilix.svg is missing"):
        root = ET.parse(path).getroot()
        rep.check(root.tag.endswith("svg") and root.get("viewBox") == "0 0 256 256",
                  "icons/coilix.svg has no 256 x 256 view box")


def check_qrc(rep, res):
    path = os.path.join(res, "resources.qrc")
    if not rep.check(os.path.isfile(path), "resources.qrc is missing"):
        return
    root = ET.parse(path).getroot()
    listed = {}
    for f in root.iter("file"):
        listed[f.text] = f.get("alias")
    for rel, alias in sorted(listed.items()):
        rep.check(os.path.isfile(os.path.join(res, rel)), "resources.qrc lists %s, which is missing" % rel)
        rep.check(alias == rel, "resources.qrc gives %s the alias %s" % (rel, alias))
    wanted = set()
    for _, name, _ in TILES:
        wanted |= {"tiles/%d/%s.png" % (size, name) for size in TILE_SIZES}
    wanted |= {"sounds/%s.wav" % n for n in SOUND_FILES.values()}
    wanted |= {"%s/%s.png" % (sub, n) for _, sub in TOOLBAR_SETS for n in TOOLBAR}
    wanted |= {"icons/coilix-%d.png" % s for s in ICON_SIZES} | {"icons/coilix.svg"}
    rep.check(set(listed) == wanted, "resources.qrc lists %s and lacks %s"
              % (sorted(set(listed) - wanted), sorted(wanted - set(listed))))


def main(argv):
    res = argv[1] if len(argv) > 1 else os.path.dirname(HERE)
    rep = Report()
    check_tiles(rep, res)
    check_sounds(rep, res)
    check_toolbar(rep, res)
    check_icons(rep, res)
    check_qrc(rep, res)
    print("%d passed, %d failed" % (rep.passed, rep.failed))
    return 1 if rep.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
