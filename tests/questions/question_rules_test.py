"""The editorial rules of the question base catch what they are meant to catch, and the
shipped base keeps them.

    python3 question_rules_test.py
"""
import pathlib
import subprocess
import sys
import tempfile
import textwrap
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
import questions  # noqa: E402


def base(text, name="01-topic.txt"):
    """Reads a source file with the given blocks."""
    folder = pathlib.Path(tempfile.mkdtemp())
    path = folder / name
    path.write_text(textwrap.dedent(text), encoding="utf-8")
    return questions.read([path])


def problems(text):
    return questions.check(base(text), whole_base=False)


def block(q, right, wrong, level="medium"):
    return f"Q: {q}\n+: {right}\n-: {wrong}\nD: {level}\n\n"


def topic(*blocks):
    return "# Тема\n\n" + "".join(blocks)


# Enough neutral questions for a topic of allowed size: the longer answer is right in half.
def filler(count=150):
    return [block(f"Вопрос номер {i} без подвоха?", *((f"Ответ длинный {i}", f"Нет {i}") if i % 2 else
                                                       (f"Да {i}", f"Ответ длинный {i}")))
            for i in range(count)]


class QuestionRulesTest(unittest.TestCase):
    def test_a_clean_topic_passes(self):
        self.assertEqual(problems(topic(*filler())), [])

    def test_typography_breaches_are_named(self):
        cases = {
            "Кто написал «Войну и мир» – роман?": "en dash",
            "Кто сказал \"да\"?": "straight quotes",
            "Кто такой д'Артаньян?": "apostrophe",
            "Что дальше...?": "three dots",
            "Сколько будет -3 в квадрате?": "minus",
            "Кто это ?": "blank before punctuation",
        }
        for text, what in cases.items():
            with self.subTest(text=text):
                found = problems(topic(block(text, "Один", "Другой"), *filler()))
                self.assertTrue(any(what in p for p in found), found)

    def test_unstorable_and_broken_blocks(self):
        found = problems(topic(block("Что такое π?", "Число", "Буква"), "Q: Без ответов?\n\n", *filler()))
        self.assertTrue(any("Windows-1251" in p for p in found), found)
        self.assertTrue(any("block without" in p for p in found), found)
        found = problems(topic(block("Какой уровень?", "Один", "Два", level="трудный"), *filler()))
        self.assertTrue(any("level" in p for p in found), found)

    def test_a_question_that_gives_its_answer_away(self):
        found = problems(topic(block("Что передают друг другу бегуны в эстафете?", "Эстафетную палочку", "Флажок"),
                               *filler()))
        self.assertTrue(any("gives the answer away" in p for p in found), found)
        # A word both answers share tells nothing.
        found = problems(topic(block("Какая плата главная в компьютере?", "Материнская плата", "Звуковая плата"),
                               *filler()))
        self.assertFalse(any("gives the answer away" in p for p in found), found)

    def test_repeats_and_one_fact_asked_twice(self):
        found = problems(topic(block("Кто открыл законы движения планет?", "Иоганн Кеплер", "Тихо Браге"),
                               block("кто  открыл законы движения планет", "Кеплер", "Коперник"),
                               block("Кто установил, что планеты движутся по эллиптическим орбитам?", "Иоганн Кеплер",
                                     "Галилей"),
                               block("Кто доказал, что планеты движутся по эллиптическим орбитам?", "Иоганн Кеплер",
                                     "Коперник"),
                               *filler()))
        self.assertTrue(any("repeats" in p for p in found), found)
        self.assertTrue(any("same answer and subject" in p for p in found), found)

    def test_a_question_that_gives_another_away(self):
        told = {
            "the answer and the subject in the text": (
                ("Какой теннисист выиграл олимпийский турнир 2000 года в Сиднее?", "Евгений Кафельников", "Марат Сафин"),
                ("В каком городе прошли летние Олимпийские игры 2000 года?", "В Сиднее", "В Мельбурне")),
            "the subject in the right answer": (
                ("Какой фильм Квентина Тарантино получил «Золотую пальмовую ветвь»?", "«Криминальное чтиво»",
                 "«Бешеные псы»"),
                ("Кто снял фильм «Криминальное чтиво»?", "Квентин Тарантино", "Гай Ричи")),
            "a short answer in another case": (
                ("Какой император начал строить амфитеатр Колизей в Риме?", "Веспасиан", "Нерон"),
                ("В каком городе стоит амфитеатр Колизей?", "В Риме", "В Афинах")),
            "a surname alone, in another case": (
                ("Кто создал «Кармен-сюиту» для балета с Майей Плисецкой?", "Родион Щедрин", "Георгий Свиридов"),
                ("Какая балерина исполнила главную партию в балете «Кармен-сюита»?", "Майя Плисецкая", "Галина Уланова")),
            "the subject in the wrong answer": (
                ("К какому фильму Эйзенштейна Прокофьев написал музыку?", "«Александр Невский»", "«Броненосец „Потёмкин“»"),
                ("Кто снял фильм «Броненосец „Потёмкин“»?", "Сергей Эйзенштейн", "Всеволод Пудовкин")),
            "the answer as a wrong answer": (
                ("Какую единицу мощности ввели, сравнивая паровую машину с лошадью?", "Лошадиную силу", "Ватт"),
                ("Как называется единица мощности в системе СИ?", "Ватт", "Вольт")),
        }
        for what, (teller, asked) in told.items():
            with self.subTest(what):
                found = problems(topic(block(*teller), block(*asked), *filler()))
                pair = "01-topic.txt:3: tells the answer of 01-topic.txt:8"
                self.assertTrue(any(p.startswith(pair) for p in found), found)
                source = base(topic(block(*teller), block(*asked)))
                reviewed = {(questions.fold(teller[0]), questions.fold(asked[0]))}
                self.assertFalse(any(p.startswith(pair) for p in questions.cross_giveaways(source.questions, reviewed)))
        # The answer named on another subject tells nothing.
        found = problems(topic(block("На какой планете находится гора Олимп?", "На Марсе", "На Венере"),
                               block("Какая гора — высочайшая в Греции?", "Олимп", "Парнас"), *filler()))
        self.assertFalse(any("tells the answer" in p for p in found), found)
        # Both answers of the other named together tell nothing either.
        found = problems(topic(block("Какая звезда вместе с Вегой и Денебом образует Летний треугольник?", "Альтаир",
                                     "Арктур"),
                               block("Какая звезда — самая яркая в созвездии Лиры?", "Вега", "Денеб"), *filler()))
        self.assertFalse(any("tells the answer" in p for p in found), found)
        # One fact asked twice in other words: the same two answers, found nowhere else.
        found = problems(topic(block("Как называют число вроде 12321?", "Палиндромом", "Анаграммой"),
                               block("Как называется фраза вроде «А роза упала на лапу Азора»?", "Палиндром", "Анаграмма"),
                               *filler()))
        self.assertTrue(any("same answers as" in p for p in found), found)

    def test_first_over_an_answer_numbered_one(self):
        found = problems(topic(block("Как назывался первый луноход?", "«Луноход-1»", "«Луноход-2»"), *filler()))
        self.assertTrue(any("numbered 1" in p for p in found), found)

    def test_the_longer_answer_must_not_be_a_tell(self):
        longer_right = [block(f"Вопрос {i} о длине?", f"Длинный верный ответ {i}", f"Нет {i}") for i in range(150)]
        found = problems(topic(*longer_right))
        self.assertTrue(any("longer answer is right" in p for p in found), found)

    def test_topic_sizes(self):
        self.assertTrue(any("questions (allowed 150–300)" in p for p in problems(topic(*filler(20)))))


class ShippedBaseTest(unittest.TestCase):
    def test_sources_keep_every_rule(self):
        source = questions.read()
        self.assertEqual(questions.check(source), [])
        self.assertGreaterEqual(len(source.questions), 3500)
        topics = {q.topic for q in source.questions}
        self.assertGreaterEqual(len(topics), 15)
        for level, low, high in (("easy", 0.20, 0.30), ("medium", 0.50, 0.60), ("hard", 0.15, 0.25)):
            share = sum(q.level == level for q in source.questions) / len(source.questions)
            self.assertTrue(low <= share <= high, f"{level}: {share:.2f}")

    def test_shipped_files_are_what_the_sources_make(self):
        done = subprocess.run([sys.executable, str(ROOT / "scripts/make-data-files.py"), "--check"],
                              capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)

    def test_right_answer_first_in_half_of_every_topic(self):
        sys.path.insert(0, str(ROOT / "scripts"))
        lines = (ROOT / "resources/Vopros.txt").read_bytes().decode("cp1251").split("\r\n")
        shipped = {lines[i + 1]: lines[i + 4] for i in range(0, len(lines) - 4, 5) if lines[i] == "?"}
        topics = {}
        for q in questions.read().questions:
            topics.setdefault(q.topic, []).append(shipped[q.text] == "0")
        for name, firsts in list(topics.items()) + [("all", sum(topics.values(), []))]:
            share = sum(firsts) / len(firsts)
            self.assertTrue(0.45 <= share <= 0.55, f"{name}: {share:.2f}")


if __name__ == "__main__":
    unittest.main(verbosity=1)
