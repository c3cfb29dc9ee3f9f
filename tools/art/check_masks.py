#!/usr/bin/env python3
"""Check the walk masks in art/locations/ against the hero's walking rules.

Every mask is rendered with rsvg-convert, sampled at the same pixels the game
samples, and the hero is walked from every start point of a scene to every
target point of it.  A walk must end within 10 pixels of its target on both
axes and must never end by giving up.  The masks must also be pure black and
white, and every start and target must have free room around the hero's feet.

Usage: tools/art/check_masks.py [scene-mask ...]   (default: all masks)
Exit status 0 when every check passes.
"""
import os
import subprocess
import sys
import tempfile

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
LOC = os.path.join(ROOT, "art", "locations")

W, H = 1024, 768
GRID = 128          # cells per axis
STEP = 5            # pixels per frame
FEET_DX, FEET_DY = 59, 300

# scene mask -> (start points, target points); points are the hero's top-left
SCENES = {
    "schiff_i.svg":     ([(450, 300), (880, 400), (600, 150)], [(400, 150), (720, 280)]),
    "bar_i.svg":        ([(100, 420), (880, 320), (240, 150)], [(700, 370), (350, 300)]),
    "palme_i.svg":      ([(100, 420), (880, 200), (440, 150)], [(200, 380), (480, 320)]),
    "nirgendwo_i.svg":  ([(100, 350)], []),
    "inselstamm_i.svg": ([(600, 400)], [(440, 250), (580, 270), (620, 230)]),
    "dschungel_i.svg":  ([(300, 400)], [(260, 50), (400, 350)]),
    "loecher_i.svg":    ([(300, 400)], [(410, 280), (350, 250)]),
}


def render(svg):
    """Render an SVG mask and return its pixels as a list of rows of grey values."""
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "m.png")
        subprocess.run(["rsvg-convert", "-w", str(W), "-h", str(H), svg, "-o", png], check=True)
        pgm = subprocess.run(["convert", png, "-background", "black", "-flatten",
                              "-colorspace", "gray", "-depth", "8", "pgm:-"],
                             check=True, capture_output=True).stdout
    # binary PGM: "P5\n<w> <h>\n255\n" then the bytes
    parts = pgm.split(b"\n", 3)
    w, h = map(int, parts[1].split())
    assert (w, h) == (W, H), f"{svg}: rendered {w}x{h}"
    data = parts[3]
    return [data[y * W:(y + 1) * W] for y in range(H)]


class Mask:
    def __init__(self, pixels):
        self.px = pixels

    def free(self, r, c):
        if r < 0 or c < 0 or r >= GRID or c >= GRID:
            return False
        return self.px[2 + 6 * r][4 + 8 * c] >= 128


def feet_cell(x, y):
    return (y + FEET_DY) // 6, (x + FEET_DX) // 8


def walk(mask, start, target, limit=5000):
    """Walk the hero as the game does.  Returns (end position, gave_up)."""
    x, y = start
    tx, ty = target
    for _ in range(limit):
        if x == tx and y == ty:
            return (x, y), False
        r, c = feet_cell(x, y)
        # along x first
        if tx - x > 10 and mask.free(r - 1, c + 1):
            x += STEP
            continue
        if x - tx > 10 and mask.free(r - 1, c - 1):
            x -= STEP
            continue
        if abs(x - tx) < 20:
            tx = x
        # then along y
        if ty - y > 10 and mask.free(r, c):
            y += STEP
            continue
        if y - ty > 10 and mask.free(r - 2, c):
            y -= STEP
            continue
        if abs(y - ty) < 20:
            ty = y
        if abs(x - tx) > 10 or abs(y - ty) > 10:
            return (x, y), True
    raise RuntimeError(f"walk {start}->{target} did not finish")


def room_problems(mask, point, rad=3):
    """Cells within rad of the feet cell (and the cells the walk rules look at) that are blocked."""
    r0, c0 = feet_cell(*point)
    bad = []
    for r in range(r0 - 2 - rad, r0 + rad + 1):
        for c in range(c0 - rad, c0 + rad + 1):
            if not mask.free(r, c):
                bad.append((r, c))
    return bad


def check_scene(name, pixels):
    errors = []
    colours = set()
    for row in pixels[::3]:
        colours.update(set(row[::3]))
    stray = sorted(v for v in colours if v not in (0, 255))
    if stray:
        errors.append(f"not pure black/white: grey values {stray[:8]}")
    mask = Mask(pixels)
    starts, targets = SCENES[name]
    for p in starts + targets:
        bad = room_problems(mask, p)
        if bad:
            errors.append(f"point {p}: blocked cells near the feet {bad[:6]}{' ...' if len(bad) > 6 else ''}")
    for s in starts:
        for t in targets:
            end, gave_up = walk(mask, s, t)
            if gave_up or abs(end[0] - t[0]) > 10 or abs(end[1] - t[1]) > 10:
                errors.append(f"walk {s} -> {t} ends at {end}{' (gave up)' if gave_up else ''}")
    return errors


def self_test():
    """The walker itself: open ground reaches the target, a wall across the way makes him give up."""
    open_ground = Mask([bytes([255]) * W for _ in range(H)])
    end, gave_up = walk(open_ground, (100, 300), (600, 100))
    assert not gave_up and abs(end[0] - 600) <= 10 and abs(end[1] - 100) <= 10, end
    wall = [bytearray([255]) * W for _ in range(H)]
    for row in wall:
        row[400:420] = bytes(20)
    end, gave_up = walk(Mask(wall), (100, 300), (600, 300))
    assert gave_up and end[0] < 400, end
    # a wall that ends lets him slide along y towards his target and then go on along x
    wall = [bytearray([255]) * W for _ in range(H)]
    for row in wall[:600]:
        row[400:420] = bytes(20)
    end, gave_up = walk(Mask(wall), (100, 200), (600, 400))
    assert not gave_up and abs(end[0] - 600) <= 10 and abs(end[1] - 400) <= 10, end


# each mask's background, which must be opaque everywhere
BACKGROUNDS = {"schiff_i.svg": "schiff.svg", "bar_i.svg": "bar.svg", "palme_i.svg": "palme_en.svg",
               "nirgendwo_i.svg": "nowhere.svg", "inselstamm_i.svg": "inselstamm.svg",
               "dschungel_i.svg": "dschungel.svg", "loecher_i.svg": "loecher.svg"}


def opaque_problem(svg):
    """None if the SVG renders without a single see-through pixel, else a description."""
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "b.png")
        subprocess.run(["rsvg-convert", "-w", str(W), "-h", str(H), svg, "-o", png], check=True)
        bbox = subprocess.run(["convert", png, "-alpha", "extract", "-threshold", "50%", "-negate",
                               "-format", "%@", "info:"], check=True, capture_output=True, text=True).stdout
    # %@ is the bounding box of the non-black (here: see-through) pixels; "0x0..." when there are none
    return None if bbox.startswith("0x0") else f"see-through pixels within {bbox}"


def main(argv):
    self_test()
    names = [os.path.basename(a) for a in argv] or list(SCENES)
    failed = False
    for name in names:
        path = os.path.join(LOC, name)
        if not os.path.exists(path):
            print(f"{name}: MISSING")
            failed = True
            continue
        errors = check_scene(name, render(path))
        bg = os.path.join(LOC, BACKGROUNDS[name])
        problem = opaque_problem(bg) if os.path.exists(bg) else "background missing"
        if problem:
            errors.append(f"{BACKGROUNDS[name]}: {problem}")
        print(f"{name}: {'ok' if not errors else 'FAIL'}")
        for e in errors:
            print("   ", e)
        failed |= bool(errors)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
