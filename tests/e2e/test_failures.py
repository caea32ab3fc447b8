#!/usr/bin/python3
"""What a failure leaves: a refused login."""

import unittest

from vellum_e2e import BOX_TITLE, SETTINGS, SETTINGS_TITLE, EndToEndTest, SmtpServer, body_text


class RefusedLogin(EndToEndTest):
    def test_report_shows_once_and_the_window_keeps_everything_for_another_try(self):
        folder, files = self.make_files({"plan.txt": 1_000})
        program = self.start()
        program.set_up_server(self.server, password="not the password")
        program.compose(to="olga@example.org", subject="Plan", body="See the plan.")
        program.add_attachments(folder, list(files))
        program.click("cmdSend")
        report = self.display.wait_window(BOX_TITLE)
        self.assertEqual(self.server.messages(), [])
        self.display.key(report, "Return")
        self.display.wait_gone(report, "the report to close")

        # Unlocked, and no second report: the settings dialog opens.
        program.click("cmdServerSettings")
        self.assertEqual(self.display.wait_any(SETTINGS_TITLE, BOX_TITLE), SETTINGS_TITLE)
        settings = self.display.wait_window(SETTINGS_TITLE)
        self.display.click(settings, SETTINGS["txtPassword"])
        self.display.type(settings, SmtpServer.PASSWORD)
        self.display.key(settings, "Return")
        self.display.wait_gone(settings, "the settings dialog to close")
        attachments = program.open_dialog("cmdAttachments", "Attachments :: 1")
        self.display.key(attachments, "Escape")
        self.display.wait_gone(attachments, "the attachment dialog to close on Esc")

        # The second try sends what was typed before the failure.
        program.click("cmdSend")
        self.assertEnded(program)
        message, _, _ = self.received_one()
        self.assertEqual(message["To"], "olga@example.org")
        self.assertEqual(message["Subject"], "Plan")
        self.assertEqual(body_text(message), "See the plan.")
        self.assertEqual([part.get_filename() for part in message.iter_attachments()], ["plan.txt"])


if __name__ == "__main__":
    unittest.main()
