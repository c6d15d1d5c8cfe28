"""What people download: the help file, the portable zip and the per-user installer.

The packages are made afresh by scripts/package.sh from this build tree, so the test
always sees the program and help file just built.
"""

import html.parser
import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import zipfile

import harness

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HELP = os.environ.get("ZARKIT_HELP", "")
HELP_SOURCES = os.path.join(ROOT, "docs", "help")
VERSION = "1.0.2.1001"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\VELMOR Zarkit"
RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "VELMOR Zarkit"


def project_files():
    """The [FILES] of the help project, and the contents and index files it names."""
    with open(os.path.join(HELP_SOURCES, "zarkit.hhp")) as f:
        project = f.read()
    files = re.search(r"^\[FILES\]\n(.*?)(?:^\[|\Z)", project, re.M | re.S).group(1).split()
    options = dict(re.findall(r"^([^=\n]+)=(.*)$", project, re.M))
    return files, options


def chm_listing(path):
    """Names inside a CHM file, as 7-Zip's CHM reader lists them."""
    result = harness.run(["7z", "l", "-slt", path])
    if result.returncode != 0:
        raise AssertionError("7z cannot read %s: %s" % (path, result.stdout + result.stderr))
    return [line[len("Path = "):] for line in result.stdout.splitlines()
            if line.startswith("Path = ")][1:]  # the first is the archive itself


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets = []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("href", "src") or (tag == "param" and name == "value"
                                           and ("name", "Local") in attrs):
                self.targets.append(value)


class HelpFileTest(unittest.TestCase):
    def test_a_chm_reader_lists_every_topic_the_contents_and_the_index(self):
        files, options = project_files()
        names = chm_listing(HELP)
        self.assertEqual(options["Compiled file"], "Zarkit.chm")
        expected = set(files) | {options["Contents file"], options["Index file"]}
        self.assertLessEqual(expected, set(names), names)
        topics = [name for name in files if name.endswith(".html")]
        self.assertGreaterEqual(len(topics), 9, topics)
        self.assertIn(options["Default topic"], topics)

    def test_every_link_picture_and_contents_entry_points_inside_the_file(self):
        folder = tempfile.mkdtemp(prefix="zarkit-chm-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        result = harness.run(["7z", "x", "-y", "-o" + folder, HELP])
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

        pages = [name for name in chm_listing(HELP) if name.endswith((".html", ".hhc", ".hhk"))]
        broken = []
        for page in pages:
            with open(os.path.join(folder, page), encoding="latin-1") as f:
                parser = Links()
                parser.feed(f.read())
            for target in parser.targets:
                if re.match(r"^(https?|mailto):", target):
                    continue
                local = target.split("#")[0]
                if local and not os.path.isfile(os.path.join(folder, os.path.dirname(page), local)):
                    broken.append("%s -> %s" % (page, target))
        self.assertEqual(broken, [])

        # The picture of the drawer is a real PNG of the drawer's size.
        with open(os.path.join(folder, "images", "drawer.png"), "rb") as f:
            header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual((int.from_bytes(header[16:20], "big"), int.from_bytes(header[20:24], "big")),
                         (510, 576))


class HelpCommandTest(harness.DrawerTestCase):
    def tearDown(self):
        harness.probe("close", "HH Parent")
        harness.wait_for(lambda: not self.help_windows(), 10, interval=0.1)
        super().tearDown()

    def help_windows(self):
        title = project_files()[1]["Title"]
        return [w for w in harness.probe_windows() if w["title"] == title]

    def test_the_help_command_opens_the_help_file_beside_the_program(self):
        shutil.copy(HELP, self.program.path("Zarkit.chm"))
        self.program.write("info_data.xml", harness.store_xml([("Common", [])]))
        self.program.start()
        self.program.wait_for_drawer()
        self.assertEqual(self.help_windows(), [])

        # WM_COMMAND "Help" to the item list view, as its context menu sends it.
        result = harness.probe("postchild", "Zarkit", "ZarkitListView", 0x111, 32804, 0)
        self.assertEqual(result.returncode, 0, result.stderr)
        windows = harness.wait_for(self.help_windows, 30, interval=0.2)
        self.assertTrue(windows, "no help window titled %r" % project_files()[1]["Title"])
        left, top, right, bottom = windows[0]["rect"]
        self.assertGreater(right - left, 300)

        # Drawn once its toolbar icons and contents tree are painted: many colours, not a
        # blank frame.
        def drawn():
            shot = harness.Screenshot("help_window")
            colours = {shot.pixel(x, y)
                       for x in range(max(left, 0) + 2, min(right, shot.width) - 2, 3)
                       for y in range(max(top, 0) + 2, min(bottom, shot.height) - 2, 3)}
            return len(colours) > 40
        self.assertTrue(harness.wait_for(drawn, 20, interval=0.5), "the help window stays blank")

def wine(*args, timeout=60):
    return harness.run([harness.WINE, *args], timeout=timeout, env=harness.wine_env())


def reg_value(key, name):
    """A registry value's data as reg.exe prints it, or None when it is not there."""
    result = harness.reg("query", key, "/v", name, check=False)
    if result.returncode != 0:
        return None
    match = re.search(r"^\s+%s\s+REG_\w+\s+(.*)$" % re.escape(name), result.stdout, re.M)
    return match.group(1).strip() if match else ""


def key_exists(key):
    return harness.reg("query", key, check=False).returncode == 0


def unix_path(windows_path):
    return wine("winepath.exe", "-u", windows_path).stdout.strip()


class InstalledProgram(harness.Program):
    """The zarkit.exe the installer put in place, started there rather than from a copy."""

    def __init__(self, folder):
        self.folder = folder
        self.exe = os.path.join(folder, "zarkit.exe")
        self.processes = []


class PackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.out = os.path.join(harness.ARTIFACTS, "package")
        shutil.rmtree(cls.out, ignore_errors=True)
        env = dict(os.environ, ZARKIT_PACKAGE_DIR=cls.out)
        started = time.monotonic()
        result = subprocess.run([os.path.join(ROOT, "scripts", "package.sh"), "--no-build", "win64"],
                                capture_output=True, text=True, env=env, timeout=300)
        if result.returncode != 0:
            raise AssertionError("package.sh failed:\n" + result.stdout + result.stderr)
        print("package.sh win64: %.1f s" % (time.monotonic() - started))
        cls.zip = os.path.join(cls.out, "Zarkit-%s-win64.zip" % VERSION)
        cls.setup = os.path.join(cls.out, "Zarkit-%s-win64-setup.exe" % VERSION)

        local = wine("cmd.exe", "/c", "echo", "%LOCALAPPDATA%").stdout.strip()
        cls.install_dir_windows = local + r"\Programs\Zarkit"
        cls.install_dir = unix_path(cls.install_dir_windows)
        appdata = wine("cmd.exe", "/c", "echo", "%APPDATA%").stdout.strip()
        cls.shortcut = unix_path(appdata + r"\Microsoft\Windows\Start Menu\Programs\VELMOR Zarkit.lnk")

    def setUp(self):
        self.assertTrue(self.install_dir.endswith("/AppData/Local/Programs/Zarkit"), self.install_dir)
        self.remove_installation()
        self.addCleanup(self.remove_installation)
        self.programs = []

    def tearDown(self):
        for program in self.programs:
            program.stop()

    def remove_installation(self):
        shutil.rmtree(self.install_dir, ignore_errors=True)
        if os.path.exists(self.shortcut):
            os.remove(self.shortcut)
        harness.reg("delete", UNINSTALL_KEY, "/f", check=False)

    def path(self, name):
        return os.path.join(self.install_dir, name)

    def install(self):
        result = wine(self.setup, "/S")
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def uninstall(self):
        """Runs the silent uninstaller; it works from a copy of itself, so wait for the end."""
        uninstaller = self.path("Uninstall.exe")
        result = wine(uninstaller, "/S")
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertTrue(harness.wait_for(lambda: not os.path.exists(uninstaller), 30, interval=0.1),
                        "the uninstaller did not finish")
        # The registry is cleaned before the uninstaller deletes itself; let its copy end.
        time.sleep(0.5)

    def start_installed(self):
        program = InstalledProgram(self.install_dir)
        self.programs.append(program)
        process = program.start()
        program.wait_for_drawer()
        return program, process

    def test_the_zip_holds_the_program_its_help_a_read_me_and_the_licence(self):
        with zipfile.ZipFile(self.zip) as archive:
            self.assertIsNone(archive.testzip())
            self.assertEqual(sorted(archive.namelist()), ["Zarkit/", "Zarkit/LICENSE.txt", "Zarkit/ReadMe.txt",
                                                          "Zarkit/Zarkit.chm", "Zarkit/zarkit.exe"])
            with open(harness.EXE, "rb") as f:
                self.assertEqual(archive.read("Zarkit/zarkit.exe"), f.read())
            with open(HELP, "rb") as f:
                self.assertEqual(archive.read("Zarkit/Zarkit.chm"), f.read())
            for name in ("Zarkit/ReadMe.txt", "Zarkit/LICENSE.txt"):
                text = archive.read(name)
                # Notepad-friendly: every line ends in CRLF, none in a bare LF.
                self.assertEqual(text.count(b"\n"), text.count(b"\r\n"), name)
                self.assertIn(b"VELMOR Soft" if "LICENSE" in name else VERSION.encode(), text)
        for name in ("zip", "setup.exe"):
            print("%s: %d bytes" % (name, os.path.getsize(self.zip if name == "zip" else self.setup)))

    def test_installer_asks_for_no_administrator_rights(self):
        with open(self.setup, "rb") as f:
            levels = re.findall(rb'requestedExecutionLevel\s+level="(\w+)"', f.read())
        self.assertEqual(levels, [b"asInvoker"])

    def test_silent_install_start_and_silent_uninstall_keep_the_users_store(self):
        started = time.monotonic()
        self.install()
        print("silent install: %.2f s" % (time.monotonic() - started))
        for name in ("zarkit.exe", "Zarkit.chm", "ReadMe.txt", "LICENSE.txt", "Uninstall.exe"):
            self.assertTrue(os.path.isfile(self.path(name)), name)
        with open(harness.EXE, "rb") as built, open(self.path("zarkit.exe"), "rb") as installed:
            self.assertEqual(installed.read(), built.read())
        self.assertTrue(os.path.isfile(self.shortcut))
        with open(self.path("Uninstall.exe"), "rb") as f:
            self.assertEqual(re.findall(rb'requestedExecutionLevel\s+level="(\w+)"', f.read()),
                             [b"asInvoker"])
        # Registered for this user only.
        self.assertEqual(reg_value(UNINSTALL_KEY, "UninstallString"),
                         '"%s\\Uninstall.exe"' % self.install_dir_windows)
        self.assertEqual(reg_value(UNINSTALL_KEY, "DisplayVersion"), VERSION)
        self.assertFalse(key_exists(UNINSTALL_KEY.replace("HKCU", "HKLM", 1)))

        # The installed program runs and keeps its store beside itself.
        program, process = self.start_installed()
        self.assertTrue(harness.wait_for(lambda: os.path.isfile(self.path("info_data.xml")), 10))
        program.stop()
        self.assertEqual(process.returncode, 0)
        with open(self.path("info_data.xml"), "rb") as f:
            store = f.read()
        self.assertIn(b"<File_Desc>", store)
        # A backup beside it is the user's as well.
        with open(self.path("info_data.xml.bak"), "wb") as f:
            f.write(store)

        # Run values as the program (or an older copy) may have left them.
        for hive in ("HKCU", "HKLM"):
            harness.reg("add", hive + "\\" + RUN_KEY, "/v", RUN_VALUE, "/d",
                        self.install_dir_windows + r"\zarkit.exe", "/f")
            self.assertIsNotNone(reg_value(hive + "\\" + RUN_KEY, RUN_VALUE))

        started = time.monotonic()
        self.uninstall()
        print("silent uninstall: %.2f s" % (time.monotonic() - started))
        for name in ("zarkit.exe", "Zarkit.chm", "ReadMe.txt", "LICENSE.txt", "config.ini",
                     "brisvane.html"):
            self.assertFalse(os.path.exists(self.path(name)), name)
        self.assertFalse(os.path.exists(self.shortcut))
        with open(self.path("info_data.xml"), "rb") as f:
            self.assertEqual(f.read(), store)
        self.assertTrue(os.path.isfile(self.path("info_data.xml.bak")))
        self.assertFalse(key_exists(UNINSTALL_KEY))
        for hive in ("HKCU", "HKLM"):
            self.assertIsNone(reg_value(hive + "\\" + RUN_KEY, RUN_VALUE), hive)

    def test_installer_and_uninstaller_close_a_running_drawer_first(self):
        self.install()
        program, process = self.start_installed()
        # Installing again over the running program (an update) closes it first.
        self.install()
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertEqual(harness.windows_named("Zarkit"), [])

        program, process = self.start_installed()
        self.uninstall()
        self.assertEqual(process.wait(timeout=10), 0)
        self.assertFalse(os.path.exists(self.path("zarkit.exe")))
        self.assertTrue(os.path.isfile(self.path("info_data.xml")))

    def test_the_uninstallers_question_answered_no_deletes_the_store_and_the_folder(self):
        self.install()
        for name in ("info_data.xml", "info_data.xml.bak"):
            with open(self.path(name), "w") as f:
                f.write("<File_Desc/>")
        uninstaller = subprocess.Popen([harness.WINE, self.path("Uninstall.exe")], env=harness.wine_env(),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(uninstaller.wait, 10)
        title = "VELMOR Zarkit Uninstall"
        self.press(title, "Uninstall")
        self.press(title, "No", text="Keep your Zarkit tables")
        # Pressed while the last page is still being shown, Close can be missed; the window
        # would then stay on the screen for every later test.
        def gone():
            return not any(w["title"].strip() == title for w in harness.probe_windows())
        for _ in range(3):
            self.press(title, "Close")
            if harness.wait_for(gone, 5, interval=0.2):
                break
        self.assertTrue(gone(), "the uninstaller's window stayed open")
        self.assertTrue(harness.wait_for(lambda: not os.path.exists(self.install_dir), 20, interval=0.1),
                        os.listdir(self.install_dir) if os.path.exists(self.install_dir) else "")
        self.assertFalse(key_exists(UNINSTALL_KEY))

    def press(self, title, button, text=None):
        """Clicks a button of the uninstaller's window (or its message box) once it is there.
        NSIS ends its window titles with a blank: titles are compared without it."""
        def find():
            for window in harness.probe_windows():
                if window["title"].strip() == title and button in [t.replace("&", "") for t in window["texts"]]:
                    if text is None or any(text in t for t in window["texts"]):
                        return window["title"]
            return None
        found = harness.wait_for(find, 20, interval=0.2)
        self.assertIsNotNone(found, "no button %r in %s" % (button, harness.probe_windows()))
        self.assertEqual(harness.probe("press", found, button).returncode, 0)

if __name__ == "__main__":
    harness.main()
