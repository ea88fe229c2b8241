#!/usr/bin/python3
"""The site as a web server sends it: text gzipped for a browser that
accepts it, each file with its type and a cache lifetime, on 127.0.0.1.
For measuring the page as people get it (Lighthouse, bench/web.py); the
tests use Python's plain server.

    serve.py SITE_DIR [PORT]
"""

import functools
import gzip
import http.server
import os
import sys
import threading

# Text and WebAssembly compress; the pictures are compressed already.
COMPRESSED = {".html", ".js", ".wasm", ".css", ".json", ".webmanifest", ".svg", ".txt", ".csv", ".LICENSE"}
TYPES = {".js": "text/javascript", ".webmanifest": "application/manifest+json", ".svg": "image/svg+xml",
         ".LICENSE": "text/plain"}


class GzipHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    packed = {}  # path -> (modification time, gzipped bytes)

    def log_message(self, *args):
        pass

    def end_headers(self):
        name = self.path.split("?")[0]
        # The page and its service worker are checked on every visit; the
        # rest may be kept for an hour.
        fresh = name.endswith((".html", "/", "sw.js"))
        self.send_header("Cache-Control", "no-cache" if fresh else "max-age=3600")
        super().end_headers()

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        extension = os.path.splitext(path)[1]
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not (accepts and extension in COMPRESSED and os.path.isfile(path)):
            return super().send_head()
        modified = os.path.getmtime(path)
        cached = self.packed.get(path)
        if not cached or cached[0] != modified:
            with open(path, "rb") as f:
                cached = self.packed[path] = (modified, gzip.compress(f.read(), 9))
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Vary", "Accept-Encoding")
        self.send_header("Content-Length", str(len(cached[1])))
        self.end_headers()
        return _Body(cached[1])


class _Body:
    """What send_head returns for copyfile to send: the gzipped bytes."""

    def __init__(self, data):
        self.data = data

    def read(self, size=-1):
        data, self.data = (self.data, b"") if size < 0 else (self.data[:size], self.data[size:])
        return data

    def close(self):
        pass


def serve(site, port=0):
    """Starts serving `site` in a thread; returns the server (its URL is
    http://127.0.0.1:server.server_address[1]/)."""
    httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(GzipHandler, directory=site))
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return httpd


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    server = serve(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 8000)
    print(f"Serving {sys.argv[1]} gzipped on http://127.0.0.1:{server.server_address[1]}/")
    threading.Event().wait()
