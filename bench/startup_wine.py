"""Start-up under Wine: time from process start until the drawer is shown, the private
memory and the GUI objects after start-up, for the default store and for a store of
10,000 items in 100 tables, next to the floor (a program that only registers, creates
and shows one window), measured in one run, alternating. Prints figures; never fails.

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

ROUNDS = int(os.environ.get("ZARKIT_BENCH_ROUNDS", "5"))
FLOOR = os.environ.get("ZARKIT_FLOOR", "")
TABLES, ITEMS_PER_TABLE = 100, 100


def large_store():
    """10,000 items that exist in the prefix: programs and libraries of the system folder
    (many distinct icons), folders, web sites and special folders."""
    system = harness.wine_prefix_path("windows", "system32")
    files = sorted(name for name in os.listdir(system) if name.lower().endswith((".exe", ".dll")))
    folders = ["C:\\windows", "C:\\windows\\system32", "C:\\users", "C:\\ProgramData"]
    tables, n = [], 0
    for t in range(TABLES):
        items = []
        for i in range(ITEMS_PER_TABLE):
            n += 1
            entry = {"id": "{%08X-0000-4000-8000-%012X}" % (t, n), "name": "Item %05d" % n}
            kind = n % 20
            if kind == 0:
                entry.update(path=str((0, 5, 17)[n % 3]), special=True)
            elif kind == 1:
                entry.update(path="C:\\windows\\system32\\notepad.exe",
                             params="https://example.com/%d" % n)
            elif kind == 2:
                entry.update(path=folders[n % len(folders)])
            else:
                entry.update(path="C:\\windows\\system32\\" + files[n % len(files)])
            items.append(entry)
        tables.append(("Table %03d" % t, items))
    return harness.store_xml(tables)


def start_and_measure(exe, window_name, folder):
    """(seconds until shown, resources line) for one start in `folder`."""
    started = time.monotonic()
    process = subprocess.Popen([harness.WINE, exe], cwd=folder, env=harness.wine_env(),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shown = harness.wait_for(lambda: harness.windows_named(window_name), 60, interval=0.002)
    elapsed = time.monotonic() - started
    time.sleep(1.0)  # settled: the first paint and whatever follows it
    resources = harness.probe("resources", window_name).stdout.strip()
    harness.probe("close", window_name)
    try:
        process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
    return (elapsed if shown else float("nan")), resources


def folder_with(exe, store=None):
    folder = tempfile.mkdtemp(prefix="zarkit-bench-")
    target = os.path.join(folder, os.path.basename(exe))
    shutil.copy(exe, target)
    if store is not None:
        with open(os.path.join(folder, "info_data.xml"), "wb") as f:
            f.write(store)
    return folder, target


def parse(resources):
    return dict(pair.split("=") for pair in resources.split()) if resources else {}


def report(name, samples, floor):
    times = [s[0] for s in samples]
    median = statistics.median(times)
    last = parse(samples[-1][1])
    print("%-30s median %6.0f ms  min %6.0f  max %6.0f  x%.2f floor | private %6s KB  "
          "USER %4s  GDI %4s  windows %4s"
          % (name, median * 1000, min(times) * 1000, max(times) * 1000, median / floor,
             last.get("private_kb", "?"), last.get("user", "?"), last.get("gdi", "?"),
             last.get("windows", "?")))


def main():
    harness.register_browser()
    floor_folder, floor_exe = folder_with(FLOOR)
    default_folder, default_exe = folder_with(harness.EXE)
    large_folder, large_exe = folder_with(harness.EXE, large_store())
    start_and_measure(default_exe, "Zarkit", default_folder)  # writes the default store
    floor, first, default, large = [], [], [], []
    for _ in range(ROUNDS):
        floor.append(start_and_measure(floor_exe, "FloorWindow", floor_folder))
        fresh_folder, fresh_exe = folder_with(harness.EXE)
        first.append(start_and_measure(fresh_exe, "Zarkit", fresh_folder))
        shutil.rmtree(fresh_folder, ignore_errors=True)
        default.append(start_and_measure(default_exe, "Zarkit", default_folder))
        large.append(start_and_measure(large_exe, "Zarkit", large_folder))
    for folder in (floor_folder, default_folder, large_folder):
        shutil.rmtree(folder, ignore_errors=True)

    floor_median = statistics.median(s[0] for s in floor)
    print("Start-up until the window is shown, under Wine (%d rounds, alternating):" % ROUNDS)
    report("floor (register, create, show)", floor, floor_median)
    report("zarkit, first start (no store)", first, floor_median)
    report("zarkit, default store", default, floor_median)
    report("zarkit, %d items in %d tables" % (TABLES * ITEMS_PER_TABLE, TABLES), large,
           floor_median)


if __name__ == "__main__":
    main()
