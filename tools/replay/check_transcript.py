#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a transcript of coilix-replay against the rules of play, tick by
tick, and prints what happened in it.

A transcript holds only what the window is told, so this checks what can be
seen there: every tick writes the score; each move plays exactly one sound,
and the sound says what the head entered; the score changes by what that
thing is worth; the cells repainted by a move are the ones the move changes
(head, neck, and the two tail cells unless the crawler grew), next to each
other and on the board; items repaint at most two cells after the score; a
game ends with "Game over" (after "New high score" and its sound when the
score gets into the board's table); nothing moves after the end until a new
game; a refused reversal shows as "Playing..." twice in one tick.

usage: check_transcript.py --width W --height H TRANSCRIPT
Exit status 0 when every tick keeps the rules, 1 otherwise (the first faults
are printed).
"""

import argparse
import re
import sys

MOVE, APPLE, COIN, SKULL, CRASH, DROPPING, HIGH_SCORE = 150, 152, 153, 154, 155, 156, 159
TABLE_ROWS = 10


class Fault(Exception):
    pass


def adjacent(a, b):
    return abs(a[0] - b[0]) + abs(a[1] - b[1]) == 1


class Checker:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.score = 0
        self.head = ((width - 1) // 2, (height - 1) // 2)
        self.started = False
        self.over = False
        self.table = []  # the board's best scores, kept for the whole run
        self.counts = dict.fromkeys(
            ["ticks", "games over", "new games", "apples", "coins", "droppings eaten",
             "skull deaths", "crashes", "new high scores", "refused reversals", "pauses",
             "item cells"], 0)

    def on_board(self, cell):
        x, y = cell
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise Fault(f"cell {x} {y} is off the board")

    def new_game(self):
        self.counts["new games"] += 1
        self.score = 0
        self.head = ((self.width - 1) // 2, (self.height - 1) // 2)
        self.started = False
        self.over = False

    def tick(self, playing, sounds, move_cells, score, end, item_cells):
        """One tick: its "Playing..." lines, the sounds and cells of the move
        (in order), the score written, what followed it up to "Game over",
        and the cells of the items."""
        if self.over:
            raise Fault("a tick after the end of the game")
        self.counts["ticks"] += 1
        if playing == 2:
            self.counts["refused reversals"] += 1
        elif playing != 1:
            raise Fault(f"{playing} 'Playing...' lines in one tick")
        for cell in move_cells + item_cells:
            self.on_board(cell)
        if len(item_cells) > 2:
            raise Fault(f"{len(item_cells)} item cells in one tick")
        self.counts["item cells"] += len(item_cells)
        if len(sounds) != 1:
            raise Fault(f"sounds {sounds} in one move")
        sound = sounds[0]
        delta = score - self.score

        if not self.started:
            # The first move: the start cell (now the tail), then the head.
            if sound != MOVE or len(move_cells) != 2 or move_cells[0] != self.head \
                    or not adjacent(move_cells[0], move_cells[1]):
                raise Fault(f"first move: sound {sound}, cells {move_cells}")
            self.started = True
            self.head = move_cells[1]
        elif sound == CRASH and len(move_cells) == 3:
            # The wall: the head cell re-tiled, then the tail advances.
            if move_cells[0] != self.head or not adjacent(move_cells[1], move_cells[2]):
                raise Fault(f"wall: cells {move_cells} with the head at {self.head}")
            x, y = self.head
            if 0 < x < self.width - 1 and 0 < y < self.height - 1:
                raise Fault(f"a wall crash away from the border at {self.head}")
        else:
            grows = sound == APPLE or sound == CRASH
            want = 2 if grows else 4
            if len(move_cells) != want:
                raise Fault(f"sound {sound} with {len(move_cells)} cells")
            new_head, neck = move_cells[0], move_cells[1]
            if neck != self.head or not adjacent(new_head, neck):
                raise Fault(f"head {new_head} after {self.head}")
            if not grows and not adjacent(move_cells[2], move_cells[3]):
                raise Fault(f"tail cells {move_cells[2:]} are not neighbours")
            self.head = new_head

        worth = {MOVE: [0], APPLE: [100], CRASH: [0], SKULL: [0],
                 COIN: list(range(100, 1001, 100)), DROPPING: list(range(-800, -99, 100))}
        if sound not in worth:
            raise Fault(f"sound {sound} for a move")
        if delta not in worth[sound]:
            raise Fault(f"score {self.score} -> {score} with sound {sound}")
        self.score = score
        name = {APPLE: "apples", COIN: "coins", DROPPING: "droppings eaten",
                SKULL: "skull deaths", CRASH: "crashes"}.get(sound)
        if name:
            self.counts[name] += 1

        ends = sound in (SKULL, CRASH)
        if not ends:
            if end:
                raise Fault(f"{end} without a deadly move")
            return
        # The score gets in while the table has room, or when it beats the last row.
        enters = score > (self.table[-1] if len(self.table) >= TABLE_ROWS else 0)
        want_end = (["pane 0 New high score", "sound 159"] if enters else []) + ["pane 0 Game over"]
        if end != want_end:
            raise Fault(f"the end of a game with score {score}: {end}, expected {want_end}")
        if enters:
            self.counts["new high scores"] += 1
            self.table.append(score)
            self.table.sort(key=lambda s: -s)  # stable: equal scores stay in order
            del self.table[TABLE_ROWS:]
        self.counts["games over"] += 1
        self.over = True


def check(lines, width, height):
    c = Checker(width, height)
    i = 0
    n = len(lines)
    cell_re = re.compile(r"^cell (\d+) (\d+)$")

    def cell(line):
        m = cell_re.match(line)
        return (int(m.group(1)), int(m.group(2))) if m else None

    while i < n:
        line = lines[i]
        if line == "pane 1 Score: 0" and i + 1 < n and lines[i + 1] == "pane 0 Ready":
            c.new_game()
            i += 2
            continue
        if line == "pane 0 Pause":
            c.counts["pauses"] += 1
            i += 1
            continue
        if line != "pane 0 Playing...":
            raise Fault(f"line {i + 1}: '{line}' between ticks")
        start = i
        playing = 0
        while i < n and lines[i] == "pane 0 Playing...":
            playing += 1
            i += 1
        sounds, move_cells = [], []
        while i < n and not lines[i].startswith("pane 1 Score: "):
            if lines[i].startswith("sound "):
                sounds.append(int(lines[i].split()[1]))
            elif cell(lines[i]):
                move_cells.append(cell(lines[i]))
            else:
                raise Fault(f"line {i + 1}: '{lines[i]}' in a move")
            i += 1
        if i == n:
            raise Fault(f"the tick from line {start + 1} writes no score")
        score = int(lines[i].split(": ")[1])
        i += 1
        end = []
        while i < n and lines[i] in ("pane 0 New high score", "sound 159", "pane 0 Game over"):
            end.append(lines[i])
            i += 1
        item_cells = []
        while i < n and cell(lines[i]):
            item_cells.append(cell(lines[i]))
            i += 1
        try:
            c.tick(playing, sounds, move_cells, score, end, item_cells)
        except Fault as f:
            raise Fault(f"tick at line {start + 1}: {f}") from None
    return c.counts


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--width", type=int, default=17)
    parser.add_argument("--height", type=int, default=13)
    parser.add_argument("transcript")
    args = parser.parse_args()
    with open(args.transcript, encoding="utf-8") as f:
        lines = f.read().splitlines()
    try:
        counts = check(lines, args.width, args.height)
    except Fault as f:
        print(f"{args.transcript}: {f}", file=sys.stderr)
        return 1
    for name, value in counts.items():
        print(f"{name} {value}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
