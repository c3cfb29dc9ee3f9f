#!/usr/bin/env python3
"""Draws the raft and its engine: the raft at the village shore (art/objects/o.svg), its inventory icon
(o_inv.svg), the engine made from the chainsaw (p.svg) and the motorised raft icon (q.svg). The hero's
ending picture (tools/art/figures.py) takes the same deck and engine from here, so all of them match.

The raft is a low deck of logs lying side by side, seen from the side at eye level: the back logs peek
over the front ones, and the front log lies half in the water, cut by a wavy waterline with foam on it.
Light comes from the upper left: a light strip along the top of each log, a dark one along its bottom.

Run from the repository root:  python3 tools/art/raft.py
"""
import os

OUT = "#2b1d14"
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))

WOOD, WOOD_D, WOOD_L, CUT, ROPE, ROPE_D = "#b07a3f", "#8a5a2b", "#cf9a5a", "#e0b47a", "#d9c28a", "#a8915a"

# The village lagoon and the dusky sea of the closing picture: foam, ripples, and the shadow under the raft.
LAGOON = dict(foam="#e8fbff", ripple="#a8e3f2", shadow="#4fa6cc")
DUSK = dict(foam="#f6dcc4", ripple="#6a6ca6", shadow="#262b5a")

# Logs from the back to the front: height of the centre below the deck top, half-height (at scale 1).
DECK_ROWS = ((0, 8), (5, 9), (11, 10), (18, 11.5), (27, 13))
ICON_ROWS = ((0, 7), (7, 8), (16, 10))
# How far each log falls short of the deck's ends, so the ends look hand-cut.
SHORT_LEFT = (6, 2, 4, 0, 3)
SHORT_RIGHT = (3, 6, 1, 4, 0)


def f(v):
    s = f"{v:.1f}"
    return s[:-2] if s.endswith(".0") else s


def waterline_y(top, k=1.0, rows=DECK_ROWS):
    """The waterline runs along the middle of the front log, a little below its centre."""
    return top + (rows[-1][0] + 1) * k


def wave(x0, x1, y, amp, step):
    """A wavy line from x0 to x1 around y, as path commands after an M to its start."""
    d, x, up = "", x0, True
    while x < x1:
        nx = min(x + step, x1)
        d += f" Q{f((x + nx) / 2)},{f(y - amp if up else y + amp)} {f(nx)},{f(y)}"
        x, up = nx, not up
    return d


def deck(pre, x0, top, width, k=1.0, sw=2.0, rows=DECK_ROWS, lashings=(0.14, 0.5, 0.86), water=LAGOON):
    """The raft from x0 to x0 + width, its back log's centre at `top`; k scales the logs, sw is the
    outline width in pixels. Returns SVG markup; `pre` keeps the clip path's id unique in a file."""
    yw = waterline_y(top, k, rows)
    x1 = x0 + width
    parts = [f'<g id="{pre}raft" stroke="{OUT}" stroke-width="{f(sw)}" stroke-linejoin="round" stroke-linecap="round">']
    # the shadow the raft casts on the water, under the waterline
    parts.append(f'<path id="{pre}water-shadow" d="M{f(x0 + 2 * k)},{f(yw)} H{f(x1 - 2 * k)} '
                 f'Q{f(x1 - 10 * k)},{f(yw + 6 * k)} {f(x1 - 30 * k)},{f(yw + 6 * k)} H{f(x0 + 24 * k)} '
                 f'Q{f(x0 + 6 * k)},{f(yw + 6 * k)} {f(x0 + 2 * k)},{f(yw)} Z" fill="{water["shadow"]}" stroke="none"/>')
    # everything under the waterline is left out, so the water of the scene shows through
    ytop = top - rows[0][1] * k - 40
    parts.append(f'<clipPath id="{pre}above-water"><path d="M{f(x0 - 20)},{f(ytop)} V{f(yw)}'
                 f'{wave(x0 - 20, x1 + 20, yw, 1.2 * k, 14 * k)} V{f(ytop)} Z"/></clipPath>')
    parts.append(f'<g clip-path="url(#{pre}above-water)">')
    n = len(rows)
    for i, (dy, r) in enumerate(rows):
        j = i + (len(SHORT_LEFT) - n)
        yc, r = top + dy * k, r * k
        xl, xr = x0 + SHORT_LEFT[j] * k, x1 - SHORT_RIGHT[j] * k
        ex = r * 0.45
        parts.append(f'<g id="{pre}log{i + 1}">')
        parts.append(f'<path d="M{f(xl)},{f(yc - r)} H{f(xr)} A{f(ex)} {f(r)} 0 0 1 {f(xr)},{f(yc + r)} H{f(xl)} '
                     f'A{f(ex)} {f(r)} 0 0 1 {f(xl)},{f(yc - r)} Z" fill="{WOOD}"/>')
        parts.append(f'<path d="M{f(xl + 1.5 * k)},{f(yc + r * 0.5)} H{f(xr - 1.5 * k)}" fill="none" stroke="{WOOD_D}" '
                     f'stroke-width="{f(r * 0.75)}" stroke-linecap="butt"/>')
        parts.append(f'<path d="M{f(xl + 3 * k)},{f(yc - r * 0.45)} H{f(xl + (xr - xl) * 0.55)}" fill="none" stroke="{WOOD_L}" '
                     f'stroke-width="{f(max(r * 0.3, 0.9))}"/>')
        parts.append(f'<ellipse cx="{f(xr)}" cy="{f(yc)}" rx="{f(ex)}" ry="{f(r)}" fill="{CUT}"/>')
        if r > 4:
            parts.append(f'<ellipse cx="{f(xr)}" cy="{f(yc)}" rx="{f(ex * 0.45)}" ry="{f(r * 0.5)}" fill="none" '
                         f'stroke="{WOOD_D}" stroke-width="1.2"/>')
        parts.append("</g>")
    # rope lashings round all the logs, each with a knot on the back log
    for t in lashings:
        x = x0 + width * t
        y0 = top + rows[0][0] * k - rows[0][1] * k - 1
        rw = 3.2 * k if k >= 0.6 else 2.0
        parts.append(f'<g id="{pre}lashing-{int(t * 100)}" fill="none">'
                     f'<path d="M{f(x + 2 * k)},{f(y0)} L{f(x - 2 * k)},{f(yw + 2)}" stroke="{OUT}" stroke-width="{f(rw + 2 * sw)}"/>'
                     f'<path d="M{f(x + 2 * k)},{f(y0)} L{f(x - 2 * k)},{f(yw + 2)}" stroke="{ROPE}" stroke-width="{f(rw)}"/>')
        if k >= 0.6:
            for dy, r in rows[1:]:
                yy = top + dy * k - r * k * 0.6
                parts.append(f'<path d="M{f(x - 1.5 * k + 2 * k * (1 - (yy - y0) / (yw - y0)))},{f(yy)} l{f(3 * k)},{f(2 * k)}" '
                             f'stroke="{ROPE_D}" stroke-width="1"/>')
            parts.append(f'<ellipse cx="{f(x + 2 * k)}" cy="{f(y0 + 1)}" rx="{f(3 * k)}" ry="{f(2.2 * k)}" fill="{ROPE}" '
                         f'stroke-width="{f(sw * 0.75)}"/>')
        parts.append("</g>")
    parts.append("</g>")
    # foam along the waterline, a ripple further out
    fw = max(2.4 * k, 1.4)
    parts.append(f'<path id="{pre}foam" d="M{f(x0 - 3 * k)},{f(yw)}{wave(x0 - 3 * k, x1 + 4 * k, yw, 1.2 * k, 14 * k)}" '
                 f'fill="none" stroke="{water["foam"]}" stroke-width="{f(fw)}"/>')
    parts.append(f'<path id="{pre}ripple" d="M{f(x0 + 10 * k)},{f(yw + 7 * k)} h{f(width * 0.3)} M{f(x0 + width * 0.5)},{f(yw + 7 * k)} '
                 f'h{f(width * 0.38)} M{f(x0 + width * 0.25)},{f(yw + 12 * k)} h{f(width * 0.3)}" fill="none" '
                 f'stroke="{water["ripple"]}" stroke-width="{f(max(1.6 * k, 1.1))}"/>')
    parts.append("</g>")
    return "\n".join(parts)


def engine(pre="", tiller_end=(74, 8)):
    """The outboard motor made from the solar chainsaw, in an 80 x 80 box: the chainsaw's body and its
    solar panel on top, its bar as the shaft, a clamp that hooks over the raft's stern (on the right),
    the tiller pointing forward over the raft, and a propeller of leaves at the bottom, behind."""
    tx, ty = tiller_end
    return f'''<g id="{pre}outboard-motor" stroke="{OUT}" stroke-width="2" stroke-linejoin="round" stroke-linecap="round">
  <g id="{pre}tiller" fill="none">
    <path d="M56 22 L{f(tx)},{f(ty)}" stroke="{OUT}" stroke-width="7"/>
    <path d="M56 22 L{f(tx)},{f(ty)}" stroke="#b07a3f" stroke-width="3.5"/>
    <path d="M{f(tx - (tx - 56) * 0.25)},{f(ty - (ty - 22) * 0.25)} L{f(tx)},{f(ty)}" stroke="#3a3a3a" stroke-width="3.5"/>
  </g>
  <g id="{pre}shaft">
    <path d="M36 36 H48 V66 Q48 72 42 72 Q36 72 36 66 Z" fill="#c4ccd1"/>
    <path d="M38.5 38 V64 M45.5 38 V64" fill="none" stroke="#6f7a80" stroke-width="1.5" stroke-dasharray="2 2"/>
  </g>
  <g id="{pre}clamp">
    <path d="M48 38 H60 V52 H54 V44 H48 Z" fill="#8a5a2b"/>
    <path d="M58 52 V58" fill="none" stroke-width="3"/>
  </g>
  <g id="{pre}engine">
    <path d="M20 18 Q20 12 26 12 H56 Q62 12 62 18 V34 Q62 38 58 38 H24 Q20 38 20 34 Z" fill="#e8842a"/>
    <path d="M21 31 H61 V34 Q61 37 58 37 H24 Q21 37 21 34 Z" fill="#b85e16" stroke="none"/>
    <path d="M20 18 Q20 12 26 12 H56 Q62 12 62 18 V34 Q62 38 58 38 H24 Q20 38 20 34 Z" fill="none"/>
    <rect x="26" y="20" width="16" height="8" rx="2" fill="#3a3a3a"/>
    <path d="M28 22 V26 M32 22 V26 M36 22 V26 M40 22 V26" stroke="#777" stroke-width="1"/>
  </g>
  <g id="{pre}solar-panel">
    <path d="M40 12 L41 7" stroke-width="2"/>
    <path d="M24 8 L54 2 L60 9 L30 15 Z" fill="#244a8c"/>
    <path d="M34 6 L40 13 M44 4 L50 11 M27 11.5 L57 5.5" stroke="#7fb6ee" stroke-width="1"/>
  </g>
  <g id="{pre}vine-lashing" fill="none">
    <path d="M34 40 L50 44 M34 46 L50 50" stroke="{OUT}" stroke-width="4.5"/>
    <path d="M34 40 L50 44 M34 46 L50 50" stroke="#94873a" stroke-width="2"/>
  </g>
  <g id="{pre}leaf-propeller">
    <path d="M38 68 H22" fill="none" stroke="{OUT}" stroke-width="6"/>
    <path d="M38 68 H22" fill="none" stroke="#8e989e" stroke-width="3"/>
    <path d="M22 68 C14 62 16 52 24 48 C30 54 28 64 22 68 Z" fill="#5cb54a"/>
    <path d="M22 68 C14 72 16 80 22 79 C28 78 28 72 22 68 Z" fill="#3f9a40"/>
    <path d="M22 68 C16 62 6 62 2 68 C6 74 16 74 22 68 Z" fill="#2f8a3b"/>
    <path d="M22 66 L24 52 M21 70 L21 77 M20 68 H5" fill="none" stroke="#1d5e2a" stroke-width="1"/>
    <circle cx="22" cy="68" r="3" fill="#8e989e"/>
  </g>
</g>'''


# Where the clamp holds the stern, in the engine's box: the raft's left end and the top of its deck.
ENGINE_HOLD = (54, 44)


def engine_on_deck(pre, x0, top, k, scale, tiller_end=(74, 8), rows=DECK_ROWS):
    """The engine clamped to the stern (left end) of a deck drawn by deck() with the same x0, top, k, rows:
    the clamp's hook rests on the middle log."""
    hx, hy = ENGINE_HOLD
    mid = rows[len(rows) // 2]
    ex, ey = x0 + 3 * k - hx * scale, top + (mid[0] - mid[1]) * k - hy * scale
    return (f'<g id="{pre}motor" transform="translate({f(ex)} {f(ey)}) scale({scale})">\n'
            f'{engine(pre, tiller_end)}\n</g>'), (ex, ey)


def icon_water(x0, x1, y, h):
    """A small patch of sea under an icon's raft, so that it reads as afloat."""
    return (f'<path id="sea-patch" d="M{f(x0)},{f(y)}{wave(x0, x1, y, 1, 8)} Q{f(x1 + 2)},{f(y + h)} {f(x1 - 10)},{f(y + h)} '
            f'H{f(x0 + 10)} Q{f(x0 - 2)},{f(y + h)} {f(x0)},{f(y)} Z" fill="#46b3d9" stroke="{OUT}" stroke-width="1.5" '
            f'stroke-linejoin="round"/>')


def svg(w, h, comment, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'  <!-- {comment} -->\n{body}\n</svg>\n')


def write(name, text):
    with open(os.path.join(ROOT, "art", "objects", name), "w") as fh:
        fh.write(text)


def main():
    # At the village the raft floats just off the beach: its waterline at y 118 of its picture.
    top = 118 - (DECK_ROWS[-1][0] + 1)
    write("o.svg", svg(260, 134, "the raft: a low deck of logs lashed with rope, floating at the shore, its front log half "
                                 "in the water", deck("", 12, top, 236)))
    # Icons: three fat logs on a strip of sea, so that they read at 80 x 42.
    k, itop = 0.65, 16
    yw = waterline_y(itop, k, ICON_ROWS)
    icon_deck = deck("", 5, itop, 70, k, 1.5, ICON_ROWS, (0.2, 0.78), dict(LAGOON, shadow="#2f8fc1"))
    write("o_inv.svg", svg(80, 42, "the raft, small, for the inventory",
                           icon_water(3, 77, yw, 7) + "\n" + icon_deck))
    write("p.svg", svg(80, 80, "an improvised outboard motor: the solar chainsaw's engine on top, its bar as the shaft, "
                               "lashed with vine, and a propeller of leaves",
                       f'<g transform="translate(40 40) scale(0.92) translate(-40 -40)">\n{engine()}\n</g>'))
    # The motorised raft: the same deck, shorter, with the engine hooked over its stern.
    k, qtop = 0.6, 20
    yw = waterline_y(qtop, k, ICON_ROWS)
    motor, _ = engine_on_deck("", 28, qtop, k, 0.42, (70, 14), ICON_ROWS)
    write("q.svg", svg(80, 42, "the raft with the leaf-propeller motor clamped to its stern (left)",
                       icon_water(3, 77, yw, 7) + "\n"
                       + deck("", 28, qtop, 45, k, 1.5, ICON_ROWS, (0.25, 0.75), dict(LAGOON, shadow="#2f8fc1"))
                       + "\n" + motor))


if __name__ == "__main__":
    main()
