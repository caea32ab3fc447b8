#!/usr/bin/python3
"""The message in progress survives every end the user did not choose (a
kill, SIGTERM, SIGHUP, the display going away) and goes with every end the
user chose (Esc, a successful send); the settings confirmed with OK are
stored at once."""

import json
import signal
import unittest

from vellum_e2e import (PROMPT_TITLE, SETTINGS_TITLE, Display, EndToEndTest, Home, SmtpServer, Vellum,
                        body_text, wait_until)

RECIPIENT = "Marta Ivanova <marta@example.org>"
SUBJECT = "Черновик: quarterly report"
BODY = "Dear Marta,\nthe figures are attached.\n\nVera"


def drafts(home):
    """The drafts in the data folder: {file name: its JSON}."""
    found = {}
    for path in sorted(home.data_folder.glob("Draft *.json")):
        try:
            found[path.name] = json.loads(path.read_text(encoding="utf-8"))
        except (OSError, ValueError):
            pass
    return found


class EndsWithoutAClose(EndToEndTest):
    def compose_and_wait_for_the_draft(self, program, folder, names):
        program.set_up_server(self.server)
        program.compose(to=RECIPIENT, subject=SUBJECT, body=BODY)
        program.add_attachments(folder, names)
        expected = [str(folder / name) for name in names]

        def draft_on_disk():
            return any(draft["to"] == RECIPIENT and draft["subject"] == SUBJECT and draft["body"] == BODY
                       and draft["attachments"] == expected for draft in drafts(self.home).values())

        wait_until(draft_on_disk, "the whole message in the draft", timeout=10)

    def assert_next_start_sends_the_message(self, files):
        program = self.start()
        program.click("cmdSend")
        self.assertEnded(program)
        message, _, _ = self.received_one()
        self.assertEqual(message["To"], RECIPIENT)
        self.assertEqual(message["Subject"], SUBJECT)
        self.assertEqual(body_text(message), BODY)
        attached = {part.get_filename(): part.get_content() for part in message.iter_attachments()}
        self.assertEqual(attached, files)
        # Sent: nothing of it is kept.
        self.assertEqual(drafts(self.home), {})

    def test_kill_sigterm_sighup_and_a_lost_display_keep_the_message_for_the_next_start(self):
        folder, files = self.make_files({"figures.csv": 4_200})
        ends = {
            "kill -9": lambda program: program.process.send_signal(signal.SIGKILL),
            "SIGTERM": lambda program: program.process.send_signal(signal.SIGTERM),
            "SIGHUP": lambda program: program.process.send_signal(signal.SIGHUP),
            "the display goes away": lambda program: program.display.close(),
        }
        for end, how in ends.items():
            with self.subTest(end=end):
                self.home = Home(self.work / end.replace(" ", "-"))
                self.server = self.start_server()
                if end == "the display goes away":
                    display = Display(self.work)
                    program = Vellum(display, self.home, self.work)
                    self.programs.append(program)
                else:
                    program = self.start()
                self.compose_and_wait_for_the_draft(program, folder, list(files))
                how(program)
                status = program.wait_exit()
                if end in ("SIGTERM", "SIGHUP"):
                    # A normal close: settings and histories saved, status 0.
                    self.assertEqual(status, 0, program.output())
                    self.assertEqual(self.home.settings()["Mails/To"], RECIPIENT)
                self.assertEqual(len(drafts(self.home)), 1)
                self.assert_next_start_sends_the_message(files)


class EndsTheUserChose(EndToEndTest):
    def test_esc_and_a_successful_send_leave_no_message_for_the_next_start(self):
        program = self.start()
        program.set_up_server(self.server)
        program.compose(to=RECIPIENT, subject=SUBJECT, body=BODY)
        wait_until(lambda: drafts(self.home), "the draft")
        program.key("Escape")
        self.assertEnded(program)
        self.assertEqual(drafts(self.home), {})

        # The recipient of the last run, an empty body: what is typed now is all it holds.
        program = self.start()
        program.compose(subject="Second", body="Only this.")
        wait_until(lambda: drafts(self.home), "the draft")
        program.click("cmdSend")
        self.assertEnded(program)
        message, _, _ = self.received_one()
        self.assertEqual(message["To"], RECIPIENT)
        self.assertEqual(body_text(message), "Only this.")
        self.assertEqual(drafts(self.home), {})

        # After the send: no subject, so the prompt asks for one; no body.
        program = self.start()
        program.click("cmdSend")
        prompt = self.display.wait_window(PROMPT_TITLE)
        self.display.dismiss(prompt, "Return")
        self.assertEnded(program)
        message, _, _ = self.server.messages()[-1]
        self.assertEqual(message["To"], RECIPIENT)
        self.assertEqual(message["Subject"], "")
        self.assertEqual(body_text(message).strip(), "")


class SettingsConfirmed(EndToEndTest):
    def test_settings_confirmed_with_ok_are_stored_at_once_and_survive_sigterm(self):
        program = self.start()
        program.set_up_server(self.server)
        expected = {"Mails/Mail from": "vera@example.org", "Server settings/User name": SmtpServer.USER,
                    "Server settings/SMTP server": "127.0.0.1",
                    "Server settings/SMTP server port": str(self.server.port),
                    "Server settings/Use SSL": "true"}

        def stored():
            values = self.home.settings()
            return all(values.get(key) == value for key, value in expected.items())

        wait_until(stored, "the settings in the settings file")
        self.assertNotIn(SmtpServer.PASSWORD, self.home.settings_file.read_text(encoding="utf-8"))
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait_exit(), 0, program.output())
        self.assertTrue(stored())

        # And they work: the next start sends with them.
        program = self.start()
        settings = program.open_dialog("cmdServerSettings", SETTINGS_TITLE)
        self.display.dismiss(settings, "Escape")
        program.compose(to=RECIPIENT, subject="Set up once", body="It works.")
        program.click("cmdSend")
        self.assertEnded(program)
        self.assertEqual(self.received_one()[0]["Subject"], "Set up once")


if __name__ == "__main__":
    unittest.main()
