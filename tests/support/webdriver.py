"""A WebDriver session of headless Chromium through ChromeDriver, spoken in
plain HTTP and JSON, so that the browser tests need nothing but the two
programs; and a reader of the PNG screenshots it takes."""
import base64
import json
import shutil
import socket
import struct
import subprocess
import time
import urllib.request
import zlib

from checks import SKIPPED, Checks  # noqa: F401 (the browser checks take them from here)

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


def webdriver_call(port, method, path, body=None, seconds=60):
    """One command of the W3C WebDriver protocol to a driver on `port`; its value."""
    request = urllib.request.Request("http://127.0.0.1:%d%s" % (port, path), method=method,
                                     data=None if body is None else json.dumps(body).encode(),
                                     headers={"Content-Type": "application/json"})
    with urllib.request.urlopen(request, timeout=seconds) as response:
        return json.loads(response.read())["value"]


class Browser:
    """A WebDriver session of ChromeDriver."""

    def __init__(self, chromium, chromedriver, profile, size=(1200, 900)):
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
        self.call("POST", self.session + "/window/rect", {"width": size[0], "height": size[1]})

    def call(self, method, path, body=None):
        return webdriver_call(self.port, method, path, body)

    def open(self, url):
        self.call("POST", self.session + "/url", {"url": url})

    def click(self, selector):
        element = self.call("POST", self.session + "/element",
                            {"using": "css selector", "value": selector})
        self.call("POST", self.session + "/element/%s/click" % element[ELEMENT], {})

    def run(self, script, *args):
        return self.call("POST", self.session + "/execute/sync", {"script": script,
                                                                  "args": list(args)})

    def find(self, selector):
        return self.call("POST", self.session + "/element",
                         {"using": "css selector", "value": selector})[ELEMENT]

    def send_keys(self, selector, text):
        """Types `text` into an element; for a file input, paths, one a line."""
        self.call("POST", self.session + "/element/%s/value" % self.find(selector), {"text": text})

    def cdp(self, command, params=None):
        """A command of the Chrome DevTools Protocol."""
        return self.call("POST", self.session + "/goog/cdp/execute",
                         {"cmd": command, "params": params or {}})

    def offline(self):
        """Blocks every network request the page might make."""
        self.cdp("Network.enable")
        self.cdp("Network.emulateNetworkConditions", {"offline": True, "latency": 0,
                                                      "downloadThroughput": -1,
                                                      "uploadThroughput": -1})

    def downloads_to(self, folder):
        self.cdp("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": folder})

    def wait(self, script, seconds=60):
        """Runs `script` until it returns something true, and returns that."""
        deadline = time.time() + seconds
        while True:
            value = self.run(script)
            if value or time.time() > deadline:
                return value
            time.sleep(0.1)

    def screenshot_png(self):
        return base64.b64decode(self.call("GET", self.session + "/screenshot"))

    def screenshot(self):
        return read_png(self.screenshot_png())

    def close(self):
        try:
            self.call("DELETE", self.session)
        finally:
            self.driver.terminate()
            self.driver.wait()




def chromium_and_driver():
    """The paths of Chromium and ChromeDriver, or None where one is missing."""
    chromium = shutil.which("chromium") or shutil.which("chromium-browser")
    chromedriver = shutil.which("chromedriver")
    return (chromium, chromedriver) if chromium and chromedriver else None
