#!/usr/bin/python3
"""Draws the program's skin images: the caption-button strips, the combo-box arrows and the
animated splash image. Run with Debian's python3 (python3-pil) from anywhere; writes into resources/skin/ beside this tree.

Every caption-button strip holds three frames side by side (normal, hover, pressed), the
order in which the caption buttons pick their frame by state."""

import math
import os

from PIL import Image, ImageDraw

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "skin")

FRAME_FILLS = [(0, 0, 0, 0), (90, 110, 140, 255), (40, 60, 90, 255)]
GLYPH = (235, 235, 235, 255)


def strip(width, height, frames, draw_glyph):
    image = Image.new("RGBA", (width * frames, height), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    for index in range(frames):
        left = index * width
        fill = FRAME_FILLS[index % len(FRAME_FILLS)]
        if fill[3]:
            draw.rounded_rectangle([left, 0, left + width - 1, height - 1], 3, fill=fill)
        draw_glyph(draw, left, width, height)
    return image


def glyph_minimise(draw, left, width, height):
    draw.rectangle([left + 5, height - 7, left + width - 6, height - 6], fill=GLYPH)


def glyph_maximise(draw, left, width, height):
    draw.rectangle([left + 5, 5, left + width - 6, height - 6], outline=GLYPH, width=1)
    draw.line([left + 5, 6, left + width - 6, 6], fill=GLYPH)


def glyph_close(draw, left, width, height):
    draw.line([left + 5, 5, left + width - 6, height - 6], fill=GLYPH, width=2)
    draw.line([left + width - 6, 5, left + 5, height - 6], fill=GLYPH, width=2)


def glyph_text_button(draw, left, width, height):
    # The caption is drawn by the program over the frame; the skin gives the button a rim.
    draw.rounded_rectangle([left, 0, left + width - 1, height - 1], 3, outline=(200, 210, 225, 255))


def glyph_none(draw, left, width, height):
    pass


def combo_arrow(colour):
    image = Image.new("RGBA", (17, 20), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.polygon([(4, 8), (12, 8), (8, 13)], fill=colour)
    return image


def heart_points(cx, cy, size):
    points = []
    for step in range(64):
        t = 2 * math.pi * step / 64
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        points.append((cx + x * size / 17, cy - y * size / 17))
    return points


def hearts():
    frames = []
    for index in range(8):
        frame = Image.new("P", (160, 90), 0)
        frame.putpalette([246, 246, 246, 220, 40, 60, 250, 150, 170] + [0] * (253 * 3))
        draw = ImageDraw.Draw(frame)
        for heart in range(3):
            phase = (index + heart * 3) % 8
            size = 14 + 6 * math.sin(math.pi * phase / 8)
            draw.polygon(heart_points(35 + heart * 45, 45, size), fill=1 if heart != 1 else 2)
        frames.append(frame)
    return frames


def main():
    os.makedirs(OUT, exist_ok=True)
    strips = {
        "caption_minimise.png": (20, 20, glyph_minimise),
        "caption_maximise.png": (20, 20, glyph_maximise),
        "caption_close.png": (20, 20, glyph_close),
        "caption_trade.png": (53, 20, glyph_text_button),
        "caption_console.png": (53, 20, glyph_text_button),
        "caption_risk.png": (65, 20, glyph_text_button),
    }
    for name, (width, height, glyph) in strips.items():
        strip(width, height, 3, glyph).save(os.path.join(OUT, name))
    combo_arrow((60, 60, 60, 255)).save(os.path.join(OUT, "combo_arrow_normal.png"))
    combo_arrow((20, 60, 140, 255)).save(os.path.join(OUT, "combo_arrow_hover.png"))
    combo_arrow((255, 255, 255, 255)).save(os.path.join(OUT, "combo_arrow_pressed.png"))
    frames = hearts()
    frames[0].save(os.path.join(OUT, "hearts.gif"), save_all=True, append_images=frames[1:],
                   duration=100, loop=0)


if __name__ == "__main__":
    main()
