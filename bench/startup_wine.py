"""Start-up under Wine, measured from outside in one run, alternating between the cases:
how long until the drawer is visible, how long until its start-up work is done (the
program says so in a debug trace once the first table is listed with its icons and every
deferred step has run), the CPU time and the private memory at that point, and, for the
default store and 10,000 items, how long the first opening takes from the dwell to the
painted list (also from a trace). Beside them two floors: a program that only registers,
creates and shows one window, and one that also loads the system components the program
loads (COM and OLE, an MSXML document, a common-controls list view, the shell's image
list). Prints a table of every figure against its goal; never fails.

Needs what the end-to-end tests need: a display, a Wine prefix and a running wineserver
(scripts/bench.sh provides them), and ZARKIT_EXE, ZARKIT_PROBE, ZARKIT_FLOOR and
ZARKIT_COMPONENTS_FLOOR in the environment.
"""

import os
import re
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
COMPONENTS_FLOOR = os.environ.get("ZARKIT_COMPONENTS_FLOOR", "")
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
DONE = re.compile(r'start-up done (\d+) ms')
OPENED = re.compile(r'first opening, list painted ([\d.]+) ms after the dwell')


def system_files():
    system = harness.wine_prefix_path("windows", "system32")
    return sorted(name for name in os.listdir(system) if name.lower().endswith((".exe", ".dll")))


def store(tables, items_per_table, files):
    """Items that exist in the prefix: programs and libraries of the system folder (many
    distinct icons), folders, web sites and special folders."""
    folders = ["C:\\windows", "C:\\windows\\system32", "C:\\users", "C:\\ProgramData"]
    result, n = [], 0
    for t in range(tables):
        items = []
        for _ in range(items_per_table):
            n += 1
            entry = {"id": "{%08X-0000-4000-8000-%012X}" % (t, n), "name": "Item %06d" % n}
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
        result.append(("Table %04d" % t, items))
    return harness.store_xml(result)


def cpu_ms(pid):
    """User and system time of the process so far, as Linux counts it."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) * 1000.0 / CLOCK_TICKS
    except (OSError, IndexError, ValueError):
        return float("nan")


def private_kb(pid):
    """Private memory as Linux counts it, in KB: (all private pages, the written ones).
    Wine's GetProcessMemoryInfo leaves PrivateUsage at 0, and the Windows process is this
    Unix process. All private pages include the clean pages of libraries no other process
    has mapped, which Windows shares and does not count; the written ones (heap, stacks,
    libraries' data) are nearer to what Windows calls private bytes."""
    try:
        with open("/proc/%d/smaps_rollup" % pid) as f:
            fields = dict(line.split(":", 1) for line in f if ":" in line)
        dirty = int(fields["Private_Dirty"].split()[0])
        return dirty + int(fields["Private_Clean"].split()[0]), dirty
    except (OSError, KeyError, ValueError):
        return float("nan"), float("nan")


class Start:
    """One start of a program in its folder, measured."""

    def __init__(self, exe, window_name, folder, traced=False, open_drawer=False):
        log_path = os.path.join(folder, "bench-output.log")
        env = harness.wine_env()
        if traced:
            env["WINEDEBUG"] = "-all,+debugstr"
        with open(log_path, "wb") as log:
            started = time.monotonic()
            process = subprocess.Popen([harness.WINE, exe], cwd=folder, env=env, stdout=log,
                                       stderr=subprocess.STDOUT)
        shown = harness.wait_for(lambda: harness.windows_named(window_name), 120, interval=0.002)
        self.visible = time.monotonic() - started if shown else float("nan")
        self.idle = self.cpu = self.opened = float("nan")
        if traced:
            found = harness.wait_for(lambda: DONE.search(read(log_path)), 120, interval=0.002)
            if found:
                self.idle = time.monotonic() - started
                self.cpu = cpu_ms(process.pid)
        time.sleep(1.0)  # settled: whatever follows the start-up work
        self.private_kb, self.written_kb = private_kb(process.pid)
        if open_drawer:
            harness.move_pointer(800, 400)
            time.sleep(0.3)
            harness.move_pointer(1, 300)
            found = harness.wait_for(lambda: OPENED.search(read(log_path)), 10, interval=0.01)
            self.opened = float(found.group(1)) if found else float("nan")
            harness.move_pointer(800, 400)
        harness.probe("close", window_name)
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def read(path):
    with open(path, "rb") as f:
        return f.read().decode("utf-8", "replace")


def folder_with(exe, data=None):
    folder = tempfile.mkdtemp(prefix="zarkit-bench-")
    target = os.path.join(folder, os.path.basename(exe))
    shutil.copy(exe, target)
    if data is not None:
        with open(os.path.join(folder, "info_data.xml"), "wb") as f:
            f.write(data)
    return folder, target


def median(samples, field):
    values = [getattr(s, field) for s in samples if getattr(s, field) == getattr(s, field)]
    return statistics.median(values) if values else float("nan")


def main():
    harness.register_browser()
    files = system_files()
    floor_folder, floor_exe = folder_with(FLOOR)
    components_folder, components_exe = folder_with(COMPONENTS_FLOOR)
    default_folder, default_exe = folder_with(harness.EXE)
    Start(default_exe, "Zarkit", default_folder)  # a first start writes the default store
    cases = [("default store", default_folder, default_exe, True)]
    for name, tables, per_table, opened in (("1,000 items in 10 tables", 10, 100, False),
                                            ("10,000 items in 100 tables", 100, 100, True),
                                            ("50,000 items in 500 tables", 500, 100, False),
                                            ("20,000 items in one table", 1, 20000, False),
                                            ("2,000 tables of 5 items", 2000, 5, False)):
        folder, exe = folder_with(harness.EXE, store(tables, per_table, files))
        cases.append((name, folder, exe, opened))

    floor, components = [], []
    results = {name: [] for name, _, _, _ in cases}
    for round_number in range(ROUNDS):
        floor.append(Start(floor_exe, "FloorWindow", floor_folder))
        components.append(Start(components_exe, "ComponentsFloor", components_folder))
        for name, folder, exe, opened in cases:
            results[name].append(Start(exe, "Zarkit", folder, traced=True,
                                       open_drawer=opened and round_number == ROUNDS - 1))
        print("round %d of %d done" % (round_number + 1, ROUNDS), file=sys.stderr, flush=True)
    for folder in [floor_folder, components_folder] + [c[1] for c in cases]:
        shutil.rmtree(folder, ignore_errors=True)

    base = median(floor, "visible")
    components_kb = median(components, "private_kb")
    components_written_kb = median(components, "written_kb")
    print("Start-up under Wine, %d rounds alternating, medians. Floor: %.0f ms to visible, "
          "%.0f KB private (%.0f KB written); components floor: %.0f ms, %.0f KB (%.0f KB "
          "written)."
          % (ROUNDS, base * 1000, median(floor, "private_kb"), median(floor, "written_kb"),
             median(components, "visible") * 1000, components_kb, components_written_kb))
    print("%-28s %9s %9s %9s %9s %12s %10s %12s %10s"
          % ("case", "visible", "idle", "cpu", "first open", "private", "above comp.",
             "written", "above comp."))
    for name, _, _, _ in cases:
        samples = results[name]
        kb = median(samples, "private_kb")
        written = median(samples, "written_kb")
        print("%-28s %6.0f ms %6.0f ms %6.0f ms %7.1f ms %9.0f KB %7.0f KB %9.0f KB %7.0f KB"
              % (name, median(samples, "visible") * 1000, median(samples, "idle") * 1000,
                 median(samples, "cpu"), median(samples, "opened"), kb, kb - components_kb,
                 written, written - components_written_kb))
        print("%-28s x%.2f floor x%.2f floor" % ("", median(samples, "visible") / base,
                                                 median(samples, "idle") / base))

    def ratio(name, field):
        return median(results[name], field) / base

    def above(name):
        return (median(results[name], "private_kb") - components_kb) / 1024

    def written_above(name):
        return (median(results[name], "written_kb") - components_written_kb) / 1024

    goals = [
        ("default store, visible", ratio("default store", "visible"), "x", 1.5),
        ("10,000 items, visible", ratio("10,000 items in 100 tables", "visible"), "x", 2.0),
        ("50,000 items, visible", ratio("50,000 items in 500 tables", "visible"), "x", 3.0),
        ("20,000 items in one table, visible", ratio("20,000 items in one table", "visible"),
         "x", 3.0),
        ("2,000 tables, visible", ratio("2,000 tables of 5 items", "visible"), "x", 3.0),
        ("default store, idle", ratio("default store", "idle"), "x", 2.0),
        ("10,000 items, idle", ratio("10,000 items in 100 tables", "idle"), "x", 4.0),
        ("10,000 items, first open", median(results["10,000 items in 100 tables"], "opened"),
         "ms", 50.0),
        ("default store, private above components", above("default store"), "MB", 1.5),
        ("10,000 items, private above components", above("10,000 items in 100 tables"), "MB",
         12.0),
        ("default store, written private above comp.", written_above("default store"), "MB",
         1.5),
        ("10,000 items, written private above comp.",
         written_above("10,000 items in 100 tables"), "MB", 12.0),
    ]
    print()
    print("%-44s %10s %10s  %s" % ("figure", "measured", "goal", ""))
    for figure, value, unit, goal in goals:
        shown = ("x%.2f" % value) if unit == "x" else ("%.1f %s" % (value, unit))
        target = ("<= x%.1f" % goal) if unit == "x" else ("<= %.1f %s" % (goal, unit))
        print("%-44s %10s %10s  %s" % (figure, shown, target, "met" if value <= goal else "NOT met"))


if __name__ == "__main__":
    main()
