"""Two monitors, the primary on the right, as many desks have them: the drawer left to its
defaults takes the primary's outer right edge, a chosen inner edge is taken and noted in
Settings, the other screen is reached at negative coordinates, and the drawer follows a
monitor that is switched off and on again.

Xvfb has a single output, and Wine counts only the monitors its XRandR 1.4 path finds (on
Xinerama alone it leaves all but the primary detached). So this test runs an X server of its
own, Xorg with the dummy driver, two of its outputs side by side, and Wine in a prefix of its
own on that display. Without Xorg, the dummy driver or xrandr it is skipped.
"""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

import drive
import harness

XORG = shutil.which("Xorg")
XRANDR = shutil.which("xrandr")
DUMMY_DRIVER = "/usr/lib/xorg/modules/drivers/dummy_drv.so"
WINESERVER = "/usr/lib/wine/wineserver"

# Where the drawer stands, in Windows coordinates: the primary monitor is (0, 0)-(1024, 768),
# the other one (-1024, 0)-(0, 768). On the X screen the primary stands right of the other
# one, so while both are on, X = Windows + 1024.
X_OFFSET = 1024
RIGHT_STRIP = (1021, 96, 1024, 672)
RIGHT_OPEN = (514, 96, 1024, 672)
INNER_STRIP = (0, 96, 3, 672)
INNER_OPEN = (0, 96, 510, 672)
OTHER_STRIP = (-1024, 96, -1021, 672)
OTHER_OPEN = (-1024, 96, -514, 672)
AWAY = (500, 720)  # below every drawer
RIGHT_LIST_EMPTY = (776, 610)
INNER_EDGE_NOTE = 1024
TWO_MONITORS = ["\\\\.\\DISPLAY1|0,0,1024,768|0,0,1024,768|1",
                "\\\\.\\DISPLAY2|-1024,0,0,768|-1024,0,0,768|0"]

XORG_CONF = """
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoAddGPU" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 131072
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
    Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1024x768"
        Virtual 2048 768
    EndSubSection
EndSection
"""


class TwoMonitorDesk:
    """An Xorg display with two 1024 x 768 monitors, the primary on the right, and a Wine
    session on it. While it runs, DISPLAY and WINEPREFIX point the harness there."""

    def __init__(self):
        self.xorg = None
        self.saved = {}
        self.folder = tempfile.mkdtemp(prefix="zarkit-two-monitors-")

    def xrandr(self, *args):
        result = harness.run([XRANDR, *args], timeout=20)
        if result.returncode != 0:
            raise AssertionError("xrandr %s: %s" % (" ".join(args), result.stderr))

    def start(self):
        display = next(n for n in range(90, 120) if not os.path.exists("/tmp/.X%d-lock" % n))
        config = os.path.join(self.folder, "xorg.conf")
        with open(config, "w") as f:
            f.write(XORG_CONF)
        os.makedirs(harness.ARTIFACTS, exist_ok=True)
        self.xorg = subprocess.Popen(
            [XORG, ":%d" % display, "-config", config, "-noreset", "-nolisten", "tcp",
             "-novtswitch", "-sharevts", "-logfile", os.path.join(harness.ARTIFACTS, "xorg-two.log")],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for name in ("DISPLAY", "WINEPREFIX"):
            self.saved[name] = os.environ.get(name)
        os.environ["DISPLAY"] = ":%d" % display
        if not harness.wait_for(lambda: harness.run(["xdpyinfo"]).returncode == 0, 30, 0.2):
            raise AssertionError("Xorg did not start; see xorg-two.log")
        self.switch_other_monitor(True)
        self.xrandr("--output", "DUMMY0", "--primary")
        # A fresh prefix of its own: Wine's desktop belongs to the display it was started on,
        # and a prefix keeps the monitors a session ended with (attached or not) for the next.
        os.environ["WINEPREFIX"] = os.path.join(self.folder, "wineprefix")
        os.makedirs(os.environ["WINEPREFIX"])
        # Without pipes: the server and the desktop stay behind, holding what they inherit.
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=harness.wine_env())
        subprocess.run([WINESERVER, "-p"], timeout=30, **quiet)
        subprocess.run([harness.WINE, "wineboot", "-u"], timeout=300, **quiet)
        self.wait_for_both()

    def wait_for_both(self):
        """Waits until Wine lists both monitors. Its desktop may take a while to find the
        second output, or miss it; switched off and on again, it is found."""
        for _ in range(3):
            if harness.wait_for(lambda: monitors() == TWO_MONITORS, 15, 0.25):
                return
            self.switch_other_monitor(False)
            harness.wait_for(lambda: len(monitors()) == 1, 10, 0.25)
            self.switch_other_monitor(True)
        env = harness.wine_env()
        env["WINEDEBUG"] = "+xrandr"
        trace = harness.run([harness.WINE, harness.PROBE, "monitors"], env=env).stderr
        raise AssertionError("Wine lists %s, not the two monitors; X has %s; %s"
                             % (monitors(), harness.run([XRANDR, "--listmonitors"]).stdout,
                                trace[-3000:]))

    def switch_other_monitor(self, on):
        if on:
            harness.run([XRANDR, "--addmode", "DUMMY1", "1024x768"], timeout=20)
            self.xrandr("--output", "DUMMY1", "--mode", "1024x768", "--left-of", "DUMMY0")
        else:
            self.xrandr("--output", "DUMMY1", "--off")
        # A full query: the dummy driver counts an output as connected once it shows a
        # mode, but only says so when asked, and Wine reads the state without asking.
        self.xrandr("--query")

    def stop(self):
        """Ends the Wine session and the X server, and puts the environment back, whatever
        went wrong before."""
        try:
            if os.environ.get("WINEPREFIX", "").startswith(self.folder):
                subprocess.run([WINESERVER, "-k"], timeout=60, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, env=harness.wine_env())
        except subprocess.TimeoutExpired:
            pass
        finally:
            for name, value in self.saved.items():
                if value is None:
                    os.environ.pop(name, None)
                else:
                    os.environ[name] = value
            if self.xorg is not None:
                self.xorg.terminate()
                try:
                    self.xorg.wait(timeout=20)
                except subprocess.TimeoutExpired:
                    self.xorg.kill()
                    self.xorg.wait()
                self.xorg = None
            shutil.rmtree(self.folder, ignore_errors=True)


DESK = TwoMonitorDesk()


def setUpModule():
    missing = [name for name, there in (("Xorg", XORG), ("xrandr", XRANDR),
                                        ("the dummy video driver", os.path.exists(DUMMY_DRIVER)))
               if not there]
    if missing:
        raise unittest.SkipTest("no %s (scripts/install-deps.sh installs them)" % ", ".join(missing))
    try:
        DESK.start()
    except Exception:
        DESK.stop()
        raise


def tearDownModule():
    DESK.stop()


def monitors():
    return harness.probe("monitors").stdout.split()


def dock_store(extra=""):
    store = harness.store_xml(tables=[("Common", []), ("Tools", [])], tick_count=0)
    return store.replace(b"</SelTable_MouseOn>", b"</SelTable_MouseOn>" + extra.encode())


def drawer_rect():
    """The drawer's window rectangle in Windows coordinates, or None."""
    rects = [w["rect"] for w in harness.probe_windows() if w["class"] == "Zarkit"]
    return rects[0] if rects else None


def pointer_to(x, y):
    """Moves the pointer to a point given in Windows coordinates, both monitors on; Wine
    learns where the pointer is from its moves over its own windows."""
    harness.move_pointer(x + X_OFFSET + 1, y + 1)
    harness.move_pointer(x + X_OFFSET, y)


class TwoMonitorTest(harness.DrawerTestCase):
    @classmethod
    def setUpClass(cls):
        drive.unmanaged_windows(cls)

    def start_with(self, extra=""):
        self.program.write("info_data.xml", dock_store(extra))
        pointer_to(*AWAY)
        self.program.start()
        self.program.wait_for_drawer()

    def wait_rect(self, expected, message, timeout=5):
        if not harness.wait_for(lambda: drawer_rect() == expected, timeout, 0.05):
            shot = harness.Screenshot("two_monitors_failure")
            self.fail("%s: %s (%s)" % (message, drawer_rect(), shot.path))

    def test_the_default_takes_the_primarys_outer_right_edge(self):
        self.start_with()
        self.wait_rect(RIGHT_STRIP, "the drawer is not the strip at the primary's right edge")
        pointer_to(1022, 300)
        self.wait_rect(RIGHT_OPEN, "resting in the strip did not open the drawer")
        pointer_to(700, 300)
        time.sleep(0.3)
        self.assertEqual(drawer_rect(), RIGHT_OPEN)
        harness.Screenshot("two_monitors_right_open")
        pointer_to(*AWAY)
        self.wait_rect(RIGHT_STRIP, "leaving did not collapse the drawer")
        self.assertNotIn(b"Dock_", self.program.read("info_data.xml", "rb"))

    def test_a_chosen_inner_edge_is_taken_and_the_pointer_passes_it(self):
        self.start_with("<Dock_Side>left</Dock_Side>")
        self.wait_rect(INNER_STRIP, "the drawer is not at the primary's left edge")
        # Just beyond the edge the pointer is on the other monitor, not in the strip.
        pointer_to(-1, 300)
        time.sleep(0.5)
        self.assertEqual(drawer_rect(), INNER_STRIP)
        pointer_to(1, 300)
        self.wait_rect(INNER_OPEN, "resting in the strip did not open the drawer")

    def test_the_other_screen_is_reached_at_negative_coordinates(self):
        self.start_with("<Dock_Screen>\\\\.\\DISPLAY2</Dock_Screen><Dock_Side>left</Dock_Side>")
        self.wait_rect(OTHER_STRIP, "the drawer is not at the other monitor's left edge")
        pointer_to(-1023, 300)
        self.wait_rect(OTHER_OPEN, "resting in the strip did not open the drawer")

    def test_settings_lists_both_screens_and_notes_the_inner_edge(self):
        self.start_with()
        self.wait_rect(RIGHT_STRIP, "the drawer is not at the primary's right edge")
        pointer_to(1022, 300)
        self.wait_rect(RIGHT_OPEN, "resting in the strip did not open the drawer")
        pointer_to(*RIGHT_LIST_EMPTY)
        drive.settle(0.3)
        drive.menu_command((RIGHT_LIST_EMPTY[0] + X_OFFSET, RIGHT_LIST_EMPTY[1]), "Settings")
        self.assertIsNotNone(drive.wait_window("Settings"), "no Settings dialog")
        lines = harness.probe("entries", "Settings", 1021).stdout.splitlines()
        self.assertEqual(lines, ["*Primary screen", "Screen 1: 1024 x 768, primary",
                                 "Screen 2: 1024 x 768, left of the primary"])
        self.assertEqual(harness.probe("entries", "Settings", 1023).stdout.split(),
                         ["Left", "*Right"])
        shown = lambda: harness.probe("shown", "Settings", INNER_EDGE_NOTE).stdout.strip()
        self.assertEqual(shown(), "0")
        x, y = drive.centre(drive.controls("Settings")[1023]["rect"])
        harness.click(x + X_OFFSET, y)
        harness.xdotool("key", "--delay", "60", "Up", "Return")
        self.assertTrue(harness.wait_for(lambda: shown() == "1", 3),
                        "choosing the inner left edge showed no note")
        harness.Screenshot("two_monitors_settings_inner_note")
        drive.close("Settings", "Cancel")
        self.assertNotIn(b"Dock_", self.program.read("info_data.xml", "rb"))

    def test_a_monitor_switched_off_and_on_moves_the_drawer_away_and_back(self):
        self.start_with()
        self.wait_rect(RIGHT_STRIP, "the drawer is not at the primary's right edge")
        try:
            DESK.switch_other_monitor(False)
            self.assertTrue(harness.wait_for(lambda: len(monitors()) == 1, 10, 0.2), monitors())
            # Alone, the primary's left edge is outer again: the default goes back there.
            self.wait_rect(INNER_STRIP, "the drawer did not move to the left edge", 10)
        finally:
            DESK.switch_other_monitor(True)
        DESK.wait_for_both()
        self.wait_rect(RIGHT_STRIP, "the drawer did not come back to the right edge", 10)


if __name__ == "__main__":
    harness.main()
