#!/usr/bin/env python3
"""Times the drawing's frames at 1000 circles in headless Chromium.

Usage: page_frames.py --gen GEN --view VIEW --work DIR [--steps N] [--screenshot PNG]

Writes a case of 1000 circles and a greedy placement of it (the generator),
the viewer's page for it (the drawing that both pages share), opens it in
headless Chromium, zooms in until most circles' numbers show, then turns the
wheel N times over the view, in and out, and pans it N times by keyboard
or drag. Each step is timed from the event to the frame after it is drawn
(two animation frames, so that the drawing and its paint are both in), and
the median and the largest are printed, with the number of labels shown.
--screenshot keeps a picture of the view zoomed in.
"""
import argparse
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
from webdriver import Browser, chromium_and_driver  # noqa: E402

# One wheel step over the view's centre, timed to the second frame after it.
STEP = """
const done = arguments[0];
const view = document.querySelector('.mv-view');
const box = view.getBoundingClientRect();
const target = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
const start = performance.now();
target.dispatchEvent(new WheelEvent('wheel', {deltaY: %d, clientX: box.left + box.width / 2,
    clientY: box.top + box.height / 2, bubbles: true, cancelable: true}));
requestAnimationFrame(() => requestAnimationFrame(() => done(performance.now() - start)));
"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--gen", required=True)
    parser.add_argument("--view", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--steps", type=int, default=40)
    parser.add_argument("--screenshot")
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    work = lambda name: os.path.abspath(os.path.join(options.work, name))
    subprocess.run([options.gen, "--cases", "1", "--circles", "1000", "--coverage", "0.9",
                    "--seed", "3", "-o", work("input.txt")], check=True)
    subprocess.run([options.gen, "--submission", work("input.txt"), "--place", "greedy",
                    "-o", work("submission.txt")], check=True)
    subprocess.run([options.view, work("input.txt"), work("submission.txt"), work("page.html")],
                   check=True)
    programs = chromium_and_driver()
    if programs is None:
        sys.exit("needs Chromium and ChromeDriver")
    browser = Browser(*programs, work("profile"), size=(1280, 900))
    step = lambda delta: browser.call("POST", browser.session + "/execute/async",
                                      {"script": STEP % delta, "args": []})
    try:
        browser.open("file://" + work("page.html"))
        whole = [step(-1 if k % 2 else 1) for k in range(options.steps)]
        for _ in range(3):
            step(-150)
        zoomed = [step(-120 if k % 2 else 120) for k in range(options.steps)]
        labels = browser.run(
            "const l = document.querySelector('.mv-view').dataset.labels;"
            "return l !== undefined ? Number(l) : [...document.querySelectorAll('.mv-labels text')]"
            ".filter((t) => t.style.display !== 'none').length;")
        if options.screenshot:
            with open(options.screenshot, "wb") as f:
                f.write(browser.screenshot_png())
    finally:
        browser.close()
    for name, times in (("whole view", whole), ("zoomed in, labels on", zoomed)):
        print("%-22s median %6.1f ms, largest %6.1f ms over %d wheel steps" %
              (name, statistics.median(times), max(times), len(times)))
    print("labels shown when zoomed in: %d" % labels)


if __name__ == "__main__":
    main()
