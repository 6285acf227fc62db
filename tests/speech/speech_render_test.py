"""The host's voice is there: espeak-ng reads a Russian line of the host as speech of a
plausible length and loudness, and the pieces the game speaks through are installed
(scripts/setup.sh puts them in place).

    python3 tests/speech/speech_render_test.py
"""
import array
import glob
import math
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave

WELCOME = ("Каждый из восьми участников, которые находятся здесь сегодня, не знают друг друга, "
           "но чтобы выиграть большой приз, они должны стать командой")
SHORT = "Верно"
WINDOW = 0.05  # seconds: speech alternates sound and short pauses at about this scale


def render(text, directory, name):
    """Duration in seconds, RMS (0..1) and the RMS of each WINDOW of `text` read in Russian."""
    path = pathlib.Path(directory) / name
    done = subprocess.run(["espeak-ng", "-v", "ru", "-w", str(path), text],
                          capture_output=True, text=True, timeout=60, check=False)
    if done.returncode != 0 or done.stderr.strip():
        raise AssertionError(f"espeak-ng failed ({done.returncode}): {done.stderr.strip()}")
    with wave.open(str(path), "rb") as w:
        if w.getsampwidth() != 2 or w.getnchannels() != 1:
            raise AssertionError(f"{name}: not 16-bit mono: {w.getparams()}")
        rate = w.getframerate()
        samples = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        samples.byteswap()
    scaled = [s / 32768 for s in samples]
    rms = math.sqrt(sum(v * v for v in scaled) / len(scaled)) if scaled else 0.0
    step = int(rate * WINDOW)
    windows = [math.sqrt(sum(v * v for v in scaled[i:i + step]) / step)
               for i in range(0, len(scaled) - step + 1, step)]
    return len(scaled) / rate, rms, windows


class SpeechRenderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not shutil.which("espeak-ng"):
            raise AssertionError("espeak-ng is missing: run scripts/setup.sh")

    def test_a_russian_voice_is_installed(self):
        voices = subprocess.run(["espeak-ng", "--voices=ru"], capture_output=True, text=True,
                                timeout=30, check=True).stdout
        self.assertRegex(voices, r"(?m)^\s*\d+\s+ru\s", voices)

    def test_a_line_of_the_host_is_read_as_speech(self):
        with tempfile.TemporaryDirectory() as directory:
            seconds, rms, windows = render(WELCOME, directory, "welcome.wav")
            short_seconds, short_rms, _ = render(SHORT, directory, "short.wav")
        # About two words a second at the normal rate.
        self.assertGreater(seconds, 4.0)
        self.assertLess(seconds, 20.0)
        self.assertGreater(short_seconds, 0.2)
        self.assertLess(short_seconds, 2.0)
        # Not silence, and not a tone: loud stretches between quiet ones.
        self.assertGreater(rms, 0.02)
        self.assertGreater(short_rms, 0.02)
        loud = sum(1 for w in windows if w > 0.05) / len(windows)
        quiet = sum(1 for w in windows if w < 0.01) / len(windows)
        self.assertGreater(loud, 0.3, f"loud windows: {loud:.2f}")
        self.assertGreater(quiet, 0.03, f"quiet windows: {quiet:.2f}")

    def test_the_game_can_reach_the_voice(self):
        # Qt's speech plugin for speech-dispatcher, and speech-dispatcher's espeak-ng module.
        plugins = glob.glob("/usr/lib/*/qt6/plugins/texttospeech/libqtexttospeech_speechd.so")
        self.assertTrue(plugins, "qt6-speech-speechd-plugin is missing: run scripts/setup.sh")
        self.assertTrue(shutil.which("speech-dispatcher"), "speech-dispatcher is missing: run scripts/setup.sh")
        modules = glob.glob("/usr/lib/speech-dispatcher-modules/sd_espeak-ng*")
        self.assertTrue(modules, "speech-dispatcher-espeak-ng is missing: run scripts/setup.sh")


if __name__ == "__main__":
    unittest.main()
