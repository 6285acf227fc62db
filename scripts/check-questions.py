#!/usr/bin/env python3
"""Checks the question sources: with no arguments the whole base, else the files named.

Prints every breach, then the count, difficulty mix and longer-answer share per topic.
Exits 1 on any breach.
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import questions  # noqa: E402


def main(args):
    paths = [pathlib.Path(a).resolve() for a in args] or None
    source = questions.read(paths)
    found = questions.check(source, whole_base=paths is None)
    for line in found:
        print(line)
    for line in questions.report(source.questions):
        print(line)
    print(f"{len(found)} problems")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
