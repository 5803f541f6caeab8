#!/usr/bin/env python3
"""Runs a command while the loopback test server serves a folder.

The command gets HLVN_TEST_SERVER (base URL) and HLVN_TEST_SERVER_LOG (the
request log as a Windows path on Wine's Z: drive). The server is stopped when
the command ends; the command's exit code is returned.
"""
import argparse
import os
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "tests", "support", "pagesrv.py")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--root", required=True)
    parser.add_argument("--name", default="server", help="names the log folder")
    parser.add_argument("--tls", action="store_true")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = args.command[1:] if args.command[:1] == ["--"] else args.command

    work = os.path.join(os.environ.get("HLVN_BUILD_DIR", "/tmp"), "test-servers", args.name)
    os.makedirs(work, exist_ok=True)
    log = os.path.join(work, "requests.jsonl")
    port_file = os.path.join(work, "port")
    for stale in (log, port_file):
        if os.path.exists(stale):
            os.remove(stale)

    server_cmd = [sys.executable, SERVER, "--root", args.root, "--log", log,
                  "--port", str(args.port), "--port-file", port_file]
    if args.tls:
        server_cmd.append("--tls")
    server = subprocess.Popen(server_cmd, stdout=subprocess.DEVNULL)
    try:
        deadline = time.time() + 20
        while not os.path.exists(port_file):
            if server.poll() is not None or time.time() > deadline:
                print("test server did not start", file=sys.stderr)
                return 1
            time.sleep(0.05)
        with open(port_file) as f:
            port = f.read().strip()
        env = dict(os.environ)
        env["HLVN_TEST_SERVER"] = f"{'https' if args.tls else 'http'}://127.0.0.1:{port}"
        env["HLVN_TEST_SERVER_LOG"] = "Z:" + log.replace("/", "\\")
        return subprocess.call(command, env=env)
    finally:
        server.send_signal(signal.SIGINT)
        try:
            server.wait(timeout=5)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


if __name__ == "__main__":
    sys.exit(main())
