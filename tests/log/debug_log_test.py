#!/usr/bin/env python3
"""Runs the log test program under Wine in prepared folders and reads what the
diagnostic log left behind: the dated file, its lines, standard error and the
debugger output (seen through Wine's "debugstr" channel)."""

import contextlib
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

PROBE = None
WINE_RUN = os.environ["HLVN_WINE_RUN"]
PREFIX = os.environ["WINEPREFIX"]
BUILD_DIR = os.environ["HLVN_BUILD_DIR"]
DEBUGGER_LINE = re.compile(rb'^[0-9a-f]+:warn:debugstr:OutputDebugStringA "(.*)"$')
LOG_LINE = re.compile(
    rb"^(\d{4})-(\d\d)-(\d\d) \d\d:\d\d:\d\d\.([ \d]{3}) \[(.*)\] : (.*)$")

# Lines given to the program: level|file|line|function|message.
CALLS = [
    "0|D:\\w\\Main|59|wWinMain|CoInitialize false GetLastError:1008",
    "1|plain.cpp|7|Fn|level one \u4e2d\u6587",
    "2|\\lead.cpp|-3|G|level two",
    "3|x\\y.cpp|1|H|level three is dropped",
    "7|x\\y.cpp|2|H|level seven is dropped",
]
# The tag and message each written line must carry (message in code page 936).
EXPECTED = [
    (b"Main<59>wWinMain", b"CoInitialize false GetLastError:1008"),
    (b"plain.cpp<7>Fn", "level one \u4e2d\u6587".encode("gbk")),
    (b"\\lead.cpp<-3>G", b"level two"),
]


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def today_log_name():
    return "log_probe.exe_%d_%d_%d.log" % time.localtime()[:3]


def documents_folder():
    folders = [f for f in glob.glob(os.path.join(PREFIX, "drive_c/users/*/Documents"))
               if "/Public/" not in f]
    assert len(folders) == 1, folders
    return folders[0]


@contextlib.contextmanager
def replaced(path, make):
    """Moves `path` aside (if present), lets `make` create a new one, and
    restores the original afterwards."""
    saved = path + ".hlvn-log-test"
    had = os.path.lexists(path)
    if had:
        os.rename(path, saved)
    try:
        make(path)
        yield path
    finally:
        if os.path.isdir(path) and not os.path.islink(path):
            shutil.rmtree(path)
        elif os.path.lexists(path):
            os.remove(path)
        if had:
            os.rename(saved, path)


class DebugLogTest(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="debug-log-", dir=BUILD_DIR)
        self.cwd = os.path.join(self.work, "cwd")
        os.mkdir(self.cwd)
        self.drive_d = os.path.join(self.work, "drive_d")
        os.mkdir(self.drive_d)
        stack = contextlib.ExitStack()
        self.addCleanup(stack.close)
        self.addCleanup(shutil.rmtree, self.work)
        # A Documents folder of the prefix's own instead of the link to $HOME.
        self.documents = stack.enter_context(replaced(documents_folder(), os.mkdir))
        self.stack = stack

    def with_drive_d(self):
        link = os.path.join(PREFIX, "dosdevices", "d:")
        self.stack.enter_context(replaced(link, lambda p: os.symlink(self.drive_d, p)))

    def without_drive_d(self):
        link = os.path.join(PREFIX, "dosdevices", "d:")
        self.stack.enter_context(replaced(link, lambda p: None))

    def run_probe(self, calls):
        """Runs the program in self.cwd; returns (stderr lines, debugger lines)."""
        args = [WINE_RUN, PROBE]
        if calls:
            lines = os.path.join(self.work, "lines.txt")
            with open(lines, "w", encoding="utf-8") as f:
                f.write("\n".join(calls) + "\n")
            args.append(windows_path(lines))
        env = dict(os.environ, WINEDEBUG="-all,warn+debugstr")
        result = subprocess.run(args, cwd=self.cwd, env=env, capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        stderr, debugger = [], []
        for line in result.stderr.replace(b"\r\n", b"\n").split(b"\n"):
            match = DEBUGGER_LINE.match(line)
            if match:
                debugger.append(match.group(1))
            elif line:
                stderr.append(line)
        return stderr, debugger

    def check_lines(self, lines, expected=EXPECTED):
        self.assertEqual(len(lines), len(expected), lines)
        for line, (tag, message) in zip(lines, expected):
            match = LOG_LINE.match(line)
            self.assertTrue(match, line)
            self.assertEqual(match.group(5), tag)
            self.assertEqual(match.group(6), message)
            self.assertRegex(match.group(4), rb"^(  \d| [1-9]\d|[1-9]\d\d)$")

    def check_debugger(self, lines):
        """The debugger receives each line with CR LF (escaped by Wine)."""
        self.assertEqual(len(lines), len(EXPECTED), lines)
        for line, (tag, _) in zip(lines, EXPECTED):
            self.assertIn(b"[" + tag.replace(b"\\", b"\\\\") + b"] : ", line)
            self.assertTrue(line.endswith(b"\\r\\n"), line)

    def read_log(self, folder, names):
        logs = [n for n in os.listdir(folder) if n.endswith(".log")]
        self.assertEqual(len(logs), 1, os.listdir(folder))
        self.assertIn(logs[0], names)
        with open(os.path.join(folder, logs[0]), "rb") as f:
            data = f.read()
        self.assertTrue(data.endswith(b"\r\n"), data)
        self.assertNotIn(b"\n", data.replace(b"\r\n", b""), data)
        lines = data[:-2].split(b"\r\n")
        for line in lines:
            year, month, day = (int(x) for x in LOG_LINE.match(line).groups()[:3])
            self.assertEqual(logs[0], "log_probe.exe_%d_%d_%d.log" % (year, month, day))
        return lines

    def run_today(self, calls):
        """Runs the program; also returns the log names valid before and after."""
        before = today_log_name()
        outputs = self.run_probe(calls)
        return outputs, {before, today_log_name()}

    def test_nothing_logged_creates_nothing(self):
        (stderr, debugger), _ = self.run_today([])
        self.assertEqual(os.listdir(self.cwd), [])
        self.assertEqual(os.listdir(self.documents), [])
        self.assertEqual((stderr, debugger), ([], []))

    def test_writable_folder_gets_dated_file_appended_by_later_runs(self):
        (stderr, debugger), names = self.run_today(CALLS)
        self.assertNotIn("debug.txt", os.listdir(self.cwd))
        self.check_lines(self.read_log(self.cwd, names))
        self.check_lines(stderr)
        self.check_debugger(debugger)

        _, names = self.run_today(CALLS[:1])
        self.check_lines(self.read_log(self.cwd, names), EXPECTED + EXPECTED[:1])
        self.assertEqual(os.listdir(self.documents), [])

    def test_probe_file_is_replaced_and_removed(self):
        with open(os.path.join(self.cwd, "debug.txt"), "w") as f:
            f.write("left over")
        _, names = self.run_today(CALLS)
        self.assertNotIn("debug.txt", os.listdir(self.cwd))
        self.check_lines(self.read_log(self.cwd, names))

    def test_unwritable_folder_falls_back_to_console_user_documents(self):
        # Under Wine the console session's user token is granted, so the
        # log moves to that user's Documents folder.
        os.mkdir(os.path.join(self.cwd, "debug.txt"))
        (stderr, _), names = self.run_today(CALLS)
        self.assertEqual(os.listdir(self.cwd), ["debug.txt"])
        self.assertNotIn("debug.txt", os.listdir(self.documents))
        self.check_lines(self.read_log(self.documents, names))
        self.check_lines(stderr)

    def test_no_writable_folder_with_drive_d_writes_stderr_and_debugger_only(self):
        os.mkdir(os.path.join(self.cwd, "debug.txt"))
        os.mkdir(os.path.join(self.documents, "debug.txt"))
        self.with_drive_d()
        stderr, debugger = self.run_probe(CALLS)
        self.assertEqual(os.listdir(self.cwd), ["debug.txt"])
        self.assertEqual(os.listdir(self.documents), ["debug.txt"])
        self.assertEqual(os.listdir(self.drive_d), [])
        self.check_lines(stderr)
        self.check_debugger(debugger)

    def test_no_writable_folder_without_drive_d_writes_nothing(self):
        os.mkdir(os.path.join(self.cwd, "debug.txt"))
        os.mkdir(os.path.join(self.documents, "debug.txt"))
        self.without_drive_d()
        stderr, debugger = self.run_probe(CALLS)
        self.assertEqual(os.listdir(self.cwd), ["debug.txt"])
        self.assertEqual(os.listdir(self.documents), ["debug.txt"])
        self.assertEqual((stderr, debugger), ([], []))


if __name__ == "__main__":
    PROBE = sys.argv.pop(1)
    unittest.main(verbosity=2)
