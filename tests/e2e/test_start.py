#!/usr/bin/python3
"""First start with nothing stored, the server set up in the settings dialog,
Esc closing (not while sending), and a second start that remembers."""

import stat
import unittest

from vellum_e2e import (BOX_TITLE, COMPOSER_SIZE, MAIN_TITLE, SETTINGS, SETTINGS_TITLE, EndToEndTest,
                        SmtpServer, body_text, pixels, wait_until)


class FirstAndSecondStart(EndToEndTest):
    RECIPIENT = "Marta Ivanova <marta@example.org>"

    def test_first_start_stores_what_was_set_up_and_the_second_start_sends_with_it(self):
        self.assertFalse(self.home.settings_file.exists())
        program = self.start()
        self.assertEqual(self.display.titles(), [MAIN_TITLE])
        self.assertTrue(self.home.data_folder.is_dir())
        self.assertEqual(self.display.geometry(program.main)[2:], tuple(map(pixels, COMPOSER_SIZE)))

        # Nothing set up yet: Send only says so.
        program.click("cmdSend")
        refusal = self.display.wait_window(BOX_TITLE)
        self.display.dismiss(refusal, "Return")

        program.compose(to=self.RECIPIENT)
        program.set_up_server(self.server, take_port_offer=True)
        self.display.focus(program.main)
        program.key("Escape")
        self.assertEnded(program)
        self.assertEqual(self.server.messages(), [])
        self.assertEqual(stat.S_IMODE(self.home.settings_file.stat().st_mode), 0o600)
        stored = self.home.settings()
        self.assertEqual(stored["Mails/To"], self.RECIPIENT)
        self.assertEqual(stored["Mails/Mail from"], "vera@example.org")
        self.assertEqual(stored["Server settings/User name"], SmtpServer.USER)
        self.assertEqual(stored["Server settings/SMTP server"], "127.0.0.1")
        self.assertEqual(stored["Server settings/SMTP server port"], "465")
        self.assertEqual(stored["Server settings/Use SSL"], "true")
        self.assertNotIn(SmtpServer.PASSWORD, self.home.settings_file.read_text(encoding="utf-8"))

        # The second start shows the last recipient: without touching the
        # recipient box, the message goes to it.
        program = self.start()
        settings = program.open_dialog("cmdServerSettings", SETTINGS_TITLE)
        self.display.click(settings, SETTINGS["txtSMTPServerPort"])
        self.display.type(settings, str(self.server.port))
        self.display.dismiss(settings, "Return")
        program.compose(subject="Quarterly report", body="The figures are in.")
        program.click("cmdSend")
        self.assertEnded(program)

        message, raw, envelope = self.received_one()
        self.assertEqual(envelope, {"mail_from": "vera@example.org", "mail_options": [],
                                    "rcpt_tos": ["marta@example.org"],
                                    "tls": True})
        self.assertEqual(message["To"], self.RECIPIENT)
        self.assertEqual(message["Subject"], "Quarterly report")
        self.assertEqual(body_text(message), "The figures are in.")
        [copy] = self.home.local_copies()
        self.assertRegex(copy.name, r"^Mail \d{4}-\d\d-\d\d \d\d-\d\d-\d\d\.EML$")
        self.assertEqual(copy.read_bytes(), raw)
        self.assertEqual(self.home.history("To History.DAT"), [self.RECIPIENT])
        self.assertEqual(self.home.history("Subject History.DAT"), ["Quarterly report"])
        self.assertEqual(self.home.settings()["Server settings/SMTP server port"], str(self.server.port))
        # Mail and contacts are the user's alone.
        modes = {path.name: stat.S_IMODE(path.stat().st_mode)
                 for path in [self.home.data_folder, *self.home.data_folder.iterdir(), self.home.settings_file]}
        self.assertEqual(modes, {"Vellum": 0o700, copy.name: 0o600, "To History.DAT": 0o600,
                                 "Subject History.DAT": 0o600, "Vellum.ini": 0o600})
        for folder in (self.home.data_folder.parent, self.home.settings_file.parent):
            self.assertEqual(stat.S_IMODE(folder.stat().st_mode), 0o700, folder)

    def test_esc_while_sending_is_ignored_and_the_send_completes(self):
        # The server holds its answer for a while after the message has arrived.
        server = self.start_server("--data-delay", "3")
        program = self.start()
        program.set_up_server(server)
        program.compose(to="olga@example.org", subject="Slow server", body="Wait for it.")
        program.click("cmdSend")
        wait_until(server.messages, "the message at the server")
        program.key("Escape")
        self.assertEnded(program)
        self.assertEqual(len(server.messages()), 1)
        self.assertEqual(len(self.home.local_copies()), 1)
        self.assertEqual(self.home.history("To History.DAT"), ["olga@example.org"])


if __name__ == "__main__":
    unittest.main()
