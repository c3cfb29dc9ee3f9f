"""Drawing pieces shared by the scene backgrounds: SVG helpers, brush strokes and island scenery.

Every piece returns a list of SVG elements (strings).  Outlines follow one rule of weight:
silhouettes of near things 3 px, their inner lines 2 px, fine detail as tapered brush strokes
that swell in the middle and thin out at both ends, far things without an outline.
"""
import math
import random

W, H = 1024, 768
INK = "#2b1d14"

SKY_TOP, SKY_LOW = "#8fd3f5", "#d9f2ff"
SEA, SEA_LIGHT, FOAM = "#1f8fc1", "#46b3d9", "#e8fbff"
SAND, SAND_DARK, SAND_LIGHT = "#f0d59a", "#d8b26e", "#f7e4b8"
GREEN, GREEN_LIGHT, GREEN_DARK = "#2f8a3b", "#5cb54a", "#1d5e2a"
WOOD, WOOD_LIGHT, WOOD_DARK = "#8a5a2b", "#b07a3f", "#5e3b1a"
NEAR, MID = 3, 2   # outline weights


# ---------------------------------------------------------------- SVG elements

def f0(v):
    return f"{v:.0f}" if abs(v - round(v)) < 0.05 else f"{v:.1f}"


def pts(points):
    return " ".join(f"{f0(x)},{f0(y)}" for x, y in points)


def poly(points, fill, stroke=None, sw=2, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round"' if stroke else ""
    return f'<polygon points="{pts(points)}" fill="{fill}"{s}{extra}/>'


def path(d, fill="none", stroke=None, sw=2, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round" stroke-linecap="round"' if stroke else ""
    return f'<path d="{d}" fill="{fill}"{s}{extra}/>'


def rect(x, y, w, h, fill, stroke=None, sw=2, rx=0, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    r = f' rx="{f0(rx)}"' if rx else ""
    return f'<rect x="{f0(x)}" y="{f0(y)}" width="{f0(w)}" height="{f0(h)}"{r} fill="{fill}"{s}{extra}/>'


def ell(cx, cy, rx, ry, fill, stroke=None, sw=2, extra=""):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<ellipse cx="{f0(cx)}" cy="{f0(cy)}" rx="{f0(rx)}" ry="{f0(ry)}" fill="{fill}"{s}{extra}/>'


def group(gid, items, extra=""):
    body = "\n    ".join(items)
    return f'  <g id="{gid}"{extra}>\n    {body}\n  </g>'


def svg(body, defs="", mask=False, note=""):
    extra = ' shape-rendering="crispEdges"' if mask else ""
    c = f"  <!-- {note} -->\n" if note else ""
    d = f"  <defs>\n{defs}\n  </defs>\n" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{W}" height="{H}" viewBox="0 0 {W} {H}"{extra}>\n'
            f"{c}{d}{body}\n</svg>\n")


def vgrad(gid, stops, y0=None, y1=None):
    """A top-to-bottom gradient over each shape's own box, or from y0 to y1 in the picture for every shape."""
    s = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    if y0 is None:
        return f'    <linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">{s}</linearGradient>'
    return (f'    <linearGradient id="{gid}" gradientUnits="userSpaceOnUse" x1="0" y1="{y0}" x2="0" y2="{y1}">'
            f'{s}</linearGradient>')


def smooth(points, closed=True):
    """A smooth path through the points (Catmull-Rom turned into cubic Beziers)."""
    n = len(points)
    d = [f"M{f0(points[0][0])},{f0(points[0][1])}"]
    rng = range(n) if closed else range(n - 1)
    for i in rng:
        p0 = points[(i - 1) % n] if closed or i > 0 else points[0]
        p1 = points[i]
        p2 = points[(i + 1) % n]
        p3 = points[(i + 2) % n] if closed or i + 2 < n else points[-1]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d.append(f"C{f0(c1[0])},{f0(c1[1])} {f0(c2[0])},{f0(c2[1])} {f0(p2[0])},{f0(p2[1])}")
    if closed:
        d.append("Z")
    return " ".join(d)


def sample(points, n=16):
    """Points along the open Catmull-Rom curve through the given points."""
    out = []
    m = len(points)
    for i in range(m - 1):
        p0 = points[max(i - 1, 0)]
        p1, p2 = points[i], points[i + 1]
        p3 = points[min(i + 2, m - 1)]
        steps = max(2, n // (m - 1))
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[k]) + (-p0[k] + p2[k]) * t + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                                    + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3) for k in (0, 1)))
    out.append(points[-1])
    return out


def stroke(points, width, fill, start=0.25, end=0.15, n=16, extra=""):
    """A brush stroke along a curve: a filled shape that swells to width in the middle and thins at the ends."""
    line = sample(points, n)
    left, right = [], []
    count = len(line)
    for i, (x, y) in enumerate(line):
        a = line[max(i - 1, 0)]
        b = line[min(i + 1, count - 1)]
        dx, dy = b[0] - a[0], b[1] - a[1]
        d = math.hypot(dx, dy) or 1
        t = i / (count - 1)
        prof = math.sin(math.pi * t)
        w = width * (start + (1 - start) * prof if t < 0.5 else end + (1 - end) * prof) / 2
        nx, ny = -dy / d * w, dx / d * w
        left.append((x + nx, y + ny))
        right.append((x - nx, y - ny))
    return f'<path d="M{pts(left)} L{pts(right[::-1])} Z" fill="{fill}"{extra}/>'


def lens(p, q, width, bend=0.0):
    """A pointed leaf shape from p to q, width at the middle, bent sideways by bend (fraction of length)."""
    (x0, y0), (x1, y1) = p, q
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy) or 1
    nx, ny = -dy / length, dx / length
    mx, my = (x0 + x1) / 2 + nx * bend * length, (y0 + y1) / 2 + ny * bend * length
    return (f"M{f0(x0)},{f0(y0)} Q{f0(mx + nx * width)},{f0(my + ny * width)} {f0(x1)},{f0(y1)} "
            f"Q{f0(mx - nx * width)},{f0(my - ny * width)} {f0(x0)},{f0(y0)} Z")


# ---------------------------------------------------------------- sky and water

def sky(gid="sky", top=SKY_TOP, low=SKY_LOW, bottom=420):
    return vgrad(gid, [(0, top), (1, low)]), rect(0, 0, W, bottom, f"url(#{gid})")


def cloud(x, y, s=1.0, fill="#ffffff", shade="#e4f4fc", seed=1):
    """A flat-bottomed cumulus: a row of puffs, shaded underneath."""
    rnd = random.Random(seed)
    puffs = [(-46, 2, 20), (-22, -10, 28), (8, -18, 32), (38, -6, 26), (62, 4, 18)]
    out = [ell(x + 8 * s, y + 12 * s, 82 * s, 12 * s, shade)]
    for dx, dy, r in puffs:
        r *= rnd.uniform(0.9, 1.1)
        out.append(ell(x + dx * s, y + dy * s, r * s, r * s * 0.86, fill))
    out.append(rect(x - 62 * s, y + 1 * s, 142 * s, 13 * s, fill, rx=6 * s))
    out.append(path(f"M{f0(x - 50 * s)},{f0(y + 12 * s)} Q{f0(x + 8 * s)},{f0(y + 18 * s)} {f0(x + 70 * s)},{f0(y + 12 * s)}",
                    "none", shade, 3 * s))
    return out


def sea_glints(x0, y0, x1, y1, seed, colour="#a5def2", density=2500):
    """Short horizontal glints on water, longer towards the viewer."""
    rnd = random.Random(seed)
    out = []
    for _ in range(int((x1 - x0) * (y1 - y0) / density)):
        x = rnd.uniform(x0 + 10, x1 - 40)
        y = rnd.uniform(y0 + 8, y1 - 6)
        w = 10 + (y - y0) * 0.35
        out.append(stroke([(x, y), (x + w / 2, y - 0.6), (x + w, y)], 2.4, colour, 0.4, 0.4, 6))
    return out


# ---------------------------------------------------------------- plants

def leaf(p, q, width, fill, bend=0.08, outline=MID, vein=None):
    out = [path(lens(p, q, width, bend), fill, INK if outline else None, outline)]
    if vein:
        (x0, y0), (x1, y1) = p, q
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy) or 1
        nx, ny = -dy / length, dx / length
        mid = ((x0 + x1) / 2 + nx * bend * length * 0.9, (y0 + y1) / 2 + ny * bend * length * 0.9)
        out.append(stroke([p, mid, (x0 + dx * 0.85, y0 + dy * 0.85)], 2.2, vein, 0.8, 0.1, 10))
    return out


def leafy_bush(x, ybase, w, h, seed, dark=GREEN_DARK, mid=GREEN, light=GREEN_LIGHT, outline=NEAR):
    """A bush of pointed leaves fanning out of the ground: dark leaves behind, light ones in front."""
    rnd = random.Random(seed)
    out = []
    for layer, (fill, count, reach) in enumerate(((dark, 8, 1.0), (mid, 7, 0.85), (light, 5, 0.62))):
        for i in range(count):
            a = math.radians(-172 + 164 * (i + rnd.uniform(0.2, 0.8)) / count)
            bx = x + rnd.uniform(-w * 0.12, w * 0.12)
            by = ybase - rnd.uniform(0, h * 0.12) - layer * h * 0.04
            ln = reach * rnd.uniform(0.75, 1.0)
            tx = bx + math.cos(a) * w * 0.55 * ln
            ty = by + math.sin(a) * h * ln
            width = rnd.uniform(0.2, 0.27) * math.hypot(tx - bx, ty - by)
            out += leaf((bx, by), (tx, ty), width, fill, rnd.uniform(-0.14, 0.14),
                        outline if layer < 2 else min(outline, MID), GREEN_DARK if layer == 2 and outline else None)
    return out


def grass_tuft(x, y, s, seed, colour="#6f8f3a", dark="#4f6a28"):
    """Tapered blades out of one spot."""
    rnd = random.Random(seed)
    out = []
    for i in range(rnd.randint(5, 7)):
        a = math.radians(-90 + rnd.uniform(-55, 55))
        ln = s * rnd.uniform(14, 26)
        tip = (x + math.cos(a) * ln, y + math.sin(a) * ln)
        mid = (x + math.cos(a) * ln * 0.5 + rnd.uniform(-3, 3) * s, y + math.sin(a) * ln * 0.55)
        out.append(stroke([(x + rnd.uniform(-3, 3) * s, y), mid, tip], 3.2 * s, dark if i % 2 else colour, 0.9, 0.05, 10))
    return out


def frond(base, ang, length, width, droop, fill, dark, outline=MID, seed=0, notches=5):
    """A palm frond: a curved rib and a blade cut into leaflets that sweep towards the tip."""
    rnd = random.Random(seed)
    bx, by = base
    a = math.radians(ang)
    rib = []
    for i in range(21):
        t = i / 20
        rib.append((bx + math.cos(a) * length * t, by + math.sin(a) * length * t + droop * t * t))

    def at(t, side, depth):
        i = min(19, int(t * 20))
        x0, y0 = rib[i]
        x1, y1 = rib[i + 1]
        f = t * 20 - i
        x, y = x0 + (x1 - x0) * f, y0 + (y1 - y0) * f
        d = math.hypot(x1 - x0, y1 - y0) or 1
        nx, ny = -(y1 - y0) / d, (x1 - x0) / d
        w = width * math.sin(math.pi * min(1.0, 0.15 + t)) ** 0.8 * depth
        return (x + nx * side * w, y + ny * side * w), ((x1 - x0) / d, (y1 - y0) / d)

    sides = []
    for side in (1, -1):
        edge = []
        for k in range(notches):
            t0 = 0.08 + 0.86 * k / notches
            t1 = 0.08 + 0.86 * (k + 1) / notches
            notch, _ = at(t0, side, 0.42)
            tip, (dx, dy) = at(t1, side, rnd.uniform(0.9, 1.1))
            sweep = length / notches * 0.35
            edge += [notch, (tip[0] + dx * sweep, tip[1] + dy * sweep)]
        sides.append(edge)
    shape = [rib[0]] + sides[0] + [rib[-1]] + sides[1][::-1]
    out = [poly(shape, fill, INK if outline else None, outline)]
    out.append(stroke(rib, 3.0, dark, 0.9, 0.2, 16))
    return out


def palm(base, top, crown=150, trunk_w=34, seed=3, leaves=None, lean=0.0, outline=NEAR, coconuts=False):
    """A palm: a ringed trunk, thick at the foot, from base to top; a crown of fronds around top."""
    (bx, by), (tx, ty) = base, top
    n = 14
    segs = []
    for i in range(n + 1):
        t = i / n
        x = bx + (tx - bx) * t + math.sin(t * math.pi) * lean
        y = by + (ty - by) * t
        w = trunk_w * (1 - 0.38 * t + 0.25 * (1 - t) ** 6) / 2
        segs.append((x, y, w))
    left = [(x - w, y) for x, y, w in segs]
    right = [(x + w, y) for x, y, w in segs][::-1]
    out = [poly(left + right, WOOD_LIGHT, INK, outline)]
    # shadow side, to the right (light from the upper left)
    out.append(poly([(x + w * 0.3, y) for x, y, w in segs] + [(x + w - 1.5, y) for x, y, w in segs][::-1], WOOD))
    for i in range(1, n):
        x, y, w = segs[i]
        out.append(stroke([(x - w + 1, y - 2), (x, y + 3), (x + w - 1, y - 1)], 2.6, WOOD_DARK, 0.3, 0.3, 8))
    rnd = random.Random(seed)
    angs = leaves or [160, 190, 222, 258, 290, 322, 352, 22, 130]
    back = [a for a in angs if 235 < a % 360 < 305]
    front = [a for a in angs if a not in back]
    for k, a in enumerate(back + front):
        ln = crown * rnd.uniform(0.85, 1.05)
        droop = (0.3 + 0.28 * abs(math.cos(math.radians(a)))) * ln
        dark = k < len(back) or rnd.random() < 0.3
        out += frond((tx, ty), a, ln, crown * 0.2, droop, GREEN if dark else GREEN_LIGHT, GREEN_DARK,
                     MID if outline >= MID else outline, seed * 31 + k)
    if coconuts:
        for dx, dy in ((-8, 10), (7, 12), (0, 20)):
            out.append(ell(tx + dx, ty + dy, 9, 10, "#6a4020", INK, MID))
    out.append(ell(tx, ty + 3, crown * 0.08, crown * 0.06, "#7a5a2a", INK, MID))
    return out


def fern(x, y, s, seed, fill=GREEN, light=GREEN_LIGHT):
    """A fern: a few long fronds arching out of one root, the outer ones bowed to the ground."""
    out = []
    for k, a in enumerate((-168, -20, -140, -48, -112, -76)):
        side = abs(math.cos(math.radians(a)))
        out += frond((x, y), a, 92 * s * (1.05 - 0.25 * (1 - side)), 13 * s, (20 + 70 * side) * s,
                     light if k >= 4 else fill, GREEN_DARK, MID, seed + k, notches=7)
    return out


def broadleaf(x, y, s, seed, fill="#3f9a48", light="#6cc35a"):
    """Undergrowth of big heart-shaped leaves on stems."""
    rnd = random.Random(seed)
    out = []
    for k in range(5):
        a = math.radians(-150 + k * 30 + rnd.uniform(-8, 8))
        stem = (x + math.cos(a) * 50 * s, y + math.sin(a) * 60 * s)
        out.append(stroke([(x, y), ((x + stem[0]) / 2, (y + stem[1]) / 2 + 6 * s), stem], 5 * s, GREEN_DARK, 1, 0.6, 8))
        tip = (stem[0] + math.cos(a) * 70 * s, stem[1] + math.sin(a) * 50 * s + 20 * s)
        out += leaf(stem, tip, 26 * s, light if k % 2 else fill, 0.05, MID, GREEN_DARK)
    return out


# ---------------------------------------------------------------- ground

def rock(x, y, w, h, seed, fill="#9a9486", light="#c2bcae", dark="#77716a", outline=NEAR):
    """A rounded boulder sitting on y, lit from the upper left, with a crack."""
    rnd = random.Random(seed)
    ring = []
    for i in range(9):
        a = math.pi + math.pi * i / 8
        r = rnd.uniform(0.86, 1.0)
        ring.append((x + math.cos(a) * w / 2 * r, y + math.sin(a) * h * r))
    shape = [(x - w / 2, y)] + ring[1:-1] + [(x + w / 2, y), (x + w * 0.3, y + h * 0.1), (x - w * 0.3, y + h * 0.1)]
    out = [path(smooth(shape), fill, INK, outline)]
    out.append(path(smooth([(x + w * 0.1, y + h * 0.05), (x + w * 0.4, y - h * 0.25), (x + w * 0.35, y - h * 0.6),
                            (x + w * 0.2, y - h * 0.3)]), dark))
    out.append(stroke([(x - w * 0.32, y - h * 0.45), (x - w * 0.15, y - h * 0.72), (x + w * 0.08, y - h * 0.8)],
                      max(3, h * 0.16), light, 0.5, 0.3, 10))
    out.append(stroke([(x + w * 0.05, y - h * 0.5), (x + w * 0.12, y - h * 0.3), (x + w * 0.08, y - h * 0.05)],
                      2.4, INK, 0.2, 0.1, 8))
    return out


def ripples(area, seed, n, colour="#dcb97a", s=1.0, width=2.6, avoid=()):
    """Wind ripples in sand: long, gently bent brush strokes, bigger towards the viewer."""
    x0, y0, x1, y1 = area
    rnd = random.Random(seed)
    out = []
    for _ in range(n):
        x, y = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
        k = s * (0.6 + (y - 380) / 500)
        ln = rnd.uniform(30, 60) * k
        if any(a - ln <= x <= c and b - 8 <= y <= d + 8 for a, b, c, d in avoid):
            continue
        out.append(stroke([(x, y), (x + ln * 0.35, y - 2.5 * k), (x + ln * 0.7, y - 1 * k), (x + ln, y - 3 * k)],
                          width * k, colour, 0.1, 0.1, 12))
    return out


def shells(area, seed, n, avoid=()):
    x0, y0, x1, y1 = area
    rnd = random.Random(seed)
    out = []
    for _ in range(n):
        x, y = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
        if any(a <= x <= c and b <= y <= d for a, b, c, d in avoid):
            continue
        k = rnd.random()
        s = 0.7 + (y - 380) / 600
        if k < 0.5:
            out.append(ell(x, y, 3 * s, 2 * s, "#c9a36a"))
        elif k < 0.8:
            out.append(path(f"M{f0(x - 5 * s)},{f0(y)} q{f0(5 * s)},{f0(-8 * s)} {f0(10 * s)},0 Z", "#fff3e0", "#b58a5a", 1.4))
        else:
            out.append(ell(x, y, 5 * s, 3 * s, "#e9e2d4", "#a89a86", 1.4))
    return out


def footprints(points, size=1.0, colour="#d9b777"):
    """Bare footprints along a walk, alternating left and right."""
    out = []
    for i, (x, y) in enumerate(points):
        side = -1 if i % 2 else 1
        fx = x + side * 7 * size
        out.append(ell(fx, y, 4.5 * size, 2.6 * size, colour))
        out.append(ell(fx + 1.5 * side * size, y - 4 * size, 2.2 * size, 1.4 * size, colour))
    return out


def driftwood(x, y, length, ang, seed, fill="#cdbfa8", dark="#a89a80"):
    a = math.radians(ang)
    dx, dy = math.cos(a) * length, math.sin(a) * length
    nx, ny = -math.sin(a), math.cos(a)
    body = [(x, y), (x + dx * 0.5 + nx * 3, y + dy * 0.5 + ny * 3), (x + dx, y + dy)]
    out = [stroke(body, 16, INK, 0.55, 0.5, 12), stroke(body, 11, fill, 0.5, 0.45, 12)]
    out.append(stroke([(x + dx * 0.15, y + dy * 0.15 + 1), (x + dx * 0.5, y + dy * 0.5 + 2), (x + dx * 0.85, y + dy * 0.85 + 1)],
                      2.2, dark, 0.2, 0.2, 10))
    bx, by = x + dx * 0.62, y + dy * 0.62
    out.append(stroke([(bx, by), (bx + 10, by - 14), (bx + 16, by - 24)], 6, INK, 1, 0.4, 8))
    out.append(stroke([(bx, by), (bx + 10, by - 14), (bx + 16, by - 24)], 3.2, fill, 1, 0.3, 8))
    return out


def seaweed(points, seed):
    """A tide line of washed-up weed: dark wavy strokes with a few brown blobs."""
    rnd = random.Random(seed)
    out = []
    for (x, y) in points:
        ln = rnd.uniform(18, 36)
        out.append(stroke([(x, y), (x + ln * 0.4, y - 3), (x + ln, y + 1)], 4, "#5b6b2c", 0.3, 0.2, 8))
        out.append(stroke([(x + 4, y + 2), (x + ln * 0.6, y), (x + ln * 0.9, y + 3)], 2.4, "#3f4d1c", 0.3, 0.2, 8))
    return out


def trunk(x, top, bottom, w, seed, bark="#6b4a2a", shade="#523820", flare=26, outline=NEAR):
    """A jungle tree's trunk from above the picture down to its root flare on the ground at bottom."""
    rnd = random.Random(seed)
    l0, r0 = x - w / 2, x + w / 2
    mid = (top + bottom) / 2
    d = (f"M{f0(l0)},{f0(top)} C{f0(l0 - 6)},{f0(mid)} {f0(l0 + 4)},{f0(bottom - 50)} {f0(l0 - flare)},{f0(bottom)} "
         f"Q{f0(x - w * 0.2)},{f0(bottom - 12)} {f0(x)},{f0(bottom + 2)} Q{f0(x + w * 0.25)},{f0(bottom - 12)} {f0(r0 + flare)},{f0(bottom)} "
         f"C{f0(r0 - 4)},{f0(bottom - 50)} {f0(r0 + 6)},{f0(mid)} {f0(r0)},{f0(top)} Z")
    out = [path(d, bark, INK, outline)]
    out.append(path(f"M{f0(x + w * 0.18)},{f0(top)} C{f0(x + w * 0.26)},{f0(mid)} {f0(x + w * 0.2)},{f0(bottom - 50)} "
                    f"{f0(r0 + flare * 0.7)},{f0(bottom - 2)} L{f0(r0 + flare - 3)},{f0(bottom - 1)} "
                    f"C{f0(r0 - 6)},{f0(bottom - 50)} {f0(r0 + 4)},{f0(mid)} {f0(r0 - 2)},{f0(top)} Z", shade))
    for _ in range(int((bottom - top) / 45)):
        yy = rnd.uniform(top + 20, bottom - 60)
        xx = x + rnd.uniform(-w * 0.35, w * 0.1)
        ln = rnd.uniform(20, 46)
        out.append(stroke([(xx, yy), (xx + rnd.uniform(-3, 3), yy + ln / 2), (xx + rnd.uniform(-2, 2), yy + ln)],
                          rnd.uniform(2.2, 3.4), "#3f2a16", 0.2, 0.2, 8))
    out.append(stroke([(l0 + 6, top + 10), (l0 + 4, mid), (l0 + 8, bottom - 60)], 4, "#8a6a44", 0.3, 0.2, 12))
    return out


# ---------------------------------------------------------------- masks

def mask_svg(walk, blocks, note):
    """walk: polygons where the hero may stand; blocks: polygons cut out of them again."""
    items = [rect(0, 0, W, H, "#000000")]
    items += [poly(p, "#ffffff") for p in walk]
    items += [poly(p, "#000000") for p in blocks]
    return svg("\n".join("  " + i for i in items), mask=True, note=note)


def box(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]
