"""End-to-end tests: the real hlvn.exe under Wine against the demo site,
watched from outside through e2e_probe.exe, xdotool and the site's request
logs. Run one class per ctest test:  test_launcher.py ClassName
"""
import base64
import datetime
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "demo"))
from hlvn_session import (LOGIN_BUTTON, LOGIN_SIZE, BUY_BUTTON, PANEL_OFFSET, PANEL_SIZE,  # noqa: E402
                          TITLE, UNINSTALL, Session, header, wait_until)

WM_COMMAND = 0x0111
WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020
SC_CLOSE = 0xF060
IDOK, IDCANCEL = 1, 2
PAY_RESULT = "paid-DEMO"
CONFIRM_TEXT = "是否要关闭游戏？"
LOG_LINE = "CreateMutex(PinnaceLogin) GetLastError:ERROR_ALREADY_EXISTS"


def rect_size(window):
    left, top, right, bottom = window["rect"]
    return right - left, bottom - top


def centred(size, work):
    """Where the launcher centres a window of this size on a work area."""
    def axis(low, high, length):
        position = int((low + high) / 2) - length // 2
        if position < low:
            return low
        return high - length if position + length > high else position
    return axis(work[0], work[2], size[0]), axis(work[1], work[3], size[1])


class LauncherTest(unittest.TestCase):
    def setUp(self):
        build_dir = os.environ["HLVN_BUILD_DIR"]
        self.session = Session(build_dir, os.path.join(build_dir, "e2e", type(self).__name__))
        self.session.start_site()
        self.session.record_system_browser()
        self.session.write_settings()
        self.session.prepare_registry(launch_count=None)
        self.archiver = os.path.join(self.session.local_app_data(), "7z.dll")
        with open(self.archiver, "wb") as f:
            f.write(b"unpacked by an installer")

    def tearDown(self):
        self.session.stop()

    def launch(self, *args, **kwargs):
        return self.session.start_launcher(
            *args, extra_env={"LYSDK_STANDIN_RESULT_TEXT": PAY_RESULT,
                              "LYSDK_STANDIN_DELAY_MS": "300"}, **kwargs)

    def login_window(self, process):
        window = self.session.wait_for_window(title=TITLE, cls="MainWndClass", visible=True)
        self.assertIsNotNone(window, "no login window")
        self.assertIsNone(process.poll())
        return window

    def shown_panel(self, owner):
        panel = self.session.wait_for_panel(owner)
        self.assertIsNotNone(panel, "the page panel was never shown")
        return panel

    def assert_exits(self, process, code=0, timeout=30):
        try:
            self.assertEqual(process.wait(timeout=timeout), code)
        except Exception:
            self.fail("the launcher did not end")

    def assert_panel_on_login(self, login, panel):
        self.assertEqual(panel["rect"], [login["rect"][0] + PANEL_OFFSET[0],
                                         login["rect"][1] + PANEL_OFFSET[1],
                                         login["rect"][0] + PANEL_OFFSET[0] + PANEL_SIZE[0],
                                         login["rect"][1] + PANEL_OFFSET[1] + PANEL_SIZE[1]])

    def open_game(self):
        """Starts the launcher and logs in with a real click in the login page."""
        process = self.launch()
        login = self.login_window(process)
        panel = self.shown_panel(login)
        self.session.click(panel["rect"][0] + LOGIN_BUTTON[0], panel["rect"][1] + LOGIN_BUTTON[1])
        game = wait_until(lambda: [w for w in self.session.windows(title=TITLE, visible=True)
                                   if w["hwnd"] != login["hwnd"] and w["zoomed"]], 60, 0.2)
        self.assertTrue(game, "no maximised game window after the login click")
        return process, login, game[0]

    def game_requests(self):
        return self.session.page_requests("/game.html")


class LoginWindow(LauncherTest):
    def test_first_launch_then_next_launch(self):
        session = self.session
        # The version header is read from the libcef.dll in the current folder.
        os.symlink(os.path.join(session.bin_dir, "libcef.dll"),
                   os.path.join(session.work_dir, "libcef.dll"))
        process = self.launch()
        login = self.login_window(process)
        self.assertEqual(rect_size(login), LOGIN_SIZE)
        self.assertEqual(tuple(login["rect"][:2]), centred(LOGIN_SIZE, session.work_area()))

        # Watch the panel until it shows; each look is stamped when it has ended.
        looks = []
        deadline = time.time() + 60
        while time.time() < deadline and not (looks and looks[-1][1]):
            panels = session.owned_by(login)
            looks.append((time.time(), panels and panels[0]["visible"], panels))
        panel = looks[-1][2][0] if looks[-1][1] else None
        self.assertIsNotNone(panel, "the page panel was never shown")
        loaded = session.page_requests("/loaded?page=login")
        self.assertTrue(loaded, "the login page never finished loading")
        for stamp, visible, panels in looks:
            self.assertTrue(panels, "no page panel owned by the login window")
            if stamp < loaded[0]["time"]:
                self.assertFalse(visible, "the panel was visible before its page had loaded")
        self.assert_panel_on_login(login, panel)

        logins = session.page_requests("/login.html")
        self.assertEqual(logins[0]["path"],
                         "/login.html?from=demo&uid=10086&suid=demo+player&token=demo-token")
        for request in session.page_requests():
            self.assertEqual(header(request, "payment"), ["360pay"], request["path"])
            self.assertRegex(" ".join(header(request, "cefVersion")), r"^\d+\.\d+\.\d+\.\d+$")
            self.assertEqual(header(request, "version"), [""], request["path"])

        # A real drag by the picture's top band moves the panel along.
        grab = (login["rect"][0] + 200, login["rect"][1] + 40)
        session.xdotool("mousemove", "--sync", str(grab[0]), str(grab[1]))
        session.xdotool("mousedown", "1")
        for step in range(1, 6):
            session.xdotool("mousemove", "--sync", str(grab[0] - 12 * step), str(grab[1] + 8 * step))
            time.sleep(0.1)
        session.xdotool("mouseup", "1")
        moved = wait_until(lambda: [w for w in session.windows(title=TITLE)
                                    if w["hwnd"] == login["hwnd"] and w["rect"] != login["rect"]],
                           10, 0.2)
        self.assertTrue(moved, "the login window did not move when dragged")
        panel = [w for w in session.owned_by(moved[0]) if w["visible"]][0]
        self.assert_panel_on_login(moved[0], panel)

        # The close button hides the window at once and ends the launcher.
        login = moved[0]
        session.click(login["rect"][0] + 1129, login["rect"][1] + 109)
        self.assertTrue(wait_until(lambda: not session.windows(title=TITLE, visible=True), 5, 0.05),
                        "the login window stayed visible after the close click")
        self.assert_exits(process)
        self.assertFalse(os.path.exists(self.archiver), "7z.dll was not deleted")
        self.assertEqual(session.reg_query(UNINSTALL + r"\hlvn", "lunchNum"),
                         ("REG_DWORD", "0x1"))

        # Next launch: no config.ini, so the file parameter is passed instead.
        session.write_settings(config_ini=False)
        process = self.launch()
        login = self.login_window(process)
        self.shown_panel(login)
        self.assertEqual(session.page_requests("/login.html")[-1]["path"],
                         "/login.html?from=demo?fileparam=" +
                         base64.b64encode(b"DEMO01").decode())
        session.key((login["rect"][0] + 200, login["rect"][1] + 40), "alt+F4")
        self.assert_exits(process)
        self.assertEqual(session.reg_query(UNINSTALL + r"\hlvn", "lunchNum"),
                         ("REG_DWORD", "0x2"))
        if session.statistics:
            self.assertEqual(session.statistics_events(), ["clientFirstRun", "clientRun"])


class GameWindow(LauncherTest):
    def test_login_play_pay_and_close(self):
        session = self.session
        process, login, game = self.open_game()
        self.assertTrue(wait_until(lambda: not [w for w in session.windows()
                                                if w["hwnd"] == login["hwnd"]], 10, 0.1),
                        "the login window is still there")
        self.assertIsNone(process.poll())
        panel = self.shown_panel(game)
        self.assertEqual(panel["rect"], [game["rect"][0], game["rect"][1] + 23,
                                         game["rect"][2], game["rect"][3]])
        self.assertEqual([r["path"] for r in self.game_requests()],
                         ["/game.html?client=1&server=demo"])

        session.click(panel["rect"][0] + BUY_BUTTON[0], panel["rect"][1] + BUY_BUTTON[1])
        results = wait_until(lambda: session.page_requests("/order-result"), 20, 0.2)
        self.assertTrue(results, "the page never received the payment result")
        self.assertEqual(results[0]["path"], "/order-result?text=" + PAY_RESULT)

        # The game page's "_blank" link and its Flash help link open the system browser.
        session.click(panel["rect"][0] + 60, panel["rect"][1] + 196)
        session.click(panel["rect"][0] + 60, panel["rect"][1] + 228)
        opened = wait_until(lambda: len(session.system_browser_openings()) >= 2 and
                            session.system_browser_openings(), 20, 0.2)
        self.assertEqual(opened, [session.site.base + "/news.html", session.flash_help_url()])

        # The close button asks first; Cancel keeps everything.
        close = (game["rect"][2] - 13, game["rect"][1] + 11)
        session.click(*close)
        box = session.wait_for_window(title=TITLE, cls="#32770", timeout=10)
        self.assertIsNotNone(box, "no confirmation box")
        self.assertIn(CONFIRM_TEXT, session.window_texts(box))
        session.post(box, WM_COMMAND, IDCANCEL)
        self.assertTrue(wait_until(lambda: not session.windows(cls="#32770"), 10, 0.2))
        time.sleep(0.5)
        self.assertIsNone(process.poll())
        self.assertTrue([w for w in session.windows(visible=True) if w["hwnd"] == game["hwnd"]])

        # OK ends the game: the window vanishes at once, the launcher soon after.
        session.click(*close)
        box = session.wait_for_window(title=TITLE, cls="#32770", timeout=10)
        self.assertIsNotNone(box, "no confirmation box the second time")
        session.post(box, WM_COMMAND, IDOK)
        self.assertTrue(wait_until(lambda: not [w for w in session.windows(visible=True)
                                                if w["hwnd"] == game["hwnd"]], 2, 0.05))
        self.assert_exits(process)
        self.assertFalse(os.path.exists(self.archiver), "7z.dll was not deleted")
        if session.statistics:
            self.assertEqual(session.statistics_events(), ["clientFirstRun", "clientGameFirstRun"])


class GameAltF4(LauncherTest):
    def test_alt_f4_ends_without_asking(self):
        process, _, game = self.open_game()
        self.shown_panel(game)
        self.session.key((game["rect"][0] + 300, game["rect"][1] + 10), "alt+F4")
        self.assert_exits(process)
        self.assertFalse(self.session.windows(cls="#32770"), "a box was shown")


class SecondInstance(LauncherTest):
    def test_second_instance_restores_the_first(self):
        session = self.session
        first = self.launch()
        login = self.login_window(first)
        session.post(login, WM_SYSCOMMAND, SC_MINIMIZE)
        self.assertTrue(wait_until(lambda: [w for w in session.windows()
                                            if w["hwnd"] == login["hwnd"] and w["iconic"]], 10))
        second = self.launch()
        self.assert_exits(second)
        restored = wait_until(lambda: [w for w in session.windows()
                                       if w["hwnd"] == login["hwnd"] and not w["iconic"]
                                       and w["visible"]], 10)
        self.assertTrue(restored, "the first instance's window was not restored")
        today = datetime.date.today()
        log = os.path.join(session.work_dir,
                           f"hlvn.exe_{today.year}_{today.month}_{today.day}.log")
        with open(log, encoding="gbk") as f:
            lines = f.read().splitlines()
        self.assertEqual(len(lines), 1)
        self.assertTrue(lines[0].endswith("wWinMain] : " + LOG_LINE), lines[0])
        self.assertIsNone(first.poll())
        session.post(login, WM_SYSCOMMAND, SC_CLOSE)
        self.assert_exits(first)


class MissingPaymentLibrary(LauncherTest):
    def test_box_then_exit_zero(self):
        session = self.session
        bin_copy = os.path.join(session.work_dir, "bin-without-payment")
        os.makedirs(bin_copy)
        for name in os.listdir(session.bin_dir):
            if name.lower() != "360lysdk.dll":
                os.symlink(os.path.join(session.bin_dir, name), os.path.join(bin_copy, name))
        process = self.launch(bin_dir=bin_copy)
        box = session.wait_for_window(cls="#32770", visible=True, timeout=60)
        self.assertIsNotNone(box, "no failure box")
        self.assertIn("资源加载失败", session.window_texts(box))
        self.assertFalse(session.windows(title=TITLE, cls="MainWndClass"))
        self.assertIsNone(process.poll())
        session.post(box, WM_COMMAND, IDOK)
        self.assert_exits(process)
        self.assertEqual(session.page_requests(), [])


class SubProcess(LauncherTest):
    def test_runtime_sub_process_returns_the_runtime_code(self):
        session = self.session
        first = self.launch()
        login = self.login_window(first)
        # A renderer started without a browser process to serve ends with 1 in
        # the runtime; beside a running launcher it must neither take the
        # single-instance path (exit 0 and a log line) nor open a window.
        renderer = self.launch("--type=renderer")
        self.assert_exits(renderer, code=1)
        self.assertEqual([w["hwnd"] for w in session.windows(title=TITLE, cls="MainWndClass")],
                         [login["hwnd"]])
        self.assertFalse([f for f in os.listdir(session.work_dir) if f.endswith(".log")])
        session.post(login, WM_SYSCOMMAND, SC_CLOSE)
        self.assert_exits(first)


if __name__ == "__main__":
    unittest.main(verbosity=2)
