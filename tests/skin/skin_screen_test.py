#!/usr/bin/env python3
"""Looks at skinned windows on the test display and drives them with the real
mouse: a button's three states, a label's text, the login layout, and clicks."""

import os
import queue
import re
import subprocess
import sys
import threading
import time

BIN = os.environ["HLVN_BIN_DIR"]
BUILD = os.environ["HLVN_BUILD_DIR"]
IMAGES = os.path.join(BUILD, "launcher", "windows", "skin_package", "images")
SHOTS = os.path.join(BUILD, "tests", "skin")
failures = []


def check(condition, message):
    print(("ok   " if condition else "FAIL ") + message)
    if not condition:
        failures.append(message)


def pixels(png, x, y, w=1, h=1):
    out = subprocess.run(["convert", png, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-depth", "8",
                          "txt:-"], check=True, capture_output=True, text=True).stdout
    return [tuple(int(v) for v in m.groups())
            for m in re.finditer(r"^\d+,\d+: \((\d+),(\d+),(\d+)", out, re.M)]


def close_to(a, b, tolerance):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


def screenshot(name):
    path = os.path.join(SHOTS, name)
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)
    time.sleep(0.6)


class Probe:
    """The skin probe program in one of its show modes."""

    def __init__(self, mode):
        self.process = subprocess.Popen(
            [os.environ["HLVN_WINE_RUN"], os.path.join(BIN, "skin_probe.exe"), mode],
            stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        line = self.next_line(60).split()
        if len(line) != 3 or line[0] != "ready":
            self.stop()
            raise RuntimeError(f"probe {mode} did not start: {line}")
        self.left, self.top = int(line[1]), int(line[2])
        time.sleep(1.5)

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.strip())

    def next_line(self, timeout=20):
        try:
            return self.lines.get(timeout=timeout)
        except queue.Empty:
            return ""

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()


def game_title_bar():
    probe = Probe("show-game")
    try:
        # btnMin spans 1842..1868 x 0..23; its 30 x 27 pictures are stretched onto it.
        sample = (1844, 3)
        expected = {state: pixels(os.path.join(IMAGES, f"btn_game_min{state}.png"), 2, 3)[0]
                    for state in ("", "_hover", "_pushed")}
        check(len(set(expected.values())) == 3, "the three state pictures differ")

        shot = screenshot("game_normal.png")
        check(close_to(pixels(shot, *sample)[0], expected[""], 6), "button at rest")
        label = pixels(shot, 31, 5, 61, 14)
        bright = sum(1 for p in label if min(p) > 128)
        check(bright > 15, f"label text drawn ({bright} light pixels in labelName)")
        check(close_to(pixels(shot, 150, 10)[0], (0x33, 0x33, 0x33), 2), "title bar colour")

        xdotool("mousemove", "1846", "20")
        shot = screenshot("game_hot.png")
        check(close_to(pixels(shot, *sample)[0], expected["_hover"], 6), "button under the mouse")

        xdotool("mousedown", "1")
        shot = screenshot("game_pushed.png")
        check(close_to(pixels(shot, *sample)[0], expected["_pushed"], 6), "button pressed")
        xdotool("mouseup", "1")
        check(probe.next_line() == "click btnMin", "click notification for btnMin")

        xdotool("mousemove", "1907", "11")
        xdotool("click", "1")
        check(probe.next_line() == "click btnClose", "click notification for btnClose")
        check(probe.process.wait(timeout=30) == 0, "probe ends after btnClose")
    finally:
        probe.stop()
        xdotool("mousemove", "960", "1070")


def login_layout():
    probe = Probe("show-login")
    try:
        shot = screenshot("login_layout.png")
        background = pixels(os.path.join(IMAGES, "loginBkg.png"), 600, 40)[0]
        on_screen = pixels(shot, probe.left + 600, probe.top + 40)[0]
        check(close_to(on_screen, background, 10), f"login background {on_screen} ~ {background}")
        gif = pixels(shot, probe.left + 90, probe.top + 245)[0]
        check(close_to(gif, (0x1d, 0x3d, 0x66), 12), f"animation drawn at its place {gif}")
        xdotool("mousemove", str(probe.left + 1129), str(probe.top + 109))
        xdotool("click", "1")
        check(probe.next_line() == "click btnClose", "login close button clicked")
        check(probe.process.wait(timeout=30) == 0, "probe ends")
    finally:
        probe.stop()
        xdotool("mousemove", "960", "1070")


def main():
    game_title_bar()
    login_layout()
    if failures:
        print(f"{len(failures)} check(s) failed")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
