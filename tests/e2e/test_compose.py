#!/usr/bin/python3
"""Composing: a Cyrillic subject, attachments chosen in the real file
dialog, and the prompt for a missing subject."""

import hashlib
import unittest

from vellum_e2e import PROMPT_TITLE, EndToEndTest, body_text


class Compose(EndToEndTest):
    def test_cyrillic_subject_and_two_attachments_arrive_as_typed(self):
        folder, files = self.make_files({"Отчёт за квартал.pdf": 180_000, "figures.csv": 4_200})
        program = self.start()
        program.set_up_server(self.server)
        program.compose(to="Анна Петрова <anna@example.org>", subject="Отчёт за квартал",
                        body="Добрый день, Анна!\nОтчёт и таблица во вложении.")
        program.add_attachments(folder, list(files))
        program.click("cmdSend")
        self.assertEnded(program)

        message, raw, envelope = self.received_one()
        self.assertTrue(envelope["tls"])
        self.assertEqual(envelope["rcpt_tos"], ["anna@example.org"])
        self.assertEqual(message["To"], "Анна Петрова <anna@example.org>")
        self.assertEqual(message["Subject"], "Отчёт за квартал")
        self.assertEqual(body_text(message), "Добрый день, Анна!\nОтчёт и таблица во вложении.")
        attachments = [(part.get_filename(), hashlib.sha256(part.get_payload(decode=True)).hexdigest())
                       for part in message.iter_attachments()]
        # Files chosen together come in the order the file dialog gives them.
        self.assertCountEqual(attachments, [(name, hashlib.sha256(content).hexdigest())
                                            for name, content in files.items()])
        [copy] = self.home.local_copies()
        self.assertEqual(copy.read_bytes(), raw)
        self.assertEqual(self.home.history("Subject History.DAT"), ["Отчёт за квартал"])
        self.assertEqual(self.home.settings()["OFN Paths/Last add attachment directory"], str(folder))

    def test_missing_subject_prompt_esc_sends_nothing_and_ok_sends(self):
        program = self.start()
        program.set_up_server(self.server)
        program.compose(to="olga@example.org", body="No subject yet.")
        program.click("cmdSend")
        prompt = self.display.wait_window(PROMPT_TITLE)
        self.display.dismiss(prompt, "Escape")
        self.assertTrue(program.running())

        # A second prompt starts empty; what is typed there becomes the subject.
        program.click("cmdSend")
        prompt = self.display.wait_window(PROMPT_TITLE)
        self.display.type(prompt, "Напоминание")
        self.display.key(prompt, "Return")
        self.assertEnded(program)

        message, _, _ = self.received_one()
        self.assertEqual(message["Subject"], "Напоминание")
        self.assertEqual(body_text(message), "No subject yet.")
        # The cancelled attempt recorded nothing.
        self.assertEqual(self.home.history("Subject History.DAT"), ["Напоминание"])
        self.assertEqual(self.home.history("To History.DAT"), ["olga@example.org"])


if __name__ == "__main__":
    unittest.main()
