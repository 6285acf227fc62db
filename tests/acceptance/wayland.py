"""The installed game under a Wayland compositor: weston, nested in an X window on Xvfb,
with Qt's Wayland platform and the title bars Qt draws itself. Real input reaches the game
through weston's window (xdotool), the screen is read from the X server, and the windows
and their controls from the accessibility tree.

    dbus-run-session -- python3 wayland.py BUILD_DIR

It opens the four windows, maximises the main menu and the game table from their title
bars (the compositor holds a maximised window to the size it gives), and plays round 1 to
the vote: about three minutes on the real clock.
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from desktop import Desktop, Failure, run, wait_for  # noqa: E402
from run import TITLE, WINNERS_TITLE, Suite  # noqa: E402

# The compositor's desktop, one plain colour, so that a window is whatever is not.
BACKGROUND = (0x20, 0x40, 0x60)
# Qt's own title bar: 30 pixels high, the boxes 18 wide, 5 apart, 8 from the right edge.
TITLE_BAR = 30
MAXIMISE_FROM_RIGHT = 8 + 18 + 5 + 9


class Weston(Desktop):
    """Xvfb with weston in place of a window manager: weston's output is the screen's top
    left, width x height, with a margin of the X screen beside and below it. Weston hears of
    the pointer only once it enters weston's window: an output that filled the X screen could
    never be entered, and whether the game saw the pointer at all was down to chance."""

    MARGIN = 64

    def screen_size(self):
        return self.width + self.MARGIN, self.height + self.MARGIN

    def start_window_manager(self):
        runtime = pathlib.Path(self.tmp) / "runtime"
        runtime.mkdir(mode=0o700)
        config = pathlib.Path(self.tmp) / "weston.ini"
        colour = "0xff%02x%02x%02x" % BACKGROUND
        # No panel, no screen lock, no on-screen keyboard: only the game's windows on a plain desktop.
        config.write_text(f"[core]\nidle-time=0\n[shell]\nbackground-color={colour}\npanel-position=none\n"
                          "locking=false\n[input-method]\npath=\n")
        self.wayland = {"XDG_RUNTIME_DIR": str(runtime), "WAYLAND_DISPLAY": "zyb-wayland"}
        self.log = pathlib.Path(self.tmp) / "weston.log"
        weston = subprocess.Popen(["weston", "--backend=x11-backend.so", f"--width={self.width}",
                                   f"--height={self.height}", f"--config={config}", "--socket=zyb-wayland",
                                   f"--log={self.log}"],
                                  env=dict(os.environ, **self.wayland), stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.processes.append(weston)
        wait_for("weston", lambda: weston.poll() is None and (runtime / "zyb-wayland").exists(), timeout=30)
        # A corner: the pointer stands in the middle.
        wait_for("weston's desktop", lambda: self.screenshot().region(self.width - 1, self.height - 1, 1, 1)
                 == [BACKGROUND], timeout=30)
        # Out of weston's window and back: weston now follows the pointer.
        self.move(self.width + self.MARGIN // 2, self.height + self.MARGIN // 2)
        self.move(self.width // 2, self.height // 2)

    def window_box(self):
        """The rectangle on screen that is not the desktop (the window shown, title bar
        included), or None. The pointer, which weston draws, is too small to count."""
        image = self.screenshot()
        width = self.width
        pixels = image.region(0, 0, width, self.height)
        rows = [y for y in range(self.height)
                if sum(p != BACKGROUND for p in pixels[y * width:(y + 1) * width]) >= 100]
        if not rows:
            return None
        top, bottom = rows[0], rows[-1]
        columns = [x for x in range(width)
                   if sum(pixels[y * width + x] != BACKGROUND for y in range(top, bottom + 1, 4)) >= 10]
        return columns[0], top, columns[-1] - columns[0] + 1, bottom - top + 1


class WaylandSuite(Suite):
    def __init__(self, build):
        super().__init__(build, None)

    def environment(self):
        env = super().environment()
        env.pop("DISPLAY", None)
        env.update(self.desktop.wayland, QT_QPA_PLATFORM="wayland")
        return env

    def launch(self):
        self.home.mkdir(parents=True, exist_ok=True)
        self.game = self.desktop.start(self.exec_line.split(), self.environment(), cwd=str(self.home))
        self.menu = self.a11y.wait_top_level(TITLE, timeout=30)
        return self.menu

    def press(self, root, name):
        """Tabs to the control and presses Space on it, as a player without a mouse does."""
        d = self.desktop
        for _ in range(30):
            focus = self.a11y.focused(root)
            if focus is not None and focus.name == name:
                d.key("space")
                return
            d.key("Tab")
            time.sleep(0.1)
        raise Failure(f"the focus never came to {name!r} in {root.name!r}")

    def shows(self, what, window_size):
        """Waits for a window of that size (its title bar and border added) and checks it
        is drawn; returns its rectangle."""
        w, h = window_size
        d = self.desktop
        expected = (w + 6, h + TITLE_BAR + 3)
        try:
            box = wait_for(f"{what} on screen", lambda: (b := d.window_box()) and b[2:] == expected and b, timeout=10)
        except Failure:
            box = d.window_box()
        shown = box is not None and box[2:] == expected and d.screenshot().shows_something(*box)
        self.check(f"wayland: {what} is drawn, {w}x{h} with Qt's title bar", shown, f"(on screen: {box})")
        return box

    def maximise(self, box, what):
        """Clicks the maximise box of the title bar: the window takes the whole output and
        the game goes on; the same box gives the window its size back."""
        d = self.desktop
        x, y, w, h = box
        full = (0, 0, d.width, d.height)
        d.move(x + w - MAXIMISE_FROM_RIGHT, y + TITLE_BAR // 2)
        d.click(x + w - MAXIMISE_FROM_RIGHT, y + TITLE_BAR // 2)
        try:
            wait_for("the maximised window", lambda: d.window_box() == full, timeout=5)
        except Failure:
            pass
        self.check(f"wayland: {what} maximised by its title bar takes the screen", d.window_box() == full,
                   f"(on screen: {d.window_box()})")
        time.sleep(1)
        self.check(f"wayland: the game runs on after {what} is maximised", self.still_running(), self.stderr())
        if not self.still_running():
            raise Failure("the game ended")
        d.move(d.width - MAXIMISE_FROM_RIGHT, TITLE_BAR // 2)
        d.click(d.width - MAXIMISE_FROM_RIGHT, TITLE_BAR // 2)
        wait_for(f"{what} restored", lambda: (b := d.window_box()) and b[2:] == box[2:], timeout=5)
        self.check(f"wayland: {what} restored has its own size again", d.window_box()[2:] == box[2:])

    def stderr(self):
        if self.game is None or self.still_running():
            return ""
        return self.game.stderr.read()[-1000:]

    def run_steps(self):
        d = self.desktop
        self.install()
        self.new_player(100)
        self.launch()
        self.step("main menu")
        self.check("wayland: the game runs on Qt's Wayland platform", self.still_running(), self.stderr())
        box = self.shows("the main menu", (792, 566))
        # The pointer crosses the window and its title bar.
        for x in range(box[0] - 20, box[0] + box[2] + 20, 60):
            d.move(x, box[1] + TITLE_BAR // 2)
        d.move(box[0] + box[2] // 2, box[1] + box[3] // 2)
        self.check("wayland: the pointer over the main menu leaves the game running", self.still_running(),
                   self.stderr())
        self.maximise(box, "the main menu")

        self.step("settings and winners")
        self.press(self.menu, "Настройка...")
        wait_for("the main menu to hide", lambda: not self.a11y.showing(self.menu))
        prefs = self.a11y.wait_top_level(TITLE)
        self.shows("the settings", (676, 541))
        self.press(prefs, "Best")
        best = self.a11y.wait_top_level(WINNERS_TITLE)
        self.check("wayland: the winners window opens", self.a11y.showing(best))
        self.press(best, "Закрыть")
        wait_for("the winners window to close", lambda: self.a11y.top_level(WINNERS_TITLE) is None)
        self.press(prefs, "OK")
        wait_for("the main menu to come back", lambda: self.a11y.showing(self.menu))
        self.check("wayland: «OK» in the settings brings the main menu back", True)

        self.step("the game table, round 1 and the vote")
        self.press(self.menu, "Играть")
        wait_for("the main menu to hide", lambda: not self.a11y.showing(self.menu))
        table = self.a11y.wait_top_level(TITLE)
        box = self.shows("the game table", (792, 600))
        narration = self.a11y.find(table, "Ведущий")
        said = lambda words: words in self.a11y.text(narration)
        d.key("Return")
        wait_for("the round's start", lambda: said("У вас есть 150 секунд"), timeout=5)
        self.check("wayland: «Начинаем» starts round 1", True)
        time.sleep(3)
        self.maximise(box, "the game table in the middle of a round")
        answers = self.a11y.find(table, "Варианты ответа")
        answered = 0
        vote_call = "Кому пришло время покинуть игровую площадку"
        deadline = time.monotonic() + 170
        while time.monotonic() < deadline and not said(vote_call) and self.still_running():
            if self.a11y.showing(answers) and self.a11y.enabled(answers):
                d.key("1")
                answered += 1
                time.sleep(0.3)
            time.sleep(0.2)
        self.check("wayland: the player answers by keys in round 1", answered > 0, f"({answered})")
        self.check("wayland: the round runs to the vote", said(vote_call))
        record_before = len(self.read("best.txt"))
        d.key("Return")  # the focus is on a name the player may vote for
        start = self.a11y.find(table, "Начинаем", "push button")
        voted = wait_for("the vote's end", lambda: self.a11y.showing(start)
                         or len(self.read("best.txt")) > record_before, timeout=10)
        self.check("wayland: the player's vote ends the round", voted)

    def run(self):
        with Weston(1600, 1000, window_manager=None) as self.desktop:
            try:
                self.run_steps()
            except Failure as e:
                self.check("the suite ran to its end", False, str(e))
            self.check("the game never crashed", self.still_running(), self.stderr())
            self.stop_game()
        shutil.rmtree(self.scratch, ignore_errors=True)
        return self.report("wayland")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    args = parser.parse_args()
    return WaylandSuite(pathlib.Path(args.build).resolve()).run()


if __name__ == "__main__":
    sys.exit(main())
