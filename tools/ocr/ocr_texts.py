#!/usr/bin/env python3
"""Reads the game's texts back by OCR, over their scenes at the places the game draws them.

Plays one replay script through every scene (labels, answers, conversations, the choice panel, the
inventory panel), photographs each text with vudizid-replay, cuts the text's box out of the picture,
enlarges it and hands it to tesseract. Prints one line per text and how many came back exactly, read
twice: as drawn over the scene, and from the font's ink colours alone (black on white), which tells the
glyph shapes apart from the ground they stand on.

    tools/ocr/ocr_texts.py [--build DIR] [--replay BIN] [--scale N] [--keep DIR] [--unmoved]

--build   the folder holding images/ (default: build); the game runs there
--replay  the replay program (default: BUILD/vudizid-replay)
--scale   enlargement before OCR, pixel for pixel (default 2)
--keep    keep the screenshots and the cut-out boxes in DIR
--unmoved cut at the tables' positions even where a text runs past the right edge, for a game from
          before answers and labels were kept on the screen

Needs tesseract (Debian: tesseract-ocr) and ImageMagick's convert.
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCREEN_W, SCREEN_H = 1024, 768
LINE_HEIGHT, SPACE, CENTRING = 18, 10, 11
EDGE_GAP = 4  # how far inside the right edge a moved text ends, as in src/platform/text.cpp


def glyph_table():
    """byte -> (rectangle width, advance), read from the game's own glyph table."""
    text = open(os.path.join(ROOT, "src/platform/glyphs.cpp"), encoding="utf-8").read()
    table = {}
    for m in re.finditer(r"\{0x([0-9A-F]{2}),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)\}", text):
        byte, left, _top, right, _bottom, advance = (int(m.group(1), 16),) + tuple(int(g) for g in m.groups()[1:])
        table[byte] = (right - left, advance)
    return table


GLYPHS = glyph_table()


def ink_colours():
    """The two fonts' ink as the screenshots show it: RGB565 widened back to 8 bits a channel."""
    text = open(os.path.join(ROOT, "tools/picbuild/main.cpp"), encoding="utf-8").read()
    colours = []
    for rgb in re.findall(r"kFont[01]Ink = 0x([0-9a-fA-F]{6})", text):
        r, g, b = (int(rgb[i:i + 2], 16) for i in (0, 2, 4))
        r5, g6, b5 = (r * 31 + 127) // 255, (g * 63 + 127) // 255, (b * 31 + 127) // 255
        colours.append("#%02X%02X%02X" % ((r5 * 255 + 15) // 31, (g6 * 255 + 31) // 63, (b5 * 255 + 15) // 31))
    return colours


def text_width(text, multi):
    pen = width = 0
    for ch in text.encode("cp1252"):
        if ch in GLYPHS:
            width = max(width, pen + GLYPHS[ch][0])
            pen += GLYPHS[ch][1]
        elif ch == ord(" ") or (ch == ord("#") and not multi):
            pen += SPACE
        elif ch == ord("#"):
            pen = 0
    return width


class Sample:
    def __init__(self, name, text, x, y, multi, kind, scene, centred=False, moves=False):
        self.name, self.text, self.x, self.y, self.multi = name, text, x, y, multi
        self.kind, self.scene, self.centred, self.moves = kind, scene, centred, moves

    def box(self, unmoved):
        width = text_width(self.text, self.multi)
        left = self.x - (len(self.text.encode("cp1252")) * CENTRING) // 2 if self.centred else self.x
        if self.moves and not unmoved and left + width > SCREEN_W:
            left = max(0, SCREEN_W - EDGE_GAP - width)
        lines = self.text.count("#") + 1 if self.multi else 1
        pad = 4
        return (max(0, left - pad), max(0, self.y - pad),
                min(SCREEN_W, left + width + pad), min(SCREEN_H, self.y + (lines - 1) * LINE_HEIGHT + 20 + pad))

    def expected(self):
        return " ".join(self.text.replace("#", " ").split())


class Route:
    """The replay script, with the verb on the cursor kept track of."""

    VERBS = {"walk": 0, "take": 1, "look": 2, "talk": 3}

    def __init__(self):
        self.lines = []
        self.samples = []
        self.checks = []  # what the state must show at each photograph
        self.verb = 0
        self.scene = ""

    def do(self, *lines):
        self.lines.extend(lines)

    def use(self, verb):
        for _ in range((self.VERBS[verb] - self.verb) % 4):
            self.do("rclick")
        self.verb = self.VERBS[verb]

    def shot(self, sample, state, location):
        self.samples.append(sample)
        self.checks.append((state, location))
        self.do("shot %s" % sample.name, "state")

    def label(self, name, text, x, y, at, location, multi=False):
        self.do("move %d %d" % at, "wait 1")
        self.shot(Sample(name, text, x, y, multi, "label", self.scene, moves=True), 4, location)

    def answer(self, verb, name, text, x, y, at, location, multi=True):
        self.use(verb)
        self.do("click %d %d" % at, "wait 1")
        self.shot(Sample(name, text, x, y, multi, "answer", self.scene, moves=True), 4, location)
        self.do("click")  # the click that ends the answer

    def talk(self, person_at, location, menu, steps, x, y):
        """menu: the choice lines shown; steps: (choice index, [(line, multi)...]) played in order."""
        self.use("talk")
        self.do("click %d %d" % person_at, "wait 150")
        self.verb = 0  # a conversation puts the walk verb back on the cursor
        shown = list(menu)
        for step, (choice, lines, after) in enumerate(steps):
            row = shown.index(choice)
            self.do("move 900 %d" % (610 + 30 * row + 10), "wait 1")  # the pointer clear of the text
            for k, text in enumerate(shown):
                font = "font1" if k == row else "font0"
                self.shot(Sample("%s-menu%d-%s-%d" % (self.scene, step, font, k), text, 20, 610 + 30 * k, False,
                                 "choice " + font, self.scene), 5, location)
            self.do("click", "wait 3")
            for k, (text, multi) in enumerate(lines):
                if k > 0:
                    self.do("click", "wait 3")
                self.shot(Sample("%s-%s-line%d" % (self.scene, re.sub(r"\W", "", choice)[:12], k), text, x, y, multi,
                                 "dialogue", self.scene), 5, location)
            self.do("click", "wait 3")
            shown = after
        self.do("wait 5")


def build_route():
    r = Route()
    r.do("click 500 430")  # start

    r.scene = "ship"
    # the chainsaw in the wreck: the scene's own remark
    r.use("look")
    r.do("click 180 370", "wait 80")
    r.shot(Sample("ship-find", "There is a chainsaw in it.#I'll take it with me.", 420, 340, True, "scene", r.scene),
           12, 0)
    r.do("wait 120")
    r.label("ship-label-ship", "a ship", 420, 340, (180, 370), 0)
    r.label("ship-label-plant", "a plant", 760, 390, (840, 520), 0)
    r.label("ship-label-ocean", "the ocean", 260, 630, (220, 717), 0)
    r.answer("look", "ship-look-plant", "The root can be used#as a sleeping pill", 760, 390, (840, 520), 0)
    r.answer("look", "ship-look-ocean", "The ocean - tons of water", 260, 630, (220, 717), 0)
    r.answer("talk", "ship-talk-ocean", "I can't drink that", 260, 630, (220, 717), 0)
    r.answer("take", "ship-take-ocean", "I can't swim", 260, 630, (220, 717), 0)
    r.do("click 970 630", "wait 2")

    r.scene = "bar"
    r.label("bar-label-plant", "a plant", 50, 370, (100, 470), 1)
    r.label("bar-label-sugar", "sugar", 800, 450, (840, 527), 1)
    r.label("bar-label-kai", "Kai", 500, 200, (560, 300), 1, multi=True)
    r.answer("look", "bar-look-sugar", "always nice to have", 800, 450, (840, 527), 1)
    r.answer("look", "bar-look-kai", "Kai the barkeeper", 500, 200, (560, 300), 1)
    r.answer("look", "bar-look-plant", "A plant with slippery leaves", 50, 370, (100, 470), 1)
    r.answer("talk", "bar-talk-sugar", "Sugar is bad for#the teeth", 800, 450, (840, 527), 1)
    # the chainsaw on the sugar: an answer that would run past the right edge
    r.use("take")
    r.do("move 500 17", "wait 1", "click 150 150", "click 690 600", "wait 1", "click 840 527", "wait 1")
    r.shot(Sample("bar-use-chainsaw", "I don't want to saw that", 800, 450, False, "answer", r.scene, moves=True), 4, 1)
    r.do("click", "rclick")  # the answer ends, the chainsaw goes back to the pockets
    r.talk((560, 300), 1, ["Hello", "I'm stranded on the island", "See you later"], [
        ("Hello", [("Hello", True), ("Hello stranger.", True), ("What brings you to my little bar?", True)],
         ["Hello", "I'm stranded on the island", "See you later"]),
        ("I'm stranded on the island", [("I'm stranded on the island", True), ("You are a lucky person!", True),
                                        ("Every new guy on the island gets one drink for free.", True)],
         ["Hello", "See you later"]),
        ("See you later", [("See you later", True), ("Don't forget!", True),
                           ("It's always the right time for a drink at Kai's.", True)], []),
    ], 300, 200)
    r.use("take")
    r.do("click 840 527", "wait 120")  # the sugar goes into the pockets
    r.do("click 50 720", "wait 2", "click 695 330", "wait 2")

    r.scene = "village"
    r.label("village-label-plant", "a plant", 550, 425, (490, 450), 4)
    r.label("village-label-raft", "a raft", 580, 250, (680, 330), 4)
    r.label("village-label-native", "a native", 760, 235, (850, 400), 4, multi=True)
    r.answer("look", "village-look-raft", "a small raft", 580, 250, (680, 330), 4)
    r.answer("look", "village-look-native", "A resident of the isle", 760, 235, (850, 400), 4)
    r.answer("look", "village-look-plant", "It has solid leaves", 550, 425, (490, 450), 4)
    r.answer("take", "village-take-raft", "Better ask for it", 580, 250, (680, 330), 4)
    r.answer("take", "village-take-native", "Na Na", 760, 235, (850, 400), 4)
    r.talk((850, 400), 4, ["Hi Baby!", "I'm stranded on this island and want#to get away.", "Goodbye"], [
        ("Hi Baby!", [("Hi Baby!", True), ("Oh no, a macho again.", True), ("Ah shit", True)],
         ["Hi Baby!", "I'm stranded on this island and want#to get away.", "Goodbye"]),
        ("I'm stranded on this island and want#to get away.",
         [("I'm stranded on this island and want#to get away.", True),
          ("I'll give you the raft, if you do me a favour.", True)],
         ["Hi Baby!", "What favour?", "Goodbye"]),
        ("What favour?", [("What favour?", True), ("Our coconut picker is ill.", True),
                          ("Bring me a coconut and i'll give you the raft.", True)],
         ["Hi Baby!", "What favour?", "Goodbye"]),
        ("Goodbye", [("Goodbye", True), ("Bye Bye", True)], []),
    ], 500, 200)
    # the sugar for the native woman: the answer the issue saw cut off at the right edge
    r.use("take")
    r.do("move 500 17", "wait 1", "move 250 150", "wait 1")
    r.shot(Sample("inventory-label-sugar", "sugar", 512, 520, False, "inventory", "inventory", centred=True), 7, 4)
    r.do("click 250 150", "click 690 600", "wait 1", "click 850 400", "wait 1")
    r.shot(Sample("village-give-sugar", "That doesn't have to be sweet", 760, 235, False, "answer", r.scene,
                  moves=True), 4, 4)
    r.do("click", "rclick")
    r.do("click 650 710", "wait 2", "click 970 630", "wait 2", "click 270 340", "wait 2")

    r.scene = "jungle"
    r.label("jungle-label-liane", "a liane", 330, 250, (350, 150), 5)
    r.label("jungle-label-monkey", "a monkey", 500, 370, (546, 460), 5)
    r.answer("look", "jungle-look-monkey", "There is a monkey in every adventure game", 500, 370, (546, 460), 5)
    r.answer("look", "jungle-look-liane", "a long liane", 330, 250, (350, 150), 5)
    r.answer("talk", "jungle-talk-monkey", "Animals cannot speak", 500, 370, (546, 460), 5)
    r.do("click 200 720", "wait 2", "click 980 620", "wait 2")

    r.scene = "palm"
    r.label("palm-label-coconut", "a coconut", 260, 370, (260, 260), 2)
    r.label("palm-label-bottle", "a bottle", 640, 490, (590, 530), 2)
    r.answer("look", "palm-look-coconut", "a giant coconut", 260, 370, (260, 260), 2)
    r.answer("look", "palm-look-bottle", "an empty bottle", 640, 490, (590, 530), 2)
    r.answer("talk", "palm-talk-bottle", "It's empty", 640, 490, (590, 530), 2)
    r.answer("take", "palm-take-coconut", "I can't reach it", 260, 370, (260, 260), 2)
    r.do("click 490 360", "wait 2")

    r.scene = "holes"
    r.label("holes-label-jim", "Jim", 180, 230, (268, 400), 6, multi=True)
    r.answer("look", "holes-look-jim", "A silly person", 180, 230, (268, 400), 6)
    r.answer("take", "holes-take-jim", "I won't touch him", 180, 230, (268, 400), 6)
    jim = ["Hello", "Can I borrow the spade?", "Why don't you dig at the X?", "I'll leave you alone."]
    # asking for the spade puts "What treasure?" in its place
    jim2 = ["Hello", "What treasure?", "Why don't you dig at the X?", "I'll leave you alone."]
    r.talk((268, 400), 6, jim, [
        ("Hello", [("Hello", True), ("What do you want? I'm busy.", True)], jim),
        ("Can I borrow the spade?", [("Can I borrow the spade?", True),
                                     ("You only want to steal my treasure.", True)], jim2),
        ("What treasure?", [("What treasure?", True), ("I won't tell you.", True),
                            ("Perhabs if you bring me a drink.", True),
                            ("But no drink from Kai - the drinks#there are terrible.", True)], jim2),
        ("Why don't you dig at the X?", [("Why don't you dig at the X?", True),
                                         ("It's only the X for the helicopter#landing place.", True),
                                         ("Alright...", True)], jim2),
        ("I'll leave you alone.", [("I'll leave you alone.", True), ("At last.", True)], []),
    ], 60, 200)
    return r


def similarity(got, want):
    """1 - edit distance / length: how much of a text came back, for texts not read exactly."""
    row = list(range(len(want) + 1))
    for i, a in enumerate(got, 1):
        prev, row[0] = row[0], i
        for j, b in enumerate(want, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (a != b))
    return max(0.0, 1.0 - row[len(want)] / max(1, len(want)))


def ocr(png, multi):
    psm = "6" if multi else "7"
    out = subprocess.run(["tesseract", png, "-", "--psm", psm, "-l", "eng"], capture_output=True, text=True)
    return " ".join(out.stdout.split())


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--replay")
    ap.add_argument("--scale", type=int, default=2)
    ap.add_argument("--keep")
    ap.add_argument("--unmoved", action="store_true")
    args = ap.parse_args()
    replay = args.replay or os.path.join(args.build, "vudizid-replay")
    for tool in ("tesseract", "convert"):
        if shutil.which(tool) is None:
            sys.exit("ocr_texts: %s is not installed" % tool)

    route = build_route()
    work = args.keep or tempfile.mkdtemp(prefix="vz-ocr-")
    os.makedirs(work, exist_ok=True)
    script = os.path.join(work, "route.txt")
    with open(script, "w") as f:
        f.write("\n".join(route.lines) + "\n")
    run = subprocess.run([os.path.abspath(replay), "--shots", os.path.abspath(work), script],
                         cwd=args.build, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("ocr_texts: the replay failed:\n" + run.stderr)
    states = [json.loads(line) for line in run.stdout.splitlines() if line.startswith("{")]
    if len(states) != len(route.samples):
        sys.exit("ocr_texts: %d photographs, %d states" % (len(route.samples), len(states)))

    inks = ink_colours()
    key = ["-fill", "black"]
    for colour in inks:
        key += ["-opaque", colour]
    key += ["-fill", "white", "+opaque", "black"]
    totals = [0, 0]
    chars = [0.0, 0.0]
    by_kind = {}
    for sample, (state, location), seen in zip(route.samples, route.checks, states):
        if seen["state"] != state or seen["location"] != location:
            sys.exit("ocr_texts: the route went astray at %s: state %d location %d" %
                     (sample.name, seen["state"], seen["location"]))
        box = sample.box(args.unmoved)
        cut = ["convert", os.path.join(work, sample.name + ".png"),
               "-crop", "%dx%d+%d+%d" % (box[2] - box[0], box[3] - box[1], box[0], box[1]), "+repage"]
        scale = ["-scale", "%d%%" % (100 * args.scale)]
        drawn, ink = (os.path.join(work, sample.name + suffix) for suffix in ("-box.png", "-ink.png"))
        subprocess.run(cut + scale + [drawn], check=True)
        subprocess.run(cut + key + scale + [ink], check=True)
        got = [ocr(drawn, sample.multi), ocr(ink, sample.multi)]
        ok = [g == sample.expected() for g in got]
        k = by_kind.setdefault(sample.kind, [0, 0, 0])
        for i in (0, 1):
            chars[i] += similarity(got[i], sample.expected())
            totals[i] += ok[i]
            k[i] += ok[i]
        k[2] += 1
        print("%s %s %-34s %-52s %s" % ("ok  " if ok[0] else "MISS", "ok  " if ok[1] else "MISS", sample.name,
                                        json.dumps(sample.expected()), "" if ok[0] else json.dumps(got[0])))
    print("\n  %-14s %-8s %s" % ("", "drawn", "ink only"))
    for kind, (drawn_ok, ink_ok, total) in sorted(by_kind.items()):
        print("  %-14s %2d of %2d  %2d of %2d" % (kind, drawn_ok, total, ink_ok, total))
    n = len(route.samples)
    print("read back exactly: %d of %d as drawn, %d of %d from the ink alone" % (totals[0], n, totals[1], n))
    print("characters right:  %.0f%% as drawn, %.0f%% from the ink alone" % (100 * chars[0] / n, 100 * chars[1] / n))
    if not args.keep:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
