#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Tests of the resource generator and of the checker.

    python3 -m unittest discover -s res/gen -p 'test_*.py'

The checker (verify.py) is run on a fresh build, which must pass, and on
copies damaged in one specific way each, which must each fail for that
reason, so a checker that cannot fail is caught too.
"""

import io
import math
import os
import shutil
import sys
import tempfile
import unittest
import wave
from contextlib import redirect_stdout

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True

import make_resources  # noqa: E402
import pngio  # noqa: E402
import shapes  # noqa: E402
import tiles  # noqa: E402
import verify  # noqa: E402

RES = os.path.dirname(HERE)


class Built:
    files = None

    @classmethod
    def get(cls):
        if cls.files is None:
            cls.files = make_resources.build()
        return cls.files


def run_verify(root):
    out = io.StringIO()
    with redirect_stdout(out):
        rc = verify.main(["verify.py", root])
    return rc, out.getvalue()


class DamagedCopy:
    """A temporary tree holding a fresh build in res/ and the headers that
    declare the sound ids, laid out as in the repository."""

    def __enter__(self):
        self.top = tempfile.mkdtemp(prefix="coilix-test-")
        self.root = os.path.join(self.top, "res")
        make_resources.write(Built.get(), self.root)
        for rel in verify.SOUND_ID_FILES:
            src = os.path.join(RES, rel)
            if os.path.isfile(src):
                dst = os.path.normpath(os.path.join(self.root, rel))
                os.makedirs(os.path.dirname(dst), exist_ok=True)
                shutil.copy(src, dst)
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.top)

    def path(self, rel):
        return os.path.join(self.root, rel)

    def read_png(self, rel):
        with open(self.path(rel), "rb") as f:
            return pngio.decode(f.read())[3]

    def write_png(self, rel, pixels):
        rgb = [[p[:3] for p in row] for row in pixels]
        palette = [verify.GREEN[:3]] + sorted({p for row in rgb for p in row} - {verify.GREEN[:3]})
        with open(self.path(rel), "wb") as f:
            f.write(pngio.encode_indexed(rgb, palette))


class GeneratorTest(unittest.TestCase):
    def test_two_builds_give_the_same_bytes(self):
        again = make_resources.build()
        self.assertEqual(sorted(again), sorted(Built.get()))
        for rel in again:
            self.assertEqual(again[rel], Built.get()[rel], rel)

    def test_committed_files_match_a_fresh_build(self):
        with redirect_stdout(io.StringIO()) as out:
            rc = make_resources.check(RES)
        self.assertEqual(rc, 0, out.getvalue())

    def test_check_reports_a_changed_and_a_stray_file(self):
        with DamagedCopy() as d:
            with open(d.path("sounds/coin.wav"), "r+b") as f:
                f.seek(100)
                f.write(b"\x01\x02")
            os.makedirs(d.path("tiles/2x"))
            with open(d.path("tiles/2x/coin.png"), "wb") as f:
                f.write(b"x")
            with redirect_stdout(io.StringIO()) as out:
                rc = make_resources.check(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("differs: sounds/coin.wav", out.getvalue())
        self.assertIn("not made by the generator: tiles/2x/coin.png", out.getvalue())

    def test_regenerating_removes_files_and_folders_of_an_older_layout(self):
        with DamagedCopy() as d:
            os.makedirs(d.path("tiles/2x"))
            for rel in ("tiles/2x/coin.png", "tiles/coin.png"):
                with open(d.path(rel), "wb") as f:
                    f.write(b"x")
            with redirect_stdout(io.StringIO()):
                self.assertEqual(make_resources.main(["--out", d.root]), 0)
                self.assertEqual(make_resources.check(d.root), 0)
            self.assertFalse(os.path.exists(d.path("tiles/2x")))
            self.assertFalse(os.path.exists(d.path("tiles/coin.png")))
            self.assertTrue(os.path.isfile(d.path("tiles/24/coin.png")))

    def test_png_round_trip(self):
        px = [[(0, 255, 0), (1, 2, 3), (250, 0, 9)], [(1, 2, 3), (0, 255, 0), (0, 255, 0)]]
        w, h, info, back = pngio.decode(pngio.encode_indexed(px, [(0, 255, 0), (1, 2, 3), (250, 0, 9)]))
        self.assertEqual((w, h, info["bit_depth"], info["chunks"]), (3, 2, 4, ["IHDR", "PLTE", "IDAT", "IEND"]))
        self.assertEqual([[p[:3] for p in row] for row in back], px)
        rgba = [[(10, 20, 30, 0), (40, 50, 60, 128)]]
        self.assertEqual(pngio.decode(pngio.encode_rgba(rgba))[3], rgba)

    def test_portable_sine_and_exp_are_accurate(self):
        for i in range(-40, 41):
            x = i * 0.37
            self.assertAlmostEqual(shapes.sin(x), math.sin(x), places=8)
            self.assertAlmostEqual(shapes.exp(-abs(x)), math.exp(-abs(x)), places=10)


class VerifyTest(unittest.TestCase):
    def test_fresh_build_passes(self):
        with DamagedCopy() as d:
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 0, out)
        self.assertRegex(out, r"\n?\d+ passed, 0 failed\n$")

    def test_head_joined_on_the_wrong_side_fails(self):
        with DamagedCopy() as d:
            shutil.copy(d.path("tiles/30/head_left.png"), d.path("tiles/30/head_right.png"))
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/30/head_right.png: stub on the left edge", out)
        self.assertIn("tiles/30/head_right.png: right edge is joined nowhere", out)

    def test_stub_with_a_wrong_pixel_fails_at_any_size(self):
        # (file, pixel (y, x) to spoil, pixel whose colour it takes, expected report)
        cases = [
            ("tiles/24/body_horz.png", (0, 9), (12, 12),
             "tiles/24/body_horz.png: top edge is joined nowhere but not green in its middle at [9]"),
            ("tiles/30/body_vert.png", (29, 18), (29, 15),
             "tiles/30/body_vert.png: stub on the bottom edge (line 0) is wrong at [18]"),
            ("tiles/48/body_vert.png", (47, 28), (47, 24),
             "tiles/48/body_vert.png: stub on the bottom edge (line 0) is wrong at [28]"),
            ("tiles/66/tail_down.png", (64, 27), (64, 33),
             "tiles/66/tail_down.png: stub on the bottom edge (line 1) is wrong at [27]"),
            ("tiles/54/body_vert.png", (1, 19), (1, 20),
             "tiles/54/body_vert.png: top edge (line 1) is not green outside the stub at [19]"),
        ]
        for rel, (y, x), (sy, sx), report in cases:
            with self.subTest(rel=rel), DamagedCopy() as d:
                px = d.read_png(rel)
                self.assertNotEqual(px[y][x], px[sy][sx])
                px[y][x] = px[sy][sx]
                d.write_png(rel, px)
                rc, out = run_verify(d.root)
                self.assertEqual(rc, 1)
                self.assertIn(report, out)

    def test_a_feature_recoloured_at_one_size_fails(self):
        # the mark on the head moving up, drawn black at 24 px only
        with DamagedCopy() as d:
            mouth = tiles.MOUTH + (255,)
            px = d.read_png("tiles/24/head_up.png")
            d.write_png("tiles/24/head_up.png", [[(0, 0, 0, 255) if p == mouth else p for p in row] for row in px])
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/36/head_up.png: colours [(120, 0, 16, 255)] differ from the 24 px tile's ([])", out)

    def test_enlarged_24_px_tile_fails(self):
        with DamagedCopy() as d:
            one = d.read_png("tiles/24/coin.png")
            for k in (2, 3):
                n = 24 * k
                d.write_png("tiles/%d/coin.png" % n, [[one[y // k][x // k] for x in range(n)] for y in range(n)])
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/48/coin.png is only the 24 px tile enlarged", out)
        self.assertIn("tiles/72/coin.png is only the 24 px tile enlarged", out)

    def test_too_many_colours_and_a_coloured_corner_fail(self):
        with DamagedCopy() as d:
            px = d.read_png("tiles/42/apple.png")
            for i in range(16):
                px[0][i] = (i * 8, 0, 200, 255)
            d.write_png("tiles/42/apple.png", px)
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/42/apple.png has 2", out)
        self.assertIn("tiles/42/apple.png has a corner that is not pure green", out)

    def test_sound_of_the_wrong_length_fails(self):
        with DamagedCopy() as d:
            with wave.open(d.path("sounds/crash.wav"), "wb") as w:
                w.setnchannels(1)
                w.setsampwidth(2)
                w.setframerate(22050)
                w.writeframes(b"\x00\x00" * 2205 + b"\x00\x40" * 10 + b"\x00\x00")
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("sounds/crash.wav lasts 0.100 s, wanted about 0.83 s", out)

    def test_missing_toolbar_image_and_qrc_entry_fail(self):
        with DamagedCopy() as d:
            os.remove(d.path("toolbar/2x/print.png"))
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("toolbar/2x/print.png is missing", out)
        self.assertIn("resources.qrc lists toolbar/2x/print.png, which is missing", out)


if __name__ == "__main__":
    unittest.main()
