"""A real desktop for the acceptance suite: an X server, a window manager, the
accessibility bus, real input, screenshots and what the window manager reports.

Everything here looks at the game from outside, as a player or a screen reader does:
X input events through xdotool, pixels through a screenshot of the root window,
titles and frames through the window manager's properties, and the text of controls
through the AT-SPI tree that screen readers read.
"""
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time

import pyatspi


class Failure(AssertionError):
    pass


def run(*args, check=True, **kwargs):
    return subprocess.run(args, check=check, capture_output=True, text=True, **kwargs)


def wait_for(what, probe, timeout=15.0, interval=0.1):
    """Calls probe until it returns something true; fails with `what` after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure(f"timed out waiting for {what}")
        time.sleep(interval)


def start_xvfb(options, timeout=30):
    """Xvfb on a display number nobody uses, and that number. The server picks the number
    itself (-displayfd) and tells it once it listens: two suites started at the same moment
    never pick the same display, as they could when they looked for a free number themselves."""
    read_end, write_end = os.pipe()
    try:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), *options], pass_fds=(write_end,),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        write_end = None
        told = b""
        deadline = time.monotonic() + timeout
        while not told.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                break
            told += chunk
    finally:
        os.close(read_end)
        if write_end is not None:
            os.close(write_end)
    if not told.strip().isdigit():
        xvfb.kill()
        xvfb.wait()
        raise Failure(f"Xvfb did not start (exit status {xvfb.returncode})")
    return xvfb, int(told)


class Image:
    """A screenshot as RGB rows."""

    def __init__(self, path):
        data = open(path, "rb").read()
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        self.width, self.height = int(header[1]), int(header[2])
        self.pixels = data[header.end():]

    def region(self, x, y, w, h):
        """The pixels of a rectangle, clipped to the screen, as (r, g, b) tuples."""
        out = []
        for row in range(max(0, y), min(self.height, y + h)):
            start = (row * self.width + max(0, x)) * 3
            end = (row * self.width + min(self.width, x + w)) * 3
            chunk = self.pixels[start:end]
            out.extend(zip(chunk[0::3], chunk[1::3], chunk[2::3]))
        return out

    def shows_something(self, x, y, w, h):
        """True when the rectangle is not one plain colour: text, a picture or a frame."""
        pixels = self.region(x, y, w, h)
        if not pixels:
            return False
        counts = {}
        for p in pixels:
            counts[p] = counts.get(p, 0) + 1
        dominant = max(counts.values())
        return len(counts) >= 2 and (len(pixels) - dominant) >= max(3, len(pixels) // 200)

    def count(self, rect, colour):
        """How many pixels of the rectangle the test `colour(r, g, b)` accepts."""
        return sum(1 for p in self.region(*rect) if colour(*p))

    def colours(self):
        return len(set(self.region(0, 0, self.width, self.height)))


class Desktop:
    """Xvfb with openbox (or another program in its place) and the accessibility bus, started
    and stopped here."""

    def __init__(self, width=1280, height=1024, window_manager=("openbox", "--sm-disable")):
        self.width, self.height = width, height
        self.window_manager = window_manager
        self.processes = []
        self.tmp = tempfile.mkdtemp(prefix="zyb-desktop-")

    def __enter__(self):
        # -noreset: without it the server starts over whenever its last client leaves (a probe
        # of ours, say) and cuts off the window manager that was connecting meanwhile.
        width, height = self.screen_size()
        xvfb, number = start_xvfb(["-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"])
        self.processes.append(xvfb)
        os.environ["DISPLAY"] = f":{number}"
        wait_for("the X server", lambda: xvfb.poll() is None
                 and run("xprop", "-root", "-len", "0", check=False).returncode == 0)
        try:
            self.start_window_manager()
        except BaseException:
            self.__exit__()
            raise
        bus = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(bus)
        time.sleep(0.5)
        return self

    def screen_size(self):
        return self.width, self.height

    def start_window_manager(self):
        wm = subprocess.Popen(list(self.window_manager), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(wm)
        wait_for("the window manager", lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK",
                                                                    check=False).stdout, timeout=30)

    def __exit__(self, *exc):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def start(self, args, env, cwd="/"):
        process = subprocess.Popen(args, env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        self.processes.append(process)
        return process

    # --- what is on screen ---

    def screenshot(self, path=None):
        path = path or os.path.join(self.tmp, "screen.ppm")
        run("import", "-silent", "-window", "root", "-depth", "8", f"ppm:{path}")
        return Image(path)

    def save_png(self, window, path):
        """A picture of one window with its frame, as the player sees it."""
        x, y, w, h = self.frame(window)
        run("import", "-silent", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path)
        image = self.screenshot()
        if not image.shows_something(x, y, w, h) or len(set(image.region(x, y, w, h))) < 16:
            raise Failure(f"the picture {path} is blank")

    def visible_windows(self):
        """Ids of the mapped top-level client windows."""
        out = run("xdotool", "search", "--onlyvisible", "--name", ".", check=False).stdout.split()
        return [w for w in out if self.title(w) is not None]

    def title(self, window):
        """The title as the window manager shows it."""
        out = run("xprop", "-id", window, "_NET_WM_VISIBLE_NAME", "_NET_WM_NAME", check=False,
                  env=dict(os.environ, LC_ALL="C.UTF-8")).stdout
        for prop in ("_NET_WM_VISIBLE_NAME", "_NET_WM_NAME"):
            m = re.search(prop + r'\(UTF8_STRING\) = "(.*)"', out)
            if m:
                return m[1].replace('\\"', '"')
        return None

    def windows_titled(self, title):
        return [w for w in self.visible_windows() if self.title(w) == title]

    def wait_window(self, title, timeout=20):
        return wait_for(f"a window titled {title!r}", lambda: (self.windows_titled(title) or [None])[0], timeout)

    def wait_gone(self, window, timeout=10):
        wait_for(f"window {window} to close", lambda: window not in self.visible_windows(), timeout)

    def client(self, window):
        """The client area: x, y on the screen, width, height."""
        out = run("xwininfo", "-id", window).stdout
        get = lambda key: int(re.search(key + r":\s+(-?\d+)", out)[1])
        return get("Absolute upper-left X"), get("Absolute upper-left Y"), get("Width"), get("Height")

    def frame_extents(self, window):
        out = run("xprop", "-id", window, "_NET_FRAME_EXTENTS", check=False).stdout
        m = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return tuple(int(v) for v in m.groups()) if m else (0, 0, 0, 0)

    def frame(self, window):
        x, y, w, h = self.client(window)
        left, right, top, bottom = self.frame_extents(window)
        return x - left, y - top, w + left + right, h + top + bottom

    def active_window(self):
        return run("xdotool", "getactivewindow", check=False).stdout.strip()

    # --- real input ---

    def click(self, x, y, button=1):
        # No --sync: it waits for a motion event, and there is none when the pointer is there already.
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        run("xdotool", "click", str(button))
        time.sleep(0.15)

    def move(self, x, y):
        run("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.3)

    def click_centre(self, rect):
        x, y, w, h = rect
        self.click(x + w // 2, y + h // 2)

    def key(self, *keys):
        run("xdotool", "key", "--clearmodifiers", *keys)
        time.sleep(0.15)

    def type(self, text):
        run("xdotool", "type", "--delay", "40", text)
        time.sleep(0.15)


class Accessible:
    """The game's AT-SPI tree: what a screen reader reads."""

    def __init__(self, application_name, scale=1):
        self.application_name = application_name
        # The tree gives places in the windows' own pixels: a scaled window has more on screen.
        self.scale = scale
        # Controls found, by the top-level they were found in (kept alive with it).
        self.found = {}

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == self.application_name:
                return app
        return None

    def top_level(self, title):
        app = wait_for("the game on the accessibility bus", self.application)
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and window.name == title and window.getState().contains(pyatspi.STATE_SHOWING):
                return window
        return None

    def wait_top_level(self, title, timeout=10):
        return wait_for(f"{title!r} in the accessibility tree", lambda: self.top_level(title), timeout)

    # Roles whose children are items, not controls: searching controls skips them.
    ITEM_HOLDERS = {"list", "list box", "table", "tree", "tree table", "combo box", "menu"}

    @staticmethod
    def descendants(root, into_items=True):
        stack = [root]
        while stack:
            node = stack.pop()
            yield node
            if node is not root and not into_items and node.getRoleName() in Accessible.ITEM_HOLDERS:
                continue
            for i in range(node.childCount - 1, -1, -1):
                child = node.getChildAtIndex(i)
                if child is not None:
                    stack.append(child)

    def find(self, root, name, role=None, prefix=False):
        """The control named `name` (or, with prefix, whose name starts with it)."""
        key = (id(root), name, role, prefix)
        if key not in self.found:
            for node in self.descendants(root, into_items=False):
                matches = node.name.startswith(name) if prefix else node.name == name
                if matches and (role is None or node.getRoleName() == role):
                    self.found[key] = (root, node)
                    break
            else:
                raise Failure(f"no {role or 'control'} named {name!r} in {root.name!r}")
        return self.found[key][1]

    @staticmethod
    def showing(node):
        return node.getState().contains(pyatspi.STATE_SHOWING)

    @staticmethod
    def focused(root):
        """The control that has the keyboard focus under `root`, if any."""
        return next((n for n in Accessible.descendants(root, into_items=False)
                     if n.getState().contains(pyatspi.STATE_FOCUSED)), None)

    @staticmethod
    def enabled(node):
        return node.getState().contains(pyatspi.STATE_ENABLED)

    def rect(self, node):
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return tuple(round(v * self.scale) for v in (e.x, e.y, e.width, e.height))

    @staticmethod
    def text(node):
        try:
            t = node.queryText()
            return t.getText(0, t.characterCount)
        except NotImplementedError:
            return node.name
