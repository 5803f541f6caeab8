"""Runs hlvn.exe under Wine against the local demo site and tells what happened.
See demo/README.md."""
import argparse
import os
import subprocess
import sys
import time

from hlvn_session import (BUY_BUTTON, LOGIN_BUTTON, SOURCE_DIR, TITLE, Session, WineSession,
                          cache_value, loopback_port, wait_until)

DEMO_STATISTICS_URL = "https://127.0.0.1:18443/t.gif"
TARGETS = ["hlvn", "webhull", "libcef", "payment_sdk_standin", "e2e_probe"]
WM_COMMAND, IDOK = 0x0111, 1


def say(text):
    print(f"[demo] {text}", flush=True)


def prepare_build(build_dir):
    if not loopback_port(cache_value(build_dir, "HLVN_STATISTICS_URL")):
        say(f"pointing the statistics endpoint of {build_dir} at {DEMO_STATISTICS_URL}")
        subprocess.run(["cmake", "-S", SOURCE_DIR, "-B", build_dir,
                        f"-DHLVN_STATISTICS_URL={DEMO_STATISTICS_URL}"],
                       check=True, stdout=subprocess.DEVNULL)
    say("building " + ", ".join(TARGETS))
    subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", *TARGETS], check=True)


def usable_display():
    display = os.environ.get("DISPLAY", "")
    if display and subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0:
        return display
    return None


class Tour:
    """Plays the launcher as a user would and takes a screenshot at each step."""

    def __init__(self, session, shots):
        self.session = session
        self.shots = shots
        self.count = 0

    def shot(self, name):
        if not self.shots:
            return
        self.count += 1
        path = os.path.join(self.shots, f"{self.count:02d}-{name}.png")
        self.session.screenshot(path)
        say(f"  screenshot {path}")

    def run(self, process):
        session = self.session
        login = session.wait_for_window(title=TITLE, visible=True, timeout=90)
        if not login:
            say("no login window appeared")
            return
        say(f"login window shown at {login['rect']}")
        panel = session.wait_for_panel(login, timeout=60)
        if not panel:
            say("the login page was never shown")
            self.shot("login-window")
            return
        say(f"login page shown in its panel at {panel['rect']}")
        self.shot("login")
        say("clicking the login button in the page")
        session.click(panel["rect"][0] + LOGIN_BUTTON[0], panel["rect"][1] + LOGIN_BUTTON[1])
        game = wait_until(lambda: [w for w in session.windows(title=TITLE, visible=True)
                                   if w["zoomed"]], 60, 0.2)
        if not game:
            say("no game window appeared")
            return
        game = game[0]
        say(f"game window opened, maximised at {game['rect']}")
        game_panel = session.wait_for_panel(game, timeout=60)
        if not game_panel:
            say("the game page was never shown")
            return
        self.shot("game")
        say("clicking buy")
        session.click(game_panel["rect"][0] + BUY_BUTTON[0], game_panel["rect"][1] + BUY_BUTTON[1])
        if wait_until(lambda: session.page_requests("/order-result"), 20, 0.2):
            time.sleep(0.3)
            self.shot("paid")
        say("clicking the news link (a new window) and the Flash help link")
        session.click(game_panel["rect"][0] + 60, game_panel["rect"][1] + 196)
        session.click(game_panel["rect"][0] + 60, game_panel["rect"][1] + 228)
        time.sleep(1)
        say("clicking the game window's close button")
        session.click(game["rect"][2] - 13, game["rect"][1] + 11)
        box = session.wait_for_window(cls="#32770", timeout=10)
        if box:
            say(f"confirmation box: {' / '.join(t for t in session.window_texts(box) if t)}")
            self.shot("confirm")
            session.post(box, WM_COMMAND, IDOK)
        wait_until(lambda: process.poll() is not None, 30, 0.2)


def report(session, process, started):
    say("what happened:")
    for request in session.page_requests():
        when = request["time"] - started
        say(f"  {when:6.2f}s  page request  {request['method']} {request['path']}")
    first = session.page_requests("/login.html")
    if first:
        headers = {k: v for k, v in first[0]["headers"]
                   if k.lower() in ("cefversion", "version", "payment", "user-agent")}
        say(f"  identification headers of the login request: {headers}")
    if session.statistics:
        for event in session.statistics_events():
            say(f"  statistics event  {event}")
    else:
        say("  (statistics endpoint not on loopback; events not observed)")
    for address in session.system_browser_openings():
        say(f"  system browser opened  {address}")
    records = os.path.join(session.work_dir, "pay-records.txt")
    if os.path.exists(records):
        with open(records, encoding="utf-8", errors="replace") as f:
            for line in f:
                described = line.split("\tbytes=")[0].strip()
                say(f"  payment library received  {described}")
    code = process.poll()
    say(f"  launcher exit code: {code if code is not None else 'still running'}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build_dir")
    parser.add_argument("--screenshots", help="folder for screenshots (default: BUILD/demo/shots)")
    parser.add_argument("--tour", action="store_true",
                        help="play the launcher automatically also on your own display")
    args = parser.parse_args()
    build_dir = os.path.realpath(args.build_dir)
    prepare_build(build_dir)

    display = usable_display()
    tour = args.tour or not display
    shots = None
    if tour:
        shots = os.path.realpath(args.screenshots or os.path.join(build_dir, "demo", "shots"))
        os.makedirs(shots, exist_ok=True)
    wine = WineSession(os.path.join(build_dir, "demo", "wineprefix"), display)
    say(f"booting a Wine prefix on display {wine.env['DISPLAY']}"
        f"{'' if display else ' (a new Xvfb screen)'}")
    wine.start()
    session = Session(build_dir, os.path.join(build_dir, "demo", "run"), wine)
    try:
        session.start_site()
        say(f"demo site at {session.site.base}, login page {session.login_url()}")
        if session.statistics:
            say(f"statistics endpoint at {session.statistics_url}")
        session.record_system_browser()
        session.write_settings()
        session.prepare_registry(launch_count=None)
        pay_records = "Z:" + os.path.join(session.work_dir, "pay-records.txt").replace("/", "\\")
        started = time.time()
        process = session.start_launcher(extra_env={
            "LYSDK_STANDIN_RESULT_TEXT": "paid-demo", "LYSDK_STANDIN_DELAY_MS": "800",
            "LYSDK_STANDIN_RECORD_FILE": pay_records})
        say("hlvn.exe started")
        if tour:
            Tour(session, shots).run(process)
        else:
            say("play on your display: log in, buy, close the game window; waiting for the end")
            process.wait()
        report(session, process, started)
        if shots:
            say(f"screenshots are in {shots}")
    finally:
        session.stop()
        wine.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
