#!/usr/bin/env python3
"""Process model of the runtime, seen from Linux: the engine gets the
runtime's and the application's switches, one renderer process runs beside
the host, and neither outlives the host, whether it shuts down or dies.
A runtime without an engine does not start."""
import os
import subprocess
import sys
import tempfile
import time

HOST = sys.argv[1]
WINE_RUN = os.environ["HLVN_WINE_RUN"]
EXPECTED_SWITCHES = [
    "--headless", "--no-sandbox", "--remote-debugging-port=0",
    "--no-proxy-server", "--disable-web-security",
    "--autoplay-policy=no-user-gesture-required",
    "--user-agent=cef-standin-test/1.0", "--lang=zh-CN",
    "--accept-lang=zh-CN,en;q=0.5",
]


def processes():
    """(pid, argv) of every process of this machine."""
    found = []
    for pid in os.listdir("/proc"):
        if not pid.isdigit():
            continue
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                argv = [a.decode("utf-8", "replace") for a in f.read().split(b"\0") if a]
        except OSError:
            continue
        if argv:
            found.append((int(pid), argv))
    return found


def engines(profile):
    return [argv for _, argv in processes()
            if argv[0].endswith("/chromium") and f"--user-data-dir={profile}" in argv
            and not any(a.startswith("--type=") for a in argv)]


def engine_family(profile):
    return [argv for _, argv in processes() if any(profile in a for a in argv)]


def renderers():
    return [argv for _, argv in processes()
            if any("--type=renderer" in a for a in argv) and any(
                os.path.basename(HOST) in a for a in argv)]


def wait_until(predicate, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if predicate():
            return True
        time.sleep(0.2)
    return predicate()


def start(mode, profile):
    return subprocess.Popen([WINE_RUN, HOST, f"--host-mode={mode}", "Z:" + profile.replace("/", "\\")],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def check_run(mode):
    profile = tempfile.mkdtemp(prefix=f"cef-{mode}-", dir=os.environ.get("HLVN_BUILD_DIR"))
    host = start(mode, profile)
    try:
        if host.stdout.readline().strip() != "CREATED":
            fail(f"{mode}: no browser was created")
        running = engines(profile)
        if len(running) != 1:
            fail(f"{mode}: expected one engine for the profile, found {len(running)}")
        argv = running[0]
        for switch in EXPECTED_SWITCHES:
            if switch not in argv:
                fail(f"{mode}: engine lacks {switch}: {argv}")
        if not any(a.startswith("--disk-cache-dir=") and a.endswith("/cache") for a in argv):
            fail(f"{mode}: engine has no cache folder: {argv}")
        if len(renderers()) != 1:
            fail(f"{mode}: expected one renderer process, found {renderers()}")
        open(os.path.join(profile, "release"), "w").close()
        code = host.wait(timeout=90)
    finally:
        if host.poll() is None:
            # The Windows process outlives its wrapper; end it by its own id.
            for pid, argv in processes():
                if any(profile.replace("/", "\\") in a for a in argv) and "--host-mode" in " ".join(argv):
                    os.kill(pid, 9)
            host.kill()
    expected = 0 if mode == "run" else 3
    if code != expected:
        fail(f"{mode}: host exit code {code}, expected {expected}")
    if not wait_until(lambda: not engine_family(profile) and not renderers(), 30):
        fail(f"{mode}: left behind {engine_family(profile)} {renderers()}")
    print(f"{mode}: ok")


def check_no_engine():
    profile = tempfile.mkdtemp(prefix="cef-start-", dir=os.environ.get("HLVN_BUILD_DIR"))
    env = dict(os.environ, CEF_STANDIN_CHROMIUM="/nonexistent/chromium")
    code = subprocess.run([WINE_RUN, HOST, "--host-mode=start", "Z:" + profile.replace("/", "\\")],
                          env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                          timeout=120).returncode
    if code != 5:
        fail(f"CefInitialize without an engine: exit code {code}, expected 5 (false)")
    if renderers():
        fail("a failed start left a renderer process")
    print("no engine: ok")


check_run("run")
check_run("crash")
check_no_engine()
