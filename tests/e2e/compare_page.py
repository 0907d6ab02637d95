#!/usr/bin/env python3
"""Compares the player's screenshot of a menu with a browser's screenshot of its start page.

Usage: compare_page.py PLAYER.png PAGE.png PROJECT.json INNER_LEFT INNER_TOP

Where the pixels are the menu's own (the background beside the objects, and the pictures), the
two must agree within a small tolerance; the first line of each label's and button's caption
must start within a few pixels of the same place. Prints what it measured; exits 1 on a drift.
"""
import json
import subprocess
import sys

COLOUR_TOLERANCE = 24    # per channel, for one pixel
AGREEING_SHARE = 0.95    # of the pixels of an area
TEXT_DRIFT = 3           # pixels, for the first line's top and left


def load(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True, text=True, check=True)
    width, height = map(int, size.stdout.split())
    raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return width, height, raw


def at(image, x, y):
    width, _, raw = image
    i = 3 * (y * width + x)
    return raw[i], raw[i + 1], raw[i + 2]


def agreeing_share(a, b, rect):
    left, top, right, bottom = rect
    total = agree = 0
    for y in range(top, bottom):
        for x in range(left, right):
            total += 1
            if all(abs(p - q) <= COLOUR_TOLERANCE for p, q in zip(at(a, x, y), at(b, x, y))):
                agree += 1
    return agree / total if total else 1.0


def rgb_of(colour):
    return colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF


def text_origin(image, rect, colour):
    """The top and left of the pixels in the font's colour inside rect, or None."""
    left, top, right, bottom = rect
    width, height, _ = image
    found_top = found_left = None
    for y in range(max(top, 0), min(bottom, height)):
        for x in range(max(left, 0), min(right, width)):
            if all(abs(p - q) <= 40 for p, q in zip(at(image, x, y), colour)):
                found_top = y if found_top is None else found_top
                found_left = x if found_left is None else min(found_left, x)
    return None if found_top is None else (found_left, found_top)


def main():
    player, page = load(sys.argv[1]), load(sys.argv[2])
    project = json.load(open(sys.argv[3], encoding="utf-8"))
    dx, dy = int(sys.argv[4]), int(sys.argv[5])
    failures = []

    def bounds(control, inset=0):
        return (control["Left"] + dx + inset, control["Top"] + dy + inset,
                control["Left"] + dx + control["Width"] - inset, control["Top"] + dy + control["Height"] - inset)

    # The background beside the objects: the window's edge with its bevels, and the strip of the
    # gradient left of every object.
    objects = project["Objects"]
    first_left = min(o["Control"]["Left"] for o in objects)
    areas = [("bevels and gradient left of the objects", (0, 0, first_left + dx, player[1]))]
    # Pictures: images and the buttons' glyphs (the whole button, its caption left out by the colour
    # test being on the pictures' own pixels only where the caption is not).
    for o in objects:
        if o["Kind"] == 2 and o["Control"].get("Width", 0) > 0:
            areas.append(("picture " + o["Control"].get("Name", ""), bounds(o["Control"])))
    for name, rect in areas:
        share = agreeing_share(player, page, rect)
        print(f"{name}: {share:.3f} of the pixels agree")
        if share < AGREEING_SHARE:
            failures.append(f"{name}: only {share:.3f} of the pixels agree")

    for o in objects:
        control = o["Control"]
        caption = control.get("Caption", "").strip()
        if o["Kind"] not in (0, 1) or not caption or o.get("Link", {}).get("Action") == 7:
            continue
        colour = rgb_of(control["Font"]["Color"])
        rect = bounds(control)
        p, q = text_origin(player, rect, colour), text_origin(page, rect, colour)
        name = control.get("Name", caption)
        print(f"{name}: first line at {p} in the player, {q} on the page")
        if p is None or q is None:
            failures.append(f"{name}: no text in its colour in {'the player' if p is None else 'the page'}")
        elif abs(p[0] - q[0]) > TEXT_DRIFT or abs(p[1] - q[1]) > TEXT_DRIFT:
            failures.append(f"{name}: the first line drifts from {p} to {q}")

    for f in failures:
        print("FAIL: " + f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
