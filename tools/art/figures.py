#!/usr/bin/env python3
"""Generates the hero's and the islanders' pictures (art/quarro/*.svg, art/persons/*.svg).

Every figure is put together from the same parts (head, torso, limbs) with per-frame joint
angles, so all frames of one character share colours and proportions. Limbs are thick round
strokes over a 4-pixel wider dark stroke, which gives the 2-pixel outline; the light comes
from the upper left, so every part gets a darker strip on its right side.

Run from the repository root:  python3 tools/art/figures.py
"""
import math
import os

import raft

OUT = "#2b1d14"
ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def f(v):
    s = f"{v:.1f}"
    return s[:-2] if s.endswith(".0") else s


def pts(points):
    return " ".join(f"{f(x)},{f(y)}" for x, y in points)


class Fig:
    """Collects SVG elements. `shade` is the x direction (in local coordinates) in which the
    lit part of a shape is moved against its shadow; -1 normally, +1 inside a mirrored group
    so that the light still comes from the upper left of the picture."""

    def __init__(self, w, h, title):
        self.w, self.h, self.title = w, h, title
        self.parts = []
        self.shade = -1
        self.nid = 0

    def add(self, s):
        self.parts.append(s)

    def open(self, gid, transform=None):
        t = f' transform="{transform}"' if transform else ""
        self.add(f'<g id="{gid}"{t}>')

    def close(self):
        self.add("</g>")

    def uid(self, base):
        self.nid += 1
        return f"{base}-{self.nid}"

    def limb(self, name, points, width, color, dark, cap="round"):
        """A round-capped thick polyline with outline and a shaded right side."""
        p = pts(points)
        d = self.shade * min(3.0, width * 0.22)
        self.add(
            f'<g id="{self.uid(name)}" fill="none" stroke-linecap="{cap}" stroke-linejoin="round">'
            f'<polyline points="{p}" stroke="{OUT}" stroke-width="{f(width + 4)}"/>'
            f'<polyline points="{p}" stroke="{dark}" stroke-width="{f(width)}"/>'
            f'<polyline points="{p}" stroke="{color}" stroke-width="{f(width - abs(d) * 2)}" '
            f'transform="translate({f(d)},0)"/></g>'
        )

    def shape(self, name, d, color, dark=None, off=5.0, sw=2.5):
        """A closed path with outline; with `dark`, its right side lies in shadow."""
        gid = self.uid(name)
        if dark:
            self.add(
                f'<g id="{gid}"><clipPath id="{gid}-clip"><path d="{d}"/></clipPath>'
                f'<path d="{d}" fill="{dark}"/>'
                f'<g clip-path="url(#{gid}-clip)"><path d="{d}" fill="{color}" '
                f'transform="translate({f(self.shade * off)},{f(-off * 0.4)})"/></g>'
                f'<path d="{d}" fill="none" stroke="{OUT}" stroke-width="{f(sw)}" stroke-linejoin="round"/></g>'
            )
        else:
            self.add(
                f'<path id="{gid}" d="{d}" fill="{color}" stroke="{OUT}" stroke-width="{f(sw)}" '
                f'stroke-linejoin="round"/>'
            )

    def raw(self, s):
        self.add(s)

    def svg(self):
        body = "\n".join(self.parts)
        return (
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.w}" height="{self.h}" '
            f'viewBox="0 0 {self.w} {self.h}">\n<title>{self.title}</title>\n{body}\n</svg>\n'
        )


FIT = "translate(0,1.6) translate(59,297.75) scale(0.97) translate(-59,-297.75)"


def write(path, fig):
    full = os.path.join(ROOT, "art", path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "w") as fh:
        fh.write(fig.svg())


def polar(p, ang_deg, length):
    """Point at `length` from p; angle 0 points straight down, positive angles turn to +x."""
    a = math.radians(ang_deg)
    return (p[0] + length * math.sin(a), p[1] + length * math.cos(a))


def zigzag(x0, x1, y, n, amp, phase=0):
    """Points of a ragged edge from x0 to x1 around y (used for torn hems)."""
    out = []
    for i in range(n + 1):
        x = x0 + (x1 - x0) * i / n
        out.append((x, y + (amp if (i + phase) % 2 else 0)))
    return out


def path_from(points, closed=True):
    d = "M" + " L".join(f"{f(x)},{f(y)}" for x, y in points)
    return d + (" Z" if closed else "")


def hand(fig, wrist, ang, skin, skin_d, thumb=1, kind="relaxed", size=1.0):
    """A hand with a thumb at the end of a forearm pointing at `ang` (polar, 0 = down). thumb is the side
    of the thumb (+1 on the hand's own right when seen along the forearm, -1 the other side, 0 hidden).
    kind: "relaxed" (fingers together, slightly curled), "fist" (curled up), "open" (flat, thumb spread),
    "point" (a fist with the index finger out)."""
    a = math.radians(ang)
    dv = (math.sin(a), math.cos(a))      # along the hand
    du = (math.cos(a), -math.sin(a))     # across it
    def P(u, v):
        u *= size
        v *= size
        return (wrist[0] + du[0] * u + dv[0] * v, wrist[1] + du[1] * u + dv[1] * v)
    tip = {"relaxed": 14.0, "fist": 11.5, "open": 16.0, "point": 11.5}[kind]
    spread = 1.6 if kind == "open" else 1.0
    t = thumb if thumb else 1
    # the palm and fingers as one rounded mitten as wide as the wrist, the thumb a bump on one side;
    # it starts a little inside the forearm, so the arm's end disappears under it
    w = 6.0
    pts = [P(-t * w, -1.5), P(-t * (w + 0.4), tip * 0.55)]
    tipc = [P(-t * (w + 0.4), tip + 0.5), P(0, tip + 0.5), P(t * (w + 0.2), tip + 0.3), P(t * (w + 0.2), tip * 0.6)]
    if thumb:
        th = [P(t * w, tip * 0.4), P(t * (w + 4 + 2 * (spread - 1)), tip * 0.36 - 2 * (spread - 1)),
              P(t * (w + 3.6 + 2.5 * (spread - 1)), -0.5 - 2.5 * (spread - 1)), P(t * w, -1.5)]
    else:
        th = [P(t * w, tip * 0.3), P(t * w, 2), P(t * w, -1.5), P(t * w, -1.5)]
    outline = (f"M{f(pts[0][0])},{f(pts[0][1])} L{f(pts[1][0])},{f(pts[1][1])} "
               f"Q{f(tipc[0][0])},{f(tipc[0][1])} {f(tipc[1][0])},{f(tipc[1][1])} Q{f(tipc[2][0])},{f(tipc[2][1])} {f(tipc[3][0])},{f(tipc[3][1])} "
               f"L{f(th[0][0])},{f(th[0][1])} Q{f(th[1][0])},{f(th[1][1])} {f(th[2][0])},{f(th[2][1])} L{f(th[3][0])},{f(th[3][1])}")
    gid = fig.uid("hand")
    # filled and shaded like the other parts, but outlined without the line across the wrist
    fig.add(f'<g id="{gid}"><clipPath id="{gid}-clip"><path d="{outline} Z"/></clipPath>'
            f'<path d="{outline} Z" fill="{skin_d}"/>'
            f'<g clip-path="url(#{gid}-clip)"><path d="{outline} Z" fill="{skin}" '
            f'transform="translate({f(fig.shade * 2.2)},{f(-0.9)})"/></g>'
            f'<path d="{outline}" fill="none" stroke="{OUT}" stroke-width="2.2" stroke-linejoin="round" stroke-linecap="round"/></g>')
    if kind in ("relaxed", "open"):
        lines = "".join(f"M{f(P(u, tip * 0.62)[0])},{f(P(u, tip * 0.62)[1])} L{f(P(u, tip - 0.3)[0])},{f(P(u, tip - 0.3)[1])} "
                        for u in (-t * 1.9, t * 1.7))
        fig.raw(f'<path id="{fig.uid("fingers")}" d="{lines}" fill="none" stroke="{skin_d}" stroke-width="1.2" stroke-linecap="round"/>')
    elif kind in ("fist", "point"):
        k0, k1 = P(-t * 4, tip * 0.62), P(t * 3.6, tip * 0.66)
        fig.raw(f'<path id="{fig.uid("knuckles")}" d="M{f(k0[0])},{f(k0[1])} L{f(k1[0])},{f(k1[1])}" fill="none" stroke="{skin_d}" '
                f'stroke-width="1.2" stroke-linecap="round"/>')
    if kind == "point":
        base = P(-t * 2.5, tip * 0.8)
        fig.limb("finger", [base, polar(base, ang + t * 0, 12 * size)], 4.5 * size, skin, skin_d)


def sleeve(fig, sh, el, frac, width, color, dark, torn=False):
    """A short sleeve over the upper arm from the shoulder `sh` towards the elbow `el`: its top is rounded
    over the shoulder joint so that no skin shows above it, its hem straight or torn."""
    dx, dy = el[0] - sh[0], el[1] - sh[1]
    ln = math.hypot(dx, dy) or 1.0
    d = (dx / ln, dy / ln)
    n = (-d[1], d[0])
    hw = width / 2
    end = (sh[0] + dx * frac, sh[1] + dy * frac)
    def P(base, a, b):   # base + a along the arm + b across it
        return (base[0] + d[0] * a + n[0] * b, base[1] + d[1] * a + n[1] * b)
    pts = [P(end, 0, hw + 1), P(sh, 0, hw), P(sh, -hw, hw), P(sh, -hw, 0), P(sh, -hw, -hw), P(sh, 0, -hw), P(end, 0, -hw - 1)]
    hem = []
    if torn:
        for i in range(1, 6):
            hem.append(P(end, 3 if i % 2 else 0, -hw - 1 + (2 * hw + 2) * i / 6))
    d_ = (f"M{f(pts[0][0])},{f(pts[0][1])} L{f(pts[1][0])},{f(pts[1][1])} Q{f(pts[2][0])},{f(pts[2][1])} {f(pts[3][0])},{f(pts[3][1])} "
          f"Q{f(pts[4][0])},{f(pts[4][1])} {f(pts[5][0])},{f(pts[5][1])} L{f(pts[6][0])},{f(pts[6][1])} "
          + "".join(f"L{f(x)},{f(y)} " for x, y in hem) + "Z")
    fig.shape("sleeve", d_, color, dark, off=3.5, sw=2.5)


# ---------------------------------------------------------------------------------------------
# Quarro
# ---------------------------------------------------------------------------------------------
Q = dict(
    skin="#e3a574", skin_d="#b97a4c", hair="#5a3418", hair_d="#3c2010", stubble="#c08a63",
    shirt="#d9573f", shirt_d="#a83b2a", shorts="#3e66a0", shorts_d="#2b4a78", eye="#2b1d14",
    mouth="#7a2e22",
)
HIP_Y, KNEE_Y, ANKLE_Y = 166, 228, 284


def q_face_front(fig, cx, cy, mouth=0):
    c = Q
    # ears
    for s in (-1, 1):
        fig.shape("ear", f"M{f(cx + s * 16)},{f(cy - 4)} q{f(s * 8)},-2 {f(s * 6)},10 q{f(-s * 2)},5 {f(-s * 7)},3 Z",
                  c["skin"], c["skin_d"], off=2)
    # face
    fig.shape("face", f"M{f(cx)},{f(cy - 24)} C{f(cx + 22)},{f(cy - 24)} {f(cx + 21)},{f(cy + 6)} {f(cx + 15)},{f(cy + 15)} "
                      f"C{f(cx + 9)},{f(cy + 25)} {f(cx - 9)},{f(cy + 25)} {f(cx - 15)},{f(cy + 15)} "
                      f"C{f(cx - 21)},{f(cy + 6)} {f(cx - 22)},{f(cy - 24)} {f(cx)},{f(cy - 24)} Z",
              c["skin"], c["skin_d"], off=5)
    # unshaven jaw
    fig.raw(f'<path id="{fig.uid("stubble")}" d="M{f(cx - 16)},{f(cy + 6)} C{f(cx - 12)},{f(cy + 12)} {f(cx - 6)},{f(cy + 7)} {f(cx)},{f(cy + 8)} '
            f'C{f(cx + 6)},{f(cy + 7)} {f(cx + 12)},{f(cy + 12)} {f(cx + 16)},{f(cy + 6)} '
            f'C{f(cx + 14)},{f(cy + 17)} {f(cx + 8)},{f(cy + 23)} {f(cx)},{f(cy + 23)} '
            f'C{f(cx - 8)},{f(cy + 23)} {f(cx - 14)},{f(cy + 17)} {f(cx - 16)},{f(cy + 6)} Z" fill="{c["stubble"]}"/>')
    dots = "".join(f'<circle cx="{f(cx + dx)}" cy="{f(cy + dy)}" r="0.9"/>' for dx, dy in
                   ((-11, 13), (-7, 17), (-2, 20), (3, 19), (8, 16), (12, 12), (-4, 14), (5, 13), (0, 16)))
    fig.raw(f'<g id="{fig.uid("stubble-dots")}" fill="#8a5d3e">{dots}</g>')
    # hair: messy, with strands falling on the forehead
    fig.shape("hair", f"M{f(cx - 19)},{f(cy - 4)} C{f(cx - 24)},{f(cy - 20)} {f(cx - 14)},{f(cy - 30)} {f(cx - 8)},{f(cy - 28)} "
                      f"L{f(cx - 6)},{f(cy - 34)} L{f(cx)},{f(cy - 28)} L{f(cx + 5)},{f(cy - 35)} L{f(cx + 9)},{f(cy - 27)} "
                      f"C{f(cx + 18)},{f(cy - 29)} {f(cx + 24)},{f(cy - 18)} {f(cx + 19)},{f(cy - 4)} "
                      f"L{f(cx + 16)},{f(cy - 13)} L{f(cx + 10)},{f(cy - 10)} L{f(cx + 6)},{f(cy - 16)} L{f(cx + 1)},{f(cy - 10)} "
                      f"L{f(cx - 4)},{f(cy - 16)} L{f(cx - 9)},{f(cy - 10)} L{f(cx - 15)},{f(cy - 13)} Z",
              c["hair"], c["hair_d"], off=4)
    # brows, eyes, nose
    fig.raw(f'<g id="{fig.uid("brows")}" stroke="{OUT}" stroke-width="2.2" stroke-linecap="round" fill="none">'
            f'<path d="M{f(cx - 12.5)},{f(cy - 6.5)} q4,-2.6 8.5,-1"/><path d="M{f(cx + 4)},{f(cy - 7.5)} q4.5,-1.6 8.5,1"/></g>')
    # Both eyes are centred on pixel centres of the finished picture (FIT scales the figure), so that
    # they come out as the same shape; eyes drawn at different fractions of a pixel look crossed.
    def snap(v, origin):
        return origin + (math.floor(origin + (v - origin) * 0.97) + 0.5 - origin) / 0.97
    ey = snap(cy + 1.6 / 0.97, 297.75) - 1.6 / 0.97
    eyes = ""
    for ex in (snap(cx - 7.7, 59), snap(cx + 7.7, 59)):
        eyes += (f'<ellipse cx="{f(ex)}" cy="{f(ey)}" rx="3.6" ry="4.2" fill="#fff" stroke="{OUT}" stroke-width="1.2"/>'
                 f'<circle cx="{f(ex)}" cy="{f(ey + 0.6)}" r="2.1" fill="{c["eye"]}"/>')
    fig.raw(f'<g id="{fig.uid("eyes")}">{eyes}</g>')
    fig.raw(f'<path id="{fig.uid("nose")}" d="M{f(cx + 1)},{f(cy + 1)} q3,6 -1,8 q-2,0 -3,-1" fill="none" stroke="{c["skin_d"]}" '
            f'stroke-width="2" stroke-linecap="round"/>')
    mouth_shape(fig, cx, cy + 15, mouth, 9)


def mouth_shape(fig, mx, my, kind, w, col=None):
    """kind 0 closed (a slight smile), 1 half open, 2 wide open, 3 a small round 'o'."""
    col = col or Q["mouth"]
    gid = fig.uid("mouth")
    if kind == 3:
        fig.raw(f'<ellipse id="{gid}" cx="{f(mx)}" cy="{f(my + 1)}" rx="{f(w * 0.25)}" ry="{f(w * 0.3)}" fill="{col}" '
                f'stroke="{OUT}" stroke-width="1.8"/>')
    elif kind == 0:
        fig.raw(f'<path id="{gid}" d="M{f(mx - w / 2)},{f(my - 1)} q{f(w / 2)},4 {f(w)},0" fill="none" stroke="{OUT}" '
                f'stroke-width="2" stroke-linecap="round"/>')
    else:
        h = 3.5 if kind == 1 else 7
        fig.raw(f'<g id="{gid}"><path d="M{f(mx - w / 2)},{f(my - 1)} q{f(w / 2)},{f(-1.5)} {f(w)},0 '
                f'q{f(-w / 2 + 1)},{f(h + 2)} {f(-w)},0 Z" fill="{col}" stroke="{OUT}" stroke-width="1.8" stroke-linejoin="round"/>'
                + (f'<path d="M{f(mx - w / 2 + 2)},{f(my + h - 2.5)} q{f(w / 2 - 2)},-2.5 {f(w - 4)},0" fill="#e06a5a"/>' if kind == 2 else "")
                + "</g>")


def toward(a, b):
    """The polar angle (0 = down, +90 = +x) of the direction from a to b."""
    return math.degrees(math.atan2(b[0] - a[0], b[1] - a[1]))


def thumb_inward(ang, wrist, centre_x):
    """The thumb side for hand() that puts the thumb towards the body's middle."""
    ux = math.cos(math.radians(ang))
    return 1 if ux * (centre_x - wrist[0]) >= 0 else -1


def q_front_arm(fig, side, shoulder, elbow, wrist, centre_x, back=False):
    c = Q
    fig.limb("arm", [shoulder, elbow, wrist], 12, c["skin"], c["skin_d"])
    # torn short sleeve, rounded over the shoulder
    sleeve(fig, shoulder, elbow, 0.45, 19, c["shirt"], c["shirt_d"], torn=True)
    ang = toward(elbow, wrist)
    # from the back the thumb lies in front of the palm, out of sight
    hand(fig, wrist, ang, c["skin"], c["skin_d"], 0 if back else thumb_inward(ang, wrist, centre_x))


def q_front_leg(fig, hip, knee, ankle, lift, back=False):
    c = Q
    fig.limb("leg", [hip, knee, ankle], 16, c["skin"], c["skin_d"])
    # bare foot: seen from the front it is a rounded blob with toes; lifted feet show more sole
    ax, ay = ankle
    fl = 7 if not lift else 4
    if back:
        fig.shape("heel", f"M{f(ax - 8)},{f(ay - 2)} Q{f(ax - 9)},{f(ay + 13)} {f(ax)},{f(ay + 13)} Q{f(ax + 9)},{f(ay + 13)} "
                          f"{f(ax + 8)},{f(ay - 2)} Z", c["skin"], c["skin_d"], off=3)
    else:
        s = -1 if hip[0] < 60 else 1
        fig.shape("foot", f"M{f(ax - 8)},{f(ay - 3)} Q{f(ax - 11 + s * 2)},{f(ay + fl + 6)} {f(ax + s * 2)},{f(ay + fl + 6)} "
                          f"Q{f(ax + 12 + s * 2)},{f(ay + fl + 6)} {f(ax + 8)},{f(ay - 3)} Z", c["skin"], c["skin_d"], off=3)
        toes = "".join(f'<path d="M{f(ax + s * 2 + dx)},{f(ay + fl + 5)} v-3"/>' for dx in (-4, 0, 4))
        fig.raw(f'<g id="{fig.uid("toes")}" stroke="{c["skin_d"]}" stroke-width="1.3" fill="none">{toes}</g>')


def q_front(frame, back=False):
    """Front (walking down) or back (walking up) view, 120 x 300. frame 0 stands, 1..3 walk."""
    c = Q
    name = ("quarro1-h" if back else "quarro1-v") + str(frame)
    fig = Fig(120, 300, f"Quarro, {'from the back' if back else 'from the front'}, frame {frame}")
    # The game shows the frames 1, 2, 3, 0 in turn: two passing phases (1 and 3, one leg lifted as it
    # swings through, the body up and over the other foot) between two planted ones (2 and 0, one foot
    # a step nearer the viewer than the other, the arms swung, the body down). Frame 0 is also the
    # standing pose, so its step is short and its arms hang nearly still.
    # lift: the leg swinging through (-1 the picture's left, +1 its right); back: the foot a step further
    # from the viewer, drawn higher up by `step`; swing > 0 brings the picture-left arm forward.
    pose = {0: dict(lift=0, back_foot=-1, step=3, swing=0.45, bob=0, sway=0),
            1: dict(lift=-1, back_foot=0, step=0, swing=0, bob=-3, sway=1.5),
            2: dict(lift=0, back_foot=1, step=8, swing=-1, bob=1, sway=0),
            3: dict(lift=1, back_foot=0, step=0, swing=0, bob=-3, sway=-1.5)}[frame]
    lift, swing, bob = pose["lift"], pose["swing"], pose["bob"]
    if back:
        # seen from behind, the foot further away is the leading one
        pose["back_foot"] = -pose["back_foot"]
    cx = 60 + pose["sway"]
    lift_amt = 16
    fig.open("quarro", FIT)
    # legs
    for s in (-1, 1):
        hip = (cx + s * 11, HIP_Y + bob)
        if lift == s:
            knee = (cx + s * 13, KNEE_Y + bob - 8)
            ankle = (cx + s * 12, ANKLE_Y + bob - lift_amt)
        else:
            up = pose["step"] if pose["back_foot"] == s else 0
            knee = (cx + s * 13, KNEE_Y + bob + 2 - up * 0.5)
            ankle = (60 + s * 12, ANKLE_Y - up)
        # a planted foot stays on its spot whatever the bob; the one further back has its heel raised
        q_front_leg(fig, hip, knee, ankle, lift == s or (not back and pose["back_foot"] == s and pose["step"] > 4), back)
    # torso / shirt
    top, waist = 70 + bob, 160 + bob
    hem = zigzag(cx + 25, cx - 25, waist + 2, 8, 6, phase=1 if back else 0)
    shirt = [(cx - 24, top + 4), (cx - 12, top - 1), (cx + 12, top - 1), (cx + 24, top + 4), (cx + 27, top + 30),
             (cx + 25, waist)] + hem[1:-1] + [(cx - 25, waist)] + [(cx - 27, top + 30)]
    # shorts (drawn first so the ragged shirt hem hangs over the waistband)
    sh_top, sh_bot = waist - 8, 212 + bob
    shorts = (f"M{f(cx - 24)},{f(sh_top)} L{f(cx + 24)},{f(sh_top)} L{f(cx + 26)},{f(sh_bot)} "
              + " ".join(f"L{f(x)},{f(y)}" for x, y in zigzag(cx + 26, cx + 2, sh_bot, 6, 3))
              + f" L{f(cx)},{f(sh_top + 24)} L{f(cx - 2)},{f(sh_bot)} "
              + " ".join(f"L{f(x)},{f(y)}" for x, y in zigzag(cx - 2, cx - 26, sh_bot, 6, 3)) + " Z")
    fig.shape("shorts", shorts, c["shorts"], c["shorts_d"], off=6)
    # arms: a forward swing brings the hand in front of the body and up, a backward one hides it a bit
    arms = []
    for s in (-1, 1):
        sw = swing * (-s)   # his right arm (picture left) swings forward when swing > 0
        sh = (cx + s * 24, top + 9)
        if back:
            sw = -sw
        el = (cx + s * (31 - 3 * sw), top + 52 - 4 * abs(sw))
        wr = (cx + s * (31 - 10 * sw), top + 95 - 12 * max(sw, 0) - 4 * max(-sw, 0))
        arms.append((s, sh, el, wr, sw))
    # an arm swung away from the viewer goes behind the body
    for s, sh, el, wr, sw in arms:
        if (sw < -0.5) != back and abs(sw) > 0.5 and not back:
            q_front_arm(fig, s, sh, el, wr, cx, back)
        elif back and sw > 0.5:
            q_front_arm(fig, s, sh, el, wr, cx, back)
    fig.limb("neck", [(cx, top - 14), (cx, top + 2)], 13, c["skin"], c["skin_d"], cap="butt")
    fig.shape("shirt", path_from(shirt), c["shirt"], c["shirt_d"], off=7)
    if not back:
        # open collar and a rip showing skin
        fig.shape("collar", f"M{f(cx - 11)},{f(top - 1)} L{f(cx)},{f(top + 20)} L{f(cx + 11)},{f(top - 1)} Z", c["skin"], c["skin_d"], off=3)
        fig.raw(f'<path id="{fig.uid("collar-flaps")}" d="M{f(cx - 12)},{f(top - 1)} l-2,12 l9,-4 M{f(cx + 12)},{f(top - 1)} l2,12 l-9,-4" '
                f'fill="{c["shirt"]}" stroke="{OUT}" stroke-width="2" stroke-linejoin="round"/>')
        fig.shape("rip", f"M{f(cx + 8)},{f(top + 50)} l6,-4 l3,7 l-2,8 l-6,2 l-2,-6 Z", c["skin"], c["skin_d"], off=2, sw=2)
        fig.raw(f'<path id="{fig.uid("buttons")}" d="M{f(cx)},{f(top + 28)} v58" stroke="{c["shirt_d"]}" stroke-width="2" fill="none"/>')
    else:
        fig.shape("rip", f"M{f(cx - 14)},{f(top + 38)} l8,-3 l2,9 l-4,9 l-7,-4 Z", c["skin"], c["skin_d"], off=2, sw=2)
        fig.raw(f'<path id="{fig.uid("seam")}" d="M{f(cx - 20)},{f(top + 12)} q20,6 40,0" stroke="{c["shirt_d"]}" stroke-width="2" fill="none"/>')
    for s, sh, el, wr, sw in arms:
        behind = (abs(sw) > 0.5) and ((sw < -0.5 and not back) or (back and sw > 0.5))
        if not behind:
            q_front_arm(fig, s, sh, el, wr, cx, back)
    # head
    hy = 36 + bob
    if back:
        for s in (-1, 1):
            fig.shape("ear", f"M{f(cx + s * 16)},{f(hy - 4)} q{f(s * 8)},-2 {f(s * 6)},10 q{f(-s * 2)},5 {f(-s * 7)},3 Z",
                      c["skin"], c["skin_d"], off=2)
        fig.shape("head-back", f"M{f(cx)},{f(hy - 26)} C{f(cx + 24)},{f(hy - 27)} {f(cx + 22)},{f(hy + 6)} {f(cx + 15)},{f(hy + 16)} "
                               f"L{f(cx + 11)},{f(hy + 12)} L{f(cx + 7)},{f(hy + 20)} L{f(cx + 2)},{f(hy + 14)} L{f(cx - 3)},{f(hy + 21)} "
                               f"L{f(cx - 7)},{f(hy + 13)} L{f(cx - 12)},{f(hy + 18)} L{f(cx - 15)},{f(hy + 12)} "
                               f"C{f(cx - 22)},{f(hy + 4)} {f(cx - 24)},{f(hy - 27)} {f(cx)},{f(hy - 26)} Z", c["hair"], c["hair_d"], off=5)
        fig.raw(f'<path id="{fig.uid("hair-strands")}" d="M{f(cx - 6)},{f(hy - 18)} q4,10 2,22 M{f(cx + 6)},{f(hy - 20)} q-2,12 3,24 '
                f'M{f(cx - 14)},{f(hy - 8)} q2,8 -1,16" stroke="{c["hair_d"]}" stroke-width="1.8" fill="none" stroke-linecap="round"/>')
        # spikes on top like in the front view
        fig.raw(f'<path id="{fig.uid("hair-top")}" d="M{f(cx - 8)},{f(hy - 25)} L{f(cx - 6)},{f(hy - 34)} L{f(cx)},{f(hy - 26)} '
                f'L{f(cx + 5)},{f(hy - 35)} L{f(cx + 9)},{f(hy - 25)} Z" fill="{c["hair"]}" stroke="{OUT}" stroke-width="2.5" stroke-linejoin="round"/>')
    else:
        q_face_front(fig, cx, hy, 0)
    fig.close()
    write(f"quarro/{name}.svg", fig)


# ---------------- side view -------------------------------------------------------------------
L_THIGH, L_SHIN, L_UARM, L_FARM = 60, 58, 46, 42


def side_leg(fig, hip, thigh, bend, foot_ang, near):
    c = Q
    knee = polar(hip, thigh, L_THIGH)
    ankle = polar(knee, thigh - bend, L_SHIN)
    col, dk = (c["skin"], c["skin_d"]) if near else (c["skin_d"], "#9a6440")
    fig.limb("leg", [hip, knee, ankle], 15 if near else 14, col, dk)
    # foot: heel slightly behind the ankle, toes forward (+x); foot_ang tips the toes down (+) or up (-)
    a = math.radians(foot_ang)
    def rot(dx, dy):
        return (ankle[0] + dx * math.cos(a) - dy * math.sin(a), ankle[1] + dx * math.sin(a) + dy * math.cos(a))
    p = [rot(-7, -4), rot(-8, 8), rot(-4, 12), rot(20, 12), rot(23, 8), rot(16, 3), rot(6, -3)]
    fig.shape("foot", f"M{f(p[0][0])},{f(p[0][1])} L{f(p[1][0])},{f(p[1][1])} Q{f(p[2][0])},{f(p[2][1])} {f(p[3][0])},{f(p[3][1])} "
                      f"Q{f(p[4][0])},{f(p[4][1])} {f(p[5][0])},{f(p[5][1])} L{f(p[6][0])},{f(p[6][1])} Z", col, dk, off=3)
    return knee, ankle, [rot(-8, 12.5), rot(21, 12.5), rot(-4, 12.5)]


def side_arm(fig, sh, upper, bend, near, hand_open=False):
    c = Q
    el = polar(sh, upper, L_UARM)
    wr = polar(el, upper + bend, L_FARM)
    col, dk = (c["skin"], c["skin_d"]) if near else (c["skin_d"], "#9a6440")
    fig.limb("arm", [sh, el, wr], 12 if near else 11, col, dk)
    sleeve(fig, sh, el, 0.45, 19, c["shirt"] if near else c["shirt_d"], c["shirt_d"] if near else "#8a2f22", torn=True)
    # the thumb is on the side the hand faces, forwards
    hand(fig, wr, upper + bend, col, dk, 1, "open" if hand_open else "relaxed")
    return wr


def side_head(fig, cx, cy, mouth=0, tilt=0):
    """Profile facing +x."""
    c = Q
    fig.open(fig.uid("head"), f"rotate({f(tilt)} {f(cx)} {f(cy + 20)})" if tilt else None)
    fig.shape("skull", f"M{f(cx - 18)},{f(cy - 4)} C{f(cx - 20)},{f(cy - 26)} {f(cx + 14)},{f(cy - 30)} {f(cx + 18)},{f(cy - 8)} "
                       f"L{f(cx + 24)},{f(cy + 4)} L{f(cx + 19)},{f(cy + 7)} L{f(cx + 19)},{f(cy + 12)} "
                       f"C{f(cx + 19)},{f(cy + 20)} {f(cx + 12)},{f(cy + 24)} {f(cx + 2)},{f(cy + 23)} "
                       f"C{f(cx - 6)},{f(cy + 22)} {f(cx - 16)},{f(cy + 14)} {f(cx - 18)},{f(cy - 4)} Z",
              c["skin"], c["skin_d"], off=4)
    fig.raw(f'<path id="{fig.uid("stubble")}" d="M{f(cx - 2)},{f(cy + 10)} L{f(cx + 19)},{f(cy + 12)} C{f(cx + 19)},{f(cy + 20)} '
            f'{f(cx + 12)},{f(cy + 23)} {f(cx + 2)},{f(cy + 22)} C{f(cx - 3)},{f(cy + 21)} {f(cx - 6)},{f(cy + 16)} {f(cx - 2)},{f(cy + 10)} Z" '
            f'fill="{c["stubble"]}"/>')
    dots = "".join(f'<circle cx="{f(cx + dx)}" cy="{f(cy + dy)}" r="0.9"/>' for dx, dy in
                   ((2, 15), (6, 19), (10, 16), (14, 20), (4, 12), (12, 13)))
    fig.raw(f'<g id="{fig.uid("stubble-dots")}" fill="#8a5d3e">{dots}</g>')
    # outline again over the stubble edge of the chin
    fig.raw(f'<path d="M{f(cx + 19)},{f(cy + 12)} C{f(cx + 19)},{f(cy + 20)} {f(cx + 12)},{f(cy + 24)} {f(cx + 2)},{f(cy + 23)}" '
            f'fill="none" stroke="{OUT}" stroke-width="2.5"/>')
    fig.shape("ear", f"M{f(cx - 4)},{f(cy - 4)} q-8,-3 -8,6 q1,7 8,5 Z", c["skin"], c["skin_d"], off=2)
    fig.shape("hair", f"M{f(cx - 19)},{f(cy + 6)} C{f(cx - 24)},{f(cy - 14)} {f(cx - 16)},{f(cy - 30)} {f(cx - 2)},{f(cy - 29)} "
                      f"L{f(cx + 2)},{f(cy - 35)} L{f(cx + 6)},{f(cy - 28)} L{f(cx + 13)},{f(cy - 32)} L{f(cx + 14)},{f(cy - 24)} "
                      f"C{f(cx + 20)},{f(cy - 20)} {f(cx + 21)},{f(cy - 14)} {f(cx + 19)},{f(cy - 11)} "
                      f"L{f(cx + 13)},{f(cy - 15)} L{f(cx + 9)},{f(cy - 10)} L{f(cx + 4)},{f(cy - 16)} L{f(cx - 1)},{f(cy - 9)} "
                      f"L{f(cx - 6)},{f(cy - 12)} L{f(cx - 9)},{f(cy - 2)} L{f(cx - 12)},{f(cy + 8)} Z",
              c["hair"], c["hair_d"], off=4)
    fig.raw(f'<path id="{fig.uid("brow")}" d="M{f(cx + 7)},{f(cy - 6)} l8,0.5" stroke="{OUT}" stroke-width="2.2" stroke-linecap="round"/>')
    fig.raw(f'<g id="{fig.uid("eye")}"><ellipse cx="{f(cx + 12)}" cy="{f(cy)}" rx="2.8" ry="3.8" fill="#fff" stroke="{OUT}" stroke-width="1.2"/>'
            f'<circle cx="{f(cx + 13.2)}" cy="{f(cy + 0.6)}" r="1.9" fill="{c["eye"]}"/></g>')
    if mouth == 0:
        fig.raw(f'<path id="{fig.uid("mouth")}" d="M{f(cx + 12)},{f(cy + 14)} q4,1.5 7,-1" fill="none" stroke="{OUT}" stroke-width="2" stroke-linecap="round"/>')
    else:
        h = 3.5 if mouth == 1 else 7
        fig.raw(f'<path id="{fig.uid("mouth")}" d="M{f(cx + 11)},{f(cy + 13)} L{f(cx + 20)},{f(cy + 12)} L{f(cx + 19)},{f(cy + 13 + h)} '
                f'Q{f(cx + 14)},{f(cy + 13 + h)} {f(cx + 11)},{f(cy + 13)} Z" fill="{c["mouth"]}" stroke="{OUT}" stroke-width="1.8" stroke-linejoin="round"/>')
    fig.close()


def side_figure(fig, legs, arms, lean=0.0, mouth=0, head_tilt=0.0, hip_x=58.0, open_hand=False, torso_fwd=0.0,
                torso_len=92.0, head_at=None, hip_y=None):
    """legs/arms: ((thigh, bend, foot) near, far), ((upper, bend) near, far). Returns nothing; the
    whole figure is moved so that its lowest foot touches the bottom rows."""
    c = Q
    # first pass: find the lowest sole point with the hip at a nominal height
    hip0 = (hip_x, HIP_Y)
    low = -1e9
    for thigh, bend, foot in legs:
        knee = polar(hip0, thigh, L_THIGH)
        ankle = polar(knee, thigh - bend, L_SHIN)
        a = math.radians(foot)
        # the sole as side_leg draws it: the heel curve and the toe curve, sampled
        for (x0, y0), (cx_, cy_), (x1, y1) in (((-8, 8), (-4, 12), (20, 12)), ((20, 12), (23, 8), (16, 3))):
            for i in range(21):
                t = i / 20
                dx = (1 - t) ** 2 * x0 + 2 * t * (1 - t) * cx_ + t * t * x1
                dy_ = (1 - t) ** 2 * y0 + 2 * t * (1 - t) * cy_ + t * t * y1
                low = max(low, ankle[1] + dx * math.sin(a) + dy_ * math.cos(a) + 1.25)
    dy = 298.1 - low  # after FIT the outline of the lowest sole ends in the bottom row
    hip = (hip_x, HIP_Y + dy if hip_y is None else hip_y)
    sh = polar(hip, 180 - lean, torso_len)     # shoulder joint
    near_leg, far_leg = legs
    near_arm, far_arm = arms
    # far side first
    side_arm(fig, (sh[0] - 2, sh[1] + 6), far_arm[0], far_arm[1], False)
    side_leg(fig, (hip[0] - 1, hip[1]), *far_leg, near=False)
    side_leg(fig, hip, *near_leg, near=True)
    # shorts: a short tube around the hip and both thighs' tops
    ends = []
    for thigh, bend, foot in legs:
        ends.append(polar(hip, thigh, L_THIGH * 0.72))
    for e, (thigh, _, _) in zip(reversed(ends), reversed(legs)):
        fig.limb("shorts-leg", [hip, e], 24, c["shorts"], c["shorts_d"], cap="butt")
    fig.limb("shorts-seat", [polar(hip, 180 - lean, 16), polar(hip, -lean, 8)], 33, c["shorts"], c["shorts_d"], cap="butt")
    # ragged ends of the shorts
    for e, (thigh, _, _) in zip(ends, legs):
        p1 = polar(e, thigh + 90, 12)
        p2 = polar(e, thigh - 90, 12)
        mid = polar(e, thigh, 4)
        fig.raw(f'<path d="M{f(p1[0])},{f(p1[1])} L{f(mid[0] + 3)},{f(mid[1])} L{f(e[0])},{f(e[1])} L{f(mid[0] - 3)},{f(mid[1] + 1)} L{f(p2[0])},{f(p2[1])}" '
                f'fill="none" stroke="{OUT}" stroke-width="1.6"/>')
    # neck and torso (a rounded trapezoid along the lean)
    neck_top = polar(sh, 180 - lean, 18)
    fig.limb("neck", [sh, neck_top], 13, c["skin"], c["skin_d"], cap="butt")
    a = math.radians(lean)
    ux, uy = math.sin(a), -math.cos(a)       # up along the torso
    px, py = math.cos(a), math.sin(a)        # forward
    def T(u, v):  # u: up from hip, v: forward
        u *= torso_len / 92.0
        return (hip[0] + ux * u + px * v, hip[1] + uy * u + py * v)
    front = [T(100, 8), T(90, 18 + torso_fwd), T(60, 19 + torso_fwd), T(18, 17), T(4, 16)]
    hem = [T(-2, 16), T(4, 10), T(-4, 4), T(3, -2), T(-4, -8), T(2, -14), T(-3, -18)]
    back = [T(20, -17), T(70, -15), T(94, -12)]
    d = (f"M{f(front[0][0])},{f(front[0][1])} Q{f(front[1][0])},{f(front[1][1])} {f(front[2][0])},{f(front[2][1])} "
         f"L{f(front[3][0])},{f(front[3][1])} L{f(front[4][0])},{f(front[4][1])} "
         + " ".join(f"L{f(x)},{f(y)}" for x, y in hem)
         + f" L{f(back[0][0])},{f(back[0][1])} L{f(back[1][0])},{f(back[1][1])} Q{f(back[2][0])},{f(back[2][1])} "
         f"{f(T(100, -4)[0])},{f(T(100, -4)[1])} Z")
    fig.shape("shirt", d, c["shirt"], c["shirt_d"], off=6)
    col = T(98, 6)
    fig.shape("collar", f"M{f(col[0])},{f(col[1])} L{f(T(84, 14)[0])},{f(T(84, 14)[1])} L{f(T(99, 12)[0])},{f(T(99, 12)[1])} Z",
              c["skin"], c["skin_d"], off=2, sw=2)
    r = T(48, 4)
    fig.shape("rip", f"M{f(r[0])},{f(r[1])} l6,-3 l2,7 l-3,6 l-6,-2 Z", c["skin"], c["skin_d"], off=2, sw=2)
    # head sits on the neck
    head_c = polar(neck_top, 180 - lean * 0.6, 14) if head_at is None else (sh[0] + head_at[0], sh[1] + head_at[1])
    side_head(fig, head_c[0] - 1, head_c[1] - 8, mouth, head_tilt + lean * 0.4)
    wr = side_arm(fig, sh, near_arm[0], near_arm[1], True, hand_open=open_hand)
    return wr


def q_side(name, title, legs, arms, flip=False, **kw):
    fig = Fig(116, 300, title)
    fig.open("quarro", FIT)
    if flip:
        fig.shade = 1
        fig.open("mirrored", "matrix(-1 0 0 1 118 0)")
    side_figure(fig, legs, arms, **kw)
    if flip:
        fig.close()
    fig.close()
    write(f"quarro/{name}.svg", fig)




# One stride in five evenly spaced phases, in the order the game shows them: 1, 2, 3, 4, then 0. Frame 0
# is also the standing pose, so it is the phase where the near leg swings past the far one, the feet
# close together with the toes of the near foot just on the ground. Legs: (thigh, knee bend, toe tip)
# for the near and the far leg; the far leg is half a stride behind the near one, and both thighs turn
# at about the same pace, so no step is longer than the other. The swinging leg lifts its knee well,
# so that the two phases next to its passing read as a step, not as the feet together. The figure is set
# down on its lowest foot, which gives the bob: highest in the passing phases, lowest with the legs apart.
SIDE_STRIDE = {
    1: ((16, 4, -10), (-16, 10, 14)),   # near heel strikes in front, far toes push off behind
    2: ((10, 4, 0), (0, 42, 22)),       # near foot carries him, the far foot swings up behind
    3: ((-10, 4, 2), (24, 44, 8)),      # the far knee comes through high, its foot still up
    4: ((-16, 10, 14), (16, 4, -10)),   # far heel strikes, near toes push off
    0: ((0, 14, 6), (0, 2, 0)),         # near leg passing, far leg straight: reads as standing
}


def side_walk(frame):
    """Legs and arms of a sideways walking frame; the arms swing against the legs."""
    legs = SIDE_STRIDE[frame]
    def arm(thigh):
        upper = -thigh
        return (upper, 10 + 10 * max(0.0, upper) / 16)
    return legs, (arm(legs[0][0]), arm(legs[1][0]))


def quarro_all():
    for fr in range(4):
        q_front(fr, back=False)
        q_front(fr, back=True)
    # walking sideways: five phases of one stride; frame 0 doubles as the standing pose
    for flip, letter, word in ((False, "r", "right"), (True, "l", "left")):
        for fr in range(5):
            legs, arms = side_walk(fr)
            title = f"Quarro walking {word}, frame {fr}" + (" (also standing)" if fr == 0 else "")
            q_side(f"quarro1-{letter}{fr}", title, legs, arms, flip=flip, lean=1.5 if fr == 0 else 3)
        # talking: mouth open / half / closed, the near hand gestures
        talk = [((15, 135), 2), ((0, 118), 1), ((-2, 55), 0)]
        for i, ((up, bend), mouth) in enumerate(talk):
            # he stands as in frame 0, so a conversation starts without a jump of the legs
            q_side(f"quarro1-{letter}r{i}", f"Quarro talking, turned {word}, frame {i}", SIDE_STRIDE[0],
                   ((up, bend), side_walk(0)[1][1]), flip=flip, mouth=mouth, open_hand=True, lean=1.5)
        # bending down to pick something up in front of him
        q_side(f"quarro1-{letter}n0", f"Quarro bending down to take something on his {word}",
               ((62, 72, 0), (48, 58, 0)), ((8, 4), (-2, 8)), flip=flip, lean=66, hip_x=22, head_tilt=-28,
               torso_fwd=-3, torso_len=72, head_at=(2, -15))


# The ending picture: the raft of the village (tools/art/raft.py) with the chainsaw engine clamped to its
# stern, Quarro sitting on the deck with the tiller in his hand, heading right across the sunset sea.
RAFT_X, RAFT_W, RAFT_TOP, ENGINE_SCALE = 70, 214, 234, 1.15
RAFT_POSE = ((((100, 22, -70), (96, 30, -62)), ((-38, 58), (28, 45))),
             dict(lean=-8, mouth=1, hip_x=142, hip_y=RAFT_TOP - 18))


def quarro_raft():
    fig = Fig(300, 300, "Quarro leaving the island on the motorised raft")
    yw = raft.waterline_y(RAFT_TOP)
    # the wake behind the stern and the bow wave: foam and ripples in the tones of the dusky sea, the
    # water itself left out so the closing picture's sea shows all round
    dusk = raft.DUSK
    fig.open("wake")
    fig.raw(f'<path id="wake-ripples" d="M8,{f(yw + 8)} Q30,{f(yw + 3)} 62,{f(yw + 4)} M14,{f(yw + 18)} Q40,{f(yw + 10)} 72,{f(yw + 10)} '
            f'M30,{f(yw + 28)} Q70,{f(yw + 20)} 110,{f(yw + 22)}" fill="none" stroke="{dusk["ripple"]}" stroke-width="2.5" stroke-linecap="round"/>')
    fig.raw(f'<path id="bow-ripple" d="M250,{f(yw + 12)} Q274,{f(yw + 10)} 292,{f(yw + 3)}" fill="none" stroke="{dusk["ripple"]}" '
            f'stroke-width="2.5" stroke-linecap="round"/>')
    fig.close()
    fig.add(raft.deck("raft-", RAFT_X, RAFT_TOP, RAFT_W, water=dusk))
    # his near hand is where the tiller ends (posed once on a scratch figure)
    grip = side_figure(Fig(300, 300, ""), *RAFT_POSE[0], **RAFT_POSE[1])
    hold = raft.ENGINE_HOLD
    ex = RAFT_X + 3 - hold[0] * ENGINE_SCALE
    mid = raft.DECK_ROWS[len(raft.DECK_ROWS) // 2]
    ey = RAFT_TOP + (mid[0] - mid[1]) - hold[1] * ENGINE_SCALE
    motor, _ = raft.engine_on_deck("engine-", RAFT_X, RAFT_TOP, 1.0, ENGINE_SCALE,
                                   ((grip[0] - ex) / ENGINE_SCALE, (grip[1] - ey) / ENGINE_SCALE))
    # what of the engine is under water is out of sight; the propeller churns the surface
    fig.raw(f'<clipPath id="above-sea"><rect x="0" y="0" width="300" height="{f(yw + 2)}"/></clipPath>')
    fig.add(f'<g clip-path="url(#above-sea)">{motor}</g>')
    fig.raw(f'<g id="foam" fill="{dusk["foam"]}" stroke="{OUT}" stroke-width="1.5" stroke-linejoin="round">'
            f'<path d="M6,{f(yw + 3)} Q10,{f(yw - 3)} 18,{f(yw)} Q24,{f(yw - 4)} 32,{f(yw)} Q40,{f(yw - 3)} 50,{f(yw)} Q58,{f(yw - 3)} 64,{f(yw + 1)} '
            f'Q66,{f(yw + 5)} 58,{f(yw + 6)} Q40,{f(yw + 8)} 22,{f(yw + 7)} Q8,{f(yw + 8)} 6,{f(yw + 3)} Z"/>'
            f'<ellipse cx="86" cy="{f(yw + 14)}" rx="9" ry="2"/><ellipse cx="130" cy="{f(yw + 12)}" rx="12" ry="2.2"/>'
            f'<path d="M280,{f(yw + 1)} Q288,{f(yw - 8)} 294,{f(yw - 2)} Q292,{f(yw + 4)} 280,{f(yw + 1)} Z"/></g>')
    fig.open("quarro")
    side_figure(fig, *RAFT_POSE[0], **RAFT_POSE[1])
    fig.close()
    write("quarro/quarro1-s0.svg", fig)


# ---------------------------------------------------------------------------------------------
# The islanders: front views; the talking frames change the mouth and the arms
# ---------------------------------------------------------------------------------------------
def arm_to(fig, sh, el, wr, skin, skin_d, sleeve_col, sleeve_d, sleeve_len, kind, hand_ang, centre_x):
    """An arm through explicit joints; kind "fist" is a relaxed hanging hand, "open" a flat hand and
    "point" a pointing one, those two pointing at hand_ang. The thumb turns towards centre_x."""
    fig.limb("arm", [sh, el, wr], 12, skin, skin_d)
    if sleeve_col:
        sleeve(fig, sh, el, sleeve_len, 20, sleeve_col, sleeve_d)
    ang = toward(el, wr) if kind == "fist" else hand_ang
    hand(fig, wr, ang, skin, skin_d, thumb_inward(ang, wr, centre_x), "relaxed" if kind == "fist" else kind)


def eyes(fig, cx, cy, gap, happy=False):
    if happy:
        fig.raw(f'<g id="{fig.uid("eyes")}" fill="none" stroke="{OUT}" stroke-width="2.2" stroke-linecap="round">'
                f'<path d="M{f(cx - gap - 3.5)},{f(cy + 1)} q3.5,-5 7,0"/><path d="M{f(cx + gap - 3.5)},{f(cy + 1)} q3.5,-5 7,0"/></g>')
        return
    fig.raw(f'<g id="{fig.uid("eyes")}"><ellipse cx="{f(cx - gap)}" cy="{f(cy)}" rx="3.3" ry="4" fill="#fff" stroke="{OUT}" stroke-width="1.2"/>'
            f'<ellipse cx="{f(cx + gap)}" cy="{f(cy)}" rx="3.3" ry="4" fill="#fff" stroke="{OUT}" stroke-width="1.2"/>'
            f'<circle cx="{f(cx - gap + 0.5)}" cy="{f(cy + 0.8)}" r="2" fill="{OUT}"/><circle cx="{f(cx + gap + 0.5)}" cy="{f(cy + 0.8)}" r="2" fill="{OUT}"/></g>')


def flower(fig, x, y, r, petal, centre="#f5d03a"):
    ps = "".join(f'<circle cx="{f(x + r * 0.55 * math.cos(math.radians(a)))}" cy="{f(y + r * 0.55 * math.sin(math.radians(a)))}" r="{f(r * 0.5)}"/>'
                 for a in range(-90, 270, 72))
    fig.raw(f'<g id="{fig.uid("flower")}"><g fill="{petal}" stroke="{OUT}" stroke-width="1.3">{ps}</g>'
            f'<circle cx="{f(x)}" cy="{f(y)}" r="{f(r * 0.28)}" fill="{centre}"/></g>')


KAI = dict(skin="#c98a55", skin_d="#9c6536", shirt="#23a39a", shirt_d="#17786f", hair="#2a211c", mouth="#7a2e22")


def kai(frame):
    c = KAI
    fig = Fig(124, 150, "Kai the barkeeper" + (f", talking {frame}" if frame else ""))
    cx = 62
    # per frame: mouth and the two arms (picture-left arm, picture-right arm)
    rest_l = ((cx - 30, 84), (cx - 42, 122), (cx - 30, 146), "fist", 180)
    rest_r = ((cx + 30, 84), (cx + 42, 122), (cx + 30, 146), "fist", 180)
    wave_r = ((cx + 30, 84), (cx + 50, 112), (cx + 52, 74), "open", 175)
    thumb_r = ((cx + 30, 84), (cx + 48, 114), (cx + 44, 72), "point", 185)
    open_l = ((cx - 30, 84), (cx - 46, 116), (cx - 44, 100), "open", 205)
    open_r = ((cx + 30, 84), (cx + 46, 116), (cx + 44, 100), "open", 155)
    mouth, arms = {0: (0, (rest_l, rest_r)), 1: (2, (rest_l, wave_r)), 2: (1, (open_l, open_r)),
                   3: (3, (rest_l, thumb_r))}[frame]
    fig.open("kai")
    # body: a broad flowered shirt that runs down behind the counter edge
    body = f"M{cx - 44},150 L{cx - 42},96 Q{cx - 40},80 {cx - 24},76 L{cx + 24},76 Q{cx + 40},80 {cx + 42},96 L{cx + 44},150 Z"
    fig.limb("neck", [(cx, 60), (cx, 80)], 20, c["skin"], c["skin_d"], cap="butt")
    fig.shape("shirt", body, c["shirt"], c["shirt_d"], off=8)
    fig.open("shirt-flowers")
    for x, y, col in ((cx - 30, 100, "#f4a6c0"), (cx - 12, 128, "#f7e27a"), (cx + 20, 96, "#f7e27a"),
                      (cx + 32, 132, "#f4a6c0"), (cx - 34, 140, "#ffffff"), (cx + 8, 144, "#ffffff"), (cx + 6, 112, "#f4a6c0")):
        flower(fig, x, y, 7, col, "#e2572f")
    fig.close()
    fig.shape("collar", f"M{cx - 14},76 L{cx},98 L{cx + 14},76 Z", c["skin"], c["skin_d"], off=3)
    fig.raw(f'<path id="collar-flaps" d="M{cx - 15},75 l-6,14 l12,-3 Z M{cx + 15},75 l6,14 l-12,-3 Z" fill="{c["shirt"]}" '
            f'stroke="{OUT}" stroke-width="2" stroke-linejoin="round"/>')
    for sh, el, wr, hand, ang in arms:
        arm_to(fig, sh, el, wr, c["skin"], c["skin_d"], c["shirt"], c["shirt_d"], 0.55, hand, ang, cx)
    # head: round, bald on top with dark hair at the sides, a broad moustache and a big smile
    hy = 42
    for s in (-1, 1):
        fig.shape("ear", f"M{cx + s * 21},{hy - 2} q{s * 9},-3 {s * 7},10 q{-s * 2},6 {-s * 8},3 Z", c["skin"], c["skin_d"], off=2)
    fig.shape("face", f"M{cx},{hy - 28} C{cx + 26},{hy - 28} {cx + 25},{hy + 4} {cx + 20},{hy + 14} C{cx + 14},{hy + 26} {cx - 14},{hy + 26} "
                      f"{cx - 20},{hy + 14} C{cx - 25},{hy + 4} {cx - 26},{hy - 28} {cx},{hy - 28} Z", c["skin"], c["skin_d"], off=6)
    fig.raw(f'<path id="shine" d="M{cx - 12},{hy - 20} q6,-4 12,-3" stroke="#e8b585" stroke-width="3" fill="none" stroke-linecap="round"/>')
    for s in (-1, 1):
        fig.shape("side-hair", f"M{cx + s * 23},{hy - 12} q{s * 3},10 {-s * 1},18 l{-s * 3},-4 q{-s * 1},-8 {s * 0},-12 Z", c["hair"], None, sw=2)
    fig.raw(f'<g id="brows" stroke="{OUT}" stroke-width="2.6" stroke-linecap="round" fill="none">'
            f'<path d="M{cx - 15},{hy - 9} q5,-4 9,-1"/><path d="M{cx + 6},{hy - 10} q5,-3 9,1"/></g>')
    eyes(fig, cx, hy - 2, 9, happy=(frame == 0))
    fig.raw(f'<path id="cheeks" d="M{cx - 16},{hy + 8} h0.1 M{cx + 16},{hy + 8} h0.1" stroke="#d9765a" stroke-width="7" stroke-linecap="round"/>')
    fig.raw(f'<path id="nose" d="M{cx},{hy} q6,8 0,10 q-4,0 -4,-2" fill="{c["skin_d"]}" stroke="{OUT}" stroke-width="1.5"/>')
    mouth_shape(fig, cx, hy + 17, mouth, 14)
    fig.shape("moustache", f"M{cx - 14},{hy + 14} Q{cx - 8},{hy + 7} {cx},{hy + 11} Q{cx + 8},{hy + 7} {cx + 14},{hy + 14} "
                           f"Q{cx + 6},{hy + 13} {cx},{hy + 14} Q{cx - 6},{hy + 13} {cx - 14},{hy + 14} Z", c["hair"], None, sw=1.5)
    fig.close()
    write(f"persons/{'kai' if frame == 0 else f'kai2r{frame}'}.svg", fig)


def bare_foot(fig, ax, ay, s, skin, skin_d):
    """A bare foot seen from the front, its sole on y = ay + 12."""
    fig.shape("foot", f"M{f(ax - 7)},{f(ay - 3)} Q{f(ax - 10 + s * 2)},{f(ay + 12)} {f(ax + s * 2)},{f(ay + 12)} "
                      f"Q{f(ax + 11 + s * 2)},{f(ay + 12)} {f(ax + 7)},{f(ay - 3)} Z", skin, skin_d, off=3)


WOMAN = dict(skin="#9a6440", skin_d="#75472a", hair="#1e1410", hair_d="#0f0a08", top="#e2503f", top_d="#a9362a",
             grass="#c9b25a", grass_d="#9a8a3a", grass2="#8fae3f", mouth="#6e2420")


def woman(frame):
    c = WOMAN
    fig = Fig(100, 300, "The native woman" + (f", talking {frame}" if frame else ""))
    cx = 50
    down_l = ((cx - 17, 74), (cx - 21, 118), (cx - 20, 160), "fist", 180)
    down_r = ((cx + 17, 74), (cx + 21, 118), (cx + 20, 160), "fist", 180)
    up_r = ((cx + 17, 74), (cx + 32, 110), (cx + 34, 74), "open", 170)
    hip_l = ((cx - 17, 74), (cx - 34, 108), (cx - 18, 138), "fist", 180)
    side_r = ((cx + 17, 74), (cx + 27, 114), (cx + 35, 134), "open", 140)
    chest_l = ((cx - 17, 74), (cx - 24, 116), (cx - 2, 110), "open", 120)
    mouth, arms = {0: (0, (down_l, down_r)), 1: (2, (down_l, up_r)), 2: (1, (hip_l, side_r)),
                   3: (3, (chest_l, down_r))}[frame]
    fig.open("woman", "translate(0,3.2)")
    # long hair hanging behind the shoulders
    fig.shape("hair-back", f"M{cx - 17},30 Q{cx - 25},70 {cx - 22},104 L{cx + 22},104 Q{cx + 25},70 {cx + 17},30 Z", c["hair"], c["hair_d"], off=4)
    # legs and feet
    for sd in (-1, 1):
        hip, knee, ankle = (cx + sd * 8, 160), (cx + sd * 9, 222), (cx + sd * 9, 280)
        fig.limb("leg", [hip, knee, ankle], 13, c["skin"], c["skin_d"])
        bare_foot(fig, ankle[0], ankle[1] + 4, sd, c["skin"], c["skin_d"])
        fig.raw(f'<path id="{fig.uid("anklet")}" d="M{f(ankle[0] - 7)},{f(ankle[1] - 2)} h14" stroke="#f2efe4" stroke-width="3" stroke-dasharray="3 1.5"/>')
    # slim body: bare waist, a red wrap top
    fig.limb("neck", [(cx, 52), (cx, 72)], 11, c["skin"], c["skin_d"], cap="butt")
    fig.shape("body", f"M{cx - 17},72 Q{cx},66 {cx + 17},72 Q{cx + 19},96 {cx + 13},124 Q{cx + 16},142 {cx + 17},160 "
                      f"L{cx - 17},160 Q{cx - 16},142 {cx - 13},124 Q{cx - 19},96 {cx - 17},72 Z", c["skin"], c["skin_d"], off=5)
    fig.shape("top", f"M{cx - 18},86 Q{cx},80 {cx + 18},86 L{cx + 16},106 Q{cx},111 {cx - 16},106 Z", c["top"], c["top_d"], off=4)
    fig.raw(f'<g id="top-pattern" fill="none" stroke="#f7e27a" stroke-width="1.6"><path d="M{cx - 14},94 q7,4 14,0 q7,4 14,0"/></g>')
    # grass skirt: a belt of leaves and long straw strands to below the knees
    strands = []
    for i in range(13):
        x0 = cx - 22 + i * 44 / 12
        x1 = cx - 26 + i * 52 / 12 + (2 if i % 2 else -2)
        col = (c["grass"], c["grass2"], c["grass_d"])[i % 3]
        strands.append(f'<path d="M{f(x0 - 2.2)},146 L{f(x1 - 2.5)},{230 + (i * 7) % 9} L{f(x1 + 2.5)},{230 + (i * 7) % 9} L{f(x0 + 2.2)},146 Z" '
                       f'fill="{col}" stroke="{OUT}" stroke-width="1.6" stroke-linejoin="round"/>')
    fig.raw(f'<g id="grass-skirt">{"".join(strands)}</g>')
    fig.shape("belt", f"M{cx - 23},140 Q{cx},136 {cx + 23},140 L{cx + 24},150 Q{cx},146 {cx - 24},150 Z", "#2f8a3b", "#1d5e2a", off=3)
    # necklace of little shells
    beads = "".join(f'<circle cx="{f(cx + 13 * math.sin(math.radians(a)))}" cy="{f(73 + 9 * math.cos(math.radians(a)))}" r="2"/>'
                    for a in range(-75, 80, 25))
    fig.raw(f'<g id="necklace" fill="#f2efe4" stroke="{OUT}" stroke-width="1">{beads}</g>')
    for sh, el, wr, hand, ang in arms:
        fig.limb("shoulder", [sh, sh], 12, c["skin"], c["skin_d"])
        arm_to(fig, sh, el, wr, c["skin"], c["skin_d"], None, None, 0, hand, ang, cx)
        fig.raw(f'<path id="{fig.uid("bangle")}" d="M{f(wr[0] - 0.3 * (wr[0] - el[0]))},{f(wr[1] - 0.3 * (wr[1] - el[1]))} h0.1" '
                f'stroke="#f5d03a" stroke-width="7" stroke-linecap="round"/>')
    # head with hair parted in the middle and flowers over the ear
    hy = 34
    fig.shape("face", f"M{cx},{hy - 20} C{cx + 18},{hy - 20} {cx + 17},{hy + 6} {cx + 12},{hy + 13} C{cx + 7},{hy + 21} {cx - 7},{hy + 21} "
                      f"{cx - 12},{hy + 13} C{cx - 17},{hy + 6} {cx - 18},{hy - 20} {cx},{hy - 20} Z", c["skin"], c["skin_d"], off=4)
    fig.shape("hair", f"M{cx},{hy - 13} Q{cx - 10},{hy - 9} {cx - 14},{hy + 8} Q{cx - 19},{hy} {cx - 17},{hy - 12} "
                      f"Q{cx - 12},{hy - 26} {cx},{hy - 25} Q{cx + 12},{hy - 26} {cx + 17},{hy - 12} Q{cx + 19},{hy} {cx + 14},{hy + 8} "
                      f"Q{cx + 10},{hy - 9} {cx},{hy - 13} Z", c["hair"], c["hair_d"], off=3)
    fig.raw(f'<g id="lashes" stroke="{OUT}" stroke-width="2" stroke-linecap="round" fill="none">'
            f'<path d="M{cx - 11},{hy - 6} q4,-2 7,0"/><path d="M{cx + 4},{hy - 6} q4,-2 7,0"/></g>')
    eyes(fig, cx, hy, 7)
    fig.raw(f'<path id="nose" d="M{cx},{hy + 2} q3,5 -1,6" fill="none" stroke="{c["skin_d"]}" stroke-width="1.8" stroke-linecap="round"/>')
    mouth_shape(fig, cx, hy + 13, mouth, 9, c["mouth"])
    flower(fig, cx - 15, hy - 12, 12, "#e8403a")
    flower(fig, cx - 5, hy - 22, 8, "#ffffff")
    flower(fig, cx + 14, hy - 16, 7, "#f4a6c0")
    fig.close()
    write(f"persons/{'eingeborene1' if frame == 0 else f'eingeborene1r{frame}'}.svg", fig)


JIM = dict(skin="#e0a683", skin_d="#b57a58", beard="#8a7358", beard_d="#64513c", hat="#8c6a3c", hat_d="#654a26",
           shirt="#d9cfae", shirt_d="#b1a684", vest="#5a6b3a", vest_d="#3f4c27", trousers="#7a6446", trousers_d="#584630",
           boots="#4a3020", boots_d="#2f1e13", mouth="#6e2420")


def jim(frame):
    c = JIM
    fig = Fig(136, 300, "Jim the treasure hunter" + (f", talking {frame}" if frame else ""))
    cx = 68
    hang_l = ((cx - 26, 80), (cx - 31, 124), (cx - 30, 166), "fist", 180)
    hang_r = ((cx + 26, 80), (cx + 31, 124), (cx + 30, 166), "fist", 180)
    point_r = ((cx + 26, 80), (cx + 50, 110), (cx + 50, 72), "point", 165)
    scratch_l = ((cx - 26, 80), (cx - 50, 100), (cx - 32, 60), "fist", 180)
    shrug_l = ((cx - 26, 80), (cx - 42, 118), (cx - 48, 100), "open", 205)
    shrug_r = ((cx + 26, 80), (cx + 42, 118), (cx + 48, 100), "open", 155)
    mouth, arms = {0: (0, (hang_l, hang_r)), 1: (2, (hang_l, point_r)), 2: (1, (shrug_l, shrug_r)),
                   3: (3, (scratch_l, hang_r))}[frame]
    fig.open("jim", "translate(0,1.2)")
    # legs in patched trousers, heavy boots
    for sd in (-1, 1):
        hip, knee, ankle = (cx + sd * 12, 162), (cx + sd * 14, 224), (cx + sd * 15, 272)
        fig.limb("trouser-leg", [hip, knee, ankle], 21, c["trousers"], c["trousers_d"])
        bx = ankle[0]
        fig.shape("boot", f"M{f(bx - 11)},266 L{f(bx + 11)},266 L{f(bx + 12)},284 Q{f(bx + 14 + sd * 4)},286 {f(bx + 14 + sd * 4)},292 "
                          f"L{f(bx + 14 + sd * 4)},298 L{f(bx - 13 + sd * 2)},298 L{f(bx - 12)},284 Z", c["boots"], c["boots_d"], off=3)
    fig.shape("patch", f"M{cx - 22},204 l11,-1 l1,12 l-11,1 Z", "#a07d4a", None, sw=1.8)
    fig.raw(f'<path id="patch-stitches" d="M{cx - 21},206 l9,-1 M{cx - 21},213 l9,-1" stroke="#2b1d14" stroke-width="1" stroke-dasharray="2 2"/>')
    fig.shape("seat", f"M{cx - 30},146 L{cx + 30},146 L{cx + 28},176 L{cx},170 L{cx - 28},176 Z", c["trousers"], c["trousers_d"], off=5)
    fig.raw(f'<path id="belt" d="M{cx - 30},150 L{cx + 30},150" stroke="{OUT}" stroke-width="6"/>'
            f'<rect id="buckle" x="{cx - 5}" y="146" width="10" height="8" fill="#d9b84a" stroke="{OUT}" stroke-width="1.5"/>')
    # shirt and the open vest
    fig.limb("neck", [(cx, 56), (cx, 78)], 16, c["skin"], c["skin_d"], cap="butt")
    fig.shape("shirt", f"M{cx - 28},80 Q{cx},72 {cx + 28},80 L{cx + 30},148 L{cx - 30},148 Z", c["shirt"], c["shirt_d"], off=6)
    fig.raw(f'<path id="stains" d="M{cx + 6},128 h0.1 M{cx - 4},136 h0.1" stroke="#b1a684" stroke-width="6" stroke-linecap="round"/>')
    for sd in (-1, 1):
        fig.shape("vest", f"M{cx + sd * 12},78 L{cx + sd * 29},82 L{cx + sd * 31},150 L{cx + sd * 10},150 L{cx + sd * 8},110 Z",
                  c["vest"], c["vest_d"], off=4)
    fig.raw(f'<path id="vest-pocket" d="M{cx - 26},112 h11 v9 h-11 Z" fill="none" stroke="{OUT}" stroke-width="1.6"/>')
    for sh, el, wr, hand, ang in arms:
        arm_to(fig, sh, el, wr, c["skin"], c["skin_d"], c["shirt"], c["shirt_d"], 0.62, hand, ang, cx)
    # head: a big scruffy beard, a red nose, the battered hat pulled low
    hy = 44
    for sd in (-1, 1):
        fig.shape("ear", f"M{cx + sd * 17},{hy - 4} q{sd * 8},-2 {sd * 6},10 q{-sd * 2},5 {-sd * 7},3 Z", c["skin"], c["skin_d"], off=2)
    fig.shape("face", f"M{cx},{hy - 22} C{cx + 22},{hy - 22} {cx + 20},{hy + 8} {cx + 15},{hy + 16} C{cx + 9},{hy + 24} {cx - 9},{hy + 24} "
                      f"{cx - 15},{hy + 16} C{cx - 20},{hy + 8} {cx - 22},{hy - 22} {cx},{hy - 22} Z", c["skin"], c["skin_d"], off=4)
    beard = (f"M{cx - 19},{hy} Q{cx - 14},{hy + 8} {cx - 8},{hy + 6} Q{cx},{hy + 3} {cx + 8},{hy + 6} Q{cx + 14},{hy + 8} {cx + 19},{hy} "
             f"L{cx + 22},{hy + 14} L{cx + 17},{hy + 20} L{cx + 20},{hy + 28} L{cx + 12},{hy + 32} L{cx + 12},{hy + 42} L{cx + 4},{hy + 38} "
             f"L{cx},{hy + 48} L{cx - 5},{hy + 38} L{cx - 12},{hy + 43} L{cx - 13},{hy + 32} L{cx - 21},{hy + 28} L{cx - 18},{hy + 20} "
             f"L{cx - 23},{hy + 14} Z")
    fig.shape("beard", beard, c["beard"], c["beard_d"], off=5)
    fig.raw(f'<g id="beard-strands" stroke="{c["beard_d"]}" stroke-width="1.6" fill="none" stroke-linecap="round">'
            f'<path d="M{cx - 12},{hy + 22} q2,6 0,12"/><path d="M{cx + 10},{hy + 20} q-2,6 1,12"/><path d="M{cx - 2},{hy + 26} q1,6 0,12"/></g>')
    mouth_shape(fig, cx, hy + 15, mouth, 11, c["mouth"])
    fig.shape("moustache", f"M{cx - 15},{hy + 13} Q{cx - 10},{hy + 6} {cx},{hy + 9} Q{cx + 10},{hy + 6} {cx + 15},{hy + 13} "
                           f"Q{cx + 8},{hy + 10} {cx},{hy + 12} Q{cx - 8},{hy + 10} {cx - 15},{hy + 13} Z", c["beard_d"], None, sw=1.5)
    fig.raw(f'<ellipse id="nose" cx="{cx + 1}" cy="{hy + 3}" rx="5" ry="4.5" fill="#d9755a" stroke="{OUT}" stroke-width="1.8"/>')
    eyes(fig, cx, hy - 5, 8)
    fig.raw(f'<g id="brows" stroke="{OUT}" stroke-width="3" stroke-linecap="round" fill="none">'
            f'<path d="M{cx - 13},{hy - 11} l9,1"/><path d="M{cx + 4},{hy - 10} l9,-1.5"/></g>')
    fig.shape("hat-crown", f"M{cx - 20},{hy - 16} Q{cx - 20},{hy - 40} {cx - 6},{hy - 40} L{cx - 1},{hy - 36} L{cx + 5},{hy - 41} "
                           f"Q{cx + 21},{hy - 40} {cx + 20},{hy - 16} Z", c["hat"], c["hat_d"], off=5)
    fig.shape("hat-band", f"M{cx - 20},{hy - 24} L{cx + 20},{hy - 24} L{cx + 20},{hy - 17} L{cx - 20},{hy - 17} Z", "#3b2a1a", None, sw=2)
    fig.shape("hat-brim", f"M{cx - 40},{hy - 12} Q{cx - 30},{hy - 22} {cx},{hy - 20} Q{cx + 30},{hy - 22} {cx + 42},{hy - 14} "
                          f"Q{cx + 34},{hy - 8} {cx + 20},{hy - 12} L{cx + 14},{hy - 10} L{cx + 10},{hy - 13} Q{cx},{hy - 12} {cx - 20},{hy - 12} "
                          f"Q{cx - 32},{hy - 6} {cx - 40},{hy - 12} Z", c["hat"], c["hat_d"], off=3)
    fig.close()
    write(f"persons/{'jim' if frame == 0 else f'jim1r{frame}'}.svg", fig)


def jim_asleep():
    """Jim asleep on his back in the sand (objects/w.svg, 300 x 90): head on the left with his hat tipped
    over his eyes, beard spread on his chest, one hand on his belly, one knee up, boots on the right."""
    c = JIM
    fig = Fig(300, 90, "Jim asleep on the ground, his hat over his eyes")
    ground = 84
    fig.raw(f'<ellipse id="shadow" cx="158" cy="{ground + 1}" rx="136" ry="3.5" fill="#000" fill-opacity="0.2"/>')
    # the far leg lies straight out, its boot tipped up; the near knee is drawn up
    fig.limb("far-leg", [(186, 71), (262, 73)], 19, c["trousers_d"], "#45372a")
    fig.shape("far-boot", f"M254,62 L268,62 Q272,50 280,45 Q288,42 289,49 L290,79 Q290,{ground} 284,{ground} L258,{ground} "
                          f"Q252,{ground} 252,79 Z", c["boots_d"], "#1f140c", off=3)
    fig.raw(f'<path id="far-sole" d="M288,47 Q293,50 293,56 L293,80 Q293,{ground - 1} 290,{ground - 1}" fill="none" stroke="{OUT}" stroke-width="3"/>')
    # the body on its back: the shirt's front faces up, the open vest hangs down its side
    fig.shape("shirt", f"M70,{ground - 1} Q64,58 88,50 Q118,42 148,41 Q172,41 186,52 L188,{ground - 1} Z", c["shirt"], c["shirt_d"], off=4)
    fig.raw(f'<path id="stains" d="M128,47 h0.1 M154,46 h0.1" stroke="{c["shirt_d"]}" stroke-width="5" stroke-linecap="round"/>')
    fig.shape("vest", f"M76,{ground - 1} Q74,64 94,58 Q128,52 178,56 L180,{ground - 1} Z", c["vest"], c["vest_d"], off=4)
    fig.raw(f'<path id="vest-pocket" d="M126,64 h13 v8 h-13 Z" fill="none" stroke="{OUT}" stroke-width="1.6"/>')
    fig.raw(f'<path id="belt" d="M180,54 L182,{ground - 1}" stroke="{OUT}" stroke-width="7"/>'
            f'<rect id="buckle" x="176" y="51" width="9" height="10" fill="#d9b84a" stroke="{OUT}" stroke-width="1.5"/>')
    # the near leg: thigh up to the knee, shin down to the boot standing flat on the sand
    fig.limb("near-leg", [(192, 68), (226, 34), (256, 68)], 21, c["trousers"], c["trousers_d"])
    fig.shape("patch", "M218,36 l11,-2 l2,11 l-11,2 Z", "#a07d4a", None, sw=1.8)
    fig.raw('<path id="patch-stitches" d="M219,38 l9,-2 M220,44 l9,-2" stroke="#2b1d14" stroke-width="1" stroke-dasharray="2 2"/>')
    fig.shape("near-boot", f"M245,60 L266,62 L267,71 Q280,71 285,77 L285,{ground} L244,{ground} L245,72 Z", c["boots"], c["boots_d"], off=3)
    fig.raw(f'<path id="near-sole" d="M243,{ground - 0.5} H286" stroke="{OUT}" stroke-width="3"/>')
    # the near arm lies along his side, the hand resting on his belly
    sh, el, wr = (90, 60), (118, 74), (142, 52)
    fig.limb("arm", [sh, el, wr], 12, c["skin"], c["skin_d"])
    sleeve(fig, sh, el, 0.62, 20, c["shirt"], c["shirt_d"])
    hand(fig, wr, toward(el, wr) + 25, c["skin"], c["skin_d"], -1)
    # the head lies back in the sand, the face turned up
    hx, hy = 44, 65
    fig.shape("head", f"M{hx},{hy - 17} C{hx + 13},{hy - 17} {hx + 19},{hy - 6} {hx + 18},{hy + 4} C{hx + 17},{hy + 14} {hx + 8},{hy + 19} "
                      f"{hx - 2},{hy + 18} C{hx - 12},{hy + 17} {hx - 17},{hy + 8} {hx - 17},{hy - 1} C{hx - 17},{hy - 10} {hx - 10},{hy - 17} {hx},{hy - 17} Z",
              c["skin"], c["skin_d"], off=4)
    # his scruffy hair round the back of the head, the ear in front of it
    fig.shape("hair", f"M{hx - 2},{hy - 17} Q{hx - 19},{hy - 15} {hx - 18},{hy + 1} Q{hx - 16},{hy + 17} {hx},{hy + 18} "
                      f"L{hx + 2},{hy + 13} L{hx - 4},{hy + 11} L{hx - 6},{hy + 4} L{hx - 10},{hy} L{hx - 7},{hy - 6} L{hx - 9},{hy - 11} Z",
              c["beard"], c["beard_d"], off=3)
    fig.shape("ear", f"M{hx - 3},{hy - 2} q-6,-2 -6,5 q1,6 7,4 Z", c["skin"], c["skin_d"], off=2)
    # the beard spreads from his chin over the top of his chest
    beard = (f"M{hx + 8},{hy - 14} Q{hx + 20},{hy - 18} {hx + 28},{hy - 14} L{hx + 36},{hy - 20} L{hx + 40},{hy - 12} "
             f"L{hx + 50},{hy - 16} L{hx + 52},{hy - 7} L{hx + 60},{hy - 6} L{hx + 54},{hy + 1} L{hx + 58},{hy + 8} "
             f"L{hx + 46},{hy + 6} L{hx + 44},{hy + 14} L{hx + 34},{hy + 8} L{hx + 26},{hy + 16} L{hx + 20},{hy + 6} "
             f"Q{hx + 14},{hy + 2} {hx + 12},{hy - 6} Z")
    fig.shape("beard", beard, c["beard"], c["beard_d"], off=4)
    fig.raw(f'<g id="beard-strands" stroke="{c["beard_d"]}" stroke-width="1.6" fill="none" stroke-linecap="round">'
            f'<path d="M{hx + 26},{hy - 6} q8,-2 16,0"/><path d="M{hx + 28},{hy + 2} q8,-1 14,2"/><path d="M{hx + 40},{hy - 10} q5,0 9,2"/></g>')
    fig.shape("moustache", f"M{hx + 4},{hy - 17} Q{hx + 10},{hy - 22} {hx + 16},{hy - 19} Q{hx + 20},{hy - 16} {hx + 22},{hy - 11} "
                           f"Q{hx + 16},{hy - 14} {hx + 10},{hy - 13} Q{hx + 6},{hy - 13} {hx + 4},{hy - 17} Z", c["beard_d"], None, sw=1.5)
    fig.raw(f'<ellipse id="nose" cx="{hx + 6}" cy="{hy - 22}" rx="5" ry="4.5" fill="#d9755a" stroke="{OUT}" stroke-width="1.8"/>')
    fig.raw(f'<path id="mouth" d="M{hx + 12},{hy - 12} q3,2 6,0" fill="none" stroke="{OUT}" stroke-width="1.6" stroke-linecap="round"/>')
    # the battered hat has slid forward over his eyes, its crown pointing up
    fig.open("hat", f"rotate(-12 {hx - 6} {hy - 22})")
    fig.shape("hat-crown", f"M{hx - 24},{hy - 26} Q{hx - 24},{hy - 48} {hx - 10},{hy - 48} L{hx - 5},{hy - 44} L{hx + 1},{hy - 49} "
                           f"Q{hx + 14},{hy - 48} {hx + 13},{hy - 26} Z", c["hat"], c["hat_d"], off=5)
    fig.shape("hat-band", f"M{hx - 24},{hy - 33} L{hx + 13},{hy - 33} L{hx + 13},{hy - 27} L{hx - 24},{hy - 27} Z", "#3b2a1a", None, sw=2)
    fig.shape("hat-brim", f"M{hx - 40},{hy - 24} Q{hx - 30},{hy - 31} {hx - 6},{hy - 29} Q{hx + 18},{hy - 31} {hx + 28},{hy - 24} "
                          f"Q{hx + 20},{hy - 19} {hx + 8},{hy - 22} L{hx + 2},{hy - 20} L{hx - 2},{hy - 23} Q{hx - 14},{hy - 22} {hx - 26},{hy - 22} "
                          f"Q{hx - 34},{hy - 19} {hx - 40},{hy - 24} Z", c["hat"], c["hat_d"], off=3)
    fig.close()
    fig.raw(f'<g id="zzz" font-family="DejaVu Sans" font-weight="bold" fill="#ffffff" stroke="{OUT}" stroke-width="1.5" paint-order="stroke">'
            f'<text x="86" y="40" font-size="11">z</text><text x="97" y="29" font-size="14">z</text>'
            f'<text x="110" y="19" font-size="17">Z</text></g>')
    write("objects/w.svg", fig)


if __name__ == "__main__":
    quarro_all()
    quarro_raft()
    for fr in range(4):
        kai(fr)
        woman(fr)
        jim(fr)
    jim_asleep()
