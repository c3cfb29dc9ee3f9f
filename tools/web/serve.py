#!/usr/bin/env python3
"""Serves the web build on 127.0.0.1: python3 tools/web/serve.py FOLDER [PORT].

A file that has a gzip twin (FILE.gz, made by the build) is sent compressed to a browser that takes
gzip, with the type of the file itself; WebAssembly goes as application/wasm so the browser can
compile it while it arrives. Port 0 takes a free port; the first line printed names the address.
"""
import functools
import http.server
import os
import sys

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".wasm": "application/wasm",
    ".data": "application/octet-stream",
    ".ogg": "audio/ogg",
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        wants_gzip = "gzip" in self.headers.get("Accept-Encoding", "")
        packed = path + ".gz"
        if not (wants_gzip and os.path.isfile(path) and os.path.isfile(packed)):
            return super().send_head()
        # A twin older than its file belongs to an earlier build: send the file as it is.
        if os.path.getmtime(packed) < os.path.getmtime(path):
            return super().send_head()
        try:
            f = open(packed, "rb")
        except OSError:
            return super().send_head()
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(os.fstat(f.fileno()).st_size))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return f

    def end_headers(self):
        # Every visit asks again, so a new build is never hidden behind an old copy.
        self.send_header("Cache-Control", "no-cache")
        super().end_headers()

    def log_message(self, format, *args):
        if os.environ.get("VZ_SERVE_LOG"):
            super().log_message(format, *args)


def main():
    if len(sys.argv) not in (2, 3):
        print("usage: serve.py FOLDER [PORT]", file=sys.stderr)
        return 2
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) == 3 else 8025
    if not os.path.isfile(os.path.join(folder, "index.html")):
        print(f"serve.py: {folder} holds no index.html; build the page with ./web first", file=sys.stderr)
        return 1
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(("127.0.0.1", port), handler) as server:
        print(f"Serving the game on http://127.0.0.1:{server.server_address[1]}/", flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
