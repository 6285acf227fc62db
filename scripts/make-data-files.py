#!/usr/bin/env python3
"""Builds the data files the game ships with from their UTF-8 sources.

resources/questions/*.txt hold the questions, one topic a file (format in questions.py).
resources/names-source.txt holds one name a line with its gender: "Александр м", "Анна ж".

Writes resources/Vopros.txt, resources/names.txt and an empty resources/best.txt in
Windows-1251 with CR LF line ends; with --check, only tells whether the shipped files are
what the sources make. Nothing is written while the sources break a rule of
the base (questions.py): every breach is listed and the build fails.

Which answer comes first: within each topic the questions are ranked by a hash of their
text and every other one in that order has its right answer first. So each topic has the
right answer first in half of its questions, the order is stable between runs, and the
position tells a player nothing.
"""
import hashlib
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import questions as base  # noqa: E402

RES = base.ROOT / "resources"
GENDERS = ("м", "ж")


def right_first(questions):
    """The set of question texts whose right answer is shown first."""
    first = set()
    topics = {}
    for q in questions:
        topics.setdefault(q.topic, []).append(q)
    for group in topics.values():
        ranked = sorted(group, key=lambda q: hashlib.sha256(q.text.encode("utf-8")).digest())
        first.update(q.text for q in ranked[0::2])
    return first


def question_lines(questions):
    first = right_first(questions)
    lines = []
    for q in questions:
        lines += ["?", q.text] + ([q.right, q.wrong, "0"] if q.text in first else [q.wrong, q.right, "1"])
    return lines


def read_names(path):
    """The names and their genders; problems as a list of texts."""
    names, problems = [], []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        if not line:
            continue
        name, _, gender = line.rpartition(" ")
        if gender not in GENDERS or not name:
            problems.append(f"{path.name}:{number}: expected a name and «м» or «ж»: {line!r}")
        elif name in (n for n, _ in names):
            problems.append(f"{path.name}:{number}: the name {name!r} is there twice")
        else:
            names.append((name, gender))
    return names, problems


def encode(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1251")


def main(args):
    check_only = args == ["--check"]
    source = base.read()
    problems = base.check(source)
    names, name_problems = read_names(RES / "names-source.txt")
    problems += name_problems
    if problems:
        for problem in problems:
            print(problem, file=sys.stderr)
        print(f"{len(problems)} problems: nothing written", file=sys.stderr)
        return 1
    files = {"Vopros.txt": encode(question_lines(source.questions)),
             "names.txt": encode([name for name, _ in names]), "best.txt": b""}
    if check_only:
        stale = [name for name, data in files.items() if (RES / name).read_bytes() != data]
        for name in stale:
            print(f"resources/{name} is not what its sources make: run scripts/make-data-files.py", file=sys.stderr)
        if stale:
            return 1
    else:
        for name, data in files.items():
            (RES / name).write_bytes(data)
    for line in base.report(source.questions):
        print(line)
    print(f"names: {len(names)} ({sum(g == 'м' for _, g in names)} м, {sum(g == 'ж' for _, g in names)} ж)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
