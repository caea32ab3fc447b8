#!/usr/bin/python3
"""Under a window manager, which frames each window, every window stands in
the middle of the screen frame and all."""

import subprocess
import unittest

from vellum_e2e import SETTINGS_TITLE, EndToEndTest, _spawn, _stop, wait_until

SCREEN = (1024, 768)


class UnderAWindowManager(EndToEndTest):

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.wm_log = open(f"{cls.class_work}/openbox.log", "wb")
        cls.wm = _spawn(["openbox", "--sm-disable"], cls.wm_log,
                        env={"PATH": "/usr/bin:/bin", "DISPLAY": cls.display.name, "HOME": cls.class_work})
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in cls.xprop("-root"), "the window manager")

    @classmethod
    def tearDownClass(cls):
        _stop(cls.wm)
        cls.wm_log.close()
        super().tearDownClass()

    @classmethod
    def xprop(cls, *arguments):
        return subprocess.run(["xprop", "-display", cls.display.name, *map(str, arguments)],
                              stdin=subprocess.DEVNULL, capture_output=True, text=True).stdout

    def frame(self, window):
        """The window with the frame the window manager put round it: x, y, width, height."""
        extents = wait_until(lambda: self.xprop("-id", window, "_NET_FRAME_EXTENTS").partition("=")[2].strip(),
                             "the frame of the window")
        left, right, top, bottom = (int(value) for value in extents.split(","))
        # xwininfo, not xdotool: xdotool counts the frame's offset twice for a framed window.
        info = subprocess.run(["xwininfo", "-display", self.display.name, "-id", str(window)],
                              stdin=subprocess.DEVNULL, capture_output=True, text=True).stdout
        value = {key.strip(): int(number) for key, _, number in
                 (line.partition(":") for line in info.splitlines()) if number.strip().lstrip("-").isdigit()}
        x, y = value["Absolute upper-left X"], value["Absolute upper-left Y"]
        width, height = value["Width"], value["Height"]
        return x - left, y - top, width + left + right, height + top + bottom

    def assertCentred(self, window):
        def centre_offset():
            x, y, width, height = self.frame(window)
            offset = (x + width / 2 - SCREEN[0] / 2, y + height / 2 - SCREEN[1] / 2)
            return offset if max(map(abs, offset)) > 1 else None
        # The window may be placed again once its frame is known: wait for that.
        try:
            wait_until(lambda: centre_offset() is None, "the framed window in the middle", timeout=10)
        except AssertionError:
            self.fail(f"the framed window {self.frame(window)} is off the middle by {centre_offset()}")

    def test_composer_and_dialog_are_centred_with_their_frames(self):
        program = self.start()
        self.assertCentred(program.main)
        settings = program.open_dialog("cmdServerSettings", SETTINGS_TITLE)
        self.assertCentred(settings)
        self.display.key(settings, "Escape")
        self.display.wait_gone(settings)


if __name__ == "__main__":
    unittest.main()
