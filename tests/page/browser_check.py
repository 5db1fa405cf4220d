#!/usr/bin/env python3
"""Drives the contestants' page in headless Chromium as a contestant does and
checks what it shows against the native programs: the evaluator, the merge
tool and the judge.

Usage: browser_check.py PAGE EVALUATOR MERGE JUDGE GEN [SCREENSHOT]
Exits with 77 (skipped) when Chromium or ChromeDriver is not installed.

The loop: grade three submissions (the reports, the tables, the best of
them, a placement); rewrite a submission as a solver does and grade again
(the new bytes, through a file handle, or a clear refusal where the browser
gives none); remove a file while a large one is graded (never another
file's verdict); grade large files, which a second worker helps with (the
evaluator's reports); and compare submissions with a repeated and a missing case
(the judge's scores).
"""
import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
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
EXAMPLES = os.path.join(os.path.dirname(__file__), "..", "..", "examples")

# Collects the page's errors from now on: uncaught ones, rejected promises
# and console.error.
CATCH_ERRORS = """
window.pageErrors = [];
window.addEventListener('error', (e) => pageErrors.push(String(e.message)));
window.addEventListener('unhandledrejection', (e) => pageErrors.push(String(e.reason)));
const original = console.error;
console.error = (...args) => { pageErrors.push(args.join(' ')); original(...args); };
"""

# Writes files into the origin's private file system and hands the page
# their handles, as a drop or the browser's picker does; rewrites one later.
ADD_HANDLES = """
const done = arguments[0];
(async () => {
  const root = await navigator.storage.getDirectory();
  const handles = [];
  for (const [name, text] of %s) {
    const handle = await root.getFileHandle(name, {create: true});
    const writable = await handle.createWritable();
    await writable.write(text);
    await writable.close();
    handles.push(handle);
  }
  window.showOpenFilePicker = async () => handles.slice(1);
  await mirvastaPage.addHandles(handles.slice(0, 1), true);
  document.querySelector('#choose-submissions').click();
})().then(() => done('ok'), (e) => done(String(e)));
"""
REWRITE = """
const done = arguments[0];
(async () => {
  const root = await navigator.storage.getDirectory();
  const writable = await (await root.getFileHandle(%r)).createWritable();
  await writable.write(%r);
  await writable.close();
})().then(() => done('ok'), (e) => done(String(e)));
"""


def run(command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def native_report(evaluator, work, input_text, submission_text):
    paths = [os.path.join(work, n) for n in ("native-in.txt", "native-sub.txt", "native-report")]
    for path, text in zip(paths, (input_text, submission_text)):
        with open(path, "w", newline="") as f:
            f.write(text)
    run([evaluator, "eval"] + paths)
    with open(paths[2], "rb") as f:
        return f.read().decode("latin-1")


def cards(browser):
    """Each card's heading and report, as shown."""
    return browser.run("return [...document.querySelectorAll('#results section')].map((s) =>"
                       " [s.querySelector('h2').textContent,"
                       "  (s.querySelector('pre.report') || {}).textContent || ''])")


def serve(folder):
    """Serves `folder` on a port of localhost, where the page gets the storage
    that file handles need; returns the server."""
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    handler.log_message = lambda *args: None
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def grades_and_compares(browser, expect, path, evaluator, merge, screenshot):
    reports = {}
    for name, text in FILES.items():
        reports[name] = native_report(evaluator, path(""), INPUT, text)
    subprocess.run([merge, path("input.txt")] + [path(n) for n in FILES] +
                   ["-o", path("merged.txt")], capture_output=True)
    with open(path("merged.txt"), "rb") as f:
        merged = f.read()

    browser.send_keys("#input-file", path("input.txt"))
    browser.send_keys("#submission-files", "\n".join(path(n) for n in FILES))
    expect("three submissions graded", 3, browser.wait(
        "const s = document.querySelectorAll('#results section');"
        "return s.length === 3 && document.querySelector('#compare table') && s.length;"))
    expect("no request left the page", 0, browser.run(
        "return performance.getEntriesByType('resource')"
        ".filter((r) => !r.name.startsWith('blob:')).length"))
    for name, (heading, text) in zip(FILES, cards(browser)):
        expect("%s: the report as the evaluator writes it" % name, reports[name], text)
    lines = reports["a.txt"].splitlines()[2:]
    expect("a.txt: the table of cases and costs", [l.split(" ") + ["✓"] for l in lines],
           browser.run("return [...document.querySelectorAll('#results section')[0]"
                       ".querySelectorAll('tr[data-block]')]"
                       ".map((r) => [...r.cells].map((c) => c.textContent))"))
    browser.click("#results section:nth-of-type(1) th button[data-sort='cost']")
    expect("a click on the cost column sorts the rows", ["1", "4", "2", "3"], browser.run(
        "return [...document.querySelectorAll('#results section')[0]"
        ".querySelectorAll('tr[data-block] td:first-child')].map((c) => c.textContent)"))
    expect("c.txt: its offending line beside its number", ["5", "0.5"], browser.run(
        "return [...document.querySelector('.listing tr.offending').cells]"
        ".map((c) => c.textContent)"))
    expect("c.txt: with the lines around it", ["2", "3", "4", "5", "6"], browser.run(
        "return [...document.querySelectorAll('.listing td.number')].map((c) => c.textContent)"))
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

    # The keyboard reaches a row of the table: Enter draws its case.
    browser.run("const row = document.querySelector('#results section tr[data-block=\"3\"]');"
                "row.focus(); row.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter',"
                " bubbles: true}));")
    expect("a row's case is drawn", "Testni primer 4", browser.wait(
        "const h = document.querySelector('#placement .mv-details h2');"
        "return h && h.textContent;"))
    expect("and the focus is on the drawing", True, browser.wait(
        "return document.activeElement === document.querySelector('#placement .mv-view')"))
    expect("each table of costs is one stop of the Tab key", [1, 1], browser.run(
        "return [...document.querySelectorAll('#results table.costs')].map((t) =>"
        " [...t.querySelectorAll('button, tr, a, input')].filter((e) => e.tabIndex >= 0).length)"))
    browser.click("#placement .mv-pairs .mv-pair[data-pair='0']")
    expect("a pair chosen in the list is zoomed to", lambda w: w < 0.5, browser.wait(
        "return document.querySelector('#placement').mirvasta.view().w < 0.5 &&"
        " document.querySelector('#placement').mirvasta.view().w"))
    expect("no two numbers shown overlap", True, browser.run(
        "const l = document.querySelector('#placement').mirvasta.labels().map((x) => x.box);"
        "return l.length > 1 && l.every((a, i) => l.every((b, j) => i === j || a.x1 <= b.x0 ||"
        " a.x0 >= b.x1 || a.y1 <= b.y0 || a.y0 >= b.y1));"))
    width = browser.run("return document.querySelector('#placement').mirvasta.view().w")
    browser.run("document.querySelector('#placement .mv-view').dispatchEvent("
                "new KeyboardEvent('keydown', {key: '+', bubbles: true}))")
    expect("the key + zooms in", lambda w: abs(w - width / 1.25) < 1e-12, browser.run(
        "return document.querySelector('#placement').mirvasta.view().w"))
    browser.click("#placement .mv-png")
    for _ in range(100):
        if os.path.exists(path("downloads/mirvasta-4.png")):
            break
        time.sleep(0.1)
    time.sleep(0.2)
    with open(path("downloads/mirvasta-4.png"), "rb") as f:
        expect("the view saved as a PNG", b"\x89PNG", f.read(4))
    expect("the counts speak Slovenian plurals", "48 krogov, 24 parov, ki se prekrivajo.",
           browser.run("return document.querySelector('#placement .mv-details p').textContent"
                       ".replace(/^.*e[-+]\\d\\d/, '')"))
    if screenshot:
        browser.run("window.scrollTo(0, 0)")
        with open(screenshot, "wb") as f:
            f.write(browser.screenshot_png())
    browser.call("POST", browser.session + "/window/rect", {"width": 390, "height": 900})
    expect("at 390 pixels nothing is wider than the window", True, browser.wait(
        "return new Promise((done) => requestAnimationFrame(() => done("
        "document.documentElement.scrollWidth <= window.innerWidth)))"))
    browser.call("POST", browser.session + "/window/rect", {"width": 1280, "height": 2200})
    view = browser.run("return document.querySelector('#placement').mirvasta.view()")
    browser.click("#language")
    expect("the page speaks English at a click", "Mirvasta: grade and view submissions",
           browser.run("return document.querySelector('h1').textContent"))
    expect("and keeps the view", view, browser.wait(
        "const p = document.querySelector('#placement');"
        "return p.mirvasta && document.querySelector('#placement h2').textContent"
        " === 'Test case 4' && p.mirvasta.view();"))
    expect("an English gloss stands under the evaluator's message",
           "line 5 should hold two real numbers, the centre of circle 2",
           browser.run("return document.querySelector('p.gloss').textContent"))
    browser.open("file://" + os.path.abspath(PAGE))
    expect("the language chosen is remembered", "Mirvasta: grade and view submissions",
           browser.run("return document.querySelector('h1').textContent"))
    browser.click("#language")
    browser.run("document.getElementById('worker-source').textContent ="
                " 'throw new Error(\"broken\")'; mirvastaPage.restart();")
    expect("a worker that fails to start says so", lambda t: "ni bilo mogoče zagnati" in t,
           browser.wait("return document.querySelector('#results').textContent"))


def grades_the_file_as_it_is_now(browser, expect, evaluator, work, page):
    """Through handles (served over localhost, where the page has storage):
    the rewritten file's new cost. Through a plain file input: no old cost."""
    with open(os.path.join(EXAMPLES, "input.txt")) as f:
        example_input = f.read()
    with open(os.path.join(EXAMPLES, "submission.txt")) as f:
        submission = f.read()
    rewritten = submission.replace("2\n0.25 0.5\n0.75 0.5\n", "2\n0.2 0.5\n0.8 0.5\n")
    assert rewritten != submission
    costs = [native_report(evaluator, work, example_input, text).splitlines()[2:]
             for text in (submission, rewritten)]
    server = serve(os.path.dirname(os.path.abspath(page)))
    try:
        browser.open("http://127.0.0.1:%d/%s" % (server.server_port, os.path.basename(page)))
        browser.run(CATCH_ERRORS)
        expect("the files added by their handles", "ok", browser.call(
            "POST", browser.session + "/execute/async",
            {"script": ADD_HANDLES % repr([["input.txt", example_input],
                                           ["submission.txt", submission]]), "args": []}))
        table = ("const t = document.querySelector('#results tr[data-block]') &&"
                 " [...document.querySelectorAll('#results tr[data-block]')]"
                 ".map((r) => r.cells[0].textContent + ' ' + r.cells[1].textContent);"
                 "return t && t.length > 0 && t;")
        expect("graded as the evaluator grades it", costs[0], browser.wait(table))
        expect("the submission rewritten", "ok", browser.call(
            "POST", browser.session + "/execute/async",
            {"script": REWRITE % ("submission.txt", rewritten), "args": []}))
        browser.click("#grade")
        expect("Oceni grades the bytes as they are now", costs[1], browser.wait(
            table.replace("return t &&", "return t && t[1] !== %r &&" % costs[0][1])))
        browser.run("document.body.dispatchEvent(new KeyboardEvent('keydown', {key: 'r',"
                    " bubbles: true}))")
        expect("and so does the key R", costs[1], browser.wait(table))
        expect("no error on the console", [], browser.run("return pageErrors"))
    finally:
        server.shutdown()

    browser.open("file://" + os.path.abspath(page))
    copy = os.path.join(work, "submission-copy.txt")
    with open(copy, "w") as f:
        f.write(submission)
    browser.send_keys("#input-file", os.path.abspath(os.path.join(EXAMPLES, "input.txt")))
    browser.send_keys("#submission-files", copy)
    expect("a file chosen by the input is graded", costs[0], browser.wait(table))
    time.sleep(1.1)
    with open(copy, "w") as f:
        f.write(rewritten)
    browser.click("#grade")
    expect("rewritten, it is not graded from its old bytes: the page says so",
           lambda h: h.endswith("ni je mogoče prebrati"), browser.wait(
               "const h = document.querySelector('#results section h2');"
               "return h && !document.querySelector('#results tr[data-block]') && h.textContent;"))


def large_files(gen, work):
    """An input of 100 cases of 1000 circles, big-input.txt, and large.txt,
    a 40 MB submission that answers each case ten times over."""
    path = lambda name: os.path.join(work, name)
    if os.path.exists(path("large.txt")):
        return
    run([gen, "--cases", "100", "--circles", "1000", "--seed", "4", "-o", path("big-input.txt")])
    run([gen, "--submission", path("big-input.txt"), "--place", "random", "-o", path("once.txt")])
    with open(path("once.txt"), "rb") as f:
        contestant, task, blocks = f.read().split(b"\n", 2)
    with open(path("large.txt"), "wb") as f:
        f.write(contestant + b"\n" + task + b"\n" + blocks * 10)


def never_shows_another_files_verdict(browser, expect, gen, work):
    """A PNG and a 40 MB submission graded together; the PNG removed at once."""
    path = lambda name: os.path.join(work, name)
    large_files(gen, work)
    with open(path("picture.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 4)
    browser.open("file://" + os.path.abspath(PAGE))
    browser.run(CATCH_ERRORS)
    browser.send_keys("#input-file", path("big-input.txt"))
    browser.send_keys("#submission-files", path("picture.png") + "\n" + path("large.txt"))
    time.sleep(0.2)
    browser.click("#submission-list button.remove")
    wrong, seen = [], set()
    deadline = time.time() + 20
    while time.time() < deadline:
        shown = browser.run(
            "return [[...document.querySelectorAll('#results section h2')].map((h) => h.textContent),"
            " document.querySelectorAll('#compare th').length]")
        for heading in shown[0]:
            seen.add(heading)
            if not heading.startswith("large.txt") or "zavrnjena" in heading:
                wrong.append(heading)
        if shown[0] == ["large.txt — sprejeta"]:
            break
        time.sleep(0.05)
    expect("only the large file's own verdict ever shows", [], wrong)
    expect("and it is accepted", {"large.txt — sprejeta"}, seen)
    expect("no error on the console", [], browser.run("return pageErrors"))


def grades_large_files_as_the_evaluator(browser, expect, evaluator, gen, work):
    """Large submissions, which the page's worker grades with its helper: the
    report is the evaluator's, accepted, with line ends of both kinds, and
    refused in the helper's share."""
    path = lambda name: os.path.join(work, name)
    large_files(gen, work)
    with open(path("large.txt"), "rb") as f:
        large = f.read()
    lines = large.split(b"\n")
    with open(path("large-crlf.txt"), "wb") as f:
        half = len(lines) // 2
        f.write(b"\r\n".join(lines[:half]) + b"\n" + b"\n".join(lines[half:]))
    lines[-3] = b"0.5 1.5"
    with open(path("large-refused.txt"), "wb") as f:
        f.write(b"\n".join(lines))
    browser.open("file://" + os.path.abspath(PAGE))
    browser.run(CATCH_ERRORS)
    browser.send_keys("#input-file", path("big-input.txt"))
    for name in ("large.txt", "large-crlf.txt", "large-refused.txt"):
        run([evaluator, "eval", path("big-input.txt"), path(name), path("large-report.txt")])
        with open(path("large-report.txt"), "rb") as f:
            report = f.read().decode("latin-1")
        browser.run("document.querySelector('#status').textContent = ''")
        browser.send_keys("#submission-files", path(name))
        browser.wait("return document.querySelector('#status').textContent", 60)
        shown = browser.run("return [...document.querySelectorAll('#results pre.report')]"
                            ".map((pre) => pre.textContent)")
        expect("%s: the evaluator's report, %d bytes" % (name, len(report)), True,
               bool(shown) and shown[-1] == report)
        helped = browser.run("const answers = mirvastaPage.result().answers;"
                             " return answers[answers.length - 1].helped")
        expect("%s: the helper scored blocks" % name, name != "large-refused.txt",
               bool(helped))
    expect("the helper's share was refused", True, report.startswith("Napaka"))
    expect("no error on the console", [], browser.run("return pageErrors"))


def fits(browser, width, height):
    """Whether nothing is wider than the window at that size, once drawn."""
    browser.call("POST", browser.session + "/window/rect", {"width": width, "height": height})
    return browser.wait("return new Promise((done) => requestAnimationFrame(() => done("
                        "[document.documentElement.scrollWidth <= window.innerWidth])))")[0]


def scores_as_the_judge_does(browser, expect, judge, work):
    """A reference, a submission answering a case twice, one leaving a case
    out, and a reference the judge refuses, one that leaves out case 4."""
    path = lambda name: os.path.join(work, name)
    reference = ("100000\nMirvasta\n1\n0.3 0.5\n0.6 0.5\n0.8 0.15\n2\n0.2 0.5\n0.9 0.5\n"
                 "3\n0.1 0.1\n0.3 0.1\n0.5 0.1\n0.7 0.1\n0.9 0.1\n0.5 0.5\n")
    submissions = {
        "reference.txt": reference + "4\n" + "".join("%.3f %.3f\n" % p for p in GRID),
        "repeated.txt": FILES["a.txt"] + "1\n0.29 0.5\n0.61 0.5\n0.8 0.15\n",
        # A long name, which the reference list shows whole.
        "missing-case-3-from-the-second-run-of-the-night-before-v2.txt": FILES["b.txt"],
        "leaves-out-4.txt": reference,
    }
    for name, text in submissions.items():
        with open(path(name), "w", newline="") as f:
            f.write(text)
    with open(path("input.txt"), "w") as f:
        f.write(INPUT)
    os.symlink(os.path.abspath(judge), path("checker"))
    scores = [run([path("checker"), path("input.txt"), path("reference.txt"), path(name)])
              .decode().strip() for name in submissions]
    browser.open("file://" + os.path.abspath(PAGE))
    browser.send_keys("#input-file", path("input.txt"))
    browser.send_keys("#submission-files", "\n".join(path(n) for n in submissions))
    browser.wait("return document.querySelector('#reference')")
    choose = ("const s = document.querySelector('#reference');"
              "s.value = s.options[%d].value; s.dispatchEvent(new Event('change'));")
    browser.run(choose % 1)
    expect("each submission's score is the judge's", scores, browser.wait(
        "const r = document.querySelector('#compare tr.score');"
        "const s = document.querySelector('#reference');"
        "return r && s && s.value !== '-1' && [...r.cells].slice(1).map((c) => c.textContent);"))
    expect("the total counts each case once", "Skupaj, vsak primer enkrat (4 odgovorjeni "
           "primeri od 4)", browser.run(
               "return document.querySelectorAll('#results section')[1]"
               ".querySelector('tr.total td').textContent"))
    expect("at 390 pixels, with a long name in the reference list, nothing is wider than the"
           " window", True, fits(browser, 390, 844))
    fits(browser, 1280, 2200)
    refused = subprocess.run([path("checker"), path("input.txt"), path("leaves-out-4.txt"),
                              path("reference.txt")], capture_output=True)
    expect("the judge refuses a reference that leaves out case 4", (1, True),
           (refused.returncode, b"leaves out case 4" in refused.stderr))
    browser.run(choose % 4)
    expect("and so does the page, naming the case", lambda t: t and t.endswith("izpusti primer 4."),
           browser.wait("const p = document.querySelector('#compare p.refusal');"
                        "return p && p.textContent;"))


def grades_what_is_pasted(browser, expect, evaluator, work):
    """Pasted text is graded as it stands in its box at each grading, and a
    new paste takes the old one's place."""
    with open(os.path.join(EXAMPLES, "input.txt")) as f:
        example_input = f.read()
    with open(os.path.join(EXAMPLES, "submission.txt")) as f:
        submission = f.read()
    edited = submission.replace("2\n0.25 0.5\n0.75 0.5\n", "2\n0.2 0.5\n0.8 0.5\n")
    costs = [native_report(evaluator, work, example_input, text).splitlines()[2:]
             for text in (submission, edited)]
    browser.open("file://" + os.path.abspath(PAGE))
    browser.run("document.querySelector('details').open = true;"
                "document.querySelector('#paste-input').value = arguments[0];"
                "document.querySelector('#paste-submission').value = arguments[1];",
                example_input, submission)
    browser.click("#use-pasted")
    table = ("const t = [...document.querySelectorAll('#results tr[data-block]')]"
             ".map((r) => r.cells[0].textContent + ' ' + r.cells[1].textContent);"
             "return t.length > 0 && t;")
    expect("the pasted submission graded", costs[0], browser.wait(table))
    browser.run("document.querySelector('#paste-submission').value = arguments[0];", edited)
    browser.click("#grade")
    expect("Oceni grades the box as it is now", costs[1], browser.wait(
        table.replace("return t.length > 0 &&", "return t.length > 0 && t[1] !== %r &&" %
                      costs[0][1])))
    browser.click("#use-pasted")
    expect("a paste again takes the old one's place", 1, browser.wait(
        "return document.querySelectorAll('#submission-list li').length === 1 &&"
        " document.querySelector('#results tr[data-block]') && 1"))


def fits_a_phone(browser, expect, gen, work):
    """At 390 by 844 with a case of 1000 circles drawn and its lens legend
    shown, nothing is wider than the window; nor with a 2 MB line glossed
    in English."""
    path = lambda name: os.path.join(work, name)
    run([gen, "--cases", "2", "--circles", "1000", "--seed", "9", "-o", path("phone-in.txt")])
    long_name = "a-placement-of-a-thousand-circles-from-the-night-before-v2.txt"
    run([gen, "--submission", path("phone-in.txt"), "--place", "random", "-o", path(long_name)])
    with open(path("two-mb.txt"), "w") as f:
        f.write("123456\nMirvasta" + "x" * (2 << 20) + "\n")
    browser.open("file://" + os.path.abspath(PAGE))
    browser.send_keys("#input-file", path("phone-in.txt"))
    browser.send_keys("#submission-files", path(long_name) + "\n" + path("two-mb.txt"))
    browser.wait("return document.querySelector('#results tr[data-block]')")
    browser.click("#results tr[data-block]")
    expect("a case of 1000 circles drawn, with its lens legend", True, browser.wait(
        "return !!document.querySelector('#placement .mv-lens-legend')"))
    expect("at 390 by 844 nothing is wider than the window", True, fits(browser, 390, 844))
    fits(browser, 1280, 2200)
    browser.click("#language")
    expect("the 2 MB line glossed in English, cut", True, browser.wait(
        "const g = document.querySelector('p.gloss');"
        "return g && g.textContent.length < 700 && g.textContent.includes('[cut: 2097160 bytes');"))
    expect("and the page no wider than the window", [True, True],
           [fits(browser, 1280, 2200), fits(browser, 390, 844)])
    fits(browser, 1280, 2200)
    browser.click("#language")


def blames_the_file_at_fault(browser, expect, work):
    """A submission saved with a byte order mark, and an input that is
    refused; a submission with CR line ends, and the input given as one."""
    path = lambda name: os.path.join(work, name)
    with open(path("bom.txt"), "wb") as f:
        f.write(b"\xef\xbb\xbf" + FILES["a.txt"].encode())
    with open(path("bad-input.txt"), "w") as f:
        f.write(INPUT.replace("\n2\n0.3\n", "\n2\n0.3x\n"))
    with open(path("cr.txt"), "wb") as f:
        f.write(FILES["a.txt"].replace("\n", "\r").encode())
    for input_name, expected in (("input.txt", ["bom.txt — zavrnjena", "bom.txt", True]),
                                 ("bad-input.txt", ["bom.txt — vhodna datoteka je zavrnjena",
                                                    "bad-input.txt", False])):
        browser.open("file://" + os.path.abspath(PAGE))
        browser.send_keys("#input-file", path(input_name))
        browser.send_keys("#submission-files", path("bom.txt"))
        expect("%s and bom.txt: the card names the file at fault" % input_name, expected,
               browser.wait(
                   "const s = document.querySelector('#results section');"
                   "const p = s && s.querySelector('.failure p');"
                   "return p && [s.querySelector('h2').textContent, p.textContent"
                   ".replace(/^.* datoteke (.*):$/, '$1'), !!s.querySelector('p.hint')];"))
    for name, hint in (("cr.txt", "le z znakom CR"), ("input.txt", "videti kot vhodna datoteka")):
        browser.open("file://" + os.path.abspath(PAGE))
        browser.send_keys("#input-file", path("input.txt"))
        browser.send_keys("#submission-files", path(name))
        expect("%s given as a submission: a hint" % name, True, browser.wait(
            "const h = document.querySelector('#results p.hint');"
            "return h && h.textContent.includes(%r);" % hint))


PAGE = None


def main(page, evaluator, merge, judge, gen, screenshot=None):
    global PAGE
    PAGE = page
    programs = chromium_and_driver()
    if programs is None:
        print("SKIPPED: Chromium or ChromeDriver is not installed, so the page is not opened")
        return SKIPPED
    checks = Checks()
    with tempfile.TemporaryDirectory() as work:
        path = lambda name: os.path.join(work, name)
        with open(path("input.txt"), "w") as f:
            f.write(INPUT)
        for name, text in FILES.items():
            with open(path(name), "w", newline="") as f:
                f.write(text)
        os.mkdir(path("downloads"))
        browser = Browser(*programs, path("profile"), size=(1280, 2200))
        try:
            browser.downloads_to(path("downloads"))
            browser.offline()
            browser.open("file://" + os.path.abspath(page))
            grades_and_compares(browser, checks.expect, path, evaluator, merge, screenshot)
            browser.call("POST", browser.session + "/goog/cdp/execute", {
                "cmd": "Network.emulateNetworkConditions", "params": {
                    "offline": False, "latency": 0, "downloadThroughput": -1,
                    "uploadThroughput": -1}})
            for part in (lambda: grades_the_file_as_it_is_now(browser, checks.expect, evaluator,
                                                              work, page),
                         lambda: never_shows_another_files_verdict(browser, checks.expect, gen,
                                                                   work),
                         lambda: grades_large_files_as_the_evaluator(browser, checks.expect,
                                                                     evaluator, gen, work),
                         lambda: scores_as_the_judge_does(browser, checks.expect, judge, work),
                         lambda: grades_what_is_pasted(browser, checks.expect, evaluator, work),
                         lambda: fits_a_phone(browser, checks.expect, gen, work),
                         lambda: blames_the_file_at_fault(browser, checks.expect, work)):
                part()
        finally:
            browser.close()
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
