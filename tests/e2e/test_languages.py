#!/usr/bin/python3
"""The real program in the user's language, read over AT-SPI as a screen
reader reads it: every window in Russian and in German with no English text
left, and with a C locale every text as the program's own. Runs under a
session bus of its own (dbus-run-session)."""

import os
import unittest

import test_accessibility
from test_accessibility import nodes

# Per language: what the buttons that open the next window are called, and
# the window titles, in the order the test walks through them.
LANGUAGES = {
    "C.UTF-8": {"server": "Server settings", "cancel settings": "Cancel", "attachments": "Attachments: 0",
                "cancel attachments": "Отмена", "send": "Send", "cancel prompt": "Отмена",
                "titles": ["Vellum", "Settings", "Attachments :: 0",
                           "Subject is missing (you still can leave it blank)"]},
    "ru_RU.UTF-8": {"server": "Настройки сервера", "cancel settings": "Отмена", "attachments": "Вложения: 0",
                    "cancel attachments": "Отмена", "send": "Отправить", "cancel prompt": "Отмена",
                    "titles": ["Vellum", "Настройки", "Вложения :: 0", "Нет темы (её можно оставить пустой)"]},
    "de_DE.UTF-8": {"server": "Servereinstellungen", "cancel settings": "Abbrechen", "attachments": "Anhänge: 0",
                    "cancel attachments": "Abbrechen", "send": "Senden", "cancel prompt": "Abbrechen",
                    "titles": ["Vellum", "Einstellungen", "Anhänge :: 0", "Betreff fehlt (er darf auch leer bleiben)"]},
}
# Texts every language shares: the name, key names and the symbols on buttons.
NEUTRAL = {"", "Vellum", "H!", "S!", "D!", "A! [0]", "+", "X", "Enter", "vellum"}
RUSSIAN_NEUTRAL = {"Отмена", "Ctrl+Enter", "Send key: Ctrl+Enter"}


class Languages(test_accessibility.ScreenReader):
    # The accessibility test runs on its own.
    test_every_window_names_and_describes_its_controls = None

    def walk(self, language):
        """Every window's texts, as heard: {title: set of names and descriptions}."""
        words = LANGUAGES[language]
        self.start(environment={"DBUS_SESSION_BUS_ADDRESS": os.environ["DBUS_SESSION_BUS_ADDRESS"],
                                "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "LANG": language, "LC_ALL": language})
        heard = {}

        def listen(title):
            window = self.window(title)
            heard[title] = {text for node in nodes(window) for text in (node.name, node.description)}
            return window

        main_title, settings_title, attachments_title, prompt_title = words["titles"]
        self.press(listen(main_title), words["server"])
        self.press(listen(settings_title), words["cancel settings"])
        self.press(self.window(main_title), words["attachments"])
        self.press(listen(attachments_title), words["cancel attachments"])
        self.press(self.window(main_title), words["send"])
        self.press(listen(prompt_title), words["cancel prompt"])
        self.window(main_title)
        for program in self.programs:
            program.close()
        self.programs.clear()
        return heard

    def test_every_window_speaks_the_users_language(self):
        self.set_up_send()
        english = self.walk("C.UTF-8")
        self.assertIn("Send key: Ctrl+Enter", english["Vellum"])
        self.assertIn("Отмена", english["Subject is missing (you still can leave it blank)"])
        english_texts = set().union(*english.values()) - NEUTRAL
        for language in ("ru_RU.UTF-8", "de_DE.UTF-8"):
            with self.subTest(language=language):
                heard = self.walk(language)
                self.assertEqual(len(heard), 4)
                left = set().union(*heard.values()) & english_texts
                if language.startswith("ru"):
                    left -= RUSSIAN_NEUTRAL
                self.assertEqual(left, set(), f"English texts under {language}")


if __name__ == "__main__":
    unittest.main()
