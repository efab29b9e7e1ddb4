# SPDX-License-Identifier: GPL-3.0-or-later
"""The game's seven sound effects, synthesised.

16-bit mono PCM at 22050 Hz. Everything is computed with plain float
arithmetic, the polynomial sine and exponential from ``shapes`` and a
seeded integer noise generator, so the samples are identical on every
machine. Each effect starts and ends with a short fade so that it never
clicks, and is scaled to a fixed peak level.
"""

import io
import struct
import wave

from shapes import exp, sin, PI

RATE = 22050
TWO_PI = 2.0 * PI


class Noise:
    """White noise from a 32-bit linear congruential generator."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return (self.state >> 8) / float(1 << 23) - 1.0


def samples(seconds):
    return int(round(seconds * RATE))


def note(freq):
    """Frequency of a note name such as 'E6' (equal temperament, A4 = 440)."""
    names = {"C": -9, "C#": -8, "D": -7, "D#": -6, "E": -5, "F": -4, "F#": -3,
             "G": -2, "G#": -1, "A": 0, "A#": 1, "B": 2}
    name, octave = freq[:-1], int(freq[-1])
    semis = names[name] + 12 * (octave - 4)
    return 440.0 * exp(semis / 12.0 * 0.6931471805599453)


class Osc:
    """A phase-accumulating oscillator with a few band-limited timbres."""

    def __init__(self, harmonics):
        self.phase = 0.0
        self.harmonics = harmonics   # list of (multiple, amplitude)

    def step(self, freq):
        self.phase += freq / RATE
        if self.phase >= 1.0:
            self.phase -= 1.0
        total = 0.0
        for k, a in self.harmonics:
            if freq * k < RATE / 2:
                total += a * sin(TWO_PI * self.phase * k)
        return total


SINE = [(1, 1.0)]
SOFT_SQUARE = [(1, 1.0), (3, 1 / 3.0), (5, 1 / 5.0), (7, 1 / 9.0)]
SOFT_SAW = [(1, 1.0), (2, 1 / 2.0), (3, 1 / 3.0), (4, 1 / 4.0), (5, 1 / 5.0), (6, 1 / 6.0)]
HOLLOW = [(1, 1.0), (2, 0.18), (3, 0.3), (5, 0.08)]


def lowpass(signal, cutoff_of_t):
    """One-pole low-pass whose cut-off (Hz) may change with time."""
    out = []
    y = 0.0
    for i, x in enumerate(signal):
        fc = cutoff_of_t(i / RATE)
        a = 1.0 - exp(-TWO_PI * fc / RATE)
        y += a * (x - y)
        out.append(y)
    return out


def ramp(t, length):
    """0 at t = 0 rising linearly to 1 at t = length: a click-free edge."""
    return 1.0 if t >= length else max(0.0, t / length)


def finish(signal, peak, fade_in=0.002, fade_out=0.006):
    """Fade both ends and scale to the given peak (0..1)."""
    n = len(signal)
    fi, fo = samples(fade_in), samples(fade_out)
    sig = list(signal)
    for i in range(min(fi, n)):
        sig[i] *= i / fi
    for i in range(min(fo, n)):
        sig[n - 1 - i] *= i / fo
    top = max(abs(v) for v in sig) or 1.0
    return [v * peak / top for v in sig]


# --- the effects -----------------------------------------------------------------

def move():
    """A soft, short tick for every step."""
    n = samples(0.03)
    osc = Osc(SINE)
    noise = Noise(150)
    sig = []
    for i in range(n):
        t = i / RATE
        body = osc.step(1500.0 - 6000.0 * t) * exp(-t / 0.007)
        snap = noise.next() * exp(-t / 0.0015) * 0.5
        sig.append(body + snap)
    return finish(lowpass(sig, lambda t: 5000.0), 0.35, 0.001, 0.004)


def apple():
    """A bright upward 'plip' for a bite of apple."""
    n = samples(0.08)
    osc = Osc(HOLLOW)
    sig = []
    for i in range(n):
        t = i / RATE
        f = 420.0 + 900.0 * (t / 0.08) ** 0.7
        env = (1.0 - exp(-t / 0.004)) * exp(-t / 0.045)
        sig.append(osc.step(f) * env)
    return finish(sig, 0.6, 0.002, 0.008)


def coin():
    """Two quick chime notes, the second ringing out."""
    n = samples(0.39)
    lo, hi = note("B5"), note("E6")
    osc = Osc(SOFT_SQUARE)
    bell = Osc(SINE)
    sig = []
    split = 0.075
    for i in range(n):
        t = i / RATE
        if t < split:
            f, env = lo, (1.0 - exp(-t / 0.002)) * ramp(split - t, 0.004)
        else:
            u = t - split
            f, env = hi, ramp(u, 0.002) * exp(-u / 0.12)
        tone = osc.step(f) * 0.55 + bell.step(f * 2.0) * 0.25
        sig.append(tone * env)
    return finish(lowpass(sig, lambda t: 6000.0), 0.55, 0.002, 0.02)


def skull():
    """A buzzing fall in pitch with a rattle: death by a skull."""
    n = samples(0.26)
    osc = Osc(SOFT_SAW)
    sub = Osc(SINE)
    noise = Noise(154)
    sig = []
    for i in range(n):
        t = i / RATE
        f = 360.0 * exp(-t / 0.12) + 60.0
        wobble = 1.0 + 0.06 * sin(TWO_PI * 28.0 * t)
        env = (1.0 - exp(-t / 0.003)) * (1.0 - t / 0.26) ** 0.6
        rattle = noise.next() * 0.15 * (0.5 + 0.5 * sin(TWO_PI * 28.0 * t))
        sig.append((osc.step(f * wobble) * 0.7 + sub.step(f * 0.5) * 0.4 + rattle) * env)
    def cutoff(t):
        return 2800.0 - 7000.0 * t
    return finish(lowpass(lowpass(sig, cutoff), cutoff), 0.7, 0.002, 0.02)


def crash():
    """A thump and a crumbling rush of noise: running into a wall or itself."""
    n = samples(0.83)
    thump = Osc(SINE)
    noise = Noise(155)
    raw = [noise.next() for _ in range(n)]
    rush = lowpass(raw, lambda t: 2600.0 * exp(-t / 0.25) + 180.0)
    debris = Noise(1550)
    sig = []
    for i in range(n):
        t = i / RATE
        boom = thump.step(110.0 * exp(-t / 0.12) + 38.0) * exp(-t / 0.16) * 0.9
        hiss = rush[i] * 3.0 * (1.0 - exp(-t / 0.002)) * exp(-t / 0.22)
        # a few late clatters as bits come to rest
        clatter = 0.0
        for start in (0.21, 0.34, 0.47, 0.58):
            u = t - start
            if 0.0 <= u < 0.04:
                clatter += debris.next() * exp(-u / 0.008) * 0.35
        sig.append(boom + hiss + clatter)
    return finish(sig, 0.75, 0.002, 0.04)


def dropping():
    """A sagging 'wah-wah-wahh': three notes down, the last one wobbling."""
    n = samples(0.51)
    osc = Osc(SOFT_SAW)
    notes = [(0.0, 0.16, note("G4")), (0.17, 0.16, note("F#4")), (0.34, 0.17, note("F4"))]
    sig = [0.0] * n
    for idx, (start, length, f0) in enumerate(notes):
        a, b = samples(start), min(n, samples(start + length))
        last = idx == len(notes) - 1
        for i in range(a, b):
            u = (i - a) / RATE
            f = f0
            if last:
                f = f0 * (1.0 - 0.08 * u / length) * (1.0 + 0.025 * sin(TWO_PI * 9.0 * u))
            env = (1.0 - exp(-u / 0.01)) * (1.0 - (u / length) ** 3)
            sig[i] = osc.step(f) * env
    # a closing 'wah' filter that opens at each note start
    def cutoff(t):
        for start, length, _ in notes:
            if start <= t < start + length + 0.01:
                return 400.0 + 1800.0 * exp(-(t - start) / 0.06)
        return 400.0
    return finish(lowpass(sig, cutoff), 0.65, 0.003, 0.02)


def highscore():
    """A rising fanfare that ends on a held, shimmering chord."""
    n = samples(0.79)
    lead = Osc(SOFT_SQUARE)
    third = Osc(HOLLOW)
    steps = [(0.0, note("C5")), (0.1, note("E5")), (0.2, note("G5")), (0.3, note("C6"))]
    sig = []
    for i in range(n):
        t = i / RATE
        k = 0
        while k + 1 < len(steps) and t >= steps[k + 1][0]:
            k += 1
        start, f = steps[k]
        u = t - start
        held = k == len(steps) - 1
        if held:
            f *= 1.0 + 0.006 * sin(TWO_PI * 6.0 * u)
            env = ramp(u, 0.004) * exp(-u / 0.35)
            harmony = third.step(note("E6") * (1.0 + 0.006 * sin(TWO_PI * 6.0 * u))) * 0.35 * env
        else:
            end = steps[k + 1][0] - start
            env = ramp(u, 0.004) * ramp(end - u, 0.006) * (0.55 + 0.45 * exp(-u / 0.04))
            harmony = 0.0
        sig.append(lead.step(f) * 0.6 * env + harmony)
    return finish(lowpass(sig, lambda t: 5200.0), 0.6, 0.002, 0.03)


# (resource id, file name, synthesiser)
SOUNDS = [
    (150, "move", move),
    (152, "apple", apple),
    (153, "coin", coin),
    (154, "skull", skull),
    (155, "crash", crash),
    (156, "dropping", dropping),
    (159, "highscore", highscore),
]


def encode_wav(signal):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(v * 32767.0))))) for v in signal)
    buf = io.BytesIO()
    with wave.open(buf, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)
    return buf.getvalue()
