#!/usr/bin/env python3
"""The contestants' page on a phone's screen in Firefox and in WebKit: at 390
by 844, with a case of 1000 circles drawn, its lens legend shown and a name
of 60 characters in the reference list, nothing is wider than the window.
And a submission large enough for the page's helper worker is graded as the
evaluator grades it, the helper scoring part of it: in one of three gradings,
since a helper held up long enough (on a loaded machine) leaves every block
to the page's worker, as it should.

Usage: other_browsers.py PAGE GEN EVALUATOR
Firefox is driven through its own remote protocol (Marionette), WebKit
(WebKitGTK's MiniBrowser, in a virtual display) through WebKitWebDriver. An
engine that is not installed is skipped, saying so; with neither, the exit
code is 77.
"""
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from checks import SKIPPED, Checks  # noqa: E402
from webdriver import webdriver_call  # noqa: E402

ELEMENT = "element-6066-11e4-a52e-4f735466cecf"
# A phone's screen, however large a window the browser keeps: the page in a
# frame of that size, which is its window.
PHONE = ('<!DOCTYPE html><html><body style="margin:0">'
         '<iframe id="phone" src="%s" style="width:390px;height:844px;border:0"></iframe>'
         '</body></html>')
LONG_NAME = "a-placement-of-a-thousand-circles-from-the-night-before-v2.txt"

# Hands the page its files as a drop of file handles would, whatever the
# browser: objects that answer as handles do.
ADD_FILES = """
const [input, submissions] = arguments;
const handle = ([name, text]) => ({ name, kind: 'file', getFile: async () => new File([text], name),
                                    isSameEntry: async (other) => other.name === name });
mirvastaPage.addHandles([handle(input)], true)
    .then(() => mirvastaPage.addHandles(submissions.map(handle), false));
"""
# The large submission is put together in the page (a head, then the blocks
# so many times over), not sent whole through the driver. Choosing it again
# grades it again; the result seen before is kept, so that only a new one
# counts as graded.
ADD_SUBMISSION = """
const [name, head, blocks, times] = arguments;
const text = head + blocks.repeat(times);
window.seenResult = mirvastaPage.result();
mirvastaPage.addHandles([{ name, kind: 'file', getFile: async () => new File([text], name),
                           isSameEntry: async (other) => other.name === name }], false);
"""
LAST_GRADED = """
const result = mirvastaPage.result(), name = arguments[0];
if (!result || result === window.seenResult ||
    result.submissions[result.submissions.length - 1].name !== name) return null;
const reports = document.querySelectorAll('#results pre.report');
return [reports[reports.length - 1].textContent,
        result.answers[result.answers.length - 1].helped || 0];
"""
READY = "return document.documentElement.dataset.evaluator === 'ready'"
# Each row is clicked once: every click asks for the drawing anew, and on a
# loaded machine clicks as often as the checks come would never let it end.
DRAW = ("const row = document.querySelector('#results tr[data-block]');"
        "if (row && !row.dataset.clicked) { row.dataset.clicked = 'yes'; row.click(); }"
        "return !!document.querySelector('#placement .mv-lens-legend') &&"
        " !!document.querySelector('#reference');")
FITS = "return document.documentElement.scrollWidth <= window.innerWidth;"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def until(what, seconds=60):
    deadline = time.time() + seconds
    while True:
        value = what()
        if value or time.time() > deadline:
            return value
        time.sleep(0.2)


class Marionette:
    """Firefox's remote protocol: length-prefixed JSON over a socket."""

    def __init__(self, firefox, profile):
        port = free_port()
        os.makedirs(profile, exist_ok=True)
        with open(os.path.join(profile, "user.js"), "w") as f:
            for pref, value in (("marionette.port", port), ("browser.shell.checkDefaultBrowser",
                                                            False),
                                ("datareporting.policy.dataSubmissionEnabled", False),
                                ("app.update.disabledForTesting", True)):
                f.write("user_pref(%s, %s);\n" % (json.dumps(pref), json.dumps(value)))
        self.process = subprocess.Popen([firefox, "--headless", "--marionette", "--no-remote",
                                         "--profile", profile], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.socket = until(lambda: self._connect(port))
        self.next = 1
        self._read()
        self.command("WebDriver:NewSession", {})

    @staticmethod
    def _connect(port):
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=60)
        except OSError:
            return None

    def _read(self):
        length = b""
        while not length.endswith(b":"):
            length += self.socket.recv(1)
        size, data = int(length[:-1]), b""
        while len(data) < size:
            data += self.socket.recv(size - len(data))
        return json.loads(data)

    def command(self, name, parameters):
        message = json.dumps([0, self.next, name, parameters]).encode()
        self.next += 1
        self.socket.sendall(b"%d:%s" % (len(message), message))
        _, _, error, result = self._read()
        if error:
            raise RuntimeError("%s: %s" % (name, error))
        return result.get("value") if isinstance(result, dict) else result

    def open(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    def run(self, script, *args):
        return self.command("WebDriver:ExecuteScript", {"script": script, "args": list(args)})

    def into_frame(self, selector):
        frame = self.command("WebDriver:FindElement", {"using": "css selector", "value": selector})
        self.command("WebDriver:SwitchToFrame", {"element": frame[ELEMENT]})

    def close(self):
        try:
            self.command("WebDriver:DeleteSession", {})
        finally:
            self.process.kill()
            self.process.wait()


class WebKit:
    """WebKitGTK's MiniBrowser through WebKitWebDriver, in a virtual display."""

    def __init__(self, driver, browser):
        self.port = free_port()
        self.display = subprocess.Popen(["Xvfb", ":97", "-screen", "0", "1400x1000x24"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        environment = dict(os.environ, DISPLAY=":97")
        self.driver = subprocess.Popen([driver, "--port=%d" % self.port], env=environment,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        until(lambda: self._status())
        options = {"binary": browser, "args": ["--automation"]}
        self.session = "/session/" + self.call("POST", "/session", {"capabilities": {
            "alwaysMatch": {"webkitgtk:browserOptions": options}}})["sessionId"]
        self.call("POST", self.session + "/window/rect", {"width": 1280, "height": 1000})

    def _status(self):
        try:
            return self.call("GET", "/status")
        except OSError:
            return None

    def call(self, method, path, body=None):
        return webdriver_call(self.port, method, path, body, 120)

    def open(self, url):
        self.call("POST", self.session + "/url", {"url": url})

    def run(self, script, *args):
        return self.call("POST", self.session + "/execute/sync", {"script": script,
                                                                  "args": list(args)})

    def into_frame(self, selector):
        frame = self.call("POST", self.session + "/element", {"using": "css selector",
                                                              "value": selector})
        self.call("POST", self.session + "/frame", {"id": frame})

    def close(self):
        try:
            self.call("DELETE", self.session)
        finally:
            for process in (self.driver, self.display):
                process.kill()
                process.wait()


def check(engine, name, page, texts, large, expect, work):
    try:
        phone = os.path.join(work, "phone.html")
        with open(phone, "w") as f:
            f.write(PHONE % ("file://" + os.path.abspath(page)))
        engine.open("file://" + phone)
        engine.into_frame("#phone")
        expect("%s: the evaluator is ready" % name, True, until(lambda: engine.run(READY)))
        expect("%s: the window is 390 pixels wide" % name, 390,
               engine.run("return window.innerWidth"))
        engine.run(ADD_FILES, texts[0], texts[1:])
        expect("%s: a case of 1000 circles drawn, with its lens legend" % name, True,
               until(lambda: engine.run(DRAW)))
        time.sleep(0.5)
        expect("%s: at 390 by 844 nothing is wider than the window" % name, True,
               engine.run(FITS))
        large_name, parts, size, report = large
        helped = []
        while len(helped) < 3 and not any(helped):
            engine.run(ADD_SUBMISSION, large_name, *parts)
            graded = until(lambda: engine.run(LAST_GRADED, large_name))
            expect("%s: a submission of %d bytes graded as the evaluator grades it" %
                   (name, size), True, bool(graded) and graded[0] == report)
            helped.append(graded[1] if graded else 0)
        expect("%s: the helper scored part of it (blocks it scored, in each grading: %s)" %
               (name, helped), True, any(helped))
    finally:
        engine.close()


def large_submission(evaluator, path, name):
    """A submission of some 8 MB that answers each case 100 times over, as
    its name, its parts (head, blocks, times) and size, with the evaluator's
    report of it. At that size the helper's share takes long enough that
    the helper's answer is not lost to a moment's delay."""
    with open(path(name)) as f:
        contestant, task, blocks = f.read().split("\n", 2)
    parts = [contestant + "\n" + task + "\n", blocks, 100]
    with open(path("large.txt"), "w", newline="") as f:
        f.write(parts[0] + parts[1] * parts[2])
    subprocess.run([evaluator, "eval", path("input.txt"), path("large.txt"),
                    path("report.txt")], check=True, stdout=subprocess.DEVNULL)
    with open(path("report.txt")) as r:
        return ["large.txt", parts, os.path.getsize(path("large.txt")), r.read()]


def main(page, gen, evaluator):
    firefox = shutil.which("firefox-esr") or shutil.which("firefox")
    webkit = (shutil.which("WebKitWebDriver"), shutil.which("Xvfb"),
              "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser")
    engines = []
    if firefox:
        engines.append(("Firefox", lambda work: Marionette(firefox, os.path.join(work, "ff"))))
    else:
        print("SKIPPED: Firefox is not installed")
    if webkit[0] and webkit[1] and os.path.exists(webkit[2]):
        engines.append(("WebKit", lambda work: WebKit(webkit[0], webkit[2])))
    else:
        print("SKIPPED: WebKitWebDriver, MiniBrowser or Xvfb is not installed")
    if not engines:
        return SKIPPED
    checks = Checks()
    with tempfile.TemporaryDirectory() as work:
        path = lambda name: os.path.join(work, name)
        subprocess.run([gen, "--cases", "2", "--circles", "1000", "--seed", "9", "-o",
                        path("input.txt")], check=True)
        for name, place in ((LONG_NAME, "random"), ("greedy.txt", "greedy")):
            subprocess.run([gen, "--submission", path("input.txt"), "--place", place, "-o",
                            path(name)], check=True)
        texts = []
        for name in ("input.txt", LONG_NAME, "greedy.txt"):
            with open(path(name)) as f:
                texts.append([name, f.read()])
        large = large_submission(evaluator, path, "greedy.txt")
        for name, start in engines:
            check(start(work), name, page, texts, large, checks.expect, work)
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
