#!/usr/bin/env python3
"""Generate the seven scene backgrounds, their walk masks, the closing picture and the ocean patch.

Writes art/locations/*.svg, art/last.svg and art/objects/v.svg.  The SVGs are the sources the
build renders; this script only saves typing and keeps each scene's drawn ground and its walk
mask in one place.  Edit the numbers here and run it again; the mask test (SceneMasks in the
test suite) walks the hero through every built mask.

Scale: the hero is about 290 pixels tall wherever he stands, so everything standing on ground he
can walk on (trees, palms, huts, the bar) is drawn at his scale, paths narrow only gently, and
only what lies beyond the walkable ground (the far shore, the far forest) is drawn small.
Objects and islanders are drawn over these pictures at their table positions; each scene leaves
their rectangles free of anything that would show through or double them.
"""
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scenery import *  # noqa: E402,F401,F403

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def beach_sand(gid, top="#e9c987", y0=400):
    """Beach sand, the same colour at the same height in every shape that uses it."""
    return vgrad(gid, [(0, top), (0.3, SAND), (1, "#f3dca8")], y0, 768)


def shore(points, foam_w=5):
    """The line where water meets sand: wet sand below it, a foam line on it."""
    wet = [(x, y + 6) for x, y in points]
    return [stroke(wet, 9, "#d9bb7e", 0.8, 0.8, 40), stroke(points, foam_w, FOAM, 0.9, 0.9, 40),
            stroke([(x, y - 5) for x, y in points[1:-1]], 2.2, "#a5def2", 0.3, 0.3, 30)]


def jungle_wall(x0, x1, ybase, seed, height=230, colours=("#1f5a2a", "#26682f", "#2f7a38")):
    """The edge of the forest behind a beach: overlapping masses of pointed leaves, no outline."""
    rnd = random.Random(seed)
    out = []
    for layer, colour in enumerate(colours):
        x = x0 + layer * 40
        while x < x1:
            w = rnd.uniform(180, 260)
            h = height * rnd.uniform(0.8, 1.05) * (1 - layer * 0.18)
            out += leafy_bush(x, ybase + 10, w, h, rnd.randint(0, 9999), colour, colour, colour, outline=0)
            x += w * 0.55
    return out


def path_gap(cx, top, bottom, width):
    """The dark mouth of a path between plants: where it leads is deeper into the trees."""
    w = width / 2
    return [path(f"M{cx - w - 8},{bottom} Q{cx - w - 4},{top + 40} {cx - w * 0.5},{top + 10} "
                 f"Q{cx},{top - 8} {cx + w * 0.5},{top + 10} Q{cx + w + 4},{top + 40} {cx + w + 8},{bottom} Z",
                 "#143d1f"),
            path(f"M{cx - w * 0.55},{bottom} Q{cx - w * 0.4},{top + 50} {cx},{top + 34} "
                 f"Q{cx + w * 0.4},{top + 50} {cx + w * 0.55},{bottom} Z", "#1d4f27")]


def ground(edge, fill, bottom=778):
    """Ground from its far edge (a smooth line, left to right) down past the bottom of the picture."""
    return path(smooth(edge, False) + f" L{f0(edge[-1][0])},{bottom} L{f0(edge[0][0])},{bottom} Z", fill)


def trail(left, right, fill="#dcb877", edge="#c9a05f", clip=None):
    """A trodden path, left and right its edges from near to far; its far end is cut straight, or by clip."""
    # the near end is rounded off, as a path spreads where people step onto it from the sand
    (lx, ly), (rx, ry) = left[0], right[0]
    nx, ny = (lx + rx) / 2, (ly + ry) / 2
    fx, fy = (left[-1][0] + right[-1][0]) / 2, (left[-1][1] + right[-1][1]) / 2
    k = 22 / (math.hypot(nx - fx, ny - fy) or 1)
    rest = smooth(right, False)
    rest = rest[rest.index("C"):]
    d = (smooth(left[::-1], False) + f" Q{f0(nx + (nx - fx) * k)},{f0(ny + (ny - fy) * k)} {f0(rx)},{f0(ry)} "
         + rest + " Z")
    c = f' clip-path="url(#{clip})"' if clip else ""
    out = [path(d, fill, extra=c)]
    out.append(stroke(left, 3.2, edge, 0.7, 0.2, 20, c))
    out.append(stroke(right, 3.2, edge, 0.7, 0.2, 20, c))
    return out


def avoid(items, boxes):
    """Only the (x, y, ...) tuples that lie outside every box."""
    return [it for it in items if not any(a <= it[0] <= c and b <= it[1] <= d for a, b, c, d in boxes)]


# ---------------------------------------------------------------- scene 0: the beach with the wreck

# The bay at the bottom left; the ocean object (art/objects/v.svg) repeats these shapes where it lies.
BAY_FOAM = [(0, 540), (130, 564), (240, 598), (344, 646), (416, 700), (452, 768), (0, 768)]
BAY_SHALLOW = [(0, 552), (120, 576), (228, 608), (330, 654), (398, 704), (432, 768), (0, 768)]
BAY_DEEP = [(0, 590), (110, 610), (210, 640), (300, 690), (360, 768), (0, 768)]
OCEAN = (120, 667, 200, 100)   # the ocean object's rectangle


def scene_schiff():
    defs, sk = sky(bottom=330)
    defs += "\n" + beach_sand("sand0")
    defs += "\n" + vgrad("sea0", [(0, "#3aa3cf"), (1, "#5cc0e0")])
    body = [group("sky", [sk] + cloud(180, 90, 1.1, seed=1) + cloud(560, 56, 0.8, seed=2) + cloud(880, 128, 0.9, seed=3))]
    body.append(group("headland", [path("M-10,302 Q60,246 150,258 Q220,268 270,302 Z", "#79b0a8"),
                                   path("M40,302 Q92,272 150,278 Q192,284 214,302 Z", "#6aa39b")]))
    sea = [rect(0, 300, W, 170, "url(#sea0)"), rect(0, 300, W, 4, "#8fd0ea")]
    sea += sea_glints(0, 308, 640, 446, 4)
    body.append(group("sea_far", sea))

    # the beach: the wreck lies where the back water meets the sand
    shoreline = [(-10, 452), (120, 450), (250, 448), (360, 444), (450, 430), (520, 414), (600, 404), (1034, 398)]
    body.append(group("beach", [ground(shoreline, "url(#sand0)")] + shore(shoreline[:6])))

    # the forest behind the beach on the right, with the path inland to the village
    jungle = jungle_wall(470, 1080, 412, 13, 250)
    jungle += palm((884, 418), (912, 64), crown=170, trunk_w=40, seed=6, lean=16)
    jungle += palm((548, 426), (514, 100), crown=150, trunk_w=36, seed=5, lean=-14)
    jungle += path_gap(698, 262, 414, 118)
    jungle += trail([(606, 470), (636, 420), (660, 360), (672, 318)], [(800, 470), (762, 420), (738, 360), (726, 318)])
    jungle += leafy_bush(568, 430, 170, 150, 21) + leafy_bush(836, 430, 190, 160, 22)
    jungle += leafy_bush(486, 436, 120, 96, 23) + leafy_bush(990, 424, 200, 170, 24)
    jungle += fern(628, 432, 0.8, 25) + fern(772, 434, 0.85, 26)
    for x, y in ((470, 444), (520, 440), (880, 436), (940, 430), (1004, 432)):
        jungle += grass_tuft(x, y, 1.2, x)
    body.append(group("jungle", jungle))

    # the bay where the ocean object lies
    bay = [path(smooth(BAY_FOAM[:-1], False) + " L0,768 Z", "#d9bb7e")]
    bay += [path(smooth([(x, y - 8) for x, y in BAY_FOAM[:-1]], False) + " L0,768 Z", FOAM),
            path(smooth(BAY_SHALLOW[:-1], False) + " L0,768 Z", SEA_LIGHT),
            path(smooth(BAY_DEEP[:-1], False) + " L0,768 Z", SEA)]
    ox, oy, ow, oh = OCEAN
    glints = avoid([(20, 620), (60, 700), (40, 740), (360, 720), (80, 650), (12, 690)], [(ox - 20, oy - 10, ox + ow + 10, H)])
    for x, y in glints:
        bay.append(stroke([(x, y), (x + 14, y - 1), (x + 30, y)], 2.4, "#7cc9e6", 0.4, 0.4, 6))
    bay.append(stroke([(30, 560), (60, 556), (90, 563)], 3, "#ffffff", 0.3, 0.3, 8))
    bay.append(stroke([(176, 594), (200, 588), (226, 598)], 3, "#ffffff", 0.3, 0.3, 8))
    bay.append(stroke([(372, 676), (390, 684), (404, 700)], 3, "#ffffff", 0.3, 0.3, 8))
    body.append(group("bay", bay))

    # what the sea left on the sand, kept clear of the objects and the exits
    keep_clear = [(780, 440, 900, 600),   # the root plant
                  (560, 560, 680, 640)]   # where the hero stands at the start
    deco = ripples((440, 470, 1000, 760), 31, 40, avoid=keep_clear)
    deco += shells((430, 470, 1000, 760), 32, 26, avoid=keep_clear)
    deco += driftwood(508, 528, 86, -6, 34)
    deco += rock(914, 480, 46, 24, 35) + rock(536, 750, 34, 16, 36) + rock(884, 752, 40, 18, 37)
    deco += seaweed([(30, 462), (150, 460), (262, 458), (380, 452), (470, 720), (420, 640)], 38)
    # his own footprints, from the water to where he wakes up
    deco += footprints([(392, 662), (412, 652), (432, 644), (452, 636), (470, 628), (490, 620), (508, 612)], 0.9)
    body.append(group("beach_details", deco))

    walk = [[(0, 458), (250, 456), (360, 452), (450, 438), (520, 424), (600, 418), (642, 416), (662, 342), (676, 300),
             (716, 300), (734, 342), (758, 416), (1024, 414), (1024, 768), (452, 768), (416, 706), (346, 654),
             (240, 606), (130, 574), (0, 556)]]
    blocks = [box(40, 380, 320, 454)]   # the wreck lies on the upper beach
    return (svg("\n".join(body), defs, note="the beach with the wreck"),
            mask_svg(walk, blocks, "ship beach: sand walkable; sea, bay, jungle and wreck blocked"))


def ocean_patch():
    """The ocean object: the bay's water where its rectangle lies, with a few more crests."""
    ox, oy, ow, oh = OCEAN
    deep = smooth(BAY_DEEP[:-1], False) + " L0,768 Z"
    crests = [(136, 694), (156, 694), (224, 712), (244, 712), (168, 758)]
    out = [rect(ox, oy, ow, oh, SEA_LIGHT), path(deep, SEA)]
    for x, y, w in ((144, 669, 23), (214, 679, 35), (235, 670, 35), (157, 740, 32), (128, 712, 26), (196, 726, 30),
                    (252, 752, 34), (170, 698, 24)):
        out.append(stroke([(x, y), (x + w / 2, y - 0.6), (x + w, y)], 2.4, "#7cc9e6", 0.4, 0.4, 6))
    for x, y in crests:
        out.append(path(f"M{x},{y} q10,-6 20,0", "none", "#46b3d9", 3))
        out.append(path(f"M{x},{y - 1} q10,-6 20,0", "none", FOAM, 2))
    out += [ell(300, 696, 6, 2, FOAM), ell(290, 701, 3, 1.5, FOAM), ell(308, 704, 3.5, 1.5, FOAM)]
    body = "\n    ".join(out)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{ow}" height="{oh}" viewBox="0 0 {ow} {oh}">\n'
            f"  <!-- the ocean: a patch of the ship scene's bay, written with the scene by tools/art/gen_locations.py.\n"
            f"       It repeats the bay's shapes where it lies ({ox},{oy}), so it joins the open sea without a seam. -->\n"
            f'  <g id="bay-continued" transform="translate({-ox} {-oy})">\n    {body}\n  </g>\n</svg>\n')


# ---------------------------------------------------------------- scene 1: Kai's beach bar

def letters_bar(x, y, s, fill, shade):
    """BAR in painted block letters, each stroke a brush mark."""
    strokes = [
        [(0, 0), (0, 30)], [(0, 1), (12, 0), (16, 7), (11, 14), (1, 14)], [(1, 14), (13, 15), (18, 22), (12, 30), (0, 30)],
        [(26, 30), (36, 0), (46, 30)], [(30, 19), (42, 19)],
        [(56, 30), (56, 0)], [(56, 1), (68, 0), (72, 8), (66, 15), (57, 15)], [(63, 15), (73, 30)],
    ]
    out = []
    for colour, width, dy in ((shade, 9.5, 2), (INK, 9.5, 0), (fill, 5.2, 0)):
        for st in strokes:
            out.append(stroke([(x + px * s, y + py * s + dy) for px, py in st], width * s, colour, 0.85, 0.8, 14))
    return out


def bamboo(x, y0, y1, w, fill="#c9a45a", node="#8a6a30", outline=MID):
    out = [rect(x - w / 2, y0, w, y1 - y0, fill, INK, outline, rx=w / 3)]
    out.append(rect(x - w / 2 + 2, y0 + 2, w * 0.28, y1 - y0 - 4, "#e0c07a", rx=w / 6))
    y = y0 + 30
    while y < y1 - 10:
        out.append(stroke([(x - w / 2 + 1, y), (x, y + 2), (x + w / 2 - 1, y)], 2.6, node, 0.5, 0.5, 6))
        y += 44
    return out


def scene_bar():
    defs, sk = sky(bottom=420)
    defs += "\n" + beach_sand("sand1")
    defs += "\n" + vgrad("backwall", [(0, "#7a4e25"), (1, "#5a3818")])
    defs += "\n" + vgrad("thatch", [(0, "#e6c26a"), (1, "#c99a40")])
    body = [group("sky", [sk] + cloud(120, 70, 0.9, seed=4) + cloud(880, 96, 1.0, seed=5))]
    sea = [rect(600, 282, 424, 140, SEA_LIGHT), rect(600, 282, 424, 4, "#8fd0ea")] + sea_glints(760, 290, W, 404, 7)
    body.append(group("sea_far", sea))
    shoreline = [(560, 410), (760, 406), (900, 404), (1034, 408)]
    body.append(group("beach", [ground([(-10, 410)] + shoreline, "url(#sand1)")] + shore(shoreline)))

    jungle = jungle_wall(-40, 640, 412, 17, 270)
    jungle += palm((74, 420), (34, 70), crown=160, trunk_w=40, seed=8, lean=-18)
    jungle += path_gap(270, 262, 414, 126)
    jungle += trail([(176, 470), (208, 420), (230, 360), (240, 318)], [(372, 470), (338, 420), (312, 360), (300, 318)])
    jungle += leafy_bush(150, 432, 170, 150, 41) + leafy_bush(402, 432, 150, 130, 42)
    jungle += fern(200, 432, 0.8, 43) + fern(344, 434, 0.8, 44)
    for x, y in ((20, 446), (96, 442), (440, 444), (520, 440)):
        jungle += grass_tuft(x, y, 1.2, x)
    body.append(group("jungle", jungle))
    body.append(group("palm_right", palm((992, 436), (1000, 96), crown=150, trunk_w=36, seed=9, lean=18)))

    bar = []
    # back wall of woven mats, with two shelves of bottles and glasses left and right of Kai
    bar.append(rect(424, 150, 292, 236, "url(#backwall)", INK, MID))
    for yy in range(162, 380, 16):
        bar.append(stroke([(426, yy), (570, yy + 2), (714, yy)], 2.2, "#4a2e14", 0.6, 0.6, 10))
    for xx in range(440, 712, 24):
        bar.append(stroke([(xx, 152), (xx + 2, 268), (xx, 384)], 1.8, "#86572a", 0.4, 0.4, 10))
    bottle_cols = ["#3f8f5a", "#b5552b", "#e0b040", "#4a7fb5", "#7b3f8f"]
    for shelf in (236, 300):
        bar.append(rect(428, shelf, 284, 10, WOOD_LIGHT, INK, MID))
        for i, x in enumerate([444, 464, 484, 636, 658, 680, 700]):
            c = bottle_cols[(i + shelf // 10) % len(bottle_cols)]
            if shelf == 236 and i in (1, 5):   # glasses upside down instead of bottles
                bar.append(path(f"M{x - 7},{shelf} L{x - 5},{shelf - 16} L{x + 5},{shelf - 16} L{x + 7},{shelf} Z",
                                "#d8eef2", INK, MID))
                continue
            h = 34 if (i + shelf) % 2 else 28
            bar.append(path(f"M{x - 6},{shelf} L{x - 6},{shelf - h + 10} Q{x - 6},{shelf - h + 4} {x - 2},{shelf - h + 2} "
                            f"L{x - 2},{shelf - h - 6} L{x + 2},{shelf - h - 6} L{x + 2},{shelf - h + 2} "
                            f"Q{x + 6},{shelf - h + 4} {x + 6},{shelf - h + 10} L{x + 6},{shelf} Z", c, INK, MID))
            bar.append(rect(x - 4, shelf - h + 12, 2.5, h - 18, "#ffffff"))
    # bamboo posts
    for x in (412, 728):
        bar += bamboo(x, 160, 508, 18, outline=NEAR)
    # the thatched roof, its fringe exactly as wide as its eaves
    eave_l, eave_r, eave_y = 366, 774, 170
    roof = [(eave_l, eave_y), (432, 58), (708, 58), (eave_r, eave_y)]
    bar.append(f'<clipPath id="barroof"><polygon points="{pts(roof)}"/></clipPath>')
    bar.append(poly(roof, "url(#thatch)", INK, NEAR))
    teeth = 17
    tw = (eave_r - eave_l) / teeth
    for i in range(teeth):
        x = eave_l + i * tw
        bar.append(path(f"M{f0(x)},{eave_y} L{f0(x + tw / 2)},{eave_y + 22} L{f0(x + tw)},{eave_y} Z", "#c79b3e", INK, MID))
    for k in range(1, 4):
        y = 58 + (eave_y - 58) * k / 4
        half = (eave_r - eave_l - 276) / 2 * k / 4 + 138
        bar.append(stroke([(570 - half, y), (570, y + 2), (570 + half, y)], 3, "#a77d2c", 0.3, 0.3, 10))
    rnd = random.Random(45)
    for i in range(22):
        x = 440 + i * 12.5 + rnd.uniform(-3, 3)
        bar.append(stroke([(x, 62), (x - 10, 110), (x - 24, 164)], 2.2, "#b88a34", 0.3, 0.2, 8,
                          ' clip-path="url(#barroof)"'))
    # the sign on the ridge, letters painted by hand
    bar.append(path("M522,58 L536,34 M620,58 L606,34", "none", INK, MID))
    bar.append(rect(502, 10, 136, 46, WOOD_LIGHT, INK, NEAR, rx=7))
    bar.append(stroke([(512, 20), (560, 18), (600, 21)], 2, WOOD, 0.3, 0.3, 8))
    bar += letters_bar(538, 18, 0.9, "#fff3c4", "#6b4420")
    # the counter: its top edge at y 374, right under Kai
    bar.append(rect(432, 384, 276, 120, "#c9a45a", INK, NEAR))
    for x in range(446, 704, 18):
        bar += bamboo(x + 6, 388, 500, 13, outline=1.5)
    bar.append(rect(424, 368, 292, 16, WOOD, INK, NEAR))
    bar.append(rect(428, 370, 284, 4, WOOD_LIGHT))
    bar.append(rect(436, 502, 268, 6, "#c9a05f"))
    # two stools at the ends of the counter
    for x in (388, 752):
        for dx0, dx1 in ((-14, -20), (14, 20), (0, 0)):
            bar.append(stroke([(x + dx0, 440), (x + dx1, 506)], 7, INK, 1, 1, 4))
            bar.append(stroke([(x + dx0, 440), (x + dx1, 506)], 3.5, WOOD_LIGHT, 1, 1, 4))
        bar.append(path(f"M{x - 18},470 L{x + 18},470", "none", WOOD, 3))
        bar.append(ell(x, 436, 26, 9, WOOD, INK, NEAR))
        bar.append(ell(x - 5, 433, 15, 4, WOOD_LIGHT))
    body.append(group("bar", bar))

    # the crate the sugar stands on
    crate = [rect(790, 552, 100, 48, WOOD_LIGHT, INK, NEAR), path("M790,576 L890,576", "none", WOOD, 3),
             stroke([(796, 556), (840, 576), (884, 596)], 2.6, WOOD, 0.5, 0.5, 6),
             stroke([(796, 596), (840, 576), (884, 556)], 2.6, WOOD, 0.5, 0.5, 6), rect(790, 552, 100, 6, "#c99552"),
             ell(840, 604, 56, 5, "#d8b26e")]
    body.append(group("crate", crate))
    keep_clear = [(20, 390, 180, 540),    # the slippery plant
                  (780, 490, 900, 612)]   # the crate and the sugar
    deco = ripples((40, 540, 1000, 760), 51, 64, avoid=keep_clear) + ripples((480, 520, 780, 560), 52, 8)
    deco += ripples((40, 540, 1000, 760), 58, 26, "#f7e4b8", width=2.0, avoid=keep_clear)
    deco += footprints([(150, 700), (190, 668), (230, 640), (270, 612), (310, 588), (350, 566), (396, 548), (446, 532)],
                       1.0, "#d9b777")
    deco += shells((120, 520, 1000, 760), 53, 24, avoid=keep_clear)
    deco += rock(980, 724, 40, 18, 54) + rock(334, 744, 30, 14, 55) + rock(612, 566, 26, 12, 56)
    deco += seaweed([(770, 418), (860, 416), (960, 420)], 57)
    body.append(group("beach_details", deco))

    walk = [[(0, 448), (176, 448), (212, 416), (238, 334), (256, 300), (284, 300), (304, 334), (334, 416), (368, 448),
             (772, 444), (1024, 420), (1024, 768), (0, 768)]]
    blocks = [box(368, 0, 772, 508),      # the bar with its counter and stools
              box(790, 556, 890, 600),    # the crate
              box(972, 412, 1012, 440)]   # the palm's foot
    return (svg("\n".join(body), defs, note="Kai's beach bar"),
            mask_svg(walk, blocks, "bar: sand walkable; the bar, the crate, the jungle and the sea blocked"))


# ---------------------------------------------------------------- scene 2: the palm beach

DUNE_TOP = "M300,440 Q318,330 390,240 Q470,142 600,130 Q740,126 830,222 Q890,300 910,440"
DUNE = DUNE_TOP + " Z"


def scene_palme():
    defs, sk = sky(bottom=330)
    defs += "\n" + beach_sand("sand2")
    defs += "\n" + vgrad("sea2", [(0, "#3aa3cf"), (1, "#5cc0e0")])
    defs += "\n" + vgrad("dune2", [(0, "#86c45c"), (1, "#5ea548")])
    defs += f'\n    <clipPath id="dune2clip"><path d="{DUNE}"/></clipPath>'
    body = [group("sky", [sk] + cloud(560, 64, 1.0, seed=6) + cloud(880, 134, 0.8, seed=7) + cloud(110, 104, 0.7, seed=8))]
    sea = [rect(0, 300, W, 130, "url(#sea2)"), rect(0, 300, W, 4, "#8fd0ea")] + sea_glints(0, 308, W, 410, 13)
    body.append(group("sea_far", sea))
    # one shoreline across the whole beach; the dune and the rocks stand on the sand in front of it
    shoreline = [(-10, 416), (200, 410), (420, 408), (640, 408), (860, 410), (1034, 414)]
    body.append(group("beach", [ground(shoreline, "url(#sand2)")] + shore(shoreline)))

    # the grassy dune with the trail over it, up to the field of holes
    # a hill taller than the hero, the trail climbing it to the field of holes on its top
    dune = [path(DUNE, "url(#dune2)"),
            path("M720,150 Q800,180 846,250 Q890,320 906,440 L820,440 Q800,320 760,240 Q730,186 690,146 Z", "#56983f",
                 extra=' clip-path="url(#dune2clip)"'),
            stroke([(360, 300), (440, 196), (560, 144), (660, 140)], 6, "#a6d86e", 0.2, 0.1, 16)]
    dune += leafy_bush(700, 236, 210, 150, 61) + leafy_bush(400, 300, 150, 120, 62) + leafy_bush(790, 330, 170, 130, 60)
    dune += trail([(396, 480), (430, 420), (460, 330), (488, 230), (508, 150), (516, 100)],
                  [(606, 480), (578, 420), (562, 330), (556, 230), (554, 150), (556, 100)],
                  "#dcc085", "#b89a5c", clip="dune2clip")
    dune.append(path(DUNE_TOP, "none", INK, NEAR))
    dune.append(stroke([(310, 442), (500, 446), (620, 444), (902, 442)], 6, "#9cc060", 0.2, 0.2, 20))
    for x, y in ((340, 420), (626, 420), (840, 400), (870, 436), (660, 300), (380, 380), (470, 250), (600, 190), (720, 390)):
        dune += grass_tuft(x, y, 1.4, x, "#4f8a34", "#3a6a26")
    dune += leafy_bush(352, 446, 130, 100, 64) + leafy_bush(880, 446, 140, 110, 65)
    body.append(group("dune", dune))
    # low bare rocks on the right, with the strip of bare ground between them leading off
    rocks = rock(962, 418, 150, 70, 66, outline=NEAR)
    # the bare strip: trodden, pebbly ground between the rocks, leading off to the right
    rocks += trail([(852, 520), (930, 486), (1040, 460)], [(852, 470), (930, 448), (1040, 436)],
                   "#e6d0a2", "#c9a872")
    rocks += shells((880, 452, 1020, 500), 68, 10)
    rocks += grass_tuft(1000, 520, 0.9, 69, "#8a8a4a", "#6a6a36")
    body.append(group("rocks_right", rocks))

    # the tall palm whose crown holds the coconut (the coconut itself is an object at 230,230)
    crown = (262, 240)
    tall = palm((332, 614), crown, crown=180, trunk_w=46, seed=14, lean=34,
                leaves=[150, 172, 196, 222, 250, 288, 316, 342, 8, 30, 52, 128])
    body.append(group("palm", tall + [ell(334, 616, 60, 9, "#d8b26e")]))

    keep_clear = [(520, 490, 670, 580),   # the bottle
                  (180, 560, 340, 700)]   # where he stands under the coconut
    deco = ripples((20, 480, 1000, 760), 71, 44, avoid=keep_clear)
    deco += shells((20, 470, 1000, 760), 72, 26, avoid=keep_clear)
    deco += rock(790, 690, 42, 20, 73) + rock(110, 560, 30, 14, 74)
    deco += driftwood(150, 728, 96, 4, 75)
    deco += seaweed([(60, 426), (300, 420), (960, 426)], 76)
    body.append(group("beach_details", deco))
    walk = [[(0, 426), (200, 422), (330, 442), (418, 442), (448, 360), (466, 316), (556, 316), (562, 360), (584, 442),
             (880, 442), (1024, 436), (1024, 768), (0, 768)]]
    blocks = [box(304, 588, 362, 618)]   # the palm's foot
    return (svg("\n".join(body), defs, note="the palm beach"),
            mask_svg(walk, blocks, "palm beach: sand and the trail walkable; sea, dune and rocks blocked"))



# ---------------------------------------------------------------- scene 3: nowhere

def scene_nowhere():
    defs = vgrad("sky3", [(0, "#a9c7d3"), (1, "#e3e8e2")], 0, 330)
    defs += "\n" + vgrad("sand3", [(0, "#cbb68a"), (1, "#e2d2a8")], 420, 768)
    defs += "\n" + vgrad("cliff3", [(0, "#9a9184"), (1, "#857c70")], 250, 768)
    body = [group("sky", [rect(0, 0, W, 330, "url(#sky3)")] + cloud(300, 120, 1.3, "#eef1ee", "#d5dcda", 9)
                  + cloud(760, 80, 1.0, "#eef1ee", "#d5dcda", 10))]
    sea = [rect(0, 320, W, 120, "#6f9fb3"), rect(0, 320, W, 4, "#9dbfcc")] + sea_glints(0, 326, 800, 420, 81, "#8fb6c6", 3500)
    sea += [path("M430,322 Q446,306 470,310 Q486,314 494,322 Z", "#7d8f92"),
            path("M120,322 Q130,314 146,316 L152,322 Z", "#7d8f92")]   # bare rocks far out in the sea
    body.append(group("sea_far", sea))
    edge = [(-10, 428), (300, 422), (600, 426), (1034, 424)]
    body.append(group("sand", [ground(edge, "url(#sand3)")] + [stroke(edge, 4, "#dde6e2", 0.9, 0.9, 30),
                      stroke([(x, y + 6) for x, y in edge], 7, "#bfa87a", 0.8, 0.8, 30)]))
    # the rock wall that ends the strip on the right, in layers, with boulders at its foot
    cliff = [path("M780,790 L792,600 Q800,470 860,400 Q900,300 980,270 L1034,262 L1034,790 Z", "url(#cliff3)", INK, NEAR),
             path("M846,790 Q852,610 882,520 Q920,420 1000,380 L1034,380 L1034,790 Z", "#a39a8c"),
             path("M960,300 Q990,282 1030,280 L1034,330 Q990,330 962,320 Z", "#b4ab9c")]
    for pts_ in ([(862, 452), (900, 436), (934, 466)], [(900, 556), (950, 526), (994, 556)], [(824, 680), (862, 650), (904, 690)],
                 [(930, 360), (970, 330), (1010, 336)], [(820, 560), (836, 520)], [(950, 640), (990, 610), (1030, 620)]):
        cliff.append(stroke(pts_, 3.4, "#6f685e", 0.2, 0.2, 10))
    cliff += rock(808, 772, 90, 40, 84) + rock(752, 474, 116, 58, 85)
    body.append(group("rocks", cliff))
    # a dead tree, bleached and bare, taller than a man
    dead = []
    limbs = [([(560, 456), (564, 360), (566, 250), (560, 170)], 26), ([(565, 300), (600, 250), (636, 226)], 12),
             ([(563, 240), (530, 196), (512, 150)], 11), ([(561, 196), (586, 150), (594, 112)], 9),
             ([(600, 250), (620, 210)], 6), ([(530, 196), (500, 190)], 5), ([(565, 360), (520, 330), (500, 300)], 10)]
    for line, w in limbs:
        dead.append(stroke(line, w + 5, INK, 1.0, 0.45, 14))
    for line, w in limbs:
        dead.append(stroke(line, w, "#b3a899", 1.0, 0.4, 14))
    dead.append(stroke([(556, 440), (560, 340), (562, 250)], 5, "#d3cabd", 0.3, 0.2, 12))
    dead.append(ell(562, 458, 34, 7, "#b39e70"))
    body.append(group("dead_tree", dead))
    drift = driftwood(296, 652, 176, -4, 86) + driftwood(64, 520, 92, 9, 87)
    body.append(group("driftwood", drift))
    dry = []
    for x, y, k in [(120, 480, 1.0), (420, 520, 1.1), (650, 600, 1.2), (220, 700, 1.3), (700, 730, 1.3), (80, 610, 1.2),
                    (470, 446, 0.9), (330, 560, 1.0), (610, 472, 0.9)]:
        dry += grass_tuft(x, y, k, int(x + y), "#9a9452", "#767040")
    dry += ripples((20, 450, 760, 760), 83, 70, "#c2ad7c")
    dry += ripples((20, 450, 760, 760), 88, 30, "#efe3c4", width=2.0)
    dry += rock(160, 566, 32, 15, 89) + rock(482, 748, 40, 18, 90) + rock(640, 508, 22, 10, 91) + rock(380, 470, 18, 8, 92)
    dry += shells((40, 460, 740, 760), 93, 18)
    dry += seaweed([(40, 436), (190, 434), (420, 434), (620, 436)], 94)
    body.append(group("dry_ground", dry))
    walk = [[(0, 426), (690, 428), (690, 476), (786, 476), (782, 600), (772, 768), (0, 768)]]
    blocks = [box(540, 400, 590, 458)]   # the dead tree's foot
    return (svg("\n".join(body), defs, note="nowhere: the empty strip at the end of the beach"),
            mask_svg(walk, blocks, "nowhere: sand walkable; sea and rocks blocked"))


# ---------------------------------------------------------------- scene 4: the village

def hut(x0, x1, ground, floor, wall_top, roof_top, seed, ladder=True, window=True):
    """A hut on stilts at the hero's scale: its door is a little lower than he is tall."""
    rnd = random.Random(seed)
    cx = (x0 + x1) / 2
    out = []
    for x in (x0 + 22, cx, x1 - 22):
        out.append(rect(x - 9, floor, 18, ground - floor, WOOD, INK, NEAR))
        out.append(rect(x - 6, floor + 2, 4, ground - floor - 4, WOOD_LIGHT))
    out.append(stroke([(x0 + 22, floor + 8), (cx, ground - 8)], 5, WOOD_DARK, 1, 1, 4))
    out.append(stroke([(x1 - 22, floor + 8), (cx, ground - 8)], 5, WOOD_DARK, 1, 1, 4))
    out.append(rect(x0 - 16, floor - 16, x1 - x0 + 32, 18, WOOD_LIGHT, INK, NEAR))
    out.append(stroke([(x0 - 12, floor - 10), (cx, floor - 9), (x1 + 12, floor - 10)], 2, WOOD, 0.5, 0.5, 8))
    out.append(rect(x0, wall_top, x1 - x0, floor - 16 - wall_top, "#c99552", INK, NEAR))
    for x in range(int(x0) + 14, int(x1) - 4, 16):
        out.append(stroke([(x, wall_top + 3), (x + rnd.uniform(-1, 1), (wall_top + floor) / 2), (x, floor - 18)],
                          2.4, "#a87638", 0.5, 0.5, 8))
    for t in (0.33, 0.7):
        y = wall_top + (floor - 16 - wall_top) * t
        out.append(stroke([(x0 + 2, y), (cx, y + 2), (x1 - 2, y)], 3, "#8a5e2c", 0.7, 0.7, 10))
    dw, dh = 104, floor - 16 - wall_top - 30
    dx = cx - dw / 2
    out.append(rect(dx, floor - 16 - dh, dw, dh, "#3a2614", INK, NEAR))
    out.append(rect(dx + 4, floor - 16 - dh + 2, dw - 8, 26, "#b88a4a", INK, MID, rx=10))   # the door mat, rolled up
    out.append(stroke([(dx + 10, floor - 16 - dh + 15), (cx, floor - 16 - dh + 17), (dx + dw - 10, floor - 16 - dh + 15)],
                      2, "#8a6a30", 0.5, 0.5, 8))
    if window:
        wx = x0 + 26
        out.append(rect(wx, wall_top + 36, 52, 48, "#3a2614", INK, NEAR))
        out.append(stroke([(wx + 26, wall_top + 38), (wx + 26, wall_top + 82)], 3, "#c99552", 1, 1, 4))
    eave = wall_top + 14
    el, er = x0 - 54, x1 + 54
    roof = [(el, eave), (cx, roof_top), (er, eave)]
    out.append(f'<clipPath id="roof{seed}"><polygon points="{pts(roof)}"/></clipPath>')
    out.append(poly(roof, "url(#thatch4)", INK, NEAR))
    clip = f' clip-path="url(#roof{seed})"'
    for k in range(1, 4):
        t = k / 4
        y = roof_top + (eave - roof_top) * t
        half = (er - el) / 2 * t
        out.append(stroke([(cx - half + 6, y), (cx, y + 3), (cx + half - 6, y)], 3, "#a77d2c", 0.3, 0.3, 10, clip))
    for i in range(int((er - el) / 16)):
        x = el + 20 + i * 16 + rnd.uniform(-3, 3)
        top = roof_top + (eave - roof_top) * abs(x - cx) / ((er - el) / 2)
        out.append(stroke([(x * 0.3 + cx * 0.7, roof_top + 10), (x, (top + eave) / 2), (x - 4 * (x > cx) + 4 * (x < cx), eave - 4)],
                          2, "#b88a34", 0.2, 0.2, 8, clip))
    teeth = int((er - el) / 22)
    tw = (er - el) / teeth
    for i in range(teeth):
        x = el + i * tw
        out.append(path(f"M{f0(x)},{f0(eave)} L{f0(x + tw / 2)},{f0(eave + 24)} L{f0(x + tw)},{f0(eave)} Z", "#c79b3e", INK, MID))
    if ladder:
        lx = cx - 26
        rails = [[(lx, floor - 8), (lx - 16, ground + 8)], [(lx + 52, floor - 8), (lx + 36, ground + 8)]]
        for r in rails:
            out.append(stroke(r, 11, INK, 1, 1, 4))
            out.append(stroke(r, 6, WOOD_DARK, 1, 1, 4))
        for k in range(1, 4):
            t = k / 4
            y = floor + (ground - floor) * t
            out.append(rect(lx - 16 * t - 2, y - 4, 56, 8, WOOD, INK, MID))
    return out


def flower_bush(x, y, w, h, seed):
    rnd = random.Random(seed)
    out = leafy_bush(x, y, w, h, seed)
    for _ in range(5):
        fx, fy = x + rnd.uniform(-w * 0.35, w * 0.35), y - rnd.uniform(h * 0.3, h * 0.8)
        for a in range(0, 360, 72):
            out.append(ell(fx + 6 * math.cos(math.radians(a)), fy + 6 * math.sin(math.radians(a)), 6, 6, "#e8443a", INK, 1.5))
        out.append(ell(fx, fy, 3, 3, "#ffd447"))
    return out


def scene_inselstamm():
    defs, sk = sky(bottom=300)
    defs += "\n" + vgrad("lagoon", [(0, "#46b3d9"), (1, "#7fd0e8")], 236, 450)
    defs += "\n" + vgrad("earth4", [(0, "#e6c98f"), (1, "#dcbd80")], 420, 768)
    defs += "\n" + vgrad("thatch4", [(0, "#e6c26a"), (1, "#c99a40")])
    body = [group("sky", [sk] + cloud(420, 70, 0.9, seed=11) + cloud(760, 40, 0.7, seed=12))]
    water = [rect(0, 236, W, 220, "url(#lagoon)"), rect(0, 236, W, 5, "#a5def2"),
             path("M330,240 Q380,200 450,214 Q500,222 520,240 Z", "#6aa6a0"),
             path("M400,216 Q398,200 404,188 M404,188 q-12,-2 -20,6 M404,188 q10,-6 20,0 M404,188 q-2,-10 6,-16", "none",
                  "#5a968f", 3)]
    water += sea_glints(0, 246, W, 420, 91, "#b5e6f5", 2200)
    body.append(group("lagoon", water))
    edge = [(-10, 438), (300, 428), (560, 422), (820, 422), (1034, 430)]
    body.append(group("ground", [ground(edge, "url(#earth4)")] + shore(edge)
                      + trail([(628, 560), (612, 620), (590, 700), (560, 790)], [(690, 560), (708, 620), (752, 700), (800, 790)],
                              "#ead7a8", "#c9ad76")))
    trees = palm((354, 440), (318, 52), crown=160, trunk_w=38, seed=92, lean=-16)
    trees += palm((872, 424), (846, 60), crown=150, trunk_w=34, seed=93, lean=-12)
    body.append(group("palms", trees))
    body.append(group("hut_left", hut(-24, 272, 488, 430, 196, 30, 94)))
    body.append(group("hut_right", hut(912, 1190, 470, 412, 180, 20, 95, ladder=False)))
    # nets drying on the right hut's wall
    net = [path("M930,230 Q960,300 992,236", "none", "#6b5a3a", 2)]
    for k in range(6):
        net.append(stroke([(930 + k * 12, 232 + k * 2), (944 + k * 9, 282 - k * 2)], 1.6, "#6b5a3a", 0.5, 0.5, 4))
    body.append(group("nets", net))
    fire = []
    for a in range(0, 360, 30):
        fx, fy = 250 + 66 * math.cos(math.radians(a)), 602 + 22 * math.sin(math.radians(a))
        fire += rock(fx, fy + 6, 26, 14, a, outline=MID)
    fire += [ell(250, 600, 52, 14, "#3a2a1a")]
    for line in ([(206, 610), (250, 600), (294, 590)], [(210, 590), (250, 600), (290, 612)]):
        fire.append(stroke(line, 16, INK, 1, 1, 6))
        fire.append(stroke(line, 11, WOOD, 1, 1, 6))
    fire += [path("M250,600 Q214,566 232,524 Q240,548 250,540 Q246,506 266,486 Q270,522 282,536 Q296,570 250,600 Z",
                  "#f08a24", INK, MID),
             path("M250,596 Q234,574 246,550 Q252,564 260,558 Q270,580 250,596 Z", "#ffd447")]
    body.append(group("fire_place", fire))
    deco = rock(384, 702, 30, 14, 96) + rock(904, 624, 34, 16, 97) + rock(124, 724, 26, 12, 98)
    deco += ripples((320, 470, 1000, 760), 99, 40, "#cfae72", avoid=[(400, 340, 580, 560), (540, 540, 820, 768)])
    deco += ripples((0, 640, 540, 760), 104, 16, "#cfae72")
    for k, (x, y) in enumerate([(330, 520), (360, 640), (480, 700), (860, 520), (940, 560), (900, 740), (140, 540),
                                (60, 610), (700, 470), (980, 470), (600, 500)]):
        deco += grass_tuft(x, y, 1.0 + (y - 450) / 500, 200 + k, "#7a9a40", "#5a7a2e")
    deco += footprints([(690, 760), (676, 736), (690, 712), (676, 688), (688, 664), (676, 640)], 1.1, "#d4b47a")
    deco += shells((320, 460, 1000, 760), 100, 14, avoid=[(400, 340, 580, 560)])
    deco += flower_bush(380, 452, 90, 80, 101) + flower_bush(1000, 700, 120, 100, 102) + flower_bush(20, 760, 120, 110, 103)
    body.append(group("details", deco))
    walk = [[(0, 446), (300, 436), (560, 432), (820, 432), (1024, 436), (1024, 768), (0, 768)]]
    blocks = [box(0, 0, 300, 512),          # the left hut on its stilts and its ladder
              box(900, 0, 1024, 472),       # the right hut
              box(176, 566, 324, 630),      # the fire place
              box(330, 400, 420, 460)]      # the palm's foot and the flowers
    return (svg("\n".join(body), defs, note="the islanders' village"),
            mask_svg(walk, blocks, "village: ground walkable; lagoon, huts and fire place blocked"))


# ---------------------------------------------------------------- scene 5: the jungle

def scene_dschungel():
    defs = vgrad("jsky", [(0, "#d4ecb4"), (1, "#8cc472")], 0, 560)
    defs += "\n" + vgrad("floor5", [(0, "#66733a"), (1, "#8a8a46")], 330, 768)
    body = [group("far_light", [rect(0, 0, W, 570, "url(#jsky)")])]
    rnd = random.Random(101)
    far = []
    for x in range(-20, 1060, 46):
        far.append(rect(x + rnd.uniform(-10, 10), 0, rnd.uniform(12, 26), 570, "#a8cf90"))
    for x in range(0, 1060, 64):
        far.append(rect(x + rnd.uniform(-14, 14), 0, rnd.uniform(24, 40), 570, "#8fbf7a"))
    for x in range(-40, 1100, 150):
        far += leafy_bush(x, 120, 260, -150, x, "#7fb46a", "#7fb46a", "#8cc476", outline=0)
    far += leafy_bush(300, 360, 700, 110, 104, "#6ea85c", "#79b265", "#86bd70", outline=0)
    far += [poly([(260, 0), (340, 0), (520, 560), (380, 560)], "#ffffff", extra=' opacity="0.14"'),
            poly([(560, 0), (600, 0), (760, 560), (690, 560)], "#ffffff", extra=' opacity="0.10"')]
    body.append(group("far_forest", far))
    mid = trunk(470, -10, 350, 54, 105, "#6f6040", "#5a4e34", 14, MID) + trunk(196, -10, 356, 48, 106, "#6f6040", "#5a4e34", 12, MID)
    mid += trunk(840, -10, 360, 58, 107, "#6f6040", "#5a4e34", 14, MID)
    mid += leafy_bush(560, 356, 150, 80, 108, "#3f7a35", "#4a8a3c", "#5c9c46", outline=MID)
    mid += leafy_bush(96, 364, 160, 90, 117, "#3f7a35", "#4a8a3c", "#5c9c46", outline=MID)
    body.append(group("middle_trees", mid))
    # the forest floor runs back level to the middle trees; only the path is worn into it
    edge = [(-10, 370), (200, 352), (300, 334), (420, 336), (560, 352), (760, 358), (1034, 366)]
    floor = [ground(edge, "url(#floor5)")]
    # the path from the way out at the bottom left up to the trees at the back, narrowing only gently
    floor += trail([(10, 800), (140, 620), (236, 450), (278, 336)], [(470, 800), (430, 620), (396, 450), (388, 336)],
                   "#a89258", "#8a7646")
    # fallen leaves on the forest floor
    litter = [(rnd.uniform(0, 1020), rnd.uniform(370, 760)) for _ in range(160)]
    for x, y in litter:
        a = rnd.uniform(0, 360)
        ln = 9 + (y - 500) / 30
        floor += [path(lens((x, y), (x + ln * math.cos(math.radians(a)), y + ln * 0.45 * math.sin(math.radians(a))), ln * 0.28),
                       rnd.choice(["#55622a", "#737434", "#9a8a44", "#4d5a26"]))]
    for k in range(26):
        x, y = rnd.uniform(0, 1020), rnd.uniform(380, 760)
        if not (140 + (760 - y) * 0.25 < x < 450 - (760 - y) * 0.15):   # moss, but not on the trodden path
            floor += grass_tuft(x, y, 0.6 + (y - 360) / 700, k + 300, "#5d7a2e", "#435a20")
    for line in ([(60, 548), (20, 570), (-10, 574)], [(226, 546), (280, 566), (320, 560)], [(900, 584), (860, 604), (820, 606)],
                 [(1000, 586), (1030, 600)]):
        floor.append(stroke(line, 12, INK, 1, 0.3, 10))
        floor.append(stroke(line, 8, "#6b4a2a", 1, 0.3, 10))
    body.append(group("floor", floor))

    near = []
    near += trunk(150, -10, 548, 118, 109)
    # the big tree on the right: its low branch reaches left to where the liane hangs (340,90)
    near += trunk(700, -10, 568, 136, 110)
    branch = [(640, 150), (560, 110), (460, 92), (360, 86), (318, 84)]
    near.append(stroke(branch, 34, INK, 1.0, 0.35, 20))
    near.append(stroke(branch, 29, "#6b4a2a", 1.0, 0.3, 20))
    near.append(stroke([(636, 142), (540, 104), (420, 92), (330, 84)], 7, "#8a6a44", 0.6, 0.2, 16))
    near.append(stroke([(470, 96), (490, 70), (484, 46)], 10, INK, 1, 0.3, 8))
    near.append(stroke([(470, 96), (490, 70), (484, 46)], 6, "#6b4a2a", 1, 0.3, 8))
    for lx, ly, a in ((492, 46, -60), (404, 84, -120), (324, 80, -150)):
        near += leaf((lx, ly), (lx + 30 * math.cos(math.radians(a)), ly + 30 * math.sin(math.radians(a))), 9, GREEN_LIGHT, 0.1, MID, GREEN_DARK)
    # its root flare on the left, which the monkey sits on
    near.append(path("M640,540 Q600,470 540,496 Q500,508 478,530 L494,536 Q520,516 560,512 Q610,504 640,560 Z",
                     "#6b4a2a", INK, NEAR))
    near.append(stroke([(620, 506), (570, 500), (520, 512)], 3, "#8a6a44", 0.3, 0.2, 10))
    near.append(path("M768,562 Q826,530 866,568 L850,572 Q814,550 776,566 Z", "#6b4a2a", INK, NEAR))
    near += trunk(962, -10, 586, 70, 111)
    for fx, fy, s_ in [(40, 650, 1.3), (560, 636, 1.1), (880, 668, 1.3), (470, 736, 1.0), (996, 748, 1.2), (160, 760, 1.0)]:
        near += fern(fx, fy, s_, int(fx + fy))
    near += rock(200, 706, 34, 16, 114) + rock(620, 712, 28, 13, 115) + rock(860, 610, 38, 18, 116)
    body.append(group("near_trees", near))
    canopy = []
    for cx, cy, w, h in [(20, -10, 300, 170), (150, -24, 240, 84), (350, -40, 260, 64), (580, -20, 300, 110),
                         (760, -10, 320, 170), (940, -10, 300, 180), (1040, 0, 200, 150)]:
        canopy += leafy_bush(cx, cy, w, -h, int(cx + 7 * cy + 2000), GREEN_DARK, GREEN, GREEN_LIGHT, outline=MID)
    body.append(group("canopy", canopy))
    walk = [[(0, 380), (200, 362), (274, 326), (420, 326), (560, 360), (760, 366), (1024, 374),
             (1024, 768), (0, 768)]]
    blocks = [box(60, 0, 240, 548),         # the left tree
              box(590, 0, 800, 576),        # the right tree and its root flare
              box(900, 0, 1024, 590),       # the thin tree on the right
              box(160, 0, 232, 372),        # the middle trees' feet
              box(436, 0, 506, 366), box(800, 0, 880, 376)]
    return (svg("\n".join(body), defs, note="the jungle"),
            mask_svg(walk, blocks, "jungle: the floor and the path walkable; trees blocked"))


# ---------------------------------------------------------------- scene 6: the field of holes

def hole(cx, cy, rx, ry, seed):
    """A dug hole with the earth thrown up behind it."""
    out = [path(smooth([(cx - rx * 1.3, cy - ry * 0.2), (cx - rx * 0.9, cy - ry * 1.5), (cx - rx * 0.1, cy - ry * 2.1),
                        (cx + rx * 0.8, cy - ry * 1.8), (cx + rx * 1.4, cy - ry * 0.6), (cx + rx * 1.2, cy + ry * 0.3),
                        (cx, cy + ry * 0.6)]), "#a8864e", INK, MID)]
    out.append(stroke([(cx - rx * 0.7, cy - ry * 1.4), (cx, cy - ry * 1.9), (cx + rx * 0.6, cy - ry * 1.6)],
                      max(3, ry * 0.4), "#c4a266", 0.4, 0.3, 10))
    out += [ell(cx, cy, rx, ry, "#3a2616", INK, NEAR), ell(cx + rx * 0.1, cy + ry * 0.25, rx * 0.78, ry * 0.6, "#24170c")]
    out.append(stroke([(cx - rx * 0.9, cy - ry * 0.4), (cx - rx * 0.2, cy - ry * 0.95), (cx + rx * 0.6, cy - ry * 0.8)],
                      2.4, "#6a4a28", 0.3, 0.3, 10))
    rnd = random.Random(seed)
    for _ in range(4):
        a = rnd.uniform(0, 2 * math.pi)
        out.append(ell(cx + math.cos(a) * rx * 1.5, cy + abs(math.sin(a)) * ry * 1.1 + 2, 4, 2.5, "#9a7a44"))
    return out


X_CENTRE = (760, 600)


def x_bars():
    cx, cy = X_CENTRE
    return ([(cx - 156, cy - 54), (cx - 100, cy - 54), (cx + 156, cy + 54), (cx + 100, cy + 54)],
            [(cx + 156, cy - 54), (cx + 100, cy - 54), (cx - 156, cy + 54), (cx - 100, cy + 54)])


def scene_loecher():
    defs, sk = sky(bottom=440)
    defs += "\n" + vgrad("field", [(0, "#b8a866"), (1, "#cdb47a")], 390, 768)
    a, b = x_bars()
    defs += f'\n    <clipPath id="xpaint"><polygon points="{pts(a)}"/><polygon points="{pts(b)}"/></clipPath>'
    body = [group("sky", [sk] + cloud(600, 80, 1.0, seed=13) + cloud(200, 60, 0.8, seed=14) + cloud(900, 150, 0.7, seed=15))]
    body.append(group("sea_far", [rect(0, 270, W, 170, SEA_LIGHT), rect(0, 270, W, 4, "#8fd0ea")] + sea_glints(0, 276, W, 350, 111)))
    below = [path("M-10,440 L-10,360 Q300,330 600,340 Q850,336 1034,352 L1034,440 Z", "#3f8a3f")]
    rnd = random.Random(117)
    for x in range(-20, 1060, 34):
        below += leafy_bush(x, 372 + rnd.uniform(-6, 6), 60, 40, x, "#4f9447", "#3f8a3f", "#6cb45a", outline=0)
    body.append(group("jungle_below", below))
    # the hilltop: dry grass and dug-up earth, its outline only along the crest
    edge = [(-10, 424), (260, 396), (520, 394), (800, 398), (1034, 420)]
    field = [ground(edge, "url(#field)"), stroke(edge, 4, INK, 1, 1, 40)]
    field += trail([(-20, 800), (30, 740), (110, 700), (210, 662)], [(300, 800), (250, 740), (230, 700), (214, 664)],
                   "#d6be86", "#b89c62")
    bars = [Polygon(a), Polygon(b)]
    keep = [(300, 440, 420, 590),    # where the spade will lie
            (190, 250, 346, 566),    # Jim
            (10, 420, 330, 530)]     # Jim asleep
    holes = [(580, 462, 38, 12), (880, 480, 40, 13), (110, 628, 46, 15), (560, 726, 48, 16), (960, 712, 40, 14),
             (700, 430, 28, 9)]
    keep += [(h[0] - h[2] * 1.5, h[1] - h[3] * 2.3, h[0] + h[2] * 1.5, h[1] + h[3] * 1.5) for h in holes]
    tufts = []
    for _ in range(60):
        x, y = rnd.uniform(0, 1020), rnd.uniform(420, 760)
        if any(p.inside(x, y, 14) for p in bars) or math.hypot((x - X_CENTRE[0]) / 214, (y - X_CENTRE[1]) / 86) < 1:
            continue   # no grass on the paint or on the ring of stones
        if any(a_ <= x <= c and b_ <= y <= d for a_, b_, c, d in keep):
            continue
        tufts.append((x, y))
    for x, y in tufts:
        field += grass_tuft(x, y, 0.7 + (y - 400) / 600, int(x * 7 + y), "#7a8a3a", "#5a6a2a")
    for _ in range(30):
        x, y = rnd.uniform(0, 1020), rnd.uniform(430, 760)
        if not any(p.inside(x, y, 8) for p in bars):
            field.append(ell(x, y, 4, 2.4, "#9a8450"))
    body.append(group("field", field))
    edge_items = leafy_bush(60, 420, 150, 120, 113) + leafy_bush(930, 428, 170, 140, 114) + leafy_bush(470, 402, 110, 80, 115)
    edge_items += palm((988, 444), (994, 150), crown=150, trunk_w=36, seed=116, lean=-14)
    body.append(group("field_edge", edge_items))
    # the landing place: a big painted X, one shape without seams, and a ring of stones
    x = [poly(a, INK, INK, 6), poly(b, INK, INK, 6), poly(a, "#f4f1e6"), poly(b, "#f4f1e6")]
    cx, cy = X_CENTRE
    for line in ([(cx - 140, cy - 46), (cx - 60, cy - 16)], [(cx + 30, cy + 14), (cx + 120, cy + 44)],
                 [(cx + 126, cy - 44), (cx + 60, cy - 20)], [(cx - 40, cy + 16), (cx - 130, cy + 48)]):
        x.append(stroke(line, 5, "#dcd6c4", 0.3, 0.3, 8, ' clip-path="url(#xpaint)"'))
    x.append(stroke([(cx - 150, cy + 52), (cx - 120, cy + 40)], 3, "#c9b98f", 0.3, 0.3, 6, ' clip-path="url(#xpaint)"'))
    for k in range(0, 360, 24):
        x += rock(cx + 200 * math.cos(math.radians(k)), cy + 74 * math.sin(math.radians(k)) + 4, 20, 9, k, "#e8e2d0",
                  "#ffffff", "#c9c2b0", 1.5)
    body.append(group("landing_x", x))
    hs = []
    for k, h in enumerate(holes):
        hs += hole(*h, k)
    body.append(group("holes", hs))
    walk = [[(0, 428), (260, 402), (520, 404), (800, 408), (1024, 424), (1024, 768), (0, 768)]]
    blocks = [box(h[0] - h[2], h[1] - h[3] - 4, h[0] + h[2], h[1] + h[3]) for h in holes]
    return (svg("\n".join(body), defs, note="the field of holes on the hilltop"),
            mask_svg(walk, blocks, "holes: the hilltop walkable; the holes blocked"))


class Polygon:
    def __init__(self, points):
        self.p = points

    def inside(self, x, y, margin=0):
        """Inside, or within margin of an edge."""
        n, hit = len(self.p), False
        for i in range(n):
            (x0, y0), (x1, y1) = self.p[i], self.p[(i + 1) % n]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                hit = not hit
            dx, dy = x1 - x0, y1 - y0
            t = max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
            if math.hypot(x - x0 - t * dx, y - y0 - t * dy) < margin:
                return True
        return hit



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
    with open(os.path.join(ROOT, "art", "last.svg"), "w") as f:
        f.write(last())
    with open(os.path.join(ROOT, "art", "objects", "v.svg"), "w") as f:
        f.write(ocean_patch())


if __name__ == "__main__":
    main()
