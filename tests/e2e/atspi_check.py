# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the window through the desktop's accessibility bus (AT-SPI), as a
screen reader does, and checks what it would say.

usage: atspi_check.py DUMP-FILE static
       atspi_check.py DUMP-FILE state TEXT   (the board's description holds TEXT)
Exits 1 with the reasons when a check fails, 2 when the program is not found.
"""
import sys
import time

import pyatspi


def find_app(name="Coilix", timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def walk(acc, depth=0):
    yield acc, depth
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def keys_of(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return ""
    return "|".join(action.getKeyBinding(i) for i in range(action.nActions))


def main():
    dump_path, mode = sys.argv[1], sys.argv[2]
    app = find_app()
    if app is None:
        print("the program is not on the accessibility bus")
        return 2
    nodes = list(walk(app))
    with open(dump_path, "w", encoding="utf-8") as dump:
        for acc, depth in nodes:
            dump.write("%s[%s] %r %r %s\n" % ("  " * depth, acc.getRoleName(), acc.name,
                                             acc.description, keys_of(acc)))
    board = [acc for acc, _ in nodes if acc.name == "Board"]
    problems = []
    if len(board) != 1:
        problems.append("no single element named Board (%d)" % len(board))
    if mode == "static":
        items = {acc.name: acc for acc, _ in nodes if acc.getRoleName() == "menu item"}
        for name in items:
            if "\t" in name:
                problems.append("menu item name holds its key: %r" % name)
        for name, key in [("New...", "F2"), ("Open...", "Ctrl+O"), ("Exit", "Esc"),
                          ("High Scores...", "Ctrl+H")]:
            if name not in items:
                problems.append("no menu item %r" % name)
            elif key not in keys_of(items[name]).split("|"):
                problems.append("%r does not give its key %s: %r" % (name, key,
                                                                     keys_of(items[name])))
        for acc, _ in nodes:
            parent = acc.parent
            if (parent is not None and parent.getRoleName() == "tool bar" and
                    acc.getRoleName() in ("check box", "push button", "toggle button") and
                    not acc.name):
                problems.append("the toolbar holds an unnamed %s" % acc.getRoleName())
        if board and board[0].description != "Score: 0, Ready":
            problems.append("the board says %r, not 'Score: 0, Ready'" % board[0].description)
    elif mode == "state":
        want = sys.argv[3]
        end = time.time() + 5
        while board and want not in board[0].description and time.time() < end:
            time.sleep(0.1)
        if board and want not in board[0].description:
            problems.append("the board says %r, not %r" % (board[0].description, want))
    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
