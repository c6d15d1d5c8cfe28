"""Drives zarkit.exe under Wine and Xvfb for the end-to-end tests.

The test script (scripts/test.sh) provides the display, the Wine prefix and a
running wineserver; CTest passes the paths of the built programs in the
environment. Each test gets a fresh folder holding a copy of the program.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

WINE = "/usr/lib/wine/wine64"
EXE = os.environ.get("ZARKIT_EXE", "")
PROBE = os.environ.get("ZARKIT_PROBE", "")
UPDATE_HELPER = os.environ.get("ZARKIT_UPDATE_HELPER", "")
LAUNCH_MARKER = os.environ.get("ZARKIT_LAUNCH_MARKER", "")
ARTIFACTS = os.environ.get("ZARKIT_ARTIFACTS", os.path.join(tempfile.gettempdir(), "zarkit-artifacts"))


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    return env


def run(args, timeout=30, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout, **kwargs)


def reg(*args, timeout=60, check=True):
    """Runs Wine's reg.exe with `args`. A reg.exe that fails without a word is Wine
    starting it at a bad moment (a program of the last test still shutting down), so
    that is tried again; a failure it explains is not. With `check`, a failure that
    stays raises."""
    for attempt in range(3):
        result = run([WINE, "reg", *args], timeout=timeout, env=wine_env())
        if result.returncode == 0 or result.stdout.strip() or result.stderr.strip():
            break
        time.sleep(1 + attempt)
    if check and result.returncode != 0:
        raise AssertionError("reg %s failed (exit %d): %s%s"
                             % (" ".join(args), result.returncode, result.stdout, result.stderr))
    return result


def xdotool(*args, timeout=10):
    return run(["xdotool", *map(str, args)], timeout=timeout)


def move_pointer(x, y):
    xdotool("mousemove", x, y)


def click(x, y, button=1):
    xdotool("mousemove", x, y, "click", button)


def windows_named(name):
    """X window ids whose name is exactly `name`, visible ones only."""
    result = xdotool("search", "--onlyvisible", "--name", "^" + re.escape(name) + "$")
    return [int(line) for line in result.stdout.split()]


def geometry(window_id):
    """(x, y, width, height) of an X window, or None when it is gone."""
    result = xdotool("getwindowgeometry", "--shell", window_id)
    if result.returncode != 0:
        return None
    values = dict(line.split("=", 1) for line in result.stdout.split() if "=" in line)
    try:
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])
    except KeyError:
        return None


def wait_for(predicate, timeout, interval=0.01):
    """Polls until predicate() is truthy; returns its value, or None on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            return None
        time.sleep(interval)


class Screenshot:
    """The whole screen, saved as an artefact, with its pixels to look at."""

    def __init__(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        self.path = os.path.join(ARTIFACTS, name + ".png")
        run(["import", "-window", "root", self.path])
        ppm = subprocess.run(["convert", self.path, "ppm:-"], capture_output=True, check=True).stdout
        # Binary PPM: "P6\n<width> <height>\n255\n" then RGB bytes.
        header = ppm.split(maxsplit=4)
        self.width, self.height = int(header[1]), int(header[2])
        self.data = header[4]

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.data[offset:offset + 3])


def probe(*args, cwd=None):
    """Runs zkprobe.exe under Wine; returns its CompletedProcess."""
    return run([WINE, PROBE, *map(str, args)], env=wine_env(), cwd=cwd)


def probe_windows():
    """Visible top-level Windows windows: list of dicts with class, title, rect, texts."""
    windows = []
    for line in probe("windows").stdout.splitlines():
        parts = line.split("|", 6)
        if len(parts) < 7:
            continue
        windows.append({
            "pid": parts[1],
            "class": parts[2],
            "title": parts[3],
            "rect": tuple(int(v) for v in parts[4].split(",")),
            "ex_style": int(parts[5], 16),
            "texts": re.findall(r"\[([^\]]*)\]", parts[6]),
        })
    return windows


def list_items(top_class="Zarkit"):
    """The entries of the drawer's visible list, in index order: dicts with index, label,
    centre (screen point of the icon) and selected; [] when no list is visible."""
    items = []
    for line in probe("items", top_class).stdout.splitlines():
        parts = line.split("|")
        if len(parts) != 4:
            continue
        x, y = (int(v) for v in parts[2].split(","))
        items.append({"index": int(parts[0]), "label": parts[1], "centre": (x, y),
                      "selected": parts[3] == "1"})
    return items


def windows_path(path):
    """The Windows path of a file of this machine, as Wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_prefix_path(*parts):
    return os.path.join(os.environ["WINEPREFIX"], "drive_c", *parts)


_browser_registered = False


def register_browser():
    """Makes the launch marker the program that opens web pages in the test prefix, once
    per run: a new prefix has none while Wine's HTML engine is switched off."""
    global _browser_registered
    if _browser_registered:
        return
    command = '"%s" "%%1"' % windows_path(LAUNCH_MARKER)
    classes = "HKLM\\Software\\Classes"
    for key, value in (("\\.html", "ZarkitTestPage"), ("\\.htm", "ZarkitTestPage"),
                       ("\\ZarkitTestPage\\shell\\open\\command", command)):
        reg("add", classes + key, "/ve", "/d", value, "/f")
    _browser_registered = True


def read_launches(path):
    """The launch marker's records in the file at `path`, oldest first."""
    import json
    if not os.path.exists(path):
        return []
    with open(path, "rb") as f:
        return [json.loads(line) for line in f.read().decode("utf-8").splitlines() if line]


def store_xml(tables=(), animate=False, tick_count=450, hover_select=False, tip=False,
              sort_by_name=None):
    """A store document as the program writes it: tables is a list of (name, items),
    items a list of dicts with path, name, work_dir, params, id, special; tip is
    Show_TipOnStart; sort_by_name None leaves Sort_ByName out, as older stores have it."""
    from xml.sax.saxutils import escape, quoteattr

    def flag(value):
        return "yes" if value else "no"

    parts = ["<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
             "<!--VELMOR SOFT Zarkit config file!-->",
             "<File_Desc>",
             "<Start_OnWindow>no</Start_OnWindow>",
             "<Show_TickCount>%d</Show_TickCount>" % tick_count,
             "<Show_TipOnStart>%s</Show_TipOnStart>" % flag(tip),
             "<Animate_WindowOnStart>%s</Animate_WindowOnStart>" % flag(animate),
             "<SelTable_MouseOn>%s</SelTable_MouseOn>" % flag(hover_select)]
    if sort_by_name is not None:
        parts.append("<Sort_ByName>%s</Sort_ByName>" % flag(sort_by_name))
    for name, items in tables:
        parts.append("<Table_Node><Table_Lable>%s</Table_Lable>" % escape(name))
        for item in items:
            parts.append("<Table_Item Nick_Name=%s Work_Dir=%s Start_Params=%s Unique_Identifier=%s "
                         "Is_VirtualFloder=%s>%s</Table_Item>"
                         % (quoteattr(item.get("name", "")), quoteattr(item.get("work_dir", "")),
                            quoteattr(item.get("params", "")), quoteattr(item["id"]),
                            quoteattr(flag(item.get("special"))), escape(item["path"])))
        parts.append("</Table_Node>")
    parts.append("</File_Desc>")
    return "".join(parts).encode("utf-8")


class Program:
    """One copy of zarkit.exe in a folder of its own, and the processes started from it."""

    def __init__(self, folder=None):
        self.folder = folder or tempfile.mkdtemp(prefix="zarkit-e2e-")
        self.exe = os.path.join(self.folder, "zarkit.exe")
        shutil.copy(EXE, self.exe)
        self.processes = []

    def path(self, name):
        return os.path.join(self.folder, name)

    def write(self, name, data):
        mode = "wb" if isinstance(data, bytes) else "w"
        with open(self.path(name), mode) as f:
            f.write(data)

    def read(self, name, mode="r"):
        with open(self.path(name), mode) as f:
            return f.read()

    def start(self, debug_output=False):
        """Starts a copy; with debug_output its debugger traces go to the log. Programs
        it launches that are launch markers write into this folder's launches.txt."""
        env = wine_env()
        env["ZARKIT_LAUNCH_MARKER_FILE"] = windows_path(self.path("launches.txt"))
        if debug_output:
            env["WINEDEBUG"] = "-all,+debugstr"
        with open(self.path("wine-output.log"), "ab") as log:
            process = subprocess.Popen([WINE, self.exe], cwd=self.folder, env=env,
                                       stdout=log, stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def launches(self):
        return read_launches(self.path("launches.txt"))

    def debug_output(self):
        """The program's debugger traces so far, one string per trace."""
        traces = []
        for line in self.read("wine-output.log", "rb").decode("utf-8", "replace").splitlines():
            match = re.search(r'debugstr:OutputDebugString[AW] "(.*)"$', line)
            if match:
                traces.append(match.group(1).replace("\\n", "\n"))
        return traces

    def wait_for_drawer(self, timeout=20):
        """The drawer's X window id, once it is mapped."""
        ids = wait_for(lambda: windows_named("Zarkit"), timeout, interval=0.05)
        if not ids:
            raise AssertionError("the drawer did not appear within %s s" % timeout)
        return ids[0]

    def close_drawer(self):
        return probe("close", "Zarkit").returncode == 0

    def stop(self):
        for process in self.processes:
            if process.poll() is None:
                self.close_drawer()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes.clear()

    def remove(self):
        shutil.rmtree(self.folder, ignore_errors=True)


class DrawerTestCase(unittest.TestCase):
    """Gives each test a fresh Program and makes sure nothing is left running."""

    def setUp(self):
        self.program = Program()

    def tearDown(self):
        self.program.stop()
        self.program.remove()


def main():
    unittest.main(verbosity=2)
