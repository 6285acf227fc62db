"""What a blind player hears: the installed game played on the acceptance suite's desktop
with the Orca screen reader running, by keys alone, and what Orca spoke, read from its
debug log (every utterance is logged there as "SPEECH OUTPUT: '…'").

    dbus-run-session -- python3 listen.py BUILD_DIR [--log FILE]

It plays the main menu, round 1 by keys (about three minutes on the real clock) and the
vote, and checks that Orca spoke what the player needs at each moment: the button to
press, the host's lines, the question with both answers, the clock, the bank's offer and
the names to vote for, also with a Russian keyboard layout on.
"""
import argparse
import os
import pathlib
import re
import shutil
import subprocess
import sys
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from desktop import Desktop, Failure, run, wait_for  # noqa: E402
from run import TITLE, Suite  # noqa: E402

SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)?\s*\{")


class Listener(Suite):
    def __init__(self, build, log):
        super().__init__(build, None)
        self.log = pathlib.Path(log) if log else self.scratch / "orca.log"

    def start_orca(self):
        prefs = self.scratch / "orca"
        prefs.mkdir()
        # No audio device here, and speech-dispatcher stops answering after its first line
        # without one (Orca then waits for good): Orca's speech server is left out, and what
        # it would say is only logged.
        # Its log is written a line at a time, so that what it says is there at once.
        (prefs / "orca-customizations.py").write_text(
            "import orca.debug, orca.speech\n"
            "orca.speech.init = lambda: None\n"
            "if orca.debug.debugFile:\n"
            "    orca.debug.debugFile.reconfigure(line_buffering=True)\n")
        env = dict(os.environ, HOME=str(self.scratch), GSETTINGS_BACKEND="memory")
        self.orca = subprocess.Popen(["orca", "--replace", "-u", str(prefs), "--debug-file", str(self.log)],
                                     env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.desktop.processes.append(self.orca)
        wait_for("Orca's debug log", lambda: self.log.exists() and self.log.stat().st_size > 0, timeout=30)
        time.sleep(3)

    def spoken(self):
        """Everything Orca has said so far, an utterance a line."""
        text = self.log.read_text(encoding="utf-8", errors="replace") if self.log.exists() else ""
        return [m[1] for m in (SPOKEN.search(line) for line in text.splitlines()) if m]

    def mark(self):
        """A place in what Orca said, to listen from."""
        return len(self.spoken())

    def expect(self, what, since, pattern, timeout=5):
        """Orca says something matching `pattern` after `since`, within `timeout` seconds."""
        deadline = time.monotonic() + timeout
        while True:
            heard = self.spoken()[since:]
            hit = next((line for line in heard if re.search(pattern, line)), None)
            if hit or time.monotonic() > deadline:
                break
            time.sleep(0.2)
        self.check(f"Orca says {what}", hit is not None, f"(heard {heard[-8:]})")
        if hit:
            print(f"        «{hit}»", flush=True)

    def run(self):
        with Desktop(1280, 1024) as self.desktop:
            self.install()
            try:
                self.start_orca()
                self.new_player(100)
                since = self.mark()
                self.launch()
                self.a11y.wait_top_level(TITLE)
                # Orca's first words after a program starts come late when the machine is busy
                # (the other desktop suites and the builds run beside this one).
                self.expect("the main menu's focused button", since, r"^Играть push button", timeout=20)
                d = self.desktop
                since = self.mark()
                d.key("Return")
                table = self.a11y.wait_top_level(TITLE)
                self.expect("the focused «Начинаем»", since, r"^Начинаем push button")
                since = self.mark()
                d.key("Return")
                self.expect("the host's opening line with the first question and its answers", since,
                            r"У вас есть 150 секунд.*Первый ответ: .+Второй ответ: ")
                answers = self.a11y.find(table, "Варианты ответа")
                bank = self.a11y.find(table, "Положить в банк", "push button")
                narration = self.a11y.find(table, "Ведущий")
                said = lambda words: words in self.a11y.text(narration)
                round_from = self.mark()
                asked = banked = 0
                started = time.monotonic()
                while time.monotonic() - started < 175 and not said("Кому пришло время покинуть игровую площадку"):
                    if self.a11y.showing(answers) and self.a11y.enabled(answers):
                        if asked == 0:
                            self.expect("the focused first answer with its text", since, r"^Ответ 1: .+")
                            # Asked first in the round, the player hears the question in the
                            # host's opening line.
                            self.expect("the player's question with both answers", since,
                                        r"^notification (У вас есть .*Время пошло! )?Новый Игрок, "
                                        r".*Первый ответ: .+Второй ответ: ")
                            since = self.mark()
                            d.key("t")
                            self.expect("the seconds left on T", since, r"До конца раунда \d+ секунд")
                        d.key("1")
                        asked += 1
                        time.sleep(0.5)
                    if not banked and self.a11y.showing(bank) and self.a11y.enabled(bank):
                        self.expect("the bank's offer with its key", round_from, r"B — положить в банк")
                        # Pressed with a Russian layout on: the same key (И) banks as B.
                        banks = self.a11y.text(narration).count("БАНК!")
                        run("setxkbmap", "-layout", "us,ru")
                        d.key("ISO_Next_Group")
                        d.key("Cyrillic_i")
                        d.key("ISO_Next_Group")
                        run("setxkbmap", "-layout", "us")
                        time.sleep(0.5)
                        taken = self.a11y.text(narration).count("БАНК!") == banks + 1
                        # An offer that went with the next question before the key is tried again.
                        if taken or self.a11y.showing(bank):
                            self.check("«БАНК!» by B pressed as И with the Russian layout on", taken)
                            banked += 1
                    time.sleep(0.2)
                self.check("round 1: the player answered by keys", asked > 0, f"({asked})")
                self.expect("the host's verdicts", round_from, r"Верно|Не верно")
                self.expect("the vote's call", round_from, r"Кому пришло время покинуть игровую площадку")
                self.expect("how to vote", round_from, r"Голосование: нажмите номер места")
                self.expect("a name to vote for, as a button", round_from, r"^Место \d: .+ push button")
                since = self.mark()
                d.key("n")
                self.expect("the seats with their numbers on N", since, r"Место 1: .+\. Место 2: ")
                # The same key on a Russian layout (Т) works as N.
                run("setxkbmap", "-layout", "us,ru")
                d.key("ISO_Next_Group")
                since = self.mark()
                d.key("Cyrillic_te")
                self.expect("the seats on N with the Russian layout on", since, r"Место 1: .+\. Место 2: ")
            except Failure as e:
                self.check("the listening ran to its end", False, str(e))
            self.stop_game()
        # The scratch folder is kept when something failed, for Orca's log in it.
        if not self.failed:
            shutil.rmtree(self.scratch, ignore_errors=True)
        return self.report("listen", f"Orca's log: {self.log}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--log", help="where Orca's debug log is kept")
    args = parser.parse_args()
    return Listener(pathlib.Path(args.build).resolve(), args.log).run()


if __name__ == "__main__":
    sys.exit(main())
