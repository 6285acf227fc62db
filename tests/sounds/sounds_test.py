"""The shipped sound effects are playable, evenly loud, click-free and exactly what
scripts/make-sounds.py makes.

    python3 tests/sounds/sounds_test.py
    python3 -m unittest discover -s tests/sounds -p '*_test.py'
"""
import array
import math
import pathlib
import runpy
import shutil
import subprocess
import sys
import tempfile
import unittest
import wave

ROOT = pathlib.Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "scripts" / "make-sounds.py"
SOUNDS = ROOT / "resources" / "sounds"

EXPECTED = ("question", "right_answer", "chain_break", "bank", "tick", "round_end", "verdict",
            "player_leaves", "duel_start", "win", "loss")
MAX_BYTES = 100_000
WINDOW = 0.4  # seconds: loudness is the RMS of the loudest stretch this long


def read(path):
    """(wave params, samples scaled to -1..1)."""
    with wave.open(str(path), "rb") as w:
        params = w.getparams()
        data = array.array("h", w.readframes(w.getnframes()))
    if sys.byteorder == "big":
        data.byteswap()
    return params, [v / 32768.0 for v in data]


def loudness_db(x, rate):
    w = min(len(x), int(round(WINDOW * rate)))
    sq = [v * v for v in x]
    run = best = sum(sq[:w])
    for i in range(w, len(sq)):
        run += sq[i] - sq[i - w]
        best = max(best, run)
    return 10.0 * math.log10(best / w) if best > 0 else -math.inf


def make_sounds(*args):
    return subprocess.run([sys.executable, str(SCRIPT), *args], capture_output=True, text=True,
                          timeout=300)


class ShippedSoundsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sounds = {}
        for name in EXPECTED:
            path = SOUNDS / f"{name}.wav"
            if path.is_file():
                cls.sounds[name] = (path,) + read(path)

    def sound(self, name):
        """(path, wave params, samples) of a shipped sound; fails the check when it is missing."""
        if name not in self.sounds:
            self.fail(f"{name}.wav is missing from {SOUNDS}")
        return self.sounds[name]

    def for_each(self, check):
        for name in EXPECTED:
            with self.subTest(sound=name):
                check(*self.sound(name))

    def test_every_sound_is_a_small_mono_16_bit_wav(self):
        def check(path, params, x):
            self.assertEqual(params.nchannels, 1)
            self.assertEqual(params.sampwidth, 2)
            self.assertEqual(params.comptype, "NONE")
            self.assertIn(params.framerate, (22050, 44100))
            self.assertGreater(len(x), params.framerate // 20, "shorter than 50 ms")
            self.assertLess(path.stat().st_size, MAX_BYTES)
        self.for_each(check)

    def test_sounds_are_audible_and_do_not_clip(self):
        def check(path, params, x):
            self.assertLess(max(abs(v) for v in x), 0.99)
            self.assertGreater(loudness_db(x, params.framerate), -30.0)
        self.for_each(check)

    def test_sounds_start_and_end_in_silence(self):
        # A sound that starts or stops mid-wave clicks in the speakers.
        def check(path, params, x):
            peak = max(abs(v) for v in x)
            head = x[:max(1, params.framerate // 2000)]      # first 0.5 ms
            tail = x[-(params.framerate // 200):]            # last 5 ms
            self.assertLess(abs(x[0]), 0.003)
            self.assertLess(abs(x[-1]), 0.003)
            self.assertLess(max(abs(v) for v in head), 0.1 * peak, "abrupt start")
            self.assertLess(max(abs(v) for v in tail), 0.05 * peak, "abrupt end")
        self.for_each(check)

    def test_all_sounds_are_equally_loud(self):
        levels = {}
        for name in EXPECTED:
            _, params, x = self.sound(name)
            levels[name] = loudness_db(x, params.framerate)
        spread = max(levels.values()) - min(levels.values())
        self.assertLessEqual(spread, 1.0, {k: round(v, 2) for k, v in levels.items()})


class MakeSoundsTest(unittest.TestCase):
    def test_shipped_files_are_what_the_script_makes(self):
        done = make_sounds("--check")
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def test_check_fails_on_a_changed_missing_or_stray_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            folder = pathlib.Path(tmp) / "sounds"
            shutil.copytree(SOUNDS, folder)
            changed = folder / "bank.wav"
            data = bytearray(changed.read_bytes())
            data[len(data) // 2] ^= 0x01          # one sample off by one step
            changed.write_bytes(bytes(data))
            (folder / "tick.wav").unlink()
            shutil.copy(folder / "win.wav", folder / "old_win.wav")
            done = make_sounds("--check", "--dir", str(folder))
        self.assertNotEqual(done.returncode, 0)
        for name in ("bank.wav", "tick.wav", "old_win.wav"):
            self.assertIn(name, done.stderr)
        self.assertNotIn("question.wav", done.stderr)

    def test_limiter_keeps_every_sample_under_the_ceiling(self):
        # The script's functions, without running it as a program.
        script = runpy.run_path(str(SCRIPT), run_name="make_sounds")
        rate = script["RATE"]
        # Quiet tone with a loud burst in the middle, and a lone full-scale spike near the end.
        x = [0.1 * math.sin(i * 0.05) for i in range(rate)]
        for i in range(rate // 2, rate // 2 + rate // 20):
            x[i] = 1.6 * math.sin(i * 0.05)
        x[rate - 100] = 1.0
        ceiling = 0.8
        y = script["limit"](x, ceiling)
        self.assertEqual(len(y), len(x))
        self.assertLessEqual(max(abs(v) for v in y), ceiling + 1e-12)
        # Well before the burst the gain is untouched; the burst keeps most of its level.
        self.assertLess(max(abs(a - b) for a, b in zip(x[:rate // 4], y[:rate // 4])), 1e-9)
        self.assertGreater(max(abs(v) for v in y[rate // 2:rate // 2 + rate // 20]), 0.75)


if __name__ == "__main__":
    unittest.main()
