#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds every sound onset in a recording of the game's sounds and names the clip.

The recording (16-bit PCM WAVE, mono or stereo, any rate: it is mixed to mono
and resampled to the clips' rate) is compared with the known clips:

1. Scan for the first sample above a silence threshold.
2. Around it, try every clip at every start position within a few
   milliseconds and keep the best normalised correlation over the clip's
   first 10 ms (5 ms for a sound cut off sooner): that gives the clip, its
   exact start and its gain.
   Recording and clips are both low-passed first (see smooth()).
3. Follow the clip through the recording in 5 ms blocks. While the recording
   equals the gained clip (the residual is small) the same sound is playing.
   Where it stops matching, the sound was cut off: either silence follows, or
   a new sound starts there, which step 2 then identifies.

So sounds that cut one another off with no gap are each counted, and a cut-off
sound is still named from its beginning.

Usage:
  onsets.py REC.wav --clips DIR [--expect SCRIPT] [--tolerance-ms 30]
            [--beat-ms PERIOD --beat-p95-ms 2] [--json]

--expect takes the expected sounds, one "<ms> <id>" line each (ms: when the
sound was asked for): the onsets must match them in number and order, and
each onset's time relative to the first must be within the tolerance of the
expected time relative to the first.
--beat-ms gives the tick period: consecutive move sounds asked for one tick
apart must be heard PERIOD apart; the 95th percentile of the deviation must
be within --beat-p95-ms (the worst is reported too).
Exit status 0 when every check passed, 1 when one failed, 2 on bad input.
"""

import argparse
import array
import json
import math
import os
import sys
import wave
from operator import mul

CLIPS = [(150, "move"), (152, "apple"), (153, "coin"), (154, "skull"),
         (155, "crash"), (156, "dropping"), (159, "highscore")]

ID_WINDOW_MS = 10      # how much of a clip's beginning identifies it
SHORT_WINDOW_MS = 5    # tried when a sound was cut off before ID_WINDOW_MS
SHORT_SCORE = 0.9      # the shorter window must match better
SEARCH_BEFORE_MS = 4   # how far before a threshold crossing a start may lie
SEARCH_AFTER_MS = 2
BLOCK_MS = 5           # granularity of following a clip
MIN_SCORE = 0.8        # normalised correlation needed to name a clip
DEVIATION = 0.5        # residual / clip energy that means "no longer this clip"
RESCUE_MS = 60         # after an unknown stretch, how far to look for a clip


def read_wav(path, rate=None):
    """Returns (samples as a list of floats, rate); mixes stereo to mono and
    resamples linearly to `rate` when given."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            raise ValueError(f"{path}: not 16-bit PCM")
        channels, src_rate = w.getnchannels(), w.getframerate()
        data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder != "little":
        data.byteswap()
    if channels > 1:
        mono = [sum(data[i:i + channels]) / channels for i in range(0, len(data), channels)]
    else:
        mono = [float(v) for v in data]
    if rate is None or rate == src_rate:
        return mono, src_rate
    step = src_rate / rate
    out = []
    n = int(len(mono) / step)
    for i in range(n):
        pos = i * step
        k = int(pos)
        f = pos - k
        b = mono[k + 1] if k + 1 < len(mono) else mono[k]
        out.append(mono[k] * (1.0 - f) + b * f)
    return out, rate


def smooth(signal, width=4, passes=2):
    """Moving-average low-pass (about 4 kHz at 22050 Hz), applied to the
    recording and the clips alike: what is left is what every resampler on
    the way passes unchanged, and a part-sample offset no longer matters."""
    for _ in range(passes):
        out, acc = [], 0.0
        for i, v in enumerate(signal):
            acc += v
            if i >= width:
                acc -= signal[i - width]
            out.append(acc / width)
        signal = out
    return signal


def dot(a, b):
    return sum(map(mul, a, b))


class Clip:
    def __init__(self, cid, name, samples):
        self.id, self.name, self.samples = cid, name, samples
        self.peak = max(abs(v) for v in samples) or 1.0


def load_clips(folder):
    clips, rate = [], None
    for cid, name in CLIPS:
        samples, r = read_wav(os.path.join(folder, name + ".wav"))
        if rate is not None and r != rate:
            raise ValueError("clips of different rates")
        rate = r
        clips.append(Clip(cid, name, smooth(samples)))
    return clips, rate


class Finder:
    def __init__(self, rec, clips, rate):
        self.x, self.clips, self.rate = rec, clips, rate
        self.ms = rate / 1000.0
        self.win = int(ID_WINDOW_MS * self.ms)
        self.block = int(BLOCK_MS * self.ms)
        quietest = min(c.peak for c in clips)
        # Silence: well below the quietest clip's peak, however it was scaled.
        self.threshold = max(64.0, 0.02 * quietest * self._level())

    def _level(self):
        """A rough gain of the recording against the clips: loudest sample
        over loudest clip peak, at least 0.1 so that silence stays silence."""
        loud = max((abs(v) for v in self.x), default=0.0)
        return max(0.1, min(1.5, loud / max(c.peak for c in self.clips)))

    def identify(self, lo, hi):
        """Best (score, clip, start, gain, window) for starts in [lo, hi]. A
        sound cut off very early leaves less than the usual window of itself;
        then a shorter window that matches closely still names it."""
        best = self._identify(lo, hi, self.win)
        if best[1] is None or best[0] < MIN_SCORE:
            short = self._identify(lo, hi, int(SHORT_WINDOW_MS * self.ms))
            if short[1] is not None and short[0] >= SHORT_SCORE:
                return short
        return best

    def _identify(self, lo, hi, win):
        x = self.x
        best = (0.0, None, lo, 0.0, win)
        for start in range(max(0, lo), min(hi, len(x) - 8) + 1):
            seg = x[start:start + win]
            seg_energy = dot(seg, seg)
            if seg_energy <= 0.0:
                continue
            for clip in self.clips:
                ref = clip.samples[:len(seg)]
                ref_energy = dot(ref, ref)
                if ref_energy <= 0.0:
                    continue
                c = dot(seg, ref)
                score = c / math.sqrt(seg_energy * ref_energy)
                if score > best[0]:
                    best = (score, clip, start, c / ref_energy, win)
        return best

    def follow(self, clip, start, gain, win):
        """Where the recording stops being `clip` started at `start`:
        (end sample, True if cut before the clip's end)."""
        x, ref, block = self.x, clip.samples, self.block
        floor = (self.threshold ** 2) * block
        end = start + len(ref)
        b = start + win  # identification already matched the first window
        while b < end and b < len(x):
            n = min(block, end - b, len(x) - b)
            seg = x[b:b + n]
            model = [gain * v for v in ref[b - start:b - start + n]]
            residual = sum((s - m) ** 2 for s, m in zip(seg, model))
            if residual > floor and residual > DEVIATION * max(dot(model, model), floor):
                return b, True
            b += n
        return min(end, len(x)), False

    def next_active(self, pos):
        x, thr = self.x, self.threshold
        for i in range(max(0, pos), len(x)):
            if abs(x[i]) > thr:
                return i
        return None

    def run(self):
        events, pos = [], 0
        ms = self.ms
        before, after = int(SEARCH_BEFORE_MS * ms), int(SEARCH_AFTER_MS * ms)
        pending = None  # a window where a cut-off left the recording not silent
        while True:
            if pending is not None:
                lo, hi = pending
                pending = None
            else:
                t = self.next_active(pos)
                if t is None:
                    break
                lo, hi = t - before, t + after
            score, clip, start, gain, win = self.identify(lo, hi)
            if clip is None or score < MIN_SCORE:
                # Something that is none of the clips: report it, then look
                # for a clip starting later in this stretch of sound (one that
                # cut it off), else move on past the stretch.
                t = self.next_active(lo)
                if t is None:
                    break
                events.append({"sample": t, "id": None, "score": round(score, 3)})
                stretch = t + self.win
                while stretch < len(self.x) and self._active_near(stretch):
                    stretch += self.block
                later = self.identify(t + 1, min(stretch, t + int(RESCUE_MS * ms)))
                if later[1] is not None and later[0] >= MIN_SCORE:
                    pending = (later[2], later[2])
                else:
                    pos = stretch
                continue
            end, cut = self.follow(clip, start, gain, win)
            events.append({"sample": start, "id": clip.id, "score": round(score, 3),
                           "gain": round(gain, 3), "heard_ms": round((end - start) / ms, 1),
                           "cut": cut})
            pos = end
            if cut:
                # The clip stopped matching in the block at `end`: a new sound
                # starting in or just before it, or silence.
                window = self.x[end:end + self.block * 2]
                if any(abs(v) > self.threshold for v in window):
                    # Later than this start in any case, so that the search
                    # always moves on.
                    pending = (max(end - self.block, start + 1), end + self.block)
        return events

    def _active_near(self, pos):
        return any(abs(v) > self.threshold for v in self.x[pos:pos + self.block])


def read_script(path):
    cues = []
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].split()
            if line:
                cues.append((int(line[0]), int(line[1])))
    return cues


MOVE = 150


def percentile(values, p):
    """The p-th percentile (nearest rank) of values."""
    ordered = sorted(values)
    rank = max(1, math.ceil(p / 100.0 * len(ordered)))
    return ordered[rank - 1]


def check_beat(events, expected, period, limit, lines):
    """Consecutive move sounds one tick apart are heard one period apart."""
    deviations = []
    for i in range(1, min(len(events), len(expected))):
        if (expected[i][1], expected[i - 1][1]) != (MOVE, MOVE) or \
                expected[i][0] - expected[i - 1][0] != period:
            continue
        if events[i]["id"] != MOVE or events[i - 1]["id"] != MOVE:
            continue
        gap = events[i]["time_ms"] - events[i - 1]["time_ms"]
        deviations.append(abs(gap - period))
    if len(deviations) < 5:
        lines.append(f"BEAT: only {len(deviations)} pairs of consecutive move sounds")
        return False
    p95 = percentile(deviations, 95)
    lines.append(f"beat at {period:g} ms: {len(deviations)} pairs, spacing off the period by "
                 f"{p95:.1f} ms (95th percentile), {max(deviations):.1f} ms at worst")
    if p95 > limit:
        lines.append(f"BEAT: the 95th percentile {p95:.1f} ms is over {limit:g} ms")
        return False
    return True


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("recording")
    ap.add_argument("--clips", required=True)
    ap.add_argument("--expect")
    ap.add_argument("--tolerance-ms", type=float, default=30.0)
    ap.add_argument("--beat-ms", type=float)
    ap.add_argument("--beat-p95-ms", type=float, default=2.0)
    ap.add_argument("--json", action="store_true")
    args = ap.parse_args()

    try:
        clips, rate = load_clips(args.clips)
        rec, _ = read_wav(args.recording, rate)
    except (OSError, ValueError, wave.Error) as e:
        print(f"onsets: {e}", file=sys.stderr)
        return 2
    events = Finder(smooth(rec), clips, rate).run()
    for e in events:
        e["time_ms"] = round(e["sample"] * 1000.0 / rate, 1)

    ok = True
    lines = []
    expected = read_script(args.expect) if args.expect else None
    if expected is not None:
        if len(events) != len(expected):
            ok = False
            lines.append(f"COUNT MISMATCH: {len(events)} onsets, {len(expected)} expected")
        t0 = events[0]["time_ms"] if events else 0.0
        s0 = expected[0][0] if expected else 0
        worst = 0.0
        for i in range(max(len(events), len(expected))):
            e = events[i] if i < len(events) else None
            x = expected[i] if i < len(expected) else None
            if e is not None and x is not None:
                err = (e["time_ms"] - t0) - (x[0] - s0)
                e["expected_id"], e["error_ms"] = x[1], round(err, 1)
                worst = max(worst, abs(err))
                if e["id"] != x[1]:
                    ok = False
                    lines.append(f"#{i}: heard {e['id']}, expected {x[1]}")
                if abs(err) > args.tolerance_ms:
                    ok = False
                    lines.append(f"#{i}: {err:+.1f} ms from its scheduled time")
        lines.append(f"worst timing error relative to the first onset: {worst:.1f} ms")
        if args.beat_ms:
            ok = check_beat(events, expected, args.beat_ms, args.beat_p95_ms, lines) and ok
    if args.json:
        print(json.dumps({"events": events, "ok": ok, "notes": lines}, indent=1))
    else:
        print(f"{len(events)} onsets in {args.recording}")
        for i, e in enumerate(events):
            extra = ""
            if "error_ms" in e:
                extra += f"  rel.err {e['error_ms']:+6.1f} ms"
            heard = f"{e['heard_ms']:6.1f} ms{' cut' if e.get('cut') else '    '}" \
                if e["id"] is not None else "   (unknown)"
            print(f"{i:3d} {e['time_ms']:9.1f} ms  {str(e['id']):>4}  score {e['score']:.3f}"
                  f"  heard {heard}{extra}")
        for line in lines:
            print(line)
        if expected is not None:
            print("MATCH" if ok else "MISMATCH")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
