#!/usr/bin/env python3
"""Figures of the web build in headless Chromium: python3 tools/web/web_bench.py ROOT.

ROOT holds build-web/ (the page, built by ./web); the native Release build in build-release/ (as
./bench makes it) is brought up to date here for the native Play frame. Prints one table: what the browser downloads
on a first visit (the title's piece and every cue included, once the first click has started the sound),
the time from navigation to the first frame, a Play frame composed in WebAssembly beside the same
code natively, and the browser's processor share on the title screen.
"""
import os
import re
import shutil
import statistics
import tempfile
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from chromium import Chromium  # noqa: E402
from web_test import Page, serve  # noqa: E402

LOADS = 5            # page loads for the time to the first frame (the median is shown)
FRAMES = 300         # Play frames composed per scene and run
RUNS = 9             # runs per scene; the fastest is shown, as the other work of a shared machine
                     # only ever makes a run slower
SCENES = range(7)
IDLE_SECONDS = 10
CUES = 19            # the sound cues, all fetched once the first frame shows


def build_native(root):
    out = os.path.join(root, "build-release")
    subprocess.run(["cmake", "-S", root, "-B", out, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", out, "-j", str(os.cpu_count()), "--target", "vudizid-bench", "images"],
                   check=True, stdout=subprocess.DEVNULL)
    return out


def native_play_frames(out, scene):
    """Microseconds per Play frame of one scene, from vudizid-bench in the Release build."""
    # Its own reporter prints the console table, one line a run: "ComposePlayFrame/3  37.0 us  36.9 us  18000".
    result = subprocess.run([os.path.join(out, "vudizid-bench"), f"--benchmark_filter=ComposePlayFrame/{scene}$",
                             f"--benchmark_repetitions={RUNS}", "--benchmark_min_time=0.05"],
                            cwd=out, check=True, capture_output=True, text=True)
    times = []
    for line in result.stdout.splitlines():
        words = re.sub(r"\x1b\[[0-9;]*m", "", line).split()
        if len(words) >= 3 and words[0] == f"ComposePlayFrame/{scene}":
            times.append(float(words[1]) * {"us": 1, "ns": 1e-3, "ms": 1e3}[words[2]])
    if not times:
        raise RuntimeError(f"vudizid-bench gave no Play frame of scene {scene}:\n" + result.stdout + result.stderr)
    return min(times)


def wasm_play_frames(browser, scene):
    """Microseconds per Play frame of one scene, timed by the page's own performance.now()."""
    times = browser.evaluate(f"""(() => {{
        if (!vudizid.composePlayFrames({scene}, 50)) return null;  // pictures read, code warm
        const times = [];
        for (let run = 0; run < {RUNS}; ++run) {{
            const start = performance.now();
            vudizid.composePlayFrames({scene}, {FRAMES});
            times.push((performance.now() - start) * 1000 / {FRAMES});
        }}
        return times;
    }})()""", timeout=120)
    if not times:
        raise RuntimeError(f"the page composed no Play frames of scene {scene}")
    return min(times)


def cpu_ticks(pids):
    ticks = {}
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            ticks[pid] = int(fields[11]) + int(fields[12])  # utime + stime
        except OSError:
            pass
    return ticks


def silent_copy(web):
    """The same page without its sounds: the yardstick of the time to the first frame."""
    folder = tempfile.mkdtemp(prefix="vz-webbench-")
    for name in os.listdir(web):
        if name != "sounds":
            os.symlink(os.path.join(web, name), os.path.join(folder, name))
    os.mkdir(os.path.join(folder, "sounds"))
    return folder


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    server, url = serve(os.path.join(root, "build-web"))
    silent = silent_copy(os.path.join(root, "build-web"))
    silent_server, silent_url = serve(silent)
    browser = Chromium(1280, 1024)
    rows = []
    try:
        browser.open_page()
        # Every load as a first visit: nothing from the browser's cache.
        browser.send("Network.enable")
        browser.send("Network.setCacheDisabled", {"cacheDisabled": True})
        page, silent_page = Page(browser, url), Page(browser, silent_url)
        # In turns, so the machine's other work weighs on both alike.
        firsts, silent_firsts = [], []
        for _ in range(LOADS):
            silent_page.load()
            silent_firsts.append(browser.evaluate("vudizid.firstFrameAt"))
            page.load()
            firsts.append(browser.evaluate("vudizid.firstFrameAt"))
        # The first visit goes on to the first click, which starts the title's piece; by then every
        # cue is fetched too.
        page.click(120, 120)
        browser.wait_for("vudizid.sound().music === 'music_title'", timeout=60, what="the title's piece")
        browser.wait_for("performance.getEntriesByType('resource').filter(e => e.name.includes('/sounds/sfx_'))"
                         f".length >= {CUES}", timeout=60, what="every cue fetched")
        sizes = browser.evaluate("""(() => {
            const all = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
            const sounds = all.filter(e => e.name.includes('/sounds/'));
            return [all.reduce((n, e) => n + e.encodedBodySize, 0), all.reduce((n, e) => n + e.decodedBodySize, 0),
                    sounds.reduce((n, e) => n + e.encodedBodySize, 0), sounds.length];
        })()""")

        # The title screen, pointer still, the browser's every process counted.
        page.load()
        time.sleep(1)
        pids = browser.processes()
        before, start = cpu_ticks(pids), time.monotonic()
        time.sleep(IDLE_SECONDS)
        after, took = cpu_ticks(pids), time.monotonic() - start
        used = sum(after[p] - before[p] for p in after if p in before) / os.sysconf("SC_CLK_TCK")
        idle_share = 100 * used / took

        # Scene by scene, the browser's figure and the native one in turn, so that the other
        # work of a shared machine weighs on both alike.
        out = build_native(root)
        wasm, native = {}, {}
        for scene in SCENES:
            wasm[scene] = wasm_play_frames(browser, scene)
            native[scene] = native_play_frames(out, scene)
    finally:
        browser.close()
        for s in (server, silent_server):
            s.kill()
            s.wait()
        shutil.rmtree(silent, ignore_errors=True)

    def row(what, figure, yardstick="", ratio="", goal="", met=""):
        rows.append((what, figure, yardstick, ratio, goal, met))

    yes = lambda ok: "yes" if ok else "**no**"  # noqa: E731
    row(f"First visit's download: page, script, WebAssembly, pictures and {sizes[3]} sounds "
        f"({sizes[2] / 1048576:.2f} MB), gzip-compressed",
        f"{sizes[0] / 1048576:.2f} MB", f"unpacked {sizes[1] / 1048576:.1f} MB",
        f"{sizes[0] / sizes[1]:.3f}", "<= 3.5 MB", yes(sizes[0] <= 3.5 * 1048576))
    first, without = statistics.median(firsts), statistics.median(silent_firsts)
    row(f"Navigation to the first frame on 127.0.0.1 (median of {LOADS} loads, no cache)", f"{first:.0f} ms",
        f"without sounds {without:.0f} ms", f"{first / without:.2f}", "< 1000 ms, <= 1.1",
        yes(first < 1000 and first / without <= 1.1))
    ratios = []
    for scene in SCENES:
        ratio = wasm[scene] / native[scene]
        ratios.append(ratio)
        row(f"Play frame, scene {scene}, in WebAssembly", f"{wasm[scene]:.1f} us", f"native {native[scene]:.1f} us",
            f"{ratio:.2f}", "<= 2.0", yes(ratio <= 2.0))
    row(f"Title screen in Chromium, pointer still, {IDLE_SECONDS} s (every browser process)",
        f"{idle_share:.1f} % of one core", "", "", "< 10 %", yes(idle_share < 10))

    print(f"Machine: {os.cpu_count()} cores; Chromium "
          f"{subprocess.run(['chromium', '--version'], capture_output=True, text=True).stdout.split()[1]}; "
          f"{time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}")
    print("\n| # | Measured | Figure | Yardstick | Ratio | Goal | Met |\n|---|---|---|---|---|---|---|")
    for n, r in enumerate(rows, 1):
        print(f"| {n} | " + " | ".join(r) + " |")
    print(f"\nPlay frames in WebAssembly take {statistics.mean(ratios):.2f} times the native time on average.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
