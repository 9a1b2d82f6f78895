#!/usr/bin/env python3
"""Draws the pictures the UI library carries and writes them next to this file.

    python3 resources/ui/make_pictures.py           write the outputs
    python3 resources/ui/make_pictures.py --check   compare with the committed ones

Outputs, for each picture NAME:
    NAME.png   the complete PNG file, for viewing
    NAME.inc   the bytes the library embeds, as a C initializer list; strips
               that the library decodes with the add-signature flag are stored
               without the 8-byte PNG signature

Pure Python (zlib only), deterministic: the same script gives the same bytes
with the same zlib. Shapes are anti-aliased by 4 x 4 supersampling and
composed with source-over in straight (non-premultiplied) RGBA.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
PNG_SIGNATURE = bytes([137, 80, 78, 71, 13, 10, 26, 10])
SUPERSAMPLE = 4


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        # Straight RGBA, each channel 0.0 .. 1.0.
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def blend(self, x, y, rgb, alpha):
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        out_a = alpha + p[3] * (1.0 - alpha)
        for i in range(3):
            p[i] = (rgb[i] * alpha + p[i] * p[3] * (1.0 - alpha)) / out_a
        p[3] = out_a

    def shape(self, box, inside, colour, alpha=1.0, clip=None):
        """Fills the points of box (x0, y0, x1, y1) for which inside(x, y)
        holds. colour is an (r, g, b) triple of 0..255 or a function of the
        pixel row y giving one. clip limits the pixels touched."""
        x0, y0, x1, y1 = box
        if clip:
            x0, y0 = max(x0, clip[0]), max(y0, clip[1])
            x1, y1 = min(x1, clip[2]), min(y1, clip[3])
        n = SUPERSAMPLE
        for y in range(int(math.floor(y0)), int(math.ceil(y1))):
            rgb = colour(y) if callable(colour) else colour
            rgb = tuple(c / 255.0 for c in rgb)
            for x in range(int(math.floor(x0)), int(math.ceil(x1))):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if inside(x + (sx + 0.5) / n, y + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    self.blend(x, y, rgb, alpha * hits / (n * n))

    def png(self):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)  # filter: none
            for x in range(self.width):
                p = self.px[y * self.width + x]
                a = int(p[3] * 255.0 + 0.5)
                if a == 0:
                    raw += b"\0\0\0\0"
                else:
                    raw += bytes(int(c * 255.0 + 0.5) for c in p[:3]) + bytes([a])

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (PNG_SIGNATURE + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---- shape predicates -------------------------------------------------------

def rect(x0, y0, x1, y1):
    return (x0, y0, x1, y1), lambda x, y: x0 <= x < x1 and y0 <= y < y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return (x0, y0, x1, y1), inside


def frame(outer, inner):
    """The part of outer not in inner (both (box, inside) pairs)."""
    return outer[0], lambda x, y: outer[1](x, y) and not inner[1](x, y)


def segment(ax, ay, bx, by, width):
    half = width / 2.0
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py <= half * half
    box = (min(ax, bx) - half, min(ay, by) - half, max(ax, bx) + half, max(ay, by) + half)
    return box, inside


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    box = (min(p[0][0] for p in parts), min(p[0][1] for p in parts),
           max(p[0][2] for p in parts), max(p[0][3] for p in parts))
    return box, lambda x, y: any(p[1](x, y) for p in parts)


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    xs, ys = (a[0], b[0], c[0]), (a[1], b[1], c[1])
    return (min(xs), min(ys), max(xs), max(ys)), inside


def ring(cx, cy, r_outer, r_inner):
    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        return r_inner * r_inner <= d <= r_outer * r_outer
    return (cx - r_outer, cy - r_outer, cx + r_outer, cy + r_outer), inside


def union(*shapes):
    box = (min(s[0][0] for s in shapes), min(s[0][1] for s in shapes),
           max(s[0][2] for s in shapes), max(s[0][3] for s in shapes))
    return box, lambda x, y: any(s[1](x, y) for s in shapes)


def vertical(top_rgb, bottom_rgb, y0, y1):
    def colour(y):
        t = 0.0 if y1 <= y0 + 1 else min(1.0, max(0.0, (y - y0) / (y1 - y0 - 1)))
        return tuple(top_rgb[i] + (bottom_rgb[i] - top_rgb[i]) * t for i in range(3))
    return colour


# ---- the system-button glyph strip: 729 x 20 -------------------------------
# Slices are 19 high from y = 2. Close slices are 39 wide at x = 0, 40, 80;
# every other kind has three 28-wide slices 29 apart, from x = 120 for the
# maximize glyph, 207 restore, 294 minimize, 381 menu, 468 drop-down,
# 555 settings ring, 642 collapse. Normal, hot, pressed left to right.
# The strip is 20 rows high, so the slices' last row lies outside it and
# the glyphs are drawn within rows 2 to 19.

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def glyph_shapes(kind, cx, cy):
    if kind == "close":
        return [segment(cx - 4, cy - 4, cx + 4, cy + 4, 1.6), segment(cx - 4, cy + 4, cx + 4, cy - 4, 1.6)]
    if kind == "maximize":
        outer = rect(cx - 5, cy - 4, cx + 5, cy + 5)
        return [frame(outer, rect(cx - 4, cy - 2, cx + 4, cy + 4))]
    if kind == "restore":
        back = frame(rect(cx - 2, cy - 5, cx + 5, cy + 2), rect(cx - 1, cy - 3, cx + 4, cy + 1))
        front_outer = rect(cx - 5, cy - 2, cx + 2, cy + 5)
        front = frame(front_outer, rect(cx - 4, cy, cx + 1, cy + 4))
        # The back window is hidden behind the front one.
        hidden_back = (back[0], lambda x, y: back[1](x, y) and not front_outer[1](x, y))
        return [hidden_back, front]
    if kind == "minimize":
        return [rect(cx - 5, cy + 2, cx + 5, cy + 4)]
    if kind == "menu":
        return [rect(cx - 5, cy - 4 + 4 * i, cx + 5, cy - 3 + 4 * i) for i in range(3)]
    if kind == "dropdown":
        return [triangle((cx - 5, cy - 2), (cx + 5, cy - 2), (cx, cy + 3))]
    if kind == "settings":
        return [ring(cx, cy, 5.0, 2.6)]
    if kind == "collapse":
        return [polyline([(cx - 5, cy + 3), (cx, cy - 2), (cx + 5, cy + 3)], 1.6)]
    raise ValueError(kind)


def draw_sysbutton_slice(canvas, x, width, kind, state):
    top, bottom = 2, 20
    if state != "normal":
        if kind == "close":
            colour = (232, 40, 48) if state == "hot" else (168, 20, 28)
            alpha = 0.92
        else:
            colour = WHITE if state == "hot" else BLACK
            alpha = 0.28 if state == "hot" else 0.22
        box, inside = round_rect(x, top, x + width, bottom, 2.0)
        canvas.shape(box, inside, colour, alpha)
    cx = x + width / 2.0
    cy = (top + bottom) / 2.0
    clip = (x, top, x + width, bottom)
    for box, inside in glyph_shapes(kind, cx, cy + 1):
        canvas.shape(box, inside, BLACK, 0.35, clip)  # one-pixel shadow below
    for box, inside in glyph_shapes(kind, cx, cy):
        canvas.shape(box, inside, WHITE, 0.95, clip)


def sysbutton_glyphs():
    canvas = Canvas(729, 20)
    states = ("normal", "hot", "pressed")
    for i, state in enumerate(states):
        draw_sysbutton_slice(canvas, 40 * i, 39, "close", state)
    kinds = ("maximize", "restore", "minimize", "menu", "dropdown", "settings", "collapse")
    for k, kind in enumerate(kinds):
        for i, state in enumerate(states):
            draw_sysbutton_slice(canvas, 120 + 87 * k + 29 * i, 28, kind, state)
    return canvas


# ---- the dialog-button skin: 55 x 28 ---------------------------------------
# Four 13 x 28 slices at x = 0, 14, 28, 42 (normal, hot, pressed, disabled),
# drawn as nine-grids around the centre (5, 5, 3, 15): the rounded corners
# lie inside the 5-pixel corner pieces, so any stretch keeps them round.

def dialog_button():
    canvas = Canvas(55, 28)
    looks = [
        # border, face top, face bottom, inner highlight alpha
        ((112, 112, 112), (252, 252, 252), (221, 221, 221), 0.8),
        ((60, 127, 177), (234, 246, 253), (190, 230, 253), 0.8),
        ((44, 98, 139), (197, 223, 241), (152, 201, 235), 0.0),
        ((173, 178, 181), (244, 244, 244), (244, 244, 244), 0.0),
    ]
    for i, (border, face_top, face_bottom, highlight) in enumerate(looks):
        x = 14 * i
        outer = round_rect(x, 0, x + 13, 28, 3.0)
        inner = round_rect(x + 1, 1, x + 12, 27, 2.0)
        canvas.shape(inner[0], inner[1], vertical(face_top, face_bottom, 1, 27))
        if highlight:
            shine = frame(inner, round_rect(x + 2, 2, x + 11, 26, 1.5))
            canvas.shape(shine[0], shine[1], WHITE, highlight)
        edge = frame(outer, inner)
        canvas.shape(edge[0], edge[1], border)
    return canvas


# ---- the check-box strip: 68 x 17 ------------------------------------------
# Four 17 x 17 slices side by side: unchecked, unchecked hot, checked,
# checked hot. The box is 13 x 13 at (2, 2) of each slice.

def check_box():
    canvas = Canvas(68, 17)
    for i in range(4):
        x = 17 * i
        hot = i in (1, 3)
        checked = i >= 2
        border = (51, 153, 255) if hot else (142, 143, 143)
        face_top = (222, 240, 255) if hot else (244, 244, 244)
        face_bottom = (255, 255, 255)
        outer = round_rect(x + 2, 2, x + 15, 15, 1.5)
        inner = rect(x + 3, 3, x + 14, 14)
        canvas.shape(inner[0], inner[1], vertical(face_top, face_bottom, 3, 14))
        edge = frame(outer, inner)
        canvas.shape(edge[0], edge[1], border)
        if checked:
            mark = polyline([(x + 5.0, 8.5), (x + 7.5, 11.0), (x + 12.0, 5.5)], 2.0)
            canvas.shape(mark[0], mark[1], (33, 33, 33) if not hot else (0, 84, 166))
    return canvas


# name, drawing, stored without the PNG signature
PICTURES = [
    ("sysbutton_glyphs", sysbutton_glyphs, True),
    ("dialog_button", dialog_button, False),
    ("check_box", check_box, True),
]


def initializer(data):
    lines = []
    for i in range(0, len(data), 16):
        lines.append(", ".join("0x%02X" % b for b in data[i:i + 16]) + ",")
    return "\n".join(lines) + "\n"


def outputs():
    for name, draw, without_signature in PICTURES:
        png = draw().png()
        embedded = png[len(PNG_SIGNATURE):] if without_signature else png
        yield name + ".png", png
        yield name + ".inc", initializer(embedded).encode("ascii")


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    for file_name, data in outputs():
        path = os.path.join(HERE, file_name)
        if check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(file_name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("differs from the drawing: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
