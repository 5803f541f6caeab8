"""Start-up benchmark of hlvn.exe under Wine, next to a minimal Win32 program
that shows one window (the floor), measured in the same run and prefix.

    startup_bench.py BUILD_DIR [--runs N]

Prints, per program, the median over N launches of the time from process
start to its window shown, to the login page shown (hlvn only), and of the
peak private memory of the program's own process (the browser engine's
processes are separate and not counted). Needs the targets hlvn, webhull,
libcef, payment_sdk_standin, bench_watch and bench_floor_window built.
"""
import argparse
import json
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "demo"))
from hlvn_session import Session, WineSession  # noqa: E402


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def measure(session, program, panel):
    args = [os.path.join(session.bin_dir, "bench_watch.exe")]
    if panel:
        args.append("--panel")
    args.append(windows_path(os.path.join(session.bin_dir, program)))
    out = session.wine(*args, timeout=180)
    lines = [line for line in out.stdout.splitlines() if line.startswith("{")]
    if out.returncode != 0 or not lines:
        raise RuntimeError(f"{program}: no window ({out.stderr.strip()})")
    return json.loads(lines[-1])


def median(runs, key):
    values = [r[key] for r in runs if r[key] >= 0]
    return statistics.median(values) if values else float("nan")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build_dir")
    parser.add_argument("--runs", type=int, default=7)
    args = parser.parse_args()
    build_dir = os.path.realpath(args.build_dir)

    wine = WineSession(os.path.join(build_dir, "bench", "wineprefix"))
    wine.start()
    session = Session(build_dir, os.path.join(build_dir, "bench", "run"), wine)
    try:
        session.start_site()
        session.write_settings()
        session.prepare_registry(launch_count=1)
        # The benchmark programs start hlvn.exe in their own current folder.
        os.chdir(session.work_dir)
        floor, launcher = [], []
        for run in range(args.runs):
            floor.append(measure(session, "bench_floor_window.exe", panel=False))
            launcher.append(measure(session, "hlvn.exe", panel=True))
            print(f"run {run + 1}: floor {floor[-1]}  hlvn {launcher[-1]}", flush=True)
    finally:
        session.stop()
        wine.stop()

    floor_window = median(floor, "window_ms")
    hlvn_window = median(launcher, "window_ms")
    floor_memory = median(floor, "peak_private_kb")
    hlvn_memory = median(launcher, "peak_private_kb")
    print(f"\nmedians over {args.runs} launches under Wine")
    print(f"{'':28}{'floor':>12}{'hlvn.exe':>12}{'ratio':>9}{'goal':>8}")
    print(f"{'window shown (ms)':28}{floor_window:12.0f}{hlvn_window:12.0f}"
          f"{hlvn_window / floor_window:9.2f}{'<= 1.5':>8}")
    print(f"{'login page shown (ms)':28}{'':12}{median(launcher, 'panel_ms'):12.0f}")
    print(f"{'peak private memory (KiB)':28}{floor_memory:12.0f}{hlvn_memory:12.0f}"
          f"{hlvn_memory / floor_memory:9.2f}{'<= 3':>8}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
