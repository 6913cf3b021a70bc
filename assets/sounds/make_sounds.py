#!/usr/bin/env python3
"""Generates the three alert clips of Tavrin (python3 standard library only).

    python3 make_sounds.py [OUTPUT_DIR]

rising.wav   mono 8-bit 22050 Hz, 0.73 s: a rising two-note chime (E5 then A5)
falling.wav  mono 8-bit 22050 Hz, 0.35 s: a short blip gliding down an octave
target.wav   stereo 16-bit 44100 Hz, 1.65 s: three bell strokes (G5 C6 E6), left to right

Every note has a soft attack and a smooth decay, and every clip fades to silence
at both ends, so nothing clicks. The output is deterministic: running the script
again reproduces the committed files byte for byte.
"""

import math
import os
import struct
import sys
import wave


def envelope(t, attack, decay):
    """Raised-cosine attack, then exponential decay; 0 before the note starts."""
    if t < 0.0:
        return 0.0
    if t < attack:
        return 0.5 - 0.5 * math.cos(math.pi * t / attack)
    return math.exp(-(t - attack) / decay)


def edge_fade(i, count, fade_in, fade_out):
    """Half-cosine ramps over the first `fade_in` and the last `fade_out` samples of a clip."""
    gain = 1.0
    if i < fade_in:
        gain *= 0.5 - 0.5 * math.cos(math.pi * i / fade_in)
    tail = count - 1 - i
    if tail < fade_out:
        gain *= 0.5 - 0.5 * math.cos(math.pi * tail / fade_out)
    return gain


def chime(t, freq):
    """A soft chime: the fundamental with two quiet harmonics."""
    w = 2.0 * math.pi * freq * t
    return math.sin(w) + 0.25 * math.sin(2.0 * w) + 0.08 * math.sin(3.0 * w)


def bell(t, freq):
    """Bell-like partials; the higher ones die away faster, as in a struck bell."""
    partials = ((1.0, 1.0, 0.55), (2.0, 0.45, 0.30), (2.76, 0.25, 0.18), (5.4, 0.10, 0.08))
    value = 0.0
    for ratio, gain, decay in partials:
        value += gain * math.exp(-t / decay) * math.sin(2.0 * math.pi * freq * ratio * t)
    return value


def rising_samples(rate, count):
    notes = ((0.00, 659.25), (0.30, 880.00))  # E5, A5
    out = []
    for i in range(count):
        t = i / rate
        value = 0.0
        for start, freq in notes:
            value += envelope(t - start, 0.012, 0.14) * chime(t - start, freq)
        out.append(0.45 * value * edge_fade(i, count, 32, 2205))
    return out


def falling_samples(rate, count):
    duration = count / rate
    out = []
    phase = 0.0
    for i in range(count):
        t = i / rate
        # Exponential glide from 880 Hz down to 440 Hz over the clip.
        freq = 880.0 * math.pow(0.5, t / duration)
        phase += 2.0 * math.pi * freq / rate
        value = math.sin(phase) + 0.2 * math.sin(2.0 * phase)
        out.append(0.6 * envelope(t, 0.008, 0.09) * value * edge_fade(i, count, 32, 1100))
    return out


def target_samples(rate, count):
    notes = ((0.00, 783.99, 0.25), (0.35, 1046.50, 0.50), (0.70, 1318.51, 0.75))  # G5 C6 E6, panned
    left, right = [], []
    for i in range(count):
        t = i / rate
        l = r = 0.0
        for start, freq, pan in notes:
            local = t - start
            if local < 0.0:
                continue
            value = envelope(local, 0.006, 10.0) * bell(local, freq)
            l += value * math.cos(pan * math.pi / 2.0)
            r += value * math.sin(pan * math.pi / 2.0)
        fade = edge_fade(i, count, 64, 11025)
        left.append(0.42 * l * fade)
        right.append(0.42 * r * fade)
    return left, right


def clamp(value):
    return max(-1.0, min(1.0, value))


def write_8bit_mono(path, rate, samples):
    data = bytes(int(round(128 + 127 * clamp(s))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(rate)
        w.writeframes(data)


def write_16bit_stereo(path, rate, left, right):
    frames = bytearray()
    for l, r in zip(left, right):
        frames += struct.pack("<hh", int(round(32767 * clamp(l))), int(round(32767 * clamp(r))))
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    write_8bit_mono(os.path.join(out_dir, "rising.wav"), 22050, rising_samples(22050, round(0.73 * 22050)))
    write_8bit_mono(os.path.join(out_dir, "falling.wav"), 22050, falling_samples(22050, round(0.35 * 22050)))
    left, right = target_samples(44100, round(1.65 * 44100))
    write_16bit_stereo(os.path.join(out_dir, "target.wav"), 44100, left, right)


if __name__ == "__main__":
    main()
