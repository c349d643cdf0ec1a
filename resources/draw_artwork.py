#!/usr/bin/env python3
"""Draws Tarnwick's artwork: the eight toolbar images, the editor's five 16 x 16 context-menu
pictures, the results list's file type pictures (16 and 32 pixels), the program icon in several sizes and the About box logo (a PNG source and the GIF
the form shows).

Every picture is described here as filled and outlined shapes given by signed distance
functions, rasterised with one-pixel anti-aliasing. The program needs only the Python standard
library; PNG (zlib) and GIF (LZW) are written by hand. Run it from anywhere:

    python3 resources/draw_artwork.py

and commit the files it writes; the build uses those and never runs this script.
"""

import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# --------------------------------------------------------------------------- shapes


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def rect(x0, y0, x1, y1, r=0.0):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def _segment_distance(x, y, ax, ay, bx, by):
    px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
    length2 = vx * vx + vy * vy
    t = 0.0 if length2 == 0 else clamp((px * vx + py * vy) / length2)
    return math.hypot(px - vx * t, py - vy * t)


def segment(ax, ay, bx, by, w):
    return lambda x, y: _segment_distance(x, y, ax, ay, bx, by) - w / 2


def polyline(points, w):
    pairs = list(zip(points, points[1:]))

    def d(x, y):
        return min(_segment_distance(x, y, a[0], a[1], b[0], b[1]) for a, b in pairs) - w / 2
    return d


def polygon(points, r=0.0):
    """Signed distance to a closed polygon; r > 0 grows it with rounded corners."""
    n = len(points)

    def d(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return (-best if inside else best) - r
    return d


def arc(cx, cy, r, w, start, end):
    """A stroke along a circle from angle `start` to `end` (degrees, y pointing down)."""
    a0, a1 = math.radians(start), math.radians(end)
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (a0, a1)]
    span = (a1 - a0) % (2 * math.pi)

    def d(x, y):
        angle = (math.atan2(y - cy, x - cx) - a0) % (2 * math.pi)
        if angle <= span:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - w / 2
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def inset(shape, amount):
    return lambda x, y: shape(x, y) + amount


def along(ax, ay, bx, by, width, back=0.0, front=0.0):
    """The four corners of a bar of `width` around the line a-b, stretched past its ends."""
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    nx, ny = -uy * width / 2, ux * width / 2
    sx, sy = ax - ux * back, ay - uy * back
    ex, ey = bx + ux * front, by + uy * front
    return [(sx + nx, sy + ny), (ex + nx, ey + ny), (ex - nx, ey - ny), (sx - nx, sy - ny)]


# --------------------------------------------------------------------------- paints


def hex_color(text, alpha=1.0):
    text = text.lstrip("#")
    return (int(text[0:2], 16) / 255, int(text[2:4], 16) / 255, int(text[4:6], 16) / 255, alpha)


def vertical(top, bottom, y0, y1):
    c0, c1 = hex_color(top), hex_color(bottom)

    def paint(x, y):
        t = clamp((y - y0) / (y1 - y0)) if y1 != y0 else 0.0
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return paint


# --------------------------------------------------------------------------- canvas


class Canvas:
    """RGBA pixels (straight alpha, 0..1) drawn in design units of `scale` pixels each."""

    def __init__(self, width, height, scale=1.0, background=None):
        self.width, self.height, self.scale = width, height, scale
        fill = background if background is not None else (0.0, 0.0, 0.0, 0.0)
        self.pixels = [list(fill) for _ in range(width * height)]

    def paint(self, shape, color, opacity=1.0):
        k = self.scale
        for py in range(self.height):
            uy = (py + 0.5) / k
            row = py * self.width
            for px in range(self.width):
                ux = (px + 0.5) / k
                coverage = clamp(0.5 - shape(ux, uy) * k)
                if coverage <= 0.0:
                    continue
                c = color(ux, uy) if callable(color) else color
                self._blend(row + px, c, coverage * opacity * c[3])

    def _blend(self, index, c, a):
        dst = self.pixels[index]
        out_a = a + dst[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            dst[i] = (c[i] * a + dst[i] * dst[3] * (1 - a)) / out_a
        dst[3] = out_a

    def figure(self, shape, fill, outline=None, width=1.0):
        """Fills `shape` and draws its outline inside its edge, at least one pixel wide."""
        self.paint(shape, fill)
        if outline is not None:
            w = max(width, 1.0 / self.scale)
            self.paint(lambda x, y: abs(shape(x, y) + w / 2) - w / 2, hex_color(outline))

    def rgba_bytes(self):
        out = bytearray()
        for r, g, b, a in self.pixels:
            out += bytes((round(r * 255), round(g * 255), round(b * 255), round(a * 255)))
        return bytes(out)


# --------------------------------------------------------------------------- file formats


def write_png(path, canvas):
    raw = bytearray()
    data = canvas.rgba_bytes()
    stride = canvas.width * 4
    for y in range(canvas.height):
        raw.append(0)  # no filter
        raw += data[y * stride:(y + 1) * stride]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def median_cut(colors, count):
    """A palette of at most `count` colours for the (r, g, b) -> frequency map `colors`."""
    boxes = [list(colors.items())]
    while len(boxes) < count:
        best, best_range, channel = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                values = [c[0][ch] for c in box]
                spread = max(values) - min(values)
                if spread > best_range:
                    best, best_range, channel = i, spread, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda c: c[0][channel])
        total = sum(n for _, n in box)
        half, running, cut = total / 2, 0, 1
        for j, (_, n) in enumerate(box):
            running += n
            if running >= half:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[ch] * n for c, n in box) / total) for ch in range(3)))
    return palette


def lzw_encode(indices, min_code_size=8):
    clear, stop = 1 << min_code_size, (1 << min_code_size) + 1
    out, bit_buffer, bit_count = bytearray(), 0, 0

    def emit(code, size):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table, next_code, size = fresh_table(), stop + 1, min_code_size + 1
    emit(clear, size)
    current = ()
    for index in indices:
        candidate = current + (index,)
        if candidate in table:
            current = candidate
            continue
        emit(table[current], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = fresh_table(), stop + 1, min_code_size + 1
        current = (index,)
    if current:
        emit(table[current], size)
    emit(stop, size)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


# Edge pixels of a GIF are blended over this colour, near the window colour of common styles;
# pixels less covered than TRANSPARENT_BELOW become the transparent index.
GIF_MATTE = (0xEF, 0xEF, 0xEF)
TRANSPARENT_BELOW = 0.25


def write_gif(path, canvas):
    def opaque(p):
        return tuple(round((v * p[3] + m / 255 * (1 - p[3])) * 255) for v, m in zip(p, GIF_MATTE))
    clear = [p[3] < TRANSPARENT_BELOW for p in canvas.pixels]
    pixels = [opaque(p) for p, gone in zip(canvas.pixels, clear) if not gone]
    frequency = {}
    for p in pixels:
        frequency[p] = frequency.get(p, 0) + 1
    palette = median_cut(frequency, 255)  # the last index stays free for transparency
    transparent = len(palette)
    nearest = {}
    for color in frequency:
        nearest[color] = min(range(len(palette)), key=lambda i: sum(
            (a - b) ** 2 for a, b in zip(color, palette[i])))
    colors = iter(pixels)
    indices = [transparent if gone else nearest[next(colors)] for gone in clear]
    table = b"".join(bytes(c) for c in palette) + bytes(GIF_MATTE) * (256 - len(palette))
    # Graphic control extension: no disposal, transparent colour flag set.
    control = b"!\xf9\x04\x01\x00\x00" + bytes((transparent,)) + b"\x00"
    data = lzw_encode(indices)
    blocks = b"".join(bytes((len(data[i:i + 255]),)) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    with open(path, "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", canvas.width, canvas.height, 0xF7, 0, 0))
        f.write(table + control)
        f.write(b"," + struct.pack("<HHHHB", 0, 0, canvas.width, canvas.height, 0))
        f.write(b"\x08" + blocks + b"\x00;")


# --------------------------------------------------------------------------- palette

PAPER = vertical("#FFFFFF", "#E9EEF4", 4, 44)
PAPER_EDGE = "#6F8296"
TEXT_LINE = hex_color("#A7B6C6")
FOLDER_BACK = vertical("#E9A93F", "#D08C24", 10, 40)
FOLDER_FRONT = vertical("#FFD879", "#F2B43E", 20, 40)
FOLDER_EDGE = "#9A6116"
BLUE = vertical("#4C9BE8", "#2366B5", 4, 44)
BLUE_EDGE = "#1B4F8C"
METAL = vertical("#E4EAF0", "#AEB9C5", 4, 44)
METAL_EDGE = "#5F6E7D"
WHITE = hex_color("#FFFFFF")
INK = hex_color("#2B3A4A")
EDGE = 1.4  # outline width in design units of a 48-unit image


def page_with_corner(c, x0, y0, x1, y1, fold=8, lines=True, fill=PAPER):
    body = polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], 0.6)
    c.figure(body, fill, PAPER_EDGE, EDGE)
    flap = polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], 0.3)
    c.figure(flap, hex_color("#D5DEE8"), PAPER_EDGE, EDGE * 0.8)
    if lines:
        y = y0 + fold + 4.5
        while y < y1 - 4:
            c.paint(segment(x0 + 4.5, y, x1 - 4.5, y, 1.8), TEXT_LINE)
            y += 5


# --------------------------------------------------------------------------- toolbar images


def draw_open_folder(c):
    back = union(rect(5, 13, 41, 40, 2.2), rect(5, 10, 20, 18, 2.2))
    c.figure(back, FOLDER_BACK, FOLDER_EDGE, EDGE)
    c.figure(rect(9, 16, 37, 34, 0.8), PAPER, PAPER_EDGE, EDGE * 0.8)
    c.paint(segment(13, 21, 30, 21, 1.6), TEXT_LINE)
    front = polygon([(11, 23), (45, 23), (39.5, 40), (4.5, 40)], 1.0)
    c.figure(front, FOLDER_FRONT, FOLDER_EDGE, EDGE)


def draw_open_file(c):
    page_with_corner(c, 8, 4, 35, 44)
    c.figure(circle(35, 35, 10), BLUE, BLUE_EDGE, EDGE)
    c.paint(segment(30.5, 39.5, 38.5, 31.5, 2.8), WHITE)
    c.paint(polyline([(33, 31), (39, 31), (39, 37)], 2.8), WHITE)


def draw_save_as(c):
    disk = polygon([(6, 5), (37, 5), (42, 10), (42, 42), (6, 42)], 2.0)
    c.figure(disk, BLUE, BLUE_EDGE, EDGE)
    c.figure(rect(13, 3, 33, 17, 1.0), METAL, METAL_EDGE, EDGE)
    c.paint(rect(26.5, 6, 30, 14, 0.6), hex_color("#4A5766"))
    c.figure(rect(10.5, 23, 37.5, 42, 1.4), PAPER, "#8FA2B6", EDGE * 0.8)
    for y in (28.5, 33.5):
        c.paint(segment(15, y, 33, y, 1.8), TEXT_LINE)
    # A pencil lying across the lower right corner: "under a new name".
    ax, ay, bx, by = 30.0, 41.0, 44.5, 26.5
    body = polygon(along(ax, ay, bx, by, 6.2), 0.3)
    c.figure(body, vertical("#FFD45C", "#E9A92C", 26, 44), "#9A6A12", EDGE)
    c.figure(polygon(along(bx - 2.6, by + 2.6, bx, by, 6.2), 0.3), hex_color("#E8879A"),
             "#9C4B5A", EDGE)
    c.paint(segment(bx - 3.1, by + 0.1, bx - 0.1, by + 3.1, 1.2), hex_color("#7C8A99"))
    tip = polygon([(ax - 2.2, ay - 2.2), (ax + 2.2, ay + 2.2), (ax - 4.2, ay + 4.2)], 0.3)
    c.figure(tip, hex_color("#F4DDB1"), "#9A6A12", EDGE * 0.8)
    c.paint(polygon([(ax - 3.0, ay + 1.6), (ax - 1.6, ay + 3.0), (ax - 4.3, ay + 4.3)]), INK)


def draw_copy(c):
    page_with_corner(c, 5, 3, 30, 35, fold=7, lines=False,
                     fill=vertical("#F4F7FA", "#DCE3EB", 3, 35))
    page_with_corner(c, 17, 12, 43, 45, fold=8)


def draw_cut(c):
    px, py = 24.0, 23.0
    blade_fill = vertical("#F1F4F7", "#A7B3BF", 4, 30)
    for sign in (-1, 1):
        tip = (24 + sign * 9.5, 3.5)
        heel = (24 - sign * 6.5, 31.5)
        length = math.hypot(tip[0] - heel[0], tip[1] - heel[1])
        ux, uy = (tip[0] - heel[0]) / length, (tip[1] - heel[1]) / length
        nx, ny = -uy * sign, ux * sign
        blade = polygon([(heel[0] + nx * 3.2, heel[1] + ny * 3.2),
                         (px + nx * 3.8, py + ny * 3.8),
                         (tip[0] + nx * 0.4, tip[1] + ny * 0.4),
                         (tip[0] - nx * 0.5, tip[1] - ny * 0.5),
                         (heel[0] - nx * 1.4, heel[1] - ny * 1.4)], 0.4)
        c.figure(blade, blade_fill, METAL_EDGE, EDGE)
    handle_fill = vertical("#F0625D", "#C0332F", 28, 46)
    for hx in (14.5, 33.5):
        ring = subtract(circle(hx, 37.5, 7.8), circle(hx, 37.5, 4.2))
        c.figure(ring, handle_fill, "#8A1F1C", EDGE)
    c.figure(circle(px, py, 2.3), METAL, METAL_EDGE, EDGE)
    c.paint(circle(px, py, 0.8), INK)


def draw_paste(c):
    board = rect(7, 7, 41, 45, 3.0)
    c.figure(board, vertical("#C99159", "#9E6936", 7, 45), "#6B4522", EDGE)
    c.figure(rect(12, 13, 36, 41, 1.0), PAPER, PAPER_EDGE, EDGE * 0.8)
    for y in (20, 25, 30, 35):
        c.paint(segment(16, y, 32, y, 1.8), TEXT_LINE)
    clip = union(rect(15, 4, 33, 12, 2.0), rect(19.5, 1.5, 28.5, 7, 2.5))
    c.figure(clip, METAL, METAL_EDGE, EDGE)
    c.paint(circle(24, 4.3, 1.3), hex_color("#5F6E7D"))


def draw_find_replace(c):
    page_with_corner(c, 4, 4, 30, 42, fold=7)
    green, orange = hex_color("#2E9E55"), hex_color("#E07B22")
    c.paint(segment(32, 7, 43, 7, 2.6), green)
    c.paint(polyline([(39.5, 3.5), (43.5, 7), (39.5, 10.5)], 2.6), green)
    c.paint(segment(33, 14.5, 44, 14.5, 2.6), orange)
    c.paint(polyline([(36.5, 11), (32.5, 14.5), (36.5, 18)], 2.6), orange)
    c.paint(segment(35.5, 35.5, 44, 44, 5.4), hex_color("#3A4856"))
    c.paint(segment(35.5, 35.5, 44, 44, 2.6), hex_color("#6A7B8C"))
    c.paint(circle(28, 28, 8.2), hex_color("#BFE0FF", 0.55))
    c.paint(arc(28, 28, 6.2, 1.6, 200, 260), hex_color("#FFFFFF", 0.9))
    c.figure(subtract(circle(28, 28, 10.6), circle(28, 28, 7.4)),
             vertical("#5A6C7E", "#2F3D4B", 17, 39), "#1F2933", EDGE * 0.8)


def draw_about(c):
    c.figure(circle(24, 24, 20), BLUE, BLUE_EDGE, EDGE)
    c.paint(arc(24, 24, 16.5, 2.0, 200, 255), hex_color("#FFFFFF", 0.35))
    c.paint(circle(24, 13.5, 3.2), WHITE)
    c.paint(union(rect(21, 19.5, 27, 35.5, 1.4), rect(18.5, 32, 29.5, 36, 1.4),
                  rect(18.5, 19.5, 25, 23, 1.2)), WHITE)


TOOLBAR = [
    ("open-folder", draw_open_folder),
    ("open-file", draw_open_file),
    ("save-as", draw_save_as),
    ("copy", draw_copy),
    ("cut", draw_cut),
    ("paste", draw_paste),
    ("find-replace", draw_find_replace),
    ("about", draw_about),
]

# --------------------------------------------------------------------------- menu pictures


def draw_undo(c, mirror=False):
    """A curved arrow turning back to the left (to the right when mirrored)."""
    def m(x):
        return 48 - x if mirror else x
    fill = vertical("#4C9BE8", "#2366B5", 8, 40)
    bend = arc(22, 28, 13, 7.0, 90, 270) if mirror else arc(26, 28, 13, 7.0, 270, 90)
    c.paint(union(bend, segment(m(16), 15, m(26), 15, 7.0)), fill)
    c.figure(polygon([(m(4), 15), (m(18), 3), (m(18), 27)], 0.6), fill, BLUE_EDGE, EDGE * 0.6)


def draw_redo(c):
    draw_undo(c, mirror=True)


# The editor's picture list, in its order.
MENU = [
    ("cut", draw_cut),
    ("copy", draw_copy),
    ("paste", draw_paste),
    ("undo", draw_undo),
    ("redo", draw_redo),
]

# --------------------------------------------------------------------------- file type pictures
# The results list's last resort when no icon theme on the desktop has a type's icon: one
# picture per kind of file, told apart by what the page shows.


def draw_type_folder(c):
    back = union(rect(4, 10, 44, 40, 2.6), rect(4, 7, 20, 15, 2.6))
    c.figure(back, FOLDER_BACK, FOLDER_EDGE, EDGE * 2)
    c.figure(rect(4, 16, 44, 40, 2.6), FOLDER_FRONT, FOLDER_EDGE, EDGE * 2)


def draw_type_file(c):
    page_with_corner(c, 9, 3, 39, 45, fold=11, lines=False)


def draw_type_text(c):
    page_with_corner(c, 9, 3, 39, 45, fold=11, lines=False)
    for y in (19, 26, 33, 40):
        c.paint(segment(14, y, 34, y, 3.0), INK)


def draw_type_image(c):
    page_with_corner(c, 9, 3, 39, 45, fold=11, lines=False)
    c.paint(circle(30, 21, 4.5), hex_color("#F0AE3C"))
    c.paint(polygon([(12, 41), (22, 25), (30, 35), (33, 31), (36, 41)], 0.5), hex_color("#3C9A4E"))


def draw_type_audio(c):
    page_with_corner(c, 9, 3, 39, 45, fold=11, lines=False)
    c.paint(circle(19, 36, 5.0), hex_color("#7A3DB8"))
    c.paint(segment(23, 36, 23, 15, 3.0), hex_color("#7A3DB8"))
    c.paint(segment(23, 16, 31, 21, 3.0), hex_color("#7A3DB8"))


def draw_type_video(c):
    page_with_corner(c, 9, 3, 39, 45, fold=11, lines=False)
    c.paint(polygon([(17, 18), (33, 28), (17, 38)], 1.0), hex_color("#C0392B"))


def draw_type_package(c):
    box = rect(5, 12, 43, 42, 1.5)
    c.figure(box, vertical("#C8924E", "#9C6A2C", 12, 42), "#6B4518", EDGE * 2)
    c.paint(rect(5, 12, 43, 19, 1.0), hex_color("#B07A38"))
    c.paint(rect(20, 12, 28, 42), hex_color("#F2DDB0"))


def draw_type_program(c):
    window = rect(4, 8, 44, 40, 2.0)
    c.figure(window, WHITE, BLUE_EDGE, EDGE * 2)
    c.paint(rect(4, 8, 44, 17, 2.0), BLUE)
    c.paint(polyline([(13, 25), (19, 29), (13, 33)], 3.0), INK)
    c.paint(segment(22, 34, 32, 34, 3.0), INK)


# The results list's pictures, by the kind of file (resources/types/<kind>.png).
TYPES = [
    ("folder", draw_type_folder),
    ("file", draw_type_file),
    ("text", draw_type_text),
    ("image", draw_type_image),
    ("audio", draw_type_audio),
    ("video", draw_type_video),
    ("package", draw_type_package),
    ("program", draw_type_program),
]
TYPE_SIZES = [16, 32]

# --------------------------------------------------------------------------- program icon


def draw_program_icon(c):
    back = union(rect(3, 9, 41, 39, 2.6), rect(3, 6, 19, 14, 2.6))
    c.figure(back, FOLDER_BACK, FOLDER_EDGE, EDGE)
    c.figure(rect(7, 13, 37, 30, 0.8), PAPER, PAPER_EDGE, EDGE * 0.8)
    c.figure(rect(3, 17, 41, 39, 2.6), FOLDER_FRONT, FOLDER_EDGE, EDGE)
    c.paint(segment(36.5, 36.5, 44.5, 44.5, 6.4), hex_color("#1F2933"))
    c.paint(segment(36.5, 36.5, 44.5, 44.5, 3.4), hex_color("#5A6C7E"))
    c.paint(circle(29, 29, 9.5), hex_color("#D8ECFF", 0.8))
    c.paint(arc(29, 29, 7.0, 1.8, 200, 260), hex_color("#FFFFFF", 0.95))
    c.figure(subtract(circle(29, 29, 12.5), circle(29, 29, 9.0)),
             vertical("#4C9BE8", "#1D5A9C", 16, 42), BLUE_EDGE, EDGE * 0.8)


ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]

# --------------------------------------------------------------------------- logo

LOGO_WIDTH, LOGO_HEIGHT = 249, 77
STROKE = 5.0
BASE, X_TOP, ASCENT = 50.0, 28.0, 14.0  # baseline, x-height line, ascender line
BOWL = (BASE - X_TOP) / 2 - STROKE / 2   # radius of the round letters' centre line
MID = (BASE + X_TOP) / 2
H = STROKE / 2


def glyph_T(x):
    return 22, [segment(x + H, ASCENT + H, x + 22 - H, ASCENT + H, STROKE),
                segment(x + 11, ASCENT + H, x + 11, BASE - H, STROKE)]


def glyph_a(x):
    ring = circle(x + 11 - H + 0.5, MID, BOWL)
    return 22, [lambda px, py: abs(ring(px, py)) - STROKE / 2,
                segment(x + 22 - H, X_TOP + H, x + 22 - H, BASE - H, STROKE)]


def glyph_r(x):
    return 15, [segment(x + H, X_TOP + H, x + H, BASE - H, STROKE),
                arc(x + H + BOWL, MID, BOWL, STROKE, 180, 295)]


def glyph_n(x):
    return 22, [segment(x + H, X_TOP + H, x + H, BASE - H, STROKE),
                arc(x + 11, MID, 11 - H, STROKE, 180, 360),
                segment(x + 22 - H, MID, x + 22 - H, BASE - H, STROKE)]


def glyph_w(x):
    return 31, [polyline([(x + H, X_TOP + H), (x + 8.5, BASE - H), (x + 15.5, X_TOP + 5),
                          (x + 22.5, BASE - H), (x + 31 - H, X_TOP + H)], STROKE)]


def glyph_i(x):
    return 5, [segment(x + H, X_TOP + H, x + H, BASE - H, STROKE),
               circle(x + H, ASCENT + 5, 3.1)]


def glyph_c(x):
    return 20, [arc(x + 11, MID, BOWL, STROKE, 45, 315)]


def glyph_k(x):
    return 19, [segment(x + H, ASCENT + H, x + H, BASE - H, STROKE),
                segment(x + H + 1, 42, x + 18 - H, X_TOP + H, STROKE),
                segment(x + 8.5, 37, x + 19 - H, BASE - H, STROKE)]


WORD = [(glyph_T, -1.5), (glyph_a, 3.5), (glyph_r, 2.5), (glyph_n, 3.5), (glyph_w, 3.5),
        (glyph_i, 3.5), (glyph_c, 3.0), (glyph_k, 0)]  # glyph, space after it


def word_shapes():
    x, first, second = 0.0, [], []
    for i, (glyph, space) in enumerate(WORD):
        advance, shapes = glyph(x)
        (first if i < 4 else second).extend(shapes)
        x += advance + space
    return x, first, second


def scaled(shape, k, dx, dy):
    return lambda x, y: shape((x - dx) / k, (y - dy) / k) * k


def draw_logo():
    c = Canvas(LOGO_WIDTH, LOGO_HEIGHT)
    frame = rect(0.5, 0.5, LOGO_WIDTH - 0.5, LOGO_HEIGHT - 0.5, 6)
    c.paint(frame, vertical("#FFFFFF", "#E3ECF6", 0, LOGO_HEIGHT))
    c.paint(lambda x, y: abs(frame(x, y) + 0.5) - 0.5, hex_color("#9FB4CA"))

    mark, k_word = 54.0, 0.85
    width, tarn, wick = word_shapes()
    gap = 12.0
    total = mark + gap + width * k_word
    left = (LOGO_WIDTH - total) / 2
    mark_top = (LOGO_HEIGHT - mark) / 2

    icon = Canvas(int(mark), int(mark), mark / 48.0)
    draw_program_icon(icon)
    for iy in range(icon.height):
        for ix in range(icon.width):
            p = icon.pixels[iy * icon.width + ix]
            if p[3] > 0:
                c._blend(int(mark_top + iy) * c.width + int(left) + ix, p, p[3])

    word_left = int(left) + mark + gap
    word_top = (LOGO_HEIGHT - (BASE - ASCENT) * k_word) / 2 - ASCENT * k_word
    for shapes, color in ((tarn, "#23364B"), (wick, "#2369B8")):
        c.paint(scaled(union(*shapes), k_word, word_left, word_top), hex_color(color))
    rule_y = word_top + (BASE + 7) * k_word
    c.paint(segment(word_left + 1, rule_y, word_left + width * k_word - 1, rule_y, 2.0),
            hex_color("#F0AE3C"))
    return c


# --------------------------------------------------------------------------- main


def main():
    os.makedirs(os.path.join(HERE, "toolbar"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "menu"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "types"), exist_ok=True)
    for name, draw in TYPES:
        for size in TYPE_SIZES:
            c = Canvas(size, size, size / 48.0)
            draw(c)
            write_png(os.path.join(HERE, "types", f"{name}-{size}.png"), c)
    for name, draw in MENU:
        c = Canvas(16, 16, 16 / 48.0)
        draw(c)
        write_png(os.path.join(HERE, "menu", f"{name}.png"), c)
    for index, (name, draw) in enumerate(TOOLBAR):
        c = Canvas(48, 48)
        draw(c)
        write_png(os.path.join(HERE, "toolbar", f"{index}-{name}.png"), c)
    for size in ICON_SIZES:
        c = Canvas(size, size, size / 48.0)
        draw_program_icon(c)
        write_png(os.path.join(HERE, "icons", f"tarnwick-{size}.png"), c)
    logo = draw_logo()
    write_png(os.path.join(HERE, "about-logo.png"), logo)
    write_gif(os.path.join(HERE, "about-logo.gif"), logo)


if __name__ == "__main__":
    main()
