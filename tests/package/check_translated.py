#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every installed text file speaks every language of the game.

usage: check_translated.py TS_DIR FILE...

The languages are those of TS_DIR/coilix_<language>.ts but English, the
source. A FILE ending in .desktop must carry Key[<language>]= for each of
its translatable keys; any other FILE is XML, and each of its texts for
people (names, summaries, paragraphs, list items, captions, comments) must
be followed by a sibling of the same kind with xml:lang="<language>".
Prints every gap and exits 1 if there is one.
"""

import pathlib
import sys
import xml.etree.ElementTree as ET

DESKTOP_KEYS = ("Name", "GenericName", "Comment", "Keywords")
XML_TEXTS = ("name", "summary", "p", "li", "caption", "comment")
LANG = "{http://www.w3.org/XML/1998/namespace}lang"


def languages(ts_dir):
    names = sorted(p.stem.split("_", 1)[1] for p in pathlib.Path(ts_dir).glob("coilix_*.ts"))
    return [n for n in names if n != "en"]


def desktop_gaps(path, langs):
    values, group = {}, None
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if line.startswith("["):
            group = line
        elif group == "[Desktop Entry]" and "=" in line and not line.startswith("#"):
            key, value = line.split("=", 1)
            values[key.strip()] = value.strip()
    for key in DESKTOP_KEYS:
        if key not in values:
            continue
        for lang in langs:
            if not values.get(f"{key}[{lang}]"):
                yield f"{path}: no {key}[{lang}]"


def local(tag):
    return tag.rsplit("}", 1)[-1]


def xml_gaps(path, langs):
    for parent in ET.parse(path).iter():
        children = list(parent)
        for child in children:
            if local(child.tag) not in XML_TEXTS or LANG in child.attrib:
                continue
            done = {c.get(LANG) for c in children
                    if c.tag == child.tag and LANG in c.attrib and (c.text or "").strip()}
            text = " ".join((child.text or "").split())[:50]
            for lang in langs:
                if lang not in done:
                    yield f"{path}: <{local(child.tag)}> \"{text}\" has no {lang} translation"


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    langs = languages(argv[1])
    if not langs:
        print(f"no translations in {argv[1]}", file=sys.stderr)
        return 1
    gaps = []
    for path in argv[2:]:
        gaps += desktop_gaps(path, langs) if path.endswith(".desktop") else xml_gaps(path, langs)
    for gap in gaps:
        print(gap, file=sys.stderr)
    if gaps:
        return 1
    print(f"{len(argv) - 2} files carry every text in {', '.join(langs)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
