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
    left, top, width, vx, vy, vw = browser.run(
        "const c = document.querySelector('.mv-canvas'), r = c.getBoundingClientRect();"
        "const v = document.querySelector('#placement').mirvasta.view();"
        "return [r.left, r.top, r.width, v.x, v.y, v.w];")
    return rows[round(top + (-y - vy) / vw * width)][round(left + (x - vx) / vw * width)]


# Points at circle i's centre and returns the tooltip's text.
TOOLTIP = """
const h = document.querySelector('#placement').mirvasta, v = h.view();
const c = document.querySelector('.mv-canvas'), r = c.getBoundingClientRect();
const x = %r, y = %r;
c.dispatchEvent(new PointerEvent('pointermove', {bubbles: true,
    clientX: r.left + (x - v.x) / v.w * r.width, clientY: r.top + (-y - v.y) / v.w * r.width}));
return document.querySelector('.mv-tip').textContent;
"""


def main(viewer):
    programs = chromium_and_driver()
    if programs is None:
        print("SKIPPED: Chromium or ChromeDriver is not installed, so the page is not opened")
        return SKIPPED
    # One translucent blue disc over white; a lens in the darkest of its
    # colours (a block's one pair is its largest); the chosen pair's orange.
    one = lambda r, g, b: 165 < r < 195 and 200 < g < 225 and b > 220
    darkest_lens = lambda r, g, b: 140 < r < 165 and 40 < g < 65 and b < 20
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
                    ("block 1: where circles 1 and 2 overlap, the lens's colour", (0.45, 0.5),
                     darkest_lens),
                    ("block 1: circle 1 alone, one disc's shade", (0.2, 0.5), one),
                    ("block 1: the square is white where no circle is", (0.9, 0.9), white)]:
                expect(what, lambda c: fits(*c), colour_at(browser, rows, x, y))
            # Each circle's share: half of each of its lens areas.
            for (x, y), tip in [((0.3, 0.5), "krog 1: središče (0.3, 0.5), polmer 0.2, "
                                             "delež cene 50.00 %"),
                                ((0.8, 0.15), "krog 3: središče (0.8, 0.15), polmer 0.01, "
                                              "delež cene 0.00 %")]:
                expect("block 1: the tooltip at (%g, %g)" % (x, y), tip,
                       browser.run(TOOLTIP % (x, y)))
            labels = "return document.querySelector('#placement').mirvasta.labels()" \
                     ".map((l) => l.circle)"
            expect("circle 3's number is too small to read", [1, 2], browser.run(labels))
            browser.run(
                "const c = document.querySelector('.mv-canvas'), r = c.getBoundingClientRect();"
                "const v = document.querySelector('#placement').mirvasta.view();"
                "const x = r.left + (0.8 - v.x) / v.w * r.width;"
                "const y = r.top + (-0.15 - v.y) / v.w * r.width;"
                "for (let i = 0; i < 8; ++i) c.dispatchEvent(new WheelEvent('wheel', {"
                "  deltaY: -300, clientX: x, clientY: y, bubbles: true, cancelable: true}));")
            expect("zoomed in about it, circle 3's number shows", lambda l: 3 in l,
                   browser.wait("return new Promise((done) => requestAnimationFrame(() =>"
                                "  done(document.querySelector('#placement').mirvasta.labels()"
                                "  .map((l) => l.circle))));"))
            browser.click(".mv-all")

            browser.click("#blocks button[data-block='1']")
            rows = browser.screenshot()
            expect("the click shows block 2", "Testni primer 2",
                   browser.run("return document.querySelector('.mv-details h2').textContent"))
            expect("block 2: circle 2 beyond the square is drawn",
                   lambda c: 160 < c[0] < 190 and c[2] > 215, colour_at(browser, rows, 1.3, 0.5))
            browser.click(".mv-pairs .mv-pair[data-pair='0']")
            browser.wait("return new Promise((done) => requestAnimationFrame(() => done(true)))")
            rows = browser.screenshot()
            expect("a click on the list's row zooms to its pair", 2.0,
                   browser.run("return document.querySelector('#placement').mirvasta.view().w"))
            expect("and draws their overlap in orange", lambda c: orange(*c),
                   colour_at(browser, rows, 0.4, 0.5))
            expect("with both their numbers, apart", [1, 2], sorted(browser.run(labels)))

            browser.click("#blocks button[data-block='2']")
            expect("block 3: the list holds all of its 15 overlaps", 15, browser.run(
                "return document.querySelector('.mv-spacer').offsetHeight / 22"))
            browser.run("const f = document.querySelector('.mv-search input'); f.value = '6';"
                        "f.dispatchEvent(new Event('input'));")
            expect("searching circle 6 leaves its five pairs", 5, browser.run(
                "return document.querySelectorAll('.mv-pairs .mv-pair').length"))
        finally:
            browser.close()
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
