"""The table's six sound effects, synthesised: 16-bit PCM, mono, 44.1 kHz.

shuffling      a riffle of the deck: a run of card clicks that speeds up
drop           a card landing on the cloth: a soft slap
whistle        a short referee's trill
ding_dong_low  two low bell strokes
drum           a short roll ending on a hit
blop           a bubble popping: a quick rising tone

Noise comes from a fixed linear congruential generator, so every run writes
the same bytes.
"""

import math
import struct
import wave

RATE = 44100
PEAK = 0.85


class Noise:
    def __init__(self, seed):
        self.state = seed

    def sample(self):
        self.state = (self.state * 1103515245 + 12345) & 0x7FFFFFFF
        return self.state / 0x3FFFFFFF - 1.0


def _silence(seconds):
    return [0.0] * int(seconds * RATE)


def _mix_into(target, source, start_seconds, gain=1.0):
    start = int(start_seconds * RATE)
    for i, value in enumerate(source):
        if start + i < len(target):
            target[start + i] += value * gain


def _lowpass(samples, cutoff):
    alpha = 1.0 - math.exp(-2.0 * math.pi * cutoff / RATE)
    out, y = [], 0.0
    for x in samples:
        y += alpha * (x - y)
        out.append(y)
    return out


def _highpass(samples, cutoff):
    low = _lowpass(samples, cutoff)
    return [x - l for x, l in zip(samples, low)]


def _click(noise, seconds, decay, brightness):
    """A burst of filtered noise: one card edge snapping past another."""
    n = int(seconds * RATE)
    raw = [noise.sample() * math.exp(-i / (decay * RATE)) for i in range(n)]
    return _highpass(_lowpass(raw, brightness), 400.0)


def shuffling():
    noise = Noise(7)
    out = _silence(0.62)
    t = 0.02
    gap = 0.018
    while t < 0.5:
        _mix_into(out, _click(noise, 0.012, 0.003, 5200.0), t, 0.55)
        t += gap + (noise.sample() * 0.003)
        gap = max(0.007, gap * 0.965)
    # The cards settle into one pile.
    thump = [math.sin(2 * math.pi * 140 * i / RATE) * math.exp(-i / (0.025 * RATE)) for i in range(int(0.1 * RATE))]
    _mix_into(out, thump, 0.5, 0.5)
    _mix_into(out, _click(noise, 0.1, 0.03, 2500.0), 0.5, 0.6)
    return out


def drop():
    noise = Noise(11)
    n = int(0.16 * RATE)
    slap = _lowpass([noise.sample() * math.exp(-i / (0.018 * RATE)) for i in range(n)], 1800.0)
    body = [math.sin(2 * math.pi * 190 * i / RATE) * math.exp(-i / (0.03 * RATE)) * 0.6 for i in range(n)]
    return [a * 1.6 + b for a, b in zip(slap, body)]


def whistle():
    noise = Noise(13)
    seconds = 0.5
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        # The pea in the whistle makes the pitch trill about 28 times a second.
        freq = 2900.0 + 140.0 * math.sin(2 * math.pi * 28.0 * t)
        phase += 2 * math.pi * freq / RATE
        envelope = min(1.0, t / 0.02) * min(1.0, (seconds - t) / 0.06)
        out.append(envelope * (0.8 * math.sin(phase) + 0.08 * noise.sample()))
    return out


def _bell(freq, seconds, gain):
    partials = ((1.0, 1.0, 1.0), (2.0, 0.5, 0.6), (2.76, 0.35, 0.45), (5.4, 0.15, 0.25))
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        value = 0.0
        for ratio, amplitude, decay in partials:
            value += amplitude * math.sin(2 * math.pi * freq * ratio * t) * math.exp(-t / (decay * seconds / 2.5))
        out.append(value * gain * min(1.0, t / 0.003))
    return out


def ding_dong_low():
    out = _silence(0.9)
    _mix_into(out, _bell(392.0, 0.45, 0.5), 0.0)
    _mix_into(out, _bell(311.1, 0.55, 0.5), 0.33)
    return out


def _drum_hit(noise, pitch, seconds, snare):
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = pitch * (1.0 + 1.5 * math.exp(-t / 0.02))
        phase += 2 * math.pi * freq / RATE
        tone = math.sin(phase) * math.exp(-t / (seconds / 4))
        rattle = noise.sample() * math.exp(-t / (seconds / 6)) * snare
        out.append(tone + rattle)
    return out


def drum():
    noise = Noise(17)
    out = _silence(0.7)
    t = 0.0
    for k in range(8):
        _mix_into(out, _drum_hit(noise, 180.0, 0.08, 0.6), t, 0.25 + 0.04 * k)
        t += 0.045
    _mix_into(out, _drum_hit(noise, 70.0, 0.32, 0.35), t + 0.02, 0.9)
    return out


def blop():
    seconds = 0.14
    n = int(seconds * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = 260.0 + 900.0 * (t / seconds) ** 0.6
        phase += 2 * math.pi * freq / RATE
        envelope = min(1.0, t / 0.004) * math.exp(-t / 0.04)
        out.append(math.sin(phase) * envelope)
    return out


# Resource name under :/sound/, the synthesis and the peak level. The steady
# whistle is kept quieter so that it sounds as loud as the short effects.
EFFECTS = {
    "cards/shuffling": (shuffling, PEAK),
    "cards/drop": (drop, PEAK),
    "event/whistle": (whistle, 0.45),
    "event/ding_dong_low": (ding_dong_low, PEAK),
    "event/drum": (drum, PEAK),
    "event/blop": (blop, PEAK),
}


def write_wav(path, samples, level=PEAK):
    peak = max(1e-9, max(abs(s) for s in samples))
    scale = level * 32767.0 / peak
    # A short fade at both ends keeps the start and the end click-free.
    fade = int(0.002 * RATE)
    frames = bytearray()
    count = len(samples)
    for i, value in enumerate(samples):
        edge = min(1.0, i / fade, (count - 1 - i) / fade) if fade else 1.0
        frames += struct.pack("<h", int(round(max(-1.0, min(1.0, value * scale / 32767.0 * edge)) * 32767.0)))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))
