#!/usr/bin/env python3
"""Serves the web build on 127.0.0.1: python3 tools/web/serve.py FOLDER [PORT] [--log FILE].

A file that has a gzip twin (FILE.gz, made by the build) is sent compressed to a browser that takes
gzip, with the type of the file itself; WebAssembly goes as application/wasm so the browser can
compile it while it arrives. Every answer carries an ETag and a Last-Modified, and a request that
names the copy the browser already has gets "304 Not Modified" without the file. A file whose name
carries its content's hash (the page's build names them so) never changes: the browser may keep it
for a year without asking; everything else it asks about again on every visit. With --log, a line
"STATUS BYTES TIME PATH" is written for every answer to a GET once it is sent (BYTES: of the body;
TIME: seconds since 1970). Port 0 takes a free port; the
first line printed names the address.
"""
import email.utils
import functools
import http.server
import os
import re
import sys
import time

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".data": "application/octet-stream",
    ".bin": "application/octet-stream",
    ".webmanifest": "application/manifest+json",
    ".png": "image/png",
    ".ogg": "audio/ogg",
}
HASHED = re.compile(r"\.[0-9a-f]{12}\.[a-z]+$")


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    log_file = None

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            if not self.path.split("?", 1)[0].endswith("/"):
                return super().send_head()  # the redirect to the folder's own address
            path = os.path.join(path, "index.html")
        if not os.path.isfile(path):
            self.send_error(404, "File not found")
            self.answer = (404, 0)
            return None
        sent, encoding = path, None
        packed = path + ".gz"
        # A twin older than its file belongs to an earlier build: the file is sent as it is.
        if ("gzip" in self.headers.get("Accept-Encoding", "") and os.path.isfile(packed)
                and os.path.getmtime(packed) >= os.path.getmtime(path)):
            sent, encoding = packed, "gzip"
        try:
            f = open(sent, "rb")
        except OSError:
            self.send_error(404, "File not found")
            self.answer = (404, 0)
            return None
        st = os.fstat(f.fileno())
        # The validators name the bytes sent: the compressed twin has an ETag of its own.
        etag = f'"{st.st_size:x}-{st.st_mtime_ns:x}{"-gz" if encoding else ""}"'
        modified = email.utils.formatdate(st.st_mtime, usegmt=True)
        if self._unchanged(etag, st.st_mtime):
            f.close()
            self.send_response(304)
            self._validators(path, etag, modified, encoding)
            self.end_headers()
            self.answer = (304, 0)
            return None
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Length", str(st.st_size))
        self._validators(path, etag, modified, encoding)
        self.end_headers()
        self.answer = (200, st.st_size)
        return f

    def _unchanged(self, etag, mtime):
        asked = self.headers.get("If-None-Match")
        if asked is not None:
            return etag in [t.strip() for t in asked.split(",")] or asked.strip() == "*"
        since = self.headers.get("If-Modified-Since")
        if since:
            try:
                return int(mtime) <= email.utils.parsedate_to_datetime(since).timestamp()
            except (TypeError, ValueError):
                return False
        return False

    def _validators(self, path, etag, modified, encoding):
        self.send_header("ETag", etag)
        self.send_header("Last-Modified", modified)
        if encoding:
            self.send_header("Content-Encoding", encoding)
        self.send_header("Vary", "Accept-Encoding")
        if HASHED.search(os.path.basename(path)):
            self.send_header("Cache-Control", "public, max-age=31536000, immutable")
        else:
            # Asked about again on every visit, so a new build is never hidden behind an old copy.
            self.send_header("Cache-Control", "no-cache")

    def do_GET(self):
        self.answer = None
        super().do_GET()
        # Written once the body is sent, with the time it was.
        if self.log_file and self.answer:
            with open(self.log_file, "a") as log:
                log.write(f"{self.answer[0]} {self.answer[1]} {time.time():.3f} {self.path}\n")

    def log_message(self, format, *args):
        if os.environ.get("VZ_SERVE_LOG"):
            super().log_message(format, *args)


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser that leaves a page while it loads closes its connections: nothing to report.
        if isinstance(sys.exc_info()[1], (BrokenPipeError, ConnectionResetError)):
            return
        super().handle_error(request, client_address)


def main():
    args = sys.argv[1:]
    log = None
    if "--log" in args:
        at = args.index("--log")
        if at + 1 >= len(args):
            print("usage: serve.py FOLDER [PORT] [--log FILE]", file=sys.stderr)
            return 2
        log = os.path.abspath(args[at + 1])
        del args[at:at + 2]
    if len(args) not in (1, 2):
        print("usage: serve.py FOLDER [PORT] [--log FILE]", file=sys.stderr)
        return 2
    folder = args[0]
    port = int(args[1]) if len(args) == 2 else 8025
    if not os.path.isfile(os.path.join(folder, "index.html")):
        print(f"serve.py: {folder} holds no index.html; build the page with ./web first", file=sys.stderr)
        return 1
    handler = functools.partial(type("LoggedHandler", (Handler,), {"log_file": log}), directory=folder)
    with Server(("127.0.0.1", port), handler) as server:
        print(f"Serving the game on http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
