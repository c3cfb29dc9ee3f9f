"""The page around the game, played in headless Chromium (part of tools/web/web_test.py): saves the
browser refuses, the save as a file downloaded and uploaded, a new build taking over, offline play,
a hidden tab, Space, and the layout on a phone, a tablet and a desktop with the captions of the
game's texts.
"""
import base64
import gzip
import os
import shutil
import tempfile
import time

from chromium import Chromium
from web_test import DAMAGED_NOTICE, LAYOUT, Failure, Page, check, passed, saved_part, serve

# A save refused for lack of room: the notice names it (the rest depends on an earlier save).
REFUSED = "did not keep this save: it has no room left"
# The screens the layout is tried on: CSS pixels, device pixels per CSS pixel, a phone's touch.
SCREENS = [
    ("phone-portrait", 390, 844, 3, True),
    ("phone-landscape", 844, 390, 3, True),
    ("tablet-portrait", 820, 1180, 2, True),
    ("tablet-landscape", 1180, 820, 2, True),
    ("desktop-800x500", 800, 500, 1, False),
    ("desktop-1920x1080", 1920, 1080, 1, False),
]


def notice(browser, timeout=30):
    """The text of the notice that stands on the page, once it does."""
    browser.wait_for("!document.getElementById('notice').hidden", timeout=timeout, what="a notice")
    return browser.evaluate("document.getElementById('notice-text').textContent")


def press(browser, selector):
    """A real click in the middle of a page element."""
    at = browser.evaluate(f"(() => {{ const r = document.querySelector({selector!r}).getBoundingClientRect();"
                          " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
    browser.click(*at)


def close_notice(browser, page):
    press(browser, "#notice-ok")
    browser.wait_for("document.getElementById('notice').hidden", what="the notice closed")
    page.frames(2)


def start(page):
    """The title's Start, and the ship's scene once its pictures are there. The game counts the
    five frames between two clicks in play, so those pass too."""
    page.click(500, 430)
    page.wait("s.state === 4 && s.location === 0", "Start", timeout=60)
    page.frames(5)


def save_from_inventory(page):
    page.move(500, 17)
    page.wait("s.state === 7", "the inventory")
    page.click(290, 600)
    page.wait("s.state === 4", "the save")


def walk_to(page, gx, gy):
    """A walk click, and the frames until the hero stands still (there, or where the scene stops him)."""
    page.click(gx, gy)
    deadline = time.monotonic() + 60
    last, still = None, 0
    while still < 8:
        if time.monotonic() > deadline:
            raise Failure("the hero never stood still")
        page.frames(1)
        hero = page.state()["hero"]
        still = still + 1 if hero == last else 0
        last = hero


def load_from_title(page):
    page.load()
    page.click(500, 530)
    return page.wait("s.state === 4 && s", "Load", timeout=60)


def refused_for_room(web):
    """A save the browser refuses for lack of room gets its notice, the earlier save stays, and the
    next save with room is kept. The browser checks the room when it first writes for the page, so
    the earlier save is made in a session of its own on the same profile."""
    with tempfile.TemporaryDirectory(prefix="vz-webtest-profile-") as profile:
        server, url = serve(web)
        try:
            earlier = Chromium(1280, 1024, profile=profile)
            try:
                earlier.open_page()
                page = Page(earlier, url)
                page.load()
                start(page)
                walk_to(page, 700, 420)
                save_from_inventory(page)
                earlier.wait_for("vudizid.saveKept() && Module.vzStore.kept >= 1", what="the earlier save kept")
                kept = page.state()
            finally:
                earlier.close()
            browser = Chromium(1280, 1024, profile=profile)
            try:
                browser.open_page()
                page = Page(browser, url)
                origin = url.rstrip("/")
                browser.send("Storage.overrideQuotaForOrigin", {"origin": origin, "quotaSize": 100})
                check(saved_part(load_from_title(page)) == saved_part(kept), "the earlier save loads")
                walk_to(page, 300, 420)
                refused = page.state()
                if saved_part(refused) == saved_part(kept):
                    raise Failure("the refused save would have been the same as the earlier one")
                save_from_inventory(page)
                text = notice(browser)
                check(REFUSED in text and "game saved before" in text,
                      f"a save refused for lack of room is named: \"{text}\"")
                close_notice(browser, page)
                check(browser.wait_for("vudizid.saveKept()", what="nothing left waiting"), "and nothing stays waiting")
                check(saved_part(load_from_title(page)) == saved_part(kept),
                      "after a reload Load brings back the earlier save")

                browser.send("Storage.overrideQuotaForOrigin", {"origin": origin})
                walk_to(page, 500, 420)
                saved = page.state()
                save_from_inventory(page)
                browser.wait_for("vudizid.saveKept() && Module.vzStore.kept >= 1", what="the save kept")
                check(browser.evaluate("document.getElementById('notice').hidden"),
                      "with room again the next save is kept")
                check(saved_part(load_from_title(page)) == saved_part(saved), "and Load brings it back after a reload")
                errors = browser.errors()
                for e in errors:
                    print("  " + e)
                check(not errors, "no error reached the console")
            finally:
                browser.close()
        finally:
            server.kill()
            server.wait()


def download_save(browser, folder):
    """The menu's Download save: the file the browser saves, as bytes."""
    browser.send("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder}, session=False)
    press(browser, "#menu summary")
    press(browser, "#download")
    path = os.path.join(folder, "outro.sbf")
    deadline = time.monotonic() + 30
    while not (os.path.isfile(path) and os.path.getsize(path) > 0):
        if time.monotonic() > deadline:
            raise Failure("Download save gave no file")
        time.sleep(0.1)
    time.sleep(0.2)
    with open(path, "rb") as f:
        return f.read()


def upload(browser, path):
    """The menu's Upload save, with the file chooser answered by the file at `path`."""
    browser.send("Page.setInterceptFileChooserDialog", {"enabled": True})
    seen = len(browser.events)
    press(browser, "#menu summary")
    press(browser, "#upload")
    deadline = time.monotonic() + 30
    while True:
        opened = [e for e in browser.events[seen:] if e.get("method") == "Page.fileChooserOpened"]
        if opened:
            break
        if time.monotonic() > deadline:
            raise Failure("Upload save opened no file chooser")
        time.sleep(0.05)
    browser.send("DOM.setFileInputFiles", {"files": [path], "backendNodeId": opened[0]["params"]["backendNodeId"]})


def save_as_file(first, url, second, second_url, folder):
    """A save downloaded from one browser and uploaded into another, fresh one, loads there; a
    damaged file gets the game's notice and replaces nothing."""
    page = Page(first, url)
    page.load()
    start(page)
    walk_to(page, 600, 400)
    saved = page.state()
    save_from_inventory(page)
    first.wait_for("vudizid.saveKept()", what="the save kept")
    data = download_save(first, folder)
    stored = first.evaluate("Array.from(Module.FS.readFile('/store/images/outro.sbf'))")
    check(len(data) == 420 and list(data) == stored, "Download save gives the 420-byte saved game")

    fresh = Page(second, second_url)
    fresh.load()
    damaged = os.path.join(folder, "damaged.sbf")
    with open(damaged, "wb") as f:
        f.write(data[:-3])
    upload(second, damaged)
    text = notice(second)
    check(text == DAMAGED_NOTICE, f"a damaged upload gets the game's notice: \"{text}\"")
    close_notice(second, fresh)
    check(second.evaluate("Module.FS.analyzePath('/store/images/outro.sbf').exists") is False,
          "and replaces nothing")
    upload(second, os.path.join(folder, "outro.sbf"))
    text = notice(second)
    check("in place" in text, f"the uploaded save is taken: \"{text}\"")
    close_notice(second, fresh)
    second.wait_for("vudizid.saveKept() && Module.vzStore.kept >= 1", what="the upload kept in the browser")
    check(saved_part(load_from_title(fresh)) == saved_part(saved),
          "in a fresh browser the uploaded save loads after a reload")


def offline(browser, page, server):
    """After one visit the page starts and plays with no server at all."""
    browser.wait_for("vudizid.picturesHere", timeout=120, what="every picture")
    version = browser.evaluate("vudizid.version")
    browser.wait_for("navigator.serviceWorker.ready.then(r => !!r.active && !!navigator.serviceWorker.controller)",
                     timeout=120, what="the service worker")
    kept = browser.wait_for(f"caches.open('vudizid-{version}').then(c => c.keys()).then(k => k.length)",
                            timeout=60, what="the kept files")
    server.kill()
    server.wait()
    page.load()
    check(page.state()["state"] == 0, f"with the server gone the page starts from its {kept} kept files")
    start(page)
    page.click(970, 630)
    page.wait("s.location === 1 && s.state === 4", "the walk to the bar offline", timeout=60)
    check(browser.evaluate("document.getElementById('loading').hidden"), "and plays to the bar with no network")


def kept_builds(browser):
    """The versions of the builds whose files are kept, once the service worker has kept one."""
    browser.wait_for("vudizid.picturesHere", timeout=120, what="every picture")
    browser.wait_for("navigator.serviceWorker.ready.then(r => !!r.active)", timeout=120, what="the service worker")
    return browser.wait_for("""caches.keys().then(keys => keys.length > 0 &&
        keys.filter(k => k.startsWith('vudizid-')).map(k => k.slice(8)).sort())""", timeout=120, what="the kept files")


def new_build(browser, url, folder):
    """A new build on the server: its service worker takes over once no page of the old build is open,
    and only the new build's files stay kept."""
    Page(browser, url).load()
    [old] = kept_builds(browser)
    new = "".join("0123456789abcdef"[(int(c, 16) + 1) % 16] for c in old)
    for name in ("index.html", "sw.js"):
        path = os.path.join(folder, name)
        with open(path) as f:
            text = f.read().replace(old, new)
        with open(path, "w") as f:
            f.write(text)
        with gzip.open(path + ".gz", "wt") as f:
            f.write(text)
    # The old page closed, a page in a new tab: the old build's worker still answers its load.
    browser.close_tab(browser.target)
    second = browser.new_tab(url)
    browser.wait_for(f"window.vudizid && vudizid.version === '{new}' && vudizid.picturesHere", timeout=120,
                     what="the new build's page")
    browser.wait_for("navigator.serviceWorker.getRegistration().then(r => !!r && !!r.waiting)",
                     timeout=120, what="the new build's worker waiting")
    check(old in kept_builds(browser), "while a page of the old build's worker is open, its files stay kept")
    browser.close_tab(second)
    # With no page of the old build left the new worker takes over (the browser does so in its own
    # time: the old worker is gone when it has).
    deadline = time.monotonic() + 60
    while sum(t["type"] == "service_worker" for t in browser.send("Target.getTargets", session=False)["targetInfos"]) > 1:
        if time.monotonic() > deadline:
            raise Failure("the old build's worker stayed")
        time.sleep(0.2)
    browser.new_tab(url)
    Page(browser, url).load()
    browser.wait_for(f"caches.keys().then(k => k.length === 1 && k[0] === 'vudizid-{new}')", timeout=60,
                     what="the old build's files gone")
    check(kept_builds(browser) == [new], "once none is open, the new build's worker keeps its files, and only those")


def hidden_tab(browser, page):
    """A tab behind another runs no frames and goes on where it was when it is in front again."""
    page.load()
    start(page)
    page.click(900, 450)  # a long walk to the right
    page.frames(2)
    own = browser.send("Target.getTargets", session=False)["targetInfos"]
    own = [t for t in own if t["type"] == "page"][0]["targetId"]
    other = browser.send("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
    browser.wait_for("document.visibilityState === 'hidden'", what="the tab hidden behind another")
    before = page.state()
    time.sleep(3)
    after = page.state()
    check(after["frame"] == before["frame"] and after["hero"] == before["hero"],
          f"a hidden tab runs no frames (frame {before['frame']} after 3 s)")
    browser.send("Target.activateTarget", {"targetId": own}, session=False)
    browser.send("Target.closeTarget", {"targetId": other}, session=False)
    browser.wait_for("document.visibilityState === 'visible'", what="the tab in front again")
    page.frames(5)
    moved = page.state()
    check(moved["hero"]["x"] > after["hero"]["x"] and moved["hero"]["targetX"] == after["hero"]["targetX"],
          "in front again the hero walks on where he stood")


def screens(browser, url, shots):
    """The layout on phones, tablets and desktops, and on a phone an answer as captions."""
    page = Page(browser, url)
    for name, width, height, scale, touch in SCREENS:
        browser.send("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                             "deviceScaleFactor": scale, "mobile": touch})
        browser.send("Emulation.setTouchEmulationEnabled", {"enabled": touch})
        page.load()
        laid = browser.wait_for(LAYOUT, what=f"the layout on {name}")
        hint = browser.evaluate("[...document.querySelectorAll('#hint span')].filter(s => s.offsetWidth)"
                                ".map(s => s.textContent).join()")
        header = browser.evaluate("(() => { const h = document.querySelector('header');"
                                  " return h.scrollWidth <= h.clientWidth + 1; })()")
        check(header and hint, f"{name}: {laid}; header fits, hint \"{hint}\"")
        if shots:
            shot(browser, os.path.join(shots, f"{name}-title.png"))
    browser.send("Emulation.setTouchEmulationEnabled", {"enabled": False})

    # On a 390 x 844 phone: an answer as page text of 16 CSS pixels or more, in the live region.
    browser.send("Emulation.setDeviceMetricsOverride", {"width": 390, "height": 844, "deviceScaleFactor": 3,
                                                         "mobile": True})
    page.load()
    start(page)
    page.click(970, 630)
    page.wait("s.location === 1 && s.state === 4", "the walk to the bar", timeout=60)
    page.click(700, 600, "right")
    page.click(700, 600, "right")
    page.wait("s.verb === 2", "the Look verb")
    page.click(560, 300)
    found = browser.wait_for("""(() => {
        const p = [...document.querySelectorAll('#captions p')].find(p => p.textContent === 'Kai the barkeeper');
        if (!p) return false;
        const r = p.getBoundingClientRect();
        return [parseFloat(getComputedStyle(p).fontSize), r.width > 0 && r.bottom <= innerHeight,
                !!p.closest('[aria-live]')];
    })()""", what="the answer as a caption")
    check(found[0] >= 16 and found[1] and found[2],
          f"on a phone the answer stands as page text of {found[0]} CSS px, seen, in the live region")
    if shots:
        shot(browser, os.path.join(shots, "phone-portrait-answer.png"))

    # The conversation's menu as large buttons; a tap on one is the click on its line.
    page.wait("s.message.timer === 0", "the answer's end", timeout=30)
    page.click(700, 600, "right")
    page.wait("s.verb === 3", "the Talk verb")
    page.click(560, 300)
    browser.wait_for("document.querySelectorAll('#captions .choice').length === 3", timeout=60,
                     what="the menu's lines as buttons")
    big = browser.evaluate("[...document.querySelectorAll('#captions .choice')].every(b =>"
                           " b.getBoundingClientRect().height >= 40 && parseFloat(getComputedStyle(b).fontSize) >= 16)")
    if shots:
        shot(browser, os.path.join(shots, "phone-portrait-choices.png"))
    press(browser, "#captions .choice:nth-child(2)")
    chose = page.wait("s.selectedChoice >= 0 && s.selectedChoice", "the choice taken")
    check(big and chose == 1, "the menu's lines are large buttons, and a tap on the second chooses it")
    browser.send("Emulation.clearDeviceMetricsOverride")


def space_names(browser, page):
    """Space held on the canvas names everything in the scene, as the captions show; let go, nothing."""
    page.load()
    start(page)
    page.click(970, 630)
    page.wait("s.location === 1 && s.state === 4", "the walk to the bar", timeout=60)
    page.move(700, 600)  # over nothing
    labels = "[...document.querySelectorAll('#captions .label')].map(p => p.textContent).sort().join(', ')"
    browser.send("Input.dispatchKeyEvent", {"type": "keyDown", "key": " ", "code": "Space", "text": " ",
                                            "windowsVirtualKeyCode": 32})
    names = browser.wait_for(f"(() => {{ const n = {labels}; return n.split(', ').length >= 3 && n; }})()",
                             what="every name in the bar")
    scrolled = browser.evaluate("document.scrollingElement.scrollTop")
    browser.send("Input.dispatchKeyEvent", {"type": "keyUp", "key": " ", "code": "Space", "windowsVirtualKeyCode": 32})
    browser.wait_for(f"{labels} === ''", what="the names gone")
    check("Kai" in names and scrolled == 0, f"Space held names everything in the scene ({names}), and is the game's")


def shot(browser, path):
    data = browser.send("Page.captureScreenshot", {"format": "png"})["data"]
    with open(path, "wb") as f:
        f.write(base64.b64decode(data))
    print(f"screenshot: {path}")


def run(root, first, url, shots):
    """Everything above; `first` is the browser the main test played in, on the server at `url`."""
    screens(first, url, shots)
    space_names(first, Page(first, url))
    hidden_tab(first, Page(first, url))
    web = os.path.join(root, "build-web", "site")
    refused_for_room(web)
    # The second browser's server serves a copy, which becomes a new build on the way.
    served = tempfile.mkdtemp(prefix="vz-webtest-site-")
    shutil.copytree(web, served, dirs_exist_ok=True)
    server, second_url = serve(served)
    second = Chromium(1280, 1024)
    try:
        second.open_page()
        second.send("DOM.enable")
        with tempfile.TemporaryDirectory(prefix="vz-webtest-") as folder:
            save_as_file(first, url, second, second_url, folder)
        new_build(second, second_url, served)
        offline(second, Page(second, second_url), server)
        errors = second.errors()
        # The page asked for with the server gone: the browser notes the failed request itself.
        errors = [e for e in errors if "ERR_CONNECTION_REFUSED" not in e]
        for e in errors:
            print("  " + e)
        check(not errors, "no error reached the second browser's console")
    finally:
        second.close()
        server.kill()
        server.wait()
        shutil.rmtree(served, ignore_errors=True)
    passed("the page around the game")
