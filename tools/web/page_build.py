#!/usr/bin/env python3
"""Puts the web page together: python3 tools/web/page_build.py --out SITE --script JS --wasm WASM
--images DIR --packs pictures.txt --page index.html --worker sw.js --manifest manifest.webmanifest
--icons DIR [--sounds DIR]

SITE gets the page's every file. The pictures go into packs (pictures.txt says which), so the title
can show before the scenes' pictures arrive. Every file the page fetches carries its content's hash
in its name, so the browser and the service worker may keep it as long as they like and a new build
never meets an old copy; index.html, which names them, sw.js, which lists them for keeping
offline, and the sounds (in sounds/, by the names the game asks for) are the only names that stay. Every file but the PNG icons is also kept gzip-compressed
(FILE.gz) for tools/web/serve.py. A file whose content is unchanged is not written again (its time
stamp, and so the server's validators, stay); files of earlier builds are removed.
"""
import argparse
import fnmatch
import gzip
import hashlib
import json
import os
import sys

# Never part of the page: a saved game or a half-written file a native run left among the pictures,
# and the picture builder's stamp.
LEFT_OUT = ["outro.sbf", "*.tmp", ".built"]
ICON_SIZES = (192, 512)


def read_rules(path):
    """The packs' rules in order: (pack, file or folder/) per line."""
    rules = []
    with open(path) as f:
        for number, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            words = line.split()
            if len(words) != 2:
                raise SystemExit(f"{path}:{number}: expected \"PACK PATH\", found \"{line}\"")
            rules.append((words[0], words[1]))
    return rules


def pack_of(rules, name):
    for pack, pattern in rules:
        if name == pattern or (pattern.endswith("/") and name.startswith(pattern)):
            return pack
    return None


def pictures(images):
    """Every picture below the images folder, as the game names it ("images/...")."""
    found = []
    for folder, dirs, files in os.walk(images):
        dirs.sort()
        for name in sorted(files):
            if any(fnmatch.fnmatch(name, p) for p in LEFT_OUT):
                continue
            full = os.path.join(folder, name)
            found.append(("images/" + os.path.relpath(full, images).replace(os.sep, "/"), full))
    return found


def hashed(name, content):
    stem, dot, ext = name.partition(".")
    return f"{stem}.{hashlib.sha256(content).hexdigest()[:12]}{dot}{ext}"


class Site:
    def __init__(self, out):
        self.out = out
        self.written = set()
        os.makedirs(out, exist_ok=True)

    def put(self, name, content, compress=True):
        self._write(name, content)
        if compress:
            self._write(name + ".gz", gzip.compress(content, 9, mtime=0))

    def _write(self, name, content):
        path = os.path.join(self.out, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.written.add(name)
        try:
            with open(path, "rb") as f:
                if f.read() == content:
                    return
        except OSError:
            pass
        with open(path + ".tmp", "wb") as f:
            f.write(content)
        os.replace(path + ".tmp", path)

    def remove_the_rest(self):
        for folder, _, files in os.walk(self.out):
            for name in files:
                path = os.path.join(folder, name)
                if os.path.relpath(path, self.out).replace(os.sep, "/") not in self.written:
                    os.remove(path)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for option in ("out", "script", "wasm", "images", "packs", "page", "worker", "manifest", "icons"):
        parser.add_argument("--" + option, required=True)
    parser.add_argument("--sounds", default="", help="the sounds' folder; without it the page is silent")
    args = parser.parse_args()
    site = Site(args.out)

    rules = read_rules(args.packs)
    order = list(dict.fromkeys(pack for pack, _ in rules))
    contents = {pack: [] for pack in order}
    for name, full in pictures(args.images):
        pack = pack_of(rules, name)
        if pack is None:
            raise SystemExit(f"page_build: no pack in {args.packs} takes {name}")
        contents[pack].append((name, read(full)))
    if not contents.get("title"):
        raise SystemExit(f"page_build: {args.packs} puts no picture into the title pack")

    packs = []
    for pack in order:
        if not contents[pack]:
            continue
        blob, files = b"", []
        for name, content in contents[pack]:
            files.append([name, len(blob), len(content)])
            blob += content
        url = hashed(f"pictures-{pack}.bin", blob)
        site.put(url, blob)
        packs.append({"name": pack, "url": url, "bytes": len(blob), "files": files})

    script = hashed("vudizid.js", read(args.script))
    wasm = hashed("vudizid.wasm", read(args.wasm))
    site.put(script, read(args.script))
    site.put(wasm, read(args.wasm))

    icons = {}
    for size in ICON_SIZES:
        content = read(os.path.join(args.icons, f"{size}x{size}", "apps", "vudizid.png"))
        icons[size] = hashed(f"icon-{size}.png", content)
        site.put(icons[size], content, compress=False)
    manifest_text = read(args.manifest).decode()
    for size in ICON_SIZES:
        manifest_text = manifest_text.replace(f"@ICON_{size}@", icons[size])
    manifest = hashed("manifest.webmanifest", manifest_text.encode())
    site.put(manifest, manifest_text.encode())

    # The sounds keep their names (the page asks for sounds/NAME.ogg); Ogg gains nothing from gzip.
    # Their contents count in the build's version, so a new sound is a new build for the worker.
    sounds, heard = [], hashlib.sha256()
    if args.sounds and os.path.isdir(args.sounds):
        for name in sorted(os.listdir(args.sounds)):
            if name.endswith(".ogg"):
                content = read(os.path.join(args.sounds, name))
                site.put("sounds/" + name, content, compress=False)
                sounds.append("sounds/" + name)
                heard.update(name.encode() + hashlib.sha256(content).digest())

    fetched = [script, wasm, manifest, *icons.values(), *(p["url"] for p in packs), *sounds]
    version = hashlib.sha256("\n".join(fetched).encode() + heard.digest() + read(args.page)).hexdigest()[:12]
    page_data = {"version": version, "script": script, "wasm": wasm, "packs": packs}
    page = read(args.page).decode()
    for key, value in {"@PAGE_DATA@": json.dumps(page_data, separators=(",", ":")), "@SCRIPT@": script,
                       "@WASM@": wasm, "@MANIFEST@": manifest, "@ICON_192@": icons[192]}.items():
        page = page.replace(key, value)
    site.put("index.html", page.encode())

    worker = read(args.worker).decode()
    worker = worker.replace("@VERSION@", version).replace("@FILES@", json.dumps(["./", *fetched]))
    site.put("sw.js", worker.encode())
    site.remove_the_rest()
    total = sum(p["bytes"] for p in packs)
    print(f"page_build: {len(packs)} packs of pictures ({total} bytes), {len(sounds)} sounds, version {version}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
