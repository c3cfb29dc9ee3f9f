"""Figures of the page on a slow network and in Lighthouse (part of tools/web/web_bench.py): the
first frame on a simulated 1.6 Mbit/s link, the bytes of a first visit and of a revisit, counted by
the server, and Lighthouse's four scores on a phone and on a desktop (the best of five runs).

Lighthouse is not part of the game or its build: it is installed on demand with npm into a cache
folder of its own (${XDG_CACHE_HOME:-~/.cache}/vudizid-web/lighthouse-VERSION) and needs Node 18 or
later.
"""
import json
import os
import shutil
import statistics
import subprocess
import tempfile
import time

from chromium import Chromium, find_chromium
from web_test import Page, serve

LIGHTHOUSE = "12.2.3"
CATEGORIES = ["performance", "accessibility", "best-practices", "seo"]
# Lighthouse's own mobile link ("slow 4G"): 1.6 Mbit/s down, 750 kbit/s up, 150 ms round trips.
SLOW_LINK = {"offline": False, "latency": 150, "downloadThroughput": 1.6e6 / 8, "uploadThroughput": 750e3 / 8}
SLOW_LOADS = 3
# Lighthouse times the page's tasks as they ran, and other work on a shared machine only ever
# makes them longer: of these runs the one with the best performance score counts.
LIGHTHOUSE_RUNS = 5


def served(log, web, until=None):
    """From the server's log: bytes of bodies sent, the same files' own (unpacked) bytes, answers, and
    answers "304 Not Modified"; only those sent by the time `until` (seconds since 1970) if given."""
    try:
        with open(log) as f:
            lines = [line.strip().split(maxsplit=3) for line in f if line.strip()]
    except FileNotFoundError:
        lines = []
    if until is not None:
        lines = [w for w in lines if float(w[2]) <= until]
    unpacked = 0
    for status, _, _, path in lines:
        name = path.split("?", 1)[0].lstrip("/") or "index.html"
        if status == "200" and os.path.isfile(os.path.join(web, name)):
            unpacked += os.path.getsize(os.path.join(web, name))
    sounds = [w for w in lines if "/sounds/" in w[3]]
    return {"bytes": sum(int(w[1]) for w in lines), "unpacked": unpacked, "answers": len(lines),
            "unchanged": sum(1 for w in lines if w[0] == "304"), "sounds": len(sounds),
            "sound bytes": sum(int(w[1]) for w in sounds)}


def slow_first_frame(web):
    """Milliseconds from navigation to the first frame on the slow link, first visits (median)."""
    with tempfile.TemporaryDirectory(prefix="vz-bench-") as folder:
        server, url = serve(web, os.path.join(folder, "log"))
        browser = Chromium(1280, 1024)
        try:
            browser.open_page()
            browser.send("Network.enable")
            browser.send("Network.setCacheDisabled", {"cacheDisabled": True})
            browser.send("Network.setBypassServiceWorker", {"bypass": True})
            browser.send("Network.emulateNetworkConditions", SLOW_LINK)
            page = Page(browser, url)
            firsts = []
            for _ in range(SLOW_LOADS):
                page.load()
                firsts.append(browser.evaluate("vudizid.firstFrameAt"))
            return statistics.median(firsts)
        finally:
            browser.close()
            server.kill()
            server.wait()


def visits(web):
    """A first visit and a revisit in one fresh browser, as the server counts them: what was sent
    before the first frame, the whole first visit (every picture, and what the service worker keeps)
    and the revisit."""
    with tempfile.TemporaryDirectory(prefix="vz-bench-") as folder:
        log = os.path.join(folder, "log")
        server, url = serve(web, log)
        browser = Chromium(1280, 1024)
        try:
            browser.open_page()
            page = Page(browser, url)
            page.load()
            first_frame = browser.evaluate("(performance.timeOrigin + vudizid.firstFrameAt) / 1000")
            browser.wait_for("vudizid.picturesHere", timeout=120, what="every picture")
            version = browser.evaluate("vudizid.version")
            browser.wait_for("navigator.serviceWorker.ready.then(r => !!r.active)", timeout=120,
                             what="the service worker")
            browser.wait_for(f"caches.open('vudizid-{version}').then(c => c.keys()).then(k => k.length > 5)",
                             timeout=60, what="the kept files")
            time.sleep(1)
            to_first, first = served(log, web, first_frame), served(log, web)
            os.remove(log)
            page.load()
            browser.wait_for("vudizid.picturesHere", timeout=120, what="every picture again")
            time.sleep(2)
            return to_first, first, served(log, web)
        finally:
            browser.close()
            server.kill()
            server.wait()


def lighthouse_cli():
    """Lighthouse's command line, installed into the cache folder first when it is not there."""
    node = shutil.which("node")
    if not node:
        return None, "no Node.js"
    major = int(subprocess.run([node, "--version"], capture_output=True, text=True).stdout.strip().lstrip("v")
                .split(".")[0])
    if major < 18:
        return None, f"Node {major} is too old (Lighthouse {LIGHTHOUSE} needs 18 or later)"
    cache = os.environ.get("XDG_CACHE_HOME") or os.path.join(os.path.expanduser("~"), ".cache")
    folder = os.path.join(cache, "vudizid-web", f"lighthouse-{LIGHTHOUSE}")
    cli = os.path.join(folder, "node_modules", "lighthouse", "cli", "index.js")
    if not os.path.isfile(cli):
        npm = shutil.which("npm")
        if not npm:
            return None, "no npm to install Lighthouse with"
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "package.json"), "w") as f:
            f.write('{"private": true}\n')
        print(f"Installing Lighthouse {LIGHTHOUSE} into {folder}", flush=True)
        result = subprocess.run([npm, "install", "--prefix", folder, "--no-audit", "--no-fund", "-E",
                                 f"lighthouse@{LIGHTHOUSE}"], capture_output=True, text=True)
        if result.returncode != 0 or not os.path.isfile(cli):
            return None, "npm could not install Lighthouse: " + result.stderr.strip()[-300:]
    return [node, cli], None


def lighthouse(cli, web, desktop):
    """Lighthouse's scores (0..100 by category) and main timings: the best of its runs."""
    runs = [lighthouse_once(cli, web, desktop) for _ in range(LIGHTHOUSE_RUNS)]
    return max(runs, key=lambda run: run[0]["performance"])


def lighthouse_once(cli, web, desktop):
    """Lighthouse's scores (0..100 by category) and its main timings for one run."""
    with tempfile.TemporaryDirectory(prefix="vz-lighthouse-") as folder:
        server, url = serve(web, os.path.join(folder, "log"))
        report = os.path.join(folder, "report.json")
        try:
            args = [*cli, url, "--quiet", "--output=json", f"--output-path={report}",
                    "--only-categories=" + ",".join(CATEGORIES),
                    "--chrome-flags=--headless=new --no-sandbox --disable-gpu --disable-quic"]
            if desktop:
                args.append("--preset=desktop")
            env = dict(os.environ, CHROME_PATH=find_chromium())
            subprocess.run(args, check=True, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                           timeout=600)
            with open(report) as f:
                r = json.load(f)
        finally:
            server.kill()
            server.wait()
    scores = {c: round(r["categories"][c]["score"] * 100) for c in CATEGORIES}
    timings = {a: r["audits"][a]["displayValue"] for a in
               ("first-contentful-paint", "largest-contentful-paint", "total-blocking-time", "speed-index",
                "cumulative-layout-shift")}
    return scores, timings
