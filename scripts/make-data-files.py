#!/usr/bin/env python3
"""Builds the data files the game ships with from their UTF-8 sources.

resources/questions/*.txt hold the questions, grouped under "# Topic" lines:
    Q: question
    +: the right answer
    -: the wrong answer
resources/names-source.txt holds one name per line.

Writes resources/Vopros.txt, resources/names.txt and an empty resources/best.txt in
Windows-1251 with CR LF line ends. Which answer comes first is decided by a hash of the
question, so the order is stable between runs and has no pattern a player could learn.
"""
import hashlib
import pathlib
import re
import sys
from collections import Counter

ROOT = pathlib.Path(__file__).resolve().parent.parent
RES = ROOT / "resources"


def normalise(text):
    text = text.strip().lower().replace("ё", "е")
    text = re.sub(r"\s+", " ", text)
    return text.rstrip("?.!… ")


def read_questions():
    questions, seen, problems, dropped = [], {}, [], []
    for path in sorted((RES / "questions").glob("*.txt")):
        topic = None
        block = {}
        for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            line = raw.strip()
            if line.startswith("#"):
                topic = line.lstrip("# ").strip()
                continue
            if not line:
                continue
            key, _, value = line.partition(":")
            if key not in ("Q", "+", "-"):
                problems.append(f"{path.name}:{number}: unexpected line {line!r}")
                continue
            block[key] = value.strip()
            if key == "-":
                if set(block) != {"Q", "+", "-"}:
                    problems.append(f"{path.name}:{number}: incomplete block")
                else:
                    q = (topic, block["Q"], block["+"], block["-"])
                    norm = normalise(block["Q"])
                    if norm in seen:
                        dropped.append(f"{path.name}:{number}: duplicate of {seen[norm]}: {block['Q']}")
                    elif block["+"].strip() == block["-"].strip():
                        problems.append(f"{path.name}:{number}: equal answers")
                    else:
                        seen[norm] = f"{path.name}:{number}"
                        questions.append(q)
                block = {}
    return questions, problems, dropped


def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp1251")
    path.write_bytes(data)


def main():
    questions, problems, dropped = read_questions()
    for duplicate in dropped:
        print("left out, " + duplicate, file=sys.stderr)
    for problem in problems:
        print(problem, file=sys.stderr)
    lines, right_first = [], 0
    for _topic, text, right, wrong in questions:
        first = hashlib.sha256(text.encode("utf-8")).digest()[0] % 2 == 0
        right_first += first
        for value in (text, right, wrong):
            if value in ("?", "!", "0", ""):
                sys.exit(f"refused text {value!r} in {text!r}")
        lines += ["?", text] + ([right, wrong, "0"] if first else [wrong, right, "1"])
    write_lines(RES / "Vopros.txt", lines)

    names = [n.strip() for n in (RES / "names-source.txt").read_text(encoding="utf-8").splitlines() if n.strip()]
    if len(set(names)) != len(names):
        sys.exit("duplicate names")
    write_lines(RES / "names.txt", names)
    (RES / "best.txt").write_bytes(b"")

    topics = Counter(t for t, *_ in questions)
    for topic, count in topics.items():
        print(f"{topic}: {count}")
    print(f"questions: {len(questions)}, right answer first: {right_first} ({100 * right_first / len(questions):.1f} %)")
    print(f"names: {len(names)}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
