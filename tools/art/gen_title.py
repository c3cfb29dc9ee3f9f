#!/usr/bin/env python3
"""Write the title lettering "Vudizid Ozazi" into art/startscreen2.svg as brush strokes.

Each letter is a few strokes drawn through hand-placed points (below, in a box 100 high with the
baseline at y 100 and the top of the small letters at about y 40).  Every stroke becomes a filled
shape that swells and thins like a brush mark; the letters get a dark outline, a yellow-to-orange
fill, a light streak along their upper left and a soft shadow.  No typeface is involved.  The
lettering replaces the <g id="title"> group of the title picture; run this script again after
changing a letter.
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scenery import INK, f0, stroke  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
SVG = os.path.join(ROOT, "art", "startscreen2.svg")

# letter: (advance, strokes); a stroke is a list of points, optionally followed by a width factor
LETTERS = {
    "V": (70, [[(-6, 8), (2, 0), (12, 34), (28, 100)], [(28, 100), (44, 48), (58, 6), (72, -4)]]),
    "u": (52, [[(0, 44), (2, 80), (14, 100), (30, 96), (40, 70), (42, 42)], [(42, 44), (42, 86), (52, 102)]]),
    "d": (60, [[(44, 54), (30, 40), (10, 46), (0, 72), (8, 96), (26, 100), (44, 80)],
               [(52, -4), (48, 46), (45, 88), (56, 102)]]),
    "i": (22, [[(8, 44), (6, 80), (16, 102)], ([(5, 22), (11, 19)], 1.6)]),
    "z": (50, [[(0, 46), (22, 42), (44, 40)], [(44, 40), (22, 70), (2, 100)], [(2, 100), (24, 98), (48, 102)]]),
    "O": (76, [[(36, 0), (10, 16), (0, 54), (14, 92), (40, 102), (66, 84), (72, 44), (58, 8), (30, 2), (18, 12)]]),
    "a": (58, [[(44, 54), (28, 40), (8, 48), (0, 74), (10, 98), (28, 98), (44, 78)], [(46, 42), (44, 84), (56, 102)]]),
}
WIDTH = 17    # brush width in the letter box
GAP = 10      # between letters
# word, left x, baseline y, scale, rotation about its middle
WORDS = [("Vudizid", 214, 166, 1.12, -4), ("Ozazi", 420, 300, 1.12, 3)]


def word_strokes(word, x0, y0, scale):
    out = []
    x = x0
    for ch in word:
        advance, strokes = LETTERS[ch]
        for st in strokes:
            points, factor = st if isinstance(st, tuple) else (st, 1.0)
            out.append(([(x + px * scale, y0 + (py - 100) * scale) for px, py in points], WIDTH * scale * factor))
        x += (advance + GAP) * scale
    return out, x - GAP * scale


def lettering():
    parts = ['  <g id="title">',
             '    <!-- hand-lettered by tools/art/gen_title.py: brush strokes, no typeface -->']
    for k, (word, x0, y0, scale, angle) in enumerate(WORDS):
        strokes, x1 = word_strokes(word, x0, y0, scale)
        top = y0 - 100 * scale
        grad = f"titleFill{k}"
        parts.append(f'    <linearGradient id="{grad}" gradientUnits="userSpaceOnUse" x1="0" y1="{f0(top)}" x2="0" '
                     f'y2="{f0(y0)}"><stop offset="0" stop-color="#fff3a0"/><stop offset="0.55" stop-color="#ffd23f"/>'
                     f'<stop offset="1" stop-color="#ff8a1f"/></linearGradient>')
        cx, cy = (x0 + x1) / 2, y0 - 50 * scale
        parts.append(f'    <g id="title-{word.lower()}" transform="rotate({angle} {f0(cx)} {f0(cy)})">')
        shadow = [stroke([(x + 7, y + 9) for x, y in pts], w + 9, INK, 0.8, 0.7, 24) for pts, w in strokes]
        parts.append('      <g opacity="0.5">' + "".join(shadow) + "</g>")
        parts.append("      <g>" + "".join(stroke(pts, w + 9, INK, 0.8, 0.7, 24) for pts, w in strokes) + "</g>")
        parts.append("      <g>" + "".join(stroke(pts, w, f"url(#{grad})", 0.7, 0.6, 24) for pts, w in strokes) + "</g>")
        shine = []
        for pts, w in strokes:
            if len(pts) < 3:
                continue
            k_ = max(3, len(pts) // 2 + 1)
            shine.append(stroke([(x - w * 0.14, y - w * 0.14) for x, y in pts[1:k_]], w * 0.2, "#fffbe0", 0.1, 0.1, 14))
        parts.append('      <g opacity="0.85">' + "".join(shine) + "</g>")
        parts.append("    </g>")
    parts.append("  </g>")
    return "\n".join(parts)


def main():
    text = open(SVG).read()
    new, n = re.subn(r'  <g id="title".*?\n  </g>\n(?=</svg>)', lettering() + "\n", text, flags=re.S)
    if n != 1:
        sys.exit(f"{SVG}: no title group at the end of the picture")
    with open(SVG, "w") as f:
        f.write(new)


if __name__ == "__main__":
    main()
