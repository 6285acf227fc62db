"""The friends' table under load: a full table of seven friends plays a whole game at a host
without a screen (friends-host, its timers twenty times faster) while 200 other connections
come in waves, send malformed, oversized and out-of-turn messages, flood, drop or say
nothing (table-crowd). Passes when every friend was seated and saw the game end, the host
ended its game and wrote one record to the winners file, and the host's round clock never
fell more than 0.2 s behind.

    python3 load.py FRIENDS_HOST TABLE_CROWD SOURCE_DIR
"""
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

FRIENDS = 7
ABUSERS = 200
SPEED = 20
SEED = 3
LATE_LIMIT_MS = 200


def main():
    host_program, crowd_program, source = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    data = pathlib.Path(tempfile.mkdtemp(prefix="zyb-load-"))
    for name in ("Vopros.txt", "names.txt"):
        shutil.copy(source / "resources" / name, data / name)
    failures = []
    # The host stands for the host's computer, where the game is the program in front: here it
    # shares two cores with other suites, so it goes first where the system lets it.
    def first():
        try:
            os.nice(-5)
        except OSError:
            pass
    host = subprocess.Popen([host_program, str(data), str(FRIENDS), str(SEED), str(SPEED)],
                            stdout=subprocess.PIPE, text=True, preexec_fn=first)
    try:
        line = host.stdout.readline().split()
        if len(line) != 3 or line[0] != "TABLE":
            raise SystemExit(f"the host opened no table: {line}")
        port = urllib.parse.urlsplit(line[1]).port
        # The crowd stands for other devices on the network: on this one machine it yields
        # the processor to the host, as their own processors would.
        crowd = subprocess.run([crowd_program, str(port), line[2], str(FRIENDS), str(ABUSERS)], timeout=330,
                               preexec_fn=lambda: os.nice(10))
        if crowd.returncode != 0:
            failures.append(f"the friends' game was disturbed (exit {crowd.returncode})")
        lines = host.communicate(timeout=60)[0].splitlines()
        print("\n".join(lines), flush=True)
        late = [float(l.split()[1]) for l in lines if l.startswith("LATE ")]
        if host.returncode != 0 or not any(l.startswith("OVER ") for l in lines):
            failures.append(f"the host's game did not end well (exit {host.returncode})")
        if not late or late[0] > LATE_LIMIT_MS:
            failures.append(f"the host's round clock fell behind by {late} ms (at most {LATE_LIMIT_MS})")
        best = data / "best.txt"
        if not best.exists() or best.read_bytes().count(b"!\r\n") != 1:
            failures.append("the winners file has no single new record")
    finally:
        if host.poll() is None:
            host.kill()
        shutil.rmtree(data, ignore_errors=True)
    for failure in failures:
        print("FAIL:", failure)
    print("passed" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
