#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Make every picture and sound of the game, and the Qt resource file.

    python3 res/gen/make_resources.py            write into res/
    python3 res/gen/make_resources.py --out DIR  write into DIR instead
    python3 res/gen/make_resources.py --check    rebuild in a temporary
        directory and fail (exit 1) if any file in res/ differs from it,
        is missing, or is left over from an older run

The output depends on nothing but this directory's code: no clock, no
randomness without a fixed seed, no ancillary PNG chunks. Running it twice
gives the same bytes.
"""

import argparse
import filecmp
import os
import shutil
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True   # keep the source tree free of caches

import icons  # noqa: E402
import pngio  # noqa: E402
import sounds  # noqa: E402
import tiles  # noqa: E402
import toolbar  # noqa: E402

RES = os.path.dirname(HERE)
# Directories whose every file, in any subdirectory, this script makes
# (relative to res/).
OWNED_DIRS = ["tiles", "sounds", "toolbar", "icons"]
QRC = "resources.qrc"


def tile_palette(pixels):
    """The tile's colours, board green first, then in a fixed order."""
    used = {p for row in pixels for p in row}
    rest = sorted(used - {tiles.GREEN})
    return [tiles.GREEN] + rest


def build():
    """Return {relative path: bytes} for every output."""
    out = {}
    for ct, name, res_id, joins, draw in tiles.TILES:
        for size in tiles.PIXEL_SIZES:
            px = tiles.render(draw, size)
            out["tiles/%d/%s.png" % (size, name)] = pngio.encode_indexed(px, tile_palette(px))
    for res_id, name, synth in sounds.SOUNDS:
        out["sounds/%s.wav" % name] = sounds.encode_wav(synth())
    for scale, sub in toolbar.SCALES:
        for name, px in toolbar.images(scale):
            out["%s/%s.png" % (sub, name)] = pngio.encode_rgba(px)
    for size in icons.SIZES:
        out["icons/coilix-%d.png" % size] = pngio.encode_rgba(icons.render(size))
    out["icons/coilix.svg"] = icons.svg().encode("ascii")
    out[QRC] = qrc(sorted(out)).encode("ascii")
    return out


def qrc(paths):
    lines = ["<!DOCTYPE RCC>", '<RCC version="1.0">',
             "<!-- Made by gen/make_resources.py; do not edit by hand. -->",
             '<qresource prefix="/">']
    for p in paths:
        lines.append('    <file alias="%s">%s</file>' % (p, p))
    lines += ["</qresource>", "</RCC>"]
    return "\n".join(lines) + "\n"


def write(files, root):
    for rel, data in files.items():
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)


def existing(root):
    found = set()
    for d in OWNED_DIRS:
        for top, dirs, names in os.walk(os.path.join(root, d)):
            dirs.sort()
            rel = os.path.relpath(top, root).replace(os.sep, "/")
            found.update("%s/%s" % (rel, name) for name in names)
    if os.path.isfile(os.path.join(root, QRC)):
        found.add(QRC)
    return found


def check(root):
    tmp = tempfile.mkdtemp(prefix="coilix-res-")
    try:
        files = build()
        write(files, tmp)
        problems = []
        for rel in sorted(files):
            mine = os.path.join(root, rel)
            if not os.path.isfile(mine):
                problems.append("missing: %s" % rel)
            elif not filecmp.cmp(mine, os.path.join(tmp, rel), shallow=False):
                problems.append("differs: %s" % rel)
        for rel in sorted(existing(root) - set(files)):
            problems.append("not made by the generator: %s" % rel)
        for p in problems:
            print(p)
        print("%d outputs checked, %d problems" % (len(files), len(problems)))
        return 1 if problems else 0
    finally:
        shutil.rmtree(tmp)


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=RES, help="directory to write into (default: res/)")
    ap.add_argument("--check", action="store_true",
                    help="compare the files in --out with a fresh build; exit 1 on any difference")
    args = ap.parse_args(argv)
    if args.check:
        return check(args.out)
    files = build()
    stale = existing(args.out) - set(files)
    for rel in sorted(stale):
        os.remove(os.path.join(args.out, rel))
    for d in OWNED_DIRS:      # drop directories that the removals left empty
        for top, dirs, names in os.walk(os.path.join(args.out, d), topdown=False):
            if not os.listdir(top) and top != os.path.join(args.out, d):
                os.rmdir(top)
    write(files, args.out)
    print("wrote %d files to %s" % (len(files), args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
