#!/usr/bin/python3
"""Draws the six 16 x 16 state images of the fills window's radio buttons into images/ beside
this file (Debian's python3 with python3-pil). The ring's colour tells the state (grey normal,
blue under the mouse, dark blue pressed); a checked radio has a dot in the middle."""

import os

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "images")

RINGS = {"normal": (150, 150, 150, 255), "hover": (0, 120, 215, 255), "pressed": (0, 60, 120, 255)}
DOT = (40, 40, 40, 255)


def radio(ring, checked):
    image = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse([1, 1, 14, 14], fill=(255, 255, 255, 255), outline=ring, width=2)
    if checked:
        draw.ellipse([5, 5, 10, 10], fill=DOT)
    return image


def main():
    os.makedirs(OUT, exist_ok=True)
    for state, ring in RINGS.items():
        radio(ring, True).save(os.path.join(OUT, "radio_checked_%s.png" % state))
        radio(ring, False).save(os.path.join(OUT, "radio_unchecked_%s.png" % state))


if __name__ == "__main__":
    main()
