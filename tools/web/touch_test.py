"""The page played by touch alone, in headless Chromium with touch emulation (run by web_test.py).

On a phone held sideways (844 x 390) and on a tablet (1024 x 1366), with Input.dispatchTouchEvent
only, a player starts, takes the sugar at the bar, talks with Kai, uses an item on another, saves
and quits; every step is checked in the game's state. The touch controls are at least 44 CSS
pixels to the finger; a sideways swipe over the game leaves the page where it is; a finger flicked
up over the top edge opens the inventory, and so does the mouse flicked there (40 CSS pixels per
event).
"""
import time

# The touch controls' cells (game pixels), from the top right corner leftwards, 100 pixels each.
CELL = 100
MENU, VERB, INVENTORY, NAMES = ((1024 - CELL * (slot + 1) + CELL // 2, CELL // 2) for slot in range(4))
ENTRY_X = 1024 - 150  # the menu's entries, in a column below it


def entry(row):
    return ENTRY_X, CELL * (row + 1) + CELL // 2


class Hand:
    """A finger on the page, put on game pixels through the canvas's place and size."""

    def __init__(self, browser, page):
        self.browser, self.page = browser, page

    def touch(self, kind, points):
        self.browser.send("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"x": x, "y": y, "id": 1} for x, y in points]})

    def tap(self, gx, gy, hold=0.0, last=False):
        at = self.page.at(gx, gy)
        self.touch("touchStart", [at])
        if hold:
            time.sleep(hold)
        self.touch("touchEnd", [])
        # Taps come at least five frames apart, or the game takes the second for a held button;
        # counted in the game's frames, as a page still unpacking its pictures runs slower. After
        # the last (Quit) there are none.
        if not last:
            self.page.frames(7)

    def swipe(self, points, pause=0.02):
        self.touch("touchStart", [points[0]])
        for p in points[1:]:
            time.sleep(pause)
            self.touch("touchMove", [p])
        self.touch("touchEnd", [])


def emulate(browser, width, height, scale, mobile=True):
    """A touch screen of width x height CSS pixels; a mobile one lays the page out as a phone does."""
    browser.send("Emulation.setDeviceMetricsOverride",
                 {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
    browser.send("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def play_by_touch(browser, page, check, name, shots):
    hand = Hand(browser, page)
    page.load()
    cell = browser.evaluate("document.getElementById('canvas').getBoundingClientRect().width") * CELL / 1024
    check(cell >= 44, f"{name}: a touch control is {cell:.1f} CSS pixels wide, at least 44")

    hand.tap(512, 430)
    page.wait("s.state === 4 && s.location === 0 && s.touch.shown", f"{name}: Start by a tap")
    hand.tap(*VERB)
    page.wait("s.verb === 1", f"{name}: the verb button: Take")
    check(page.state()["location"] == 0, f"{name}: a tap on the verb button clicks nothing below it")
    hand.tap(970, 630)
    page.wait("s.state === 4 && s.location === 1", f"{name}: the way to the bar")
    if shots:
        page.frames(3)
        browser.screenshot(f"{shots}/page-{name}-bar.png")
    hand.tap(840, 527)
    page.wait("s.carried[2] === 1 && s.state === 4", f"{name}: the sugar taken", timeout=40)
    check(True, f"{name}: the sugar taken at the bar")

    # A long press steps the verb as well: Take to Look.
    hand.tap(300, 600, hold=0.8)
    page.wait("s.verb === 2", f"{name}: a long press: Look")
    hand.tap(*VERB)
    page.wait("s.verb === 3", f"{name}: the verb button: Talk")
    hand.tap(560, 300)
    page.wait("s.state === 5", f"{name}: talking with Kai", timeout=40)
    hand.tap(300, 650)  # "I'm stranded on the island"
    page.wait("s.selectedChoice === 1", f"{name}: a line chosen by a tap")
    for _ in range(20):
        if page.state()["state"] == 4:
            break
        hand.tap(300, 650)
    page.wait("s.state === 4 && s.carried[3] === 1", f"{name}: Kai's cocktail, the talk over", timeout=40)
    check(True, f"{name}: talked with Kai and got his cocktail")

    hand.tap(*INVENTORY)
    page.wait("s.state === 7", f"{name}: the inventory button")
    hand.tap(*VERB)
    page.wait("s.verb === 1", f"{name}: Take in the inventory")
    hand.tap(150, 150)  # the sugar, the first carried item
    page.wait("s.heldItem === 2", f"{name}: the sugar held")
    if shots:
        page.frames(3)
        browser.screenshot(f"{shots}/page-{name}-inventory.png")
    hand.tap(250, 150)  # on the cocktail
    page.wait("s.carried[4] === 1 && s.carried[3] === 0 && s.heldItem === -1",
              f"{name}: the sugar used on the cocktail")
    check(True, f"{name}: an item used on another")
    kept = browser.evaluate("Module.vzStore.kept")
    for _ in range(3):  # the first tap ends the answer about the cocktail, as a click does
        hand.tap(290, 600)
        if page.state()["state"] == 4:
            break
    page.wait("s.state === 4", f"{name}: the save button")
    browser.wait_for(f"vudizid.saveKept() && Module.vzStore.kept > {kept}", what=f"{name}: the save kept")
    check(True, f"{name}: saved")

    hand.tap(*MENU)
    page.wait("s.touch.menu", f"{name}: the menu")
    if shots:
        page.frames(3)
        browser.screenshot(f"{shots}/page-{name}-menu.png")
    entries = page.state()["touch"]["entries"]
    hand.tap(*entry(entries - 1), last=True)  # Quit is the last
    browser.wait_for("!document.getElementById('ended').hidden", what=f"{name}: the end of the game")
    check(page.state()["quit"] is True, f"{name}: Quit in the menu ends the game")


def swipes(browser, page, check):
    # Not laid out as a phone, which would zoom out to show the wide page whole: there a swipe
    # beside the game scrolls the page, which shows that one over the game would if let through.
    emulate(browser, 844, 390, 3, mobile=False)
    hand = Hand(browser, page)
    page.load()
    page.click(500, 430)
    page.wait("s.state === 4", "Start")
    # Something to scroll to, beside the game: a page that follows the swipe would move.
    browser.evaluate("(() => { const d = document.createElement('div'); d.style.cssText ="
                     " 'position:absolute;left:0;top:0;width:4000px;height:4000px;pointer-events:none';"
                     " document.body.appendChild(d); scrollTo(0, 0); })()")
    where = browser.evaluate("[location.href, history.length]")
    # Going back by a swipe is the browser's own doing, which a headless one does not show: what
    # keeps it away is that the canvas says it takes no touch gesture of the browser's, and that the
    # page keeps every move of a finger over the game from it.
    check(browser.evaluate("getComputedStyle(document.getElementById('canvas')).touchAction") == "none",
          "the game's canvas has touch-action: none")
    browser.evaluate("window.vzMoves = []; document.addEventListener('touchmove',"
                     " e => vzMoves.push(e.cancelable && e.defaultPrevented))")
    y = page.at(512, 500)[1]
    hand.swipe([(page.at(1000, 0)[0] - 25 * i, y) for i in range(15)])
    hand.swipe([(page.at(24, 0)[0] + 25 * i, y) for i in range(15)])
    time.sleep(0.5)
    scrolled = browser.evaluate("[scrollX, scrollY]")
    moves = browser.evaluate("vzMoves")
    check(len(moves) == 28 and all(moves), "every move of a sideways swipe over the game is kept from the browser")
    check(scrolled == [0, 0] and browser.evaluate("[location.href, history.length]") == where,
          f"a sideways swipe over the game leaves the page where it is (scrolled {scrolled})")
    check(page.state()["location"] == 0, "and it is no click in the game")
    beside = browser.evaluate("document.getElementById('canvas').getBoundingClientRect().right") + 20
    hand.swipe([(beside + 100 - 25 * i, y) for i in range(4)])
    time.sleep(0.5)
    check(browser.evaluate("scrollX") > 0, "while one beside the game does scroll that page")
    browser.evaluate("scrollTo(0, 0)")

    # Up from the middle in steps of 40 CSS pixels, past the canvas's top edge.
    x, y = page.at(600, 400)
    hand.swipe([(x, y - 40 * i) for i in range(int(y // 40) + 2)])
    page.wait("s.state === 7", "a finger flicked up over the top: the inventory", timeout=10)
    check(True, "a finger flicked up over the top edge opens the inventory")


def mouse_flicks(browser, page, check):
    """Four flicks of the mouse to the top, 40 CSS pixels an event: each opens the inventory."""
    page.load()
    page.click(500, 430)
    page.wait("s.state === 4", "Start")
    for flick in range(4):
        x, y = page.at(300 + 100 * flick, 500)
        while y > -40:
            browser.mouse("mouseMoved", x, max(y, 0))
            y -= 40
            time.sleep(0.01)
        page.wait("s.state === 7", f"mouse flick {flick + 1}: the inventory", timeout=10)
        page.click(690, 600)  # back
        page.wait("s.state === 4", "back in the game")
    check(True, "four mouse flicks to the top, 40 CSS pixels an event, open the inventory four times")


def play(browser, page, check, shots=None):
    mouse_flicks(browser, page, check)
    try:
        swipes(browser, page, check)
        for name, width, height, scale in (("phone", 844, 390, 3), ("tablet", 1024, 1366, 2)):
            emulate(browser, width, height, scale)
            play_by_touch(browser, page, check, name, shots)
    finally:
        browser.send("Emulation.setTouchEmulationEnabled", {"enabled": False})
        browser.send("Emulation.clearDeviceMetricsOverride")
