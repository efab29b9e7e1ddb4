#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the onset finder on recordings made up from the clips, where every
onset, cut and gap is known: it must find exactly the sounds that were put in,
in order, within a millisecond, and must not pass a recording with a gap in a
sound.

  test_onsets.py [CLIPS_DIR]      (default: the game's res/sounds)
"""
import os
import random
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import onsets  # noqa: E402

CLIPS_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "sounds")


def raw_clips(folder):
    clips = {}
    for cid, name in onsets.CLIPS:
        samples, rate = onsets.read_wav(os.path.join(folder, name + ".wav"))
        clips[cid] = samples
    return clips, rate


def resample(signal, ratio):
    """Linear resampling by `ratio` (out rate / in rate)."""
    n = int(len(signal) * ratio)
    out = []
    for i in range(n):
        pos = i / ratio
        k = int(pos)
        f = pos - k
        b = signal[k + 1] if k + 1 < len(signal) else signal[k]
        out.append(signal[k] * (1 - f) + b * f)
    return out


def render(clips, rate, cues, total_ms, gain=0.7, gap_at=None):
    """Plays `cues` [(ms, id)] into silence, each cutting off the one before,
    as the player does. gap_at=(cue index, ms into it, ms long) drops that
    much of one sound, as an underrun would."""
    out = [0.0] * int(total_ms * rate / 1000)
    for i, (at, cid) in enumerate(cues):
        start = int(at * rate / 1000)
        end = int(cues[i + 1][0] * rate / 1000) if i + 1 < len(cues) else len(out)
        clip = list(clips[cid])
        if gap_at is not None and gap_at[0] == i:
            a = int(gap_at[1] * rate / 1000)
            clip = clip[:a] + clip[a + int(gap_at[2] * rate / 1000):]
        for k, v in enumerate(clip[:max(0, end - start)]):
            if start + k < len(out):
                out[start + k] = v * gain
    # Through a 40 kHz sink and back, with a little noise, as recorded.
    rng = random.Random(7)
    out = resample(resample(out, 40000 / rate), rate / 40000)
    return [v + rng.uniform(-3, 3) for v in out]


def find(clips, rate, recording):
    loaded, _ = onsets.load_clips(CLIPS_DIR)
    events = onsets.Finder(onsets.smooth(recording), loaded, rate).run()
    return [(round(e["sample"] * 1000 / rate, 1), e["id"]) for e in events]


class FinderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.clips, cls.rate = raw_clips(CLIPS_DIR)

    def check(self, cues, total_ms, **kw):
        found = find(self.clips, self.rate, render(self.clips, self.rate, cues, total_ms, **kw))
        self.assertEqual([cid for _, cid in found], [cid for _, cid in cues], found)
        for (t, _), (at, _) in zip(found, cues):
            self.assertLess(abs(t - at), 1.0, found)

    def test_every_sound_counted_and_timed(self):
        cases = {
            "29 moves at 350 ms": [(100 + 350 * i, 150) for i in range(29)],
            "coin cut by a crash, dropping cut by a move":
                [(100, 153), (250, 155), (1200, 156), (1550, 150), (1900, 154)],
            "crash cut after 15 ms by the fanfare": [(100, 150), (450, 155), (465, 159)],
            "crash cut after 6 ms (one mixing period)": [(100, 155), (106, 159)],
            "each clip once, back to back at 40 ms":
                [(100 + 40 * i, cid) for i, (cid, _) in enumerate(onsets.CLIPS)],
        }
        for name, cues in cases.items():
            with self.subTest(name):
                self.check(cues, cues[-1][0] + 1000)

    def test_a_gap_inside_a_sound_does_not_pass(self):
        cues = [(100, 150), (450, 156), (1100, 150)]
        recording = render(self.clips, self.rate, cues, 2000, gap_at=(1, 120, 3))
        found = find(self.clips, self.rate, recording)
        self.assertNotEqual([cid for _, cid in found], [150, 156, 150], found)


class BeatTest(unittest.TestCase):
    """The beat check on onsets whose times are given: even moves pass, a
    limp (every other gap 20 ms short) fails, and only move pairs a tick
    apart count."""

    def check(self, heard, expected, period):
        events = [{"time_ms": t, "id": cid} for t, cid in heard]
        lines = []
        return onsets.check_beat(events, expected, period, 2.0, lines), lines

    def test_even_limping_and_other_sounds(self):
        period = 150
        expected = [(period * i, 150) for i in range(20)] + [(period * 20, 155)]
        even = [(t + 12 + (i % 3) * 0.4, cid) for i, (t, cid) in enumerate(expected)]
        limp = [(t + (10 if i % 2 else 0), cid) for i, (t, cid) in enumerate(expected)]
        # The crash at the end is late, but it is no move: it does not count.
        late_crash = even[:-1] + [(even[-1][0] + 40, 155)]
        cases = {"even": (even, True), "limping": (limp, False),
                 "a late crash": (late_crash, True)}
        for name, (heard, ok) in cases.items():
            with self.subTest(name):
                passed, lines = self.check(heard, expected, period)
                self.assertEqual(passed, ok, lines)


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        CLIPS_DIR = sys.argv.pop(1)
    unittest.main()
