#!/usr/bin/python3
"""What a screen reader gets from every window: the real program's AT-SPI
tree, read with pyatspi. Runs under a session bus of its own
(dbus-run-session), on which the program and the reader meet."""

import os
import unittest

from vellum_e2e import PROMPT_TITLE, SETTINGS_TITLE, EndToEndTest, wait_until

import pyatspi  # noqa: E402  (needs the session bus, given by dbus-run-session)

# Roles a user meets: each must have a name (and the ones a user acts on, a
# description). Scroll areas' inner parts and the decoration behind the
# captions have none, as they should.
NAMED = {"push button", "text", "password text", "check box", "label", "list", "panel", "dialog"}
DESCRIBED = {"push button", "text", "password text", "check box", "list", "panel"}


def nodes(node):
    """The window's accessible objects, depth first; a list's entries are left out."""
    found = [node]
    if node.getRoleName() != "list":
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                found += nodes(child)
    return found


class ScreenReader(EndToEndTest):

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == "vellum":
                return application
        return None

    def window(self, title):
        def find():
            application = self.application()
            if application is None:
                return None
            for index in range(application.childCount):
                window = application.getChildAtIndex(index)
                if window is not None and window.name == title and \
                        window.getState().contains(pyatspi.STATE_SHOWING):
                    return window
            return None
        return wait_until(find, f'the accessible window "{title}"')

    def control(self, window, name):
        return wait_until(lambda: next((node for node in nodes(window) if node.name == name), None),
                          f'a control named "{name}"')

    def press(self, window, name):
        self.control(window, name).queryAction().doAction(0)

    def set_up_send(self):
        """Settings that let Send go on to the prompt for the missing subject."""
        self.home.settings_file.parent.mkdir(parents=True, exist_ok=True)
        self.home.settings_file.write_text(
            "[Mails]\nTo=ann@example.org\nMail%20from=vera@example.org\n"
            "[Server%20settings]\nUser%20name=vera\nPassword=88008F00\nSMTP%20server=127.0.0.1\n"
            "SMTP%20server%20port=25\n", encoding="utf-8")

    def check(self, title, names):
        """Every control is named and described; the names given are there. Returns what is heard."""
        window = self.window(title)
        heard = [(node.getRoleName(), node.name, node.description) for node in nodes(window)]
        print(f"\n{title}:")
        for role, name, description in heard:
            print(f"  [{role}] {name!r} {description!r}")
        for role, name, description in heard:
            if role in NAMED:
                self.assertTrue(name, f"a {role} without a name in {title}")
                self.assertEqual(name, name.strip(), f"a {role} in {title}")
            if role in DESCRIBED:
                self.assertTrue(description, f'the {role} "{name}" in {title} has no description')
        missing = set(names) - {name for _, name, _ in heard}
        self.assertEqual(missing, set(), f"names missing in {title}")
        return window

    def test_every_window_names_and_describes_its_controls(self):
        self.set_up_send()
        self.start(environment={"DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
                                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})

        main = self.check("Vellum", ["To:", "To", "Recipient history", "Subject:", "Subject", "Subject history",
                                     "Message", "Send key: Ctrl+Enter", "Server settings", "Open data folder",
                                     "Attachments: 0", "Send", "Sending mail..."])
        self.press(main, "Send key: Ctrl+Enter")
        self.control(main, "Send key: Enter")

        self.press(main, "Server settings")
        settings = self.check(SETTINGS_TITLE, ["Mails", "Mail from:", "Mail from", "Server settings", "User name",
                                               "Password", "SMTP server", "SMTP server port", "Use SSL", "Misc",
                                               'Use "~$" prefix for EML files', "Ok", "Cancel"])
        self.press(settings, "Cancel")

        self.press(self.window("Vellum"), "Attachments: 0")
        attachments = self.check("Attachments :: 0", ["Total size: 0 bytes", "Attached files", "Add attachments",
                                                      "Remove selected attachments", "Ok", "Отмена"])
        self.press(attachments, "Отмена")

        self.press(self.window("Vellum"), "Send")
        prompt = self.check(PROMPT_TITLE, ["Subject", "Subject history", "Ok", "Отмена"])
        self.press(prompt, "Отмена")
        self.window("Vellum")


if __name__ == "__main__":
    unittest.main()
