#!/usr/bin/env python3
"""Renders a viewer page in headless Chromium and checks pixels of the screenshot.

Usage: browser_check.py VIEWER
Exits with 77 (skipped) when Chromium is not installed.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

INPUT = "Mirvasta\n1\n\n1\n3\n0.2\n0.2\n0.1\n"
# Circles 1 and 2 overlap around (0.45, 0.5); circle 3 stands apart.
SUBMISSION = "123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n"
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update",
                  "--disable-sync", "--disable-quic", "--hide-scrollbars",
                  "--force-device-scale-factor=1", "--window-size=1200,680"]


def read_png(path):
    """Returns (width, height, rows of (r, g, b) tuples) of an 8-bit PNG."""
    with open(path, "rb") as f:
        data = f.read()
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
    return width, height, rows


def pixel(rows, x, y):
    """The pixel at square coordinates (x, y): the page draws the square's
    -0.05..1.05 into 640 pixels from (16, 16), y upwards."""
    return rows[round(16 + (1.05 - y) / 1.1 * 640)][round(16 + (x + 0.05) / 1.1 * 640)]


def main(viewer):
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    if chromium is None:
        print("SKIPPED: Chromium is not installed, so the page is not rendered")
        return 77
    with tempfile.TemporaryDirectory() as work:
        paths = {name: os.path.join(work, name) for name in ("in.txt", "sub.txt", "page.html", "shot.png")}
        with open(paths["in.txt"], "w") as f:
            f.write(INPUT)
        with open(paths["sub.txt"], "w") as f:
            f.write(SUBMISSION)
        subprocess.run([viewer, paths["in.txt"], paths["sub.txt"], paths["page.html"]], check=True)
        subprocess.run([chromium, *CHROMIUM_FLAGS, "--user-data-dir=" + os.path.join(work, "profile"),
                        "--screenshot=" + paths["shot.png"], "file://" + paths["page.html"]],
                       check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        _, _, rows = read_png(paths["shot.png"])

    checks = [
        ("the overlap of circles 1 and 2 is red", (0.45, 0.5),
         lambda r, g, b: r > 150 and g < 90 and b < 90),
        ("circle 1, which holds half the overlap, is orange", (0.2, 0.5),
         lambda r, g, b: r > 200 and r - b > 40 and g > 100),
        ("circle 3, without overlap, is pale blue", (0.8, 0.15),
         lambda r, g, b: b > r + 15 and b > 200),
        ("the square is white where no circle is", (0.9, 0.9),
         lambda r, g, b: min(r, g, b) > 245),
        ("outside every circle and the square, the page is white", (1.04, 0.5),
         lambda r, g, b: min(r, g, b) > 245),
    ]
    failed = 0
    for what, (x, y), fits in checks:
        colour = pixel(rows, x, y)
        ok = fits(*colour)
        failed += not ok
        print("%s: %s at (%g, %g) is %s" % ("ok" if ok else "FAILED", what, x, y, colour))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
