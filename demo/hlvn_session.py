"""Runs hlvn.exe under Wine against the local demo site and watches it from
outside, the way a user and a server would: windows through e2e_probe.exe,
mouse and keys through xdotool, requests through the site's request logs.

Used by demo/run.py and by the end-to-end tests in tests/e2e/.
"""
import glob
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from urllib.parse import parse_qs, urlsplit

SOURCE_DIR = os.path.realpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
DEMO_DIR = os.path.join(SOURCE_DIR, "demo")
PAGE_SERVER = os.path.join(SOURCE_DIR, "tests", "support", "pagesrv.py")
WINE_SESSION = os.path.join(SOURCE_DIR, "tools", "wine-session.sh")

TITLE = "Halvane"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall"
LOGIN_SIZE = (1241, 665)
PANEL_OFFSET = (388, 154)
PANEL_SIZE = (730, 380)
# Place of the login button in login.html, and of the buy button in game.html.
LOGIN_BUTTON = (365, 180)
BUY_BUTTON = (140, 70)


def cache_value(build_dir, name):
    with open(os.path.join(build_dir, "CMakeCache.txt"), encoding="utf-8") as cache:
        for line in cache:
            if line.startswith(name + ":"):
                return line.split("=", 1)[1].strip()
    return ""


def loopback_port(url):
    """Port of a https://127.0.0.1:PORT/ address, or None for any other address."""
    parts = urlsplit(url)
    if parts.scheme == "https" and parts.hostname == "127.0.0.1" and parts.port:
        return parts.port
    return None


def wait_until(condition, timeout, interval=0.1):
    """Polls condition until it gives a true value (returned) or timeout passes (None)."""
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() > deadline:
            return None
        time.sleep(interval)


class Server:
    """One loopback pagesrv.py serving a folder, with its JSON-lines request log."""

    def __init__(self, root, log, port=0, tls=False):
        self.log = log
        port_file = log + ".port"
        for stale in (log, port_file):
            if os.path.exists(stale):
                os.remove(stale)
        command = [sys.executable, PAGE_SERVER, "--root", root, "--log", log,
                   "--port", str(port), "--port-file", port_file]
        if tls:
            command.append("--tls")
        self.process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
        if not wait_until(lambda: os.path.exists(port_file) or self.process.poll() is not None, 20):
            self.stop()
            raise RuntimeError("page server did not start")
        if self.process.poll() is not None:
            raise RuntimeError(f"page server could not listen on port {port}")
        with open(port_file) as f:
            self.port = int(f.read())
        self.base = f"{'https' if tls else 'http'}://127.0.0.1:{self.port}"

    def requests(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGINT)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def header(request, name):
    """Values of one request header, in the order received."""
    return [v for k, v in request["headers"] if k.lower() == name.lower()]


def query(request):
    return parse_qs(urlsplit(request["path"]).query, keep_blank_values=True)


def free_display():
    for number in range(200, 900):
        if not os.path.exists(f"/tmp/.X11-unix/X{number}") and \
                not os.path.exists(f"/tmp/.X{number}-lock"):
            return f":{number}"
    raise RuntimeError("no free X display number")


class WineSession:
    """A Wine prefix of its own, booted on a display: the given one (the
    user's), or else a new Xvfb screen of 1920x1080."""

    def __init__(self, prefix, display=None):
        self.env = dict(os.environ, WINEPREFIX=prefix, DISPLAY=display or free_display())
        self.wine = ["env", "LC_ALL=zh_CN.UTF-8", "WINEDEBUG=-all",
                     "WINEDLLOVERRIDES=mscoree,mshtml=", "wine"]

    def start(self):
        subprocess.run([WINE_SESSION, "start"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL)

    def stop(self):
        subprocess.run([WINE_SESSION, "stop"], env=self.env, stdout=subprocess.DEVNULL)


class Session:
    """The demo site, a working folder with the settings files, and the means
    to start hlvn.exe in the build's Wine prefix and observe it."""

    def __init__(self, build_dir, work_dir, wine_session=None):
        """Without a WineSession, programs run through the build's wine-run
        in the build's test prefix and display."""
        self.build_dir = os.path.realpath(build_dir)
        self.bin_dir = os.path.join(self.build_dir, "bin")
        self.work_dir = os.path.realpath(work_dir)
        if wine_session:
            self.env, wine = wine_session.env, wine_session.wine
        else:
            self.env, wine = dict(os.environ), [os.path.join(self.build_dir, "wine-run")]
        self.wine_command = lambda timeout: ["timeout", "--kill-after=5", str(timeout), *wine]
        self.statistics_url = cache_value(self.build_dir, "HLVN_STATISTICS_URL")
        self.flash_host = cache_value(self.build_dir, "HLVN_FLASH_HOST")
        self.site = None
        self.statistics = None
        self.processes = []
        shutil.rmtree(self.work_dir, ignore_errors=True)
        os.makedirs(self.work_dir)

    # -- site ---------------------------------------------------------------

    def start_site(self):
        """Serves the demo pages over HTTP, and the statistics endpoint over
        HTTPS when the build reports to a loopback address."""
        site_root = os.path.join(self.work_dir, "site")
        shutil.copytree(os.path.join(DEMO_DIR, "site"), site_root)
        game = os.path.join(site_root, "game.html")
        with open(game, encoding="utf-8") as f:
            page = f.read()
        with open(game, "w", encoding="utf-8") as f:
            f.write(page.replace("@FLASH_HELP_URL@", self.flash_help_url()))
        self.site = Server(site_root, os.path.join(self.work_dir, "pages.jsonl"))
        port = loopback_port(self.statistics_url)
        if port:
            self.statistics = Server(site_root, os.path.join(self.work_dir, "statistics.jsonl"),
                                     port=port, tls=True)

    def flash_help_url(self):
        return "https://" + self.flash_host + "/help/service2.html"

    def login_url(self):
        return self.site.base + "/login.html?from=demo"

    def page_requests(self, path_prefix=""):
        return [r for r in self.site.requests() if r["path"].startswith(path_prefix)]

    def statistics_events(self):
        if not self.statistics:
            return []
        return [query(r).get("et", [""])[0] for r in self.statistics.requests()
                if r["path"].startswith("/t.gif")]

    # -- settings -----------------------------------------------------------

    def write_settings(self, config_ini=True, block_entry=""):
        command = [os.path.join(DEMO_DIR, "make-setting-xml.sh"), self.login_url()]
        if block_entry:
            command.append(block_entry)
        xml = subprocess.run(command, check=True, capture_output=True, text=True).stdout
        with open(os.path.join(self.work_dir, "setting.xml"), "w") as f:
            f.write(xml)
        config = os.path.join(self.work_dir, "config.ini")
        if config_ini:
            shutil.copy(os.path.join(DEMO_DIR, "config.ini"), config)
        elif os.path.exists(config):
            os.remove(config)

    def wine(self, *args, timeout=60, encoding="utf-8"):
        """Runs a Windows program to its end. Wine's own tools write in the
        ANSI code page (gbk); the probe writes UTF-8. Output goes through
        files, not pipes: Wine services the program starts may outlive it and
        would hold a pipe open."""
        env = dict(self.env, HLVN_TIMEOUT=str(timeout))
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            done = subprocess.run([*self.wine_command(timeout), *args], env=env,
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                  timeout=timeout + 10)
            out.seek(0)
            err.seek(0)
            done.stdout = out.read().decode(encoding, errors="replace")
            done.stderr = err.read().decode(encoding, errors="replace")
        return done

    def reg_set(self, key, name, kind, data):
        self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", str(data), "/f", encoding="gbk")

    def reg_delete(self, key, name):
        self.wine("reg", "delete", key, "/v", name, "/f", encoding="gbk")

    def reg_query(self, key, name):
        out = self.wine("reg", "query", key, "/v", name, encoding="gbk").stdout
        match = re.search(rf"{re.escape(name)}\s+(REG_\w+)\s+(\S*)", out)
        return (match.group(1), match.group(2)) if match else None

    def prepare_registry(self, launch_count=None, file_param="setup_DEMO01.exe", pos_id="7"):
        """The sibling product's values and the launch counter (None: first launch)."""
        if launch_count is None:
            self.reg_delete(UNINSTALL + r"\hlvn", "lunchNum")
        else:
            self.reg_set(UNINSTALL + r"\hlvn", "lunchNum", "REG_DWORD", launch_count)
        self.reg_set(UNINSTALL + r"\vesk2", "fileparamvalue", "REG_SZ", file_param)
        self.reg_set(UNINSTALL + r"\vesk2", "posId", "REG_SZ", pos_id)

    def record_system_browser(self):
        """Points Wine's browser launcher at a script that records each address."""
        recorder = os.path.join(self.work_dir, "system-browser.sh")
        self.opened_log = os.path.join(self.work_dir, "system-browser.log")
        with open(recorder, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.opened_log}"\n')
        os.chmod(recorder, 0o755)
        self.reg_set(r"HKCU\Software\Wine\WineBrowser", "Browsers", "REG_SZ", recorder)

    def system_browser_openings(self):
        path = getattr(self, "opened_log", "")
        if not path or not os.path.exists(path):
            return []
        with open(path) as f:
            return [line.strip() for line in f if line.strip()]

    def local_app_data(self):
        users = glob.glob(os.path.join(self.env["WINEPREFIX"], "drive_c", "users", "*"))
        for user in users:
            if os.path.basename(user) != "Public":
                return os.path.join(user, "AppData", "Local")
        raise RuntimeError("no user folder in the Wine prefix")

    # -- programs -----------------------------------------------------------

    def start_launcher(self, *args, bin_dir=None, extra_env=None, timeout=300):
        env = dict(self.env, HLVN_TIMEOUT=str(timeout), **(extra_env or {}))
        exe = os.path.join(bin_dir or self.bin_dir, "hlvn.exe")
        errors = os.path.join(self.work_dir, f"launcher-{len(self.processes) + 1}.stderr")
        with open(errors, "wb") as stderr:
            process = subprocess.Popen([*self.wine_command(timeout), exe, *args],
                                       cwd=self.work_dir, env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=stderr,
                                       start_new_session=True)
        process.started = time.time()
        self.processes.append(process)
        return process

    def probe(self, *args):
        out = self.wine(os.path.join(self.bin_dir, "e2e_probe.exe"), *args, timeout=30)
        if out.returncode != 0:
            raise RuntimeError(f"e2e_probe {' '.join(args)} failed: {out.stderr}")
        return json.loads(out.stdout)

    def windows(self, title=None, cls=None, visible=None):
        found = self.probe("windows")
        return [w for w in found
                if (title is None or w["title"] == title) and (cls is None or w["class"] == cls)
                and (visible is None or w["visible"] == visible)]

    def owned_by(self, owner):
        return [w for w in self.probe("windows") if w["owner"] == owner["hwnd"]]

    def window_texts(self, window):
        return [c["title"] for c in self.probe("children", str(window["hwnd"]))]

    def post(self, window, message, wparam=0, lparam=0):
        self.probe("post", str(window["hwnd"]), str(message), str(wparam), str(lparam))

    def work_area(self):
        return self.probe("workarea")["work"]

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True)

    def click(self, x, y):
        """A real mouse click at screen coordinates."""
        self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.2)
        self.xdotool("click", "1")

    def key(self, focus_point, combo):
        """A real key press, after a click at focus_point (screen coordinates,
        a spot of the window that does nothing on a click) has activated the
        window: without a window manager nothing else gives it the keyboard."""
        self.click(*focus_point)
        time.sleep(0.3)
        self.xdotool("key", combo)

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", "-display", self.env["DISPLAY"], path],
                       env=self.env, capture_output=True)
        return path

    # -- waiting ------------------------------------------------------------

    def wait_for_window(self, timeout=120, **match):
        found = wait_until(lambda: self.windows(**match), timeout, interval=0.2)
        return found[0] if found else None

    def wait_for_panel(self, owner, timeout=60):
        """The visible browser host window owned by a launcher window."""
        found = wait_until(lambda: [w for w in self.owned_by(owner) if w["visible"]], timeout, 0.2)
        return found[0] if found else None

    def stop(self):
        """Ends every launcher started here, with whatever it started."""
        for process in self.processes:
            for sig in (signal.SIGTERM, signal.SIGKILL):
                try:
                    os.killpg(process.pid, sig)
                except ProcessLookupError:
                    break
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    continue
        self.stop_engines()
        for server in (self.site, self.statistics):
            if server:
                server.stop()

    def engine_processes(self):
        """Linux processes of the browser engine started for this prefix: their
        command lines name its user-data folder inside the prefix."""
        marker = (os.path.realpath(self.env["WINEPREFIX"]) + "/").encode()
        found = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    if marker in f.read():
                        found.append(int(pid))
            except OSError:
                pass
        return found

    def stop_engines(self):
        """The engine ends itself once its launcher is gone; what is left after
        a while is ended here, so the next launcher finds its folders free."""
        if wait_until(lambda: not self.engine_processes(), 15, 0.3):
            return
        for pid in self.engine_processes():
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        wait_until(lambda: not self.engine_processes(), 5, 0.2)
