#!/usr/bin/python3
"""The browser build end to end, in headless Chromium driven over its DevTools protocol.

The page is served on 127.0.0.1 from the built site folder; the test waits for the main menu
and compares it with the desktop's screenshot of the same menu, clicks Play, moves the piece
with a key, rebinds a key and finds the binding again after a reload of the page, refuses the
page its storage, and quits.

Usage: browser_test.py <site folder> <the desktop's main menu, a PNG file>
                       [<folder for a failure's picture>]
"""
import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

import websocket

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
# Generous: a fresh machine compiles the wasm module on first load, and CI shares its cores.
PATIENCE = float(os.environ.get("WEB_TEST_PATIENCE", "60"))


def read_settings(path):
    settings = {}
    with open(os.path.join(SOURCE, "data", path)) as lines:
        for line in lines:
            key, colon, value = line.partition(":")
            if colon and key.strip() not in settings:
                settings[key.strip()] = value.strip()
    return settings


def button_centre(menu_file, word):
    """The middle of the button that answers word, as the menu file places it."""
    menu = read_settings(menu_file)
    for index in range(1, int(menu["num_buttons"]) + 1):
        if menu.get("button%d_return" % index) == word:
            x, y = int(menu["button%d_x" % index]), int(menu["button%d_y" % index])
            rx, ry, w, h = (int(n) for n in menu["button%d_rect" % index].split(","))
            return x + rx + w // 2, y + ry + h // 2
    raise AssertionError("no button answers %r in %s" % (word, menu_file))


class Site(http.server.SimpleHTTPRequestHandler):
    """The built site, the repository's pictures under /source/ and the desktop's main menu as
    /desktop_menu.png, for the comparisons."""

    desktop_menu = None

    def translate_path(self, path):
        if path == "/desktop_menu.png":
            return Site.desktop_menu
        if path.startswith("/source/"):
            return os.path.join(SOURCE, path[len("/source/"):].split("?")[0])
        return super().translate_path(path)

    def log_message(self, *args):
        pass


def serve(site):
    handler = functools.partial(Site, directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """One headless Chromium with a fresh profile, and its page."""

    def __init__(self, profile):
        self.process = subprocess.Popen(
            # A fresh CI machine may be a container with a small /dev/shm: shared memory
            # goes to /tmp instead.
            ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu",
             "--disable-dev-shm-usage",
             "--remote-debugging-port=0", "--user-data-dir=" + profile,
             "--window-size=1000,800", "--no-first-run", "--mute-audio",
             "--autoplay-policy=no-user-gesture-required", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(profile, "DevToolsActivePort")
        wait_for(lambda: os.path.exists(port_file) and open(port_file).read().count("\n") >= 1,
                 "Chromium's DevTools port")
        port = open(port_file).read().split("\n")[0]
        targets = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json" % port))
        page = next(t for t in targets if t["type"] == "page")
        self.socket = websocket.create_connection(page["webSocketDebuggerUrl"],
                                                  timeout=PATIENCE)
        self.next_id = 0
        self.console = []
        self.call("Runtime.enable")
        self.call("Page.enable")

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("method") == "Runtime.consoleAPICalled":
                self.console.append(" ".join(str(a.get("value", "")) for a in
                                             message["params"]["args"]))
            if message.get("method") == "Runtime.exceptionThrown":
                details = message["params"]["exceptionDetails"]
                self.console.append("uncaught: " + details.get("exception", {}).get(
                    "description", details.get("text", "")))
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise AssertionError("%s: %s" % (method, message["error"]))
                return message["result"]

    def evaluate(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, awaitPromise=True,
                           returnByValue=True)
        if "exceptionDetails" in result:
            raise AssertionError("%s: %s" % (expression, result["exceptionDetails"]))
        return result["result"].get("value")

    def click(self, x, y):
        left, top = self.evaluate(
            "(() => { const r = Module.canvas.getBoundingClientRect(); return [r.left, r.top]; })()")
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=left + x, y=top + y,
                      button="left", clickCount=1)
            time.sleep(0.05)

    def press(self, key, code, key_code, text=None):
        event = dict(key=key, code=code, windowsVirtualKeyCode=key_code,
                     nativeVirtualKeyCode=key_code)
        for kind, typed in (("keyDown", {"text": text} if text else {}), ("keyUp", {})):
            self.call("Input.dispatchKeyEvent", type=kind, **event, **typed)
            time.sleep(0.08)

    def close(self):
        self.process.terminate()
        self.process.wait(10)


def wait_for(condition, what, patience=PATIENCE):
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    raise AssertionError("waited %.0f s for %s" % (patience, what))


# Run in the page: of the canvas's pixels in the rectangle, how many differ from the picture's at
# url (any channel by more than 48), and the bounding box of those that do.
PAGE_HELPERS = """
window.testDiffer = async function (url, x, y, w, h, px, py) {
  const bitmap = await createImageBitmap(await (await fetch(url)).blob());
  const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
  context.drawImage(bitmap, 0, 0);
  const picture = context.getImageData(0, 0, bitmap.width, bitmap.height);
  const shown = Module.canvas.getContext('2d').getImageData(x, y, w, h).data;
  let count = 0, left = w, right = -1, top = h, bottom = -1;
  for (let row = 0; row < h; row++) {
    for (let col = 0; col < w; col++) {
      const i = (row * w + col) * 4;
      const j = ((row + py) * picture.width + col + px) * 4;
      let far = false;
      for (let c = 0; c < 3; c++) {
        if (Math.abs(shown[i + c] - picture.data[j + c]) > 48) { far = true; }
      }
      if (far) {
        count++;
        left = Math.min(left, col); right = Math.max(right, col);
        top = Math.min(top, row); bottom = Math.max(bottom, row);
      }
    }
  }
  return {count: count, left: left, right: right, top: top, bottom: bottom};
};
"""


class Session:
    def __init__(self, site_url, browser):
        self.url = site_url
        self.browser = browser
        self.prefs = read_settings("prefs.txt")

    def load(self, reference="/desktop_menu.png"):
        """Loads the page; returns the seconds until the canvas first shows a picture."""
        self.browser.call("Page.navigate", url=self.url + "/index.html")
        started = time.monotonic()
        wait_for(lambda: self.browser.evaluate(
            "typeof Module !== 'undefined' && Module.canvas.width > 0 && (() => {"
            " const d = Module.canvas.getContext('2d').getImageData(400, 10, 1, 1).data;"
            " return d[3] > 0 && d[0] + d[1] + d[2] > 0; })()"), "a picture on the canvas")
        seconds = time.monotonic() - started
        self.browser.evaluate(PAGE_HELPERS)
        if reference:
            self.wait_for_main_menu(reference)
        return seconds

    def wait_for_main_menu(self, reference="/desktop_menu.png", what="the main menu", shown=True):
        # The menu is up when its top strip, where no text or button lies, is the desktop's.
        wait_for(lambda: (self.differ(reference, 0, 0, 800, 40)["count"] == 0) == shown, what)

    def differ(self, picture, x, y, w, h, px=None, py=None):
        return self.browser.evaluate("testDiffer(%s, %d, %d, %d, %d, %d, %d)" % (
            json.dumps(picture), x, y, w, h, x if px is None else px, y if py is None else py))

    def piece_box(self):
        """Where the well shows anything but its empty background."""
        size = int(self.prefs["block_size"])
        x, y = int(self.prefs["board_x"]), int(self.prefs["board_y"])
        w = int(self.prefs["board_width"]) * size
        h = int(self.prefs["board_height"]) * size
        return self.differ("/source/data/images/background.png", x, y, w, h)

    def check_main_menu(self):
        whole = self.differ("/desktop_menu.png", 0, 0, 800, 600)
        print("the main menu: %d pixels apart from the desktop's" % whole["count"])
        # The browser draws the menu texts itself, a little apart from SDL_ttf: up to two per cent
        # of the picture may differ, all of it where texts are.
        assert whole["count"] < 800 * 600 * 0.02, "the main menu differs: %s" % whole

    def play_and_move(self):
        self.browser.click(*button_centre("menus/main_menu.txt", "play"))
        before = wait_for(lambda: (lambda box: box if box["count"] > 0 else None)(
            self.piece_box()), "a piece in the well")
        for _ in range(3):
            self.browser.press("ArrowLeft", "ArrowLeft", 37)
        after = wait_for(lambda: (lambda box: box if box["left"] < before["left"] else None)(
            self.piece_box()), "the piece to move left", patience=10)
        column = int(self.prefs["block_size"])
        moved = before["left"] - after["left"]
        assert moved >= column and moved % column == 0, \
            "the left key moved the piece from %s to %s" % (before, after)
        self.browser.press("Escape", "Escape", 27)

    def rebind_move_left(self, letter):
        self.wait_for_main_menu(what="the main menu again")
        self.browser.click(*button_centre("menus/main_menu.txt", "prefs"))
        self.wait_for_main_menu(what="the preferences screen", shown=False)
        time.sleep(0.5)
        self.browser.click(*button_centre("menus/prefs_menu.txt", "move_left_key"))
        time.sleep(1)
        self.browser.press(letter, "Key" + letter.upper(), ord(letter.upper()), text=letter)
        wait_for(lambda: "\nmove_left_key: %s\n" % letter in self.prefs_file(),
                 "the new binding in prefs.txt")

    def prefs_file(self):
        return self.browser.evaluate("Module.FS.readFile('/game/prefs.txt', {encoding: 'utf8'})")

    def binding_after_reload(self):
        """The binding is back after a reload, and a setting the player never changed follows
        the shipped file: the kept files are made to look as if an older page, which shipped
        another key repeat, had saved them."""
        wait_for(lambda: self.browser.evaluate("Module.filesKept || 0") > 0,
                 "prefs.txt kept in the browser's storage")
        self.browser.evaluate("""(async () => {
          for (const file of ['/saved/prefs.txt', '/saved/prefs.txt.shipped']) {
            const text = Module.FS.readFile(file, {encoding: 'utf8'});
            Module.FS.writeFile(file, text.replace(/\\nkey_repeat_delay: .*\\n/,
                                                   '\\nkey_repeat_delay: 999\\n'));
          }
          await new Promise((done, failed) =>
            Module.FS.syncfs(false, error => error ? failed(error) : done()));
        })()""")
        self.load()
        prefs = self.prefs_file()
        shipped_delay = "\nkey_repeat_delay: %s\n" % self.prefs["key_repeat_delay"]
        assert "\nmove_left_key: a\n" in prefs and shipped_delay in prefs, \
            "after a reload prefs.txt reads:\n" + prefs

    def storage_refused(self):
        """A browser that refuses its storage: the page says so, and the game plays on."""
        self.browser.call("Page.addScriptToEvaluateOnNewDocument", source=(
            "IDBFactory.prototype.open = function () {"
            " throw new DOMException('refused by the test', 'SecurityError'); };"))
        self.load()
        assert self.browser.evaluate("!document.getElementById('storage').hidden"), \
            "no word on the page of the refused storage"
        self.rebind_move_left("b")

    def quit(self):
        self.browser.press("Escape", "Escape", 27)
        self.wait_for_main_menu(what="the main menu to quit from")
        self.browser.click(*button_centre("menus/main_menu.txt", "quit"))
        wait_for(lambda: self.browser.evaluate("!document.getElementById('ended').hidden"),
                 "the page saying the game has ended")


def main():
    site = os.path.abspath(sys.argv[1])
    Site.desktop_menu = os.path.abspath(sys.argv[2])
    failures = sys.argv[3] if len(sys.argv) > 3 else None
    profile = tempfile.mkdtemp(prefix="derevarez-web-")
    server = serve(site)
    browser = Browser(profile)
    session = Session("http://127.0.0.1:%d" % server.server_address[1], browser)
    steps = [("loading the page",
              lambda: print("load to the first menu picture: %.2f s" % session.load())),
             ("the main menu", session.check_main_menu),
             ("Play and a key", session.play_and_move),
             ("rebinding a key", lambda: session.rebind_move_left("a")),
             ("the binding after a reload", session.binding_after_reload),
             ("storage refused", session.storage_refused),
             ("Quit", session.quit)]
    try:
        for step, run in steps:
            run()
        print("browser test passed")
        return 0
    except AssertionError as failure:
        print("browser test failed at %s: %s" % (step, failure))
        print("the page's console:\n  " + "\n  ".join(browser.console[-30:]))
        if failures:
            shot = browser.call("Page.captureScreenshot", format="png")
            path = os.path.join(failures, "web_at_failure.png")
            with open(path, "wb") as out:
                out.write(base64.b64decode(shot["data"]))
            print("the page at the failure: " + path)
        return 1
    finally:
        browser.close()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
