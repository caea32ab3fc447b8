#!/usr/bin/python3
"""A mail link as the desktop passes it on the command line: what it names
fills the composer, and what it must not do (attach a file, add hidden
recipients) never reaches the server."""

import unittest

from vellum_e2e import EndToEndTest, body_text


class MailLink(EndToEndTest):
    def test_link_fills_the_composer_and_sends_only_what_it_shows(self):
        # A recipient from the last run, which the link's recipients replace.
        self.home.settings_file.parent.mkdir(parents=True, exist_ok=True)
        self.home.settings_file.write_text("[Mails]\nTo=last@run.example\n", encoding="utf-8")
        self.home.settings_file.chmod(0o600)
        secret = self.home.home / "secret.txt"
        secret.write_text("not for the web\n", encoding="utf-8")

        program = self.start(
            "mailto:anna@example.org,bob@example.org?cc=carl@example.org&bcc=eve@example.org"
            "&subject=%D0%9F%D1%80%D0%B8%D0%B2%D0%B5%D1%82%2C%20Anna"
            "&body=Line%201%0D%0ALine%202%20%E2%80%94%201+1"
            f"&attach={secret}&attachment=file://{secret}")
        program.set_up_server(self.server)
        program.click("cmdSend")
        self.assertEnded(program)

        message, _, envelope = self.received_one()
        self.assertEqual(envelope["rcpt_tos"], ["anna@example.org", "bob@example.org", "carl@example.org"])
        self.assertEqual(message["To"], "anna@example.org, bob@example.org, carl@example.org")
        self.assertEqual(message["Subject"], "Привет, Anna")
        self.assertEqual(body_text(message).rstrip("\n"), "Line 1\nLine 2 — 1+1")
        self.assertEqual(list(message.iter_attachments()), [])
        self.assertNotIn("eve@example.org", str(message))
        self.assertEqual(self.home.settings()["Mails/To"], "anna@example.org, bob@example.org, carl@example.org")


if __name__ == "__main__":
    unittest.main()
