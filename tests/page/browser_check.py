#!/usr/bin/env python3
"""Opens the contestants' page from disk in headless Chromium, with the network
blocked, grades three submissions in it and checks what it shows against the
native evaluator and the merge tool.

Usage: browser_check.py PAGE EVALUATOR MERGE [SCREENSHOT]
Exits with 77 (skipped) when Chromium or ChromeDriver is not installed.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from webdriver import SKIPPED, Browser, Checks, chromium_and_driver  # noqa: E402

# Case 4: 48 circles on a jittered grid, a few of them overlapping.
GRID = [(0.08 + 0.14 * (i % 7) + 0.013 * ((i * 7) % 5 - 2),
         0.08 + 0.14 * (i // 7) + 0.013 * ((i * 3) % 5 - 2)) for i in range(48)]
INPUT = ("Mirvasta\n4\n\n1\n3\n0.2\n0.2\n0.1\n\n2\n2\n0.3\n0.6\n"
         "\n3\n6\n0.1\n0.1\n0.1\n0.1\n0.1\n0.1\n\n4\n48\n" +
         "".join("%.3f\n" % (0.06 + 0.004 * (i % 5)) for i in range(48)))
FILES = {
    "a.txt": "123456\nMirvasta\n3\n0.5 0.5\n0.51 0.5\n0.52 0.5\n0.53 0.5\n0.54 0.5\n0.55 0.5\n"
             "1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n2\n0.2 0.5\n0.9 0.5\n4\n" +
             "".join("%.3f %.3f\n" % p for p in GRID),
    # Better on case 1, worse on 2, case 3 left out, and CRLF line ends.
    "b.txt": "654321\r\nMirvasta\r\n2\r\n0.3 0.5\r\n0.85 0.5\r\n1\r\n0.2 0.5\r\n0.8 0.5\r\n"
             "0.5 0.1\r\n",
    # Line 5 holds one number.
    "c.txt": "111111\nMirvasta\n1\n0.1 0.1\n0.5\n0.9 0.9\n",
}


def main(page, evaluator, merge, screenshot=None):
    programs = chromium_and_driver()
    if programs is None:
        print("SKIPPED: Chromium or ChromeDriver is not installed, so the page is not opened")
        return SKIPPED
    checks = Checks()
    expect = checks.expect

    with tempfile.TemporaryDirectory() as work:
        path = lambda name: os.path.join(work, name)
        with open(path("input.txt"), "w") as f:
            f.write(INPUT)
        reports = {}
        for name, text in FILES.items():
            with open(path(name), "w", newline="") as f:
                f.write(text)
            subprocess.run([evaluator, "eval", path("input.txt"), path(name), path("report")],
                           check=True, stdout=subprocess.DEVNULL)
            with open(path("report"), "rb") as f:
                reports[name] = f.read().decode("latin-1")
        subprocess.run([merge, path("input.txt")] + [path(n) for n in FILES] +
                       ["-o", path("merged.txt")], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        with open(path("merged.txt"), "rb") as f:
            merged = f.read()
        os.mkdir(path("downloads"))

        browser = Browser(*programs, path("profile"), size=(1280, 2200))
        try:
            browser.offline()
            browser.downloads_to(path("downloads"))
            browser.open("file://" + os.path.abspath(page))
            browser.send_keys("#input-file", path("input.txt"))
            browser.send_keys("#submission-files", "\n".join(path(n) for n in FILES))
            sections = browser.wait("const s = document.querySelectorAll('#results section');"
                                    "return s.length === 3 && s.length;")
            expect("three submissions graded", 3, sections)
            expect("no request left the page", 0, browser.run(
                "return performance.getEntriesByType('resource')"
                ".filter((r) => !r.name.startsWith('blob:')).length"))
            shown = browser.run("return [...document.querySelectorAll('#results pre.report')]"
                                ".map((p) => p.textContent)")
            for name, text in zip(FILES, shown):
                expect("%s: the report as the evaluator writes it" % name, reports[name], text)
            lines = reports["a.txt"].splitlines()[2:]
            expect("a.txt: the table of cases and costs", [l.split(" ") for l in lines],
                   browser.run("return [...document.querySelectorAll('#results section')[0]"
                               ".querySelectorAll('tr[data-block]')]"
                               ".map((r) => [...r.cells].map((c) => c.textContent))"))
            browser.click("#results section:nth-of-type(1) th[data-sort='cost']")
            expect("a click on the cost column sorts the rows", ["1", "4", "2", "3"], browser.run(
                "return [...document.querySelectorAll('#results section')[0]"
                ".querySelectorAll('tr[data-block] td:first-child')].map((c) => c.textContent)"))
            expect("c.txt: its offending line beside its number", ["5", "0.5"], browser.run(
                "return [...document.querySelector('.listing tr.offending').cells]"
                ".map((c) => c.textContent)"))
            expect("c.txt: with the lines around it", ["2", "3", "4", "5", "6"], browser.run(
                "return [...document.querySelectorAll('.listing td.number')]"
                ".map((c) => c.textContent)"))
            expect("the best of each case is marked", 4, browser.run(
                "return document.querySelectorAll('#compare td.best').length"))

            browser.click("#download-best")
            target = path("downloads/best.txt")
            for _ in range(100):
                if os.path.exists(target) and os.path.getsize(target) == len(merged):
                    break
                time.sleep(0.1)
            downloaded = open(target, "rb").read() if os.path.exists(target) else None
            expect("the downloaded best placements are the merge tool's bytes", merged, downloaded)

            browser.click("#results section:nth-of-type(1) tr[data-block='3']")
            expect("a row's case is drawn", 48, browser.wait(
                "return document.querySelectorAll('#placement .mv-discs circle').length"))
            browser.click("#placement .mv-pairs tr[data-pair]")
            expect("a pair chosen in its table is drawn on top", 2, browser.run(
                "return document.querySelectorAll('#placement .mv-chosen circle').length"))
            if screenshot:
                browser.run("window.scrollTo(0, 0)")
                with open(screenshot, "wb") as f:
                    f.write(browser.screenshot_png())
            browser.click("#language")
            expect("the page speaks English at a click", "Mirvasta: grade and view submissions",
                   browser.run("return document.querySelector('h1').textContent"))
        finally:
            browser.close()
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
