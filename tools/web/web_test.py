#!/usr/bin/env python3
"""The web build played in headless Chromium: python3 tools/web/web_test.py ROOT [--shot PNG] [--shots DIR]
[--touch-shots DIR].

ROOT holds build/ (the native build, for the replay tool's reference frame) and build-web/ (the
page, built by ./web). The page is served on 127.0.0.1 and played with real mouse events: the title
screen must equal the headless frame; Start, the way to the bar, the sugar taken and saved with the
inventory's button; after a reload Load brings back the state of the save; a damaged save gets the
game's notice on the page and stays as it was; and no error reaches the browser's console. The sound:
no audio before the first click, the title's piece heard after it, the header's button and M mute it
and bring it back, the choice outlives a reload; and on a copy of the page whose sound files are
missing, damaged or empty, the game plays on as before, silent for those sounds only. The game is
also played by touch alone on a phone and a tablet (touch_test.py), and then the page around the
game is tried (tools/web/page_tests.py); --shots keeps its screenshots in DIR, --touch-shots those
of the touch controls.
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium, ProtocolError, decode_png  # noqa: E402
import touch_test  # noqa: E402

# The fields of the state a saved game brings back.
SAVED = ["state", "location", "carried", "inScene", "takeable", "sceneScript", "present", "available",
         "raftComboItem", "noRaftMessageItem"]
SAVED_HERO = ["x", "y", "facing"]
DAMAGED_NOTICE = "The saved game is damaged"


class Failure(Exception):
    pass


# Run as a program this file is also the module web_test that page_tests.py imports: one Failure.
if __name__ == "__main__":
    sys.modules.setdefault("web_test", sys.modules[__name__])


def passed(what):
    print(f"ok: {what}", flush=True)


def check(condition, what):
    if not condition:
        raise Failure(what)
    passed(what)


def serve(folder, log=None):
    """tools/web/serve.py on a free port for the folder (logging its answers into `log` when given)."""
    server = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(__file__), "serve.py"), folder, "0",
                               *(["--log", log] if log else [])], stdout=subprocess.PIPE, text=True)
    line = server.stdout.readline()
    if "http://" not in line:
        server.kill()
        raise Failure("the server did not start")
    return server, line.split()[-1]


def reference_title(root):
    """The title screen as the headless game draws it after a few frames, pointer untouched."""
    with tempfile.TemporaryDirectory(prefix="vz-webtest-") as folder:
        script = os.path.join(folder, "title.txt")
        with open(script, "w") as f:
            f.write("wait 10\nshot title\n")
        build = os.path.join(root, "build")
        subprocess.run([os.path.join(build, "vudizid-replay"), "--shots", folder, script], cwd=build, check=True)
        with open(os.path.join(folder, "title.png"), "rb") as f:
            return decode_png(f.read())


def canvas_pixels(browser):
    """The canvas's pixels as red, green, blue, alpha bytes, row after row."""
    data = browser.evaluate("""(() => {
        const c = document.getElementById('canvas');
        const bytes = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let text = '';
        for (let i = 0; i < bytes.length; i += 32768)
            text += String.fromCharCode.apply(null, bytes.subarray(i, i + 32768));
        return [c.width, c.height, btoa(text)];
    })()""")
    return data[0], data[1], base64.b64decode(data[2])


def compare_title(browser, reference):
    width, height, channels, rows = reference
    cw, ch, pixels = canvas_pixels(browser)
    check((cw, ch) == (width, height) == (1024, 768), "the canvas holds the whole 1024 x 768 frame")
    far, off565 = 0, 0
    for y in range(height):
        row = rows[y]
        line = pixels[y * width * 4:(y + 1) * width * 4]
        for x in range(0, width * 3, 3):
            i = x // 3 * 4
            for c in range(3):
                a, b = row[x + c], line[i + c]
                if a != b:
                    far = max(far, abs(a - b))
                    # Both ways of widening 565 to 8 bits keep the original bits on top.
                    bits = 6 if c == 1 else 5
                    if a >> (8 - bits) != b >> (8 - bits):
                        off565 += 1
    check(off565 == 0, "the canvas shows the headless title frame's 565 colours exactly")
    check(far <= 1, f"and within one level per channel in 8 bits (largest difference {far})")


# How the page lays the game out in its stage, or false when it does not as it should: the largest
# 4:3 canvas that fits; shown smaller than 1:1, the captions beside or below it (never over it) at
# 16 CSS pixels or more, taking the rest of the stage; at 1:1 or more, the captions only for
# screen readers. Crisp (pixelated) exactly when the canvas is enlarged on the device's pixels.
LAYOUT = """(() => {
    const box = (id) => document.getElementById(id).getBoundingClientRect();
    const c = box('canvas'), s = box('stage'), t = box('captions');
    const captions = document.getElementById('captions');
    const near = (a, b) => Math.abs(a - b) <= 1.5;
    if (Math.abs(c.width * 3 - c.height * 4) > 4) return false;
    if (c.left < s.left - 0.5 || c.right > s.right + 0.5 || c.top < s.top - 0.5 || c.bottom > s.bottom + 0.5)
        return false;
    const crisp = getComputedStyle(document.getElementById('canvas')).imageRendering === 'pixelated';
    if (crisp !== (c.width * devicePixelRatio >= 1024)) return false;
    const size = parseFloat(getComputedStyle(captions).fontSize);
    if (c.width >= 1024) {
        if (!(near(c.width, s.width) || near(c.height, s.height))) return false;
        if (t.width > 2 || t.height > 2) return false;
        return `canvas ${Math.round(c.width)} x ${Math.round(c.height)}, captions for screen readers only`;
    }
    if (size < 16) return false;
    const below = near(t.top, c.bottom) && near(t.bottom, s.bottom) && near(t.width, s.width);
    const beside = near(t.left, c.right) && near(t.right, s.right) && near(t.height, s.height);
    // As large as the room the captions leave: it meets the stage's edges one way.
    const largest = near(c.width, s.width - (beside ? t.width : 0)) || near(c.height, s.height - (below ? t.height : 0));
    if (!(below || beside) || !largest) return false;
    return `canvas ${Math.round(c.width)} x ${Math.round(c.height)}, captions ${below ? 'below' : 'beside'} ` +
           `${Math.round(t.width)} x ${Math.round(t.height)} at ${size} px`;
})()"""


class Page:
    """The game's page, with the pointer put on game pixels through the canvas's place and size."""

    def __init__(self, browser, url):
        self.browser, self.url = browser, url

    def load(self):
        self.browser.navigate(self.url)
        self.browser.wait_for("window.vudizid && vudizid.firstFrameAt !== null && vudizid.state().frame >= 3",
                              timeout=60, what="the first frames of the title screen")

    def state(self):
        return self.browser.evaluate("vudizid.state()")

    def wait(self, condition, what, timeout=30):
        return self.browser.wait_for(f"(s => {condition})(vudizid.state())", timeout=timeout, what=what)

    def at(self, gx, gy):
        r = self.browser.evaluate("(() => { const r = document.getElementById('canvas')"
                                  ".getBoundingClientRect(); return [r.left, r.top, r.width, r.height]; })()")
        return r[0] + (gx + 0.5) * r[2] / 1024, r[1] + (gy + 0.5) * r[3] / 768

    def move(self, gx, gy):
        self.browser.mouse("mouseMoved", *self.at(gx, gy))

    def click(self, gx, gy, button="left"):
        # As a hand does: the pointer comes to rest before the press (the game takes a click in
        # the frame's order, before it looks at what the pointer arrived over).
        self.move(gx, gy)
        self.frames(2)
        self.browser.click(*self.at(gx, gy), button)
        # Clicks come at least five frames apart, or the game takes the second for a held button.
        time.sleep(0.25)

    def to_the_sugar(self, what=""):
        """From the title: Start, the walk to the bar, and the Take verb over the sugar."""
        self.click(500, 430)
        self.wait("s.state === 4 && s.location === 0", "Start: the ship's beach" + what, timeout=60)
        self.frames(5)  # the game's five frames between two clicks
        self.click(970, 630)
        self.wait("s.location === 1 && s.state === 4", "the walk to the bar")
        self.click(840, 527, "right")
        self.wait("s.verb === 1", "the Take verb")

    def frames(self, count):
        start = self.state()["frame"]
        self.wait(f"s.frame >= {start + count}", f"{count} frames")


def saved_part(state):
    part = {k: state[k] for k in SAVED}
    part["hero"] = {k: state["hero"][k] for k in SAVED_HERO}
    return part


def play(browser, url, reference, shot):
    page = Page(browser, url)
    page.load()
    check(page.state()["state"] == 0, "the page shows the title screen")
    compare_title(browser, reference)
    check(browser.evaluate("document.querySelector('link[rel=icon]').href.startsWith('data:image/png')"),
          "the game's icon became the page's")

    page.to_the_sugar()
    if shot:
        page.frames(3)
        browser.screenshot(shot)
        print(f"screenshot: {shot}")
    page.click(840, 527)
    page.wait("s.carried[2] === 1 && s.state === 4", "the sugar taken", timeout=40)
    passed("Start, the way to the bar and the sugar, with real mouse events")

    # The game's own keys: H a hint; Tab the pointer onto the first thing of the scene (the
    # jungle's exit), where it stays while the mouse rests, and the keyboard stays with the game.
    browser.key("h", "KeyH", 72)
    page.wait("s.hint.level === 1 && s.hint.text.length > 0", "a hint from H")
    browser.key("Tab", "Tab", 9)
    page.wait("s.mouse[0] === 270 && s.mouse[1] === 345", "Tab onto the jungle's exit")
    page.frames(3)
    check(page.state()["mouse"] == [270, 345], "the pointer stays where Tab put it")
    check(browser.evaluate("document.activeElement === document.getElementById('canvas')"),
          "Tab stays inside the game")
    browser.key("t", "KeyT", 84)
    page.wait("s.textPace === 1", "the next text pace from T")
    check(browser.evaluate("localStorage.getItem('vudizid.textpace')") == "1.5x",
          "the text pace is kept in the browser's storage")
    passed("H, Tab and T on the page")

    page.move(500, 17)
    page.wait("s.state === 7", "the inventory")
    page.click(290, 600)
    at_save = page.wait("s.state === 4 && s", "the save")
    browser.wait_for("vudizid.saveKept() && Module.vzStore.kept >= 1", what="the save kept in the browser")
    kept = browser.evaluate("Array.from(Module.FS.readFile('/store/images/outro.sbf'))")
    check(len(kept) == 420, "the save is one 420-byte file in the browser's store")

    page.load()
    check(page.state()["state"] == 0, "after a reload the title screen again")
    check(page.state()["textPace"] == 1, "and the text pace as it was chosen")
    page.click(500, 530)
    loaded = page.wait("s.state === 4 && s", "Load")
    check(saved_part(loaded) == saved_part(at_save), "Load brings back the state of the save")

    # A damaged save: the game's notice on the page, and the file left for the player.
    browser.evaluate("""(() => {
        Module.FS.writeFile('/store/images/outro.sbf', new Uint8Array(17));
        Module.vzStore.keep('/store/images/outro.sbf');
    })()""")
    browser.wait_for("vudizid.saveKept()", what="the damaged save kept in the browser")
    page.load()
    page.click(500, 530)
    browser.wait_for("!document.getElementById('notice').hidden", what="the notice")
    text = browser.evaluate("document.getElementById('notice-text').textContent")
    check(text == DAMAGED_NOTICE, f"a damaged save is named on the page: \"{text}\"")
    frame = page.state()["frame"]
    time.sleep(0.4)
    check(page.state()["frame"] == frame, "no frame runs while the notice stands")
    ok = browser.evaluate("(() => { const r = document.getElementById('notice-ok').getBoundingClientRect();"
                          " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
    browser.click(*ok)
    page.wait("s.state === 4 && s.location === 0", "a new game after the notice")
    check(browser.evaluate("Module.FS.readFile('/store/images/outro.sbf').length") == 17,
          "the damaged save stays as it was")

    # Full screen from the page's button; Escape there only leaves full screen, and then ends the game.
    button = browser.evaluate("(() => { const r = document.getElementById('fullscreen').getBoundingClientRect();"
                              " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
    browser.click(*button)
    check(browser.wait_for("document.fullscreenElement && document.fullscreenElement.id === 'stage'",
                           what="full screen"), "the page's button puts the game into full screen")
    # The page fits the canvas anew once the screen has changed.
    shown = browser.wait_for(f"innerHeight === document.getElementById('stage').clientHeight && ({LAYOUT})",
                             what="the game and its captions filling the screen")
    passed(f"in full screen the game fills the screen at 4:3: {shown}")
    browser.key("Escape", "Escape", 27)
    browser.wait_for("!document.fullscreenElement", what="the end of full screen")
    page.frames(3)
    check(page.state()["quit"] is False, "Escape in full screen leaves full screen, and the game goes on")
    browser.key("Escape", "Escape", 27)
    browser.wait_for("!document.getElementById('ended').hidden", what="the end of the game")
    check(page.state()["quit"] is True, "Escape ends the game and the page says so")


HEARD = 0.005     # the level (RMS of full scale) above which the page is heard
SILENT = 0.0005   # and below which it is silent


def sound(browser, url):
    page = Page(browser, url)
    page.load()
    check(page.browser.evaluate("vudizid.sound().state") == "none", "no audio before the player's first click")
    page.click(120, 120)  # on the title's picture, beside its buttons
    heard = browser.wait_for(f"(s => s.state === 'running' && s.music === 'music_title' && s.level > {HEARD} && s)"
                             "(vudizid.sound())", what="the title's piece after the first click")
    passed(f"after the first click the page's audio is running, the title's piece heard (level {heard['level']:.3f})")

    def mute_button():
        r = browser.evaluate("(() => { const r = document.getElementById('mute').getBoundingClientRect();"
                             " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
        browser.click(*r)

    mute_button()
    browser.wait_for(f"(s => s.muted && s.level < {SILENT})(vudizid.sound())", what="silence after the mute button")
    check(browser.evaluate("document.getElementById('mute').getAttribute('aria-pressed')") == "true",
          "the header's mute button silences the page and shows itself pressed")
    mute_button()
    browser.wait_for(f"(s => !s.muted && s.level > {HEARD})(vudizid.sound())", what="the sound back")
    passed("pressed again, it brings the sound back")
    # The tab hidden (as the browser tells the page): silent, the sound's clock standing still; shown
    # again, heard from where it was.
    hide = ("(hidden => { Object.defineProperty(document, 'hidden', {configurable: true, get: () => hidden});"
            " document.dispatchEvent(new Event('visibilitychange')); })")
    browser.evaluate(f"{hide}(true)")
    browser.wait_for(f"(s => s.state === 'suspended' && s.level < {SILENT})(vudizid.sound())",
                     what="silence while the tab is hidden")
    clock = browser.evaluate("vudizid.sound().time")
    time.sleep(1)
    check(browser.evaluate("vudizid.sound().time") == clock, "a hidden tab is silent and its sound stands still")
    browser.evaluate(f"{hide}(false)")
    browser.wait_for(f"(s => s.state === 'running' && s.level > {HEARD} && s.time < {clock} + 1)(vudizid.sound())",
                     what="the sound back once the tab shows")
    passed("shown again, the sound goes on from where it was")
    browser.key("m", "KeyM", 77)
    browser.wait_for(f"(s => s.muted && s.level < {SILENT})(vudizid.sound())", what="silence after M")
    passed("M on the canvas mutes too")
    page.load()
    check(browser.evaluate("vudizid.sound().muted") is True, "the choice is kept in the browser over a reload")
    browser.key("m", "KeyM", 77)
    browser.wait_for(f"(s => !s.muted && s.state === 'running' && s.level > {HEARD})(vudizid.sound())",
                     what="the sound after M, as the first key")
    passed("M as the first key starts the audio and unmutes it")


def broken_sounds(browser, web):
    """A copy of the page whose title piece is missing, beach piece empty and take cue not Ogg."""
    folder = tempfile.mkdtemp(prefix="vz-websound-")
    try:
        for name in os.listdir(web):
            if name != "sounds":
                os.symlink(os.path.join(web, name), os.path.join(folder, name))
        os.mkdir(os.path.join(folder, "sounds"))
        for name in os.listdir(os.path.join(web, "sounds")):
            os.symlink(os.path.join(web, "sounds", name), os.path.join(folder, "sounds", name))
        os.remove(os.path.join(folder, "sounds", "music_title.ogg"))
        for name, body in (("music_beach.ogg", b""), ("sfx_take.ogg", b"OggS not really" * 50)):
            os.remove(os.path.join(folder, "sounds", name))
            with open(os.path.join(folder, "sounds", name), "wb") as f:
                f.write(body)
        server, url = serve(folder)
        try:
            page = Page(browser, url)
            before = len(browser.errors())
            page.load()
            page.click(120, 120)
            browser.wait_for("vudizid.sound().state === 'running'", what="the audio after the first click")
            page.to_the_sugar(", with its piece empty")
            page.click(840, 527)
            page.wait("s.carried[2] === 1 && s.state === 4", "the sugar taken, its cue damaged", timeout=40)
            report = browser.wait_for("(s => s.unplayable.length >= 3 && s)(vudizid.sound())",
                                      what="the three files named")
            check(sorted(report["unplayable"]) == ["music_beach", "music_title", "sfx_take"],
                  f"missing, empty and damaged sound files are named, once each: {report['unplayable']}")
            errors = browser.errors()[before:]
            check(all("music_title.ogg" in e for e in errors),
                  "the page reports nothing else than the missing file's failed request")
            passed("a sound file that fails to load, or is damaged, changes nothing else: the game plays on")
        finally:
            server.kill()
            server.wait()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__, file=sys.stderr)
        return 2
    root, shot, shots, touch_shots = args[0], None, None, None
    if "--shot" in args:
        shot = os.path.abspath(args[args.index("--shot") + 1])
    if "--shots" in args:
        shots = os.path.abspath(args[args.index("--shots") + 1])
        os.makedirs(shots, exist_ok=True)
    if "--touch-shots" in args:
        touch_shots = os.path.abspath(args[args.index("--touch-shots") + 1])
        os.makedirs(touch_shots, exist_ok=True)
    web = os.path.join(root, "build-web", "site")
    if not os.path.isfile(os.path.join(web, "index.html")):
        print("web_test: build the page first (./web)", file=sys.stderr)
        return 1
    reference = reference_title(root)
    server, url = serve(web)
    browser = Chromium(1280, 1024)
    try:
        browser.open_page()
        play(browser, url, reference, shot)
        sound(browser, url)
        touch_test.play(browser, Page(browser, url), check, touch_shots)
        import page_tests
        page_tests.run(root, browser, url, shots)
        errors = browser.errors()
        if os.path.isdir(os.path.join(web, "sounds")) and os.listdir(os.path.join(web, "sounds")):
            broken_sounds(browser, web)
        else:
            raise Failure("the page has no sounds (build-web/sounds is empty)")
        for e in errors:
            print("  " + e)
        check(not errors, "no error reached the browser's console")
    except (Failure, TimeoutError, ProtocolError) as e:
        print(f"FAILED: {e}", file=sys.stderr)
        for e in browser.errors():
            print("  " + e, file=sys.stderr)
        return 1
    finally:
        browser.close()
        server.kill()
        server.wait()
    print("web test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
