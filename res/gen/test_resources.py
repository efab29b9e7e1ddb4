#!/usr/bin/env python3
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
    """A temporary res/ directory holding a fresh build and resource.h."""

    def __enter__(self):
        self.root = tempfile.mkdtemp(prefix="coilix-test-")
        make_resources.write(Built.get(), self.root)
        shutil.copy(os.path.join(RES, "resource.h"), self.root)
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.root)

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
            with open(d.path("tiles/old_tile.png"), "wb") as f:
                f.write(b"x")
            with redirect_stdout(io.StringIO()) as out:
                rc = make_resources.check(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("differs: sounds/coin.wav", out.getvalue())
        self.assertIn("not made by the generator: tiles/old_tile.png", out.getvalue())

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
            shutil.copy(d.path("tiles/head_left.png"), d.path("tiles/head_right.png"))
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/head_right.png: stub on the left edge", out)
        self.assertIn("tiles/head_right.png: right edge is joined nowhere", out)

    def test_stub_with_a_wrong_pixel_fails(self):
        with DamagedCopy() as d:
            px = d.read_png("tiles/2x/body_vert.png")
            px[47][28] = px[47][24]          # outline pixel turned yellow
            d.write_png("tiles/2x/body_vert.png", px)
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/2x/body_vert.png: stub on the bottom edge (line 0) is wrong at [28]", out)

    def test_pixel_doubled_2x_tile_fails(self):
        with DamagedCopy() as d:
            one = d.read_png("tiles/coin.png")
            d.write_png("tiles/2x/coin.png", [[one[y // 2][x // 2] for x in range(48)] for y in range(48)])
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/2x/coin.png is only the 1x tile doubled", out)

    def test_too_many_colours_and_a_coloured_corner_fail(self):
        with DamagedCopy() as d:
            px = d.read_png("tiles/apple.png")
            for i in range(16):
                px[0][i] = (i * 8, 0, 200, 255)
            d.write_png("tiles/apple.png", px)
            rc, out = run_verify(d.root)
        self.assertEqual(rc, 1)
        self.assertIn("tiles/apple.png has", out)
        self.assertIn("tiles/apple.png has a corner that is not pure green", out)

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
