"""Friends at the table in a real browser: the table's host (friends-host, without a screen,
its game's timers sped up) on loopback, and two friends in headless Chromium, one on a
phone's screen and one on a laptop's, each played by tests/web/friend.mjs: they type their
names and the table's code, take their seats, answer on their turns, vote, and watch to the
end. Passes when both friends saw the game end, the host's game ended with a winner written
to the winners file, and every screenshot the friends took shows a drawn page.

    python3 browser.py FRIENDS_HOST SOURCE_DIR SHOTS_DIR
"""
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

SPEED = 16
SEED = 5
FRIENDS = [("Маша", "390x844"), ("Петя", "1280x800")]


def colours(png):
    """How many colours a screenshot has: a blank page has one or two."""
    out = subprocess.run(["identify", "-format", "%k", str(png)], capture_output=True, text=True)
    return int(out.stdout.strip() or 0)


def main():
    host_program, source, shots = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    shutil.rmtree(shots, ignore_errors=True)
    shots.mkdir(parents=True)
    data = pathlib.Path(tempfile.mkdtemp(prefix="zyb-browser-"))
    for name in ("Vopros.txt", "names.txt"):
        shutil.copy(source / "resources" / name, data / name)
    failures = []
    host = subprocess.Popen([host_program, str(data), str(len(FRIENDS)), str(SEED), str(SPEED)],
                            stdout=subprocess.PIPE, text=True)
    friends = []
    try:
        line = host.stdout.readline().split()
        if len(line) != 3 or line[0] != "TABLE":
            raise SystemExit(f"the host opened no table: {line}")
        address, code = line[1], line[2]
        print(f"table {address}, code {code}", flush=True)
        for name, size in FRIENDS:
            env = {"PATH": "/usr/bin:/bin", "HOME": str(data), "SIZE": size, "TIMEOUT": "240"}
            friends.append((name, subprocess.Popen(
                ["node", str(source / "tests/web/friend.mjs"), address, name, code, str(shots / name)], env=env)))
        for name, friend in friends:
            if friend.wait(timeout=300) != 0:
                failures.append(f"{name}: the browser did not see the game to its end (exit {friend.returncode})")
        over = host.stdout.readline().split(maxsplit=1)
        if host.wait(timeout=60) != 0 or not over or over[0] != "OVER":
            failures.append(f"the host's game did not end well: {over} (exit {host.returncode})")
        best = data / "best.txt"
        if not best.exists() or best.read_bytes().count(b"!\r\n") != 1:
            failures.append("the winners file has no single new record")
        for name, _ in FRIENDS:
            for moment in ("join", "turn", "vote", "over"):
                png = shots / name / f"{moment}.png"
                if not png.exists():
                    failures.append(f"{name}: no screenshot at {moment}")
                elif colours(png) < 8:
                    failures.append(f"{name}: the page at {moment} is blank")
    finally:
        for _, friend in friends:
            if friend.poll() is None:
                friend.kill()
        if host.poll() is None:
            host.kill()
        shutil.rmtree(data, ignore_errors=True)
    for failure in failures:
        print("FAIL:", failure)
    print("passed" if not failures else f"{len(failures)} failures", f"(screenshots in {shots})")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
