#!/usr/bin/env python3
"""The code's layout: the widget-free library never reaches the windows, and no two
folders under src/ include each other."""

import pathlib
import re
import sys
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


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


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
