#!/usr/bin/env python3
"""The code's layout: the widget-free library never reaches the windows, no two folders
under src/ include each other, no identifier is named after a form's widget numbering
(Button1, Edit2, Timer3, TfGame) instead of what it is (object names in strings may keep it),
and the game tells its listeners facts: it names no widget operation and asks them nothing."""

import pathlib
import re
import sys
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
COMMENTS_AND_LITERALS = re.compile(r'//[^\n]*|/\*.*?\*/|(?:u8?|U|L)?"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])+\'', re.S)
WIDGET_NUMBERED = re.compile(
    r'\b(Tf[A-Z]\w*|f(?:Game|Pref|Best|MainMenu)\b'
    r'|(?:Button|Timer|BitBtn|Edit|Label|ListBox|GroupBox|RadioGroup|ComboBox|RichEdit|Shape|Image)\d\w*'
    r'|[Vv]vod\w*|BoxVopros|Form(?:Activate|Close|Create)|NameClick|u(?:MainMenu|Game|Pref|Best)\b'
    r'|m_(?:listBox|label|button)\d)')


def folder_of(path):
    """The folder a header or source belongs to, relative to src/: e.g. core/engine."""
    return str(pathlib.PurePosixPath(path).parent)


def include_graph(src):
    """Folder -> {folder it includes: [the including files]} for every file under src."""
    graph = {}
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        here = folder_of(file.relative_to(src).as_posix())
        for target in INCLUDE.findall(file.read_text(encoding="utf-8")):
            there = folder_of(target)
            if there != here:
                graph.setdefault(here, {}).setdefault(there, []).append(file.relative_to(src).as_posix())
    return graph


def widget_numbered_names(text):
    """The identifiers in C++ text, outside comments and literals, named after widgets."""
    return WIDGET_NUMBERED.findall(COMMENTS_AND_LITERALS.sub(" ", text))


SCREEN_WORD = re.compile(r'\b\w*(?:Shown|Enabled|Title|Caption|Widget|Button|Label)\w*\b')
VIRTUAL = re.compile(r'\bvirtual\s+([\w:<>,\s&*]+?)\s*[&*]?\s*\b(\w+)\s*\(')


def screen_words(text):
    """The identifiers in C++ text, outside comments and literals, that name a screen's parts."""
    return SCREEN_WORD.findall(COMMENTS_AND_LITERALS.sub(" ", text))


def asking_methods(text):
    """The virtual functions of a listener interface that return something: a question to it."""
    return [name for kind, name in VIRTUAL.findall(COMMENTS_AND_LITERALS.sub(" ", text))
            if kind.strip() != "void" and not name.startswith("~")]


def breaches(graph):
    found = []
    for here, targets in graph.items():
        for there, files in targets.items():
            if here.startswith("core") and not there.startswith("core"):
                found.append(f"{files[0]} (core) includes from {there}")
            if here in graph.get(there, {}):
                found.append(f"{here} and {there} include each other ({files[0]})")
    return found


class LayoutTest(unittest.TestCase):
    def test_rules_catch_what_they_should(self):
        graph = {"core/engine": {"ui/table": ["core/engine/GameEngine.cpp"]},
                 "ui/menu": {"ui/table": ["ui/menu/MainMenuWindow.cpp"]},
                 "ui/table": {"ui/menu": ["ui/table/GameWindow.cpp"]},
                 "ui/look": {"core/state": ["ui/look/Fonts.cpp"]}}
        found = breaches(graph)
        self.assertIn("core/engine/GameEngine.cpp (core) includes from ui/table", found)
        self.assertTrue(any("include each other" in line for line in found))
        self.assertFalse(any("ui/look" in line for line in found))

    def test_the_source_tree_keeps_the_rules(self):
        graph = include_graph(ROOT / "src")
        self.assertIn("core/engine", graph, "the include graph came out empty")
        self.assertEqual(breaches(graph), [])

    def test_screen_words_and_questions_are_found(self):
        self.assertEqual(screen_words('void setStartButtonShown(bool); // Shown\nsay(u"Title"_s);'),
                         ["setStartButtonShown"])
        self.assertEqual(asking_methods("virtual void hostSays(const QString &line) {}\n"
                                        "virtual int selectedAnswer() const = 0;\nvirtual ~X() = default;"),
                         ["selectedAnswer"])

    def test_the_game_tells_facts_and_asks_nothing(self):
        core = ROOT / "src" / "core"
        found = [f"{file.relative_to(ROOT)}: {word}"
                 for file in sorted(core.rglob("*")) if file.suffix in (".h", ".cpp")
                 for word in screen_words(file.read_text(encoding="utf-8"))]
        self.assertEqual(found, [])
        listener = (core / "engine" / "GameListener.h").read_text(encoding="utf-8")
        self.assertIn("virtual void questionPut", listener)
        self.assertEqual(asking_methods(listener), [])

    def test_widget_numbered_names_are_found_only_in_code(self):
        text = 'void TfGame::Button1Click() { setObjectName(u"Button1"_s); } // Edit2\nm_label2->hide();'
        self.assertEqual(widget_numbered_names(text), ["TfGame", "Button1Click", "m_label2"])
        self.assertEqual(widget_numbered_names('m_startButton->setObjectName(QStringLiteral("Label2"));'), [])

    def test_the_code_has_no_widget_numbered_names(self):
        found = []
        for folder in ("src", "tests", "bench", "fuzz"):
            for file in sorted((ROOT / folder).rglob("*")):
                if file.suffix in (".h", ".cpp"):
                    found += [f"{file.relative_to(ROOT)}: {name}"
                              for name in widget_numbered_names(file.read_text(encoding="utf-8"))]
        self.assertEqual(found, [])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
