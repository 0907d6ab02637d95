#!/usr/bin/env python3
"""Draws Corvela's icons and bitmaps.

Usage: make_art.py OUTDIR

Everything is drawn here in code so the build never depends on binary art in
the tree.  Output is byte-for-byte deterministic.
"""

import math
import os
import struct
import sys
import zlib

# Keep the source tree clean when the build runs us.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from raster import (MAGENTA, VGA16, Canvas, arc, bmp24, circle, conic, dib32, dib4,  # noqa: E402
                    ellipse, flatten, ico, linear, nearest_vga, png, png_raw,
                    polygon, polyline, radial, rect, ring, rrect, segment,
                    star_gear, union)

# Brand palette: deep teal disc, bright amber accent.
TEAL_HI = (52, 186, 190)
TEAL = (16, 122, 138)
TEAL_LO = (10, 66, 98)
TEAL_RIM = (6, 44, 66)
ACCENT = (255, 160, 28)
ACCENT_HI = (255, 205, 96)
ACCENT_LO = (214, 104, 0)
WHITE = (255, 255, 255)
INK = (38, 50, 60)
FACE = (240, 240, 240)

GREEN = (52, 178, 76)
GREEN_LO = (22, 104, 44)


# --------------------------------------------------------------------------
# Shared motifs


def brand_disc(c, cx, cy, r, hole, detail):
    """The teal disc with the amber hub.  `detail` 0..2 drops the finer
    touches at small sizes so edges stay crisp."""
    body = linear(cx - r, cy - r, cx + r, cy + r,
                  [(0.0, TEAL_HI), (0.45, TEAL), (1.0, TEAL_LO)])
    c.fill(circle(cx, cy, r), body)
    hub_r = r * (0.36 if detail else 0.42)
    if detail >= 1:
        # Two soft reflections sweeping across the recorded surface.
        sheen = conic(cx, cy, [(0.00, (255, 255, 255, 0)),
                               (0.10, (255, 255, 255, 110)),
                               (0.20, (255, 255, 255, 0)),
                               (0.50, (255, 255, 255, 0)),
                               (0.60, (200, 255, 250, 70)),
                               (0.70, (255, 255, 255, 0)),
                               (1.00, (255, 255, 255, 0))], phase=165)
        c.fill(ring(cx, cy, r - max(1.0, r * 0.04), hub_r), sheen)
    if detail >= 2:
        for k in (0.55, 0.70, 0.85):
            c.fill(ring(cx, cy, r * k + 0.5, r * k - 0.5), (255, 255, 255, 28))
    rim = max(1.0, r * 0.035)
    c.fill(ring(cx, cy, r, r - rim), TEAL_RIM + (200,))
    # Hub: amber ring around the spindle hole.
    hub_paint = linear(cx - hub_r, cy - hub_r, cx + hub_r, cy + hub_r,
                       [(0.0, ACCENT_HI), (0.5, ACCENT), (1.0, ACCENT_LO)])
    if detail >= 1:
        c.fill(circle(cx, cy, hub_r + max(1.0, r * 0.03)), TEAL_RIM + (150,))
    c.fill(circle(cx, cy, hub_r), hub_paint)
    if hole:
        c.erase(circle(cx, cy, hub_r * 0.42))
        if detail >= 1:
            c.fill(ring(cx, cy, hub_r * 0.42 + max(1.0, r * 0.02), hub_r * 0.42),
                   ACCENT_LO + (160,))


ARROW = [(0, 0), (0, 16), (4, 12.2), (6.8, 18.4), (9.4, 17.3), (6.7, 11.2),
         (11.6, 11.2)]


# Pixel-exact pointers for the small icon sizes (K = ink, W = white).
ARROW_9 = [
    "K.....",
    "KK....",
    "KWK...",
    "KWWK..",
    "KWWWK.",
    "KWWWWK",
    "KWWKKK",
    "KWK...",
    "KK....",
]
ARROW_12 = [
    "K.......",
    "KK......",
    "KWK.....",
    "KWWK....",
    "KWWWK...",
    "KWWWWK..",
    "KWWWWWK.",
    "KWWWWWWK",
    "KWWKKKKK",
    "KWK.KWK.",
    "KK..KWK.",
    "K....KK.",
]


def stamp_pointer(c, x, y, art, ink=INK):
    """Stamp a pixel pointer with a one-pixel see-through gap around it."""
    on = {(i, j) for j, line in enumerate(art) for i, ch in enumerate(line) if ch != "."}
    for i, j in sorted(on):
        for di, dj in ((1, 0), (-1, 0), (0, 1), (0, -1), (1, 1)):
            q = (i + di, j + dj)
            if q not in on:
                c.erase(rect(x + q[0], y + q[1], x + q[0] + 1, y + q[1] + 1))
    c.stamp(x, y, art, {"K": ink, "W": WHITE})


def arrow_shape(tx, ty, scale):
    return polygon([(tx + x * scale, ty + y * scale) for x, y in ARROW])


def silver_disc(c, cx, cy, r, hole=True, detail=2):
    """A plain shiny disc: silver with a faint rainbow sheen."""
    face = conic(cx, cy, [
        (0.00, (196, 204, 214)), (0.07, (250, 251, 253)), (0.14, (196, 222, 240)),
        (0.25, (176, 184, 198)), (0.34, (232, 206, 236)), (0.43, (250, 248, 240)),
        (0.50, (196, 204, 214)), (0.57, (250, 251, 253)), (0.64, (204, 236, 216)),
        (0.75, (176, 184, 198)), (0.84, (244, 226, 200)), (0.93, (214, 224, 244)),
        (1.00, (196, 204, 214))], phase=-20)
    c.fill(circle(cx, cy, r), face)
    if detail >= 2:
        for k in (0.5, 0.64, 0.78, 0.9):
            c.fill(ring(cx, cy, r * k + 0.4, r * k - 0.4), (255, 255, 255, 60))
    rim = max(1.0, r * 0.03)
    c.fill(ring(cx, cy, r, r - rim), (96, 108, 124))
    clear = r * 0.36
    c.fill(circle(cx, cy, clear), (226, 232, 238))
    if detail >= 1:
        c.fill(ring(cx, cy, clear + 0.5, clear - max(1.0, r * 0.025)),
               (150, 160, 174))
        c.fill(ring(cx, cy, clear * 0.72, clear * 0.62), (190, 198, 208))
    if hole:
        hr = r * 0.15
        c.erase(circle(cx, cy, hr))
        c.fill(ring(cx, cy, hr + max(1.0, r * 0.025), hr), (120, 130, 144))


# --------------------------------------------------------------------------
# Icons


def app_icon(size):
    c = Canvas(size, size)
    s = size / 256.0
    if size <= 24:
        # Disc plus pointer only: the menu card would turn to mush.
        r = size * 0.46
        cx = cy = size * 0.46
        brand_disc(c, cx, cy, r, hole=False, detail=0)
        art = ARROW_9 if size < 24 else ARROW_12
        stamp_pointer(c, size - len(art[0]) - 1, size - len(art) - 1, art)
        return c
    detail = 2 if size >= 128 else 1
    cx = cy = 112 * s
    r = 106 * s
    if size >= 48:
        c.fill(circle(cx + 3 * s, cy + 7 * s, r), (0, 0, 0, 70), soft=10 * s)
    brand_disc(c, cx, cy, r, hole=True, detail=detail)
    # Menu card in front of the disc.
    x0, y0, x1, y1 = 128 * s, 138 * s, 246 * s, 240 * s
    card = rrect(x0, y0, x1, y1, 14 * s)
    if size >= 48:
        c.fill(card.moved(2 * s, 6 * s), (0, 0, 0, 80), soft=8 * s)
    c.fill(card.grow(max(1.0, 3 * s)), TEAL_RIM)
    c.fill(card, linear(0, y0, 0, y1, [(0, (255, 255, 255)), (1, (226, 236, 240))]))
    rows = 3
    pad = 16 * s
    bar_h = (y1 - y0 - 2 * pad) / (rows * 1.6 - 0.6)
    for i in range(rows):
        by = y0 + pad + i * bar_h * 1.6
        hot = i == 1
        colour = ACCENT if hot else (150, 176, 188)
        bullet = rrect(x0 + pad, by, x0 + pad + bar_h, by + bar_h, bar_h * 0.3)
        bar = rrect(x0 + pad + bar_h * 1.5, by, x1 - pad - (0 if hot else 22 * s),
                    by + bar_h, bar_h / 2)
        c.fill(bullet, ACCENT_LO if hot else (120, 146, 160))
        c.fill(bar, colour)
    # Cursor pointing at the highlighted row.
    sc = 4.2 * s
    tip = (186 * s, 170 * s)
    a = arrow_shape(tip[0], tip[1], sc)
    if size >= 48:
        c.fill(a.moved(2 * s, 4 * s), (0, 0, 0, 90), soft=5 * s)
    c.fill(a.grow(max(1.0, 5 * s)), INK)
    c.fill(a, WHITE)
    return c


def default_disc_icon(size):
    c = Canvas(size, size)
    r = size * 0.47
    cx = cy = size / 2.0
    if size >= 48:
        r = size * 0.45
        cy -= size * 0.015
        c.fill(circle(cx + size * 0.008, cy + size * 0.02, r), (0, 0, 0, 60),
               soft=size * 0.03)
    silver_disc(c, cx, cy, r, hole=True, detail=2 if size >= 48 else (1 if size >= 32 else 0))
    if size >= 32:
        # A soft glint on the upper left.
        c.fill(ellipse(cx - r * 0.42, cy - r * 0.45, r * 0.28, r * 0.12)
               .rotated(-40, cx - r * 0.42, cy - r * 0.45),
               (255, 255, 255, 150), soft=max(1.0, size * 0.04))
    return c


def menu_icon(size):
    """Drawn hard-edged in the 16 VGA colours, then mapped to palette indices."""
    c = Canvas(size, size)
    k = size / 32.0
    cx = cy = 14.5 * k
    r = 13.5 * k
    hard = 0.02
    c.fill(circle(cx, cy, r), (0, 0, 128), soft=hard)
    c.fill(circle(cx, cy, r - 1.0), (0, 128, 128), soft=hard)
    if size >= 32:
        c.fill(arc(cx, cy, r - 4.5, 195, 245, 2.0), (0, 255, 255), soft=hard)
        c.fill(arc(cx, cy, r - 4.5, 15, 65, 2.0), (0, 255, 255), soft=hard)
    c.fill(circle(cx, cy, 4.6 * k + 0.2), (128, 128, 0), soft=hard)
    c.fill(circle(cx, cy, 4.6 * k - 0.8), (255, 255, 0), soft=hard)
    if size >= 32:
        c.fill(circle(cx, cy, 1.6), (0, 0, 0), soft=hard)
    art = ARROW_9 if size < 32 else ARROW_12
    stamp_pointer(c, size - len(art[0]) - 1 - (2 if size >= 32 else 0),
                  size - len(art) - (1 if size >= 32 else 0), art, ink=(0, 0, 0))
    idx, opaque = [], []
    for row in c.pixels():
        idx.append([nearest_vga(p[:3]) if p[3] >= 128 else 0 for p in row])
        opaque.append([p[3] >= 128 for p in row])
    return idx, opaque


# --------------------------------------------------------------------------
# 32x32 keyed glyphs


def G():
    return Canvas(32, 32)


def add_plus(c):
    """Green plus in the lower right, with a see-through gap around it."""
    p = rect(23, 19, 28, 32) | rect(19, 23, 32, 28)
    c.erase(p.grow(1.0))
    c.outlined(p, GREEN, GREEN_LO)
    c.fill(rect(24, 20, 27, 21) | rect(20, 24, 21, 27), (120, 220, 140))


def g_open(c):
    brown = (132, 88, 16)
    back = rrect(2, 6, 14, 12, 1.5) | rect(2, 9, 26, 27)
    c.outlined(back, (224, 160, 40), brown)
    c.outlined(rect(5, 11, 23, 22), WHITE, (150, 160, 170))
    c.fill(rect(8, 14, 19, 15), (180, 196, 210))
    c.fill(rect(8, 17, 17, 18), (180, 196, 210))
    front = polygon([(2, 27), (7, 15), (30, 15), (26, 27)])
    c.outlined(front, linear(0, 15, 0, 27, [(0, (255, 222, 120)), (1, (246, 186, 52))]),
               brown)


def floppy(c, x, y, s):
    """Disk in a box of size 24*s at (x, y)."""
    def P(px, py):
        return (x + px * s, y + py * s)
    navy = (24, 50, 100)
    body = polygon([P(0, 0), P(20.5, 0), P(24, 3.5), P(24, 24), P(0, 24)])
    c.outlined(body, linear(0, y, 0, y + 24 * s, [(0, (74, 136, 214)), (1, (40, 96, 176))]),
               navy)
    c.outlined(rect(*P(5, 0), *P(18, 9)), linear(x, 0, x + 24 * s, 0,
               [(0, (224, 230, 236)), (1, (176, 186, 198))]), navy)
    c.fill(rect(*P(13, 2), *P(16, 7)), navy)
    c.outlined(rect(*P(3, 13), *P(21, 24)), WHITE, navy)
    c.fill(rect(*P(6, 16), *P(18, 17)), (168, 186, 210))
    c.fill(rect(*P(6, 19.5), *P(15, 20.5)), (168, 186, 210))


def g_save(c):
    floppy(c, 4, 4, 1.0)


def g_form_props(c):
    c.outlined(rect(1, 3, 27, 25), WHITE, INK)
    c.fill(rect(2, 4, 26, 9), linear(0, 0, 26, 0, [(0, TEAL), (1, TEAL_HI)]))
    c.fill(rect(23, 5, 25, 7), WHITE)
    for yy, x1 in ((12, 16), (15, 14), (18, 12)):
        c.fill(rect(4, yy, x1, yy + 1.5), (170, 186, 198))
    gear = star_gear(22.5, 22.5, 6.6, 9.2, 8, tooth_frac=0.5, phase=math.pi / 8)
    c.erase(gear.grow(1.0))
    c.outlined(gear, linear(14, 14, 31, 31, [(0, ACCENT_HI), (1, ACCENT_LO)]), (110, 60, 0))
    c.outlined(circle(22.5, 22.5, 3.0), WHITE, (110, 60, 0))


def g_save_test(c):
    floppy(c, 1, 1, 0.95)
    tri = polygon([(16, 14), (31, 22.5), (16, 31)])
    c.erase(tri.grow(1.5))
    c.outlined(tri, linear(0, 14, 0, 31, [(0, (104, 214, 118)), (1, (36, 150, 62))]), GREEN_LO)


def pencil(c, tip_x, tip_y, angle, length=22.0, width=6.0):
    """A pencil lying along `angle` (degrees) with its point at (tip_x, tip_y)."""
    h = width / 2.0
    x, y = tip_x, tip_y
    cone = 6.0
    parts = [
        (polygon([(x, y), (x + cone, y - h), (x + cone, y + h)]), (242, 214, 166)),
        (rect(x + cone, y - h, x + length - 5, y + h), (250, 196, 40)),
        (rect(x + length - 5, y - h, x + length - 3, y + h), (176, 184, 194)),
        (rrect(x + length - 3.5, y - h, x + length, y + h, 1.0), (236, 112, 128)),
    ]
    edge = (70, 50, 30)
    outline = union(*[p for p, _ in parts]).rotated(angle, x, y)
    c.erase(outline.grow(1.0))
    c.fill(outline, edge)
    for p, col in parts:
        c.fill(p.grow(-1.0).rotated(angle, x, y), col)
    c.fill(polygon([(x, y), (x + 2.4, y - 1.2), (x + 2.4, y + 1.2)]).rotated(angle, x, y), edge)
    c.fill(rect(x + cone, y - 0.5, x + length - 5, y + 0.5).rotated(angle, x, y),
           (230, 160, 20))


def g_obj_props(c):
    c.outlined(rect(2, 6, 24, 28), linear(0, 6, 0, 28, [(0, (214, 236, 250)), (1, (160, 204, 236))]),
               (40, 96, 150))
    for hx, hy in ((2, 6), (24, 6), (2, 28), (24, 28)):
        c.outlined(rect(hx - 2, hy - 2, hx + 2, hy + 2), WHITE, INK)
    pencil(c, 9, 23, -45, length=26)


def chain_link(cx, cy, angle):
    outer = rrect(cx - 9, cy - 5, cx + 9, cy + 5, 5).rotated(angle, cx, cy)
    return outer.outline(4.0)


def g_link(c):
    teal = linear(0, 8, 0, 32, [(0, (120, 210, 216)), (1, TEAL)])
    amber = linear(0, 0, 0, 24, [(0, ACCENT_HI), (1, ACCENT_LO)])
    a = chain_link(11.5, 20.5, -45)
    b = chain_link(20.5, 11.5, -45)
    c.outlined(a, teal, TEAL_RIM)
    c.erase(b.grow(1.0))
    c.outlined(b, amber, (120, 64, 0))
    # Re-lay link a over b at one crossing so the two interlock.
    clip = circle(19, 20, 4.0)
    c.erase((a.grow(1.0)) & clip)
    c.fill(a & clip, TEAL_RIM)
    c.fill(a.grow(-1.0) & clip.grow(1.0), teal)


def g_select(c):
    a = arrow_shape(9, 3, 1.45)
    c.fill(a.moved(1.5, 1.5), (0, 0, 0, 90))
    c.outlined(a, WHITE, (16, 20, 24))


def letter_a(x0, y0, x1, y1):
    w, h = x1 - x0, y1 - y0

    def P(u, v):
        return (x0 + u * w, y0 + v * h)
    outer = polygon([P(0.38, 0), P(0.62, 0), P(1, 1), P(0.76, 1), P(0.68, 0.77),
                     P(0.32, 0.77), P(0.24, 1), P(0, 1)])
    counter = polygon([P(0.5, 0.22), P(0.615, 0.58), P(0.385, 0.58)])
    return outer - counter


def g_label(c):
    a = letter_a(1, 3, 23, 28)
    c.fill(a.moved(1, 1), (0, 0, 0, 60))
    c.outlined(a, linear(0, 3, 0, 28, [(0, TEAL_HI), (1, TEAL_LO)]), TEAL_RIM)
    add_plus(c)


def g_button(c):
    b = rrect(1, 6, 29, 23, 5)
    c.outlined(b, linear(0, 6, 0, 23, [(0, (140, 214, 240)), (0.5, (70, 160, 220)),
                                      (1, (36, 110, 190))]), (20, 64, 120))
    c.fill(rrect(3, 8, 27, 14, 3), (255, 255, 255, 90))
    # "OK" caption in strokes.
    c.fill(ring(10.5, 14.5, 3.3, 1.7), WHITE)
    c.fill(segment(16, 11.5, 16, 17.5, 1.7) | segment(16.6, 14.8, 19.6, 11.6, 1.7) |
           segment(17.2, 14.2, 19.8, 17.4, 1.7), WHITE)
    add_plus(c)


def picture(c, x0, y0, x1, y1, muted=False):
    c.outlined(rect(x0, y0, x1, y1), WHITE, INK)
    ix0, iy0, ix1, iy1 = x0 + 2, y0 + 2, x1 - 2, y1 - 2
    sky = [(0, (120, 190, 240)), (1, (206, 236, 252))]
    if muted:
        sky = [(0, (150, 176, 196)), (1, (214, 226, 234))]
    c.fill(rect(ix0, iy0, ix1, iy1), linear(0, iy0, 0, iy1, sky))
    w, h = ix1 - ix0, iy1 - iy0
    c.fill(circle(ix0 + w * 0.74, iy0 + h * 0.3, h * 0.17),
           (236, 190, 90) if muted else ACCENT)
    far = polygon([(ix0 + w * 0.28, iy1), (ix0 + w * 0.62, iy0 + h * 0.42),
                   (ix0 + w * 0.98, iy1)])
    near = polygon([(ix0, iy1), (ix0, iy0 + h * 0.74), (ix0 + w * 0.3, iy0 + h * 0.3),
                    (ix0 + w * 0.72, iy1)])
    c.fill(far & rect(ix0, iy0, ix1, iy1), (120, 160, 150) if muted else (60, 150, 110))
    c.fill(near & rect(ix0, iy0, ix1, iy1), (84, 120, 120) if muted else TEAL)


def g_image(c):
    picture(c, 1, 3, 27, 25)
    add_plus(c)


def g_avi(c):
    c.outlined(rect(3, 1, 23, 31), (52, 58, 68), (24, 28, 34))
    for yy in range(3, 30, 4):
        c.fill(rect(5, yy, 7, yy + 2), (236, 236, 236))
        c.fill(rect(19, yy, 21, yy + 2), (236, 236, 236))
    for fy0, fy1 in ((3, 14), (17, 29)):
        c.fill(rect(9, fy0, 17, fy1), linear(0, fy0, 0, fy1,
                                             [(0, (150, 210, 246)), (1, (56, 132, 200))]))
    c.fill(polygon([(11, 6), (15.5, 8.5), (11, 11)]), WHITE)
    add_plus(c)


def g_html(c):
    cx, cy, r = 13.5, 14.5, 12.5
    ball = circle(cx, cy, r)
    c.outlined(ball, radial(cx - 4, cy - 5, r * 1.6, [(0, (130, 200, 250)), (1, (24, 90, 176))]),
               (16, 56, 120))
    inner = circle(cx, cy, r - 1)
    land = (96, 196, 84)
    c.fill(polygon([(5, 8), (10, 5), (13, 8), (11, 12), (8, 16), (4, 14)]) & inner, land)
    c.fill(polygon([(16, 14), (21, 12), (25, 16), (20, 25), (16, 21)]) & inner, land)
    grid = (225, 242, 255, 170)
    c.fill(ellipse(cx, cy, 5.5, r).outline(1.2) & inner, grid)
    c.fill(rect(cx - 0.6, cy - r, cx + 0.6, cy + r) & inner, grid)
    c.fill(rect(cx - r, cy - 0.6, cx + r, cy + 0.6) & inner, grid)
    c.fill(rect(cx - r, cy - 6.8, cx + r, cy - 5.6) & inner, grid)
    c.fill(rect(cx - r, cy + 5.6, cx + r, cy + 6.8) & inner, grid)
    add_plus(c)


def g_rtf(c):
    page = polygon([(4, 1), (19, 1), (26, 8), (26, 31), (4, 31)])
    c.outlined(page, WHITE, INK)
    c.outlined(polygon([(19, 1), (19, 8), (26, 8)]), (220, 228, 236), INK)
    lines = [(11, 7, 16, (200, 50, 50), 2), (15, 7, 22, (40, 96, 190), 1.5),
             (18.5, 7, 20, INK, 1.5), (22, 7, 23, (40, 150, 70), 1.5),
             (25.5, 7, 16, INK, 1.5)]
    for yy, xa, xb, col, th in lines:
        c.fill(rect(xa, yy, xb, yy + th), col)
    add_plus(c)


def g_movie(c):
    dark = (44, 48, 56)
    c.outlined(rect(2, 16, 26, 30), linear(0, 16, 0, 30, [(0, (70, 76, 86)), (1, dark)]),
               (20, 22, 26))
    c.fill(rect(5, 20, 23, 21.2), (200, 204, 210))
    c.fill(rect(5, 24, 17, 25.2), (200, 204, 210))

    def striped_bar(y0, y1, angle):
        bar = rect(2, y0, 26, y1)
        stripes = [polygon([(x, y1), (x + 4, y0), (x + 8, y0), (x + 4, y1)]) for x in range(0, 26, 8)]
        c.fill(bar.rotated(angle, 2, y1), (20, 22, 26))
        c.fill(bar.grow(-1.0).rotated(angle, 2, y1), WHITE)
        for st in stripes:
            c.fill((st & bar.grow(-1.0)).rotated(angle, 2, y1), dark)

    striped_bar(12, 16, 0)
    striped_bar(7, 11.5, -12)
    c.fill(circle(3.5, 14, 1.5), (160, 166, 176))
    add_plus(c)


def g_check_disc(c):
    """A disc with a green tick over its lower right."""
    silver_disc(c, 13, 13, 12, hole=True, detail=1)
    tick = polygon([(13, 21), (17, 17), (21, 22), (28, 11), (32, 15), (21, 30)])
    c.erase(tick.grow(1.5))
    c.outlined(tick, linear(0, 11, 0, 30, [(0, (104, 214, 118)), (1, (36, 150, 62))]), GREEN_LO)


def g_cd(c):
    silver_disc(c, 16, 16, 15, hole=True, detail=1)


def g_fallback(c):
    picture(c, 2, 4, 30, 28, muted=False)
    # Small badge: the real picture could not be found.
    b = circle(25, 23, 5.5)
    c.erase(b.grow(1.0))
    c.outlined(b, (238, 240, 244), (110, 118, 130))
    c.fill(rect(24.2, 19.5, 25.8, 24.2), (90, 98, 110))
    c.fill(rect(24.2, 25.2, 25.8, 26.8), (90, 98, 110))


def g_dialog(c):
    pal = ellipse(14.5, 17, 13.5, 11).rotated(-12, 14.5, 17)
    thumb = circle(9, 22, 2.6)
    notch = circle(4, 14, 3.2)
    shape = pal - thumb - notch
    c.outlined(shape, linear(0, 6, 0, 28, [(0, (246, 226, 188)), (1, (222, 184, 130))]),
               (120, 80, 40))
    for (px, py), col in (((8, 11.5), (220, 50, 50)), ((14, 9), (250, 196, 40)),
                          ((20, 10.5), (50, 170, 80)), ((23.5, 16.5), (40, 110, 210)),
                          ((16, 21.5), TEAL)):
        blob = circle(px, py, 2.6)
        c.fill(blob, (0, 0, 0, 60))
        c.fill(blob.grow(-0.8), col)
    # Brush resting across the palette.
    x, y = 14, 21
    ang = -52
    handle = rrect(x + 9, y - 1.6, x + 22, y + 1.6, 1.6)
    ferrule = rect(x + 5, y - 1.8, x + 9, y + 1.8)
    tip = polygon([(x, y), (x + 2.5, y - 1.9), (x + 5, y - 1.9), (x + 5, y + 1.9),
                   (x + 2.5, y + 1.9)])
    out = union(handle, ferrule, tip).rotated(ang, x, y)
    c.erase(out.grow(1.0))
    c.fill(out, (40, 30, 24))
    c.fill(handle.grow(-1.0).rotated(ang, x, y), (170, 90, 40))
    c.fill(ferrule.grow(-1.0).rotated(ang, x, y), (196, 204, 214))
    c.fill(tip.grow(-0.9).rotated(ang, x, y), ACCENT)


# The align group: teal boxes against an ink guide line.
BOX_LO = (10, 66, 98)


def box(c, x0, y0, x1, y1):
    c.outlined(rect(x0, y0, x1, y1), linear(x0, y0, x1, y1, [(0, TEAL_HI), (1, TEAL)]), BOX_LO)


def g_align_lefts(c):
    c.fill(rect(3, 2, 5, 30), INK)
    box(c, 6, 5, 26, 12)
    box(c, 6, 19, 18, 26)


def g_align_tops(c):
    c.fill(rect(2, 3, 30, 5), INK)
    box(c, 5, 6, 12, 26)
    box(c, 19, 6, 26, 18)


def g_same_size(c):
    box(c, 3, 4, 15, 16)
    box(c, 17, 16, 29, 28)
    c.fill(rect(3, 20, 13, 21.5), INK)
    c.fill(rect(3, 18, 4.5, 24), INK)
    c.fill(rect(11.5, 18, 13, 24), INK)


def g_space_across(c):
    for x in (2, 12.5, 23):
        box(c, x, 10, x + 7, 22)
    c.fill(rect(9.5, 15.5, 12, 16.5) | rect(20, 15.5, 22.5, 16.5), INK)


def g_space_down(c):
    for y in (2, 12.5, 23):
        box(c, 10, y, 22, y + 7)
    c.fill(rect(15.5, 9.5, 16.5, 12) | rect(15.5, 20, 16.5, 22.5), INK)


def g_centre_window(c):
    c.outlined(rect(1, 3, 31, 29), WHITE, INK)
    c.fill(rect(2, 4, 30, 8), linear(0, 0, 30, 0, [(0, TEAL), (1, TEAL_HI)]))
    c.outlined(rect(10, 12, 22, 24), linear(10, 12, 22, 24, [(0, ACCENT_HI), (1, ACCENT)]), ACCENT_LO)


TOOLBAR = [None, None, g_open, g_save, g_form_props, g_save_test, g_obj_props,
           g_link, g_select, g_label, g_button, g_image, g_avi, g_html, g_rtf,
           g_movie, g_align_lefts, g_align_tops, g_same_size, g_space_across,
           g_space_down, g_centre_window, g_check_disc]


def keyed_glyph(draw):
    c = G()
    if draw:
        draw(c)
    return c.keyed(MAGENTA)


# --------------------------------------------------------------------------
# Logo: disc mark plus the name in simple round-stroke letters.


def word_shapes(x, base, xh, cap, sw):
    """Geometric lower-case strokes for "Corvela"; returns (shapes, end_x)."""
    h = sw / 2.0
    shapes = []
    gap = sw * 0.95
    # C
    rc = (cap - sw) / 2.0
    cy = base - cap / 2.0
    shapes.append(arc(x + rc + h, cy, rc, 40, 320, sw))
    x += 2 * rc + sw + gap * 0.7
    ro = (xh - sw) / 2.0
    oy = base - xh / 2.0
    # o
    shapes.append(ring(x + ro + h, oy, ro + h, ro - h))
    x += 2 * ro + sw + gap
    # r
    shapes.append(segment(x + h, base - xh + h, x + h, base - h, sw))
    shapes.append(arc(x + h + ro * 0.95, base - xh + h + ro * 0.95, ro * 0.95, 180, 295, sw))
    x += ro * 1.4 + sw + gap * 0.8
    # v
    vw = xh * 0.86
    shapes.append(polyline([(x + h, base - xh + h), (x + vw / 2, base - h),
                            (x + vw - h, base - xh + h)], sw))
    x += vw + gap
    # e
    ex = x + ro + h
    shapes.append(arc(ex, oy, ro, 35, 360, sw))
    shapes.append(segment(ex - ro, oy, ex + ro, oy, sw * 0.9))
    x += 2 * ro + sw + gap
    # l
    shapes.append(segment(x + h, base - cap + h, x + h, base - h, sw))
    x += sw + gap
    # a
    shapes.append(ring(x + ro + h, oy, ro + h, ro - h))
    shapes.append(segment(x + 2 * ro + h, base - xh + h, x + 2 * ro + h, base - h, sw))
    x += 2 * ro + sw
    return shapes, x


def logo():
    w, h = 180, 38
    c = Canvas(w, h)
    brand_disc(c, 19, 19, 16.5, hole=True, detail=1)
    shapes, end = word_shapes(43, 29.5, 15.5, 22, 3.6)
    word = union(*shapes)
    ink = linear(0, 7, 0, 30, [(0, (14, 104, 124)), (1, TEAL_LO)])
    c.fill(word, ink)
    # Accent dot, like a cursor resting after the name.
    c.fill(circle(end + 4.5, 27.7, 2.0), ACCENT)
    # Flatten last so the spindle hole shows the toolbar face.
    return flatten(c.pixels(), FACE), end


def aurora(w, h):
    """The demo disc's soft-edged PNG: a ribbon of northern lights with a few stars, straight
    (not premultiplied) RGBA rows.  Every edge fades out, so it only looks right when the player
    blends it over the gradient."""
    rows = []
    stars = [(0.12, 0.30), (0.46, 0.18), (0.83, 0.26), (0.66, 0.80), (0.28, 0.78)]
    for j in range(h):
        v = (j + 0.5) / h
        row = []
        for i in range(w):
            u = (i + 0.5) / w
            # The ribbon's centre line waves twice across; its glow falls off like a gaussian.
            centre = 0.5 + 0.18 * math.sin(u * 2 * math.pi * 1.3 + 0.6)
            d = (v - centre) / 0.16
            glow = math.exp(-d * d) * math.sin(math.pi * u) ** 0.6
            t = u
            col = [int(round(a + (b - a) * t)) for a, b in zip((90, 255, 170), (170, 120, 255))]
            # A bright core along the centre line.
            core = math.exp(-(d * 3.0) ** 2) * 0.6
            col = [int(round(c + (255 - c) * core)) for c in col]
            a = glow
            for sx, sy in stars:
                r = math.hypot((u - sx) * w, (v - sy) * h) / (0.035 * h)
                sa = math.exp(-r * r)
                if sa > 0.004:
                    col = [int(round(c * (1 - sa) + 255 * sa)) for c in col]
                    a = max(a, sa)
            row.append(tuple(col) + (int(round(255 * min(1.0, a))),))
        rows.append(row)
    return rows


# --------------------------------------------------------------------------
# Preview sheet


class Sheet:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = bytearray(bytes(bg) * (w * h))

    def put(self, rows, x, y, scale=2, bg=None):
        """rows: (r,g,b) or (r,g,b,a) tuples; alpha is composited."""
        for sy, row in enumerate(rows):
            line = bytearray()
            for p in row:
                if len(p) == 4 and p[3] < 255:
                    i = ((y + sy * scale) * self.w + x + len(line) // 3) * 3
                    a = p[3] / 255.0
                    under = self.px[i:i + 3]
                    p = tuple(int(p[k] * a + under[k] * (1 - a) + 0.5) for k in range(3))
                line += bytes(p[:3]) * scale
            for oy in range(scale):
                i = ((y + sy * scale + oy) * self.w + x) * 3
                self.px[i:i + len(line)] = line

    def box(self, x, y, w, h, col):
        for yy in range(y, y + h):
            i = (yy * self.w + x) * 3
            self.px[i:i + w * 3] = bytes(col) * w

    def png(self):
        raw = bytearray()
        stride = self.w * 3
        for y in range(self.h):
            raw.append(0)
            raw += self.px[y * stride:(y + 1) * stride]
        return png_raw(self.w, self.h, raw, 2)


def unkey(rows, bg):
    return [[bg if p == MAGENTA else p for p in row] for row in rows]


def preview(app, disc, menu16, keyed, toolbar_rows, logo_rows):
    """Everything at 2x on a light sheet; small icons again on a dark panel
    so their edges can be judged against both."""
    W, H = 1600, 860
    sh = Sheet(W, H, (214, 216, 220))
    sh.put(app[256], 16, 16)
    sh.put(disc[256], 552, 16)
    sh.box(1088, 290, W - 1088, 250, (48, 52, 60))
    for y0 in (16, 306):
        x = 1104
        for size in (48, 32, 24, 16):
            sh.put(app[size], x, y0)
            x += size * 2 + 16
        x = 1104
        for size in (48, 32, 16):
            sh.put(disc[size], x, y0 + 112)
            x += size * 2 + 16
        for size in (32, 16):
            sh.put(menu16[size], x + 16, y0 + 112)
            x += size * 2 + 16
    y = 560
    sh.put(toolbar_rows, 16, y)
    sh.put(unkey(toolbar_rows, FACE), 16, y + 80)
    x = 1104
    for name in ("FallbackGlyph", "CdIcon", "DialogPicture"):
        sh.put(keyed[name], x, y)
        sh.put(unkey(keyed[name], FACE), x, y + 80)
        x += 80
    sh.put(logo_rows, 16, 740)
    return sh.png()


# --------------------------------------------------------------------------
# Self-check of the written files


class ArtError(Exception):
    pass


def check(cond, msg):
    if not cond:
        raise ArtError(msg)


def read_bmp24(data, name):
    check(data[:2] == b"BM", name + ": not a BMP")
    size, _, _, off = struct.unpack_from("<IHHI", data, 2)
    check(size == len(data), name + ": file size field wrong")
    hs, w, h, planes, bpp, comp = struct.unpack_from("<IiiHHI", data, 14)
    check(hs == 40 and planes == 1 and bpp == 24 and comp == 0,
          name + ": not a plain 24-bit BITMAPINFOHEADER bitmap")
    check(h > 0, name + ": must be bottom-up")
    stride = (w * 3 + 3) & ~3
    check(off + stride * h == len(data), name + ": pixel data size wrong")

    def px(x, y_from_bottom):
        i = off + y_from_bottom * stride + x * 3
        return (data[i + 2], data[i + 1], data[i])
    return w, h, px


def check_ico(data, name, want):
    """want: list of (size, bpp, is_png)."""
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    check(reserved == 0 and typ == 1, name + ": bad ICONDIR")
    check(count == len(want), name + ": wrong number of images")
    for i, (size, bpp, is_png) in enumerate(want):
        bw, bh, colours, _, planes, bits, nbytes, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        check(bw == size % 256 and bh == size % 256, "%s: entry %d size" % (name, i))
        check(off + nbytes <= len(data), "%s: entry %d runs past the end" % (name, i))
        blob = data[off:off + nbytes]
        if is_png:
            check(blob[:8] == b"\x89PNG\r\n\x1a\n", "%s: entry %d not PNG" % (name, i))
            w, h, depth, ctype = struct.unpack_from(">IIBB", blob, 16)
            check((w, h, depth, ctype) == (size, size, 8, 6), "%s: PNG header" % name)
            raw = zlib.decompress(blob[blob.index(b"IDAT") + 4:])
            check(len(raw) == size * (size * 4 + 1), "%s: PNG data size" % name)
            continue
        hs, w, h, _, b = struct.unpack_from("<IiiHH", blob, 0)
        check(hs == 40 and w == size and h == 2 * size and b == bpp,
              "%s: entry %d DIB header" % (name, i))
        check(bits == bpp and planes == 1, "%s: entry %d directory bpp" % (name, i))
        check(colours == (16 if bpp == 4 else 0), "%s: entry %d colour count" % (name, i))
        pal = 16 * 4 if bpp == 4 else 0
        xor = ((size * bpp + 31) // 32) * 4 * size
        mask = ((size + 31) // 32) * 4 * size
        check(nbytes == 40 + pal + xor + mask, "%s: entry %d data size" % (name, i))


def self_check(out):
    def rd(n):
        with open(os.path.join(out, n), "rb") as f:
            return f.read()

    check_ico(rd("Corvela.ico"), "Corvela.ico",
              [(16, 32, False), (24, 32, False), (32, 32, False), (48, 32, False),
               (256, 32, True)])
    check_ico(rd("Default.ico"), "Default.ico",
              [(16, 32, False), (32, 32, False), (48, 32, False), (256, 32, True)])
    check_ico(rd("Menu.ico"), "Menu.ico", [(32, 4, False), (16, 4, False)])
    for name, size in (("FallbackGlyph.bmp", (32, 32)), ("Toolbar.bmp", (32 * len(TOOLBAR), 32)),
                       ("CdIcon.bmp", (32, 32)), ("DialogPicture.bmp", (32, 32))):
        w, h, px = read_bmp24(rd(name), name)
        check((w, h) == size, name + ": wrong size")
        check(px(0, 0) == MAGENTA, name + ": bottom-left pixel must be the key")
        for i in range(w // 32):
            inked = sum(px(x, y) != MAGENTA for x in range(i * 32, i * 32 + 32)
                        for y in range(32))
            blank = name == "Toolbar.bmp" and i < 2
            check((inked == 0) if blank else (inked > 120),
                  "%s: image %d %s" % (name, i, "should be blank" if blank else "is nearly empty"))
            if name == "Toolbar.bmp":
                check(px(i * 32, 0) == MAGENTA, "Toolbar.bmp: image %d corner" % i)
    w, h, px = read_bmp24(rd("Logo.bmp"), "Logo.bmp")
    check(170 <= w <= 190 and 34 <= h <= 42, "Logo.bmp: unexpected size")
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        check(px(x, y) == FACE, "Logo.bmp: background must be the toolbar face colour")
    check(rd("preview.png")[:8] == b"\x89PNG\r\n\x1a\n", "preview.png: bad signature")


# --------------------------------------------------------------------------


def main(argv):
    if len(argv) != 2:
        print("usage: make_art.py OUTDIR", file=sys.stderr)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)

    def write(name, data):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    app = {s: app_icon(s).pixels() for s in (16, 24, 32, 48)}
    big = app_icon(256).pixels()
    app[256] = big
    write("Corvela.ico", ico([(s, s, 0, 32, dib32(app[s])) for s in (16, 24, 32, 48)] +
                             [(256, 256, 0, 32, png(big))]))

    disc = {s: default_disc_icon(s).pixels() for s in (16, 32, 48, 256)}
    write("Default.ico", ico([(s, s, 0, 32, dib32(disc[s])) for s in (16, 32, 48)] +
                             [(256, 256, 0, 32, png(disc[256]))]))

    menu_entries, menu_view = [], {}
    for s in (32, 16):
        idx, opaque = menu_icon(s)
        menu_entries.append((s, s, 16, 4, dib4(idx, opaque)))
        menu_view[s] = [[VGA16[v] + (255,) if o else (0, 0, 0, 0)
                         for v, o in zip(ri, ro)] for ri, ro in zip(idx, opaque)]
    write("Menu.ico", ico(menu_entries))

    keyed = {}
    keyed["FallbackGlyph"] = keyed_glyph(g_fallback)
    keyed["CdIcon"] = keyed_glyph(g_cd)
    keyed["DialogPicture"] = keyed_glyph(g_dialog)
    for name, rows in keyed.items():
        write(name + ".bmp", bmp24(rows))

    glyphs = [keyed_glyph(d) for d in TOOLBAR]
    strip = [sum((g[y] for g in glyphs), []) for y in range(32)]
    write("Toolbar.bmp", bmp24(strip))

    logo_rows, _ = logo()
    write("Logo.bmp", bmp24(logo_rows))

    write("preview.png", preview(app, disc, menu_view, keyed, strip, logo_rows))
    self_check(out)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv))
    except ArtError as e:
        print("make_art: " + str(e), file=sys.stderr)
        sys.exit(1)
    except Exception as e:  # noqa: BLE001 - report any failure to the build
        print("make_art: failed: %s: %s" % (type(e).__name__, e), file=sys.stderr)
        sys.exit(1)
