"""Reads and checks the UTF-8 question sources in resources/questions/.

Each file holds one topic:

    # Topic name

    Q: the question
    +: the right answer
    -: the wrong answer
    D: easy | medium | hard

Blocks are separated by blank lines. The checks here are the editorial rules of the
shipped base: typography, no giveaways (within a question or from one question to
another), no repeats, no two questions on one fact, balanced answer lengths and difficulty.
make-data-files.py refuses to build on any breach, and the test suite runs the same checks
over the sources it was built from.
"""
import pathlib
import re
from dataclasses import dataclass, field

ROOT = pathlib.Path(__file__).resolve().parent.parent
QUESTIONS = ROOT / "resources" / "questions"
ALLOWED = QUESTIONS / "allowed.txt"
LEVELS = ("easy", "medium", "hard")

# Words too common to tell a subject or to give an answer away.
STOPWORDS = set("""
какой какая какое какие каком какой каких какого какую каким какими
который которая которое которые котором которого
этого этому этой этот эта это этом эти этих
свой своей своего своих своим свою
году годах года годом годы веке века веков
называется называют называли назывался называлась называлось назывались
после перед между через около более менее самый самая самое самые самым самой самого
может можно были было была будет чтобы также только очень всего всех всей весь
сколько когда кого кому чему каким откуда куда почему зачем
находится находятся находился является являются являлся являлась были стал стала стали
""".split())
# Stems of words that a question and its answer may share without telling anything.
NEUTRAL_STEMS = {"назва", "спорт", "город", "страна", "стран", "челов", "живот", "расте"}
# Short words that name nothing: question words, prepositions, conjunctions.
FUNCTION_WORDS = set("""
в во на из за к ко с со у о об от до по при для над под про без и или не ни но а
кто как что чей чья чье чьи где чем кем
""".split())
VOWELS = "аеиоуыэюяйь"


@dataclass
class Question:
    path: pathlib.Path
    line: int
    topic: str
    text: str
    right: str
    wrong: str
    level: str

    @property
    def where(self):
        return f"{self.path.name}:{self.line}"


@dataclass
class Source:
    questions: list = field(default_factory=list)
    problems: list = field(default_factory=list)


def fold(text):
    """Lower case, ё as е, blanks folded, trailing punctuation dropped."""
    text = text.strip().lower().replace("ё", "е")
    text = re.sub(r"\s+", " ", text)
    return text.rstrip("?.!… ")


def words(text):
    return re.findall(r"[a-zа-я0-9]+", fold(text))


def stem(word):
    return word[:5]


def stems(text, minimum=4):
    return {stem(w) for w in words(text) if len(w) >= minimum and w not in STOPWORDS and not w.isdigit()} - NEUTRAL_STEMS


def root(word):
    """A word's root for matching across questions: numbers whole, long words by their first five
    letters, short words without their ending (Рим, Рима, Риме)."""
    if word.isdigit():
        return word
    if len(word) >= 6:
        return word[:5]
    bare = word.rstrip(VOWELS)
    return bare if len(bare) >= 3 else word


def roots(text, minimum=3):
    """The content words of a text as roots; numbers of two digits and more count as words."""
    return {root(w) for w in words(text)
            if (len(w) >= 2 if w.isdigit() else len(w) >= minimum)
            and w not in STOPWORDS and w not in FUNCTION_WORDS} - NEUTRAL_STEMS


def read(paths=None):
    source = Source()
    for path in sorted(paths or QUESTIONS.glob("*.txt")):
        if path == ALLOWED:
            continue
        topic, block, start = None, {}, 0

        def close():
            if not block:
                return
            missing = [k for k in ("Q", "+", "-", "D") if k not in block]
            if missing:
                source.problems.append(f"{path.name}:{start}: block without {', '.join(missing)}")
            elif topic is None:
                source.problems.append(f"{path.name}:{start}: question before the '# Topic' line")
            else:
                source.questions.append(Question(path, start, topic, block["Q"], block["+"], block["-"], block["D"]))

        for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            line = raw.strip()
            if line.startswith("#"):
                close()
                block = {}
                if topic is not None:
                    source.problems.append(f"{path.name}:{number}: a second topic in one file")
                topic = line.lstrip("# ").strip()
                continue
            if not line:
                close()
                block = {}
                continue
            key, sep, value = line.partition(":")
            if not sep or key not in ("Q", "+", "-", "D"):
                source.problems.append(f"{path.name}:{number}: unexpected line {line!r}")
                continue
            if key == "Q":
                close()
                block, start = {}, number
            if key in block:
                source.problems.append(f"{path.name}:{number}: '{key}:' twice in one block")
            block[key] = value.strip()
        close()
    return source


TYPOGRAPHY = [
    (re.compile(r"(^|\s)–(\s|$)"), "en dash used as a dash (use «—»)"),
    (re.compile(r"(^|\s)-(\s|$)"), "hyphen used as a dash (use «—»)"),
    (re.compile(r"'"), "straight apostrophe (use «’»)"),
    (re.compile(r'"'), "straight quotes (use «…»)"),
    (re.compile(r"\.\.\."), "three dots (use «…»)"),
    (re.compile(r"(^|[\s(])-\d"), "hyphen as minus (write «минус» or use «–»)"),
    (re.compile(r"\s[,.;:?!]"), "blank before punctuation"),
    (re.compile(r"\s\s"), "double blank"),
]


def check_question(q, allowed_giveaways=frozenset()):
    found = []
    if q.level not in LEVELS:
        found.append(f"level {q.level!r} is not one of {', '.join(LEVELS)}")
    for name, value in (("question", q.text), ("right answer", q.right), ("wrong answer", q.wrong)):
        if value in ("", "?", "!", "0"):
            found.append(f"{name} {value!r} cannot be stored")
        try:
            value.encode("cp1251")
        except UnicodeEncodeError as error:
            found.append(f"{name} has a character Windows-1251 cannot store: {value[error.start]!r}")
        for pattern, what in TYPOGRAPHY:
            if pattern.search(value):
                found.append(f"{name}: {what}")
    if not q.text.endswith(("?", "…", ".")):
        found.append("question does not end with «?»")
    if q.right.strip() == q.wrong.strip():
        found.append("equal answers")
    giveaway = (stems(q.right) - stems(q.wrong)) & {stem(w) for w in words(q.text)}
    if giveaway and fold(q.text) not in allowed_giveaways:
        found.append(f"question gives the answer away: {', '.join(sorted(giveaway))}")
    return found


def similarity(a, b):
    sa, sb = stems(a.text), stems(b.text)
    if not sa or not sb:
        return 0.0
    return len(sa & sb) / len(sa | sb)


def allowed():
    """The reviewed exceptions: "pair: question | question", "giveaway: question" and
    "apart: question | question" lines; the first two sets are returned, the third by told_apart()."""
    pairs, giveaways = set(), set()
    if ALLOWED.exists():
        for line in ALLOWED.read_text(encoding="utf-8").splitlines():
            kind, _, rest = line.partition(":")
            if kind == "pair" and "|" in rest:
                a, b = (fold(part) for part in rest.split("|", 1))
                pairs.add(frozenset((a, b)))
            elif kind == "giveaway":
                giveaways.add(fold(rest))
    return pairs, giveaways


def told_apart():
    """Reviewed (teller, told) question pairs where the first names the second's answer without telling it."""
    apart = set()
    if ALLOWED.exists():
        for line in ALLOWED.read_text(encoding="utf-8").splitlines():
            kind, _, rest = line.partition(":")
            if kind == "apart" and "|" in rest:
                apart.add(tuple(fold(part) for part in rest.split("|", 1)))
    return apart


def tellings(questions):
    """Pairs (teller, asked, shared roots): the teller's text names the asked question's right answer
    together with that question's subject.

    The right answer is named when every root of it that the wrong answer lacks is in the text.
    The subject is the roots of the asked question's text besides its answer; it is told when the
    teller's text and right answer (which the game reveals once it is answered) hold two of them,
    or all of them when there are fewer.
    """
    told_by_text = [roots(q.text) for q in questions]
    told = [told_by_text[i] | roots(q.right) for i, q in enumerate(questions)]
    index = {}
    for i, text_roots in enumerate(told_by_text):
        for r in text_roots:
            index.setdefault(r, set()).add(i)
    for j, asked in enumerate(questions):
        answer = roots(asked.right) - roots(asked.wrong)
        subject = roots(asked.text) - answer
        if not answer or not subject:
            continue
        for i in sorted(set.intersection(*(index.get(r, set()) for r in answer)) - {j}):
            shared = subject & told[i]
            if len(shared) >= min(2, len(subject)):
                yield questions[i], asked, shared


def cross_giveaways(questions, apart=frozenset()):
    """A question that gives another's answer away, unless the pair is among the reviewed ones in `apart`."""
    return [f"{teller.where}: tells the answer of {asked.where} ({asked.right}; {', '.join(sorted(shared))}): "
            f"{teller.text} / {asked.text}"
            for teller, asked, shared in tellings(questions)
            if (fold(teller.text), fold(asked.text)) not in apart]


def repeats(questions):
    """Repeats (case, ё/е, blanks and punctuation ignored), and two questions with one right answer on one subject."""
    allowed_pairs, _ = allowed()
    found = []
    by_words, by_answer = {}, {}
    for q in questions:
        key = tuple(words(q.text))
        if key in by_words:
            found.append(f"{q.where}: repeats {by_words[key].where}: {q.text}")
            continue
        by_words[key] = q
        by_answer.setdefault(tuple(words(q.right)), []).append(q)
    for group in by_answer.values():
        for i, a in enumerate(group):
            for b in group[i + 1:]:
                if frozenset((fold(a.text), fold(b.text))) not in allowed_pairs and similarity(a, b) >= 0.3:
                    found.append(f"{a.where}: same answer and subject as {b.where}: {a.text} / {b.text}")
    return found


def longer_right(questions):
    """Share of the questions whose right answer is the longer one, among those whose answers differ in length."""
    differ = [q for q in questions if len(q.right) != len(q.wrong)]
    if not differ:
        return 0.5
    return sum(len(q.right) > len(q.wrong) for q in differ) / len(differ)


def balance(questions, low=0.45, high=0.55, minimum=150, maximum=300, whole_base=True):
    """Per topic and overall: sizes and the longer-answer share; no topic above a tenth of the base."""
    found = []
    topics = {}
    for q in questions:
        topics.setdefault(q.topic, []).append(q)
    groups = list(topics.items()) + ([("all topics", questions)] if whole_base else [])
    for topic, group in groups:
        share = longer_right(group)
        if not low <= share <= high:
            found.append(f"{topic}: the longer answer is right in {100 * share:.1f} % (allowed {100 * low:.0f}–{100 * high:.0f} %)")
        if topic != "all topics" and not minimum <= len(group) <= maximum:
            found.append(f"{topic}: {len(group)} questions (allowed {minimum}–{maximum})")
    total = len(questions) if whole_base else 0
    for topic, group in topics.items():
        if total and len(group) > total // 10:
            found.append(f"{topic}: {len(group)} of {total} questions is more than 10 %")
    return found


def report(questions):
    lines = []
    topics = {}
    for q in questions:
        topics.setdefault(q.topic, []).append(q)
    for topic, group in topics.items():
        mix = " ".join(f"{level} {100 * sum(q.level == level for q in group) / len(group):.0f} %" for level in LEVELS)
        lines.append(f"{topic}: {len(group)}; {mix}; longer right {100 * longer_right(group):.1f} %")
    if questions:
        mix = " ".join(f"{level} {100 * sum(q.level == level for q in questions) / len(questions):.0f} %" for level in LEVELS)
        lines.append(f"all: {len(questions)}; {mix}; longer right {100 * longer_right(questions):.1f} %")
    return lines


def check(source, whole_base=True):
    found = list(source.problems)
    _, giveaways = allowed()
    for q in source.questions:
        found += [f"{q.where}: {problem}: {q.text}" for problem in check_question(q, giveaways)]
    found += repeats(source.questions)
    found += cross_giveaways(source.questions, told_apart())
    found += balance(source.questions, whole_base=whole_base)
    return found
