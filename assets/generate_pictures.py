#!/usr/bin/env python3
"""Draws the program's pictures and writes them as PNG files (and one .ico).

Only the standard library is used: shapes are sampled several times per pixel
for smooth edges, and the PNG chunks are written with zlib. Run it from any
folder; it writes beside itself:

    python3 assets/generate_pictures.py
"""

import math
import os
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

ICON_SIZES = (16, 20, 24, 30, 32, 36, 40, 48, 60, 64, 128, 256)

UP_RED = (226, 38, 38)
DOWN_GREEN = (22, 168, 74)


def write_png(path, width, height, rows, alpha):
    """rows: list of bytearrays, RGBA (alpha) or RGB, top row first."""
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type None for every row
        raw.extend(row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    colour_type = 6 if alpha else 2
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)
    return data


def render(width, height, shade, samples):
    """shade(x, y) -> (r, g, b, a) with x, y in 0..1 over the picture; returns RGBA rows."""
    rows = []
    n = samples * samples
    for py in range(height):
        row = bytearray()
        for px in range(width):
            r = g = b = a = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / width
                    y = (py + (sy + 0.5) / samples) / height
                    cr, cg, cb, ca = shade(x, y)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            if a > 0:
                row.extend((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row.extend((0, 0, 0, 0))
        rows.append(row)
    return rows


def over(top, bottom):
    """Composites an RGBA colour (alpha 0..1) over another."""
    ta = top[3]
    if ta >= 1.0 or bottom[3] == 0:
        return top if ta > 0 else bottom
    ba = bottom[3] * (1 - ta)
    a = ta + ba
    return tuple((top[i] * ta + bottom[i] * ba) / a for i in range(3)) + (a,)


def segment_distance(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy))


# Candles as (centre x, wick top, body top, body bottom, wick bottom, colour), in badge units 0..1.
CANDLES = (
    (0.30, 0.40, 0.46, 0.66, 0.72, DOWN_GREEN),
    (0.50, 0.30, 0.38, 0.60, 0.68, UP_RED),
    (0.70, 0.20, 0.26, 0.52, 0.60, UP_RED),
)
TREND = ((0.20, 0.74), (0.38, 0.62), (0.56, 0.56), (0.80, 0.30))


def icon_shade(size):
    # Small icons get bolder strokes so that the picture survives at 16 pixels.
    bold = 1.0 if size >= 48 else 1.35
    half_body = 0.065 * bold
    wick = 0.018 * bold
    line = 0.035 * bold

    def shade(x, y):
        d = math.hypot(x - 0.5, y - 0.5)
        if d > 0.48:
            return (0, 0, 0, 0.0)
        if d > 0.445:
            colour = (236, 240, 246, 1.0)  # light rim
        else:
            t = y
            colour = (int(24 + 22 * t), int(52 + 30 * t), int(96 + 44 * t), 1.0)
        for cx, wick_top, body_top, body_bottom, wick_bottom, rgb in CANDLES:
            if abs(x - cx) <= half_body and body_top <= y <= body_bottom:
                colour = rgb + (1.0,)
            elif abs(x - cx) <= wick and wick_top <= y <= wick_bottom:
                colour = rgb + (1.0,)
        dist = min(segment_distance(x, y, *TREND[i], *TREND[i + 1]) for i in range(len(TREND) - 1))
        if dist <= line:
            colour = over((255, 214, 92, 0.95), colour)
        tip_x, tip_y = TREND[-1]
        if math.hypot(x - tip_x, y - tip_y) <= line * 1.9:
            colour = (255, 214, 92, 1.0)
        return colour

    return shade


def value_button_shade(x, y):
    """A small magnifier on a rounded blue button (the value page's "evaluate" button)."""
    rx = min(x, 1 - x)
    ry = min(y, 1 - y)
    corner = 0.18
    if rx < corner and ry < corner and math.hypot(corner - rx, corner - ry) > corner:
        return (0, 0, 0, 0.0)
    colour = (int(60 - 30 * y), int(120 - 40 * y), int(210 - 50 * y), 1.0)
    d = math.hypot(x - 0.43, y - 0.42)
    if 0.17 <= d <= 0.25:
        colour = (255, 255, 255, 1.0)
    if segment_distance(x, y, 0.60, 0.60, 0.78, 0.80) <= 0.06:
        colour = (255, 255, 255, 1.0)
    return colour


def value_page_frame(width, height):
    """The value page's frame: caption bar, blue summary column, white area behind the web view."""
    caption = 34
    column = 106
    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if y < caption:
                t = y / caption
                rgb = (int(36 + 30 * t), int(92 + 30 * t), int(168 + 30 * t))
                if y == caption - 1:
                    rgb = (24, 64, 128)
            elif x < column:
                # Pale enough for the summary's black, red and blue texts to read on it.
                t = (y - caption) / (height - caption)
                rgb = (int(206 + 16 * t), int(224 + 12 * t), int(250 + 4 * t))
                if x == column - 1:
                    rgb = (24, 64, 128)
            else:
                rgb = (255, 255, 255)
            row.extend(rgb)
        rows.append(row)
    return rows


def write_ico(path, images):
    """images: list of (size, png bytes); PNG-compressed entries, as Windows Vista and later read them."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    payload = b""
    for size, png in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(png), offset + len(payload))
        payload += png
    with open(path, "wb") as f:
        f.write(header + entries + payload)


def ticker_close_shade(x, y):
    """The ticker bar's close glyph: a thin grey cross on the bar's light grey ground."""
    # Measured in pixels of the 19 x 20 picture, so that the strokes stay about 1 px thin.
    px, py = x * 19, y * 20
    d = min(segment_distance(px, py, 5.5, 6.0, 13.5, 14.0), segment_distance(px, py, 13.5, 6.0, 5.5, 14.0))
    if d <= 0.6:
        return (112, 112, 112, 1.0)
    return (246, 246, 246, 1.0)

def value_button_variant(lift, dip):
    """The value button when the mouse is over it (lift) or it is pressed (dip)."""

    def shade(x, y):
        colour = value_button_shade(x, y)
        if colour[3] == 0 or colour[:3] == (255, 255, 255):
            return colour
        r, g, b, a = colour
        return (min(255, r + lift) - dip, min(255, g + lift) - dip, min(255, b + lift) - dip, a)

    return shade


def rounded_card(x, y, aspect, radius):
    """True inside a card with rounded corners; x, y in 0..1, aspect = width / height."""
    rx = min(x, 1 - x) * aspect
    ry = min(y, 1 - y)
    if rx < radius and ry < radius:
        return math.hypot(radius - rx, radius - ry) <= radius
    return True


def about_shade(x, y):
    """The about picture: a dark blue card with a rising price line over candles."""
    aspect = 384 / 216
    if not rounded_card(x, y, aspect, 0.08):
        return (0, 0, 0, 0.0)
    colour = (int(22 + 30 * y), int(46 + 40 * y), int(92 + 60 * y), 1.0)
    # Faint grid lines.
    if abs((x * 12) % 1 - 0.5) > 0.48 or abs((y * 6) % 1 - 0.5) > 0.47:
        colour = over((255, 255, 255, 0.10), colour)
    candles = ((0.14, 0.62, 0.80, DOWN_GREEN), (0.26, 0.55, 0.74, UP_RED), (0.38, 0.58, 0.70, DOWN_GREEN),
               (0.50, 0.44, 0.64, UP_RED), (0.62, 0.38, 0.56, UP_RED), (0.74, 0.30, 0.50, UP_RED),
               (0.86, 0.18, 0.40, UP_RED))
    for cx, top, bottom, rgb in candles:
        if abs(x - cx) * aspect <= 0.035 and top <= y <= bottom:
            colour = rgb + (1.0,)
        elif abs(x - cx) * aspect <= 0.008 and top - 0.06 <= y <= bottom + 0.06:
            colour = rgb + (1.0,)
    trend = ((0.08, 0.78), (0.26, 0.62), (0.44, 0.60), (0.62, 0.42), (0.80, 0.30), (0.92, 0.14))
    dist = min(segment_distance(x * aspect, y, trend[i][0] * aspect, trend[i][1], trend[i + 1][0] * aspect,
                                trend[i + 1][1]) for i in range(len(trend) - 1))
    if dist <= 0.018:
        colour = over((255, 214, 92, 0.95), colour)
    return colour


def heart(x, y):
    """The implicit heart curve, centred at (0, 0), about 2 units wide; <= 0 inside."""
    return (x * x + y * y - 1) ** 3 - x * x * y ** 3


def thank_you_shade(x, y):
    """The thank-you picture: a red heart and three gold coins on a warm background."""
    aspect = 371 / 195
    colour = (int(252 - 10 * y), int(240 - 40 * y), int(222 - 60 * y), 1.0)
    hx = (x - 0.5) * aspect / 0.28
    hy = -(y - 0.52) / 0.28
    if heart(hx, hy) <= 0:
        colour = (int(214 + 30 * (1 - y)), 48, 60, 1.0)
    for cx, cy in ((0.16, 0.74), (0.84, 0.30), (0.80, 0.78)):
        d = math.hypot((x - cx) * aspect, y - cy)
        if d <= 0.09:
            colour = (222, 170, 40, 1.0) if d > 0.07 else (246, 204, 80, 1.0)
    return colour


def contact_rows(width, height, modules=29, seed=20240229):
    """A made-up two-dimensional code (not a real one): modules that are tall as drawn
    turn square when the picture is stretched into the panel's square."""
    state = seed

    def next_bit():
        nonlocal state
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        return (state >> 16) & 1

    grid = [[next_bit() for _ in range(modules)] for _ in range(modules)]

    def finder(r0, c0):
        for r in range(7):
            for c in range(7):
                ring = max(abs(r - 3), abs(c - 3))
                grid[r0 + r][c0 + c] = 1 if ring in (0, 1, 3) else 0

    finder(0, 0)
    finder(0, modules - 7)
    finder(modules - 7, 0)
    margin = 2
    total = modules + 2 * margin
    rows = []
    for py in range(height):
        row = bytearray()
        my = py * total // height - margin
        for px in range(width):
            mx = px * total // width - margin
            dark = 0 <= mx < modules and 0 <= my < modules and grid[my][mx]
            row.extend((24, 40, 72) if dark else (255, 255, 255))
        rows.append(row)
    return rows


def rgb_rows(rgba_rows):
    """Drops the alpha of fully opaque RGBA rows."""
    return [bytearray(b for i, b in enumerate(row) if i % 4 != 3) for row in rgba_rows]


def write_value_and_about_pictures(pictures):
    write_png(os.path.join(pictures, "value_button_hover.png"), 20, 21,
              render(20, 21, value_button_variant(36, 0), 4), True)
    write_png(os.path.join(pictures, "value_button_pressed.png"), 20, 21,
              render(20, 21, value_button_variant(0, 24), 4), True)
    write_png(os.path.join(pictures, "about.png"), 384, 216, render(384, 216, about_shade, 2), True)
    write_png(os.path.join(pictures, "thank_you.png"), 371, 195, rgb_rows(render(371, 195, thank_you_shade, 2)),
              False)
    # The contact picture is a JPEG: drawn as a PNG, converted by ImageMagick.
    temporary = os.path.join(pictures, "contact.tmp.png")
    write_png(temporary, 669, 1000, contact_rows(669, 1000), False)
    try:
        subprocess.run(["convert", temporary, "-strip", "-quality", "90", "-sampling-factor", "4:2:0",
                        os.path.join(pictures, "contact.jpg")], check=True)
    finally:
        os.remove(temporary)


def main():
    icons = os.path.join(HERE, "icons")
    pictures = os.path.join(HERE, "pictures")
    os.makedirs(icons, exist_ok=True)
    os.makedirs(pictures, exist_ok=True)

    ico_images = []
    for size in ICON_SIZES:
        samples = 4 if size <= 64 else 3
        rows = render(size, size, icon_shade(size), samples)
        png = write_png(os.path.join(icons, "tavrin_%d.png" % size), size, size, rows, True)
        ico_images.append((size, png))
    write_ico(os.path.join(icons, "tavrin.ico"), ico_images)

    write_png(os.path.join(pictures, "value_button.png"), 20, 21, render(20, 21, value_button_shade, 4), True)
    write_png(os.path.join(pictures, "value_page_frame.png"), 857, 376, value_page_frame(857, 376), False)
    write_png(os.path.join(pictures, "ticker_close.png"), 19, 20, render(19, 20, ticker_close_shade, 4), True)
    write_value_and_about_pictures(pictures)


if __name__ == "__main__":
    main()
