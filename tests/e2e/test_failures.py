#!/usr/bin/python3
"""A refused login and a local copy that cannot be written."""

import unittest

from vellum_e2e import BOX_TITLE, SETTINGS, SETTINGS_TITLE, EndToEndTest, SmtpServer, body_text


class RefusedLogin(EndToEndTest):
    def test_report_shows_once_and_the_window_keeps_everything_for_another_try(self):
        folder, files = self.make_files({"plan.txt": 1_000})
        program = self.start()
        program.set_up_server(self.server, password="not the password")
        program.compose(to="olga@example.org", subject="Plan", body="See the plan.")
        program.add_attachments(folder, list(files))
        program.choose_send_key("F5")
        program.click("txtSubject")
        program.key("F5")
        report = self.display.wait_window(BOX_TITLE)
        self.assertEqual(self.server.messages(), [])
        self.display.dismiss(report, "Return")

        # Unlocked, and no second report: the settings dialog opens.
        program.click("cmdServerSettings")
        self.assertEqual(self.display.wait_any(SETTINGS_TITLE, BOX_TITLE), SETTINGS_TITLE)
        settings = self.display.wait_window(SETTINGS_TITLE)
        self.display.click(settings, SETTINGS["txtPassword"])
        self.display.type(settings, SmtpServer.PASSWORD)
        self.display.dismiss(settings, "Return")
        attachments = program.open_dialog("cmdAttachments", "Attachments :: 1")
        self.display.dismiss(attachments, "Escape")

        # The second try sends what was typed before the failure.
        program.click("cmdSend")
        self.assertEnded(program)
        message, _, _ = self.received_one()
        self.assertEqual(message["To"], "olga@example.org")
        self.assertEqual(message["Subject"], "Plan")
        self.assertEqual(body_text(message), "See the plan.")
        self.assertEqual([part.get_filename() for part in message.iter_attachments()], ["plan.txt"])


class LocalCopyFails(EndToEndTest):
    def send_with_read_only_data_folder(self, caption, keys):
        """Sends once with the send key while the data folder is read-only;
        returns the program and the report about the local copy."""
        program = self.start()
        program.set_up_server(self.server)
        program.compose(to="olga@example.org", subject=f"Sent with {caption}", body="Keep a copy.")
        program.choose_send_key(caption)
        self.home.data_folder.chmod(0o500)
        self.addCleanup(self.home.data_folder.chmod, 0o700)
        program.click("txtSubject")
        program.key(keys)
        report = self.display.wait_window(BOX_TITLE)
        self.received_one()
        self.assertEqual(self.home.local_copies(), [])
        return program, report

    def test_retry_after_the_folder_is_made_writable_leaves_one_copy(self):
        program, report = self.send_with_read_only_data_folder("F5", "F5")
        self.home.data_folder.chmod(0o700)
        self.display.key(report, "Return")  # Retry is the default button
        self.assertEnded(program)
        _, raw, _ = self.received_one()
        [copy] = self.home.local_copies()
        self.assertEqual(copy.read_bytes(), raw)

    def test_cancel_gives_up_the_copy_and_still_ends_the_program(self):
        program, report = self.send_with_read_only_data_folder("F12", "F12")
        # Writable again, so that only the copy is given up, not the histories saved at the end.
        self.home.data_folder.chmod(0o700)
        self.display.key(report, "Escape")
        self.assertEnded(program)
        self.received_one()
        self.assertEqual(self.home.local_copies(), [])
        self.assertEqual(self.home.history("To History.DAT"), ["olga@example.org"])


if __name__ == "__main__":
    unittest.main()
