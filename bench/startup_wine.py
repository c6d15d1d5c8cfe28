"""Start-up time under Wine: from process start until the drawer is shown, next to
the floor (a program that only registers, creates and shows one window), measured
in one run, alternating, with their ratio. Prints figures; never fails.

Needs what the end-to-end tests need: a display, a Wine prefix and a running
wineserver (scripts/bench.sh provides them), and ZARKIT_EXE, ZARKIT_PROBE and
ZARKIT_FLOOR in the environment.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
import harness  # noqa: E402

ROUNDS = int(os.environ.get("ZARKIT_BENCH_ROUNDS", "7"))
FLOOR = os.environ.get("ZARKIT_FLOOR", "")


def time_until_shown(exe, window_name, folder):
    started = time.monotonic()
    process = subprocess.Popen([harness.WINE, exe], cwd=folder, env=harness.wine_env(),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = harness.wait_for(lambda: harness.windows_named(window_name), 30, interval=0.002)
    elapsed = time.monotonic() - started
    harness.probe("close", window_name)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    return elapsed if shown else float("nan")


def measure(exe, window_name, keep_folder):
    """Seconds until shown; a fresh folder each time unless keep_folder is given."""
    folder = keep_folder or tempfile.mkdtemp(prefix="zarkit-bench-")
    target = os.path.join(folder, os.path.basename(exe))
    if not os.path.exists(target):
        shutil.copy(exe, target)
    try:
        return time_until_shown(target, window_name, folder)
    finally:
        if not keep_folder:
            shutil.rmtree(folder, ignore_errors=True)


def report(name, samples, floor):
    median = statistics.median(samples)
    print("%-34s median %6.0f ms  min %6.0f ms  max %6.0f ms  ratio to floor %.2f"
          % (name, median * 1000, min(samples) * 1000, max(samples) * 1000, median / floor))


def main():
    warm_folder = tempfile.mkdtemp(prefix="zarkit-bench-warm-")
    floor_folder = tempfile.mkdtemp(prefix="zarkit-bench-floor-")
    floor, first, warm = [], [], []
    measure(harness.EXE, "Zarkit", warm_folder)  # creates the store the warm runs load
    for _ in range(ROUNDS):
        floor.append(measure(FLOOR, "FloorWindow", floor_folder))
        first.append(measure(harness.EXE, "Zarkit", None))
        warm.append(measure(harness.EXE, "Zarkit", warm_folder))
    shutil.rmtree(warm_folder, ignore_errors=True)
    shutil.rmtree(floor_folder, ignore_errors=True)

    floor_median = statistics.median(floor)
    print("Start-up until the window is shown, under Wine (%d rounds, alternating):" % ROUNDS)
    report("floor (register, create, show)", floor, floor_median)
    report("zarkit, first start (no store)", first, floor_median)
    report("zarkit, next start (store there)", warm, floor_median)


if __name__ == "__main__":
    main()
