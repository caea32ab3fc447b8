"""Drives the real Vellum program as a person does, for the end-to-end tests.

Each test file gets its own virtual display (Xvfb on a free display number);
each program run its own throwaway home, config and data folders; each test
its own SMTP server (tests/support/smtp_server.py) with a certificate made
for it. Input goes through xdotool: clicks at the designed positions of the
controls (in twips), keys and typing. Every wait polls for a condition that a
user could see (a window with a title, a file, a message at the server, the
process gone) up to a generous limit; nothing waits for a fixed time.
"""

import atexit
import ctypes
import ctypes.util
import email
import email.policy
import json
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import urllib.parse
from pathlib import Path

SUPPORT_DIR = Path(os.environ.get("VELLUM_TEST_SUPPORT_DIR",
                                  Path(__file__).resolve().parent.parent / "support"))
PYTHON = "/usr/bin/python3"  # the interpreter with the distribution's aiosmtpd

# Upper bounds only: under load a window can take seconds to appear. A wait
# that runs out is a failure, never a pause that lets the test go on.
WAIT_SECONDS = 60
POLL_SECONDS = 0.05

MAIN_TITLE = "Vellum"
SETTINGS_TITLE = "Settings"
PROMPT_TITLE = "Subject is missing (you still can leave it blank)"
BOX_TITLE = "Kestrel - Vellum"  # message boxes without a caption of their own
ABOUT_TITLE = "About Kestrel - Vellum"
FILE_DIALOG_TITLE = "Open"

# Designed positions (left, top, width, height in twips, relative to the
# window's client area) of the controls the tests use.
COMPOSER = {
    "txtTo": (1260, 120, 3975, 375),
    "txtSubject": (1260, 600, 3975, 375),
    "txtMessage": (120, 1080, 5535, 2655),
    "cmdSendHotkeyOption": (120, 3840, 1215, 435),
    "cmdServerSettings": (1980, 3840, 435, 435),
    "cmdAttachments": (3060, 3840, 975, 435),
    "cmdSend": (4140, 3840, 1515, 435),
}
COMPOSER_SIZE = (5775, 4395)
# Inside the frames the designed positions are relative to the frame.
_MAILS, _SERVER = (120, 60), (120, 960)


def _in(frame, left, top, width, height):
    return (frame[0] + left, frame[1] + top, width, height)


SETTINGS = {
    "txtMailFrom": _in(_MAILS, 1260, 300, 4335, 315),
    "txtUserName": _in(_SERVER, 1860, 300, 3735, 315),
    "txtPassword": _in(_SERVER, 1860, 720, 3735, 315),
    "txtSMTPServer": _in(_SERVER, 1860, 1140, 3735, 315),
    "txtSMTPServerPort": _in(_SERVER, 1860, 1560, 2535, 315),
    "chkUseSSL": _in(_SERVER, 4560, 1580, 1035, 255),
}
ATTACHMENTS = {
    "cmdAdd": (120, 3600, 435, 435),
    "cmdOk": (3000, 3600, 1395, 435),
}
# The captions of the send key button, in the order its clicks go through them.
SEND_KEYS = ["Ctrl+Enter", "Enter", "F5", "F12"]


def pixels(twips):
    # The display runs at 96 dots per inch: 15 twips make one pixel.
    return round(twips / 15)


def wait_until(condition, what, timeout=WAIT_SECONDS):
    """Polls condition() until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(f"gave up after {timeout} s waiting for {what}")
        time.sleep(POLL_SECONDS)


def _die_with_parent():
    # A test runner that kills the test must not leave its children behind.
    libc = ctypes.CDLL(None, use_errno=True)
    libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def _spawn(arguments, log, stdout=None, **options):
    # Output goes to files: a child that outlives its test must not hold the runner's pipe.
    return subprocess.Popen(arguments, stdin=subprocess.DEVNULL, stdout=log if stdout is None else stdout,
                            stderr=log, preexec_fn=_die_with_parent, **options)


def _stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


# Text the tests type that the default keyboard map lacks. xdotool would
# bind a spare key code for each such character while typing, and a client
# that reads the new map late sees the wrong key; with the characters on the
# map before the program starts, typing them is like typing ASCII.
EXTRA_CHARACTERS = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"


class Display:
    """A virtual X display of its own, with xdotool as keyboard and mouse."""

    def __init__(self, work):
        self.log = open(Path(work) / "xvfb.log", "wb")
        read_end, write_end = os.pipe()
        self.process = _spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                               "-dpi", "96", "-nolisten", "tcp", "-noreset"],
                              self.log, pass_fds=(write_end,))
        os.close(write_end)
        # Xvfb writes the display number once it accepts clients.
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            _stop(self.process)
            raise RuntimeError("Xvfb did not start: " + (Path(work) / "xvfb.log").read_text())
        self.name = ":" + number
        self._add_to_keyboard_map(EXTRA_CHARACTERS)

    def close(self):
        _stop(self.process)
        self.log.close()

    def environment(self):
        return {"DISPLAY": self.name}

    def _add_to_keyboard_map(self, characters):
        x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
        x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int,
                                            ctypes.POINTER(ctypes.c_int)]
        x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                               ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
        for name in ("XDisplayKeycodes", "XSync", "XCloseDisplay", "XFree"):
            getattr(x11, name).argtypes = None
        display = x11.XOpenDisplay(self.name.encode())
        if not display:
            raise RuntimeError("cannot open display " + self.name)
        display = ctypes.c_void_p(display)
        low, high, per_code = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        table = x11.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per_code))
        symbols = [[table[code * per_code.value + level] for level in range(per_code.value)]
                   for code in range(count)]
        x11.XFree(ctypes.cast(table, ctypes.c_void_p))
        # Codes with only vendor keys (volume, mail, ...) are free to take;
        # the empty ones stay for xdotool's own use.
        spare = [low.value + code for code, keys in enumerate(symbols)
                 if any(keys) and all(key == 0 or 0x1008FF00 <= key <= 0x1008FFFF for key in keys)]
        if len(spare) < len(characters):
            raise RuntimeError("not enough spare key codes on " + self.name)

        def keysym(character):
            code = ord(character)
            return code if code < 0x100 else 0x01000000 | code

        for character, key_code in zip(characters, spare):
            symbols = (ctypes.c_ulong * 2)(keysym(character), keysym(character.upper()))
            x11.XChangeKeyboardMapping(display, key_code, 2, symbols, 1)
        x11.XSync(display, 0)
        x11.XCloseDisplay(display)

    # xdotool

    def xdotool(self, *arguments, check=True):
        result = subprocess.run(["xdotool", *map(str, arguments)], env={**os.environ, "DISPLAY": self.name},
                                stdin=subprocess.DEVNULL, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError(f"xdotool {' '.join(map(str, arguments))}: {result.stderr.strip()}")
        return result.stdout

    def windows(self, title):
        """The visible windows whose title is exactly title."""
        output = self.xdotool("search", "--onlyvisible", "--name", "^" + re.escape(title) + "$", check=False)
        return [int(line) for line in output.split()]

    def titles(self):
        """The titles of all visible named windows, for reports."""
        found = []
        for window in self.xdotool("search", "--onlyvisible", "--name", ".", check=False).split():
            name = self.xdotool("getwindowname", window, check=False).strip()
            if name:
                found.append(name)
        return found

    def wait_window(self, title, timeout=WAIT_SECONDS):
        """Waits for exactly one visible window with that title and returns it."""
        windows = wait_until(lambda: self.windows(title), f'a window "{title}"', timeout)
        if len(windows) != 1:
            raise AssertionError(f'{len(windows)} windows "{title}": {self.titles()}')
        return windows[0]

    def wait_gone(self, window, what="the window to close"):
        wait_until(lambda: window not in self._visible(), what)

    def dismiss(self, window, keys, back_to=None):
        """Closes a dialog with a key and waits until it is gone; then gives
        the focus back to the window below, as a window manager would."""
        title = self.xdotool("getwindowname", window, check=False).strip()
        self.key(window, keys)
        self.wait_gone(window, f'"{title}" to close on {keys}')
        if back_to is not None:
            self.focus(back_to)

    def wait_any(self, *titles):
        """Waits until a window with one of the titles is visible; returns that title."""
        return wait_until(lambda: next((title for title in titles if self.windows(title)), None),
                          "one of " + ", ".join(f'"{title}"' for title in titles))

    def _visible(self):
        return [int(w) for w in self.xdotool("search", "--onlyvisible", "--name", "", check=False).split()]

    def focused(self):
        return int(self.xdotool("getwindowfocus", "-f", check=False).strip() or 0)

    def wait_focus(self, window):
        """Keys go to the window once the server has given it the input focus."""
        wait_until(lambda: self.focused() == window, f"the input focus on window {window}")

    def geometry(self, window):
        output = self.xdotool("getwindowgeometry", "--shell", window)
        values = dict(line.split("=", 1) for line in output.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def focus(self, window):
        """Gives the window the input focus, as a window manager does when a
        dialog over it closes; the display has no window manager."""
        self.xdotool("windowfocus", "--sync", window)

    def click(self, window, place):
        """Clicks a control of the window in the middle of its designed position."""
        left, top, width, height = place
        self.xdotool("mousemove", "--window", window, pixels(left + width / 2), pixels(top + height / 2),
                     "click", "1")

    def click_box(self, window, place):
        """Clicks a check box on its box, left of the caption."""
        left, top, width, height = place
        self.xdotool("mousemove", "--window", window, pixels(left) + 7, pixels(top + height / 2), "click", "1")

    def key(self, window, *keys):
        """Presses keys (xdotool names such as Return, F5, ctrl+Return) in the window."""
        self.wait_focus(window)
        self.xdotool("key", *keys)

    def type(self, window, text):
        """Types text; a line break is the Return key (xdotool would send Linefeed)."""
        self.wait_focus(window)
        for number, line in enumerate(text.split("\n")):
            if number:
                self.xdotool("key", "Return")
            if line:
                self.xdotool("type", "--delay", "15", line)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.name, "-window", "root", str(path)],
                       stdin=subprocess.DEVNULL, capture_output=True)


_certificate = None


def certificate():
    """A self-signed certificate for 127.0.0.1 that serves as its own CA,
    made once per test process: (certificate file, key file)."""
    global _certificate
    if _certificate is None:
        folder = Path(tempfile.mkdtemp(prefix="vellum-e2e-ca-"))
        atexit.register(shutil.rmtree, folder, True)
        pem, key = folder / "server.pem", folder / "server.key"
        subprocess.run(["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
                        "-nodes", "-days", "7", "-subj", "/CN=127.0.0.1",
                        "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost",
                        "-addext", "basicConstraints=critical,CA:TRUE",
                        "-addext", "keyUsage=critical,digitalSignature,keyCertSign",
                        "-addext", "extendedKeyUsage=serverAuth",
                        "-keyout", str(key), "-out", str(pem)],
                       check=True, stdin=subprocess.DEVNULL, capture_output=True)
        _certificate = (pem, key)
    return _certificate


class SmtpServer:
    """The tests' SMTP server on 127.0.0.1: AUTH, and STARTTLS with the test certificate."""

    USER = "vera"
    PASSWORD = "Pa55-word"

    def __init__(self, work, *options):
        self.folder = Path(work) / "received"
        pem, key = certificate()
        self.log = open(Path(work) / "smtp.log", "wb")
        read_end, write_end = os.pipe()
        self.process = _spawn([PYTHON, "-u", str(SUPPORT_DIR / "smtp_server.py"), "--folder", str(self.folder),
                               "--cert", str(pem), "--key", str(key),
                               "--user", self.USER, "--password", self.PASSWORD, *options],
                              self.log, stdout=write_end)
        os.close(write_end)
        # Kept open while the server runs, so that it can still write to it.
        self._output = os.fdopen(read_end)
        line = self._output.readline().strip()
        if not line.startswith("ready "):
            _stop(self.process)
            raise RuntimeError("the SMTP server did not start: " + line)
        self.port = int(line.split()[1])

    def close(self):
        _stop(self.process)
        self._output.close()
        self.log.close()

    def messages(self):
        """What arrived, in order: (parsed message, raw bytes, envelope)."""
        received = []
        for raw_file in sorted(self.folder.glob("*.eml")):
            raw = raw_file.read_bytes()
            envelope = json.loads(raw_file.with_suffix(".json").read_text())
            received.append((email.message_from_bytes(raw, policy=email.policy.default), raw, envelope))
        return received


def body_text(message):
    """The plain text body as a mail reader shows it: lines, whatever their line ends."""
    return message.get_body(preferencelist=("plain",)).get_content().replace("\r\n", "\n")


class Home:
    """Throwaway home, config and data folders for program runs."""

    def __init__(self, work):
        self.root = Path(work) / "home"
        self.home = self.root / "home"
        self.config = self.root / "config"
        self.data = self.root / "data"
        self.runtime = self.root / "runtime"
        for folder in (self.home, self.config, self.data, self.runtime):
            folder.mkdir(parents=True, exist_ok=True)
        self.runtime.chmod(0o700)

    @property
    def settings_file(self):
        return self.config / "Tessaline" / "Vellum.ini"

    @property
    def data_folder(self):
        return self.data / "Tessaline" / "Vellum"

    def local_copies(self):
        return sorted(self.data_folder.glob("*.EML")) if self.data_folder.exists() else []

    def history(self, name):
        """The entries of "To History.DAT" or "Subject History.DAT", newest first."""
        path = self.data_folder / name
        return path.read_text(encoding="utf-8").splitlines() if path.exists() else []

    def settings(self):
        """The stored settings as {"Section/Key": text}; top-level keys have no section."""
        values = {}
        if not self.settings_file.exists():
            return values
        section = ""
        for line in self.settings_file.read_text(encoding="utf-8").splitlines():
            line = line.strip()
            if line.startswith("[") and line.endswith("]"):
                section = urllib.parse.unquote(line[1:-1])
                section = "" if section == "General" else section + "/"
            elif "=" in line:
                key, value = line.split("=", 1)
                if len(value) > 1 and value[0] == value[-1] == '"':
                    value = value[1:-1]
                values[section + urllib.parse.unquote(key.strip())] = value.strip()
        return values

    def environment(self):
        return {"HOME": str(self.home), "XDG_CONFIG_HOME": str(self.config), "XDG_DATA_HOME": str(self.data),
                "XDG_CACHE_HOME": str(self.root / "cache"), "XDG_RUNTIME_DIR": str(self.runtime)}


def _trust_store(work):
    """A folder to stand in for the system's certificate store: the test CA only."""
    folder = Path(work) / "trusted"
    folder.mkdir(exist_ok=True)
    shutil.copy(certificate()[0], folder / "ca-certificates.crt")
    return folder


class Vellum:
    """One run of the real program.

    It verifies certificates against the system's store and reads nothing
    else about trust, so it runs in a mount namespace of its own in which the
    store holds the test CA. Its capabilities are dropped there, so that
    permission bits bind it as they bind a normal user, root or not.
    """

    def __init__(self, display, home, work, arguments=(), extra_environment=None, command=None):
        """command is how the program is started, the tested build's binary unless given."""
        self.display = display
        self.home = home
        self.log_path = Path(work) / f"vellum-{time.monotonic_ns()}.log"
        self.log = open(self.log_path, "wb")
        environment = {key: value for key, value in os.environ.items()
                       if not key.startswith(("QT_", "XDG_")) and key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        environment.update(home.environment())
        environment.update({"QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8",
                            "DBUS_SESSION_BUS_ADDRESS": "disabled:", "NO_AT_BRIDGE": "1"})
        environment.update(display.environment())
        environment.update(extra_environment or {})
        command = command or [os.environ["VELLUM"]]
        self.process = _spawn(
            ["unshare", "--mount", "--map-root-user", "--", "/bin/sh", "-c",
             'mount --bind "$0" /etc/ssl/certs && exec setpriv --bounding-set=-all --inh-caps=-all -- "$@"',
             str(_trust_store(work)), *command, *arguments],
            self.log, env=environment, cwd=str(home.home))
        wait_until(lambda: self.display.windows(MAIN_TITLE) or not self.running(), "the composer window")
        if not self.running():
            raise AssertionError("the program ended without a window:\n" + self.output())
        self.main = self.display.wait_window(MAIN_TITLE)

    def output(self):
        self.log.flush()
        return self.log_path.read_text(errors="replace")

    def wait_exit(self):
        try:
            return self.process.wait(WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end; windows: " + ", ".join(self.display.titles()))

    def running(self):
        return self.process.poll() is None

    def close(self):
        _stop(self.process)
        self.log.close()

    # What a user does in the composer

    def click(self, control):
        self.display.click(self.main, COMPOSER[control])

    def type_into(self, control, text):
        """Clicks the box (which selects its text) and types."""
        self.click(control)
        self.display.type(self.main, text)

    def key(self, *keys):
        self.display.key(self.main, *keys)

    def compose(self, to=None, subject=None, body=None):
        """Types into the boxes given; None leaves a box as it is."""
        for control, text in (("txtTo", to), ("txtSubject", subject), ("txtMessage", body)):
            if text is not None:
                self.type_into(control, text)

    def choose_send_key(self, caption):
        """Clicks the send key button until it shows the caption (it starts at Ctrl+Enter)."""
        for _ in range(SEND_KEYS.index(caption)):
            self.click("cmdSendHotkeyOption")

    def open_dialog(self, button, title):
        self.click(button)
        return self.display.wait_window(title)

    def set_up_server(self, server, password=SmtpServer.PASSWORD, take_port_offer=False):
        """Fills the settings dialog for the test server with STARTTLS and confirms with Enter."""
        settings = self.open_dialog("cmdServerSettings", SETTINGS_TITLE)
        # The focus starts in the sender box; each box selects its text when entered.
        for text in ("vera@example.org", SmtpServer.USER, password, "127.0.0.1", str(server.port)):
            self.display.type(settings, text)
            self.display.key(settings, "Tab")
        # Ticking SSL offers the standard port 465: OK takes it, Esc keeps the test server's.
        self.display.click_box(settings, SETTINGS["chkUseSSL"])
        offer = self.display.wait_window(BOX_TITLE)
        self.display.dismiss(offer, "Return" if take_port_offer else "Escape", back_to=settings)
        self.display.dismiss(settings, "Return")

    def add_attachments(self, folder, names):
        """Adds files through the attachment dialog and the file dialog, confirms with Ok."""
        dialog = self.open_dialog("cmdAttachments", "Attachments :: 0")
        self.display.click(dialog, ATTACHMENTS["cmdAdd"])
        files = self.display.wait_window(FILE_DIALOG_TITLE)
        # The folder first, then the names: several full paths at once lose the first.
        self.display.type(files, str(folder))
        self.display.key(files, "Return")
        self.display.type(files, " ".join(f'"{name}"' for name in names))
        self.display.dismiss(files, "Return")
        dialog = self.display.wait_window(f"Attachments :: {len(names)}")
        self.display.click(dialog, ATTACHMENTS["cmdOk"])
        self.display.wait_gone(dialog, "the attachment dialog to close")


class EndToEndTest(unittest.TestCase):
    """One display for the test class; one home and one server per test."""

    @classmethod
    def setUpClass(cls):
        if "VELLUM" not in os.environ:
            raise unittest.SkipTest("VELLUM names the program to test")
        cls.class_work = tempfile.mkdtemp(prefix="vellum-e2e-")
        cls.display = Display(cls.class_work)

    @classmethod
    def tearDownClass(cls):
        cls.display.close()
        shutil.rmtree(cls.class_work, ignore_errors=True)

    def setUp(self):
        self.work = Path(tempfile.mkdtemp(prefix=self.id().rsplit(".", 1)[-1] + "-", dir=self.class_work))
        self.home = Home(self.work)
        self.programs = []
        self.addCleanup(self._close_programs)
        self.server = self.start_server()

    def start_server(self, *options):
        folder = Path(tempfile.mkdtemp(prefix="server-", dir=self.work))
        server = SmtpServer(folder, *options)
        self.addCleanup(server.close)
        return server

    def start(self, *arguments, environment=None, command=None, display=None):
        """Starts the program in this test's home and waits for its window;
        environment adds to or replaces variables of the program's own;
        command starts another build of it, display is another screen."""
        display = display or self.display
        self.assertEqual(display.titles(), [], "windows left from before")
        program = Vellum(display, self.home, self.work, arguments, environment, command)
        self.programs.append(program)
        return program

    def _close_programs(self):
        result = self._outcome.result
        if any(test is self for test, _ in result.errors + result.failures):
            artifacts = Path(os.environ.get("VELLUM_E2E_ARTIFACTS",
                                            Path(tempfile.gettempdir()) / "vellum-e2e-artifacts"))
            artifacts.mkdir(parents=True, exist_ok=True)
            shot = artifacts / (self.id() + ".png")
            self.display.screenshot(shot)
            print(f"\n{self.id()}: windows {self.display.titles()}; screen in {shot}")
            for program in self.programs:
                print("program output:\n" + program.output())
        for program in self.programs:
            program.close()

    def received_one(self):
        """The one message at the server: (parsed message, raw bytes, envelope)."""
        messages = self.server.messages()
        self.assertEqual(len(messages), 1, "messages at the server")
        return messages[0]

    def make_files(self, sizes):
        """Files to attach, with their bytes: {name: content}."""
        folder = self.work / "files"
        folder.mkdir(exist_ok=True)
        contents = {}
        for name, size in sizes.items():
            contents[name] = os.urandom(size)
            (folder / name).write_bytes(contents[name])
        return folder, contents

    def assertEnded(self, program):
        self.assertEqual(program.wait_exit(), 0, program.output())
        self.assertEqual(self.display.titles(), [], "windows left after the program ended")
