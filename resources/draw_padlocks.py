#!/usr/bin/env python3
"""Draws the two padlock images of the camera settings dialog: 16 x 16 RGBA PNG files, grey
(172, 172, 172) on a transparent background, the closed padlock (shackle shut into the body) and
the open one (shackle swung up and out). Standard library only.

Each pixel is sampled 8 x 8 times; the share of samples inside the shape becomes the alpha, so
the curved edges are smoothed. PNG holds straight (not premultiplied) alpha: the colour stays
the same grey everywhere and only the alpha varies.

Usage: draw_padlocks.py [--out DIR] [--preview DIR]
  --out DIR      where padlock_closed.png and padlock_open.png go (default: this folder)
  --preview DIR  also writes copies enlarged 16 times on a white background, for looking at
"""

import argparse
import os
import struct
import zlib

SIZE = 16
GREY = (172, 172, 172)
SAMPLES = 8

# The body is the same in both images, so the two padlocks of a group swap in place.
BODY = (3.0, 8.0, 13.0, 15.0)  # left, top, right, bottom, on pixel edges
BODY_RADIUS = 1.2
KEYHOLE_CENTRE = (8.0, 10.5)
KEYHOLE_RADIUS = 1.3
KEYHOLE_SLOT = (7.0, 10.5, 9.0, 13.0)
SHACKLE_OUTER = 4.0
SHACKLE_INNER = 2.0


def in_rounded_rect(x, y, rect, radius):
    left, top, right, bottom = rect
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_rect(x, y, rect):
    left, top, right, bottom = rect
    return left <= x <= right and top <= y <= bottom


def in_shackle(x, y, centre_x, centre_y, left_leg_end, right_leg_end):
    """A U of bar width OUTER - INNER: a half ring above centre_y and two legs below it."""
    dx = x - centre_x
    dy = y - centre_y
    if dy <= 0:
        return SHACKLE_INNER ** 2 <= dx * dx + dy * dy <= SHACKLE_OUTER ** 2
    bar = SHACKLE_OUTER - SHACKLE_INNER
    left_leg = -SHACKLE_OUTER <= dx <= -SHACKLE_OUTER + bar and y <= left_leg_end
    right_leg = SHACKLE_OUTER - bar <= dx <= SHACKLE_OUTER and y <= right_leg_end
    return left_leg or right_leg


def in_body(x, y):
    if not in_rounded_rect(x, y, BODY, BODY_RADIUS):
        return False
    keyhole = ((x - KEYHOLE_CENTRE[0]) ** 2 + (y - KEYHOLE_CENTRE[1]) ** 2 <= KEYHOLE_RADIUS ** 2
               or in_rect(x, y, KEYHOLE_SLOT))
    return not keyhole


def closed_padlock(x, y):
    # Both legs run down into the body.
    return in_body(x, y) or in_shackle(x, y, 8.0, 6.0, BODY[1] + 1.0, BODY[1] + 1.0)


def open_padlock(x, y):
    # The shackle is lifted and swung to the right: its left leg still sits in the body, its
    # right leg hangs free beside it.
    return in_body(x, y) or in_shackle(x, y, 12.0, 5.0, BODY[1] + 1.0, 6.5)


def render(shape):
    """Rows of (r, g, b, a) pixels."""
    rows = []
    for row in range(SIZE):
        pixels = []
        for column in range(SIZE):
            inside = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = column + (sx + 0.5) / SAMPLES
                    y = row + (sy + 0.5) / SAMPLES
                    inside += 1 if shape(x, y) else 0
            alpha = round(255 * inside / (SAMPLES * SAMPLES))
            pixels.append((*GREY, alpha))
        rows.append(pixels)
    return rows


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes(rows):
    width = len(rows[0])
    height = len(rows)
    raw = bytearray()
    for pixels in rows:
        raw.append(0)  # filter type None
        for pixel in pixels:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def enlarged_on_white(rows, factor):
    """The image blended over white and scaled up, with a faint grid between the pixels."""
    out = []
    for row in rows:
        blended = []
        for r, g, b, a in row:
            mix = [round((c * a + 255 * (255 - a)) / 255) for c in (r, g, b)]
            blended.append((*mix, 255))
        for line in range(factor):
            out_row = []
            for pixel in blended:
                for column in range(factor):
                    grid = line == 0 or column == 0
                    out_row.append((224, 224, 224, 255) if grid and pixel[0] == 255 else pixel)
            out.append(out_row)
    return out


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--preview")
    args = parser.parse_args()
    for name, shape in (("padlock_closed", closed_padlock), ("padlock_open", open_padlock)):
        rows = render(shape)
        write(os.path.join(args.out, name + ".png"), png_bytes(rows))
        if args.preview:
            write(os.path.join(args.preview, name + "_x16.png"),
                  png_bytes(enlarged_on_white(rows, 16)))


if __name__ == "__main__":
    main()
