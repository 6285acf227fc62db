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
import functools
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


@functools.lru_cache(maxsize=None)
def roots(text, minimum=3):
    """The content words of a text as roots; numbers of two digits and more count as words."""
    return frozenset({root(w) for w in words(text)
                      if (len(w) >= 2 if w.isdigit() else len(w) >= minimum)
                      and w not in STOPWORDS and w not in FUNCTION_WORDS} - NEUTRAL_STEMS)


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


# «Как назывался первый …?» over «Луноход-1» and «Луноход-2»: the number tells the answer.
FIRST = re.compile(r"(^|[^а-я])(перв|вперв)")
NUMBER_ONE = re.compile(r"(-1|\b1|\bI)(?![\w.,])")


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
    if FIRST.search(fold(q.text)) and NUMBER_ONE.search(q.right) and not NUMBER_ONE.search(q.wrong):
        found.append("question says «первый» and only the right answer is numbered 1")
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


# How rare a word is, counted in questions of the whole base: a word of an answer in at most NAMING
# questions names that answer by itself (a surname names a person whatever its count); a word in at
# most RARE questions ties two questions by itself, one in at most SPECIFIC tells a subject when the
# answer is named plainly; words in more than TELLING questions tell little, in more than COMMON nothing.
RARE, NAMING, SPECIFIC, TELLING, COMMON = 3, 8, 10, 30, 90


@functools.lru_cache(maxsize=None)
def shipped_counts():
    """The shipped base's questions (text and answers) and in how many of them each root occurs."""
    seen, counts = set(), {}
    for q in read().questions:
        if (q.text, q.right, q.wrong) not in seen:
            seen.add((q.text, q.right, q.wrong))
            for r in roots(q.text) | roots(q.right) | roots(q.wrong):
                counts[r] = counts.get(r, 0) + 1
    return frozenset(seen), counts


def word_counts(questions):
    """In how many questions each root occurs (text and both answers), over the shipped base and the
    questions given, so that a word is as rare in one topic file or a test as in the whole base."""
    seen, shipped = shipped_counts()
    seen, counts = set(seen), dict(shipped)
    for q in questions:
        if (q.text, q.right, q.wrong) not in seen:
            seen.add((q.text, q.right, q.wrong))
            for r in roots(q.text) | roots(q.right) | roots(q.wrong):
                counts[r] = counts.get(r, 0) + 1
    return counts


def surname(answer):
    """The root of the last word of a name written in capitals, «Майя Плисецкая» → плисе; else nothing."""
    capitals = re.findall(r"[А-ЯЁA-Z][а-яёa-z]+", answer)
    if len(capitals) >= 2 and len(capitals) == len(words(answer)):
        return {root(fold(capitals[-1]))}
    return set()


def naming(answer, other, counts):
    """The roots that tell an answer from the other one, and those of them that name it by themselves:
    a surname, or a word of a few questions only."""
    whole = roots(answer) - roots(other)
    keys = {r for r in whole if counts.get(r, 0) <= NAMING and not r.isdigit()} | (surname(answer) & whole)
    return whole, keys


def names(whole, keys, place):
    return bool(whole) and (whole <= place or bool(keys & place))


def tellings(questions):
    """Pairs (teller, asked, shared roots): what the teller shows (its text and both answers) names the
    asked question's right answer together with that question's subject.

    The answer is named by all its roots that the wrong answer lacks, by its surname, or by a rare word
    of it: «Майей Плисецкой» names «Майя Плисецкая», «Судебник 1497 года» names «Судебник». Nothing is
    told when the asked question's wrong answer is named beside it.

    Named in the teller's text, the answer comes with the subject when the teller shows two words of
    the asked text (one when that has only one; «Броненосец „Потёмкин“» as a wrong answer beside
    Эйзенштейн), or one rare word in its text or right answer («1497»), or a rare word of the asked
    question's wrong answer («Энкиду» beside «Гильгамеша»), or, when the answer is named plainly
    (whole, or by a rare word), one specific word («светового года» beside «единица расстояния»).
    Named only among the teller's answers, it takes two words of few questions in the teller's text or
    in that answer, one of them rarer still, and either the right answer (which the game reveals), or a
    word of the subject in that answer itself, or half the subject: a wrong answer «Ватт» beside
    «единицу мощности» tells the unit of power.
    """
    counts = word_counts(questions)
    few = lambda rs, limit: [r for r in rs if counts.get(r, 0) <= limit]
    places = [(roots(q.text), roots(q.right), roots(q.wrong)) for q in questions]
    shown = [t | r | w for t, r, w in places]
    index = {}
    for i, v in enumerate(shown):
        for r in v:
            index.setdefault(r, set()).add(i)
    for j, asked in enumerate(questions):
        answer, keys = naming(asked.right, asked.wrong, counts)
        if not answer:
            continue
        wrong, wrong_keys = naming(asked.wrong, asked.right, counts)
        subject = roots(asked.text) - answer
        beside = roots(asked.wrong) - answer
        candidates = set.intersection(*(index.get(r, set()) for r in answer))
        for k in keys:
            candidates |= index.get(k, set())
        for i in sorted(candidates - {j}):
            text, right, wrong_answer = places[i]
            where = [p for p in places[i] if names(answer, keys, p)]
            if not where:
                continue
            in_text = text in where
            if (names(wrong, wrong_keys, text) or any(names(wrong, wrong_keys, p) for p in where)
                    or (not in_text and any(names(wrong, wrong_keys, p) for p in (right, wrong_answer)))):
                continue
            shared = subject & shown[i]
            if in_text:
                named = (answer | keys) & text
                plainly = bool(few(named, 5)) or (len(roots(asked.right)) >= 2 and roots(asked.right) <= text)
                told = (len(few(shared, COMMON)) >= min(2, len(subject)) or few(shared & (text | right), RARE)
                        or (few(named, 5) and few(beside & shown[i], RARE))
                        or (plainly and few(shared & (text | right), SPECIFIC)))
            else:
                seen = subject & text.union(*where)
                telling = [counts.get(r, 0) for r in seen if counts.get(r, 0) <= TELLING]
                told = (len(telling) >= 2 and min(telling) <= 7
                        and (right in where or any(subject & p for p in where) or 2 * len(seen) >= len(subject)))
            if told:
                yield questions[i], asked, shared | (beside & shown[i])


def cross_giveaways(questions, apart=frozenset()):
    """A question that gives another's answer away, unless the pair is among the reviewed ones in `apart`."""
    return [f"{teller.where}: tells the answer of {asked.where} ({asked.right}; {', '.join(sorted(shared))}): "
            f"{teller.text} / {asked.text}"
            for teller, asked, shared in tellings(questions)
            if (fold(teller.text), fold(asked.text)) not in apart]


def repeats(questions):
    """Repeats (case, ё/е, blanks and punctuation ignored), two questions with one right answer on one
    subject, and two with the same two answers (in any case) whose right one is a word of no other
    question: «Палиндромом» / «Анаграммой» and «Палиндром» / «Анаграмма» ask one fact twice."""
    allowed_pairs, _ = allowed()
    counts = word_counts(questions)
    found = []
    by_words, by_answer, by_answers = {}, {}, {}
    for q in questions:
        key = tuple(words(q.text))
        if key in by_words:
            found.append(f"{q.where}: repeats {by_words[key].where}: {q.text}")
            continue
        by_words[key] = q
        by_answer.setdefault(tuple(words(q.right)), []).append(q)
        by_answers.setdefault((frozenset(roots(q.right)), frozenset(roots(q.wrong))), []).append(q)
    for group in by_answer.values():
        for i, a in enumerate(group):
            for b in group[i + 1:]:
                if frozenset((fold(a.text), fold(b.text))) not in allowed_pairs and similarity(a, b) >= 0.3:
                    found.append(f"{a.where}: same answer and subject as {b.where}: {a.text} / {b.text}")
    for (right, _), group in by_answers.items():
        if len(group) == 2 and right and all(counts.get(r, 0) == 2 and not r.isdigit() for r in right):
            a, b = group
            if frozenset((fold(a.text), fold(b.text))) not in allowed_pairs:
                found.append(f"{a.where}: same answers as {b.where}, found nowhere else: {a.text} / {b.text}")
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
