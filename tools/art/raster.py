"""Tiny software rasteriser and image writers for the generated artwork.

Shapes are signed distance functions in pixel units (negative inside), so a
single evaluation per pixel gives smooth edges without supersampling.  Pixel
(i, j) covers [i, i+1] x [j, j+1]; y grows downwards.
"""

import math
import struct
import zlib


# --------------------------------------------------------------------------
# Shapes


class Shape:
    """A signed distance function plus a bounding box (x0, y0, x1, y1).

    `exact` means |fn| never overestimates the true distance, which lets the
    rasteriser skip or flood whole tiles; approximate fields switch that off.
    """

    __slots__ = ("fn", "bbox", "exact")

    def __init__(self, fn, bbox, exact=True):
        self.fn = fn
        self.bbox = bbox
        self.exact = exact

    def __or__(self, other):
        return union(self, other)

    def __and__(self, other):
        return intersect(self, other)

    def __sub__(self, other):
        return subtract(self, other)

    def grow(self, amount):
        """Offset the outline outwards (negative shrinks)."""
        f = self.fn
        x0, y0, x1, y1 = self.bbox
        a = max(amount, 0.0)
        return Shape(lambda x, y: f(x, y) - amount,
                     (x0 - a, y0 - a, x1 + a, y1 + a), self.exact)

    def outline(self, width):
        """A band of the given width centred on the outline."""
        f = self.fn
        h = width / 2.0
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: abs(f(x, y)) - h,
                     (x0 - h, y0 - h, x1 + h, y1 + h), self.exact)

    def moved(self, dx, dy):
        f = self.fn
        x0, y0, x1, y1 = self.bbox
        return Shape(lambda x, y: f(x - dx, y - dy),
                     (x0 + dx, y0 + dy, x1 + dx, y1 + dy), self.exact)

    def rotated(self, degrees, cx, cy):
        f = self.fn
        a = math.radians(degrees)
        c, s = math.cos(a), math.sin(a)

        def fn(x, y):
            dx, dy = x - cx, y - cy
            return f(cx + c * dx + s * dy, cy - s * dx + c * dy)

        pts = []
        x0, y0, x1, y1 = self.bbox
        for px, py in ((x0, y0), (x1, y0), (x0, y1), (x1, y1)):
            dx, dy = px - cx, py - cy
            pts.append((cx + c * dx - s * dy, cy + s * dx + c * dy))
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        return Shape(fn, (min(xs), min(ys), max(xs), max(ys)), self.exact)


def union(*shapes):
    fns = [s.fn for s in shapes]
    if len(fns) == 2:
        f, g = fns
        fn = lambda x, y: min(f(x, y), g(x, y))
    else:
        fn = lambda x, y: min(h(x, y) for h in fns)
    bb = (min(s.bbox[0] for s in shapes), min(s.bbox[1] for s in shapes),
          max(s.bbox[2] for s in shapes), max(s.bbox[3] for s in shapes))
    return Shape(fn, bb, all(s.exact for s in shapes))


def intersect(a, b):
    f, g = a.fn, b.fn
    bb = (max(a.bbox[0], b.bbox[0]), max(a.bbox[1], b.bbox[1]),
          min(a.bbox[2], b.bbox[2]), min(a.bbox[3], b.bbox[3]))
    return Shape(lambda x, y: max(f(x, y), g(x, y)), bb, a.exact and b.exact)


def subtract(a, b):
    f, g = a.fn, b.fn
    return Shape(lambda x, y: max(f(x, y), -g(x, y)), a.bbox,
                 a.exact and b.exact)


def circle(cx, cy, r):
    hyp = math.hypot
    return Shape(lambda x, y: hyp(x - cx, y - cy) - r,
                 (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r_out, r_in):
    hyp = math.hypot
    mid = (r_out + r_in) / 2.0
    half = (r_out - r_in) / 2.0
    return Shape(lambda x, y: abs(hyp(x - cx, y - cy) - mid) - half,
                 (cx - r_out, cy - r_out, cx + r_out, cy + r_out))


def ellipse(cx, cy, rx, ry):
    """Approximate field; fine for fills, not for wide offsets."""
    hyp = math.hypot
    k = min(rx, ry)
    return Shape(lambda x, y: (hyp((x - cx) / rx, (y - cy) / ry) - 1.0) * k,
                 (cx - rx, cy - ry, cx + rx, cy + ry), exact=False)


def rect(x0, y0, x1, y1):
    return rrect(x0, y0, x1, y1, 0.0)


def rrect(x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0
    hx, hy = (x1 - x0) / 2.0 - radius, (y1 - y0) / 2.0 - radius
    hyp = math.hypot

    def fn(x, y):
        qx = abs(x - cx) - hx
        qy = abs(y - cy) - hy
        out = hyp(qx if qx > 0 else 0.0, qy if qy > 0 else 0.0)
        ins = qx if qx > qy else qy
        return out + (ins if ins < 0 else 0.0) - radius

    return Shape(fn, (x0, y0, x1, y1))


def polygon(points):
    pts = [(float(x), float(y)) for x, y in points]
    n = len(pts)
    edges = []
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        ll = ex * ex + ey * ey or 1e-12
        edges.append((ax, ay, ex, ey, ll))
    sqrt = math.sqrt

    def fn(x, y):
        best = 1e30
        inside = False
        for ax, ay, ex, ey, ll in edges:
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / ll
            if t < 0.0:
                t = 0.0
            elif t > 1.0:
                t = 1.0
            dx, dy = wx - ex * t, wy - ey * t
            d = dx * dx + dy * dy
            if d < best:
                best = d
            # even-odd crossing test
            by = ay + ey
            if (ay > y) != (by > y):
                if x < ax + (y - ay) * ex / ey:
                    inside = not inside
        d = sqrt(best)
        return -d if inside else d

    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return Shape(fn, (min(xs), min(ys), max(xs), max(ys)))


def segment(ax, ay, bx, by, width):
    """A stroke with round caps."""
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey or 1e-12
    h = width / 2.0
    hyp = math.hypot

    def fn(x, y):
        wx, wy = x - ax, y - ay
        t = (wx * ex + wy * ey) / ll
        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
        return hyp(wx - ex * t, wy - ey * t) - h

    return Shape(fn, (min(ax, bx) - h, min(ay, by) - h,
                      max(ax, bx) + h, max(ay, by) + h))


def polyline(points, width):
    return union(*[segment(points[i][0], points[i][1], points[i + 1][0],
                           points[i + 1][1], width)
                   for i in range(len(points) - 1)])


def arc(cx, cy, r, a0, a1, width):
    """Round-capped arc from angle a0 to a1 (degrees, clockwise on screen
    because y points down)."""
    a0r, a1r = math.radians(a0), math.radians(a1)
    span = (a1r - a0r) % (2 * math.pi) or 2 * math.pi
    h = width / 2.0
    p0 = (cx + r * math.cos(a0r), cy + r * math.sin(a0r))
    p1 = (cx + r * math.cos(a1r), cy + r * math.sin(a1r))
    hyp, atan2, tau = math.hypot, math.atan2, 2 * math.pi

    def fn(x, y):
        dx, dy = x - cx, y - cy
        if (atan2(dy, dx) - a0r) % tau <= span:
            return abs(hyp(dx, dy) - r) - h
        return min(hyp(x - p0[0], y - p0[1]),
                   hyp(x - p1[0], y - p1[1])) - h

    e = r + h
    return Shape(fn, (cx - e, cy - e, cx + e, cy + e))


def star_gear(cx, cy, r_root, r_tip, teeth, tooth_frac=0.5, phase=0.0):
    """Gear outline as a polygon with flat-topped teeth."""
    pts = []
    step = 2 * math.pi / teeth
    for i in range(teeth):
        base = phase + i * step
        tw = step * tooth_frac / 2.0
        for ang, rad in ((base - step / 2 + tw * 0.3, r_root),
                         (base - tw, r_root),
                         (base - tw * 0.75, r_tip),
                         (base + tw * 0.75, r_tip),
                         (base + tw, r_root)):
            pts.append((cx + rad * math.cos(ang), cy + rad * math.sin(ang)))
    return polygon(pts)


# --------------------------------------------------------------------------
# Paints: callables (x, y) -> straight (r, g, b, a) floats in 0..1.


def rgba(c):
    """Accept (r, g, b) or (r, g, b, a) in 0..255."""
    if len(c) == 3:
        return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, 1.0)
    return (c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, c[3] / 255.0)


def _ramp(stops):
    st = [(float(t), rgba(c)) for t, c in stops]

    def at(t):
        if t <= st[0][0]:
            return st[0][1]
        for i in range(1, len(st)):
            t1, c1 = st[i]
            if t <= t1:
                t0, c0 = st[i - 1]
                k = (t - t0) / ((t1 - t0) or 1.0)
                return (c0[0] + (c1[0] - c0[0]) * k,
                        c0[1] + (c1[1] - c0[1]) * k,
                        c0[2] + (c1[2] - c0[2]) * k,
                        c0[3] + (c1[3] - c0[3]) * k)
        return st[-1][1]

    return at


def linear(x0, y0, x1, y1, stops):
    at = _ramp(stops)
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1.0
    return lambda x, y: at(((x - x0) * dx + (y - y0) * dy) / ll)


def radial(cx, cy, r, stops):
    at = _ramp(stops)
    hyp = math.hypot
    return lambda x, y: at(hyp(x - cx, y - cy) / r)


def conic(cx, cy, stops, phase=0.0):
    """Stops in 0..1 around the circle, starting at `phase` degrees."""
    at = _ramp(stops)
    ph = math.radians(phase)
    atan2, tau = math.atan2, 2 * math.pi
    return lambda x, y: at(((atan2(y - cy, x - cx) - ph) % tau) / tau)


# --------------------------------------------------------------------------
# Canvas


class Canvas:
    """RGBA canvas with premultiplied float channels."""

    TILE = 8

    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        n = w * h
        if bg is None:
            self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n
        else:
            c = rgba(bg)
            self.r = [c[0] * c[3]] * n
            self.g = [c[1] * c[3]] * n
            self.b = [c[2] * c[3]] * n
            self.a = [c[3]] * n

    def _tiles(self, shape, soft):
        """Yield (x0, y0, x1, y1, full) spans worth visiting."""
        bx0, by0, bx1, by1 = shape.bbox
        pad = soft
        x0 = max(0, int(math.floor(bx0 - pad)))
        y0 = max(0, int(math.floor(by0 - pad)))
        x1 = min(self.w, int(math.ceil(bx1 + pad)))
        y1 = min(self.h, int(math.ceil(by1 + pad)))
        fn = shape.fn
        T = self.TILE
        for ty in range(y0, y1, T):
            ty1 = min(ty + T, y1)
            for tx in range(x0, x1, T):
                tx1 = min(tx + T, x1)
                if not shape.exact:
                    yield tx, ty, tx1, ty1, False
                    continue
                d = fn((tx + tx1) / 2.0, (ty + ty1) / 2.0)
                reach = 0.7072 * max(tx1 - tx, ty1 - ty) + 0.5 * soft
                if d >= reach:
                    continue
                yield tx, ty, tx1, ty1, d <= -reach

    def fill(self, shape, paint, opacity=1.0, soft=1.0):
        """Composite `paint` over the canvas where `shape` covers it.
        `soft` widens the edge ramp (in pixels) for glows and shadows."""
        fn = shape.fn
        const = None if callable(paint) else rgba(paint)
        R, G, B, A, w = self.r, self.g, self.b, self.a, self.w
        for x0, y0, x1, y1, full in self._tiles(shape, soft):
            for y in range(y0, y1):
                py = y + 0.5
                row = y * w
                for x in range(x0, x1):
                    px = x + 0.5
                    if full:
                        c = opacity
                    else:
                        c = 0.5 - fn(px, py) / soft
                        if c <= 0.0:
                            continue
                        if c > 1.0:
                            c = 1.0
                        c *= opacity
                    cr, cg, cb, ca = const if const else paint(px, py)
                    a = ca * c
                    if a <= 0.0:
                        continue
                    i = row + x
                    k = 1.0 - a
                    R[i] = cr * a + R[i] * k
                    G[i] = cg * a + G[i] * k
                    B[i] = cb * a + B[i] * k
                    A[i] = a + A[i] * k

    def erase(self, shape, soft=1.0):
        fn = shape.fn
        R, G, B, A, w = self.r, self.g, self.b, self.a, self.w
        for x0, y0, x1, y1, full in self._tiles(shape, soft):
            for y in range(y0, y1):
                py = y + 0.5
                row = y * w
                for x in range(x0, x1):
                    if full:
                        k = 0.0
                    else:
                        c = 0.5 - fn(x + 0.5, py) / soft
                        if c <= 0.0:
                            continue
                        k = 1.0 - c if c < 1.0 else 0.0
                    i = row + x
                    R[i] *= k
                    G[i] *= k
                    B[i] *= k
                    A[i] *= k

    def outlined(self, shape, fill, line, width=1.0):
        """Fill with a crisp inner outline: the line colour first, then the
        fill on the shape shrunk by `width`."""
        self.fill(shape, line)
        self.fill(shape.grow(-width), fill)

    def stamp(self, x, y, art, colours):
        """Hand-placed pixels for tiny sizes: `art` is a list of strings where
        each character maps through `colours` ('.' and ' ' are skipped)."""
        for j, line in enumerate(art):
            for i, ch in enumerate(line):
                if ch in ". ":
                    continue
                px, py = x + i, y + j
                if 0 <= px < self.w and 0 <= py < self.h:
                    c = rgba(colours[ch])
                    k = py * self.w + px
                    self.r[k], self.g[k], self.b[k], self.a[k] = (
                        c[0] * c[3], c[1] * c[3], c[2] * c[3], c[3])

    def blit(self, src, dx, dy, scale=1):
        """Composite another canvas (nearest-neighbour scaled) over this one."""
        for sy in range(src.h):
            for sx in range(src.w):
                j = sy * src.w + sx
                a = src.a[j]
                if a <= 0.0:
                    continue
                k = 1.0 - a
                for oy in range(scale):
                    y = dy + sy * scale + oy
                    if not 0 <= y < self.h:
                        continue
                    for ox in range(scale):
                        x = dx + sx * scale + ox
                        if not 0 <= x < self.w:
                            continue
                        i = y * self.w + x
                        self.r[i] = src.r[j] + self.r[i] * k
                        self.g[i] = src.g[j] + self.g[i] * k
                        self.b[i] = src.b[j] + self.b[i] * k
                        self.a[i] = a + self.a[i] * k

    def pixels(self):
        """Straight-alpha 8-bit (r, g, b, a) rows, top-down."""
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                i = y * self.w + x
                a = self.a[i]
                if a <= 1.0 / 512:
                    row.append((0, 0, 0, 0))
                    continue
                inv = 1.0 / a
                row.append((_b8(self.r[i] * inv), _b8(self.g[i] * inv),
                            _b8(self.b[i] * inv), _b8(a)))
            out.append(row)
        return out

    def keyed(self, key=(255, 0, 255)):
        """Opaque rows for a colour-keyed bitmap: pixels at least half covered
        keep their own colour (no blending towards the key), the rest become
        the key.  A drawn pixel that happens to equal the key is nudged."""
        key = tuple(key)
        out = []
        for row in self.pixels():
            o = []
            for r, g, b, a in row:
                if a < 128:
                    o.append(key)
                else:
                    c = (r, g, b)
                    if c == key:
                        c = (r - 1 if r else 1, g + 1 if g < 255 else 254, b)
                    o.append(c)
            out.append(o)
        return out


def _b8(v):
    v = int(v * 255.0 + 0.5)
    return 0 if v < 0 else 255 if v > 255 else v


MAGENTA = (255, 0, 255)


def flatten(rows, bg):
    """Composite straight RGBA rows over an opaque colour."""
    out = []
    for row in rows:
        o = []
        for r, g, b, a in row:
            k = a / 255.0
            o.append((int(r * k + bg[0] * (1 - k) + 0.5),
                      int(g * k + bg[1] * (1 - k) + 0.5),
                      int(b * k + bg[2] * (1 - k) + 0.5)))
        out.append(o)
    return out


# --------------------------------------------------------------------------
# Writers


def bmp24(rows):
    """24-bit bottom-up BMP from top-down (r, g, b) rows."""
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    body = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            body += bytes((b, g, r))
        body += pad
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body),
                       2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0,
                       14 + len(info))
    return head + info + bytes(body)


def png(rows):
    """RGBA PNG (colour type 6) from top-down (r, g, b, a) rows."""
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for px in row:
            raw += bytes(px)
    return png_raw(len(rows[0]), len(rows), raw, 6)


def png_raw(w, h, raw, colour_type):
    """PNG from already filtered scanlines (each prefixed by a filter byte);
    colour type 2 is RGB, 6 is RGBA, both 8 bits per sample."""

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, colour_type, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def _and_mask(opaque_rows):
    """1-bpp mask rows, bottom-up, bit set where the pixel is transparent."""
    h = len(opaque_rows)
    w = len(opaque_rows[0])
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for row in reversed(opaque_rows):
        line = bytearray(stride)
        for x, opaque in enumerate(row):
            if not opaque:
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def dib32(rows):
    """Icon image: BITMAPINFOHEADER (double height), BGRA, then AND mask."""
    h = len(rows)
    w = len(rows[0])
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a) if a else (0, 0, 0, 0))
    mask = _and_mask([[a > 0 for (_, _, _, a) in row] for row in rows])
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + mask


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
         (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
         (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
         (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest_vga(c):
    best, bi = 1 << 30, 0
    for i, p in enumerate(VGA16):
        # weight green most, as the eye does
        d = (2 * (c[0] - p[0]) ** 2 + 4 * (c[1] - p[1]) ** 2 +
             3 * (c[2] - p[2]) ** 2)
        if d < best:
            best, bi = d, i
    return bi


def dib4(index_rows, opaque_rows):
    """16-colour icon image: header, VGA palette, 4-bpp XOR, AND mask."""
    h = len(index_rows)
    w = len(index_rows[0])
    stride = ((w * 4 + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(index_rows):
        line = bytearray(stride)
        for x, v in enumerate(row):
            line[x >> 1] |= (v << 4) if x % 2 == 0 else v
        xor += line
    mask = _and_mask(opaque_rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    return info + pal + bytes(xor) + mask


def ico(entries):
    """entries: list of (width, height, colour_count, bpp, data)."""
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    dirs = b""
    blobs = b""
    for w, h, colours, bpp, data in entries:
        dirs += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, colours & 0xFF, 0,
                            1, bpp, len(data), offset + len(blobs))
        blobs += data
    return head + dirs + blobs
