#!/usr/bin/env python3
"""Write the touch controls' pictures, art/touch/*.svg: wooden buttons like the title's and the panel's.

Each button is 92 x 92 (a 100-pixel cell less a margin) with an icon and a word below it; its lit
version (menu open, inventory open, names held) is brighter with a yellow rim. The verb buttons
carry the cursor's own drawings, scaled up, so the verb reads the same on the button and on the
pointer. The menu's entries are 292 x 92 planks with their word. Run this script again after
changing a cursor picture or anything below.
"""
import os
import re

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
ART = os.path.join(ROOT, "art")
INK = "#2b1d14"
SIZE = 92


def plank(width, lit):
    """The wooden face: outline, wood, a light top edge, a dark bottom edge, two pegs."""
    fill, top, bottom = ("#f0b860", "#ffe3a6", "#c4823c") if lit else ("#d99a52", "#f6c98a", "#a8692e")
    parts = [
        f'<rect x="1" y="1" width="{width - 2}" height="{SIZE - 2}" rx="12" fill="{INK}"/>',
        f'<rect x="3.5" y="3.5" width="{width - 7}" height="{SIZE - 7}" rx="10" fill="{fill}"/>',
        f'<path d="M13 4 H{width - 13} Q{width - 4} 4 {width - 4} 13 V16 H4 V13 Q4 4 13 4 Z" fill="{top}"/>',
        f'<path d="M4 {SIZE - 14} H{width - 4} V{SIZE - 13} Q{width - 4} {SIZE - 4} {width - 13} {SIZE - 4} H13'
        f' Q4 {SIZE - 4} 4 {SIZE - 13} Z" fill="{bottom}"/>',
    ]
    if lit:
        parts.append(f'<rect x="6" y="6" width="{width - 12}" height="{SIZE - 12}" rx="8" fill="none" '
                     f'stroke="#fff3b0" stroke-width="3"/>')
    return "\n  ".join(parts)


def word(text, x, y, size):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans" font-weight="bold" font-size="{size}" '
            f'text-anchor="middle" fill="#fff3b0" stroke="#5a3316" stroke-width="3.5" stroke-linejoin="round" '
            f'paint-order="stroke">{text}</text>')


def cursor_drawing(name):
    """The inside of a cursor picture (32 x 32), scaled to about 52 pixels over the word."""
    with open(os.path.join(ART, "cursor", name + ".svg")) as f:
        svg = f.read()
    inner = re.search(r"<svg[^>]*>(.*)</svg>", svg, re.S).group(1).strip()
    return f'<g transform="translate(20 7) scale(1.62)">\n  {inner}\n  </g>'


ICONS = {
    # a woven bag, tied at the neck
    "inventory": f'''<g stroke="{INK}" stroke-width="2.5" stroke-linejoin="round">
    <path d="M34 24 C30 32 22 38 24 52 C26 62 36 64 46 64 C56 64 66 62 68 52 C70 38 62 32 58 24 Z" fill="#c8a165"/>
    <path d="M33 17 L40 24 L52 24 L59 17 C52 20 40 20 33 17 Z" fill="#c8a165"/>
    <path d="M36 24 H56" fill="none" stroke="#8a5a2b" stroke-width="3"/>
  </g>
  <path d="M30 40 Q46 46 62 40 M28 50 Q46 56 64 50" fill="none" stroke="#8a5a2b" stroke-width="2"/>''',
    # a name tag on a string
    "names": f'''<g stroke="{INK}" stroke-width="2.5" stroke-linejoin="round">
    <path d="M26 30 L38 18 H68 V50 H38 L26 38 Z" fill="#fff6dc"/>
    <circle cx="34" cy="34" r="3" fill="#d99a52"/>
  </g>
  <path d="M34 34 C28 44 24 52 30 60" fill="none" stroke="{INK}" stroke-width="2"/>
  <path d="M44 28 H62 M44 35 H58 M44 42 H62" stroke="#8a5a2b" stroke-width="3" stroke-linecap="round"/>''',
    # a question mark in a speech bubble
    "hint": f'''<g stroke="{INK}" stroke-width="2.5" stroke-linejoin="round">
    <path d="M22 16 H70 Q76 16 76 22 V50 Q76 56 70 56 H44 L32 66 L34 56 H22 Q16 56 16 50 V22 Q16 16 22 16 Z"
          fill="#fff6dc"/>
  </g>
  <path d="M38 30 Q38 22 46 22 Q54 22 54 29 Q54 34 47 37 V42" fill="none" stroke="#8a5a2b" stroke-width="5"
        stroke-linecap="round" stroke-linejoin="round"/>
  <circle cx="47" cy="49" r="3.2" fill="#8a5a2b"/>''',
    # three bars
    "menu": f'''<g stroke="{INK}" stroke-width="2.5">
    <rect x="26" y="20" width="40" height="8" rx="4" fill="#fff6dc"/>
    <rect x="26" y="33" width="40" height="8" rx="4" fill="#fff6dc"/>
    <rect x="26" y="46" width="40" height="8" rx="4" fill="#fff6dc"/>
  </g>''',
}

BUTTONS = {
    # file: (label, icon, lit)
    "walk": ("Walk", cursor_drawing("cursor0"), False),
    "take": ("Take", cursor_drawing("cursor1"), False),
    "look": ("Look", cursor_drawing("cursor2"), False),
    "talk": ("Talk", cursor_drawing("cursor3"), False),
    "item": ("", "", False),  # the game draws the held item over it
    "inventory": ("Items", ICONS["inventory"], False),
    "inventory_on": ("Items", ICONS["inventory"], True),
    "names": ("Names", ICONS["names"], False),
    "names_on": ("Names", ICONS["names"], True),
    "hint": ("Hint", ICONS["hint"], False),
    "menu": ("Menu", ICONS["menu"], False),
    "menu_on": ("Menu", ICONS["menu"], True),
}

ENTRIES = {"sound": "Sound on / off", "fullscreen": "Full screen", "quit": "Quit"}


def write(name, width, comment, body):
    path = os.path.join(ART, "touch", name + ".svg")
    with open(path, "w") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                f'width="{width}" height="{SIZE}" viewBox="0 0 {width} {SIZE}">\n'
                f'  <!-- {comment} (written by tools/art/gen_touch.py) -->\n  {body}\n</svg>\n')


def main():
    os.makedirs(os.path.join(ART, "touch"), exist_ok=True)
    for name, (label, icon, lit) in BUTTONS.items():
        parts = [plank(SIZE, lit)]
        if icon:
            parts.append(icon)
        if label:
            parts.append(word(label, SIZE // 2, 81, 15))
        write(name, SIZE, f"touch control: {name.replace('_', ' ')}", "\n  ".join(parts))
    for name, label in ENTRIES.items():
        write(name, 292, f"touch menu entry: {label}", plank(292, False) + "\n  " + word(label, 146, 56, 28))


if __name__ == "__main__":
    main()
