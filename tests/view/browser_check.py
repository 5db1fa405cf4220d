#!/usr/bin/env python3
"""Opens a viewer page in headless Chromium, clicks through it and checks pixels.

Usage: browser_check.py VIEWER
Drives Chromium through ChromeDriver's WebDriver protocol (plain HTTP and
JSON), so it needs nothing but the two programs. Exits with 77 (skipped)
when Chromium or ChromeDriver is not installed.
"""
import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request
import zlib

INPUT = "Mirvasta\n2\n\n1\n3\n0.2\n0.2\n0.1\n\n2\n2\n0.3\n0.6\n"
# Block 1: circles 1 and 2 overlap around (0.45, 0.5); circle 3 stands apart.
# Block 2: circle 2 reaches from the square to x = 1.5 and overlaps circle 1.
SUBMISSION = "123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n2\n0.2 0.5\n0.9 0.5\n"
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--disable-quic", "--hide-scrollbars",
                  "--force-device-scale-factor=1", "--window-size=1200,680"]
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"


def read_png(data):
    """Returns the rows of (r, g, b) tuples of an 8-bit PNG."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, "unexpected PNG format"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    bpp = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up, corner = previous[i], previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        previous = line
    return rows


class Browser:
    """A WebDriver session of ChromeDriver."""

    def __init__(self, chromium, chromedriver, profile):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.driver = subprocess.Popen([chromedriver, "--port=%d" % self.port],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                self.call("GET", "/status")
                break
            except OSError:
                time.sleep(0.1)
        options = {"binary": chromium, "args": CHROMIUM_FLAGS + ["--user-data-dir=" + profile]}
        session = self.call("POST", "/session",
                            {"capabilities": {"alwaysMatch": {"goog:chromeOptions": options}}})
        self.session = "/session/" + session["sessionId"]
        # Room below the 640-pixel view, whatever the window's own parts take.
        self.call("POST", self.session + "/window/rect", {"width": 1200, "height": 900})

    def call(self, method, path, body=None):
        request = urllib.request.Request("http://127.0.0.1:%d%s" % (self.port, path), method=method,
                                         data=None if body is None else json.dumps(body).encode(),
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=60) as response:
            return json.loads(response.read())["value"]

    def open(self, url):
        self.call("POST", self.session + "/url", {"url": url})

    def click(self, selector):
        element = self.call("POST", self.session + "/element",
                            {"using": "css selector", "value": selector})
        self.call("POST", self.session + "/element/%s/click" % element[ELEMENT], {})

    def run(self, script):
        return self.call("POST", self.session + "/execute/sync", {"script": script, "args": []})

    def screenshot(self):
        return read_png(base64.b64decode(self.call("GET", self.session + "/screenshot")))

    def close(self):
        try:
            self.call("DELETE", self.session)
        finally:
            self.driver.terminate()
            self.driver.wait()


def pixel(browser, rows, x, y):
    """The pixel at square coordinates (x, y) of the block shown: the page
    draws its view box into 640 pixels from (16, 16), y upwards."""
    left, top, side, _ = map(float, browser.run(
        "return document.querySelector('#view svg').getAttribute('viewBox')").split())
    # The page draws y upwards as -y: the box's top edge is minus the view's.
    return rows[round(16 + (-y - top) / side * 640)][round(16 + (x - left) / side * 640)]


def main(viewer):
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    chromedriver = shutil.which("chromedriver")
    if chromium is None or chromedriver is None:
        print("SKIPPED: Chromium or ChromeDriver is not installed, so the page is not opened")
        return 77
    red = lambda r, g, b: r > 150 and g < 90 and b < 90
    orange = lambda r, g, b: r > 200 and r - b > 40 and g > 100
    pale_blue = lambda r, g, b: b > r + 15 and b > 200
    white = lambda r, g, b: min(r, g, b) > 245
    failed = 0

    def expect(what, fits, value):
        nonlocal failed
        ok = fits(value) if callable(fits) else fits == value
        failed += not ok
        print("%s: %s: %r" % ("ok" if ok else "FAILED", what, value))

    with tempfile.TemporaryDirectory() as work:
        paths = {name: os.path.join(work, name) for name in ("in.txt", "sub.txt", "page.html")}
        with open(paths["in.txt"], "w") as f:
            f.write(INPUT)
        with open(paths["sub.txt"], "w") as f:
            f.write(SUBMISSION)
        subprocess.run([viewer, paths["in.txt"], paths["sub.txt"], paths["page.html"]], check=True)
        browser = Browser(chromium, chromedriver, os.path.join(work, "profile"))
        try:
            browser.open("file://" + paths["page.html"])
            rows = browser.screenshot()
            for what, (x, y), fits in [
                    ("block 1: the overlap of circles 1 and 2 is red", (0.45, 0.5), red),
                    ("block 1: circle 1, half of the overlap, is orange", (0.2, 0.5), orange),
                    ("block 1: circle 3, without overlap, is pale blue", (0.8, 0.15), pale_blue),
                    ("block 1: the square is white where no circle is", (0.9, 0.9), white)]:
                expect(what, lambda c: fits(*c), pixel(browser, rows, x, y))
            expect("block 1: circle 3's tooltip", "krog 3: sredisce (0.8, 0.15), polmer 0.1, "
                   "delez cene 0.00 %", browser.run(
                       "return document.querySelector('#view circle[data-i=\"3\"] title')"
                       ".textContent"))

            browser.click("#blocks button[data-block='1']")
            rows = browser.screenshot()
            expect("the click shows block 2", "Testni primer 2",
                   browser.run("return document.querySelector('#details h2').textContent"))
            for what, (x, y), fits in [
                    ("block 2: the overlap of circles 1 and 2 is red", (0.4, 0.5), red),
                    ("block 2: circle 2 beyond the square is drawn, orange", (1.3, 0.5), orange)]:
                expect(what, lambda c: fits(*c), pixel(browser, rows, x, y))

            browser.click("#details tr[data-a]")
            expect("a click on the table's row highlights its two circles", ["1", "2"],
                   browser.run("return [...document.querySelectorAll('#view circle.chosen')]"
                               ".map((c) => c.dataset.i)"))
        finally:
            browser.close()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
