#!/usr/bin/env python3
"""Opens a viewer page in headless Chromium, clicks through it and checks pixels.

Usage: browser_check.py VIEWER
Exits with 77 (skipped) when Chromium or ChromeDriver is not installed.
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from webdriver import SKIPPED, Browser, Checks, chromium_and_driver  # noqa: E402

INPUT = ("Mirvasta\n3\n\n1\n3\n0.2\n0.2\n0.01\n\n2\n2\n0.3\n0.6\n"
         "\n3\n6\n0.1\n0.1\n0.1\n0.1\n0.1\n0.1\n")
# Block 1: circles 1 and 2 overlap around (0.45, 0.5); circle 3 stands apart.
# Block 2: circle 2 reaches from the square to x = 1.5 and overlaps circle 1.
# Block 3: six circles in a row, every one of the 15 pairs overlapping.
SUBMISSION = ("123456\nMirvasta\n1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n2\n0.2 0.5\n0.9 0.5\n"
              "3\n0.5 0.5\n0.51 0.5\n0.52 0.5\n0.53 0.5\n0.54 0.5\n0.55 0.5\n")


def colour_at(browser, rows, x, y):
    """The screenshot's pixel at placement coordinates (x, y)."""
    left, top, width, height, vx, vy, vw = browser.run(
        "const svg = document.querySelector('.mv-svg'), r = svg.getBoundingClientRect();"
        "const v = svg.getAttribute('viewBox').split(' ').map(Number);"
        "return [r.left, r.top, r.width, r.height, v[0], v[1], v[2]];")
    return rows[round(top + (-y - vy) / vw * height)][round(left + (x - vx) / vw * width)]


def main(viewer):
    programs = chromium_and_driver()
    if programs is None:
        print("SKIPPED: Chromium or ChromeDriver is not installed, so the page is not opened")
        return SKIPPED
    # One translucent blue disc over white, two, and orange.
    one = lambda r, g, b: 165 < r < 195 and 200 < g < 225 and b > 220
    two = lambda r, g, b: 110 < r < 140 and 170 < g < 195 and 200 < b < 230
    orange = lambda r, g, b: r > 200 and 130 < g < 190 and b < 90
    white = lambda r, g, b: min(r, g, b) > 250
    checks = Checks()
    expect = checks.expect

    with tempfile.TemporaryDirectory() as work:
        paths = {name: os.path.join(work, name) for name in ("in.txt", "sub.txt", "page.html")}
        with open(paths["in.txt"], "w") as f:
            f.write(INPUT)
        with open(paths["sub.txt"], "w") as f:
            f.write(SUBMISSION)
        subprocess.run([viewer, paths["in.txt"], paths["sub.txt"], paths["page.html"]], check=True)
        browser = Browser(*programs, os.path.join(work, "profile"))
        try:
            browser.offline()
            browser.open("file://" + paths["page.html"])
            rows = browser.screenshot()
            for what, (x, y), fits in [
                    ("block 1: where circles 1 and 2 overlap, two discs' shade", (0.45, 0.5), two),
                    ("block 1: circle 1 alone, one disc's shade", (0.2, 0.5), one),
                    ("block 1: the square is white where no circle is", (0.9, 0.9), white)]:
                expect(what, lambda c: fits(*c), colour_at(browser, rows, x, y))
            # Each circle's share: half of each of its lens areas.
            for circle, tip in [("1", "krog 1: središče (0.3, 0.5), polmer 0.2, "
                                      "delež cene 50.00 %"),
                                ("3", "krog 3: središče (0.8, 0.15), polmer 0.01, "
                                      "delež cene 0.00 %")]:
                expect("block 1: circle %s's tooltip" % circle, tip, browser.run(
                    "const c = document.querySelector('.mv-discs circle[data-i=\"%s\"]');"
                    "const r = c.getBoundingClientRect();"
                    "c.dispatchEvent(new PointerEvent('pointermove', {bubbles: true,"
                    "  clientX: r.x + r.width / 2, clientY: r.y + r.height / 2}));"
                    "return document.querySelector('.mv-tip').textContent;" % circle))
            expect("circle 3's number is too small to read", "none", browser.run(
                "return document.querySelectorAll('.mv-labels text')[2].style.display"))
            browser.run(
                "const svg = document.querySelector('.mv-svg');"
                "const r = document.querySelector('.mv-discs circle[data-i=\"3\"]')"
                "  .getBoundingClientRect();"
                "for (let i = 0; i < 8; ++i) svg.dispatchEvent(new WheelEvent('wheel', {"
                "  deltaY: -300, clientX: r.x + r.width / 2, clientY: r.y + r.height / 2}));")
            expect("zoomed in about it, circle 3's number shows", "", browser.run(
                "return document.querySelectorAll('.mv-labels text')[2].style.display"))

            browser.click("#blocks button[data-block='1']")
            rows = browser.screenshot()
            expect("the click shows block 2", "Testni primer 2",
                   browser.run("return document.querySelector('.mv-details h2').textContent"))
            expect("block 2: circle 2 beyond the square is drawn",
                   lambda c: 160 < c[0] < 190 and c[2] > 215, colour_at(browser, rows, 1.3, 0.5))
            browser.click(".mv-pairs tr[data-pair]")
            rows = browser.screenshot()
            expect("a click on the table's row draws its two circles on top", ["1", "2"],
                   browser.run("return [...document.querySelectorAll('.mv-chosen circle')]"
                               ".map((c) => c.dataset.i)"))
            expect("and their overlap in orange", lambda c: orange(*c),
                   colour_at(browser, rows, 0.45, 0.5))

            browser.click("#blocks button[data-block='2']")
            expect("block 3: the table lists the ten largest of its 15 overlaps", 10, browser.run(
                "return document.querySelectorAll('.mv-pairs tr[data-pair]').length"))
        finally:
            browser.close()
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
