#!/usr/bin/env python3
"""Synthesises the game's sound effects and writes them to resources/sounds/*.wav.

Everything is made here from code: additive notes with per-partial decays, brass and reed
voices from closed-form band-limited harmonic series, FM bells, filtered noise for snaps,
snares and cymbals, a small room reverb. Randomness comes from generators with fixed seeds,
so two runs write byte-identical files.

Every file is mono, 16-bit PCM, 22050 Hz (the longest, the win, stays under 100 KB). All are
brought to one loudness: the RMS of the loudest 400 ms (of the whole file when it is shorter)
is set to TARGET_DB, and a look-ahead limiter keeps the peak at or under CEILING_DB.

    make-sounds.py              write the files and print a table of them
    make-sounds.py --check      regenerate into a temporary folder and fail if the shipped
                                files differ from what this script makes
    make-sounds.py --dir PATH   use PATH instead of resources/sounds (for either mode)
"""
import argparse
import array
import math
import pathlib
import random
import sys
import tempfile
import wave

ROOT = pathlib.Path(__file__).resolve().parents[1]
SOUNDS = ROOT / "resources" / "sounds"

RATE = 22050
TAU = 2.0 * math.pi
TARGET_DB = -18.0        # loudness every file is set to
CEILING_DB = -1.0        # no sample goes above this
WINDOW = 0.4             # seconds of the loudness window
MAX_BYTES = 100_000
TOP = 0.45 * RATE        # highest partial we let through (Hz); keeps clear of aliasing


# ---------------------------------------------------------------------------- basics

def db(value):
    return 20.0 * math.log10(value) if value > 0 else -math.inf


def from_db(value):
    return 10.0 ** (value / 20.0)


NOTE_STEPS = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}


def hz(name):
    """Frequency of a note name such as "A4", "F#3" or "Bb5" (A4 = 440 Hz)."""
    step = NOTE_STEPS[name[0]]
    rest = name[1:]
    while rest and rest[0] in "#b":
        step += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 440.0 * 2.0 ** ((step + 12 * (int(rest) - 4)) / 12.0)


def samples(seconds):
    return max(1, int(round(seconds * RATE)))


def mix(dst, src, at=0.0, gain=1.0):
    """Adds src into dst starting at `at` seconds, growing dst when needed."""
    start = int(round(at * RATE))
    end = start + len(src)
    if end > len(dst):
        dst.extend([0.0] * (end - len(dst)))
    for i, v in enumerate(src):
        dst[start + i] += gain * v
    return dst


def scaled(x, gain):
    return [v * gain for v in x]


def envelope(dur, attack=0.01, decay=None, sustain=1.0, release=0.05):
    """Note envelope: a raised-cosine attack, an exponential fall with time constant `decay`
    towards `sustain` while the note is held (`dur` seconds), then a raised-cosine release."""
    held, na, nr = samples(dur), samples(attack), samples(release)
    out = []
    for i in range(held):
        a = 0.5 - 0.5 * math.cos(math.pi * i / na) if i < na else 1.0
        level = 1.0
        if decay and i >= na:
            level = sustain + (1.0 - sustain) * math.exp(-(i - na) / (decay * RATE))
        out.append(a * level)
    last = out[-1]
    for j in range(nr):
        out.append(last * 0.5 * (1.0 + math.cos(math.pi * (j + 1) / nr)))
    return out


def phases(n, freq, to=None, glide=0.0, glide_at=0.0, scoop=0.0, vib=0.0, vib_rate=5.5,
           vib_delay=0.12, start=0.0):
    """Running phase of a note: an optional exponential glide to `to` Hz over `glide` seconds
    from `glide_at`, a `scoop` (cents below pitch at the onset, settling in 40 ms) and a
    vibrato of `vib` cents that fades in after `vib_delay`."""
    out = []
    ph = start
    step = TAU / RATE
    for i in range(n):
        t = i / RATE
        f = freq
        if to is not None and t > glide_at:
            k = min(1.0, (t - glide_at) / glide) if glide > 0 else 1.0
            f = freq * (to / freq) ** k
        cents = 0.0
        if scoop:
            cents -= scoop * math.exp(-t / 0.04)
        if vib:
            depth = vib * min(1.0, max(0.0, (t - vib_delay) / 0.15))
            cents += depth * math.sin(TAU * vib_rate * t)
        if cents:
            f *= 2.0 ** (cents / 1200.0)
        out.append(ph)
        ph += step * f
    return out


def brightness_cap(freq, odd=False):
    """Largest roll-off ratio r for which the harmonics a series would fold back above the
    Nyquist frequency stay 60 dB down."""
    top = max(1, int(TOP / freq))
    if odd and top % 2 == 0:
        top -= 1
    return min(0.92, (0.001 * (top + 2)) ** (1.0 / (top + 1)))


# ---------------------------------------------------------------------------- voices

def horn(freq, dur, attack=0.035, release=0.12, decay=0.5, sustain=0.75, bright=(0.35, 0.82),
         detune=(-6.0, 0.0, 5.0), odd=False, **pitch):
    """A brass (or, with odd=True, reed) section note.

    Each voice is the series sum r^(n-1)/n * sin(n*phase) in closed form,
    atan2(r sin p, 1 - r cos p) (odd harmonics only: atan(r)-scaled 0.5*atan2(2 r sin p, 1 - r^2)),
    with r following the envelope, so the note brightens as it swells like a real horn.
    A few slightly detuned voices give the ensemble width."""
    env = envelope(dur, attack, decay, sustain, release)
    cap = brightness_cap(max(freq, pitch.get("to") or 0.0), odd)
    r0, r1 = bright
    out = [0.0] * len(env)
    for k, cents in enumerate(detune):
        f = freq * 2.0 ** (cents / 1200.0)
        p_kw = dict(pitch)
        if p_kw.get("to"):
            p_kw["to"] = p_kw["to"] * 2.0 ** (cents / 1200.0)
        ph = phases(len(env), f, start=1.3 * k, **p_kw)
        for i, e in enumerate(env):
            r = min(cap, r0 + (r1 - r0) * e)
            p = ph[i]
            if odd:
                s = 0.5 * math.atan2(2.0 * r * math.sin(p), 1.0 - r * r) / math.atan(r)
            else:
                s = math.atan2(r * math.sin(p), 1.0 - r * math.cos(p)) / math.asin(r)
            out[i] += e * s
    return scaled(out, 1.0 / len(detune))


def bell(freq, dur, ratio=1.4, index=3.0, decay=0.5, index_decay=0.2, attack=0.002):
    """FM bell: carrier at freq, modulator at freq*ratio; the modulation index dies away
    faster than the tone, so the strike is bright and the ring goes pure. The index is held
    low enough that the sidebands stay under the Nyquist frequency."""
    n = samples(dur)
    fm = freq * ratio
    index = min(index, max(0.0, (TOP - freq) / fm - 1.0))
    na = samples(attack)
    out = []
    wc, wm = TAU * freq / RATE, TAU * fm / RATE
    for i in range(n):
        t = i / RATE
        a = min(1.0, i / na) * math.exp(-t / decay)
        out.append(a * math.sin(wc * i + index * math.exp(-t / index_decay) * math.sin(wm * i)))
    return fade_out(out, 0.01)


def struck(freq, dur, parts, attack=0.002, tremolo=0.0, trem_rate=6.0, warble=0.0, seed=0):
    """Additive struck tone: parts are (ratio, amplitude, decay seconds[, bloom seconds]).
    A bloom makes a partial swell in after the strike (as a gong's upper modes do);
    `warble` detunes each partial slowly by up to that many cents."""
    rng = random.Random(seed)
    n = samples(dur)
    na = samples(attack)
    out = [0.0] * n
    for part in parts:
        ratio, amp, decay = part[:3]
        bloom = part[3] if len(part) > 3 else 0.0
        f = freq * ratio
        if f > TOP:
            continue
        ph = rng.uniform(0.0, TAU) if warble else 0.0
        wrate = rng.uniform(0.3, 1.1)
        wphase = rng.uniform(0.0, TAU)
        step = TAU * f / RATE
        for i in range(n):
            t = i / RATE
            a = amp * math.exp(-t / decay)
            if i < na:
                a *= i / na
            if bloom:
                a *= 1.0 - math.exp(-t / bloom) * 0.85
            out[i] += a * math.sin(ph)
            w = 1.0
            if warble:
                w = 2.0 ** (warble * math.sin(TAU * wrate * t + wphase) / 1200.0)
            ph += step * w
    if tremolo:
        for i in range(n):
            out[i] *= 1.0 - tremolo * (0.5 - 0.5 * math.cos(TAU * trem_rate * i / RATE))
    return fade_out(out, 0.01)


def noise(dur, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1.0, 1.0) for _ in range(samples(dur))]


def biquad(x, kind, f0, q=0.707):
    """Second-order filter (low, high or band pass, the common cookbook forms)."""
    w = TAU * min(f0, 0.49 * RATE) / RATE
    cw, alpha = math.cos(w), math.sin(w) / (2.0 * q)
    if kind == "low":
        b0, b1, b2 = (1 - cw) / 2, 1 - cw, (1 - cw) / 2
    elif kind == "high":
        b0, b1, b2 = (1 + cw) / 2, -(1 + cw), (1 + cw) / 2
    elif kind == "band":
        b0, b1, b2 = alpha, 0.0, -alpha
    else:
        raise ValueError(kind)
    a0, a1, a2 = 1 + alpha, -2 * cw, 1 - alpha
    b0, b1, b2, a1, a2 = b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for v in x:
        y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, y
        out.append(y)
    return out


def decaying(x, tau, attack=0.001):
    na = samples(attack)
    return [v * min(1.0, i / na) * math.exp(-i / (tau * RATE)) for i, v in enumerate(x)]


def wah(x, start_hz, peak_hz, end_hz, open_time, q=2.5):
    """Band-pass sweep (state-variable filter) that opens from start_hz to peak_hz over
    open_time and closes towards end_hz by the end: the muted-trumpet "wah"."""
    n = len(x)
    low = band = 0.0
    damp = 1.0 / q
    out = []
    for i, v in enumerate(x):
        t = i / RATE
        if t < open_time:
            fc = start_hz * (peak_hz / start_hz) ** (t / open_time)
        else:
            k = (i - open_time * RATE) / max(1.0, n - open_time * RATE)
            fc = peak_hz * (end_hz / peak_hz) ** k
        f = 2.0 * math.sin(math.pi * fc / RATE)
        low += f * band
        high = v - low - damp * band
        band += f * high
        out.append(band + 0.35 * low)
    return out


def reverb(x, wet=0.2, room=0.78, damp=0.35, tail=0.35):
    """Small room: four damped comb filters in parallel, then two all-passes."""
    x = x + [0.0] * samples(tail)
    combs = (557, 593, 641, 677)
    acc = [0.0] * len(x)
    for d in combs:
        buf = [0.0] * d
        store = 0.0
        j = 0
        for i, v in enumerate(x):
            y = buf[j]
            store = y * (1.0 - damp) + store * damp
            buf[j] = v + store * room
            j = j + 1 if j + 1 < d else 0
            acc[i] += y
    for d in (113, 277):
        buf = [0.0] * d
        j = 0
        for i, v in enumerate(acc):
            b = buf[j]
            buf[j] = v + b * 0.5
            acc[i] = b - v * 0.5
            j = j + 1 if j + 1 < d else 0
    g = wet / len(combs)
    return [v + g * w for v, w in zip(x, acc)]


def fade_out(x, seconds):
    m = min(len(x), samples(seconds))
    for j in range(m):
        x[len(x) - m + j] *= 0.5 * (1.0 + math.cos(math.pi * (j + 1) / m))
    return x


def fade_in(x, seconds):
    m = min(len(x), samples(seconds))
    for j in range(m):
        x[j] *= 0.5 - 0.5 * math.cos(math.pi * j / m)
    return x


def fit(x, seconds, fade=0.04):
    """Cuts or pads to exactly `seconds`, takes out the rumble below what small speakers
    play (it would only eat into the loudness budget) and fades both ends to silence."""
    n = samples(seconds)
    x = biquad((x + [0.0] * n)[:n], "high", 70.0)
    return fade_out(fade_in(x, 0.004), fade)


# ---------------------------------------------------------------------------- percussion

def timpani(freq, dur=1.0, gain=1.0):
    """Kettle drum: membrane modes with a pitch that settles after the stroke, plus the felt."""
    n = samples(dur)
    modes = ((1.0, 1.0, 0.55), (1.504, 0.5, 0.35), (1.742, 0.25, 0.25), (2.0, 0.3, 0.3),
             (2.245, 0.15, 0.18), (2.494, 0.12, 0.15))
    out = [0.0] * n
    for ratio, amp, decay in modes:
        ph = 0.0
        for i in range(n):
            t = i / RATE
            out[i] += amp * math.exp(-t / decay) * math.sin(ph)
            ph += TAU * freq * ratio * (1.0 + 0.04 * math.exp(-t / 0.05)) / RATE
    felt = decaying(biquad(noise(0.08, int(freq)), "low", 900.0), 0.015)
    mix(out, felt, 0.0, 0.6)
    return scaled(fade_out(fade_in(out, 0.002), 0.02), gain)


def snare(gain=1.0, seed=1):
    """One snare stroke: a short drum-head tone and a burst of bright noise (the wires)."""
    head = struck(190.0, 0.12, ((1.0, 0.6, 0.03), (1.6, 0.3, 0.02)))
    wires = decaying(biquad(noise(0.16, seed), "band", 3500.0, 0.7), 0.045)
    hiss = decaying(biquad(noise(0.1, seed + 1000), "high", 6000.0), 0.02)
    out = mix(head, wires, 0.0, 0.9)
    mix(out, hiss, 0.0, 0.5)
    return scaled(out, gain)


def cymbal(dur=1.2, seed=7):
    """Crash cymbal: high-passed noise shaped by a quick bloom and a long decay, with a ring."""
    body = biquad(biquad(noise(dur, seed), "high", 4200.0), "band", 7500.0, 0.8)
    air = biquad(noise(dur, seed + 1), "high", 8000.0)
    out = [0.7 * a + 0.4 * b for a, b in zip(body, air)]
    out = decaying(out, 0.45, attack=0.003)
    ring = struck(523.0, dur, ((4.13, 0.05, 0.5), (5.71, 0.04, 0.4), (8.97, 0.03, 0.3)))
    return fade_out(mix(out, ring), 0.1)


def ping(freq, dur=0.12, decay=0.05, gain=1.0):
    """A tiny metallic ping: a coin touching the pile, a link hitting the floor."""
    return scaled(struck(freq, dur, ((1.0, 1.0, decay), (2.76, 0.45, decay * 0.6),
                                     (5.40, 0.2, decay * 0.35))), gain)


# ---------------------------------------------------------------------------- the sounds

def question():
    """Two soft vibraphone strokes a fourth apart, with the motor's tremolo: "listen"."""
    vib = ((1.0, 1.0, 0.7), (4.0, 0.18, 0.12), (10.0, 0.04, 0.03))
    out = struck(hz("G5"), 0.75, vib, attack=0.003, tremolo=0.18, trem_rate=6.5)
    mix(out, struck(hz("C6"), 0.65, vib, attack=0.003, tremolo=0.18, trem_rate=6.5), 0.11)
    mix(out, struck(hz("C5"), 0.6, ((1.0, 1.0, 0.35), (4.0, 0.1, 0.05))), 0.11, 0.3)
    return fit(reverb(out, 0.25), 0.8, 0.12)


def right_answer():
    """A quick rising C major arpeggio in celesta-like FM bells, a high sparkle on the top."""
    out = []
    notes = ("C5", "E5", "G5", "C6")
    for k, name in enumerate(notes):
        last = k == len(notes) - 1
        for cents, g in ((-4.0, 0.5), (4.0, 0.5)):
            f = hz(name) * 2.0 ** (cents / 1200.0)
            note = bell(f, 0.6 if last else 0.3, ratio=1.0, index=1.6,
                        decay=0.32 if last else 0.12, index_decay=0.08)
            mix(out, note, 0.055 * k, g)
        mix(out, struck(hz(name), 0.3, ((2.0, 0.25, 0.06), (3.0, 0.12, 0.04))), 0.055 * k)
    mix(out, bell(hz("C7"), 0.45, ratio=3.5, index=1.2, decay=0.15), 0.165, 0.18)
    shimmer = decaying(biquad(noise(0.25, 11), "high", 6500.0), 0.06, 0.01)
    mix(out, shimmer, 0.165, 0.12)
    return fit(reverb(out, 0.2), 0.72, 0.12)


def chain_break():
    """The chain snaps: a cracking noise burst and a metallic clank, links clattering down,
    under a buzzy, slightly sour two-voice tone sliding down an octave and a half."""
    out = []
    crack = decaying(biquad(noise(0.06, 21), "band", 2600.0, 1.1), 0.012, 0.0005)
    mix(out, crack, 0.0, 1.6)
    mix(out, decaying(biquad(noise(0.03, 22), "high", 5000.0), 0.004, 0.0005), 0.0, 0.8)
    clank = bell(870.0, 0.35, ratio=1.414, index=5.0, decay=0.09, index_decay=0.04, attack=0.001)
    mix(out, clank, 0.003, 0.9)
    mix(out, bell(1330.0, 0.25, ratio=1.73, index=3.0, decay=0.06, index_decay=0.03), 0.006, 0.5)
    for at, f, g in ((0.13, 2300.0, 0.35), (0.21, 1850.0, 0.28), (0.27, 2050.0, 0.2),
                     (0.34, 1600.0, 0.15)):
        mix(out, ping(f, 0.12, 0.035), at, g)
    buzz = horn(hz("E4"), 0.5, attack=0.015, release=0.18, decay=0.35, sustain=0.5,
                bright=(0.75, 0.85), detune=(-18.0, 14.0), odd=True,
                to=hz("A2"), glide=0.6, glide_at=0.02)
    buzz = biquad(buzz, "low", 2400.0)
    mix(out, buzz, 0.03, 0.6)
    return fit(reverb(out, 0.12), 0.85, 0.1)


def bank():
    """Cash register: the drawer's clunk, a bright bell "ching", coins sparkling on a
    pentatonic scale, over a warm C major chord."""
    out = []
    clunk = decaying(biquad(noise(0.05, 31), "low", 1400.0), 0.012, 0.0005)
    mix(out, clunk, 0.0, 0.9)
    mix(out, struck(140.0, 0.1, ((1.0, 1.0, 0.035), (2.3, 0.4, 0.02))), 0.0, 0.7)
    mix(out, bell(hz("C7"), 0.8, ratio=2.76, index=1.2, decay=0.35, index_decay=0.1), 0.045, 0.55)
    mix(out, bell(hz("E7"), 0.8, ratio=1.41, index=1.0, decay=0.3, index_decay=0.08), 0.05, 0.4)
    rng = random.Random(33)
    scale = [hz(n) for n in ("C7", "D7", "E7", "G7", "A7", "C8")]
    t = 0.08
    while t < 0.62:
        f = rng.choice(scale) * 2.0 ** (rng.uniform(-8, 8) / 1200.0)
        mix(out, ping(f, 0.12, rng.uniform(0.03, 0.07)), t, rng.uniform(0.1, 0.22) * (1.1 - t))
        t += rng.uniform(0.025, 0.06) + 0.1 * t
    for name in ("C5", "E5", "G5", "C6"):
        chord = struck(hz(name), 0.95, ((1.0, 1.0, 0.45), (2.0, 0.3, 0.2), (3.0, 0.1, 0.1)),
                       attack=0.01)
        mix(out, chord, 0.05, 0.22)
    return fit(reverb(out, 0.22), 1.05, 0.15)


def tick():
    """Clock tick: a small woodblock knock, dark enough to hear ten times running."""
    body = struck(1050.0, 0.1, ((1.0, 1.0, 0.018), (2.62, 0.3, 0.008), (4.9, 0.08, 0.004)),
                  attack=0.0008)
    click = decaying(biquad(noise(0.02, 41), "band", 3000.0, 1.5), 0.002, 0.0003)
    out = mix(body, click, 0.0, 0.5)
    return fit(reverb(out, 0.06, room=0.5, tail=0.05), 0.12, 0.03)


def round_end():
    """Gong: inharmonic modes, the upper ones blooming after the mallet and shimmering
    with a slow warble, over the low hum of the plate."""
    modes = ((1.0, 1.0, 1.5), (1.47, 0.7, 1.2, 0.05), (1.98, 0.6, 1.1), (2.53, 0.6, 0.9, 0.08),
             (2.97, 0.55, 0.85, 0.1), (3.56, 0.55, 0.75, 0.12), (4.18, 0.5, 0.7, 0.15),
             (4.89, 0.45, 0.6, 0.18), (5.62, 0.42, 0.55, 0.2), (6.51, 0.4, 0.5, 0.2),
             (7.43, 0.36, 0.45, 0.22), (8.9, 0.32, 0.4, 0.25), (10.7, 0.28, 0.35, 0.25),
             (12.3, 0.24, 0.3, 0.25), (14.8, 0.2, 0.28, 0.22), (17.9, 0.16, 0.25, 0.2),
             (21.4, 0.13, 0.22, 0.18), (26.1, 0.1, 0.2, 0.15), (31.7, 0.08, 0.18, 0.12),
             (38.3, 0.06, 0.15, 0.1), (46.2, 0.04, 0.12, 0.08))
    out = struck(hz("C3"), 2.0, modes, attack=0.004, warble=7.0, seed=51)
    mallet = decaying(biquad(noise(0.1, 52), "low", 900.0), 0.02, 0.001)
    mix(out, mallet, 0.0, 0.6)
    wash = decaying(biquad(noise(2.0, 53), "band", 3200.0, 0.9), 0.5, 0.15)
    mix(out, wash, 0.0, 0.25)
    return fit(reverb(out, 0.2, tail=0.0), 1.95, 0.35)


def chord(notes, dur, gain=0.3, **kw):
    out = []
    for name in notes:
        mix(out, horn(hz(name), dur, **kw))
    return scaled(out, gain)


def verdict():
    """Dum, dum, DUMMM: two staccato A minor brass chords on the timpani, then F major held."""
    out = []
    stab = dict(attack=0.02, release=0.08, decay=0.15, sustain=0.6, scoop=15.0)
    for at in (0.0, 0.2):
        mix(out, chord(("A3", "C4", "E4", "A4"), 0.13, **stab), at)
        mix(out, timpani(hz("A2"), 0.5), at, 0.35)
    held = chord(("F3", "A3", "C4", "F4", "A4"), 0.85, attack=0.06, release=0.35, decay=0.4,
                 sustain=0.75, scoop=20.0, vib=8.0, vib_delay=0.3)
    mix(out, held, 0.4)
    mix(out, timpani(hz("F2"), 1.2), 0.4, 0.45)
    mix(out, scaled(cymbal(1.2, 61), 0.35), 0.4)
    return fit(reverb(out, 0.25), 1.75, 0.25)


def player_leaves():
    """A reed sighs down E, C, A with the last note sagging, over a quiet A minor pad."""
    out = []
    reed = dict(odd=True, bright=(0.3, 0.6), detune=(-4.0, 4.0), decay=0.6, sustain=0.8)
    mix(out, horn(hz("E5"), 0.2, attack=0.04, release=0.1, **reed), 0.0)
    mix(out, horn(hz("C5"), 0.2, attack=0.04, release=0.1, **reed), 0.22)
    mix(out, horn(hz("A4"), 0.62, attack=0.05, release=0.3, vib=14.0, vib_rate=4.8,
                  vib_delay=0.15, to=hz("A4") * 2 ** (-45 / 1200), glide=0.4, glide_at=0.3,
                  **reed), 0.44)
    pad = chord(("A3", "C4", "E4"), 1.0, gain=0.12, attack=0.25, release=0.35, odd=True,
                bright=(0.2, 0.4), detune=(-5.0, 5.0))
    mix(out, pad, 0.05)
    return fit(reverb(out, 0.3), 1.45, 0.25)


def duel_start():
    """Tense fanfare: a snare roll swelling, a repeated trumpet call, and a held E diminished
    chord on the timpani (the tritone keeps it on edge)."""
    out = []
    t, k = 0.0, 0
    while t < 0.48:
        mix(out, snare(0.15 + 0.5 * t / 0.48, 70 + k), t)
        t += 1.0 / 22.0
        k += 1
    call = dict(attack=0.015, release=0.06, decay=0.12, sustain=0.7, scoop=25.0)
    for at in (0.5, 0.62, 0.74):
        mix(out, horn(hz("E4"), 0.08, **call), at, 0.5)
        mix(out, snare(0.5, 90 + int(at * 100)), at)
    mix(out, horn(hz("G4"), 0.13, **call), 0.86, 0.5)
    held = chord(("E3", "G3", "Bb3", "E4"), 0.55, gain=0.32, attack=0.05, release=0.3,
                 decay=0.3, sustain=0.8, scoop=20.0, vib=10.0, vib_rate=6.5)
    mix(out, held, 1.02)
    mix(out, timpani(hz("E2"), 0.9), 1.02, 0.4)
    mix(out, snare(0.6, 99), 1.02)
    return fit(reverb(out, 0.22), 1.95, 0.25)


def win():
    """Fanfare in C major: trumpets climb C-E-G-C, a quick E, then the top C over the full
    chord, with timpani, a cymbal crash and a rising glitter of bells."""
    out = []
    lead = dict(attack=0.02, release=0.06, decay=0.2, sustain=0.7, scoop=20.0)
    for at, name, dur in ((0.0, "G4", 0.09), (0.12, "C5", 0.09), (0.24, "E5", 0.09),
                          (0.36, "G5", 0.26), (0.68, "E5", 0.1)):
        mix(out, horn(hz(name), dur, **lead), at, 0.45)
        mix(out, horn(hz(name) / 2, dur, **lead), at, 0.18)
    final = dict(attack=0.04, release=0.35, decay=0.5, sustain=0.8, scoop=20.0, vib=9.0,
                 vib_delay=0.25)
    mix(out, horn(hz("C6"), 0.85, **final), 0.82, 0.4)
    mix(out, chord(("C3", "G3", "C4", "E4", "G4"), 0.85, gain=0.25, **final), 0.82)
    mix(out, timpani(hz("G2"), 0.5), 0.36, 0.3)
    mix(out, timpani(hz("C3"), 1.0), 0.82, 0.4)
    mix(out, scaled(cymbal(1.3, 81), 0.5), 0.82)
    for k, name in enumerate(("C6", "E6", "G6", "C7", "E7", "G7")):
        mix(out, bell(hz(name), 0.5, ratio=3.5, index=0.8, decay=0.2), 0.84 + 0.04 * k, 0.1)
    return fit(reverb(out, 0.22), 2.2, 0.3)


def loss():
    """Muted trombone, wah-wah-wah-waaah: down by semitones D, C sharp, C, then B that wobbles
    and fades, over a soft low reed."""
    out = []
    muted = dict(bright=(0.55, 0.85), detune=(-5.0, 5.0), decay=0.3, sustain=0.8, scoop=30.0)
    for k, name in enumerate(("D4", "C#4", "C4")):
        note = horn(hz(name), 0.26, attack=0.03, release=0.08, **muted)
        mix(out, wah(note, 300.0, 1400.0, 500.0, 0.08), 0.33 * k)
    last = horn(hz("B3"), 0.85, attack=0.03, release=0.3, vib=45.0, vib_rate=4.5, vib_delay=0.2,
                **muted)
    mix(out, wah(last, 300.0, 1300.0, 350.0, 0.1, q=2.0), 0.99)
    pad = horn(hz("G2"), 1.6, attack=0.3, release=0.4, odd=True, bright=(0.2, 0.4),
               detune=(-4.0, 4.0))
    mix(out, pad, 0.1, 0.12)
    return fit(reverb(out, 0.18), 2.2, 0.3)


SOUNDS_MADE = {
    "question": question,
    "right_answer": right_answer,
    "chain_break": chain_break,
    "bank": bank,
    "tick": tick,
    "round_end": round_end,
    "verdict": verdict,
    "player_leaves": player_leaves,
    "duel_start": duel_start,
    "win": win,
    "loss": loss,
}


# ---------------------------------------------------------------------------- levels

def peak(x):
    return max(abs(v) for v in x)


def loudness(x):
    """RMS of the loudest WINDOW seconds (the whole sound when it is shorter), linear."""
    w = min(len(x), samples(WINDOW))
    sq = [v * v for v in x]
    run = sum(sq[:w])
    best = run
    for i in range(w, len(sq)):
        run += sq[i] - sq[i - w]
        best = max(best, run)
    return math.sqrt(max(best, 0.0) / w)


def rms(x):
    return math.sqrt(sum(v * v for v in x) / len(x))


def limit(x, ceiling, attack=0.003, release=0.06):
    """Look-ahead peak limiter: the gain each sample needs is smoothed so it falls before a
    peak (backward pass) and recovers slowly after it (forward pass). Taking the minimum
    of needed and smoothed gain means no sample ends above the ceiling."""
    need = [min(1.0, ceiling / abs(v)) if v else 1.0 for v in x]
    rel = 1.0 - math.exp(-1.0 / (release * RATE))
    att = 1.0 - math.exp(-1.0 / (attack * RATE))
    g = list(need)
    for i in range(1, len(g)):
        g[i] = min(g[i], g[i - 1] + (1.0 - g[i - 1]) * rel)
    for i in range(len(g) - 2, -1, -1):
        g[i] = min(g[i], g[i + 1] + (1.0 - g[i + 1]) * att)
    return [v * k for v, k in zip(x, g)]


def normalise(x):
    target, ceiling = from_db(TARGET_DB), from_db(CEILING_DB) * 0.995
    for _ in range(8):
        x = scaled(x, target / loudness(x))
        if peak(x) > ceiling:
            x = limit(x, ceiling)
        if abs(db(loudness(x)) - TARGET_DB) < 0.05:
            break
    return x


def pcm(x):
    return array.array("h", [max(-32767, min(32767, int(round(v * 32767.0)))) for v in x])


def write(path, data):
    with wave.open(str(path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        if sys.byteorder == "big":
            data = array.array("h", data)
            data.byteswap()
        w.writeframes(data.tobytes())


def render(folder):
    """Makes every sound into folder; returns rows for the table."""
    folder.mkdir(parents=True, exist_ok=True)
    rows = []
    for name, make in SOUNDS_MADE.items():
        data = pcm(normalise(make()))
        path = folder / f"{name}.wav"
        write(path, data)
        x = [v / 32768.0 for v in data]
        rows.append((path.name, len(x) / RATE, db(peak(x)), db(rms(x)), db(loudness(x)),
                     path.stat().st_size))
    return rows


def table(rows):
    print(f"{'file':<20} {'length s':>8} {'peak dBFS':>10} {'RMS dBFS':>9} {'loud dBFS':>10} "
          f"{'bytes':>7}")
    for name, length, pk, r, loud, size in rows:
        print(f"{name:<20} {length:8.3f} {pk:10.2f} {r:9.2f} {loud:10.2f} {size:7d}")


def read_frames(path):
    with wave.open(str(path), "rb") as w:
        return w.getparams()[:3], w.readframes(w.getnframes())


def compare(made, shipped):
    """Differences between the freshly made folder and the shipped one, as messages."""
    problems = []
    wanted = sorted(p.name for p in made.glob("*.wav"))
    present = sorted(p.name for p in shipped.glob("*.wav")) if shipped.is_dir() else []
    for name in wanted:
        if name not in present:
            problems.append(f"{name}: missing")
        elif (made / name).read_bytes() != (shipped / name).read_bytes():
            problems.append(f"{name}: differs from what the script makes")
    for name in present:
        if name not in wanted:
            problems.append(f"{name}: not made by this script")
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="fail if the shipped files are not what this script makes")
    parser.add_argument("--dir", type=pathlib.Path, default=SOUNDS,
                        help="folder of the sound files (default: resources/sounds)")
    args = parser.parse_args()

    if args.check:
        with tempfile.TemporaryDirectory() as tmp:
            rows = render(pathlib.Path(tmp))
            table(rows)
            problems = compare(pathlib.Path(tmp), args.dir)
        for p in problems:
            print(f"make-sounds: {p}", file=sys.stderr)
        if problems:
            print("make-sounds: run scripts/make-sounds.py to rewrite them", file=sys.stderr)
            return 1
        print(f"make-sounds: {len(rows)} files in {args.dir} are up to date")
        return 0

    rows = render(args.dir)
    for p in args.dir.glob("*.wav"):
        if p.stem not in SOUNDS_MADE:
            print(f"make-sounds: {p.name} is not made by this script", file=sys.stderr)
    table(rows)
    too_big = [r[0] for r in rows if r[5] >= MAX_BYTES]
    if too_big:
        print(f"make-sounds: over {MAX_BYTES} bytes: {', '.join(too_big)}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
