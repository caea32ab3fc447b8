#!/usr/bin/python3
"""Keys act once: each of the four send keys sends one message from where it
works, Shift+F1 shows one about box."""

import unittest

from vellum_e2e import (ABOUT_TITLE, ATTACHMENTS, COMPOSER, FILE_DIALOG_TITLE, PROMPT_TITLE, SEND_KEYS,
                        SETTINGS_TITLE, EndToEndTest, body_text, wait_until)


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


class AboutBox(EndToEndTest):
    """Shift+F1 shows the about box once, and closing it leaves the window usable."""

    def close_about_box_and_open(self, window, button, title):
        about = self.display.wait_window(ABOUT_TITLE)
        self.display.dismiss(about, "Return")
        # No second about box: the next click opens the dialog behind the button.
        self.display.click(window, button)
        self.assertEqual(self.display.wait_any(title, ABOUT_TITLE), title)
        return self.display.wait_window(title)

    def test_in_the_composer(self):
        program = self.start()
        program.click("txtMessage")
        program.key("shift+F1")
        settings = self.close_about_box_and_open(program.main, COMPOSER["cmdServerSettings"], SETTINGS_TITLE)
        self.display.dismiss(settings, "Escape", back_to=program.main)
        program.key("Escape")
        self.assertEnded(program)

    def test_in_the_attachment_dialog(self):
        program = self.start()
        attachments = program.open_dialog("cmdAttachments", "Attachments :: 0")
        self.display.key(attachments, "shift+F1")
        files = self.close_about_box_and_open(attachments, ATTACHMENTS["cmdAdd"], FILE_DIALOG_TITLE)
        self.display.dismiss(files, "Escape", back_to=attachments)
        self.display.dismiss(attachments, "Escape", back_to=program.main)
        program.key("Escape")
        self.assertEnded(program)


class CompletionList(EndToEndTest):
    """The window's keys act while the completion list is open; Esc closes the list first."""

    def start_with_history(self):
        self.home.data_folder.mkdir(parents=True)
        (self.home.data_folder / "To History.DAT").write_text("olga@example.organic.net\n", encoding="utf-8")
        (self.home.data_folder / "Subject History.DAT").write_text("Hello there\n", encoding="utf-8")
        return self.start()

    def open_list(self, window, text):
        """Types the text and waits for the list to show; the keys then go to the list."""
        before = set(self.display._visible())
        self.display.type(window, text)
        wait_until(lambda: set(self.display._visible()) - before, "the completion list")

    def test_f5_sends_the_typed_recipient(self):
        program = self.start_with_history()
        program.set_up_server(self.server)
        program.compose(subject="Typed, not picked", body="Body")
        program.choose_send_key("F5")
        program.click("txtTo")
        self.open_list(program.main, "olga@example.org")
        self.display.xdotool("key", "F5")
        self.assertEnded(program)
        message, _, envelope = self.received_one()
        self.assertEqual(envelope["rcpt_tos"], ["olga@example.org"])

    def test_enter_in_the_prompt_sends(self):
        program = self.start_with_history()
        program.set_up_server(self.server)
        program.compose(to="olga@example.org", body="Body")
        program.click("cmdSend")
        prompt = self.display.wait_window(PROMPT_TITLE)
        self.open_list(prompt, "Hel")
        self.display.xdotool("key", "Return")
        self.assertEnded(program)
        message, _, _ = self.received_one()
        self.assertEqual(message["Subject"], "Hel")

    def test_esc_closes_the_list_then_the_window(self):
        program = self.start_with_history()
        program.click("txtTo")
        self.open_list(program.main, "olga")
        popup = (set(self.display._visible()) - {program.main}).pop()
        self.display.xdotool("key", "Escape")
        self.display.wait_gone(popup, "the completion list to close")
        self.assertTrue(program.running())
        program.key("Escape")
        self.assertEnded(program)


if __name__ == "__main__":
    unittest.main()
