#!/usr/bin/python3
"""A Wayland session without X: the program starts under a headless Wayland
compositor, takes the keys typed into it and sends."""

import json
import os
import shutil
import subprocess
import tempfile
import unittest
from pathlib import Path

from vellum_e2e import MAIN_TITLE, EndToEndTest, _spawn, _stop, body_text, wait_until

APPLICATION_ID = "org.tessaline.Vellum"
# Without X: nothing can fall back to the X11 platform plugin.
CONFIGURATION = "xwayland disable\noutput HEADLESS-1 resolution 1024x768\n"


class WaylandDisplay:
    """A headless sway of its own, with wtype as the keyboard.

    sway refuses to run as root, so it runs as an ordinary user of a user
    namespace of its own."""

    def __init__(self, work):
        self.runtime = Path(tempfile.mkdtemp(prefix="wayland-", dir=work))
        self.runtime.chmod(0o700)
        configuration = self.runtime / "sway.conf"
        configuration.write_text(CONFIGURATION)
        self.log = open(Path(work) / "sway.log", "wb")
        environment = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": str(self.runtime),
                       "XDG_RUNTIME_DIR": str(self.runtime), "WLR_BACKENDS": "headless",
                       "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"}
        self.process = _spawn(["unshare", "--user", "--map-user=1000", "--map-group=1000", "--",
                               "sway", "--config", str(configuration)], self.log, env=environment)
        self.socket = wait_until(lambda: next(self.runtime.glob("sway-ipc.*.sock"), None) or self._died(),
                                 "the compositor")
        self.name = str(wait_until(lambda: next(self.runtime.glob("wayland-[0-9]"), None), "the Wayland socket"))

    def _died(self):
        if self.process.poll() is not None:
            raise RuntimeError("sway ended: " + (Path(self.log.name)).read_text(errors="replace"))
        return None

    def close(self):
        _stop(self.process)
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def environment(self):
        # An absolute WAYLAND_DISPLAY, so the program keeps its own runtime folder.
        return {"WAYLAND_DISPLAY": self.name, "QT_QPA_PLATFORM": "wayland"}

    def _clients(self):
        output = subprocess.run(["swaymsg", "--socket", str(self.socket), "--raw", "--type", "get_tree"],
                                capture_output=True, text=True).stdout
        found, nodes = [], [json.loads(output)] if output else []
        while nodes:
            node = nodes.pop()
            nodes += node.get("nodes", []) + node.get("floating_nodes", [])
            if node.get("pid"):
                found.append(node)
        return found

    def windows(self, title):
        return [node["id"] for node in self._clients() if node.get("name") == title]

    def titles(self):
        return [node.get("name") for node in self._clients()]

    def wait_window(self, title):
        [window] = wait_until(lambda: self.windows(title), f'a window "{title}"')
        return window

    def wait_focus(self, window):
        wait_until(lambda: any(node["id"] == window and node.get("focused") for node in self._clients()),
                   f"the input focus on window {window}")

    def _wtype(self, *arguments):
        # Each run of wtype is a new virtual keyboard, and the compositor
        # may pass its first key on before the client has its key map: End
        # goes first, harmless wherever the text cursor is.
        subprocess.run(["wtype", "-k", "End", *arguments], check=True, stdin=subprocess.DEVNULL,
                       env={**os.environ, "XDG_RUNTIME_DIR": str(self.runtime), "WAYLAND_DISPLAY": self.name})

    def type(self, window, text):
        self.wait_focus(window)
        self._wtype(text)

    def key(self, window, combination):
        """Presses a key such as Return or ctrl+Return."""
        self.wait_focus(window)
        *modifiers, key = combination.split("+")
        self._wtype(*[argument for modifier in modifiers for argument in ("-M", modifier)], "-k", key,
                    *[argument for modifier in reversed(modifiers) for argument in ("-m", modifier)])


class Wayland(EndToEndTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.wayland = WaylandDisplay(cls.class_work)

    @classmethod
    def tearDownClass(cls):
        cls.wayland.close()
        super().tearDownClass()

    def test_typed_message_is_sent_from_a_wayland_session(self):
        # The server is set up once, as on the X11 desktop.
        program = self.start()
        program.set_up_server(self.server)
        self.display.focus(program.main)
        program.key("Escape")
        self.assertEnded(program)

        program = self.start("mailto:ann@example.org?subject=Wayland", display=self.wayland)
        self.assertEqual(self.wayland.titles(), [MAIN_TITLE])
        # The focus starts in the body.
        self.wayland.type(program.main, "Typed under Wayland")
        self.wayland.key(program.main, "ctrl+Return")
        self.assertEqual(program.wait_exit(), 0, program.output())

        message, _, envelope = self.received_one()
        self.assertEqual(envelope["rcpt_tos"], ["ann@example.org"])
        self.assertEqual(message["Subject"], "Wayland")
        self.assertEqual(body_text(message), "Typed under Wayland")


if __name__ == "__main__":
    unittest.main()
