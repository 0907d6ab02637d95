#!/usr/bin/env python3
"""Writes the media of the demo disc.

Usage: make_media.py OUTDIR [CONVERT]

The clip, the sound, the rich-text and HTML documents are written byte by byte
here; the pictures (JPEG, GIF, BMP, ICO) are drawn by ImageMagick's convert
(CONVERT, default "convert"), and the soft-edged PNG by the artwork generator.  Nothing is downloaded and nothing binary lives in
the source tree.
"""

import math
import os
import struct
import subprocess
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "art"))

from make_art import aurora  # noqa: E402
from raster import png  # noqa: E402

# The demo's palette (RGB).
NAVY = (12, 32, 74)
TEAL = (40, 140, 170)

# The clip lies on rows CLIP_TOP.. of the menu's inner panel (PANEL_HEIGHT rows, teal at the top
# fading to navy): its own background continues that gradient.
CLIP_TOP = 252
PANEL_HEIGHT = 472
GOLD = (240, 192, 48)
SILVER = (200, 208, 220)
WHITE = (255, 255, 255)


# ---------------------------------------------------------------- AVI

def chunk(fourcc, payload):
    pad = b"\0" if len(payload) % 2 else b""
    return fourcc + struct.pack("<I", len(payload)) + payload + pad


def riff_list(kind, fourcc, payload):
    return kind + struct.pack("<I", len(payload) + 4) + fourcc + payload


def avi(width, height, frames, fps):
    """An uncompressed 24-bit clip: every frame a list of rows of (r, g, b), top row first."""
    stride = (width * 3 + 3) & ~3
    size = stride * height
    usec = int(round(1_000_000 / fps))
    avih = struct.pack("<14I", usec, size * fps, 0, 0x10, len(frames), 0, 1, size, width, height, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, fps, 0, len(frames), size,
                       0xFFFFFFFF, 0, 0, 0, width, height)
    strf = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, size, 0, 0, 0, 0)
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + riff_list(
        b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movi = b""
    index = b""
    for rows in frames:
        data = bytearray()
        for row in reversed(rows):  # DIBs are stored bottom-up
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += b"\0" * (stride - len(line))
            data += line
        # Offsets in idx1 count from the "movi" fourcc.
        index += struct.pack("<4sIII", b"00db", 0x10, 4 + len(movi), len(data))
        movi += chunk(b"00db", bytes(data))
    body = hdrl + riff_list(b"LIST", b"movi", movi) + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(body) + 4) + b"AVI " + body


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def disc_frame(width, height, step, steps):
    """A spinning disc: silver with a rainbow sheen that turns, on the menu's gradient."""
    cx, cy = (width - 1) / 2, (height - 1) / 2
    outer = min(width, height) / 2 - 4
    hole = outer * 0.16
    hub = outer * 0.34
    turn = 2 * math.pi * step / steps
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            dx, dy = x - cx, y - cy
            d = math.hypot(dx, dy)
            background = mix(TEAL, NAVY, (CLIP_TOP + y) / (PANEL_HEIGHT - 1))
            if d > outer + 0.5 or d < hole - 0.5:
                row.append(background)
                continue
            if d < hub:
                colour = (150, 160, 176) if d > hole + 2 else (90, 100, 120)
            else:
                a = (math.atan2(dy, dx) - turn) % (2 * math.pi)
                # Two bright sheen lobes, coloured by angle, over silver.
                sheen = max(0.0, math.cos(2 * a)) ** 3
                hue = (a / (2 * math.pi)) * 6
                rainbow = [(255, 80, 80), (255, 220, 60), (80, 230, 120), (60, 200, 255), (140, 110, 255),
                           (255, 90, 200)][int(hue) % 6]
                colour = mix(SILVER, rainbow, 0.55 * sheen)
                colour = mix(colour, WHITE, 0.35 * sheen)
            edge = min(1.0, max(0.0, outer + 0.5 - d), max(0.0, d - hole + 0.5))
            row.append(mix(background, colour, edge))
        rows.append(row)
    return rows


# ---------------------------------------------------------------- WAV

def wav(seconds=0.9, rate=22050):
    """A two-note chime, 16-bit mono."""
    samples = bytearray()
    n = int(seconds * rate)
    for i in range(n):
        t = i / rate
        v = 0.0
        for start, freq in ((0.0, 784.0), (0.18, 1046.5)):
            if t >= start:
                u = t - start
                v += math.sin(2 * math.pi * freq * u) * math.exp(-5.0 * u) * 0.45
        samples += struct.pack("<h", int(max(-1.0, min(1.0, v)) * 32000))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"data", bytes(samples))
    return b"RIFF" + struct.pack("<I", len(body)) + body


# ---------------------------------------------------------------- documents

RTF = r"""{\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss Arial;}{\f1\froman Times New Roman;}}
{\colortbl ;\red12\green32\blue74;\red40\green140\blue170;\red90\green90\blue90;}
\viewkind4\uc1\pard\plain\f0\fs20
{\cf1\b\fs26 What's new in Aurora 3\par}
\sb60{\cf3\i Version 3.0, December 2026\par}
\pard\plain\f0\fs18\sb120
{\cf2\b Faster everywhere.}  The new 64-bit engine opens large raw files up to three times faster.\par
\pard\plain\f0\fs18\sb60\fi-200\li200\tx200
\bullet\tab Raw import for 420 cameras\par
\bullet\tab Non-destructive layers and masks\par
\bullet\tab Cloud albums you can share with a link\par
\bullet\tab Batch export to JPEG, PNG and TIFF\par
\pard\plain\f0\fs18\sb120
{\cf2\b Upgrading?}  Your catalogues and presets from version 2 are kept.\par
\pard\plain\f0\fs16\sb120{\cf3 Click \b Install Aurora\b0  to begin.}\par
}
"""

HTML = """<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="windows-1252">
<title>Aurora Photo Suite 3 - Read Me</title>
<style>
body { font-family: Arial, sans-serif; margin: 2em; color: #1a2433; background: #f4f7fb; }
h1 { color: #0c204a; }
h2 { color: #288caa; }
</style>
</head>
<body>
<h1>Aurora Photo Suite 3</h1>
<p>Thank you for choosing Aurora. This disc holds everything you need to install and learn the suite.</p>
<h2>System requirements</h2>
<ul>
<li>Windows 7 or later, 64-bit</li>
<li>4 GB of memory, 2 GB free disk space</li>
<li>A display of 1280 &times; 800 or more</li>
</ul>
<h2>Installing</h2>
<p>Click <b>Install Aurora</b> on the disc menu and follow the steps.</p>
<h2>Support</h2>
<p>Visit <a href="https://aurora.example.com/support">aurora.example.com/support</a>.</p>
</body>
</html>
"""

INSTALL_TXT = (
    "Aurora Photo Suite 3\r\n"
    "====================\r\n\r\n"
    "This demonstration disc contains no installer.\r\n"
    "On a real disc, the Install button of the menu would start Setup.exe here.\r\n"
)


# ---------------------------------------------------------------- pictures (ImageMagick)

def hexrgb(c):
    return "#%02x%02x%02x" % c


def run(convert, *args):
    subprocess.run([convert, *args], check=True)


def glyph(convert, path, draw, ink, background="#ff00ff"):
    """A 32 x 32 button glyph; the magenta of the bottom-left pixel is its transparent colour."""
    run(convert, "-size", "32x32", "xc:" + background, "+antialias", "-fill", ink, "-stroke", ink,
        "-strokewidth", "1", *draw, "-type", "TrueColor", "BMP3:" + path)


def glyph_shapes(name):
    if name == "install":  # an arrow into a tray
        return ["-draw", "polygon 12,3 20,3 20,13 26,13 16,23 6,13 12,13",
                "-draw", "rectangle 4,25 28,28"]
    if name == "readme":  # a page with lines
        return ["-draw", "polygon 7,3 20,3 26,9 26,29 7,29",
                "-fill", "#ff00ff", "-stroke", "#ff00ff",
                "-draw", "line 10,13 22,13", "-draw", "line 10,17 22,17", "-draw", "line 10,21 22,21",
                "-draw", "line 10,25 18,25"]
    if name == "browse":  # a folder
        return ["-draw", "polygon 3,8 12,8 15,11 29,11 29,27 3,27"]
    if name == "web":  # a globe
        return ["-fill", "none", "-strokewidth", "2", "-draw", "circle 16,16 16,4",
                "-draw", "ellipse 16,16 5,12 0,360", "-draw", "line 4,16 28,16",
                "-draw", "line 6,10 26,10", "-draw", "line 6,22 26,22"]
    if name == "exit":  # a cross
        return ["-strokewidth", "4", "-draw", "line 8,8 24,24", "-draw", "line 24,8 8,24"]
    raise ValueError(name)


def pictures(convert, out):
    media = os.path.join(out, "Media")
    glyphs = os.path.join(out, "Glyphs")
    os.makedirs(media, exist_ok=True)
    os.makedirs(glyphs, exist_ok=True)
    font = "DejaVu-Sans-Bold"

    # The product box, and a brighter one for hot tracking.
    for name, top, bottom in (("boxshot.jpg", "#1b3a6b", "#3fa7d6"), ("boxshot_hot.jpg", "#29548f", "#6cc8ee")):
        run(convert, "-size", "160x200", "gradient:%s-%s" % (top, bottom),
            "-fill", "#f0c030", "-draw", "rectangle 0,150 160,162",
            "-fill", "none", "-stroke", "#ffffff", "-strokewidth", "3", "-draw", "circle 80,92 80,62",
            "-stroke", "#f0c030", "-strokewidth", "2", "-draw", "circle 80,92 80,74",
            "-stroke", "none", "-fill", "white", "-font", font, "-pointsize", "24",
            "-gravity", "north", "-annotate", "+0+14", "AURORA",
            "-pointsize", "11", "-annotate", "+0+42", "PHOTO SUITE",
            "-fill", "#0c204a", "-pointsize", "10", "-gravity", "south", "-annotate", "+0+40", "VERSION 3",
            "-fill", "white", "-pointsize", "9", "-annotate", "+0+12", "for Windows",
            "-quality", "90", os.path.join(media, name))

    # A "NEW" badge: a GIF with a transparent background.
    run(convert, "-size", "64x64", "xc:none", "-fill", "#e03c31", "-stroke", "#ffffff", "-strokewidth", "2",
        "-draw", "polygon 32,2 39,15 54,10 49,25 62,32 49,39 54,54 39,49 32,62 25,49 10,54 15,39 2,32 15,25 "
        "10,10 25,15",
        "-stroke", "none", "-fill", "white", "-font", font, "-pointsize", "14", "-gravity", "center",
        "-annotate", "+0+0", "NEW", os.path.join(media, "new.gif"))

    # Northern lights at twice the size they are shown, so they stay sharp on a 200 % screen.
    with open(os.path.join(media, "aurora.png"), "wb") as f:
        f.write(png(aurora(320, 80)))

    for name, ink, hot in (("install", "#ffffff", "#f0c030"), ("readme", "#ffffff", "#f0c030"),
                           ("browse", "#ffffff", "#f0c030"), ("web", "#ffffff", "#f0c030"),
                           ("exit", "#ffffff", "#ff7a6e")):
        glyph(convert, os.path.join(glyphs, name + ".bmp"), glyph_shapes(name), ink)
        glyph(convert, os.path.join(glyphs, name + "_hot.bmp"), glyph_shapes(name), hot)

    # The disc icon (also the menu window's icon), 32 x 32 and 16 x 16.
    icon_src = os.path.join(out, "icon.png")
    run(convert, "-size", "64x64", "xc:none",
        "-fill", hexrgb(SILVER), "-stroke", hexrgb(NAVY), "-strokewidth", "3", "-draw", "circle 32,32 32,3",
        "-fill", hexrgb(TEAL), "-stroke", "none", "-draw", "circle 32,32 32,14",
        "-fill", "#f0c030", "-draw", "circle 32,32 32,22",
        "-fill", "none", "-stroke", hexrgb(NAVY), "-strokewidth", "2", "-draw", "circle 32,32 32,27",
        "PNG32:" + icon_src)
    run(convert, icon_src, "-define", "icon:auto-resize=32,16", os.path.join(out, "AutoRun.ico"))
    os.remove(icon_src)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    out = sys.argv[1]
    convert = sys.argv[2] if len(sys.argv) == 3 else "convert"
    os.makedirs(os.path.join(out, "Media"), exist_ok=True)
    os.makedirs(os.path.join(out, "Setup"), exist_ok=True)

    steps = 16
    frames = [disc_frame(120, 90, i, steps) for i in range(steps)]
    with open(os.path.join(out, "Media", "intro.avi"), "wb") as f:
        f.write(avi(120, 90, frames, 10))
    with open(os.path.join(out, "Media", "start.wav"), "wb") as f:
        f.write(wav())
    with open(os.path.join(out, "Media", "whatsnew.rtf"), "wb") as f:
        f.write(RTF.replace("\n", "\r\n").encode("cp1252"))
    with open(os.path.join(out, "ReadMe.html"), "wb") as f:
        f.write(HTML.replace("\n", "\r\n").encode("cp1252"))
    with open(os.path.join(out, "Setup", "Install.txt"), "wb") as f:
        f.write(INSTALL_TXT.encode("cp1252"))
    pictures(convert, out)


if __name__ == "__main__":
    main()
