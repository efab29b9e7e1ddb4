# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the program through the desktop's accessibility bus (AT-SPI), as a
screen reader does, and checks what it would say, in the program's language.

usage: atspi_check.py DUMP SOURCE_DIR LANGUAGE window STATE
       atspi_check.py DUMP SOURCE_DIR LANGUAGE dialog KIND [ROW...]

STATE is start, playing, paused or over; KIND is new-game, about,
how-to-play, high-scores (each ROW "position|name|score", the rows the table
must show, blank ones too) or new-high-score. The texts expected are read from the translation files
under SOURCE_DIR, by the numbers in res/resource.h.

Everywhere: every object but a separator or a table's cell has a name,
unless it only holds other objects and takes no keyboard focus, and one
object has the focus.
The main window: menu items are named without their keys, the board is one
canvas with the board's name whose description is the score and the state
of play as the status bar shows them, and the Pause button is a checkable
button in every state, checked while the game is paused. The High Scores
dialog is a table of three named columns holding exactly ROW... The How to
Play page is one text named as its dialog, read-only, with the focus,
beginning with the page's first paragraph. The tree
read is written to DUMP after the checks have waited for what they expect.
Exits 1 with the reasons when a check fails, 2 when the program or the
dialog is not found.
"""
import re
import sys
import time
import xml.etree.ElementTree as ET
from pathlib import Path

import pyatspi

WAIT = 5.0
TEXT_IDS = {
    "score": "IDS_SCORE", "over": "IDS_GAME_OVER", "playing": "IDS_PLAYING",
    "paused": "IDS_PAUSE", "start": "AFX_IDS_IDLEMESSAGE",
    "new-game": "IDS_NEW_GAME_TITLE", "about": "IDS_ABOUT_TITLE",
    "how-to-play": "IDS_HOW_TO_PLAY_TITLE", "how-to-play-intro": "IDS_HOW_TO_PLAY_INTRO",
    "high-scores": "IDS_HIGH_SCORES_TITLE", "new-high-score": "IDS_NEW_HIGH_SCORE_TITLE",
    "position": "IDS_COL_POSITION", "name": "IDS_COL_NAME", "score-column": "IDS_COL_SCORE",
}


class Texts:
    """The program's texts in one language, as its translation file holds them."""

    def __init__(self, source_dir, language):
        src = Path(source_dir)
        self.numbers = {}
        for header in (src / "res/resource.h", src / "framework/StdIds.h"):
            for name, number in re.findall(r"#define\s+(\w+)\s+(\d+)", header.read_text()):
                self.numbers[name] = number
        self.texts = {}
        for message in ET.parse(src / f"res/translations/coilix_{language}.ts").iter("message"):
            translation = message.find("translation")
            done = translation is not None and translation.get("type") is None and translation.text
            self.texts[message.get("id")] = (translation.text if done
                                             else message.findtext("source"))

    def __getitem__(self, key):
        if key in TEXT_IDS:
            key = self.numbers[TEXT_IDS[key]]
        return self.texts[key]


def find(parent, test, timeout=15.0):
    end = time.time() + timeout
    while True:
        for i in range(parent.childCount):
            child = parent.getChildAtIndex(i)
            if child is not None and test(child):
                return child
        if time.time() >= end:
            return None
        time.sleep(0.2)


def walk(acc, depth=0):
    yield acc, depth
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def has(acc, state):
    return acc.getState().contains(state)


def keys_of(acc):
    try:
        action = acc.queryAction()
    except NotImplementedError:
        return ""
    return "|".join(action.getKeyBinding(i) for i in range(action.nActions))


def dump(path, root):
    states = [(pyatspi.STATE_FOCUSED, "focused"), (pyatspi.STATE_FOCUSABLE, "focusable"),
              (pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_SHOWING, "showing")]
    with open(path, "w", encoding="utf-8") as out:
        for acc, depth in walk(root):
            out.write("%s[%s] %r %r %s %s\n" % (
                "  " * depth, acc.getRoleName(), acc.name, acc.description, keys_of(acc),
                ",".join(n for s, n in states if has(acc, s))))


def common(root, problems):
    """Names, and the one object that has the focus."""
    nodes = [acc for acc, _ in walk(root)]
    for acc in nodes:
        role = acc.getRoleName()
        holder = acc.childCount > 0 and not has(acc, pyatspi.STATE_FOCUSABLE)
        # A blank cell of a table reads as empty (the tables' rows are
        # checked cell by cell).
        if not acc.name and role not in ("separator", "table cell") and not holder:
            problems.append("an unnamed %s in %s %r" % (role, acc.parent.getRoleName(),
                                                       acc.parent.name))
    focused = [acc for acc in nodes
               if has(acc, pyatspi.STATE_FOCUSED) and has(acc, pyatspi.STATE_FOCUSABLE)]
    if len(focused) != 1:
        problems.append("%d objects have the focus: %s" % (
            len(focused), ", ".join("%s %r" % (a.getRoleName(), a.name) for a in focused)))
    return nodes


def check_window(frame, texts, state, problems):
    nodes = [acc for acc, _ in walk(frame)]
    boards = [acc for acc in nodes if acc.getRoleName() == "canvas"]
    if len(boards) != 1:
        problems.append("%d canvases, not the one board" % len(boards))
    # The status bar's panes: the message, then the score.
    bar = [acc for acc in nodes if acc.getRoleName() == "status bar"][0]
    panes = [bar.getChildAtIndex(i) for i in range(bar.childCount)
             if bar.getChildAtIndex(i).getRoleName() == "label"]
    message = texts[state]
    end = time.time() + WAIT
    while panes[0].name != message and time.time() < end:
        time.sleep(0.1)
    if panes[0].name != message:
        problems.append("the status bar says %r, not %r" % (panes[0].name, message))
    score = re.escape(texts["score"]).replace("%ld", "-?[0-9]+")
    if not re.fullmatch(score, panes[1].name):
        problems.append("the score pane says %r" % panes[1].name)
    common(frame, problems)

    for board in boards[:1]:
        if board.name != texts["board.name"]:
            problems.append("the board is called %r, not %r" % (board.name, texts["board.name"]))
        if board.childCount:
            problems.append("the board has %d objects inside" % board.childCount)
        if not has(board, pyatspi.STATE_FOCUSED):
            problems.append("the board does not have the focus")
        if board.description != "%s, %s" % (panes[1].name, panes[0].name):
            problems.append("the board says %r, the status bar %r and %r" % (
                board.description, panes[1].name, panes[0].name))

    # The toolbar's buttons: New, Open, Save, Pause ... (separators and the
    # button for what does not fit aside).
    toolbar = [acc for acc in nodes if acc.getRoleName() == "tool bar"][0]
    buttons = [toolbar.getChildAtIndex(i) for i in range(toolbar.childCount)]
    buttons = [b for b in buttons if b.getRoleName() not in ("separator", "filler") and
               b.name != texts["toolbar.more"]]
    pause = buttons[3]
    if pause.getRoleName() not in ("toggle button", "check box"):
        problems.append("the Pause button %r is a %s" % (pause.name, pause.getRoleName()))
    if has(pause, pyatspi.STATE_CHECKED) != (state == "paused"):
        problems.append("the Pause button is %schecked while %s" % (
            "" if has(pause, pyatspi.STATE_CHECKED) else "not ", state))

    keys = set()
    for acc in nodes:
        if acc.getRoleName() == "menu item":
            if "\t" in acc.name:
                problems.append("menu item name holds its key: %r" % acc.name)
            keys.update(keys_of(acc).split("|"))
    for key in ("F2", "Esc", "Pause"):
        if key not in keys:
            problems.append("no menu item gives the key %s (%s)" % (key, sorted(keys)))


def check_dialog(dialog, texts, kind, rows, problems):
    nodes = common(dialog, problems)
    if kind == "high-scores":
        tables = [acc for acc in nodes if acc.getRoleName() == "table"]
        if len(tables) != 1:
            problems.append("%d tables" % len(tables))
            return
        table = tables[0].queryTable()
        headers = [acc.name for acc in nodes if acc.getRoleName() == "table column header"]
        want = [texts["position"], texts["name"], texts["score-column"]]
        if headers != want or table.nColumns != 3:
            problems.append("columns %r (%d), not %r" % (headers, table.nColumns, want))
        if table.nRows != len(rows):
            problems.append("%d rows, not %d" % (table.nRows, len(rows)))
        for r, row in enumerate(rows[:table.nRows]):
            cells = [table.getAccessibleAt(r, c).name for c in range(table.nColumns)]
            if cells != row.split("|"):
                problems.append("row %d reads %r, not %r" % (r + 1, cells, row.split("|")))
            if r == 0 and table.getColumnHeader(1).name != texts["name"]:
                problems.append("the name column's header is %r" % table.getColumnHeader(1).name)
    if kind == "how-to-play":
        pages = [acc for acc in nodes if acc.getRoleName() == "text"]
        if [p.name for p in pages] != [texts["how-to-play"]]:
            problems.append("the page's texts: %r" % [p.name for p in pages])
            return
        page = pages[0]
        if not has(page, pyatspi.STATE_FOCUSED) or has(page, pyatspi.STATE_EDITABLE):
            problems.append("the page is %r" % page.getState().getStates())
        said = page.queryText().getText(0, -1)
        if not said.startswith(texts["how-to-play-intro"]):
            problems.append("the page reads %r" % said[:200])
    if kind == "new-high-score":
        boxes = [acc for acc in nodes if acc.getRoleName() == "text"]
        if [b.name for b in boxes] != [texts["name"]] or not has(boxes[0], pyatspi.STATE_FOCUSED):
            problems.append("the name box: %r" % [(b.name, b.getState().getStates())
                                                   for b in boxes])


def main(argv):
    dump_path, source_dir, language, what = argv[1:5]
    texts = Texts(source_dir, language)
    desktop = pyatspi.Registry.getDesktop(0)
    app = find(desktop, lambda a: a.name == "Coilix")
    if app is None:
        print("the program is not on the accessibility bus")
        return 2
    problems = []
    if what == "window":
        root = find(app, lambda a: a.getRoleName() == "frame")
        check_window(root, texts, argv[5], problems)
    else:
        title = texts[argv[5]]
        root = find(app, lambda a: a.getRoleName() == "dialog" and a.name == title)
        if root is None:
            print("no dialog %r" % title)
            return 2
        check_dialog(root, texts, argv[5], argv[6:], problems)
    dump(dump_path, root)
    for p in problems:
        print("FAIL:", p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
