#!/usr/bin/env python3
"""Times the contestants' page grading a 40 MB submission in headless
Chromium, against the native evaluator on the same files, in turn, in one run.

Usage: page_speed.py --gen GEN --evaluator EVAL --page PAGE --work DIR [--runs N]

The input is 100 cases of 1000 circles; the submission answers each case ten
times over (1000 blocks, about 40 MB). The page is timed from the moment the
submission is chosen to the moment its grading is shown (reading the file,
copying it to the worker, evaluating, the card with its table); the
evaluator from its start to its end. Each is run N times, alternately, and
the median of each is compared; the reports must be the same bytes. The
page's second worker, its helper, scores part of the blocks: how many is
printed too.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
from webdriver import Browser, chromium_and_driver  # noqa: E402

# Times the grading of the submission chosen next: from the choice to the
# status line that says it is graded.
WATCH = """
window.graded = null;
const status = document.querySelector('#status');
status.textContent = '';
document.querySelector('#submission-files').addEventListener('change', () => {
  const start = performance.now();
  new MutationObserver((changes, observer) => {
    if (!status.textContent) return;
    observer.disconnect();
    requestAnimationFrame(() => { window.graded = performance.now() - start; });
  }).observe(status, {childList: true, characterData: true, subtree: true});
}, {once: true});
"""


def files(options, work):
    subprocess.run([options.gen, "--cases", "100", "--circles", "1000", "--seed", "4", "-o",
                    work("input.txt")], check=True)
    subprocess.run([options.gen, "--submission", work("input.txt"), "--place", "random", "-o",
                    work("once.txt")], check=True)
    with open(work("once.txt"), "rb") as f:
        contestant, task, blocks = f.read().split(b"\n", 2)
    with open(work("large.txt"), "wb") as f:
        f.write(contestant + b"\n" + task + b"\n" + blocks * 10)


def native(options, work):
    start = time.perf_counter()
    subprocess.run([options.evaluator, "eval", work("input.txt"), work("large.txt"),
                    work("report.txt")], check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def page(browser, options, work):
    browser.open("file://" + os.path.abspath(options.page))
    browser.wait("return document.documentElement.dataset.evaluator === 'ready'")
    browser.send_keys("#input-file", work("input.txt"))
    browser.run(WATCH)
    browser.send_keys("#submission-files", work("large.txt"))
    seconds = browser.wait("return window.graded !== null && window.graded", 120) / 1000
    report = browser.run("return document.querySelector('#results pre.report').textContent")
    helped = browser.run("return mirvastaPage.result().answers[0].helped || 0")
    return seconds, report, helped


def main():
    parser = argparse.ArgumentParser()
    for option in ("--gen", "--evaluator", "--page", "--work"):
        parser.add_argument(option, required=True)
    parser.add_argument("--runs", type=int, default=5)
    options = parser.parse_args()
    os.makedirs(options.work, exist_ok=True)
    work = lambda name: os.path.abspath(os.path.join(options.work, name))
    files(options, work)
    programs = chromium_and_driver()
    if programs is None:
        sys.exit("needs Chromium and ChromeDriver")
    browser = Browser(*programs, work("profile"), size=(1280, 900))
    natives, pages, helped = [], [], []
    try:
        for _ in range(options.runs):
            natives.append(native(options, work))
            seconds, report, blocks = page(browser, options, work)
            pages.append(seconds)
            helped.append(blocks)
    finally:
        browser.close()
    with open(work("report.txt"), encoding="latin-1") as f:
        same = f.read() == report
    size = os.path.getsize(work("large.txt")) / 1e6
    n, p = statistics.median(natives), statistics.median(pages)
    print("a %.0f MB submission, %d runs each: native median %.2f s, page median %.2f s, "
          "page / native %.2f; reports %s; the helper scored %s of 1000 blocks"
          % (size, options.runs, n, p, p / n, "the same" if same else "DIFFER",
             "/".join(map(str, sorted(set(helped))))))
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
