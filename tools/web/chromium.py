"""Headless Chromium driven through its DevTools protocol over a pipe (no websocket needed).

Chromium started with --remote-debugging-pipe reads commands from its file descriptor 3 and writes
answers and events to 4, each message one JSON text ended by a NUL byte.
"""
import base64
import fcntl
import json
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import zlib

# What works here as root and on a machine with no network: no sandbox, no GPU, and nothing that
# phones home (with those services on, connections are refused and reported as errors).
FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-extensions", "--disable-default-apps", "--mute-audio", "--hide-scrollbars",
    "--no-default-browser-check", "--password-store=basic",
]


class ProtocolError(Exception):
    pass


def find_chromium():
    for name in ("chromium", "chromium-browser"):
        path = shutil.which(name)
        if path:
            return path
    raise FileNotFoundError("chromium is not installed (Debian package chromium)")


class Chromium:
    def __init__(self, width=1280, height=1024, profile=None):
        """A browser on a fresh profile of its own, or on `profile` (a folder it leaves in place)."""
        self.own_profile = profile is None
        self.profile = profile or tempfile.mkdtemp(prefix="vz-chromium-")
        to_browser_r, to_browser_w = os.pipe()
        from_browser_r, from_browser_w = os.pipe()
        # Out of the way of 3 and 4 before they are put there in the child.
        high_r = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
        high_w = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
        os.close(to_browser_r)
        os.close(from_browser_w)

        def in_child():
            os.dup2(high_r, 3)
            os.dup2(high_w, 4)

        args = [find_chromium(), *FLAGS, f"--user-data-dir={self.profile}",
                f"--window-size={width},{height}", "--remote-debugging-pipe", "about:blank"]
        self.process = subprocess.Popen(args, pass_fds=(3, 4), preexec_fn=in_child,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE, start_new_session=True)
        os.close(high_r)
        os.close(high_w)
        self._out = os.fdopen(to_browser_w, "wb", buffering=0)
        self._in = os.fdopen(from_browser_r, "rb", buffering=0)
        self._lock = threading.Condition()
        self._answers = {}
        self._next_id = 0
        self.events = []
        self._closed = False
        self._stderr = []
        threading.Thread(target=self._read, daemon=True).start()
        threading.Thread(target=self._read_stderr, daemon=True).start()
        self.session = None

    def _read(self):
        pending = b""
        while True:
            chunk = self._in.read(1 << 16)
            if not chunk:
                break
            pending += chunk
            *messages, pending = pending.split(b"\0")
            with self._lock:
                for raw in messages:
                    message = json.loads(raw)
                    if "id" in message:
                        self._answers[message["id"]] = message
                    else:
                        self.events.append(message)
                self._lock.notify_all()
        with self._lock:
            self._closed = True
            self._lock.notify_all()

    def _read_stderr(self):
        for line in self.process.stderr:
            self._stderr.append(line.decode(errors="replace").rstrip())

    def send(self, method, params=None, session=True, timeout=60):
        with self._lock:
            self._next_id += 1
            ident = self._next_id
        message = {"id": ident, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        self._out.write(json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self._lock:
            while ident not in self._answers:
                left = deadline - time.monotonic()
                if self._closed or left <= 0:
                    raise ProtocolError(f"{method}: no answer from Chromium" +
                                        ("".join("\n  " + l for l in self._stderr[-5:])))
                self._lock.wait(left)
            answer = self._answers.pop(ident)
        if "error" in answer:
            raise ProtocolError(f"{method}: {answer['error'].get('message')}")
        return answer.get("result", {})

    def open_page(self):
        """Attaches to the browser's first page and turns on what the tests watch."""
        deadline = time.monotonic() + 30
        while True:
            pages = [t for t in self.send("Target.getTargets", session=False)["targetInfos"]
                     if t["type"] == "page"]
            if pages or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        if not pages:
            raise ProtocolError("Chromium opened no page")
        self.attach(pages[0]["targetId"])

    def attach(self, target):
        """Talks to the page `target` from now on, with what the tests watch turned on."""
        self.session = self.send("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        self.target = target
        for domain in ("Page", "Runtime", "Log"):
            self.send(domain + ".enable")

    def new_tab(self, url):
        """A new tab in front, at `url`; the tests talk to it from now on. Its target id."""
        target = self.send("Target.createTarget", {"url": url}, session=False)["targetId"]
        self.attach(target)
        return target

    def close_tab(self, target):
        self.send("Target.closeTarget", {"targetId": target}, session=False)

    def evaluate(self, expression, timeout=60):
        result = self.send("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True}, timeout=timeout)
        if "exceptionDetails" in result:
            details = result["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            raise ProtocolError(f"{expression}: {text}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout=30, what=None):
        """Polls a page expression until it is true; returns its value."""
        deadline = time.monotonic() + timeout
        while True:
            try:
                value = self.evaluate(expression)
            except ProtocolError:
                value = None  # the page may be between two documents
            if value:
                return value
            if time.monotonic() > deadline:
                raise TimeoutError(f"waited {timeout} s for {what or expression}")
            time.sleep(0.05)

    def navigate(self, url):
        self.send("Page.navigate", {"url": url})

    def mouse(self, kind, x, y, button="none", buttons=0):
        params = {"type": kind, "x": x, "y": y, "button": button, "buttons": buttons}
        if kind != "mouseMoved":
            params["clickCount"] = 1
        self.send("Input.dispatchMouseEvent", params)

    def click(self, x, y, button="left"):
        mask = {"left": 1, "right": 2}[button]
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button, mask)
        self.mouse("mouseReleased", x, y, button, 0)

    def key(self, key, code, virtual):
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", {"type": kind, "key": key, "code": code,
                                                 "windowsVirtualKeyCode": virtual})

    def screenshot(self, path):
        data = self.send("Page.captureScreenshot", {"format": "png"})["data"]
        with open(path, "wb") as f:
            f.write(base64.b64decode(data))

    def errors(self):
        """Every error the page's console and log have seen so far."""
        found = []
        with self._lock:
            events = list(self.events)
        for e in events:
            method, p = e.get("method"), e.get("params", {})
            if method == "Runtime.consoleAPICalled" and p.get("type") in ("error", "assert"):
                found.append("console: " + " ".join(str(a.get("value", a.get("description"))) for a in p["args"]))
            elif method == "Runtime.exceptionThrown":
                d = p["exceptionDetails"]
                found.append("exception: " + (d.get("exception", {}).get("description") or d.get("text")))
            elif method == "Log.entryAdded" and p["entry"]["level"] == "error":
                found.append("log: " + p["entry"]["text"] + " " + p["entry"].get("url", ""))
        return found

    def processes(self):
        """The browser's process and all its children, by id."""
        children = {}
        for pid in os.listdir("/proc"):
            if not pid.isdigit():
                continue
            try:
                with open(f"/proc/{pid}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
            except OSError:
                continue
            children.setdefault(int(fields[1]), []).append(int(pid))
        found, todo = [], [self.process.pid]
        while todo:
            pid = todo.pop()
            found.append(pid)
            todo.extend(children.get(pid, []))
        return found

    def close(self):
        try:
            self.send("Browser.close", session=False, timeout=5)
        except (ProtocolError, OSError):
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
        if self.own_profile:
            shutil.rmtree(self.profile, ignore_errors=True)


def decode_png(data):
    """Width, height, channels and the rows of an 8-bit, non-interlaced RGB or RGBA PNG."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    at, idat, header = 8, b"", None
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        kind = data[at + 4:at + 8]
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height = int.from_bytes(header[0:4], "big"), int.from_bytes(header[4:8], "big")
    depth, colour, interlace = header[8], header[9], header[12]
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("only 8-bit RGB or RGBA PNG files without interlacing are read")
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 255
        elif kind == 2:
            for i in range(stride):
                line[i] = (line[i] + previous[i]) & 255
        elif kind == 3:
            for i in range(stride):
                left = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(stride):
                a = line[i - channels] if i >= channels else 0
                b = previous[i]
                c = previous[i - channels] if i >= channels else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows
