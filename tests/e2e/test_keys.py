#!/usr/bin/python3
"""Keys act once: each of the four send keys sends one message from where it
works."""

import unittest

from vellum_e2e import SEND_KEYS, EndToEndTest, body_text


class SendKeys(EndToEndTest):
    BODY = "First line\nsecond line"

    def send_with(self, caption, keys, control):
        program = self.start()
        program.set_up_server(self.server)
        program.compose(to="olga@example.org", subject=f"Sent with {caption}", body=self.BODY)
        # Chosen after typing: with Enter as the send key, the body's line break would send.
        program.choose_send_key(caption)
        program.click(control)
        program.key(keys)
        self.assertEnded(program)

        message, _, envelope = self.received_one()
        self.assertEqual(envelope["rcpt_tos"], ["olga@example.org"])
        self.assertEqual(message["Subject"], f"Sent with {caption}")
        # The key adds nothing to the body, not even a line break.
        self.assertEqual(body_text(message), self.BODY)
        self.assertEqual(len(self.home.local_copies()), 1)
        self.assertEqual(self.home.settings()["Send Hotkey Option"], str(SEND_KEYS.index(caption)))

    def test_ctrl_enter_in_the_body(self):
        self.send_with("Ctrl+Enter", "ctrl+Return", "txtMessage")

    def test_enter_in_the_recipient_box(self):
        self.send_with("Enter", "Return", "txtTo")

    def test_f5_in_the_subject_box(self):
        self.send_with("F5", "F5", "txtSubject")

    def test_f12_in_the_body(self):
        self.send_with("F12", "F12", "txtMessage")


if __name__ == "__main__":
    unittest.main()
