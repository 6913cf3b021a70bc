#!/usr/bin/env python3
"""Draws the eight rose-petal pictures of the Lumeve library and its tray icon.

Only the standard library is used: every pixel is sampled several times for
smooth edges, and the PNG chunks (8-bit RGBA, not interlaced) are written with
zlib. The output is committed, so a build needs no Python. Run it from any
folder; it writes into pictures/ beside itself:

    python3 petals/generate_petals.py
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

CRIMSON = ((150, 10, 34), (214, 36, 62), (246, 118, 136))
SCARLET = ((160, 18, 24), (226, 52, 58), (250, 140, 140))
ROSE = ((176, 40, 92), (232, 96, 142), (252, 184, 206))
BLUSH = ((196, 74, 118), (244, 146, 178), (255, 214, 226))
PALE = ((204, 98, 134), (248, 172, 196), (255, 230, 238))

# width, height, palette, tilt of the petal axis (degrees, 0 = tip up), bend, cup depth, seed.
# The sizes are fixed: the library draws each picture at exactly its own size.
PETALS = (
    (133, 81, CRIMSON, 74.0, 0.10, 0.30, 1),
    (119, 66, BLUSH, -68.0, -0.12, 0.25, 2),
    (150, 218, SCARLET, 8.0, 0.08, 0.35, 3),
    (150, 218, ROSE, -12.0, -0.10, 0.30, 4),
    (150, 218, CRIMSON, 178.0, 0.06, 0.40, 5),
    (153, 214, PALE, 16.0, 0.12, 0.28, 6),
    (206, 172, ROSE, 52.0, -0.14, 0.34, 7),
    (96, 103, SCARLET, -36.0, 0.10, 0.30, 8),
)


def write_png(path, width, height, rows):
    """rows: bytearrays of RGBA, top row first."""
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type None
        raw.extend(row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    # bit depth 8, colour type 6 (RGBA), compression 0, filter 0, interlace 0
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def smoothstep(a, b, x):
    if x <= a:
        return 0.0
    if x >= b:
        return 1.0
    t = (x - a) / (b - a)
    return t * t * (3 - 2 * t)


def mix(c1, c2, t):
    return tuple(c1[i] + (c2[i] - c1[i]) * t for i in range(3))


class Petal:
    """A rose petal in its own frame: s runs from the base (0) to the rim (1),
    t across it (-1 .. 1 at the widest point)."""

    def __init__(self, palette, bend, cup, seed):
        self.palette = palette
        self.bend = bend
        self.cup = cup
        self.phase = seed * 1.7
        self.ripple = 0.025 + 0.01 * (seed % 3)

    def half_width(self, s):
        if s <= 0.0:
            return 0.0
        # Narrow claw at the base, broad rounded blade towards the rim.
        blade = math.sin(math.pi * min(1.0, s / 1.08) * 0.5 + 0.0) ** 0.5
        claw = smoothstep(0.0, 0.45, s) * 0.75 + 0.25
        round_top = math.sqrt(max(0.0, 1.0 - ((s - 0.62) / 0.52) ** 2)) if s > 0.62 else 1.0
        return blade * claw * round_top * (1.0 + self.ripple * math.sin(9.0 * s + self.phase))

    def rim(self, t):
        # The rim dips a little in the middle, as a rose petal's does.
        return 1.0 - 0.045 * math.exp(-((t / 0.34) ** 2))

    def axis_offset(self, s):
        return self.bend * s * s

    def sample(self, s, t):
        """Colour (r, g, b) and inside depth in petal units, or None outside."""
        t = t - self.axis_offset(s)
        hw = self.half_width(s)
        top = self.rim(t / max(hw, 1e-6))
        if s <= 0.0 or s >= top or hw <= 0.0 or abs(t) >= hw:
            return None
        across = abs(t) / hw
        inside = min((1.0 - across) * hw, top - s, s * 0.6)
        dark, mid, light = self.palette
        # Deeper colour at the base, lighter towards the rim.
        along = smoothstep(0.0, 1.0, s)
        colour = mix(dark, mid, along / 0.55) if along < 0.55 else mix(mid, light, (along - 0.55) / 0.45 * 0.6)
        # A cupped petal: lit in the middle, shaded towards its sides.
        shade = 1.0 - self.cup * across ** 2.2
        # Faint veins fanning out from the base.
        fan = math.atan2(t, s + 0.25)
        vein = 0.028 * math.cos(30.0 * fan + 2.0 * math.sin(5.0 * fan + self.phase))
        vein *= smoothstep(0.15, 0.6, s) * (1 - across) * (0.6 + 0.4 * math.sin(11.0 * s + self.phase))
        # A light band just inside the rim where the petal rolls back.
        roll = 0.22 * math.exp(-(((top - s) - 0.05) / 0.035) ** 2)
        r, g, b = colour
        f = max(0.0, shade + vein)
        r, g, b = r * f, g * f, b * f
        r, g, b = mix((r, g, b), (255, 236, 240), roll)
        return (min(255.0, r), min(255.0, g), min(255.0, b)), inside


def petal_frame(width, height, petal, tilt):
    """Length, half width and centre of the petal in picture pixels, so that it fills the picture."""
    a = math.radians(tilt)
    ca, sa = math.cos(a), math.sin(a)
    outline = []
    for i in range(121):
        s = i / 120
        hw = petal.half_width(s)
        off = petal.axis_offset(s)
        for t in (off - hw, off + hw):
            outline.append((s, t))
    outline.append((1.0, petal.axis_offset(1.0)))

    def extent(length, half):
        xs, ys = [], []
        for s, t in outline:
            # petal frame: s up the axis, t to the right; picture y grows downwards
            ax, ay = t * half, -s * length
            xs.append(ax * ca - ay * sa)
            ys.append(ax * sa + ay * ca)
        return min(xs), max(xs), min(ys), max(ys)

    best = None
    for k in range(40, 91):
        ratio = k / 100.0  # half width over length
        x0, x1, y0, y1 = extent(1.0, ratio)
        scale = min((width - 4) / (x1 - x0), (height - 4) / (y1 - y0))
        area = scale * scale * ratio
        if best is None or area > best[0]:
            best = (area, scale, ratio, x0, x1, y0, y1)
    _, scale, ratio, x0, x1, y0, y1 = best
    cx = width / 2 - scale * (x0 + x1) / 2
    cy = height / 2 - scale * (y0 + y1) / 2
    return scale, scale * ratio, cx, cy, ca, sa


def render_petal(width, height, palette, tilt, bend, cup, seed, samples=3):
    petal = Petal(palette, bend, cup, seed)
    length, half, cx, cy, ca, sa = petal_frame(width, height, petal, tilt)
    edge = 2.6 / length  # soft alpha fringe, in petal units
    rows = []
    n = samples * samples
    for py in range(height):
        row = bytearray()
        for px in range(width):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples - cx
                    y = py + (sy + 0.5) / samples - cy
                    # back into the petal frame (inverse of the rotation in petal_frame)
                    ax = x * ca + y * sa
                    ay = -x * sa + y * ca
                    hit = petal.sample(-ay / length, ax / half)
                    if hit is None:
                        continue
                    (cr, cg, cb), inside = hit
                    alpha = 0.62 + 0.34 * smoothstep(0.0, edge, inside)
                    r += cr * alpha
                    g += cg * alpha
                    b += cb * alpha
                    a += alpha
            if a > 0:
                row.extend((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.extend((0, 0, 0, 0))
        rows.append(row)
    return rows


def main():
    out = os.path.join(HERE, "pictures")
    os.makedirs(out, exist_ok=True)
    for number, (width, height, palette, tilt, bend, cup, seed) in enumerate(PETALS, 1):
        rows = render_petal(width, height, palette, tilt, bend, cup, seed)
        write_png(os.path.join(out, "petal_%d.png" % number), width, height, rows)
    write_png(os.path.join(out, "tray_icon.png"), 16, 16, render_petal(16, 16, CRIMSON, 20.0, 0.1, 0.3, 1, 5))


if __name__ == "__main__":
    main()
