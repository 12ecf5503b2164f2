#!/usr/bin/python3
"""Draws the main window's frame skin and the program icon (python3-pil); writes
resources/skin/frame_skin.bmp and resources/skin/tolvan.ico beside this tree.

The frame skin is cut by the main window: a 38-pixel caption band (its left and right 50
pixels drawn as they are, the 5 pixels after the left end stretched across the middle),
8-pixel borders and 38-pixel bottom corners."""

import os

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "skin")

WIDTH, HEIGHT = 160, 120
CAPTION = 38
BORDER = 8
CAPTION_TOP = (196, 212, 232)
CAPTION_BOTTOM = (150, 174, 204)
EDGE = (120, 146, 180)
OUTLINE = (70, 92, 124)
GLOSS = (228, 236, 246)


def blend(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def frame_skin():
    image = Image.new("RGB", (WIDTH, HEIGHT), EDGE)
    draw = ImageDraw.Draw(image)
    for y in range(CAPTION):
        draw.line([0, y, WIDTH - 1, y], fill=blend(CAPTION_TOP, CAPTION_BOTTOM, y / (CAPTION - 1)))
    # A gloss along the top of the caption's two ends (the stretched middle has none).
    for y in (1, 2):
        draw.line([1, y, 49, y], fill=GLOSS)
        draw.line([WIDTH - 50, y, WIDTH - 2, y], fill=GLOSS)
    # The client's place inside the borders (never drawn: the window excludes it).
    draw.rectangle([BORDER, CAPTION, WIDTH - BORDER - 1, HEIGHT - BORDER - 1], fill=(240, 240, 240))
    draw.rectangle([0, 0, WIDTH - 1, HEIGHT - 1], outline=OUTLINE)
    draw.line([BORDER - 1, CAPTION, BORDER - 1, HEIGHT - BORDER], fill=OUTLINE)
    draw.line([WIDTH - BORDER, CAPTION, WIDTH - BORDER, HEIGHT - BORDER], fill=OUTLINE)
    draw.line([BORDER - 1, HEIGHT - BORDER, WIDTH - BORDER, HEIGHT - BORDER], fill=OUTLINE)
    image.save(os.path.join(OUT, "frame_skin.bmp"))


def icon():
    size = 64
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse([2, 2, size - 3, size - 3], fill=(200, 30, 30, 255), outline=(120, 10, 10, 255), width=3)
    # A rising candle pair: the terminal's mark.
    draw.rectangle([18, 28, 28, 48], fill=(255, 255, 255, 255))
    draw.line([23, 20, 23, 54], fill=(255, 255, 255, 255), width=2)
    draw.rectangle([36, 16, 46, 38], fill=(255, 220, 80, 255))
    draw.line([41, 10, 41, 44], fill=(255, 220, 80, 255), width=2)
    image.save(os.path.join(OUT, "tolvan.ico"), sizes=[(16, 16), (32, 32), (48, 48)], bitmap_format="bmp")


if __name__ == "__main__":
    frame_skin()
    icon()
