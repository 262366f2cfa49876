#!/usr/bin/env python3
"""Draws the converter's own artwork with nothing but the Python standard library.

Writes, beside this script:
  banner.gif           250 x 57, the banner of the main window and the About box
  invert.gif           32 x 32, the invert icon between the unit lists
  banner@2x.gif, invert@2x.gif   the same at twice the size, for screens of double density
  korvane-16.png ... korvane-256.png, korvane.svg   the application icon (16, 32, 48 px for
                       the window; 64, 128, 256 px for menus, docks and software centres)

Run it again after changing a drawing; the generated files are kept in the repository so a
build needs no Python. The script checks each GIF by decoding it again.
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Colours of the house style.
NAVY = (22, 58, 110)
TEAL = (26, 132, 140)
ORANGE = (242, 140, 40)
WHITE = (255, 255, 255)
PALE = (214, 232, 240)
# The dialog face the GIFs are blended onto where they are not transparent.
FACE = (239, 239, 239)


# ---------------------------------------------------------------- drawing


class Canvas:
    """RGBA image with float channels; shapes are drawn with anti-aliased coverage."""

    def __init__(self, width, height, colour=None):
        self.width = width
        self.height = height
        fill = (colour + (1.0,)) if colour else (0.0, 0.0, 0.0, 0.0)
        self.px = [list(fill) for _ in range(width * height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        coverage = min(coverage, 1.0)
        p = self.px[y * self.width + x]
        out_a = coverage + p[3] * (1.0 - coverage)
        for i in range(3):
            p[i] = (colour[i] * coverage + p[i] * p[3] * (1.0 - coverage)) / out_a
        p[3] = out_a

    def fill_gradient(self, left, right, shape=None):
        for y in range(self.height):
            for x in range(self.width):
                t = x / max(1, self.width - 1)
                colour = tuple(left[i] + (right[i] - left[i]) * t for i in range(3))
                cover = 1.0 if shape is None else shape(x, y)
                self.blend(x, y, colour, cover)

    def polygon(self, points, colour, samples=4):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 1)):
            for x in range(max(0, int(min(xs))), min(self.width, int(max(xs)) + 1)):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        px = x + (sx + 0.5) / samples
                        py = y + (sy + 0.5) / samples
                        hits += inside(points, px, py)
                self.blend(x, y, colour, hits / (samples * samples))

    def strokes(self, polylines, width, colour):
        """Round-capped strokes: coverage from the distance to the nearest segment."""
        half = width / 2.0
        best = {}
        for line in polylines:
            for (ax, ay), (bx, by) in zip(line, line[1:]):
                x0 = max(0, int(min(ax, bx) - half - 1))
                x1 = min(self.width - 1, int(max(ax, bx) + half + 1))
                y0 = max(0, int(min(ay, by) - half - 1))
                y1 = min(self.height - 1, int(max(ay, by) + half + 1))
                for y in range(y0, y1 + 1):
                    for x in range(x0, x1 + 1):
                        d = segment_distance(x + 0.5, y + 0.5, ax, ay, bx, by)
                        key = (x, y)
                        if d < best.get(key, 1e9):
                            best[key] = d
        for (x, y), d in best.items():
            self.blend(x, y, colour, half + 0.5 - d)

    def rgba_bytes(self):
        out = bytearray()
        for p in self.px:
            out += bytes(clamp8(c) for c in p[:3]) + bytes([clamp8(p[3] * 255)])
        return out

    def flattened(self, background):
        """RGB pixels over `background`, with the coverage kept for transparency."""
        result = []
        for p in self.px:
            a = p[3]
            rgb = tuple(clamp8(p[i] * a + background[i] * (1 - a)) for i in range(3))
            result.append((rgb, a))
        return result


def clamp8(value):
    return max(0, min(255, int(round(value))))


def inside(points, x, y):
    result = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


def rounded_rect(x0, y0, x1, y1, r):
    """Coverage function of a rounded rectangle (pixel centres, one-pixel soft edge)."""

    def cover(x, y):
        cx = min(max(x + 0.5, x0 + r), x1 - r)
        cy = min(max(y + 0.5, y0 + r), y1 - r)
        d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
        return max(0.0, min(1.0, r + 0.5 - d))

    return cover


def arrow(x_tail, x_tip, y, shaft, head_length, head_half):
    """A horizontal arrow; points to the right when x_tip > x_tail."""
    s = 1 if x_tip > x_tail else -1
    neck = x_tip - s * head_length
    return [
        (x_tail, y - shaft),
        (neck, y - shaft),
        (neck, y - head_half),
        (x_tip, y),
        (neck, y + head_half),
        (neck, y + shaft),
        (x_tail, y + shaft),
    ]


# ---------------------------------------------------------------- lettering

def arc(cx, cy, rx, ry, start, end, steps=16):
    return [
        (cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
         cy + ry * math.sin(math.radians(start + (end - start) * i / steps)))
        for i in range(steps + 1)
    ]


# Stroke glyphs on a 4 x 6 grid (y down); each is (advance, polylines).
GLYPHS = {
    "A": (4.6, [[(0, 6), (2, 0), (4, 6)], [(0.75, 4), (3.25, 4)]]),
    "E": (4.2, [[(3.6, 0), (0, 0), (0, 6), (3.6, 6)], [(0, 3), (3, 3)]]),
    "I": (1.6, [[(0, 0), (0, 6)]]),
    "K": (4.4, [[(0, 0), (0, 6)], [(3.8, 0), (0, 3.8)], [(1.4, 2.5), (4, 6)]]),
    "N": (4.8, [[(0, 6), (0, 0), (4, 6), (4, 0)]]),
    "O": (4.8, [arc(2, 3, 2, 3, 0, 360, 28)]),
    "R": (4.4, [[(0, 6), (0, 0), (2.3, 0)] + arc(2.3, 1.6, 1.6, 1.6, -90, 90, 10)
                + [(0, 3.2)], [(2.1, 3.2), (3.9, 6)]]),
    "T": (4.4, [[(0, 0), (4, 0)], [(2, 0), (2, 6)]]),
    "U": (4.6, [[(0, 0), (0, 4)] + arc(2, 4, 2, 2, 180, 0, 14) + [(4, 0)]]),
    "V": (4.6, [[(0, 0), (2, 6), (4, 0)]]),
    " ": (2.6, []),
}
# "C" is the open ring of "O": from the lower right round the left to the upper right.
GLYPHS["C"] = (4.6, [arc(2.1, 3, 2.1, 3, 40, 320, 22)])


def text_strokes(text, x, y, height, spacing=0.0):
    scale = height / 6.0
    lines = []
    for ch in text:
        advance, polys = GLYPHS[ch]
        for poly in polys:
            lines.append([(x + px * scale, y + py * scale) for px, py in poly])
        x += (advance + spacing) * scale
    return lines, x


# ---------------------------------------------------------------- the pictures

def draw_exchange_arrows(canvas, x0, y0, size, top, bottom):
    """Two opposed arrows in a size x size square: the sign of converting both ways."""
    s = size
    canvas.polygon(arrow(x0 + 0.12 * s, x0 + 0.90 * s, y0 + 0.33 * s, 0.075 * s, 0.30 * s,
                         0.20 * s), top)
    canvas.polygon(arrow(x0 + 0.88 * s, x0 + 0.10 * s, y0 + 0.69 * s, 0.075 * s, 0.30 * s,
                         0.20 * s), bottom)


def banner(scale=1):
    """The banner at `scale` times its 250 x 57 pixels (2 for screens of double density)."""
    k = scale
    c = Canvas(250 * k, 57 * k)
    c.fill_gradient(NAVY, TEAL, rounded_rect(0, 0, 250 * k, 57 * k, 9 * k))
    # The mark: a light disc with the two arrows.
    c.polygon(disc(28 * k, 28.5 * k, 20 * k, 40 * k), PALE)
    draw_exchange_arrows(c, 12 * k, 12.5 * k, 32 * k, NAVY, ORANGE)
    title, _ = text_strokes("KORVANE", 60 * k, 10 * k, 21 * k, spacing=0.9)
    c.strokes(title, 3.2 * k, WHITE)
    sub, _ = text_strokes("UNIT CONVERTER", 61 * k, 39 * k, 9 * k, spacing=1.1)
    c.strokes(sub, 1.4 * k, PALE)
    return c


def disc(cx, cy, r, steps):
    return [(cx + r * math.cos(a / steps * 2 * math.pi), cy + r * math.sin(a / steps * 2 * math.pi))
            for a in range(steps)]


def invert_icon(scale=1):
    """The invert icon at `scale` times 32 x 32 pixels. The arrows sit on the banner's light
    disc, so the dark arrow stands out on dark window faces as well as on light ones."""
    k = scale
    c = Canvas(32 * k, 32 * k)
    c.polygon(disc(16 * k, 16 * k, 15.5 * k, 48 * k), PALE)
    draw_exchange_arrows(c, 3 * k, 3.5 * k, 26 * k, NAVY, ORANGE)
    return c


# The sizes desktops and software centres look for in the hicolor theme; the build installs each.
ICON_SIZES = (16, 32, 48, 64, 128, 256)


def app_icon(size):
    c = Canvas(size, size)
    margin = size / 16.0
    c.fill_gradient(NAVY, TEAL, rounded_rect(margin, margin, size - margin, size - margin,
                                              size * 0.2))
    inner = size - 2 * margin
    draw_exchange_arrows(c, margin, margin, inner, WHITE, ORANGE)
    return c


def app_icon_svg():
    def pts(poly):
        return " ".join(f"{x:.2f},{y:.2f}" for x, y in poly)

    s = 60.0  # the 64 px square less its margins, as app_icon() draws it
    m = 2.0
    top = arrow(m + 0.12 * s, m + 0.90 * s, m + 0.33 * s, 0.075 * s, 0.30 * s, 0.20 * s)
    bottom = arrow(m + 0.88 * s, m + 0.10 * s, m + 0.69 * s, 0.075 * s, 0.30 * s, 0.20 * s)
    hexc = lambda c: "#%02x%02x%02x" % c  # noqa: E731
    return f"""<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="1" y2="0">
      <stop offset="0" stop-color="{hexc(NAVY)}"/>
      <stop offset="1" stop-color="{hexc(TEAL)}"/>
    </linearGradient>
  </defs>
  <rect x="{m}" y="{m}" width="{s}" height="{s}" rx="{0.2 * 64:.1f}" fill="url(#face)"/>
  <polygon points="{pts(top)}" fill="{hexc(WHITE)}"/>
  <polygon points="{pts(bottom)}" fill="{hexc(ORANGE)}"/>
</svg>
"""


# ---------------------------------------------------------------- PNG

def write_png(path, canvas):
    raw = bytearray()
    data = canvas.rgba_bytes()
    stride = canvas.width * 4
    for y in range(canvas.height):
        raw.append(0)
        raw += data[y * stride:(y + 1) * stride]

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------- GIF

def median_cut(colours, limit):
    """At most `limit` palette entries for the distinct colours (a dict colour -> count)."""
    boxes = [list(colours.items())]
    while len(boxes) < limit:
        boxes.sort(key=box_range)
        widest = boxes.pop()
        if box_range(widest) == 0 or len(widest) < 2:
            boxes.append(widest)
            break
        channel = max(range(3), key=lambda i: spread(widest, i))
        widest.sort(key=lambda item: item[0][channel])
        total = sum(n for _, n in widest)
        running = 0
        cut = 1
        for k, (_, n) in enumerate(widest):
            running += n
            if running * 2 >= total:
                cut = max(1, min(len(widest) - 1, k + 1))
                break
        boxes += [widest[:cut], widest[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(clamp8(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return palette


def spread(box, channel):
    values = [c[channel] for c, _ in box]
    return max(values) - min(values)


def box_range(box):
    return max(spread(box, i) for i in range(3)) if len(box) > 1 else 0


def nearest(palette, colour, cache):
    if colour not in cache:
        cache[colour] = min(range(len(palette)),
                            key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))
    return cache[colour]


def lzw_encode(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    state = {"acc": 0, "bits": 0}

    def emit(code, size):
        state["acc"] |= code << state["bits"]
        state["bits"] += size
        while state["bits"] >= 8:
            out.append(state["acc"] & 0xFF)
            state["acc"] >>= 8
            state["bits"] -= 8

    def fresh():
        return {(i,): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, size = fresh()
    emit(clear, size)
    word = ()
    for k in indices:
        candidate = word + (k,)
        if candidate in table:
            word = candidate
            continue
        emit(table[word], size)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The code just assigned may come next; it must fit.
            if next_code - 1 == (1 << size) and size < 12:
                size += 1
        else:
            emit(clear, size)
            table, next_code, size = fresh()
        word = (k,)
    if word:
        emit(table[word], size)
    emit(end, size)
    if state["bits"]:
        out.append(state["acc"] & 0xFF)
    return bytes(out)


def lzw_decode(data, min_code_size, count):
    """The decoder of the GIF standard, to check what lzw_encode wrote."""
    clear = 1 << min_code_size
    end = clear + 1
    pos = 0
    acc = 0
    bits = 0
    size = min_code_size + 1
    table = None
    previous = None
    out = []
    while True:
        while bits < size:
            acc |= data[pos] << bits
            pos += 1
            bits += 8
        code = acc & ((1 << size) - 1)
        acc >>= size
        bits -= size
        if code == clear:
            table = [(i,) for i in range(clear)] + [(), ()]
            size = min_code_size + 1
            previous = None
            continue
        if code == end:
            break
        if previous is None:
            entry = table[code]
        else:
            entry = table[code] if code < len(table) else previous + previous[:1]
            if len(table) < 4096:
                table.append(previous + entry[:1])
            if len(table) == (1 << size) and size < 12:
                size += 1
        out.extend(entry)
        previous = entry
    if len(out) != count:
        raise ValueError("decoded %d pixels, expected %d" % (len(out), count))
    return out


def write_gif(path, canvas, transparent):
    pixels = canvas.flattened(FACE)
    solid = [rgb for rgb, a in pixels if not (transparent and a < 0.02)]
    counts = {}
    for rgb in solid:
        counts[rgb] = counts.get(rgb, 0) + 1
    palette = median_cut(counts, 255 if transparent else 256)
    cache = {}
    clear_index = len(palette)
    indices = []
    for rgb, a in pixels:
        if transparent and a < 0.02:
            indices.append(clear_index)
        else:
            indices.append(nearest(palette, rgb, cache))
    table = palette + [FACE] * (256 - len(palette))
    data = lzw_encode(indices, 8)
    if lzw_decode(data, 8, len(indices)) != indices:
        raise ValueError("GIF check failed for " + path)

    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", canvas.width, canvas.height, 0xF7, 0, 0)
    for colour in table:
        out += bytes(colour)
    if transparent:
        out += bytes([0x21, 0xF9, 4, 0x01, 0, 0, clear_index, 0])
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, canvas.width, canvas.height, 0)
    out.append(8)
    for i in range(0, len(data), 255):
        block = data[i:i + 255]
        out.append(len(block))
        out += block
    out += b"\x00\x3B"
    with open(path, "wb") as f:
        f.write(out)


def main():
    write_gif(os.path.join(HERE, "banner.gif"), banner(), transparent=True)
    write_gif(os.path.join(HERE, "invert.gif"), invert_icon(), transparent=True)
    # Twice the pixels for screens of double density; the windows pick them by themselves.
    write_gif(os.path.join(HERE, "banner@2x.gif"), banner(2), transparent=True)
    write_gif(os.path.join(HERE, "invert@2x.gif"), invert_icon(2), transparent=True)
    for size in ICON_SIZES:
        write_png(os.path.join(HERE, "korvane-%d.png" % size), app_icon(size))
    with open(os.path.join(HERE, "korvane.svg"), "w", encoding="utf-8") as f:
        f.write(app_icon_svg())
    return 0


if __name__ == "__main__":
    sys.exit(main())
