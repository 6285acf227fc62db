#!/usr/bin/env python3
"""Starts the installed game again and again on a busy machine and counts the starts that go
wrong.

    scripts/soak.py [--starts 1000] [--within 5] [--hold 1] [--display N] [--build DIR]

Builds the release preset (or takes the build directory given), installs it into a scratch
prefix, starts Xvfb with openbox, a session bus and one busy loop per core, then starts the
game through its launcher, as a menu entry would, again and again. A start passes when,
within `--within` seconds, a window titled «Зыбкоцепье» is mapped and painted (its pixels
are more than a plain background) and the game is still running `--hold` seconds after
that; the game is then ended and the next start begins.

Prints a line per failed start, a progress line every 50 starts and the counts at the end;
the standard error of every failed start is kept in the scratch folder, which is then left
in place. Exits 1 when any start failed.
"""
import argparse
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
TITLE = "Зыбкоцепье"


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def wait_for(probe, timeout, interval=0.05):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(interval)
    return None


def colours(window):
    """How many colours the window's pixels hold as the X server has them; 0 when unreadable."""
    shot = subprocess.run(["import", "-silent", "-window", window, "-depth", "8", "ppm:-"],
                          capture_output=True)
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", shot.stdout)
    if shot.returncode != 0 or not header:
        return 0
    data = shot.stdout[header.end():]
    return len({data[i:i + 3] for i in range(0, len(data) - 2, 3 * 7)})


def main_menu():
    """The id of the mapped window titled «Зыбкоцепье», or None."""
    found = run("xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$").stdout.split()
    for window in found:
        if run("xdotool", "getwindowname", window).stdout.rstrip("\n") == TITLE:
            return window
    return None


class Desktop:
    """Xvfb with openbox and a busy loop per core; stopped by close()."""

    def __init__(self, display):
        self.processes = []
        if display is None:
            display = next(n for n in range(90, 200)
                           if not os.path.exists(f"/tmp/.X11-unix/X{n}") and not os.path.exists(f"/tmp/.X{n}-lock"))
        os.environ["DISPLAY"] = f":{display}"
        self.start(["Xvfb", f":{display}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"])
        if not wait_for(lambda: run("xprop", "-root", "-len", "0").returncode == 0, 15):
            raise SystemExit(f"soak: the X server :{display} did not start")
        self.start(["openbox", "--sm-disable"])
        if not wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK").stdout, 30):
            raise SystemExit("soak: openbox did not start")
        self.load = [self.start(["sh", "-c", "while :; do :; done"]) for _ in range(os.cpu_count() or 2)]

    def start(self, args):
        process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def close(self):
        for p in reversed(self.processes):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()


def end(game):
    if game.poll() is None:
        game.terminate()
        try:
            game.wait(5)
        except subprocess.TimeoutExpired:
            game.kill()
            game.wait()


def one_start(launcher, env, within, hold, log):
    """Seconds to the painted menu when the start went well, else what went wrong."""
    with open(log, "w+b") as stderr:
        began = time.monotonic()
        game = subprocess.Popen([str(launcher)], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=stderr)
        try:
            window = None
            painted = 0
            while time.monotonic() - began < within:
                if game.poll() is not None:
                    return f"ended on its own ({game.returncode}) before the menu showed"
                window = window or main_menu()
                if window:
                    painted = colours(window)
                    if painted >= 16:
                        break
                time.sleep(0.05)
            else:
                if window:
                    return f"the menu was mapped but not painted ({painted} colours) within {within} s"
                return f"no menu within {within} s"
            shown = time.monotonic() - began
            if wait_for(lambda: game.poll() is not None, hold):
                return f"ended on its own ({game.returncode}) {shown:.2f} s after the menu showed"
            return shown
        finally:
            end(game)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--starts", type=int, default=1000)
    parser.add_argument("--within", type=float, default=5.0, help="seconds the menu may take")
    parser.add_argument("--hold", type=float, default=1.0, help="seconds the game must stay up after")
    parser.add_argument("--display", type=int, help="X display number (default: a free one)")
    parser.add_argument("--build", help="an existing build directory (default: build/release, built here)")
    args = parser.parse_args()

    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
        # A desktop session has its bus; so does this one.
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, *sys.argv])

    build = pathlib.Path(args.build) if args.build else ROOT / "build/release"
    if not args.build:
        if not (build / "build.ninja").exists():
            subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", "--preset", "release", "--target", "zybkotsepye", "zybkotsepye-sound"],
                       cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    scratch = pathlib.Path(tempfile.mkdtemp(prefix="zyb-soak-"))
    prefix = scratch / "prefix"
    subprocess.run(["cmake", "--install", str(build), "--prefix", str(prefix)], check=True, stdout=subprocess.DEVNULL)
    home = scratch / "home"
    home.mkdir()

    desktop = Desktop(args.display)
    env = {k: v for k, v in os.environ.items()
           if k not in ("ZYB_DATA_DIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "QT_QPA_PLATFORM")}
    env.update(HOME=str(home), LANG="C.UTF-8")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    failures = []
    shown = []
    began = time.monotonic()
    try:
        for n in range(1, args.starts + 1):
            log = scratch / f"start-{n}.stderr"
            what = one_start(prefix / "bin/zybkotsepye", env, args.within, args.hold, log)
            if isinstance(what, str):
                failures.append(n)
                print(f"start {n}: {what}; its standard error: {log}", flush=True)
            else:
                shown.append(what)
                log.unlink()
            if n % 50 == 0:
                print(f"{n} starts, {len(failures)} failed, {time.monotonic() - began:.0f} s", flush=True)
    finally:
        desktop.close()

    print(f"soak: {args.starts} starts under load on {os.cpu_count()} cores, "
          f"{args.starts - len(failures)} showed the menu within {args.within:g} s and kept running, "
          f"{len(failures)} failed")
    if shown:
        shown.sort()
        print(f"soak: the menu showed painted after {shown[len(shown) // 2]:.2f} s (median), "
              f"{shown[0]:.2f}..{shown[-1]:.2f} s (range), as polled every 50 ms")
    if failures:
        print(f"soak: the failed starts' files are in {scratch}")
        return 1
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
