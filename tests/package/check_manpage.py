#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The manual page and --help name the same options, in every language
the manual page is written in.

usage: check_manpage.py COILIX MAN_DIR

MAN_DIR/coilix.6 is the English page, MAN_DIR/<language>/coilix.6 a
translated one. Each page is formatted with man(1); the options it names
in its SYNOPSIS and OPTIONS sections (-x, --name, /x) must be those that
`coilix --help` names in that language, no more and no fewer. Exits 77
when man is not installed.
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys

# An option as both write it: -h, --print-to, /pt. Not a path (~/.config)
# nor a file name (.pdf).
OPTION = re.compile(r"(?<![\w./~-])(--?[A-Za-z][A-Za-z-]*|/[A-Za-z]+)(?![\w/]|\.\w)")
# What man may print for a hyphen or minus, besides "-".
DASHES = str.maketrans({"\u2010": "-", "\u2011": "-", "\u2212": "-"})


def pages(man_dir):
    root = pathlib.Path(man_dir)
    found = [("en", root / "coilix.6")]
    found += [(p.parent.name, p) for p in sorted(root.glob("*/coilix.6"))]
    return found


def environment(language):
    env = dict(os.environ, LANGUAGE=language, LC_ALL="C.UTF-8", MANWIDTH="200")
    env.pop("LANG", None)
    env.pop("LC_MESSAGES", None)
    return env


def man_sections(page, language):
    out = subprocess.run(["man", "-l", str(page)], env=environment(language), check=True,
                         capture_output=True, text=True).stdout
    out = re.sub(".\b", "", out).translate(DASHES)   # no overstriking
    sections, name = {}, None
    for line in out.splitlines():
        if re.match(r"^[A-Z][A-Z ]+$", line):
            name = line.strip()
        elif name:
            sections[name] = sections.get(name, "") + line + "\n"
    return sections


def options(text):
    return set(OPTION.findall(text))


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    if shutil.which("man") is None:
        print("SKIP: man is not installed (package man-db)")
        return 77
    coilix, man_dir = argv[1], argv[2]
    failed = False
    for language, page in pages(man_dir):
        sections = man_sections(page, language)
        missing = [s for s in ("SYNOPSIS", "OPTIONS") if s not in sections]
        if missing:
            print(f"FAIL {page}: no section {', '.join(missing)}")
            failed = True
            continue
        in_man = options(sections["SYNOPSIS"]) | options(sections["OPTIONS"])
        env = environment(language)
        env.pop("DISPLAY", None)
        help_text = subprocess.run([coilix, "--help"], env=env, check=True,
                                   capture_output=True, text=True).stdout
        in_help = options(help_text)
        if in_man == in_help:
            print(f"ok   {page} ({language}): {' '.join(sorted(in_man))}")
            continue
        failed = True
        print(f"FAIL {page} ({language}) and --help differ:")
        print(f"     only in the manual page: {' '.join(sorted(in_man - in_help)) or '-'}")
        print(f"     only in --help: {' '.join(sorted(in_help - in_man)) or '-'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
