#!/usr/bin/env python3
"""Generate the seven scene backgrounds, their walk masks and the closing picture.

Writes art/locations/*.svg and art/last.svg.  The SVGs are the sources the build
renders; this script only saves typing and keeps each scene's drawn ground and
its walk mask in one place.  Edit the numbers here and run it again, then run
tools/art/check_masks.py.
"""
import math
import os
import random

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
W, H = 1024, 768
INK = "#2b1d14"

SKY_TOP, SKY_LOW = "#8fd3f5", "#d9f2ff"
SEA, SEA_LIGHT, FOAM = "#1f8fc1", "#46b3d9", "#e8fbff"
SAND, SAND_DARK, SAND_LIGHT = "#f0d59a", "#d8b26e", "#f7e4b8"
GREEN, GREEN_LIGHT, GREEN_DARK = "#2f8a3b", "#5cb54a", "#1d5e2a"
WOOD, WOOD_LIGHT, WOOD_DARK = "#8a5a2b", "#b07a3f", "#5e3b1a"


def pts(points):
    return " ".join(f"{x:.0f},{y:.0f}" for x, y in points)


def poly(points, fill, stroke=None, sw=2, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round"' if stroke else ""
    return f'<polygon points="{pts(points)}" fill="{fill}"{s}{extra}/>'


def path(d, fill="none", stroke=None, sw=2, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round" stroke-linecap="round"' if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>'


def rect(x, y, w, h, fill, stroke=None, sw=2, rx=0):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    r = f' rx="{rx}"' if rx else ""
    return f'<rect x="{x:.0f}" y="{y:.0f}" width="{w:.0f}" height="{h:.0f}"{r} fill="{fill}"{s}/>'


def ell(cx, cy, rx, ry, fill, stroke=None, sw=2):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<ellipse cx="{cx:.0f}" cy="{cy:.0f}" rx="{rx:.0f}" ry="{ry:.0f}" fill="{fill}"{s}/>'


def group(gid, items):
    body = "\n    ".join(items)
    return f'  <g id="{gid}">\n    {body}\n  </g>'


def smooth(points, closed=True):
    """A smooth path through the points (Catmull-Rom turned into cubic Beziers)."""
    n = len(points)
    d = [f"M{points[0][0]:.0f},{points[0][1]:.0f}"]
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d.append(f"C{c1[0]:.0f},{c1[1]:.0f} {c2[0]:.0f},{c2[1]:.0f} {p2[0]:.0f},{p2[1]:.0f}")
    if closed:
        d.append("Z")
    return " ".join(d)


def svg(body, defs="", mask=False):
    extra = ' shape-rendering="crispEdges"' if mask else ""
    d = f"  <defs>\n{defs}\n  </defs>\n" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}"{extra}>\n'
            f"{d}{body}\n</svg>\n")


def vgrad(gid, stops):
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'    <linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">{s}</linearGradient>'


# ---------------------------------------------------------------- scenery pieces

def sky(gid="sky", top=SKY_TOP, low=SKY_LOW, bottom=420):
    return vgrad(gid, [(0, top), (1, low)]), rect(0, 0, W, bottom, f"url(#{gid})")


def cloud(x, y, s=1.0, fill="#ffffff", shade="#e4f4fc"):
    parts = [ell(x + 10 * s, y + 14 * s, 70 * s, 14 * s, shade)]
    for dx, dy, r in ((-40, 4, 22), (-10, -8, 30), (25, -2, 24), (50, 6, 16)):
        parts.append(ell(x + dx * s, y + dy * s, r * s, r * s * 0.85, fill))
    parts.append(rect(x - 60 * s, y + 2 * s, 126 * s, 14 * s, fill, rx=7 * s))
    return "\n    ".join(parts)


def sea_band(y0, y1, x0=0, x1=W, seed=1):
    rnd = random.Random(seed)
    out = [rect(x0, y0, x1 - x0, y1 - y0, SEA_LIGHT), rect(x0, y0, x1 - x0, 6, "#7cc9e6")]
    for _ in range(int((x1 - x0) * (y1 - y0) / 2500)):
        x = rnd.uniform(x0 + 10, x1 - 40)
        y = rnd.uniform(y0 + 12, y1 - 6)
        w = 12 + (y - y0) * 0.4
        out.append(rect(x, y, w, 2, "#a5def2"))
    return out


def bush(x, y, r, seed, dark=GREEN_DARK, mid=GREEN, light=GREEN_LIGHT, outline=True):
    rnd = random.Random(seed)
    out = []
    blobs = [(x + rnd.uniform(-r, r), y + rnd.uniform(-r * 0.3, r * 0.3), r * rnd.uniform(0.55, 0.8))
             for _ in range(5)]
    if outline:
        for bx, by, br in blobs:
            out.append(f'<circle cx="{bx:.0f}" cy="{by:.0f}" r="{br + 2:.0f}" fill="{INK}"/>')
    for bx, by, br in blobs:
        out.append(f'<circle cx="{bx:.0f}" cy="{by:.0f}" r="{br:.0f}" fill="{mid}"/>')
    for bx, by, br in blobs:
        out.append(f'<circle cx="{bx - br * 0.25:.0f}" cy="{by - br * 0.3:.0f}" r="{br * 0.55:.0f}" fill="{light}"/>')
    for bx, by, br in blobs[:2]:
        out.append(f'<circle cx="{bx + br * 0.35:.0f}" cy="{by + br * 0.35:.0f}" r="{br * 0.35:.0f}" fill="{dark}"/>')
    return out


def treeline(x0, x1, ybase, seed, height=70, step=38, colours=("#3f9a48", "#2f8a3b", "#6cc35a"), skip=None):
    """A far row of jungle: overlapping round crowns standing on ybase (none between skip=(a, b))."""
    rnd = random.Random(seed)
    out = []

    def ok(x, r):
        return not skip or x + r * 0.7 < skip[0] or x - r * 0.7 > skip[1]
    x = x0
    while x < x1:
        r = rnd.uniform(height * 0.45, height * 0.75)
        if ok(x, r):
            out.append(f'<circle cx="{x:.0f}" cy="{ybase - r * 0.6:.0f}" r="{r:.0f}" fill="{colours[0]}"/>')
        x += step * rnd.uniform(0.7, 1.2)
    x = x0 + step / 2
    while x < x1:
        r = rnd.uniform(height * 0.3, height * 0.5)
        if ok(x, r):
            out.append(f'<circle cx="{x:.0f}" cy="{ybase - r * 0.2:.0f}" r="{r:.0f}" fill="{colours[1]}"/>')
            out.append(f'<circle cx="{x - r * 0.3:.0f}" cy="{ybase - r * 0.55:.0f}" r="{r * 0.45:.0f}" fill="{colours[2]}"/>')
        x += step * rnd.uniform(0.8, 1.3)
    return out


def palm_leaf(cx, cy, ang, length, width, droop, fill=GREEN_LIGHT, dark=GREEN):
    a = math.radians(ang)
    tx, ty = cx + math.cos(a) * length, cy + math.sin(a) * length + droop
    mx, my = (cx + tx) / 2, (cy + ty) / 2 - droop * 0.35
    nx, ny = -math.sin(a) * width, math.cos(a) * width
    d = (f"M{cx:.0f},{cy:.0f} Q{mx + nx:.0f},{my + ny:.0f} {tx:.0f},{ty:.0f} "
         f"Q{mx - nx:.0f},{my - ny:.0f} {cx:.0f},{cy:.0f} Z")
    rib = f"M{cx:.0f},{cy:.0f} Q{mx:.0f},{my:.0f} {tx:.0f},{ty:.0f}"
    return [path(d, fill, INK, 2), path(rib, "none", dark, 2)]


def palm(base, top, lean=0.0, crown=110, trunk_w=26, seed=3, leaves=None, scale=1.0):
    """A palm: a banded trunk from base up to top and a crown of leaves around top."""
    (bx, by), (tx, ty) = base, top
    out = []
    n = 9
    segs = []
    for i in range(n + 1):
        t = i / n
        x = bx + (tx - bx) * t + math.sin(t * math.pi) * lean
        y = by + (ty - by) * t
        w = trunk_w * (1 - 0.35 * t) / 2
        segs.append((x, y, w))
    left = [(x - w, y) for x, y, w in segs]
    right = [(x + w, y) for x, y, w in segs][::-1]
    out.append(poly(left + right, WOOD_LIGHT, INK, 2))
    for i in range(1, n):
        x, y, w = segs[i]
        out.append(path(f"M{x - w:.0f},{y:.0f} Q{x:.0f},{y + 6:.0f} {x + w:.0f},{y:.0f}", "none", WOOD, 2))
    # shadow side of the trunk (light from the upper left)
    shade = [(x + w * 0.35, y) for x, y, w in segs] + [(x + w - 1, y) for x, y, w in segs][::-1]
    out.append(poly(shade, WOOD, extra=' opacity="0.55"'))
    rnd = random.Random(seed)
    angs = leaves or [200, 235, 265, 300, 335, 10, 40, 150, 165, 120]
    for a in angs:
        ln = crown * rnd.uniform(0.8, 1.05) * scale
        droop = 0.45 * ln * abs(math.cos(math.radians(a))) + 6
        out += palm_leaf(tx, ty, a, ln, 19 * scale, droop, GREEN_LIGHT if rnd.random() < 0.6 else GREEN)
    return out


def stones(items, seed):
    rnd = random.Random(seed)
    out = []
    for x, y, s in items:
        out.append(ell(x, y, s, s * 0.55, "#9a9486", INK, 2))
        out.append(ell(x - s * 0.3, y - s * 0.2, s * 0.4, s * 0.2, "#c2bcae"))
    return out


def sand_detail(area, seed, n=40, colours=(SAND_DARK, SAND_LIGHT)):
    """Little dashes, pebbles and shells on sand inside the box area."""
    x0, y0, x1, y1 = area
    rnd = random.Random(seed)
    out = []
    for _ in range(n):
        x, y = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
        k = rnd.random()
        s = 0.5 + (y - 380) / 400
        if k < 0.55:
            out.append(path(f"M{x:.0f},{y:.0f} q{8 * s:.0f},{-4 * s:.0f} {16 * s:.0f},0", "none", colours[0], 2))
        elif k < 0.85:
            out.append(ell(x, y, 3 * s, 2 * s, colours[0]))
        else:
            out.append(ell(x, y, 6 * s, 4 * s, "#fff3e0", "#c99b6a", 1))
    return out


# ---------------------------------------------------------------- masks

def mask_svg(walk, blocks, note):
    """walk: polygons where the hero may stand; blocks: polygons cut out of them again."""
    items = [f'<!-- {note} -->', rect(0, 0, W, H, "#000000")]
    items += [poly(p, "#ffffff") for p in walk]
    items += [poly(p, "#000000") for p in blocks]
    return svg("\n".join("  " + i for i in items), mask=True)


def box(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


# ---------------------------------------------------------------- scene 0: the beach with the wreck

def scene_schiff():
    defs, sk = sky()
    defs += "\n" + vgrad("sand0", [(0, "#e9c987"), (0.25, SAND), (1, "#f3dca8")])
    body = []
    body.append(group("sky", [sk, cloud(180, 90, 1.1), cloud(560, 60, 0.8), cloud(880, 120, 0.9)]))
    body.append(group("sea_far", sea_band(300, 420, seed=4)))
    # a far green headland on the horizon, left
    body.append(group("headland", [path("M0,302 Q60,250 150,262 Q220,272 260,302 Z", "#6aa6a0"),
                                   path("M40,302 Q90,275 150,280 Q190,286 210,302 Z", "#5b9690")]))
    # the jungle behind the beach on the right, with the gap of the path inland
    jungle = [path("M500,420 Q510,300 600,262 Q760,200 1024,206 L1024,420 Z", "#2a7434")]
    jungle += treeline(560, 1060, 290, 13, 110, 40, ("#2f7d3a", "#2a7434", "#4b9e4a"))
    jungle += [path("M668,300 Q696,262 724,300 L730,330 L662,330 Z", GREEN_DARK)]   # the shady gap the path runs into
    jungle += treeline(530, 1050, 380, 11, 120, 36, skip=(664, 730))
    jungle += palm((600, 405), (585, 235), lean=-12, crown=85, trunk_w=20, seed=5, scale=0.8)
    jungle += palm((960, 400), (990, 200), lean=10, crown=95, trunk_w=22, seed=6, scale=0.85)
    body.append(group("jungle", jungle))
    ground = [(0, 412), (150, 405), (330, 404), (470, 402), (560, 398), (650, 392), (672, 330), (684, 288),
              (708, 288), (722, 330), (742, 392), (830, 396), (1024, 400), (1024, 768), (0, 768)]
    body.append(group("beach", [
        path(smooth([(520, 420), (560, 398), (650, 392), (1024, 400), (1024, 430), (520, 430)]), "url(#sand0)"),
        poly(ground, "url(#sand0)"),
        # the path inland: darker packed sand between the trees
        path("M650,400 L676,330 L688,290 L704,290 L718,330 L744,400 Z", "#e2bd7c"),
        path("M664,398 L684,330 L692,296", "none", SAND_DARK, 2),
        path("M730,398 L712,330 L702,296", "none", SAND_DARK, 2),
        # wet sand line along the back water
        path("M0,414 Q160,404 330,406 Q450,404 540,400", "none", "#c9a05f", 3),
    ]))
    # bushes flanking the path
    fl = bush(630, 380, 34, 21) + bush(770, 385, 36, 22) + bush(545, 392, 26, 23)
    body.append(group("path_bushes", fl))
    # the bay at the bottom left, where the ocean object lies
    shore = [(0, 548), (120, 572), (230, 604), (330, 648), (400, 700), (440, 768), (0, 768)]
    bay = [path(smooth([(0, 540), (130, 564), (240, 598), (344, 646), (416, 700), (452, 768), (0, 768)], False)
                + " L0,768 Z", FOAM),
           path(smooth([(0, 552), (120, 576), (228, 608), (330, 654), (398, 704), (432, 768), (0, 768)], False)
                + " L0,768 Z", SEA_LIGHT),
           path(smooth([(0, 590), (110, 610), (210, 640), (300, 690), (360, 768), (0, 768)], False) + " L0,768 Z",
                SEA)]
    rnd = random.Random(9)
    for _ in range(14):
        x, y = rnd.uniform(10, 300), rnd.uniform(620, 750)
        bay.append(rect(x, y, 20 + rnd.uniform(0, 20), 2, "#7cc9e6"))
    bay.append(path("M40,566 q20,-6 40,0 M170,598 q20,-6 40,0 M300,642 q16,-4 30,4", "none", "#ffffff", 3))
    body.append(group("bay", bay))
    # driftwood, shells and stones on the sand (kept clear of the objects and the exits)
    deco = sand_detail((420, 440, 900, 560), 31, 26) + sand_detail((480, 600, 900, 750), 32, 30)
    deco += [path("M520,520 l60,-8 l6,6 l-62,9 Z", WOOD_LIGHT, INK, 2), path("M548,514 l10,-14", "none", INK, 2)]
    deco += stones([(910, 470, 18), (520, 740, 14), (880, 746, 16)], 33)
    deco += [path("M940,640 q10,4 20,0 M970,652 q10,4 20,0 M1000,640 q10,4 20,0", "none", SAND_DARK, 3)]
    body.append(group("beach_details", deco))

    walk = [[(0, 416), (330, 410), (560, 404), (656, 398), (676, 332), (690, 294), (704, 294), (718, 332),
             (740, 398), (1024, 404), (1024, 768), (452, 768), (416, 706), (346, 654), (240, 606),
             (130, 574), (0, 556)]]
    blocks = [box(40, 380, 320, 446)]   # the wreck lies on the upper beach
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "ship beach: sand walkable; sea, bay, jungle and wreck blocked")



# ---------------------------------------------------------------- scene 1: Kai's beach bar

def scene_bar():
    defs, sk = sky()
    defs += "\n" + vgrad("sand1", [(0, "#e9c987"), (0.2, SAND), (1, "#f3dca8")])
    defs += "\n" + vgrad("backwall", [(0, "#7a4e25"), (1, "#5e3b1a")])
    body = [group("sky", [sk, cloud(120, 70, 0.9), cloud(860, 90, 1.0)])]
    body.append(group("sea_far", sea_band(282, 420, 560, W, seed=7)))
    # jungle on the left with the gap of the path
    jungle = [path("M0,420 L0,190 Q200,150 420,200 Q520,230 600,300 L620,420 Z", "#2a7434")]
    jungle += treeline(-20, 640, 300, 17, 120, 40, ("#2f7d3a", "#2a7434", "#4b9e4a"))
    jungle += [path("M226,312 Q270,262 316,312 L322,400 L218,400 Z", GREEN_DARK)]
    jungle += treeline(-30, 640, 395, 18, 120, 36, skip=(212, 328))
    jungle += palm((590, 405), (610, 200), lean=14, crown=90, trunk_w=20, seed=8, scale=0.8)
    body.append(group("jungle", jungle))
    ground = [(0, 404), (214, 400), (240, 330), (254, 296), (286, 296), (300, 330), (326, 400), (560, 404),
              (1024, 406), (1024, 768), (0, 768)]
    body.append(group("beach", [
        poly(ground, "url(#sand1)"),
        path("M214,402 L242,330 L256,298 L284,298 L298,330 L326,402 Z", "#e2bd7c"),
        path("M232,400 L252,330 L262,302 M308,400 L290,330 L280,302", "none", SAND_DARK, 2),
        path("M560,406 Q800,402 1024,408", "none", "#c9a05f", 3),
    ]))
    body.append(group("path_bushes", bush(190, 392, 30, 41) + bush(356, 394, 30, 42)))
    # the bar: back posts, back wall with a shelf, roof, counter, stools
    bar = []
    bar.append(rect(424, 196, 292, 190, "url(#backwall)", INK, 2))
    for x in range(436, 712, 16):
        bar.append(path(f"M{x},200 L{x},384", "none", "#6b4420", 2))
    # shelf with bottles left and right of Kai
    bar.append(rect(430, 286, 280, 10, WOOD_LIGHT, INK, 2))
    bottle_cols = ["#3f8f5a", "#b5552b", "#e0b040", "#4a7fb5", "#7b3f8f"]
    for i, x in enumerate([442, 462, 482, 636, 656, 678, 696]):
        c = bottle_cols[i % len(bottle_cols)]
        h = 34 if i % 2 else 28
        bar.append(path(f"M{x - 6},286 L{x - 6},{286 - h + 10} Q{x - 6},{286 - h + 4} {x - 2},{286 - h + 2} "
                        f"L{x - 2},{286 - h - 6} L{x + 2},{286 - h - 6} L{x + 2},{286 - h + 2} "
                        f"Q{x + 6},{286 - h + 4} {x + 6},{286 - h + 10} L{x + 6},286 Z", c, INK, 2))
        bar.append(rect(x - 4, 286 - h + 12, 3, h - 18, "#ffffff", None))
    # posts
    for x in (418, 710):
        bar.append(rect(x, 190, 14, 318, WOOD, INK, 2))
        bar.append(rect(x + 2, 190, 4, 318, WOOD_LIGHT))
    # thatched roof
    bar.append(poly([(380, 214), (440, 120), (700, 120), (760, 214)], "#d9b45a", INK, 2))
    for i in range(0, 19):
        x = 388 + i * 20
        bar.append(path(f"M{x},216 L{x + 10},236 L{x + 20},216", "#c79b3e", INK, 2))
    for y in (150, 182):
        bar.append(path(f"M{400 + (214 - y) * 0.6:.0f},{y} L{740 - (214 - y) * 0.6:.0f},{y}", "none", "#a77d2c", 3))
    for i in range(14):
        x = 450 + i * 18
        bar.append(path(f"M{x},124 L{x - 8},210", "none", "#c79b3e", 2))
    # sign on the roof
    bar.append(rect(508, 96, 128, 40, WOOD_LIGHT, INK, 2, rx=6))
    bar.append('<text x="572" y="124" font-family="DejaVu Sans" font-weight="bold" font-size="24" '
               'text-anchor="middle" fill="#fff3c4" stroke="#2b1d14" stroke-width="1">BAR</text>')
    bar.append(path("M520,96 L540,76 M624,96 L604,76", "none", INK, 2))
    # the counter: its top edge at y 374, right under Kai
    bar.append(rect(436, 384, 268, 114, WOOD_LIGHT, INK, 2))
    for x in range(446, 700, 18):
        bar.append(rect(x, 388, 12, 106, "#c9a45a", "#8a6a30", 1, rx=5))
    bar.append(path("M436,420 L704,420 M436,462 L704,462", "none", WOOD, 3))
    bar.append(rect(428, 372, 284, 14, WOOD, INK, 2))
    bar.append(rect(430, 374, 280, 4, WOOD_LIGHT))
    bar.append(rect(438, 498, 264, 6, "#c9a05f"))
    # two stools at the ends of the counter
    for x in (396, 744):
        bar.append(path(f"M{x - 14},470 L{x - 18},506 M{x + 14},470 L{x + 18},506 M{x},472 L{x},506", "none", INK, 4))
        bar.append(path(f"M{x - 14},470 L{x - 18},506 M{x + 14},470 L{x + 18},506 M{x},472 L{x},506", "none", WOOD_LIGHT, 2))
        bar.append(ell(x, 466, 24, 8, WOOD, INK, 2))
        bar.append(ell(x - 4, 464, 14, 4, WOOD_LIGHT))
    body.append(group("bar", bar))
    # the little crate the sugar stands on
    crate = [rect(790, 552, 100, 48, WOOD_LIGHT, INK, 2), path("M790,576 L890,576", "none", WOOD, 3),
             path("M796,556 L884,596 M796,596 L884,556", "none", WOOD, 2), rect(790, 552, 100, 6, "#c99552")]
    body.append(group("crate", crate))
    deco = sand_detail((360, 520, 780, 600), 51, 16) + sand_detail((120, 600, 900, 760), 52, 34)
    deco += stones([(600, 560, 12), (980, 720, 16), (330, 740, 13)], 53)
    deco += [path("M940,600 q10,4 20,0 M970,612 q10,4 20,0 M996,600 q10,4 20,0", "none", SAND_DARK, 3),
             path("M30,730 q10,4 20,0 M60,742 q10,4 20,0", "none", SAND_DARK, 3)]
    body.append(group("beach_details", deco))

    walk = [[(0, 408), (216, 404), (242, 334), (256, 300), (284, 300), (298, 334), (324, 404), (1024, 410),
             (1024, 768), (0, 768)]]
    blocks = [box(368, 0, 772, 508),      # the bar with its counter and stools
              box(790, 556, 890, 600)]    # the crate
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "bar: sand walkable; the bar, the crate, the jungle and the sea blocked")


# ---------------------------------------------------------------- scene 2: the palm beach

def scene_palme():
    defs, sk = sky()
    defs += "\n" + vgrad("sand2", [(0, "#e9c987"), (0.2, SAND), (1, "#f3dca8")])
    defs += "\n" + vgrad("hill2", [(0, "#7cc35a"), (1, "#4f9c44")])
    body = [group("sky", [sk, cloud(520, 70, 1.0), cloud(860, 130, 0.8), cloud(90, 110, 0.7)])]
    body.append(group("sea_far", sea_band(300, 420, seed=13)))
    # a grassy hill in the back with the trail over its crest; low bare rocks to the right
    hill = [path("M360,420 Q420,300 520,262 Q640,228 760,256 Q860,290 900,420 Z", "url(#hill2)", INK, 2)]
    hill += treeline(560, 860, 300, 61, 70, 40)
    hill += [path("M436,404 Q470,360 478,318 L500,306 L514,318 Q530,360 548,404 Z", "#e2c48a"),
             path("M452,402 Q482,360 488,318 M532,402 Q512,360 506,318", "none", "#c9a05f", 2)]
    hill += bush(410, 394, 26, 62) + bush(580, 396, 28, 63)
    rocks = [path("M880,420 Q900,360 950,356 Q1000,352 1024,368 L1024,420 Z", "#b8a58a", INK, 2),
             path("M912,378 Q950,368 990,372", "none", "#8f7d64", 2)]
    body.append(group("hill", hill))
    body.append(group("rocks_right", rocks))
    ground = [(0, 410), (360, 404), (436, 402), (478, 318), (514, 318), (548, 402), (880, 404), (1024, 390),
              (1024, 768), (0, 768)]
    body.append(group("beach", [
        poly(ground, "url(#sand2)"),
        path("M436,404 Q470,360 478,320 L514,320 Q530,360 548,404 Z", "#e6c98f"),
        path("M0,412 Q200,404 360,406", "none", "#c9a05f", 3),
        # the bare strip leading off to the right
        path("M860,470 Q940,440 1024,430 L1024,480 Q940,486 880,500 Z", "#e4c68c"),
    ]))
    body.append(group("palm", palm((270, 448), (262, 240), lean=22, crown=120, trunk_w=30, seed=14,
                                   leaves=[140, 162, 188, 214, 244, 276, 306, 334, 358, 22, 44])))
    deco = sand_detail((320, 460, 900, 520), 71, 16) + sand_detail((120, 580, 1000, 760), 72, 36)
    deco += stones([(780, 680, 16), (120, 560, 12), (960, 560, 14)], 73)
    deco += [path("M170,700 q40,-10 70,4", "none", WOOD_LIGHT, 6), path("M170,700 q40,-10 70,4", "none", INK, 1)]
    body.append(group("beach_details", deco))
    walk = [[(0, 414), (436, 406), (480, 324), (512, 324), (546, 406), (880, 408), (1024, 394),
             (1024, 768), (0, 768)]]
    return svg("\n".join(body), defs), mask_svg(walk, [], "palm beach: sand and the trail walkable; sea, hill and rocks blocked")


# ---------------------------------------------------------------- scene 3: nowhere

def scene_nowhere():
    defs = vgrad("sky3", [(0, "#a9c7d3"), (1, "#e3e8e2")])
    defs += "\n" + vgrad("sand3", [(0, "#cdb98c"), (1, "#e2d2a8")])
    body = [group("sky", [rect(0, 0, W, 420, "url(#sky3)"),
                          cloud(300, 120, 1.3, "#eef1ee", "#d5dcda"), cloud(760, 80, 1.0, "#eef1ee", "#d5dcda")])]
    sea = [rect(0, 320, W, 100, "#6f9fb3"), rect(0, 320, W, 4, "#9dbfcc")]
    rnd = random.Random(81)
    for _ in range(18):
        sea.append(rect(rnd.uniform(0, 980), rnd.uniform(330, 410), 20, 2, "#8fb6c6"))
    body.append(group("sea_far", sea))
    ground = [(0, 420), (400, 414), (700, 420), (1024, 420), (1024, 768), (0, 768)]
    body.append(group("sand", [poly(ground, "url(#sand3)"),
                               path("M0,424 Q300,414 700,424", "none", "#b39e70", 3)]))
    # the rocky end of the strip on the right
    rock = [path("M780,768 L790,600 Q800,470 860,400 Q900,300 980,270 L1024,262 L1024,768 Z", "#8c8478", INK, 2),
            path("M840,768 Q850,610 880,520 Q920,420 1000,380 L1024,380 L1024,768 Z", "#a39a8c"),
            path("M860,460 Q900,440 930,470 M900,560 Q950,530 990,560 M820,680 Q860,650 900,690", "none", "#6f685e", 3),
            ell(752, 470, 62, 9, "#b39e70"),
            path("M700,470 Q696,430 740,418 Q784,412 798,440 Q804,460 800,470 Q750,476 700,470 Z", "#8c8478", INK, 2),
            path("M716,436 Q740,424 770,426", "none", "#a39a8c", 4)]
    body.append(group("rocks", rock))
    # a dead tree, bleached driftwood, dry tufts
    dead = [path("M560,450 L566,300 L540,240 M566,300 L600,250 L630,232 M566,330 L530,300", "none", INK, 12),
            path("M560,450 L566,300 L540,240 M566,300 L600,250 L630,232 M566,330 L530,300", "none", "#a4988a", 8),
            ell(562, 452, 30, 7, "#b39e70")]
    drift = [path("M300,640 Q380,620 470,640 L466,652 Q380,636 302,654 Z", "#d8d0c4", INK, 2),
             path("M360,632 L350,610", "none", INK, 3)]
    tufts = []
    for x, y in [(120, 480), (420, 520), (650, 600), (220, 700), (700, 720), (80, 600)]:
        tufts.append(path(f"M{x},{y} l-8,-18 M{x},{y} l0,-22 M{x},{y} l8,-16 M{x},{y} l14,-10", "none", "#8a8a4a", 2))
    body.append(group("dead_tree", dead))
    body.append(group("driftwood", drift))
    body.append(group("dry_grass", tufts + stones([(160, 560, 14), (480, 740, 18), (640, 500, 10)], 82)
                      + sand_detail((40, 460, 700, 760), 83, 26, ("#b39e70", "#efe3c4"))))
    walk = [[(0, 426), (690, 428), (690, 476), (786, 476), (782, 600), (772, 768), (0, 768)]]
    blocks = [box(540, 400, 590, 458)]   # the dead tree's foot
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "nowhere: sand walkable; sea and rocks blocked")


# ---------------------------------------------------------------- scene 4: the village

def hut(x0, x1, floor, ground, roof_top, seed, ladder=True):
    out = []
    for x in (x0 + 14, (x0 + x1) / 2, x1 - 14):
        out.append(rect(x - 6, floor, 12, ground - floor, WOOD, INK, 2))
    out.append(path(f"M{x0 + 14},{floor + 10} L{(x0 + x1) / 2},{ground - 10} L{x1 - 14},{floor + 10}", "none", WOOD_DARK, 4))
    out.append(rect(x0 - 10, floor - 12, x1 - x0 + 20, 14, WOOD_LIGHT, INK, 2))
    wall_top = floor - 110
    out.append(rect(x0, wall_top, x1 - x0, 100, "#c99552", INK, 2))
    for x in range(int(x0) + 12, int(x1), 14):
        out.append(path(f"M{x},{wall_top + 2} L{x},{floor - 14}", "none", "#a87638", 2))
    door_x = (x0 + x1) / 2 - 24
    out.append(rect(door_x, wall_top + 30, 48, 70, "#3a2614", INK, 2))
    out.append(rect(x0 + 18, wall_top + 26, 30, 26, "#3a2614", INK, 2))
    out.append(poly([(x0 - 40, wall_top + 8), ((x0 + x1) / 2, roof_top), (x1 + 40, wall_top + 8)], "#d9b45a", INK, 2))
    for i in range(int((x1 - x0 + 80) / 18)):
        x = x0 - 36 + i * 18
        out.append(path(f"M{x},{wall_top + 8} l8,14 l10,-14", "#c79b3e", INK, 2))
    for t in (0.35, 0.65):
        y = roof_top + (wall_top + 8 - roof_top) * t
        half = (x1 - x0 + 80) / 2 * t
        out.append(path(f"M{(x0 + x1) / 2 - half:.0f},{y:.0f} L{(x0 + x1) / 2 + half:.0f},{y:.0f}", "none", "#a77d2c", 3))
    if ladder:
        lx = door_x + 8
        out.append(path(f"M{lx},{floor} L{lx - 14},{ground + 4} M{lx + 32},{floor} L{lx + 18},{ground + 4}", "none", WOOD_DARK, 5))
        for k in range(1, 5):
            t = k / 5
            y = floor + (ground - floor) * t
            out.append(path(f"M{lx - 14 * t:.0f},{y:.0f} L{lx + 32 - 14 * t:.0f},{y:.0f}", "none", WOOD_DARK, 4))
    return out


def scene_inselstamm():
    defs, sk = sky(bottom=300)
    defs += "\n" + vgrad("lagoon", [(0, "#46b3d9"), (1, "#7fd0e8")])
    defs += "\n" + vgrad("earth4", [(0, "#e6c98f"), (1, "#d9b878")])
    body = [group("sky", [sk, cloud(420, 70, 0.9), cloud(760, 40, 0.7)])]
    water = [rect(0, 236, W, 210, "url(#lagoon)"), rect(0, 236, W, 5, "#a5def2"),
             path("M330,240 Q380,200 450,214 Q500,222 520,240 Z", "#6aa6a0")]
    rnd = random.Random(91)
    for _ in range(30):
        x, y = rnd.uniform(300, 1000), rnd.uniform(250, 400)
        water.append(rect(x, y, 14 + (y - 236) * 0.15, 2, "#b5e6f5"))
    body.append(group("lagoon", water))
    ground = [(0, 420), (300, 414), (540, 410), (820, 410), (1024, 414), (1024, 768), (0, 768)]
    body.append(group("ground", [
        path("M0,430 Q300,404 560,406 Q800,404 1024,412 L1024,768 L0,768 Z", FOAM),
        path("M0,436 Q300,412 560,414 Q800,412 1024,418 L1024,768 L0,768 Z", "url(#earth4)"),
        # the trodden path down to the beach
        path("M560,560 Q620,600 600,660 Q580,720 560,768 L780,768 Q740,700 720,640 Q700,590 640,556 Z", "#ead7a8"),
    ]))
    # palms behind the huts
    trees = palm((140, 250), (120, 60), lean=-10, crown=90, trunk_w=20, seed=92, scale=0.8)
    trees += palm((980, 240), (1000, 40), lean=8, crown=90, trunk_w=20, seed=93, scale=0.8)
    body.append(group("palms", trees))
    body.append(group("hut_left", hut(40, 270, 330, 470, 110, 94)))
    body.append(group("hut_right", hut(920, 1100, 300, 450, 100, 95, ladder=False)))
    fire = []
    for a in range(0, 360, 30):
        fx, fy = 250 + 62 * math.cos(math.radians(a)), 600 + 20 * math.sin(math.radians(a))
        fire.append(ell(fx, fy, 12, 8, "#8f8a80", INK, 2))
    fire += [ell(250, 600, 50, 14, "#3a2a1a"),
             path("M214,606 L286,592 M216,592 L284,608", "none", INK, 12),
             path("M214,606 L286,592 M216,592 L284,608", "none", WOOD, 8),
             path("M250,598 Q226,570 240,540 Q246,560 254,552 Q252,530 266,516 Q268,548 278,560 Q286,580 250,598 Z",
                  "#f08a24", INK, 2),
             path("M250,596 Q238,578 248,560 Q254,572 260,566 Q268,584 250,596 Z", "#ffd447")]
    body.append(group("fire_place", fire))
    deco = stones([(380, 700, 14), (900, 620, 16), (120, 720, 12)], 96) + sand_detail((320, 460, 1000, 760), 97, 24)
    deco += bush(360, 440, 22, 98) + bush(860, 706, 26, 99)
    body.append(group("details", deco))
    walk = [[(0, 440), (300, 426), (560, 422), (820, 422), (1024, 426), (1024, 768), (0, 768)]]
    blocks = [box(0, 0, 300, 484),          # the left hut on its stilts
              box(900, 0, 1024, 462),       # the right hut
              box(176, 566, 324, 630),      # the fire place
              box(330, 420, 390, 452)]      # a bush
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "village: ground walkable; lagoon, huts and fire place blocked")


# ---------------------------------------------------------------- scene 5: the jungle

def tree_trunk(x, top, bottom, w, seed, roots=True):
    out = [path(f"M{x - w / 2:.0f},{top} C{x - w / 2 - 6:.0f},{(top + bottom) / 2:.0f} {x - w / 2 + 4:.0f},{bottom - 40:.0f} "
                f"{x - w / 2 - 24:.0f},{bottom} L{x + w / 2 + 24:.0f},{bottom} C{x + w / 2 - 4:.0f},{bottom - 40:.0f} "
                f"{x + w / 2 + 6:.0f},{(top + bottom) / 2:.0f} {x + w / 2:.0f},{top} Z", "#6b4a2a", INK, 2),
           path(f"M{x + w / 6:.0f},{top} C{x + w / 4:.0f},{(top + bottom) / 2:.0f} {x + w / 5:.0f},{bottom - 40:.0f} "
                f"{x + w / 2 + 16:.0f},{bottom - 2} L{x + w / 2 + 22:.0f},{bottom - 2} C{x + w / 2 - 6:.0f},{bottom - 40:.0f} "
                f"{x + w / 2 + 4:.0f},{(top + bottom) / 2:.0f} {x + w / 2 - 2:.0f},{top} Z", "#523820")]
    rnd = random.Random(seed)
    for _ in range(5):
        yy = rnd.uniform(top + 20, bottom - 60)
        xx = x + rnd.uniform(-w / 3, w / 6)
        out.append(path(f"M{xx:.0f},{yy:.0f} q4,14 0,28", "none", "#4a3218", 2))
    return out


def scene_dschungel():
    defs = vgrad("jsky", [(0, "#bfe6a8"), (1, "#7fbf6a")])
    defs += "\n" + vgrad("floor5", [(0, "#6f7a3a"), (1, "#8a8a46")])
    body = [group("far_light", [rect(0, 0, W, 560, "url(#jsky)")])]
    far = []
    for i, x in enumerate(range(-20, 1060, 70)):
        far.append(rect(x, 0, 24 + (i % 3) * 8, 560, "#5f9a55"))
    far += treeline(-40, 1080, 170, 101, 150, 60, ("#4f9447", "#3f8a3f", "#6cb45a"))
    far += treeline(-40, 1080, 330, 102, 120, 50, ("#3f8a3f", "#2f7d3a", "#5cb54a"))
    body.append(group("far_trees", far))
    floor = [(0, 560), (120, 520), (228, 430), (272, 306), (372, 306), (420, 430), (480, 520), (600, 545),
             (790, 556), (1024, 560), (1024, 768), (0, 768)]
    body.append(group("floor", [
        path(smooth([(0, 560), (120, 520), (228, 430), (272, 306), (372, 306), (420, 430), (480, 520),
                     (600, 545), (790, 556), (1024, 560)], False) + " L1024,768 L0,768 Z", "url(#floor5)"),
        # the path: from the way out at the bottom left up into the trees
        path("M40,768 Q160,640 250,520 Q290,420 300,320 L344,320 Q352,420 360,520 Q390,640 440,768 Z", "#b39a5e"),
        path("M90,768 Q190,640 270,520 M400,768 Q360,640 340,520", "none", "#9a8450", 2),
        path("M296,322 Q320,300 348,322 L344,300 L300,300 Z", "#2a5a22"),
    ]))
    near = []
    # the big tree on the left with the branch the liane hangs from
    near += tree_trunk(150, -10, 540, 100, 103)
    near.append(path("M190,120 Q300,70 480,86 Q520,90 540,70 L546,84 Q520,104 480,102 Q300,92 196,150 Z", "#6b4a2a", INK, 2))
    near.append(path("M360,80 L370,60 M430,84 Q440,70 460,66", "none", "#6b4a2a", 6))
    # the big tree on the right whose root the monkey sits on
    near += tree_trunk(700, -10, 560, 130, 104)
    near.append(path("M640,540 Q600,470 540,496 Q500,508 480,530 L494,534 Q520,516 560,512 Q610,504 640,556 Z",
                     "#6b4a2a", INK, 2))
    near.append(path("M760,556 Q820,530 860,566 L846,570 Q810,548 770,562 Z", "#6b4a2a", INK, 2))
    # a thinner tree far right, ferns, a few dark hanging vines away from the liane
    near += tree_trunk(960, -10, 580, 60, 105)
    near += [path("M60,0 Q70,140 54,300", "none", GREEN_DARK, 4), path("M820,0 Q830,120 812,240", "none", GREEN_DARK, 4),
             path("M880,0 Q870,90 884,170", "none", GREEN_DARK, 3), path("M590,0 Q600,80 588,150", "none", GREEN_DARK, 3)]
    for fx, fy, s in [(40, 640, 1.0), (560, 620, 0.9), (880, 660, 1.1), (470, 720, 0.8), (980, 740, 1.0)]:
        for a in (-150, -120, -90, -60, -30):
            near += palm_leaf(fx, fy, a, 70 * s, 10 * s, 20 * s, GREEN_LIGHT if a % 60 else GREEN, GREEN_DARK)
    body.append(group("near_trees", near))
    canopy = []
    for cx, cy, r in [(40, 20, 90), (160, 0, 110), (300, -30, 90), (620, -20, 110), (760, 10, 100), (900, -10, 110),
                      (1010, 30, 90), (460, -60, 80)]:
        canopy += bush(cx, cy, r, int(cx + cy + 1000), outline=False)
    body.append(group("canopy", canopy))
    deco = stones([(200, 700, 14), (620, 700, 12), (860, 600, 16)], 106)
    rnd = random.Random(107)
    for _ in range(20):
        x, y = rnd.uniform(0, 1000), rnd.uniform(580, 760)
        deco.append(ell(x, y, 7, 3, "#5d6a30"))
    body.append(group("floor_details", deco))
    walk = [[(0, 566), (120, 528), (230, 440), (274, 312), (370, 312), (418, 440), (478, 526), (600, 552),
             (1024, 566), (1024, 768), (0, 768)]]
    blocks = [box(60, 0, 240, 548),         # the left tree
              box(590, 0, 800, 576),        # the right tree and its root flare
              box(900, 0, 1024, 590)]       # the thin tree on the right
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "jungle: the floor and the path walkable; trees blocked")


# ---------------------------------------------------------------- scene 6: the field of holes

def hole(cx, cy, rx, ry):
    return [ell(cx, cy - ry * 0.4, rx * 1.25, ry * 1.3, "#a8864e", INK, 2),
            ell(cx + rx * 0.9, cy - ry * 0.9, rx * 0.45, ry * 0.8, "#b8955a", INK, 2),
            ell(cx, cy, rx, ry, "#3a2616", INK, 2),
            ell(cx, cy + ry * 0.3, rx * 0.75, ry * 0.55, "#24170c")]


def scene_loecher():
    defs, sk = sky(bottom=440)
    defs += "\n" + vgrad("field", [(0, "#b8a866"), (1, "#cdb47a")])
    body = [group("sky", [sk, cloud(600, 80, 1.0), cloud(200, 60, 0.8), cloud(900, 150, 0.7)])]
    body.append(group("sea_far", sea_band(270, 440, seed=111)))
    # the jungle far below the hilltop
    below = [path("M0,440 L0,360 Q300,330 600,340 Q850,336 1024,352 L1024,440 Z", "#3f8a3f")]
    below += treeline(-20, 1050, 372, 117, 50, 26, ("#4f9447", "#3f8a3f", "#6cb45a"))
    body.append(group("jungle_below", below))
    # the top of the hill: dry grass and dug-up earth
    field = [path("M0,420 Q260,388 520,394 Q800,398 1024,416 L1024,768 L0,768 Z", "url(#field)", INK, 2)]
    rnd = random.Random(112)
    for _ in range(26):
        x, y = rnd.uniform(0, 1000), rnd.uniform(420, 760)
        field.append(path(f"M{x:.0f},{y:.0f} l-6,-12 M{x:.0f},{y:.0f} l0,-15 M{x:.0f},{y:.0f} l7,-11", "none", "#7a8a3a", 2))
    # the trail down to the palm beach, worn into the grass at the bottom left
    field.append(path("M10,768 Q80,700 200,666 Q270,648 330,650 Q280,662 230,690 Q180,724 250,768 Z", "#d6be86"))
    field.append(path("M60,768 Q120,710 210,676 M300,652 Q260,656 230,668", "none", "#b89c62", 2))
    body.append(group("field", field))
    edge = bush(60, 404, 30, 113) + bush(930, 410, 34, 114) + bush(470, 396, 20, 115)
    edge += palm((990, 420), (1000, 200), lean=-10, crown=90, trunk_w=20, seed=116, scale=0.8)
    body.append(group("field_edge", edge))
    # the landing place: a big painted X, with a ring of stones
    cx, cy = 760, 600
    x = [poly([(cx - 156, cy - 54), (cx - 100, cy - 54), (cx + 156, cy + 54), (cx + 100, cy + 54)], "#f4f1e6", INK, 2),
         poly([(cx + 156, cy - 54), (cx + 100, cy - 54), (cx - 156, cy + 54), (cx - 100, cy + 54)], "#f4f1e6", INK, 2),
         poly([(cx - 24, cy - 9), (cx + 24, cy - 9), (cx + 24, cy + 9), (cx - 24, cy + 9)], "#f4f1e6"),
         path(f"M{cx - 130},{cy - 46} l20,0 M{cx + 40},{cy + 20} l24,6", "none", "#d8d2c0", 3)]
    for a in range(0, 360, 24):
        x.append(ell(cx + 200 * math.cos(math.radians(a)), cy + 74 * math.sin(math.radians(a)), 9, 5, "#e8e2d0", INK, 1))
    body.append(group("landing_x", x))
    holes = [(580, 462, 38, 12), (880, 480, 40, 13), (110, 628, 46, 15), (560, 726, 48, 16), (960, 712, 40, 14),
             (700, 430, 28, 9)]
    hs = []
    for h in holes:
        hs += hole(*h)
    body.append(group("holes", hs))
    walk = [[(0, 428), (260, 402), (520, 404), (800, 408), (1024, 424), (1024, 768), (0, 768)]]
    blocks = [box(h[0] - h[2], h[1] - h[3] - 4, h[0] + h[2], h[1] + h[3]) for h in holes]
    return svg("\n".join(body), defs), mask_svg(walk, blocks, "holes: the hilltop walkable; the holes blocked")


# ---------------------------------------------------------------- the closing picture

def last():
    defs = vgrad("dusk", [(0, "#3b2a6b"), (0.35, "#b5487a"), (0.7, "#f08a4b"), (1, "#ffd27a")])
    defs += "\n" + vgrad("evening_sea", [(0, "#f0a060"), (0.08, "#c0607a"), (0.5, "#3a3f7a"), (1, "#1f2550")])
    body = [group("sky", [rect(0, 0, W, 392, "url(#dusk)"),
                          ell(120, 300, 130, 10, "#e07a6a"), ell(880, 250, 150, 11, "#d96b73"),
                          ell(930, 330, 90, 7, "#f29a66"), ell(70, 210, 90, 8, "#b85a80")])]
    sun = [f'<circle cx="820" cy="392" r="60" fill="#ffe08a"/>', f'<circle cx="820" cy="392" r="48" fill="#fff1b8"/>']
    body.append(group("sun", sun))
    sea = [rect(0, 390, W, 378, "url(#evening_sea)"), rect(0, 390, W, 3, "#ffd9a0")]
    # the sun's glitter on the water
    rnd = random.Random(121)
    for i in range(40):
        y = 398 + i * 9 + rnd.uniform(-2, 2)
        w = 40 + i * 4 + rnd.uniform(-10, 10)
        sea.append(rect(820 - w / 2 + rnd.uniform(-20, 20), y, w, 3, "#ffcf86" if i < 14 else "#e09a6a"))
    for _ in range(60):
        x, y = rnd.uniform(0, 1000), rnd.uniform(420, 760)
        sea.append(rect(x, y, 14 + (y - 400) * 0.12, 2, "#5d5f9a"))
    body.append(group("sea", sea))
    # the island left behind, a dark silhouette on the horizon at the left
    isle = [path("M0,392 L0,356 Q60,330 120,340 Q170,318 230,344 Q270,352 300,392 Z", "#3a2447")]
    isle += [path("M150,336 Q146,300 158,270", "none", "#3a2447", 5)]
    for a in (200, 235, 300, 335, 20, 160):
        isle += [path(f"M158,270 q{40 * math.cos(math.radians(a)):.0f},{40 * math.sin(math.radians(a)) - 4:.0f} "
                      f"{60 * math.cos(math.radians(a)):.0f},{60 * math.sin(math.radians(a)) + 14:.0f}", "none", "#3a2447", 5)]
    body.append(group("island", isle))
    birds = [path("M620,160 q8,-8 16,0 q8,-8 16,0 M660,190 q6,-6 12,0 q6,-6 12,0 M700,150 q7,-7 14,0 q7,-7 14,0",
                  "none", "#2b1d3a", 3)]
    body.append(group("birds", birds))
    return svg("\n".join(body), defs)

SCENES = {
    "schiff": scene_schiff,
    "bar": scene_bar,
    "palme_en": scene_palme,
    "nowhere": scene_nowhere,
    "inselstamm": scene_inselstamm,
    "dschungel": scene_dschungel,
    "loecher": scene_loecher,
}
MASKS = {"schiff": "schiff_i", "bar": "bar_i", "palme_en": "palme_i", "nowhere": "nirgendwo_i",
         "inselstamm": "inselstamm_i", "dschungel": "dschungel_i", "loecher": "loecher_i"}


def main():
    out = os.path.join(ROOT, "art", "locations")
    os.makedirs(out, exist_ok=True)
    for name, fn in SCENES.items():
        bg, mask = fn()
        with open(os.path.join(out, name + ".svg"), "w") as f:
            f.write(bg)
        with open(os.path.join(out, MASKS[name] + ".svg"), "w") as f:
            f.write(mask)
    if "last" in globals():
        with open(os.path.join(ROOT, "art", "last.svg"), "w") as f:
            f.write(last())


if __name__ == "__main__":
    main()
